#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "app/frmpassword.h"
#include "ui/schermi.h"
#include "storage/archiviopassword.h"
#include "storage/crypt.h"
#include "storage/sololettura.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const QString Errata = QStringLiteral("Attenzione: password errata.");
const QString ErroreLettura = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString VecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString NonConfermata = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString Riuscita = QStringLiteral("Modifica della password completata con successo.");
const QString SolaLettura = QStringLiteral(
    "Attenzione: la cartella del programma è in sola lettura: la nuova password non può essere memorizzata.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString ErroreModifica = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");

} // namespace

class TestPassword : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void accesso_data();
    void accesso();
    void campoVuoto();
    void cambio_data();
    void cambio();
    void cambioRiuscito();

private:
    void scriviArchivio(const QByteArray &contenuto);
    void accedi(const QString &password, bool conInvio = true);

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmPassword *m_login = nullptr;
    TfrmCambiaPassword *m_cambio = nullptr;
    TfrmAvvio *m_menu = nullptr;
};

void TestPassword::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    QVERIFY(creaArchivioPassword(cartellaProgramma().archivioPassword()));
    Schermi::creaTutti();
    m_login = Schermi::di<TfrmPassword>();
    m_cambio = Schermi::di<TfrmCambiaPassword>();
    m_menu = Schermi::di<TfrmAvvio>();
    m_login->show();
    QApplication::setActiveWindow(m_login);
    QVERIFY(QTest::qWaitForWindowActive(m_login));
}

void TestPassword::cleanup()
{
    guasti::negaScrittura(false);
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

void TestPassword::scriviArchivio(const QByteArray &contenuto)
{
    QFile f(cartellaProgramma().archivioPassword());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenuto);
}

void TestPassword::accedi(const QString &password, bool conInvio)
{
    m_login->txtPassword->setFocus();
    QTest::keyClicks(m_login->txtPassword, password);
    if (conInvio)
        QTest::keyClick(m_login->txtPassword, Qt::Key_Return);
    else
        m_login->cmdOK->click();
}

void TestPassword::accesso_data()
{
    QTest::addColumn<QByteArray>("archivio"); // empty: the initial store
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<bool>("entra");
    QTest::addColumn<QString>("messaggio");
    const QByteArray abc = "[Accesso]\r\nValore=" + CifraPassword("ABC").toLatin1();
    QTest::newRow("iniziale") << QByteArray() << "mirtillobianco" << true << "";
    QTest::newRow("maiuscole e spazi") << QByteArray() << "  MirtilloBianco " << true << "";
    QTest::newRow("sbagliata") << QByteArray() << "mirtillo" << false << Errata;
    QTest::newRow("senza archivio") << QByteArray("-") << "mirtillobianco" << false << Errata;
    QTest::newRow("cifra dispari ignorata") << abc + "7\r\n" << "abc" << true << "";
    QTest::newRow("esadecimale minuscolo") << abc.toLower().replace("[accesso]", "[Accesso]").replace("valore", "Valore")
                                           << "abc" << true << "";
    QTest::newRow("coppia non esadecimale") << QByteArray("[Accesso]\r\nValore=4G41\r\n") << "abc" << false
                                            << ErroreLettura;
}

void TestPassword::accesso()
{
    QFETCH(QByteArray, archivio);
    QFETCH(QString, digitata);
    QFETCH(bool, entra);
    QFETCH(QString, messaggio);
    if (archivio == "-")
        QFile::remove(cartellaProgramma().archivioPassword());
    else if (!archivio.isEmpty())
        scriviArchivio(archivio);

    for (bool conInvio : {true, false}) {
        m_servizi->azzera();
        m_login->show();
        m_login->txtPassword->clear();
        accedi(digitata, conInvio);
        QCOMPARE(m_menu->isVisible(), entra);
        QCOMPARE(m_login->isVisible(), !entra);
        QCOMPARE(m_servizi->testi(), messaggio.isEmpty() ? QStringList() : QStringList{messaggio});
        if (messaggio == Errata) {
            QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
            QCOMPARE(m_login->txtPassword->text(), QString());
            QVERIFY(!m_login->cmdOK->isEnabled());
            QVERIFY(m_login->txtPassword->hasFocus());
        } else if (messaggio == ErroreLettura) {
            QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Semplice);
            QCOMPARE(m_login->txtPassword->text(), digitata); // the screen stays as it was
        } else {
            QCOMPARE(m_login->txtPassword->text(), digitata); // not emptied on success
        }
        m_menu->hide();
    }
}

void TestPassword::campoVuoto()
{
    QVERIFY(!m_login->cmdOK->isEnabled());
    m_login->txtPassword->setFocus();
    QTest::keyClicks(m_login->txtPassword, "   ");
    QVERIFY(!m_login->cmdOK->isEnabled());
    QTest::keyClick(m_login->txtPassword, Qt::Key_Return);
    QVERIFY(m_servizi->messaggi.isEmpty());
    QVERIFY(m_login->isVisible());
    QTest::keyClicks(m_login->txtPassword, "x");
    QVERIFY(m_login->cmdOK->isEnabled());
    // Esci ends the program.
    m_login->cmdEsci->click();
    QCOMPARE(m_servizi->terminazioni, 1);
}

void TestPassword::cambio_data()
{
    QTest::addColumn<bool>("conArchivio");
    QTest::addColumn<QString>("vecchia");
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("campoVuoto"); // the fields emptied, by name
    QTest::newRow("vecchia sbagliata") << true << "lampone" << "abc" << "abc" << VecchiaErrata << "txtPasswordOld";
    QTest::newRow("senza archivio") << false << "mirtillobianco" << "abc" << "abc" << VecchiaErrata
                                    << "txtPasswordOld";
    QTest::newRow("conferma diversa") << true << "mirtillobianco" << "abc" << "ABC" << NonConfermata
                                      << "txtPasswordNew txtConferma";
    QTest::newRow("fuori dagli 8 bit") << true << "MIRTILLOBIANCO" << "€uro" << "€uro"
                                       << TfrmCambiaPassword::MsgCaratteriNonAmmessi << "txtPasswordNew txtConferma";
    // A folder that can only be read: said as such, and the fields stay to try again.
    QTest::newRow("cartella in sola lettura") << true << "mirtillobianco" << "abc" << "abc" << SolaLettura << "";
}

void TestPassword::cambio()
{
    QFETCH(bool, conArchivio);
    QFETCH(QString, vecchia);
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(QString, messaggio);
    QFETCH(QString, campoVuoto);
    if (!conArchivio)
        QFile::remove(cartellaProgramma().archivioPassword());
    QFile f(cartellaProgramma().archivioPassword());
    const QByteArray prima = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    f.close();

    m_login->btnCambiaPassword->click();
    QVERIFY(m_cambio->isVisible());
    QVERIFY(!m_login->isVisible());
    QVERIFY(!m_cambio->cmdOK->isEnabled());
    m_cambio->txtPasswordOld->setText(vecchia);
    m_cambio->txtPasswordNew->setText(nuova);
    m_cambio->txtConferma->setText(conferma);
    QVERIFY(m_cambio->cmdOK->isEnabled());
    guasti::negaScrittura(messaggio == SolaLettura);
    m_cambio->cmdOKClick();
    guasti::negaScrittura(false);

    QCOMPARE(m_servizi->testi(), QStringList{messaggio});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Semplice);
    QVERIFY(m_cambio->isVisible());
    for (QLineEdit *e : {m_cambio->txtPasswordOld, m_cambio->txtPasswordNew, m_cambio->txtConferma})
        QCOMPARE(e->text().isEmpty(), campoVuoto.contains(e->objectName()));
    QFile g(cartellaProgramma().archivioPassword());
    QCOMPARE(g.open(QIODevice::ReadOnly) ? g.readAll() : QByteArray(), prima);

    // "Chiudi" brings the login back with an empty field.
    m_cambio->cmdEsci->click();
    QVERIFY(!m_cambio->isVisible());
    QVERIFY(m_login->isVisible());
    QCOMPARE(m_login->txtPassword->text(), QString());
}

void TestPassword::cambioRiuscito()
{
    // Enter moves round the three fields and never presses OK.
    m_login->btnCambiaPassword->click();
    QApplication::setActiveWindow(m_cambio);
    QVERIFY(QTest::qWaitForWindowActive(m_cambio));
    QVERIFY(m_cambio->txtPasswordOld->hasFocus());
    QTest::keyClicks(m_cambio->txtPasswordOld, "mirtillobianco");
    QTest::keyClick(m_cambio->txtPasswordOld, Qt::Key_Return);
    QVERIFY(m_cambio->txtPasswordNew->hasFocus());
    QTest::keyClicks(m_cambio->txtPasswordNew, "abc");
    QTest::keyClick(m_cambio->txtPasswordNew, Qt::Key_Return);
    QTest::keyClicks(m_cambio->txtConferma, "abc");
    QTest::keyClick(m_cambio->txtConferma, Qt::Key_Return);
    QVERIFY(m_cambio->txtPasswordOld->hasFocus());
    QVERIFY(m_servizi->messaggi.isEmpty());

    m_cambio->cmdOK->click();
    QCOMPARE(m_servizi->testi(), QStringList{Riuscita});
    QVERIFY(!m_cambio->isVisible());
    QVERIFY(m_login->isVisible());
    QCOMPARE(m_login->txtPassword->text(), QString());
    QVERIFY(!m_login->cmdOK->isEnabled());
    QCOMPARE(leggiPassword(cartellaProgramma().archivioPassword()), std::optional<QString>(QStringLiteral("ABC")));

    // The old password no longer opens; the new one does, in either case.
    m_servizi->azzera();
    accedi(QStringLiteral("mirtillobianco"));
    QCOMPARE(m_servizi->testi(), QStringList{Errata});
    for (const char *p : {"abc", "ABC"}) {
        m_login->show();
        m_login->txtPassword->clear();
        accedi(QLatin1String(p));
        QVERIFY(m_menu->isVisible());
        m_menu->hide();
    }

    // Showing the change screen again starts from empty fields.
    m_login->btnCambiaPassword->click();
    QCOMPARE(m_cambio->txtPasswordOld->text(), QString());
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
