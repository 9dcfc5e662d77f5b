#include <QApplication>
#include <QPlainTextEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/frmexpanagrafica.h"
#include "storage/archivio.h"
#include "core/importo.h"
#include "support/cartellaprova.h"
#include "support/foglioprova.h"
#include "support/guidaprova.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

using namespace qv::prova;

const QByteArray Apertura = aperturaFoglio("Riepilogo Dipendenti") +
    "<tr>" TH "250>Cognome e nome</td>" TH "250>Cittadinanza</td>" TH "200>Stipendio</td>"
    TH "250>Luogo di nascita</td>" TH "200>Data di nascita</td>" TH "200>Codice fiscale</td>"
    TH "180>Partita IVA</td>" TH "250>Indirizzo di residenza</td>" TH "250>Citt\xE0</td>"
    TH "150>Prov.</td>" TH "150>CAP</td>" TH "300>Qualifiche</td>" TH "300>Familiari a carico</td>"
    TH "250>IBAN</td>" TH "400>Note</td>" TH "200>Scadenza contratto</td>" TH "200>Recapito telefonico</td>"
    TH "250>E-mail</td></tr>";
const QByteArray Chiusura = ChiusuraFoglio;

TSchedaDipendente scheda(const QString &nome, const QString &note)
{
    TSchedaDipendente s;
    s.Dipendente = nome;
    s.Cittadinanza = QStringLiteral("Italiana");
    s.Stipendio = QStringLiteral("1.250,00");
    s.Luogo = QStringLiteral("Forlì");
    s.DataNasc = QStringLiteral("01/02/1980");
    s.CodFisc = QStringLiteral("RSSMRA80B01D704X");
    s.PartitaIva = QStringLiteral("01234567890");
    s.Indirizzo = QStringLiteral("Via Roma, 1");
    s.Citta = QStringLiteral("Cesena");
    s.Prov = QStringLiteral("FC");
    s.Cap = QStringLiteral("00184");
    s.Qualifiche = QStringLiteral("Operaio");
    s.Familiari = QStringLiteral("2");
    s.Iban = QStringLiteral("IT60X0542811101000000123456");
    s.Note = note;
    s.DataSca = QStringLiteral("31/12/2017");
    s.Preavviso = QStringLiteral("30");
    s.Recapito = QStringLiteral("0547 123456");
    s.Email = QStringLiteral("mario@esempio.it");
    s.File01 = QStringLiteral("contratto.pdf");
    return s;
}

using G = MessaggioMostrato::Genere;

} // namespace

class TestExpAnagrafica : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void griglia();
    void esportaTreSchede();
    void cellaModificata();
    void schedaTroncataInFondo();
    void archivioVuoto();
    void domande_data();
    void domande();
    void cartellaMancante();
    void cartellaInSolaLettura_data();
    void cartellaInSolaLettura();
    void guida();
    void suggerimenti();
    void apertoDaLibreOffice();
    void cartellaXlsx();
    void annullata_data();
    void annullata();
    void tabEsceDallaGriglia();

private:
    void archivio(const QList<TSchedaDipendente> &schede);
    QByteArray esportato() const;
    QString xls() const { return m_dir->filePath(QStringLiteral("Dipendenti.xls")); }
    QString xlsx() const { return m_dir->filePath(QStringLiteral("Dipendenti.xlsx")); }
    // The info line once the mouse moved to `p` over `w`, as the window system delivers the move.
    QString sopra(QWidget *w, QPoint p)
    {
        QTest::mouseMove(w, p);
        QCoreApplication::processEvents();
        return m_form->panInfo->text();
    }

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmExpAnagrafica *m_form = nullptr;
};

void TestExpAnagrafica::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    m_form = new TfrmExpAnagrafica;
}

void TestExpAnagrafica::cleanup()
{
    delete m_form;
    delete m_dir;
    delete m_servizi;
}

void TestExpAnagrafica::archivio(const QList<TSchedaDipendente> &schede)
{
    ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
    a.apri();
    for (const TSchedaDipendente &s : schede)
        a.accoda(s);
    a.chiudi();
}

QByteArray TestExpAnagrafica::esportato() const
{
    QFile f(xls());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestExpAnagrafica::griglia()
{
    archivio({scheda(QStringLiteral("ROSSI MARIO"), {}), scheda(QStringLiteral("BIANCHI ANNA"), {}),
              scheda(QStringLiteral("VERDI LUCA"), {})});
    m_form->FormShow();
    QTableView *g = m_form->grdRecords;
    const QAbstractItemModel *m = g->model();
    const auto testo = [this, m](int r, const char *colonna) {
        return m->index(r, m_form->colonna(QLatin1String(colonna))).data().toString();
    };
    QCOMPARE(g->objectName(), QStringLiteral("grdRecords"));
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->columnCount(), 19);
    QVERIFY(g->alternatingRowColors());
    QCOMPARE(g->verticalHeader()->defaultSectionSize(), 21);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(testo(r, "colNum"), QString::number(r + 1));
    QCOMPARE(testo(1, "colDipendente"), QStringLiteral("BIANCHI ANNA"));
    QCOMPARE(testo(0, "colCitta"), QStringLiteral("Cesena"));

    // Caption, width and editability of a sample of columns; the rest follow the same table.
    const struct { const char *nome, *titolo; int larghezza; bool modificabile; } attese[] = {
        {"colNum", "N.", 60, false},          {"colDipendente", "Cognome e nome", 250, false},
        {"colStipendio", "Stipendio", 180, true}, {"colCitta", "Città", 250, false},
        {"colCap", "CAP", 120, true},          {"colNote", "Note", 350, false},
        {"colRecapito", "Recapito telefonico", 180, false}, {"colEmail", "E-mail", 250, true},
    };
    for (const auto &a : attese) {
        const int c = m_form->colonna(QLatin1String(a.nome));
        QVERIFY2(c >= 0, a.nome);
        QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(a.titolo));
        QCOMPARE(g->columnWidth(c), a.larghezza);
        QCOMPARE(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable), a.modificabile);
    }
    // A read-only cell refuses an edit.
    QVERIFY(!g->model()->setData(m->index(0, 1), QStringLiteral("X")));
    QCOMPARE(testo(0, "colDipendente"), QStringLiteral("ROSSI MARIO"));
    QCOMPARE(m_form->colonna(QStringLiteral("colEmail")), 18);
    QCOMPARE(m_form->colonna(QStringLiteral("colPreavviso")), -1); // in the .xlsx workbook alone
    QCOMPARE(m_form->panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));

    // Filled again from the archive, not added to.
    m_form->FormShow();
    QCOMPARE(m->rowCount(), 3);
}

void TestExpAnagrafica::esportaTreSchede()
{
    archivio({scheda(QStringLiteral("ROSSI MARIO"), QStringLiteral("Ore < 40 & turni")),
              scheda(QStringLiteral("BIANCHI ANNA"), {}), scheda(QStringLiteral("VERDI LUCA"), {})});
    // An older, longer export is replaced whole.
    {
        QFile f(xls());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100000, 'x'));
    }
    m_form->FormShow();
    // An editable cell is exported as it stands in the grid, trimmed.
    QAbstractItemModel *m = m_form->grdRecords->model();
    QVERIFY(m->setData(m->index(1, m_form->colonna(QStringLiteral("colStipendio"))),
                       QStringLiteral("  1.300,00 ")));

    m_servizi->rispondi(true);
    m_servizi->rispondi(true);
    m_form->cmdEsportaClick();

    const QByteArray riga1 =
        "<tr>" TD "ROSSI MARIO</td>" TD "Italiana</td>" TD "1.250,00</td>" TD "Forl\xEC</td>" TD "01/02/1980</td>"
        TD "RSSMRA80B01D704X</td>" TD "01234567890</td>" TD "Via Roma, 1</td>" TD "Cesena</td>" TD "FC</td>"
        TD "00184</td>" TD "Operaio</td>" TD "2</td>" TD "IT60X0542811101000000123456</td>"
        TD "Ore &lt; 40 &amp; turni</td>" TD "31/12/2017</td>" TD "0547 123456</td>" TD "mario@esempio.it</td></tr>";
    const QByteArray riga2 =
        "<tr>" TD "BIANCHI ANNA</td>" TD "Italiana</td>" TD "1.300,00</td>" TD "Forl\xEC</td>" TD "01/02/1980</td>"
        TD "RSSMRA80B01D704X</td>" TD "01234567890</td>" TD "Via Roma, 1</td>" TD "Cesena</td>" TD "FC</td>"
        TD "00184</td>" TD "Operaio</td>" TD "2</td>" TD "IT60X0542811101000000123456</td>"
        TD "</td>" TD "31/12/2017</td>" TD "0547 123456</td>" TD "mario@esempio.it</td></tr>";
    QByteArray riga3 = riga2;
    riga3.replace("BIANCHI ANNA", "VERDI LUCA").replace("1.300,00", "1.250,00");
    QCOMPARE(esportato(), Apertura + riga1 + riga2 + riga3 + Chiusura);

    QCOMPARE(m_servizi->testi(), (QStringList{ConfermaEsportazione, RiuscitaEsportazione}));
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(xls())});
}

// A cell changed in the grid takes in what a field of the card takes in: a
// letter of another Latin alphabet is written as the letter that stands for
// it, a character the file cannot hold is refused, and the info line says so.
void TestExpAnagrafica::cellaModificata()
{
    archivio({scheda(QStringLiteral("ROSSI MARIO"), {})});
    m_form->show();
    QTableView *g = m_form->grdRecords;
    const QModelIndex cella = g->model()->index(0, m_form->colonna(QStringLiteral("colEmail")));
    g->setCurrentIndex(cella);
    g->edit(cella);
    auto *editore = g->viewport()->findChild<QLineEdit *>();
    QVERIFY(editore);
    editore->selectAll();
    const auto digita = [editore](const QString &testo) {
        for (QChar c : testo)
            QTest::sendKeyEvent(QTest::Click, editore, Qt::Key_unknown, QString(c), Qt::NoModifier);
    };
    digita(QStringLiteral("ștefan@esempio.ro"));
    QCOMPARE(editore->text(), QStringLiteral("stefan@esempio.ro"));
    QCOMPARE(m_form->panInfo->text(),
             QStringLiteral("ș è stato scritto come s: lettera fuori dall'alfabeto occidentale (Windows-1252)."));
    digita(QStringLiteral("Ж"));
    QCOMPARE(editore->text(), QStringLiteral("stefan@esempio.ro"));
    QVERIFY(m_form->panInfo->text().startsWith(QStringLiteral("Il carattere \"Ж\" non è ammesso")));
    QTest::keyClick(editore, Qt::Key_Return);
    QTRY_COMPARE(cella.data().toString(), QStringLiteral("stefan@esempio.ro"));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestExpAnagrafica::schedaTroncataInFondo()
{
    // The grid streams the archive and keeps only its cells' bytes: a card cut
    // short at the end of the file is no card, and the bytes of the cards
    // read, control characters and bytes beyond ASCII included, come out as
    // the texts they are.
    TSchedaDipendente strana = scheda(QStringLiteral("D\u2019AMICO \u20AC\u0081 \tX"), QStringLiteral("a\u0001b"));
    archivio({scheda(QStringLiteral("ROSSI MARIO"), {}), strana});
    {
        QFile f(cartellaProgramma().archivioDipendenti());
        QVERIFY(f.open(QIODevice::Append));
        f.write(codificaScheda(scheda(QStringLiteral("TRONCATA"), {})).left(2000));
    }
    m_form->FormShow();
    const QAbstractItemModel *m = m_form->grdRecords->model();
    QCOMPARE(m->rowCount(), 2);
    const int nome = m_form->colonna(QStringLiteral("colDipendente"));
    QCOMPARE(m->index(1, nome).data().toString(), QStringLiteral("D\u2019AMICO \u20AC\u0081 \tX"));
    QCOMPARE(m->index(1, m_form->colonna(QStringLiteral("colNote"))).data().toString(), QStringLiteral("a\u0001b"));

    m_servizi->rispondi(true);
    m_servizi->rispondi(false);
    m_form->cmdEsportaClick();
    const QByteArray xlsDati = esportato();
    QVERIFY(xlsDati.startsWith(Apertura));
    QCOMPARE(xlsDati.count("<tr>"), 3); // the header row and two cards
    QVERIFY(xlsDati.contains(TD "D\x92" "AMICO \x80\x81 \tX</td>"));
    QVERIFY(xlsDati.contains(TD "a\x01" "b</td>"));
    QVERIFY(!xlsDati.contains("TRONCATA"));
}

void TestExpAnagrafica::archivioVuoto()
{
    m_form->FormShow();
    QCOMPARE(m_form->grdRecords->model()->rowCount(), 0);
    // Copying from a grid with no current cell copies nothing.
    QTest::keyClick(m_form->grdRecords, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(m_form->grdRecords, Qt::Key_Insert, Qt::ControlModifier);
    m_form->cmdEsportaClick();
    QCOMPARE(esportato(), Apertura + Chiusura);
}

void TestExpAnagrafica::domande_data()
{
    QTest::addColumn<bool>("primaSi");
    QTest::addColumn<bool>("scritto");
    QTest::addColumn<QStringList>("testi");

    QTest::newRow("No to exporting") << false << false << QStringList{ConfermaEsportazione};
    QTest::newRow("No to opening") << true << true << QStringList{ConfermaEsportazione, RiuscitaEsportazione};
}

void TestExpAnagrafica::domande()
{
    QFETCH(bool, primaSi);
    QFETCH(bool, scritto);
    QFETCH(QStringList, testi);

    archivio({scheda(QStringLiteral("ROSSI MARIO"), {})});
    m_form->FormShow();
    m_servizi->rispondi(primaSi);
    m_servizi->rispondi(false);
    m_form->cmdEsportaClick();

    QCOMPARE(QFile::exists(xls()), scritto);
    QCOMPARE(m_servizi->testi(), testi);
    for (const MessaggioMostrato &m : m_servizi->messaggi)
        QCOMPARE(m.genere, G::Domanda);
    QVERIFY(m_servizi->aperti.isEmpty());
}

// The mouse moves as the window system delivers them: the picture button under
// the mouse shows its hint, the grid and the strip around the buttons empty it.
void TestExpAnagrafica::suggerimenti()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    QCOMPARE(sopra(m_form->cmdGuida, QPoint(20, 10)), QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    QCOMPARE(sopra(m_form->cmdEsporta, QPoint(20, 20)), QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    QCOMPARE(sopra(m_form->cmdEsportaXlsx, QPoint(20, 20)),
             QStringLiteral("Esporta in Excel (.xlsx): importi e date come numeri e date, pronti per i calcoli."));
    QCOMPARE(sopra(m_form->shpStrumenti, QPoint(300, 30)), QString());
    QCOMPARE(sopra(m_form->cmdEsci, QPoint(30, 10)), QStringLiteral("Esci da questo ambiente di lavoro."));
    QCOMPARE(sopra(m_form->grdRecords->viewport(), QPoint(100, 100)), QString());
}

void TestExpAnagrafica::cartellaMancante()
{
    impostaCartellaProgramma(m_dir->filePath(QStringLiteral("manca")));
    m_form->FormShow();
    QCOMPARE(m_form->grdRecords->model()->rowCount(), 0);
    QVERIFY2(m_servizi->messaggi.isEmpty(), qPrintable(m_servizi->testi().join(u'|'))); // a missing archive is empty

    m_form->cmdEsportaClick();
    QCOMPARE(m_servizi->messaggi.size(), 2);
    QCOMPARE(m_servizi->messaggi.at(1).genere, G::Semplice);
    QCOMPARE(m_servizi->messaggi.at(1).testo, ErroreEsportazione);
    QVERIFY(m_servizi->aperti.isEmpty());
}

void TestExpAnagrafica::cartellaInSolaLettura_data()
{
    QTest::addColumn<bool>("scelto");
    QTest::newRow("salvato altrove") << true;
    QTest::newRow("rinuncia") << false;
}

// A program folder that can only be read: the user is told and chooses where
// the spreadsheet goes; the bytes are those the program folder would get.
void TestExpAnagrafica::cartellaInSolaLettura()
{
    QFETCH(bool, scelto);
    archivio({scheda(QStringLiteral("ROSSI MARIO"), QStringLiteral("Ore < 40 & turni"))});
    m_form->FormShow();
    m_servizi->rispondi(true);
    m_servizi->rispondi(false);
    m_form->cmdEsportaClick();
    const QByteArray atteso = esportato();
    QVERIFY(QFile::remove(xls()));
    m_servizi->messaggi.clear();

    QTemporaryDir altrove;
    const QString scelta = altrove.filePath(QStringLiteral("Riepilogo"));
    guasti::negaScrittura(true);
    m_servizi->rispondi(true);
    m_servizi->rispondi(true);
    m_servizi->prossimoFile(scelto ? scelta : QString());
    m_form->cmdEsportaClick();
    guasti::negaScrittura(false);

    const QString avviso = QStringLiteral("Attenzione: la cartella del programma è in sola lettura: il file di Excel "
                                          "non può essere creato lì.\n\r\n\rScegliere in quale cartella salvarlo.");
    QCOMPARE(m_servizi->filtriFile.value(0), QStringList{QStringLiteral("Cartella di lavoro di Microsoft Excel (*.xls)")});
    QCOMPARE(QFileInfo(m_servizi->nomiIniziali.value(0)).fileName(), QStringLiteral("Dipendenti.xls"));
    QVERIFY(!QFile::exists(xls()));
    if (scelto) {
        QCOMPARE(m_servizi->testi(), (QStringList{ConfermaEsportazione, avviso, RiuscitaEsportazione}));
        QFile f(scelta + QStringLiteral(".xls"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), atteso);
        QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(f.fileName())});
    } else {
        QCOMPARE(m_servizi->testi(), (QStringList{ConfermaEsportazione, avviso}));
        QVERIFY(QDir(altrove.path()).isEmpty());
        QVERIFY(m_servizi->aperti.isEmpty());
    }
}

void TestExpAnagrafica::guida()
{
    const GuidaMostrata g = guidaMostrata(*m_servizi, [this] { m_form->cmdGuidaClick(); });
    QCOMPARE(g.dialoghi, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(g.titolo, QStringLiteral("Esportazione archivio Dipendenti in Microsoft Excel."));
    QCOMPARE(g.paragrafi.size(), 4);
    QVERIFY(g.paragrafi.at(0).startsWith(QStringLiteral("Il pulsante Esporta archivio consente")));
    // Both spreadsheet buttons, each with the file it writes.
    for (const char *parola : {"Dipendenti.xls,", "Esporta in Excel (.xlsx)", "Dipendenti.xlsx", "giorni di preavviso"})
        QVERIFY2(g.paragrafi.at(1).contains(QLatin1String(parola)), parola);
    QVERIFY(g.paragrafi.at(2).contains(QStringLiteral("Annulla")));
    QCOMPARE(g.paragrafi.at(3), QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                                               "assegnandogli un nome qualsiasi."));
}

void TestExpAnagrafica::apertoDaLibreOffice()
{
    if (soffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the export is not opened by a real spreadsheet program.");

    const TSchedaDipendente s = scheda(QStringLiteral("ROSSI MARIO"), QStringLiteral("Ore < 40 & turni €"));
    archivio({s});
    m_form->FormShow();
    m_form->cmdEsportaClick();

    // The file is recognised by its content and converted to UTF-8 CSV with a private profile.
    QString errore;
    const QStringList righe = righeLibreOffice(xls(), m_dir->path(), &errore);
    QVERIFY2(!righe.isEmpty(), qPrintable(errore));
    QCOMPARE(righe.size(), 2);
    QCOMPARE(righe.at(0).split(QLatin1Char(';')),
             (QStringList{"Cognome e nome", "Cittadinanza", "Stipendio", "Luogo di nascita", "Data di nascita",
                          "Codice fiscale", "Partita IVA", "Indirizzo di residenza", "Città", "Prov.", "CAP",
                          "Qualifiche", "Familiari a carico", "IBAN", "Note", "Scadenza contratto",
                          "Recapito telefonico", "E-mail"}));
    QCOMPARE(righe.at(1).split(QLatin1Char(';')),
             (QStringList{s.Dipendente, s.Cittadinanza, s.Stipendio, s.Luogo, s.DataNasc, s.CodFisc, s.PartitaIva,
                          s.Indirizzo, s.Citta, s.Prov, s.Cap, s.Qualifiche, s.Familiari, s.Iban, s.Note, s.DataSca,
                          s.Recapito, s.Email}));
}

namespace {

// The cards of the workbook's test: amounts, dates and codes as they come,
// empty ones, the longest values, texts that are no amount or date, and a
// card whose editable cells are changed in the grid.
QList<TSchedaDipendente> schedeCartella()
{
    TSchedaDipendente rossi = scheda(QStringLiteral("ROSSI MARIO"), QStringLiteral("Ore < 40 & turni €"));
    rossi.Stipendio = QStringLiteral("1.250,50");
    TSchedaDipendente vuota;
    vuota.Dipendente = QStringLiteral("BIANCHI ANNA");
    TSchedaDipendente lunga = scheda(QStringLiteral("D\u2019AMICO ") + QString(42, u'Z'), QString(250, u'n'));
    lunga.Stipendio = QStringLiteral("9.999.999,99");
    lunga.Familiari = QString(250, u'f');
    lunga.Preavviso = QStringLiteral("365");
    TSchedaDipendente strana = scheda(QStringLiteral("VERDI LUCA"), QStringLiteral("a\u0001b"));
    strana.Stipendio = QStringLiteral("da definire");
    strana.DataNasc = QStringLiteral("31/02/1980");
    strana.Preavviso = QStringLiteral("n.d");
    TSchedaDipendente cambiata = scheda(QStringLiteral("NERI PAOLA"), {});
    cambiata.Stipendio = QStringLiteral("1.000,00");
    cambiata.DataSca = QStringLiteral("01/01/2018");
    return {rossi, vuota, lunga, strana, cambiata};
}

} // namespace

// The workbook as a spreadsheet program reads it after LibreOffice opened and
// saved it: the grid's rows with the grid's changes, amounts and dates that
// calculate, codes as text; the header row bold, frozen and filtered.
void TestExpAnagrafica::cartellaXlsx()
{
    archivio(schedeCartella());
    m_form->FormShow();
    QAbstractItemModel *m = m_form->grdRecords->model();
    const auto cambia = [&](const char *nome, const QString &valore) {
        return m->setData(m->index(4, m_form->colonna(QLatin1String(nome))), valore);
    };
    QVERIFY(cambia("colStipendio", QStringLiteral("  2.000,75 ")));
    QVERIFY(cambia("colDataSca", QStringLiteral("15/06/2018")));
    QVERIFY(cambia("colEmail", QStringLiteral("paola@esempio.it")));
    m_servizi->rispondi(true);
    m_form->cmdEsportaXlsxClick();
    QCOMPARE(m_servizi->testi(), QStringList{RiuscitaCartella(xlsx())});
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(xlsx())});
    QVERIFY(m_servizi->avanzamenti.isEmpty()); // a handful of cards needs no progress window
    QVERIFY(!QFile::exists(xls()));

    const CartellaLetta letta = leggiCartella(xlsx(), m_dir->filePath(QStringLiteral("lettura")),
                                              {QStringLiteral("=SUM(C2:C6)"), QStringLiteral("=P2-E2")});
    QVERIFY2(letta.errore.isEmpty(), qPrintable(letta.errore));

    const QStringList titoli = {"Cognome e nome", "Cittadinanza", "Stipendio", "Luogo di nascita", "Data di nascita",
                                "Codice fiscale", "Partita IVA", "Indirizzo di residenza", "Città", "Prov.", "CAP",
                                "Qualifiche", "Familiari a carico", "IBAN", "Note", "Scadenza contratto",
                                "Giorni preavviso", "Recapito telefonico", "E-mail"};
    for (const QJsonObject &foglio : {letta.originale, letta.libreoffice}) {
        QCOMPARE(foglio.value("fogli").toArray(), QJsonArray{QStringLiteral("Riepilogo Dipendenti")});
        QCOMPARE(intestazioni(foglio), titoli);
        QCOMPARE(righe(foglio).size(), 6);
        QCOMPARE(foglio.value("filtro").toString(), QStringLiteral("A1:S6"));
        QCOMPARE(foglio.value("grassetto").toArray().size(), titoli.size());
        for (const QJsonValue &b : foglio.value("grassetto").toArray())
            QVERIFY(b.toBool());
        const QJsonObject p = foglio.value("proprieta").toObject();
        QCOMPARE(p.value("autore").toString(), QStringLiteral("Quadrivela"));
        QCOMPARE(p.value("titolo").toString(), QStringLiteral("Riepilogo Dipendenti"));
        QCOMPARE(p.value("creato").toString(), m_servizi->orologio.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    }
    // The header row stays in view (LibreOffice without a window saves no view).
    QCOMPARE(letta.originale.value("bloccato").toString(), QStringLiteral("A2"));
    for (const QJsonObject &foglio : {letta.originale, letta.libreoffice})
        QCOMPARE(stampa(foglio), QStringLiteral("landscape|9|fit|1|0|$1:$1"));
    QCOMPARE(letta.pagine, 1);
    // Each column as wide as its content: the longest name and note widen theirs.
    const QJsonObject larghezze = letta.originale.value("larghezze").toObject();
    QCOMPARE(larghezze.size(), titoli.size());
    QVERIFY(larghezze.value("A").toDouble() >= 50);
    QVERIFY(larghezze.value("O").toDouble() >= 80);
    QVERIFY(larghezze.value("E").toDouble() >= 10);
    QVERIFY(larghezze.value("J").toDouble() < larghezze.value("E").toDouble());

    // Row (1 is the first card), column, and the cell as LibreOffice saved it
    // (a text in a column of amounts or dates stays text, in the column's format).
    const struct { const char *caso; int riga; const char *colonna, *atteso; } casi[] = {
        {"amount", 1, "Stipendio", "n|1250.5|#,##0.00"},
        {"empty amount", 2, "Stipendio", ""},
        {"longest amount", 3, "Stipendio", "n|9999999.99|#,##0.00"},
        {"no amount", 4, "Stipendio", "s|da definire|#,##0.00"},
        {"amount changed in the grid", 5, "Stipendio", "n|2000.75|#,##0.00"},
        {"date", 1, "Data di nascita", "d|1980-02-01|dd/mm/yyyy"},
        {"empty date", 2, "Data di nascita", ""},
        {"impossible date", 4, "Data di nascita", "s|31/02/1980|dd/mm/yyyy"},
        {"date changed in the grid", 5, "Scadenza contratto", "d|2018-06-15|dd/mm/yyyy"},
        {"codice fiscale", 1, "Codice fiscale", "s|RSSMRA80B01D704X|@"},
        {"partita IVA with a leading zero", 1, "Partita IVA", "s|01234567890|@"},
        {"CAP with leading zeros", 1, "CAP", "s|00184|@"},
        {"empty code", 2, "CAP", ""},
        {"IBAN", 1, "IBAN", "s|IT60X0542811101000000123456|@"},
        {"phone number", 1, "Recapito telefonico", "s|0547 123456|@"},
        {"notice days", 1, "Giorni preavviso", "n|30|0"},
        {"longest notice", 3, "Giorni preavviso", "n|365|0"},
        {"no notice days", 4, "Giorni preavviso", "s|n.d|0"},
        {"empty notice", 2, "Giorni preavviso", ""},
        {"dependants", 1, "Familiari a carico", "n|2|0"},
        {"no dependants", 2, "Familiari a carico", ""},
        {"accented text", 1, "Luogo di nascita", "s|Forlì|General"},
        {"Windows-1252 text", 1, "Note", "s|Ore < 40 & turni €|General"},
        {"control character", 4, "Note", "s|a b|General"},
        {"text changed in the grid", 5, "E-mail", "s|paola@esempio.it|General"},
    };
    const QList<QStringList> scritte = righe(letta.libreoffice);
    for (const auto &c : casi) {
        const QString cella = scritte.at(c.riga).value(int(titoli.indexOf(QString::fromUtf8(c.colonna))));
        QVERIFY2(cella == QString::fromUtf8(c.atteso), qPrintable(QStringLiteral("%1: %2").arg(c.caso, cella)));
    }
    const TSchedaDipendente lunga = schedeCartella().at(2);
    QCOMPARE(scritte.at(3).at(0), QStringLiteral("s|") + lunga.Dipendente + QStringLiteral("|General"));
    QCOMPARE(scritte.at(3).at(14), QStringLiteral("s|") + lunga.Note + QStringLiteral("|General"));
    QCOMPARE(scritte.at(3).at(12), QStringLiteral("s|") + lunga.Familiari + QStringLiteral("|0"));

    // LibreOffice adds up the amounts to the program's own total (the grid's
    // amounts as the program reads an amount) and subtracts the dates.
    double totale = 0;
    const int stipendio = m_form->colonna(QStringLiteral("colStipendio"));
    for (int r = 0; r < m->rowCount(); ++r) {
        const QString t = m->index(r, stipendio).data().toString().trimmed();
        if (!t.isEmpty() && statoImporto(t) == StatoImporto::Valido)
            totale += formattaImporto(t).replace(u',', u'.').toDouble();
    }
    QCOMPARE(letta.formule.size(), 2);
    QCOMPARE(cella(letta.formule.at(0)).section(u'|', 0, 0), QStringLiteral("n"));
    QCOMPARE(QString::number(cella(letta.formule.at(0)).section(u'|', 1, 1).toDouble(), 'f', 2),
             QString::number(totale, 'f', 2));
    QCOMPARE(totale, 1250.50 + 9999999.99 + 2000.75);
    QCOMPARE(cella(letta.formule.at(1)).section(u'|', 0, 1),
             QStringLiteral("n|") + QString::number(QDate(1980, 2, 1).daysTo(QDate(2017, 12, 31))));
}

void TestExpAnagrafica::annullata_data()
{
    QTest::addColumn<bool>("xlsx");
    QTest::addColumn<bool>("fileDiPrima");
    QTest::newRow(".xls") << false << false;
    QTest::newRow(".xls over an earlier export") << false << true;
    QTest::newRow(".xlsx") << true << false;
    QTest::newRow(".xlsx over an earlier export") << true << true;
}

// An export of thousands of cards shows its progress; stopped, it leaves the
// file it would replace as it was, or none, and no file of its own.
void TestExpAnagrafica::annullata()
{
    QFETCH(bool, xlsx);
    QFETCH(bool, fileDiPrima);
    constexpr int schede = 5001;
    {
        QFile f(cartellaProgramma().archivioDipendenti());
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray s = codificaScheda(scheda(QStringLiteral("ROSSI MARIO"), {}));
        for (int i = 0; i < schede; ++i)
            f.write(s);
    }
    const QString percorso = xlsx ? this->xlsx() : xls();
    if (fileDiPrima) {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("esportazione di prima");
    }
    m_form->FormShow();
    QCOMPARE(m_form->grdRecords->model()->rowCount(), schede);
    const auto esporta = [&] { xlsx ? m_form->cmdEsportaXlsxClick() : m_form->cmdEsportaClick(); };

    m_servizi->annullaAvanzamento(2048);
    esporta();
    QCOMPARE(m_servizi->avanzamenti.size(), 1);
    const AvanzamentoMostrato a = m_servizi->avanzamenti.at(0);
    QCOMPARE(a.testo, QStringLiteral("Esportazione delle schede in corso..."));
    QCOMPARE(a.totale, schede);
    QVERIFY(a.fermato);
    QCOMPARE(a.passi, (QList<qint64>{1024, 2048}));
    QCOMPARE(m_servizi->testi(), QStringList{ConfermaEsportazione}); // stopped: no failure, no question
    const QString annullata = QStringLiteral("Esportazione annullata: il file di Excel non è stato scritto.");
    QCOMPARE(m_form->panInfo->text(), annullata);
    // The notice stays while the pointer crosses the grid; a button's hint
    // takes its place, and the grid empties the line of the hint.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    QCOMPARE(sopra(m_form->grdRecords->viewport(), QPoint(100, 100)), annullata);
    QCOMPARE(sopra(m_form->grdRecords->viewport(), QPoint(120, 140)), annullata);
    QCOMPARE(sopra(m_form->cmdEsci, QPoint(30, 10)), QStringLiteral("Esci da questo ambiente di lavoro."));
    QCOMPARE(sopra(m_form->grdRecords->viewport(), QPoint(100, 100)), QString());
    QCOMPARE(QFile::exists(percorso), fileDiPrima);
    if (fileDiPrima) {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("esportazione di prima"));
    }
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), fileDiPrima ? 2 : 1);

    // Not stopped, it runs to the last card and writes the file.
    m_servizi->azzera();
    m_servizi->rispondi(true);
    m_servizi->rispondi(false);
    esporta();
    QCOMPARE(m_servizi->avanzamenti.size(), 1);
    QCOMPARE(m_servizi->avanzamenti.at(0).passi.constLast(), qint64(schede));
    QVERIFY(!m_servizi->avanzamenti.at(0).fermato);
    QCOMPARE(m_servizi->testi(),
             (QStringList{ConfermaEsportazione, xlsx ? RiuscitaCartella(percorso) : RiuscitaEsportazione}));
    QVERIFY(QFileInfo(percorso).size() > 100000);
}

// Tab, Shift+Tab and Ctrl+Tab leave a grid with rows, also from a cell being
// edited (which keeps what was typed), so that the buttons above it are
// reached; the arrows move inside it.
void TestExpAnagrafica::tabEsceDallaGriglia()
{
    archivio({scheda(QStringLiteral("ROSSI MARIO"), {}), scheda(QStringLiteral("BIANCHI ANNA"), {})});
    m_form->show();
    QApplication::setActiveWindow(m_form);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QTableView *g = m_form->grdRecords;
    const QModelIndex primo = g->model()->index(0, m_form->colonna(QStringLiteral("colEmail")));
    const auto inGriglia = [&] {
        g->setFocus(Qt::OtherFocusReason);
        g->setCurrentIndex(primo);
        return g->hasFocus();
    };
    const struct { Qt::Key tasto; Qt::KeyboardModifiers modificatori; QWidget *dopo; } casi[] = {
        {Qt::Key_Tab, Qt::NoModifier, m_form->cmdEsporta},
        {Qt::Key_Backtab, Qt::ShiftModifier, m_form->cmdEsci},
        {Qt::Key_Tab, Qt::ControlModifier, m_form->cmdEsporta},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, m_form->cmdEsci},
    };
    for (const auto &c : casi) {
        QVERIFY(inGriglia());
        QTest::keyClick(g, c.tasto, c.modificatori);
        QCOMPARE(QApplication::focusWidget(), c.dopo);
        QCOMPARE(g->currentIndex(), primo);
    }
    // From the last button Tab comes back to the grid.
    QTest::keyClick(m_form->cmdEsci, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), g);
    // The arrows move inside it.
    QVERIFY(inGriglia());
    QTest::keyClick(g, Qt::Key_Down);
    QCOMPARE(g->currentIndex().row(), 1);
    QTest::keyClick(g, Qt::Key_Left);
    QCOMPARE(g->currentIndex().column(), primo.column() - 1);
    QVERIFY(g->hasFocus());

    // A cell being edited takes in what was typed, and Tab leaves the grid.
    QVERIFY(inGriglia());
    g->edit(primo);
    auto *editore = g->viewport()->findChild<QLineEdit *>();
    QVERIFY(editore);
    editore->setText(QStringLiteral("anna@esempio.it"));
    QTest::keyClick(editore, Qt::Key_Tab);
    QCOMPARE(primo.data().toString(), QStringLiteral("anna@esempio.it"));
    QCOMPARE(QApplication::focusWidget(), m_form->cmdEsporta);
    QVERIFY(!g->viewport()->findChild<QLineEdit *>() || !g->viewport()->findChild<QLineEdit *>()->isVisible());
}

QTEST_MAIN(TestExpAnagrafica)
#include "tst_frmexpanagrafica.moc"
