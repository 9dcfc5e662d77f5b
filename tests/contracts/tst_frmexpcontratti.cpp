#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "contracts/frmexpcontratti.h"
#include "support/cartellaprova.h"
#include "support/contrattiprova.h"
#include "support/fileprova.h"
#include "support/foglioprova.h"
#include "support/guidaprova.h"

using namespace qv;
using namespace qv::prova;

namespace {

const QByteArray Apertura = aperturaFoglio("Riepilogo Contratti di Lavoro") +
    "<tr>" TH "180>Data stipula</td>" TH "250>Luogo stipula</td>" TH "250>Denominazione Ditta</td>"
    TH "180>Partita IVA</td>" TH "250>Cognome e nome Dipendente</td>" TH "200>Cittadinanza</td>"
    TH "250>Luogo di nascita</td>" TH "180>Data di nascita</td>" TH "180>Codice fiscale</td>"
    TH "200>Recapito telefonico</td>" TH "250>Indirizzo di residenza</td>" TH "250>Citt\xE0 di residenza</td>"
    TH "150>Provincia</td>" TH "150>CAP</td>" TH "180>Rata stipendio</td>" TH "250>IBAN</td>"
    TH "250>Qualifiche</td>" TH "400>Prestazioni da svolgere</td>" TH "180>Data decorrenza</td>"
    TH "180>Data scadenza</td>" TH "200>Durata collaborazione</td>" TH "250>Sede lavoro</td>"
    TH "120>Rescisso</td>" TH "250>Motivo rescissione</td>" TH "400>Note</td></tr>";
const QByteArray Chiusura = ChiusuraFoglio;

// A card with every field filled, the ones the export leaves out included.
TSchedaContratto completo(const QString &dipendente, const QString &rescisso, const QString &motivo)
{
    TSchedaContratto s;
    int n = 0;
    for (const auto &c : TSchedaContratto::campi())
        s.*(c.membro) = QStringLiteral("%1%2").arg(QLatin1String(c.nome).left(c.capacita - 2)).arg(n++ % 10);
    s.DataStipula = QStringLiteral("15/03/2017");
    s.Dipendente = dipendente;
    s.Citta = QStringLiteral("Forlì");
    s.Cap = QStringLiteral("00184");
    s.IvaDitta = QStringLiteral("01234567890");
    s.Stipendio = QStringLiteral("1250,00");
    s.Rescisso = rescisso;
    s.Motivo = motivo;
    return s;
}

// The data row of such a card.
QByteArray riga(const TSchedaContratto &s, const QByteArray &motivo)
{
    QByteArray r = "<tr>";
    for (const QString *v : {&s.DataStipula, &s.LuogoStipula, &s.NomeDitta, &s.IvaDitta, &s.Dipendente,
                             &s.Cittadinanza, &s.Luogo, &s.DataNasc, &s.CodFisc, &s.Recapito, &s.Indirizzo, &s.Citta,
                             &s.Prov, &s.Cap, &s.Stipendio, &s.Iban, &s.Qualifiche, &s.Prestazioni, &s.DataInizio,
                             &s.DataFine, &s.Durata, &s.SedeLavoro, &s.Rescisso})
        r += TD + toCp1252(*v) + "</td>";
    return r + TD + motivo + "</td>" TD + toCp1252(s.Note) + "</td></tr>";
}

using G = MessaggioMostrato::Genere;

} // namespace

class TestExpContratti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void griglia();
    void esportaTreSchede();
    void annoVuoto();
    void fileBloccato();
    void anniDiversi();
    void guida();
    void apertoDaLibreOffice();
    void cartellaXlsx();

private:
    QString anno(int a = 2017) const { return cartellaProgramma().archivioContratti(a); }
    QString xls() const { return m_dir->filePath(QStringLiteral("Contratti_Lavoro.xls")); }
    QString xlsx() const { return m_dir->filePath(QStringLiteral("Contratti_Lavoro.xlsx")); }
    QString testo(int riga, const char *colonna) const
    {
        return m_form->grdRecords->model()->index(riga, m_form->colonna(QLatin1String(colonna))).data().toString();
    }

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    SchermoContrattiProva *m_contratti = nullptr;
    TfrmExpContratti *m_form = nullptr;
};

void TestExpContratti::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    m_contratti = new SchermoContrattiProva(anno());
    m_form = new TfrmExpContratti(m_contratti);
}

void TestExpContratti::cleanup()
{
    delete m_contratti; // and the export screen it owns
    delete m_dir;
    delete m_servizi;
}

void TestExpContratti::griglia()
{
    archiviaContratti(anno(), {completo("ROSSI MARIO", "No", ""), completo("BIANCHI ANNA", "Sì", "Recesso"),
                               completo("VERDI LUCA", "No", "")});
    m_form->FormShow();
    QTableView *g = m_form->grdRecords;
    const QAbstractItemModel *m = g->model();
    QCOMPARE(m_form->windowTitle(), QStringLiteral(" Esporta archivio contratti in Microsoft Excel"));
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->columnCount(), 26);
    QVERIFY(g->alternatingRowColors());
    QCOMPARE(g->verticalHeader()->defaultSectionSize(), 21);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(testo(r, "colNum"), QString::number(r + 1));
    QCOMPARE(testo(1, "colDipendente"), QStringLiteral("BIANCHI ANNA"));
    QCOMPARE(testo(1, "colRescisso"), QStringLiteral("Sì"));
    QCOMPARE(testo(1, "colMotivo"), QStringLiteral("Recesso"));
    QCOMPARE(testo(0, "colRescisso"), QStringLiteral("No"));

    // Caption, width and editability: read-only from "N." to "Data decorrenza".
    const struct { const char *nome, *titolo; int larghezza; bool modificabile; } attese[] = {
        {"colNum", "N.", 60, false},
        {"colDataStipula", "Data stipula", 160, false},
        {"colCodFisc", "Codice fiscale", 200, false},
        {"colCitta", "Città di residenza", 250, false},
        {"colProv", "Provincia", 120, false},
        {"colPrestazioni", "Prestazioni da svolgere", 350, false},
        {"colDataInizio", "Data decorrenza", 160, false},
        {"colDataFine", "Data scadenza", 160, true},
        {"colRescisso", "Rescisso", 100, true},
        {"colNote", "Note", 350, true},
    };
    for (const auto &a : attese) {
        const int c = m_form->colonna(QLatin1String(a.nome));
        QVERIFY2(c >= 0, a.nome);
        QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(a.titolo));
        QCOMPARE(g->columnWidth(c), a.larghezza);
        QCOMPARE(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable), a.modificabile);
    }
    QCOMPARE(m_form->colonna(QStringLiteral("colNote")), 25);
    QCOMPARE(m_form->colonna(QStringLiteral("colAttivita")), -1);

    // Filled again from the archive, not added to.
    m_form->FormShow();
    QCOMPARE(m->rowCount(), 3);
}

void TestExpContratti::esportaTreSchede()
{
    const TSchedaContratto a = completo("ROSSI MARIO", "No", "");
    const TSchedaContratto b = completo("BIANCHI ANNA", "Sì", "Ore < 40 & turni €");
    const TSchedaContratto c = completo("VERDI LUCA", "No", "");
    archiviaContratti(anno(), {a, b, c});
    QVERIFY(scriviFile(xls(), QByteArray(100000, 'x'))); // an older, longer export is replaced whole
    m_form->FormShow();
    m_servizi->rispondi(true);
    m_servizi->rispondi(true);
    m_form->cmdEsportaClick();

    QCOMPARE(leggiFile(xls()),
             Apertura + riga(a, "") + riga(b, "Ore &lt; 40 &amp; turni \x80") + riga(c, "") + Chiusura);
    QCOMPARE(m_servizi->testi(), (QStringList{ConfermaEsportazione, RiuscitaEsportazione}));
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(xls())});
}

void TestExpContratti::annoVuoto()
{
    // A missing year file is created empty: an empty grid, a sheet with its header row only.
    m_form->FormShow();
    QVERIFY(QFileInfo(anno()).isFile());
    QCOMPARE(m_form->grdRecords->model()->rowCount(), 0);
    m_servizi->rispondi(true);
    m_servizi->rispondi(false);
    m_form->cmdEsportaClick();
    QCOMPARE(leggiFile(xls()), Apertura + Chiusura);
}

void TestExpContratti::fileBloccato()
{
    // A folder in the sheet's place cannot be replaced: the failure message, no success question.
    archiviaContratti(anno(), {completo("ROSSI MARIO", "No", "")});
    QVERIFY(QDir().mkpath(xls()));
    m_form->FormShow();
    m_servizi->rispondi(true);
    m_form->cmdEsportaClick();
    QCOMPARE(m_servizi->messaggi.size(), 2);
    QCOMPARE(m_servizi->messaggi.at(1).genere, G::Semplice);
    QCOMPARE(m_servizi->messaggi.at(1).testo, ErroreEsportazione);
    QVERIFY(m_servizi->aperti.isEmpty());
    QVERIFY(QFileInfo(xls()).isDir());
}

void TestExpContratti::anniDiversi()
{
    // Two years export to the one file name; the second export replaces the first.
    archiviaContratti(anno(2017), {completo("ROSSI MARIO", "No", "")});
    archiviaContratti(anno(2018), {completo("BIANCHI ANNA", "No", "")});
    m_form->FormShow();
    m_form->cmdEsportaClick();
    QVERIFY(leggiFile(xls()).contains("ROSSI MARIO"));
    m_contratti->findChild<QLabel *>("lblFile")->setText(anno(2018));
    auto *altro = new TfrmExpContratti(m_contratti);
    altro->FormShow();
    altro->cmdEsportaClick();
    QCOMPARE(leggiFile(xls()), Apertura + riga(completo("BIANCHI ANNA", "No", ""), "") + Chiusura);
}

void TestExpContratti::guida()
{
    const GuidaMostrata g = guidaMostrata(*m_servizi, [this] { m_form->cmdGuidaClick(); });
    QCOMPARE(g.dialoghi, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(g.titolo, QStringLiteral("Esportazione archivio contratti in Microsoft Excel."));
    QCOMPARE(g.paragrafi.size(), 4);
    QVERIFY(g.paragrafi.at(0).startsWith(QStringLiteral(
        "Il pulsante Esporta archivio consente di esportare tutti i contratti registrati in un anno solare in un "
        "foglio di lavoro di Microsoft Excel")));
    // Both spreadsheet buttons, each with the file it writes.
    for (const char *parola : {"Contratti_Lavoro.xls,", "Esporta in Excel (.xlsx)", "Contratti_Lavoro.xlsx"})
        QVERIFY2(g.paragrafi.at(1).contains(QLatin1String(parola)), parola);
    QVERIFY(g.paragrafi.at(2).contains(QStringLiteral("Annulla")));
    QCOMPARE(g.paragrafi.at(3), QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco "
                                               "fisso assegnandogli un nome qualsiasi."));
}

void TestExpContratti::apertoDaLibreOffice()
{
    if (soffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the export is not opened by a real spreadsheet program.");
    const TSchedaContratto s = completo("ROSSI MARIO", "Sì", "Ore < 40 & turni €");
    archiviaContratti(anno(), {s});
    m_form->FormShow();
    m_form->cmdEsportaClick();

    QString errore;
    const QStringList righe = righeLibreOffice(xls(), m_dir->path(), &errore);
    QVERIFY2(!righe.isEmpty(), qPrintable(errore));
    QCOMPARE(righe.size(), 2);
    QCOMPARE(righe.at(0).split(QLatin1Char(';')).size(), 25);
    QCOMPARE(righe.at(0).split(QLatin1Char(';')).at(11), QStringLiteral("Città di residenza"));
    QCOMPARE(righe.at(1).split(QLatin1Char(';')),
             (QStringList{s.DataStipula, s.LuogoStipula, s.NomeDitta, s.IvaDitta, s.Dipendente, s.Cittadinanza,
                          s.Luogo, s.DataNasc, s.CodFisc, s.Recapito, s.Indirizzo, s.Citta, s.Prov, s.Cap,
                          s.Stipendio, s.Iban, s.Qualifiche, s.Prestazioni, s.DataInizio, s.DataFine, s.Durata,
                          s.SedeLavoro, s.Rescisso, s.Motivo, s.Note}));
}

// The year's workbook as a spreadsheet program reads it after LibreOffice
// opened and saved it: dates and amounts that calculate, codes as text, the
// cells changed in the grid as they stand there.
void TestExpContratti::cartellaXlsx()
{
    TSchedaContratto a = completo("ROSSI MARIO", "No", "");
    a.DataNasc = QStringLiteral("01/02/1980");
    a.CodFisc = QStringLiteral("RSSMRA80B01D704X");
    a.Recapito = QStringLiteral("0547 123456");
    a.Iban = QStringLiteral("IT60X0542811101000000123456");
    a.Stipendio = QStringLiteral("1.250,00");
    a.DataInizio = QStringLiteral("01/04/2017");
    a.DataFine = QStringLiteral("31/12/2017");
    TSchedaContratto b;
    b.DataStipula = QStringLiteral("02/05/2017");
    b.Dipendente = QStringLiteral("BIANCHI ANNA");
    b.Rescisso = TSchedaContratto::testoRescisso(true);
    b.Motivo = QStringLiteral("Rinuncia: è partita per l'estero");
    TSchedaContratto c = completo("VERDI LUCA", "No", "");
    c.Stipendio = QStringLiteral("9.999.999,99");
    c.Prestazioni = QString(250, u'p');
    c.DataInizio = QStringLiteral("01/01/2017");
    c.DataFine = QStringLiteral("31/12/2017");
    archiviaContratti(anno(), {a, b, c});
    m_form->FormShow();
    QAbstractItemModel *m = m_form->grdRecords->model();
    QVERIFY(m->setData(m->index(2, m_form->colonna(QStringLiteral("colDataFine"))), QStringLiteral("30/06/2017")));
    QVERIFY(m->setData(m->index(1, m_form->colonna(QStringLiteral("colNote"))), QStringLiteral("Nota cambiata")));
    // A few cards take no time: no question before, and the one after says
    // where the file is.
    m_servizi->rispondi(false);
    m_form->cmdEsportaXlsxClick();
    QCOMPARE(m_servizi->testi(), QStringList{RiuscitaCartella(xlsx())});
    QVERIFY(RiuscitaCartella(xlsx()).contains(QStringLiteral("nel file Contratti_Lavoro.xlsx, nella cartella ")
                                              + QDir::toNativeSeparators(m_dir->path()) + u'.'));

    const CartellaLetta letta = leggiCartella(xlsx(), m_dir->filePath(QStringLiteral("lettura")),
                                              {QStringLiteral("=SUM(O2:O4)"), QStringLiteral("=T2-S2")});
    QVERIFY2(letta.errore.isEmpty(), qPrintable(letta.errore));
    QCOMPARE(letta.libreoffice.value("fogli").toArray(), QJsonArray{QStringLiteral("Riepilogo Contratti di Lavoro")});
    QCOMPARE(letta.originale.value("bloccato").toString(), QStringLiteral("A2"));
    QCOMPARE(letta.libreoffice.value("filtro").toString(), QStringLiteral("A1:Y4"));
    const QStringList titoli = intestazioni(letta.libreoffice);
    QCOMPARE(titoli.size(), 25);
    QCOMPARE(titoli.at(11), QStringLiteral("Città di residenza"));
    // On paper: A4 landscape, one page wide, the header row on every page;
    // three contracts are one page.
    for (const QJsonObject &foglio : {letta.originale, letta.libreoffice})
        QCOMPARE(stampa(foglio), QStringLiteral("landscape|9|fit|1|0|$1:$1"));
    QCOMPARE(letta.pagine, 1);

    // Row (1 is the first card), column, and the cell as LibreOffice saved it.
    const struct { int riga; const char *colonna, *atteso; } casi[] = {
        {1, "Data stipula", "d|2017-03-15|dd/mm/yyyy"},
        {1, "Partita IVA", "s|01234567890|@"},
        {1, "Data di nascita", "d|1980-02-01|dd/mm/yyyy"},
        {1, "Codice fiscale", "s|RSSMRA80B01D704X|@"},
        {1, "Recapito telefonico", "s|0547 123456|@"},
        {1, "Città di residenza", "s|Forlì|General"},
        {1, "CAP", "s|00184|@"},
        {1, "Rata stipendio", "n|1250|#,##0.00"},
        {1, "IBAN", "s|IT60X0542811101000000123456|@"},
        {1, "Data decorrenza", "d|2017-04-01|dd/mm/yyyy"},
        {1, "Rescisso", "s|No|General"},
        {2, "Rata stipendio", ""},
        {2, "Data di nascita", ""},
        {2, "Partita IVA", ""},
        {2, "Rescisso", "s|Sì|General"},
        {2, "Motivo rescissione", "s|Rinuncia: è partita per l'estero|General"},
        {2, "Note", "s|Nota cambiata|General"},
        {3, "Rata stipendio", "n|9999999.99|#,##0.00"},
        {3, "Data scadenza", "d|2017-06-30|dd/mm/yyyy"},
    };
    const QList<QStringList> scritte = righe(letta.libreoffice);
    QCOMPARE(scritte.size(), 4);
    for (const auto &caso : casi) {
        const QString cella = scritte.at(caso.riga).value(int(titoli.indexOf(QString::fromUtf8(caso.colonna))));
        QVERIFY2(cella == QString::fromUtf8(caso.atteso),
                 qPrintable(QStringLiteral("%1 %2: %3").arg(caso.riga).arg(QString::fromUtf8(caso.colonna), cella)));
    }
    QCOMPARE(scritte.at(3).at(titoli.indexOf(QStringLiteral("Prestazioni da svolgere"))),
             QStringLiteral("s|") + c.Prestazioni + QStringLiteral("|General"));

    // The monthly fees add up; the days of a contract are a subtraction.
    QCOMPARE(cella(letta.formule.at(0)).section(u'|', 0, 0), QStringLiteral("n"));
    QCOMPARE(cella(letta.formule.at(0)).section(u'|', 1, 1).toDouble(), 1250.0 + 9999999.99);
    QCOMPARE(cella(letta.formule.at(1)).section(u'|', 0, 1),
             QStringLiteral("n|") + QString::number(QDate(2017, 4, 1).daysTo(QDate(2017, 12, 31))));
}

QTEST_MAIN(TestExpContratti)
#include "tst_frmexpcontratti.moc"
