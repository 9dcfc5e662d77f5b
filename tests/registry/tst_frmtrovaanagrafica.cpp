#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/frmanagrafica.h"
#include "registry/frmscadute.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "support/serviziprova.h"

#include <memory>

using namespace qv;

namespace {

TSchedaDipendente scheda(const QString &nome, const QString &citta = QString())
{
    TSchedaDipendente s;
    s.Dipendente = nome;
    s.Citta = citta;
    s.CodFisc = QStringLiteral("RSSMRA70A01H501U");
    s.Recapito = QStringLiteral("06 1234567");
    return s;
}

// The collaborator fields of the contract screen, and one it must leave alone.
const char *const kCampiContratto[] = {"txtDipendente", "txtCittadinanza", "txtStipendio", "txtLuogo", "txtDataNasc",
                                       "txtCodFisc", "txtIndirizzo", "txtCitta", "txtProv", "txtCap",
                                       "txtQualifiche", "txtIban", "txtRecapito"};

} // namespace

class TestTrovaAnagrafica : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void cerca_data();
    void cerca();
    void archivioMancante();
    void archivioInaccessibile();
    void invioEAttesa();
    void sceltaSchedeUguali();
    void sceltaContratti();

private:
    void archivia(const QList<TSchedaDipendente> &schede);
    std::unique_ptr<TfrmTrovaAnagrafica> apri(QWidget *padre = nullptr);

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
};

void TestTrovaAnagrafica::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
}

void TestTrovaAnagrafica::cleanup()
{
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

void TestTrovaAnagrafica::archivia(const QList<TSchedaDipendente> &schede)
{
    ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
    a.apri();
    for (const TSchedaDipendente &s : schede)
        a.accoda(s);
    a.chiudi();
}

std::unique_ptr<TfrmTrovaAnagrafica> TestTrovaAnagrafica::apri(QWidget *padre)
{
    auto w = std::make_unique<TfrmTrovaAnagrafica>(padre);
    w->show();
    return w;
}

void TestTrovaAnagrafica::cerca_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("citta");
    QTest::addColumn<QString>("conta");
    QTest::addColumn<QStringList>("trovati");
    const QStringList tutti{"Bianchi Anna", "Mario Rossini", "Rossi Mario", "Russo Luca"};
    QTest::newRow("nessun filtro, ordinati") << "" << "" << "0" << tutti;
    QTest::newRow("solo spazi") << "   " << " " << "0" << tutti;
    QTest::newRow("parte del nome") << "ross" << "" << "1" << QStringList{"Mario Rossini", "Rossi Mario"};
    QTest::newRow("maiuscole e minuscole") << "ROSS" << "" << "1" << QStringList{"Mario Rossini", "Rossi Mario"};
    QTest::newRow("due filtri") << "ross" << "roma" << "2" << QStringList{"Rossi Mario"};
    QTest::newRow("spazi fanno parte della chiave") << " rossi" << "" << "1" << QStringList{"Mario Rossini"};
    QTest::newRow("nessuna") << "verdi" << "" << "1" << QStringList{};
}

void TestTrovaAnagrafica::cerca()
{
    QFETCH(QString, nome);
    QFETCH(QString, citta);
    QFETCH(QString, conta);
    QFETCH(QStringList, trovati);
    archivia({scheda("Rossi Mario", "Roma"), scheda("Bianchi Anna", "Roma"), scheda("Russo Luca", "Milano"),
              scheda("Mario Rossini", "Napoli")});
    auto w = apri();
    QVERIFY(w->panAvvio->isVisible());
    QVERIFY(!w->panContainer->isVisible());
    w->txtDipendente->setText(nome);
    w->txtCitta->setText(citta);
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);

    QCOMPARE(w->lblConta->text(), conta);
    QStringList nomi;
    for (const QString &riga : w->righe())
        nomi.append(riga.left(30).trimmed());
    QCOMPARE(nomi, trovati);
    // One card in the singular.
    const char *const quante[] = {"0 schede", "1 scheda", "2 schede", "3 schede", "4 schede", "5 schede"};
    QCOMPARE(w->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene %1.").arg(QLatin1String(quante[trovati.size()])));
    QVERIFY(w->panContainer->isVisible());
    QVERIFY(!w->panAvvio->isVisible());
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestTrovaAnagrafica::archivioMancante()
{
    auto w = apri();
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QVERIFY(QFileInfo::exists(cartellaProgramma().archivioDipendenti()));
    QCOMPARE(w->lstRecords->count(), 0);
    QCOMPARE(w->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QVERIFY(m_servizi->messaggi.isEmpty());
    QCOMPARE(w->titoloStampa(), QStringLiteral("Riepilogo Dipendenti in archivio"));
}

void TestTrovaAnagrafica::archivioInaccessibile()
{
    // A folder in the archive's place cannot be opened as a file.
    QVERIFY(QDir().mkpath(cartellaProgramma().archivioDipendenti()));
    auto w = apri();
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi.at(0).genere, MessaggioMostrato::Genere::Semplice);
    QCOMPARE(m_servizi->messaggi.at(0).testo, MsgArchivioInaccessibile);
    QVERIFY(w->panAvvio->isVisible());
    QVERIFY(!w->panContainer->isVisible());
    QVERIFY(w->lblAttendere->isVisible());
}

void TestTrovaAnagrafica::invioEAttesa()
{
    auto w = apri();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(w->txtDipendente->hasFocus());
    QVERIFY(w->findChild<QWidget *>("effCampo01")->isVisible());

    // Enter walks the ten filters in their order and wraps round; only the focused one shows its mark.
    const struct { const char *campo; const char *segno; } giro[] = {
        {"txtCittadinanza", "effCampo02"}, {"txtLuogo", "effCampo09"}, {"txtDataNasc", "effCampo10"},
        {"txtCodFisc", "effCampo05"},      {"txtPartitaIva", "effCampo06"}, {"txtCitta", "effCampo07"},
        {"txtQualifiche", "effCampo08"},   {"txtStipendio", "effCampo03"}, {"txtNote", "effCampo04"},
        {"txtDipendente", "effCampo01"}};
    QWidget *segnoPrecedente = w->findChild<QWidget *>("effCampo01");
    for (const auto &g : giro) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(g.campo));
        QVERIFY(w->findChild<QWidget *>(g.segno)->isVisible());
        QVERIFY(!segnoPrecedente->isVisible());
        segnoPrecedente = w->findChild<QWidget *>(g.segno);
    }
    QTest::keyClicks(w->txtDipendente, "rossi");
    QCOMPARE(w->txtDipendente->text(), QStringLiteral("rossi")); // no upper-casing here

    QVERIFY(!w->lblAttendere->isVisible());
    QTest::mousePress(w->btnCerca, Qt::LeftButton);
    QVERIFY(w->lblAttendere->isVisible());
    QTest::mouseRelease(w->btnCerca, Qt::LeftButton);
    QVERIFY(w->txtTrova->hasFocus());
    w->close();
    QVERIFY(!w->lblAttendere->isVisible());
}

void TestTrovaAnagrafica::sceltaSchedeUguali()
{
    // Cards 2 and 4 give the same line; only their unlisted fields differ.
    TSchedaDipendente a = scheda("Neri Paolo", "Roma");
    TSchedaDipendente b = scheda("Neri Paolo", "Milano");
    archivia({scheda("Zeta Ugo"), a, scheda("Alfa Ada"), b});
    auto *anagrafica = Schermi::di<TfrmAnagrafica>();
    QVERIFY(anagrafica);

    const struct { int posizione; const char *citta; } attese[] = {{2, "Roma"}, {4, "Milano"}};
    for (const auto &attesa : attese) {
        auto w = apri();
        w->lblMemory->setText("anagrafica");
        QTest::mouseClick(w->btnCerca, Qt::LeftButton);
        QCOMPARE(w->righe().at(1), w->righe().at(2));
        const int riga = w->posizioneVoce(1) == attesa.posizione ? 1 : 2;
        QCOMPARE(w->posizioneVoce(riga), attesa.posizione);
        w->lstRecords->setCurrentRow(riga);
        emit w->lstRecords->doppioClic();
        QCOMPARE(anagrafica->lblPosizione->text(), QString::number(attesa.posizione));
        QCOMPARE(anagrafica->txtCitta->text(), QLatin1String(attesa.citta));
        QVERIFY(!w->isVisible());
        QCOMPARE(w->lstRecords->count(), 0);
    }
}

void TestTrovaAnagrafica::sceltaContratti()
{
    TSchedaDipendente s;
    int n = 0;
    for (QString *v : {&s.Dipendente, &s.Cittadinanza, &s.Stipendio, &s.Luogo, &s.DataNasc, &s.CodFisc,
                       &s.Indirizzo, &s.Citta, &s.Prov, &s.Cap, &s.Qualifiche, &s.Iban, &s.Recapito,
                       &s.PartitaIva, &s.Note, &s.Email})
        *v = QChar(u'A' + n++); // short enough for every field
    archivia({s});

    // The pick fills the long-lived contract screen, whoever opened the search.
    QWidget &contratti = *Schermi::per(QStringLiteral("TfrmContratti"));
    auto *estraneo = contratti.findChild<QLineEdit *>("txtNote");
    estraneo->setText(QStringLiteral("da non toccare"));
    auto *anagrafica = Schermi::di<TfrmAnagrafica>();
    const QString posizionePrima = anagrafica->lblPosizione->text();

    QWidget opener;
    auto w = apri(&opener);
    w->lblMemory->setText("contratti");
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QCOMPARE(w->lstRecords->count(), 1);
    w->lstRecords->setCurrentRow(0);
    emit w->lstRecords->doppioClic();

    n = 0;
    for (const char *nome : kCampiContratto)
        QCOMPARE(contratti.findChild<QLineEdit *>(nome)->text(), QString(QChar(u'A' + n++)));
    QCOMPARE(estraneo->text(), QStringLiteral("da non toccare"));
    QCOMPARE(anagrafica->lblPosizione->text(), posizionePrima);
    QVERIFY(anagrafica->txtDipendente->text().isEmpty());
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(TestTrovaAnagrafica)
#include "tst_frmtrovaanagrafica.moc"
