#include <QTest>

#include "ui/mnemonici.h"
#include "app/frmavvio.h"
#include "app/pannelloscadenze.h"
#include "contracts/frmcontratti.h"
#include "registry/frmanagrafica.h"
#include "storage/archivio.h"
#include "storage/blocco.h"
#include "core/os/file.h"
#include "support/altroprocesso.h"
#include "support/contrattiprova.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"
#include "ui/frmelenco.h"
#include "ui/schermi.h"
#include "core/sottofondo.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace qv;

namespace {

TSchedaDipendente dipendente(const QString &nome, const QString &scadenza, int preavviso = 0)
{
    TSchedaDipendente s;
    s.Dipendente = nome;
    s.DataSca = scadenza;
    s.Preavviso = QString::number(preavviso);
    return s;
}

void archiviaDipendenti(const QString &percorso, const QList<TSchedaDipendente> &schede)
{
    ArchivioDipendenti a(percorso);
    a.apri();
    for (const TSchedaDipendente &s : schede)
        a.accoda(s);
    a.chiudi();
}

// What the list a click of the notice opened showed.
struct ElencoAperto
{
    QString classe;
    QStringList nomi;        // the card each line shows, by its name
    bool dateInVista = true; // each line's end date shows without scrolling sideways
};

} // namespace

// The main menu's notice of the contracts ending within 30 days, today being
// 15/03/2017 by the services' clock.
class TestPannelloScadenze : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase() { Schermi::distruggiTutti(); }
    void conteggi_data();
    void conteggi();
    void nientePerArchiviIlleggibili();
    void clicAprono();
    void chiusuraDuranteLaLettura();

private:
    // Shows the main menu and waits for its read: true when the menu did not wait for it.
    bool mostraMenu();
    // Clicks a line of the notice and reads the list it opens; `scadenze`
    // gives each card's end date by its name.
    ElencoAperto clicca(QPushButton *riga, const QHash<QString, QString> &scadenze);
    QString dip() const { return QDir(m_dir.path()).filePath(QStringLiteral("Dipendenti.pro")); }
    QString con() const { return QDir(m_dir.path()).filePath(QStringLiteral("2017.con")); }

    ServiziProva m_servizi;
    QTemporaryDir m_dir;
    TfrmAvvio *m_menu = nullptr;
    PannelloScadenze *m_pan = nullptr;
};

void TestPannelloScadenze::initTestCase()
{
    impostaCartellaProgramma(m_dir.path());
    Schermi::creaTutti();
    m_menu = Schermi::di<TfrmAvvio>();
    m_pan = m_menu->findChild<PannelloScadenze *>();
    QVERIFY(m_pan);
    QVERIFY(m_menu->pannello()->rect().contains(m_pan->geometry()));
    QVERIFY(!m_pan->geometry().intersects(m_menu->imgSottotitolo->geometry()));
    QVERIFY(!m_pan->geometry().intersects(m_menu->imgAnagrafica->geometry()));
}

void TestPannelloScadenze::init()
{
    for (QWidget *w : Schermi::tutti())
        w->hide();
    m_servizi.azzera();
    for (const QString &f : {dip(), con()}) {
        QFile::remove(f);
        QDir(f).removeRecursively();
    }
}

bool TestPannelloScadenze::mostraMenu()
{
    m_menu->hide();
    m_menu->show();
    const bool senzaAttesa = m_pan->inLettura();
    if (!QTest::qWaitFor([&] { return !m_pan->inLettura(); }, 20000))
        return false;
    return senzaAttesa;
}

ElencoAperto TestPannelloScadenze::clicca(QPushButton *riga, const QHash<QString, QString> &scadenze)
{
    ElencoAperto aperto;
    m_servizi.quandoDialogo([&](QDialog *d) {
        aperto.classe = QString::fromLatin1(d->metaObject()->className()).section(u':', -1);
        auto *elenco = qobject_cast<TfrmElenco *>(d);
        if (!elenco)
            return int(QDialog::Rejected);
        elenco->show();
        const QFontMetrics fm(elenco->lstRecords->font());
        const int larghezza = elenco->lstRecords->viewport()->width();
        for (const QString &r : elenco->righe()) {
            QString nome;
            for (auto i = scadenze.cbegin(); i != scadenze.cend(); ++i)
                if (r.contains(i.key()))
                    nome = i.key();
            aperto.nomi << nome;
            const qsizetype data = nome.isEmpty() ? -1 : r.indexOf(u' ' + scadenze.value(nome));
            aperto.dateInVista = aperto.dateInVista && data >= 0
                && fm.horizontalAdvance(r.left(data + 11)) <= larghezza;
        }
        elenco->close();
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(riga, Qt::LeftButton);
    return aperto;
}

void TestPannelloScadenze::conteggi_data()
{
    QTest::addColumn<QList<TSchedaDipendente>>("dipendenti");
    QTest::addColumn<QList<TSchedaContratto>>("contratti");
    QTest::addColumn<QString>("rigaDipendenti"); // empty: not shown
    QTest::addColumn<QString>("rigaContratti");
    // The cards the list opened by each line shows, by name.
    QTest::addColumn<QStringList>("elencoDipendenti");
    QTest::addColumn<QStringList>("elencoContratti");
    using prova::contratto;
    const QString s = QStringLiteral("01/01/2017");

    QTest::newRow("archivi vuoti") << QList<TSchedaDipendente>{} << QList<TSchedaContratto>{} << "" << ""
                                   << QStringList{} << QStringList{};
    QTest::newRow("nessuna scadenza vicina")
        << QList<TSchedaDipendente>{dipendente("Scaduto Ieri", "14/03/2017"), dipendente("Tra 31 Giorni", "15/04/2017"),
                                    // Its notice period began today; the contract ends in 40 days.
                                    dipendente("Preavviso Iniziato", "24/04/2017", 40)}
        << QList<TSchedaContratto>{contratto("Finito Ieri", s, s, "14/03/2017"),
                                   contratto("Tra 31 Giorni", s, s, "15/04/2017"),
                                   contratto("Rescisso", s, s, "20/03/2017", QStringLiteral("Sì"))}
        << "" << "" << QStringList{} << QStringList{};
    QTest::newRow("alcune")
        << QList<TSchedaDipendente>{dipendente("Oggi", "15/03/2017"), dipendente("Scaduto Ieri", "14/03/2017"),
                                    dipendente("Data Guasta", "31/02/2017"), dipendente("Data Vuota", ""),
                                    dipendente("Tra 30 Giorni", "14/04/2017"), dipendente("Tra 31 Giorni", "15/04/2017"),
                                    // In its notice period, and one whose notice period has not begun.
                                    dipendente("Tra 10 Giorni", "25/03/2017", 15), dipendente("Tra 20 Giorni", "04/04/2017"),
                                    dipendente("Preavviso Iniziato", "24/04/2017", 40)}
        << QList<TSchedaContratto>{contratto("Oggi", s, s, "15/03/2017"), contratto("Finito Ieri", s, s, "14/03/2017"),
                                   contratto("Rescisso", s, s, "20/03/2017", QStringLiteral("Sì")),
                                   contratto("Stato Ignoto", s, s, "20/03/2017", QStringLiteral("Forse")),
                                   contratto("Fine Vuota", s, s, ""),
                                   contratto("Tra 30 Giorni", s, s, "14/04/2017"),
                                   contratto("Tra 31 Giorni", s, s, "15/04/2017"),
                                   contratto("Tra 20 Giorni", s, s, "04/04/2017")}
        << "4 contratti di Dipendenti scadono entro 30 giorni"
        << "3 contratti di collaborazione del 2017 terminano entro 30 giorni"
        << QStringList{"Oggi", "Tra 30 Giorni", "Tra 10 Giorni", "Tra 20 Giorni"}
        << QStringList{"Oggi", "Tra 30 Giorni", "Tra 20 Giorni"};
    QTest::newRow("una sola, dipendenti")
        << QList<TSchedaDipendente>{dipendente("Tra 10 Giorni", "25/03/2017")} << QList<TSchedaContratto>{}
        << "1 contratto di un Dipendente scade entro 30 giorni" << "" << QStringList{"Tra 10 Giorni"} << QStringList{};
    QTest::newRow("una sola, contratti")
        << QList<TSchedaDipendente>{} << QList<TSchedaContratto>{contratto("Domani", s, s, "16/03/2017")}
        << "" << "1 contratto di collaborazione del 2017 termina entro 30 giorni" << QStringList{}
        << QStringList{"Domani"};
}

// The notice shows its counts, and a click on a line opens the list of
// exactly the cards it counted, each with its end date in view.
void TestPannelloScadenze::conteggi()
{
    QFETCH(QList<TSchedaDipendente>, dipendenti);
    QFETCH(QList<TSchedaContratto>, contratti);
    QFETCH(QString, rigaDipendenti);
    QFETCH(QString, rigaContratti);
    QFETCH(QStringList, elencoDipendenti);
    QFETCH(QStringList, elencoContratti);
    archiviaDipendenti(dip(), dipendenti);
    prova::archiviaContratti(con(), contratti);

    QVERIFY2(mostraMenu(), "the main menu waited for the archives");
    QCOMPARE(m_pan->isVisible(), !rigaDipendenti.isEmpty() || !rigaContratti.isEmpty());
    QCOMPARE(m_pan->btnScadenzeDipendenti->isVisible(), !rigaDipendenti.isEmpty());
    QCOMPARE(m_pan->btnScadenzeContratti->isVisible(), !rigaContratti.isEmpty());
    if (!rigaDipendenti.isEmpty())
        QCOMPARE(nomePulsante(m_pan->btnScadenzeDipendenti), rigaDipendenti); // without its mnemonic's mark
    if (!rigaContratti.isEmpty())
        QCOMPARE(nomePulsante(m_pan->btnScadenzeContratti), rigaContratti);
    // The whole line can be read.
    for (QPushButton *b : {m_pan->btnScadenzeDipendenti, m_pan->btnScadenzeContratti})
        if (b->isVisible())
            QVERIFY(b->width() >= b->fontMetrics().horizontalAdvance(b->text()));
    QVERIFY(m_servizi.messaggi.isEmpty());

    QHash<QString, QString> scadenzeDipendenti, scadenzeContratti;
    for (const TSchedaDipendente &d : std::as_const(dipendenti))
        scadenzeDipendenti.insert(d.Dipendente, d.DataSca);
    for (const TSchedaContratto &c : std::as_const(contratti))
        scadenzeContratti.insert(c.Dipendente, c.DataFine);
    const struct
    {
        QPushButton *riga;
        const QHash<QString, QString> &scadenze;
        const QStringList &attesi;
    } linee[] = {{m_pan->btnScadenzeDipendenti, scadenzeDipendenti, elencoDipendenti},
                 {m_pan->btnScadenzeContratti, scadenzeContratti, elencoContratti}};
    for (const auto &l : linee) {
        if (!l.riga->isVisible())
            continue;
        const int contate = l.riga->text().section(u' ', 0, 0).toInt();
        const QString testo = l.riga->text();
        const ElencoAperto aperto = clicca(l.riga, l.scadenze);
        QVERIFY2(!aperto.classe.isEmpty(), qPrintable(testo));
        QCOMPARE(aperto.nomi.size(), contate);
        QStringList nomi = aperto.nomi, attesi = l.attesi;
        nomi.sort();
        attesi.sort();
        QCOMPARE(nomi, attesi);
        QVERIFY2(aperto.dateInVista, qPrintable(aperto.nomi.join(u',')));
        // Back to the main menu for the other line.
        for (QWidget *w : Schermi::tutti())
            w->hide();
        QVERIFY(mostraMenu());
    }
}

// Missing archives are not created, unreadable ones show nothing and no
// message; the other archive still counts.
void TestPannelloScadenze::nientePerArchiviIlleggibili()
{
    QVERIFY(mostraMenu());
    QVERIFY(!m_pan->isVisible());
    QVERIFY(!QFileInfo::exists(dip()));
    QVERIFY(!QFileInfo::exists(con()));

    // A folder where the employee archive should be; the year file still counts.
    QVERIFY(QDir().mkpath(dip()));
    prova::archiviaContratti(con(), {prova::contratto("Domani", "01/01/2017", "01/01/2017", "16/03/2017")});
    QVERIFY(mostraMenu());
    QVERIFY(m_pan->isVisible());
    QVERIFY(!m_pan->btnScadenzeDipendenti->isVisible());
    QVERIFY(m_pan->btnScadenzeContratti->isVisible());

    QVERIFY(QFile::remove(con()));
    QVERIFY(QDir().mkpath(con()));
    QVERIFY(mostraMenu());
    QVERIFY(!m_pan->isVisible());
    QVERIFY(m_servizi.messaggi.isEmpty());
}

// A click opens the list of the cards counted over its area: the registry's,
// the current year's contract archive.
void TestPannelloScadenze::clicAprono()
{
    archiviaDipendenti(dip(), {dipendente("Tra 10 Giorni", "25/03/2017")});
    prova::archiviaContratti(con(), {prova::contratto("Domani", "01/01/2017", "01/01/2017", "16/03/2017")});
    QVERIFY(mostraMenu());
    QTest::mouseClick(m_pan->btnScadenzeDipendenti, Qt::LeftButton);
    QCOMPARE(m_servizi.dialoghiEseguiti, QStringList{QStringLiteral("TfrmScadenzeVicine")});
    QVERIFY(Schermi::di<TfrmAnagrafica>()->isVisible());
    QVERIFY(!m_menu->isVisible());

    Schermi::di<TfrmAnagrafica>()->hide();
    QVERIFY(mostraMenu());
    QTest::mouseClick(m_pan->btnScadenzeContratti, Qt::LeftButton);
    QCOMPARE(m_servizi.dialoghiEseguiti,
             (QStringList{QStringLiteral("TfrmScadenzeVicine"), QStringLiteral("TfrmContrattiInScadenza")}));
    auto *contratti = Schermi::di<TfrmContratti>();
    QVERIFY(contratti->isVisible());
    QCOMPARE(contratti->fileAnno(), con());
    QVERIFY(!m_menu->isVisible());
}

// The screens closed, and the program folder changed, while the band still
// reads a large archive (13 MB): the read has ended first, so nothing it uses
// goes away or changes under it, and the program can end at once. (Last: it
// closes the screens.)
void TestPannelloScadenze::chiusuraDuranteLaLettura()
{
    const QByteArray una = codificaScheda(dipendente(QStringLiteral("LONTANO"), QStringLiteral("31/12/2030")));
    QVERIFY(prova::scriviFile(dip(), una.repeated(5000)));
    // Another copy saves meanwhile: the read waits for its turn.
    guasti::impostaAttesaBlocco(1500);
    const QString archivio = dip();
    prova::AltroProcesso altra([&] {
        auto *blocco = new BloccoFile;
        blocco->prendi(os::apri(archivio, os::LetturaScrittura), TipoBlocco::Esclusivo);
    });
    m_menu->hide();
    m_menu->show();
    QVERIFY(m_pan->inLettura());
    Schermi::distruggiTutti();
    QVERIFY(!sottofondoAttivo());
    m_menu = nullptr;
    m_pan = nullptr;
    impostaCartellaProgramma(m_dir.filePath(QStringLiteral("altra")));
    guasti::impostaAttesaBlocco(-1);
}

QTEST_MAIN(TestPannelloScadenze)
#include "tst_pannelloscadenze.moc"
