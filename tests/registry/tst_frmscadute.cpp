#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/frmanagrafica.h"
#include "registry/frmscadute.h"
#include "storage/archivio.h"
#include "support/serviziprova.h"

#include <memory>

using namespace qv;

namespace {

TSchedaDipendente scheda(const QString &nome, const QString &scadenza, const QString &preavviso = QStringLiteral("0"),
                         const QString &note = QString())
{
    TSchedaDipendente s;
    s.Dipendente = nome;
    s.CodFisc = QStringLiteral("RSSMRA70A01H501U");
    s.DataSca = scadenza;
    s.Preavviso = preavviso;
    s.Recapito = QStringLiteral("06 1234567");
    s.Note = note;
    return s;
}

} // namespace

class TestScadute : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void regola_data();
    void regola();
    void schedaIlleggibile_data();
    void schedaIlleggibile();
    void sceltaSchedeUguali();
    void trova();
    void trovaListaVuota();
    void stampa();

private:
    void archivia(const QList<TSchedaDipendente> &schede);
    // A list screen shown on the archive as it is.
    std::unique_ptr<TfrmScadenze> apri(bool sospesi);

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
};

void TestScadute::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
}

void TestScadute::cleanup()
{
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

void TestScadute::archivia(const QList<TSchedaDipendente> &schede)
{
    ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
    a.apri();
    for (const TSchedaDipendente &s : schede)
        a.accoda(s);
    a.chiudi();
}

std::unique_ptr<TfrmScadenze> TestScadute::apri(bool sospesi)
{
    std::unique_ptr<TfrmScadenze> w;
    if (sospesi)
        w = std::make_unique<TfrmSospesi>();
    else
        w = std::make_unique<TfrmScadute>();
    w->show();
    return w;
}

void TestScadute::regola_data()
{
    QTest::addColumn<QString>("scadenza");
    QTest::addColumn<QString>("preavviso");
    QTest::addColumn<bool>("suScadute");
    QTest::addColumn<bool>("suSospesi");
    // Today is 15/03/2017.
    QTest::newRow("scaduta ieri") << "14/03/2017" << "0" << true << true;
    QTest::newRow("scade oggi") << "15/03/2017" << "0" << false << true;
    QTest::newRow("scade oggi, lungo preavviso") << "15/03/2017" << "90" << false << true;
    QTest::newRow("preavviso appena iniziato") << "14/04/2017" << "30" << false << true;
    QTest::newRow("preavviso da domani") << "14/04/2017" << "29" << false << false;
    QTest::newRow("lontana") << "15/03/2018" << "0" << false << false;
    QTest::newRow("anni prima") << "1/1/2000" << "0" << true << true;
}

void TestScadute::regola()
{
    QFETCH(QString, scadenza);
    QFETCH(QString, preavviso);
    QFETCH(bool, suScadute);
    QFETCH(bool, suSospesi);
    const TSchedaDipendente s = scheda(QStringLiteral("Rossi Mario"), scadenza, preavviso);
    archivia({s});
    const QString riga = rigaDipendente(s);
    QCOMPARE(riga, QStringLiteral("Rossi Mario                     C.F. RSSMRA70A01H501U  Scad. %1  Tel. 06 1234567      Note: ")
                       .arg(scadenza.leftJustified(10)));
    for (bool sospesi : {false, true}) {
        auto w = apri(sospesi);
        QCOMPARE(w->righe(), (sospesi ? suSospesi : suScadute) ? QStringList{riga} : QStringList{});
    }
}

void TestScadute::schedaIlleggibile_data()
{
    QTest::addColumn<QString>("scadenza");
    QTest::addColumn<QString>("preavviso");
    QTest::addColumn<bool>("suScadute");  // the unreadable field concerns only the list that reads it
    QTest::newRow("data impossibile") << "31/02/2017" << "0" << false;
    QTest::newRow("data vuota") << "" << "0" << false;
    QTest::newRow("preavviso non numerico") << "01/01/2017" << "trenta" << true;
}

void TestScadute::schedaIlleggibile()
{
    QFETCH(QString, scadenza);
    QFETCH(QString, preavviso);
    QFETCH(bool, suScadute);
    archivia({scheda(QStringLiteral("Bianchi Anna"), QStringLiteral("01/03/2017")),
              scheda(QStringLiteral("Guasta Scheda"), scadenza, preavviso),
              scheda(QStringLiteral("Verdi Luca"), QStringLiteral("02/03/2017"))});
    auto sospesi = apri(true);
    QCOMPARE(sospesi->lstRecords->count(), 2);
    QVERIFY(sospesi->righe().at(1).startsWith(QLatin1String("Verdi Luca")));
    QCOMPARE(sospesi->posizioneVoce(1), 3);
    auto scadute = apri(false);
    QCOMPARE(scadute->lstRecords->count(), suScadute ? 3 : 2);
    QVERIFY(scadute->righe().constLast().startsWith(QLatin1String("Verdi Luca")));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestScadute::sceltaSchedeUguali()
{
    // Cards 2 and 4 give the same line; only their unlisted fields differ.
    TSchedaDipendente a = scheda(QStringLiteral("Neri Paolo"), QStringLiteral("01/03/2017"));
    TSchedaDipendente b = a;
    a.Citta = QStringLiteral("Roma");
    b.Citta = QStringLiteral("Milano");
    archivia({scheda(QStringLiteral("Zeta Ugo"), QStringLiteral("01/03/2017")), a,
              scheda(QStringLiteral("Alfa Ada"), QStringLiteral("01/03/2018")), b});
    auto *anagrafica = Schermi::di<TfrmAnagrafica>();
    QVERIFY(anagrafica);

    const struct { int posizione; const char *citta; } attese[] = {{2, "Roma"}, {4, "Milano"}};
    for (const auto &attesa : attese) {
        auto w = apri(false);
        QCOMPARE(w->lstRecords->count(), 3);
        QCOMPARE(w->righe().at(0), w->righe().at(1));
        const int riga = w->posizioneVoce(0) == attesa.posizione ? 0 : 1;
        QCOMPARE(w->posizioneVoce(riga), attesa.posizione);
        w->lstRecords->setCurrentRow(riga);
        emit w->lstRecords->doppioClic();
        QCOMPARE(anagrafica->lblPosizione->text(), QString::number(attesa.posizione));
        QCOMPARE(anagrafica->txtCitta->text(), QLatin1String(attesa.citta));
        QCOMPARE(anagrafica->txtDipendente->text(), QStringLiteral("Neri Paolo"));
        QVERIFY(!w->isVisible());
        QCOMPARE(w->lstRecords->count(), 0);
    }
}

void TestScadute::trova()
{
    archivia({scheda(QStringLiteral("Bianchi Anna"), QStringLiteral("01/03/2017"), QStringLiteral("0"), QStringLiteral("roma")),
              scheda(QStringLiteral("Conti Bruno"), QStringLiteral("01/03/2017")),
              scheda(QStringLiteral("Rossi Carla"), QStringLiteral("01/03/2017"), QStringLiteral("0"), QStringLiteral("Roma nord"))});
    auto w = apri(true);
    QCOMPARE(w->lstRecords->count(), 3);
    QCOMPARE(w->lstRecords->currentRow(), -1);

    const auto cerca = [&](const QString &chiave) {
        w->txtTrova->setText(chiave);
        QTest::mouseClick(w->btnTrova, Qt::LeftButton);
        return w->lstRecords->currentRow();
    };
    QCOMPARE(cerca(QStringLiteral("ROMA")), 0);   // capitals find small letters, the first entry is tested first
    QCOMPARE(cerca(QStringLiteral("ROMA")), 2);   // the same key moves on
    QCOMPARE(cerca(QStringLiteral("ROMA")), 0);   // and wraps round
    QCOMPARE(cerca(QStringLiteral("conti")), 1);
    QCOMPARE(cerca(QStringLiteral("conti")), 1);  // the only match stays selected
    QCOMPARE(cerca(QStringLiteral("bianchi")), 0); // a new key restarts from the first entry
    QCOMPARE(cerca(QStringLiteral("nessuno")), 0); // no match: the selection stays
    QVERIFY(m_servizi->messaggi.isEmpty());

    // Enter in the find box moves to "Trova" without searching.
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->txtTrova->setText(QStringLiteral("rossi"));
    w->txtTrova->setFocus();
    QTest::keyClick(w->txtTrova, Qt::Key_Return);
    QVERIFY(w->btnTrova->hasFocus());
    QCOMPARE(w->lstRecords->currentRow(), 0);

    // Showing the screen again forgets the last key.
    w->hide();
    w->show();
    QVERIFY(w->txtTrova->text().isEmpty());
    QCOMPARE(cerca(QStringLiteral("roma")), 0);
}

void TestScadute::trovaListaVuota()
{
    auto w = apri(false);
    QCOMPARE(w->lstRecords->count(), 0);
    w->txtTrova->setText(QStringLiteral("rossi"));
    QTest::mouseClick(w->btnTrova, Qt::LeftButton);
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi.at(0).genere, MessaggioMostrato::Genere::Semplice);
    QCOMPARE(m_servizi->messaggi.at(0).testo, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestScadute::stampa()
{
    archivia({scheda(QStringLiteral("Bianchi Anna"), QStringLiteral("01/03/2017"))});
    auto scadute = apri(false);
    auto sospesi = apri(true);
    QCOMPARE(scadute->windowTitle(), QStringLiteral(" Riepilogo Dipendenti con contratti scaduti"));
    QCOMPARE(scadute->titoloStampa(), QStringLiteral("Riepilogo Dipendenti con contratti scaduti"));
    QCOMPARE(sospesi->windowTitle(), QStringLiteral(" Riepilogo Dipendenti con contratti in scadenza o scaduti"));
    QCOMPARE(sospesi->titoloStampa(), QStringLiteral("Riepilogo Dipendenti con contratti in scadenza o scaduti"));

    m_servizi->stampaConfermata(false);
    QTest::mouseClick(scadute->btnStampa, Qt::LeftButton);
    QCOMPARE(m_servizi->dialoghiStampa, 1);
    QVERIFY(scadute->isVisible());
    QCOMPARE(scadute->lstRecords->count(), 1);
}

QTEST_MAIN(TestScadute)
#include "tst_frmscadute.moc"
