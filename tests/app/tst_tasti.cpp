#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "app/frminfo.h"
#include "app/frmpassword.h"
#include "app/frmsplash.h"
#include "app/produttore.h"
#include "checks/frmcontrolli.h"
#include "registry/frmallegaexcel.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmscadute.h"
#include "registry/frmstampaana.h"
#include "registry/frmtrovaanagrafica.h"
#include "registry/frmwebcam.h"
#include "registry/frmzoom.h"
#include "ui/anteprima.h"
#include "ui/frmallegati.h"
#include "ui/frmcalendario.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "support/serviziprova.h"

#include <functional>
#include <memory>

using namespace qv;

namespace {

// Every kind of dialog the program opens, and the button that closes it
// ("Chiudi", "Annulla" or "Esci"); none for a dialog that has no such button.
struct Dialogo
{
    const char *nome;
    std::function<QDialog *()> crea;
    const char *chiusura; // objectName; nullptr: no closing button
};

const Dialogo kDialoghi[] = {
    {"guida", [] { return new TfrmGuida; }, "btnChiudi"},
    {"informazioni", [] { return new TfrmInfo; }, "btnChiudi"},
    {"crediti", [] { return new TfrmSplash; }, "btnChiudi"},
    {"calendario", [] { return new TfrmCalendario; }, "btnAnnulla"},
    {"allegati", [] { return new TfrmAllegaCartella; }, "btnAnnulla"},
    {"foglio dei lavori", [] { return new TfrmAllegaExcel; }, "btnAnnulla"},
    {"opzioni di stampa", [] { return new TfrmStampaAna; }, "btnAnnulla"},
    {"controllo codice fiscale", [] { return new TfrmCodFisc; }, "btnChiudi"},
    {"controllo partita IVA", [] { return new TfrmPartitaIva; }, "btnChiudi"},
    {"controllo IBAN", [] { return new TfrmIban; }, "btnChiudi"},
    {"elenco scaduti", [] { return new TfrmScadute; }, "btnChiudi"},
    {"ricerca", [] { return new TfrmTrovaAnagrafica; }, "btnAnnulla"},
    {"esportazione", [] { return new TfrmExpAnagrafica; }, "cmdEsci"},
    {"ingrandimento foto", [] { return new TfrmZoom; }, "imgFoto"},
    {"webcam", [] { return new TfrmWebCam; }, "btnChiudi"},
};

} // namespace

class TestTasti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { m_servizi.azzera(); }
    void esc_data();
    void esc();
    void invioSulPulsante_data();
    void invioSulPulsante();
    void anelloDelFuoco();
    void aperturaImpossibile_data();
    void aperturaImpossibile();
    void aperturaDaUnoSchermo();
    void finestreFisse();
    void escSuModificaPassword();
    void anteprimaNelloSchermo();

private:
    // Shows the dialog as the program does (without blocking) and makes it active.
    std::unique_ptr<QDialog> mostra(int i);

    ServiziProva m_servizi;
    QTemporaryDir m_dir;
};

void TestTasti::initTestCase()
{
    impostaCartellaProgramma(m_dir.path());
}

std::unique_ptr<QDialog> TestTasti::mostra(int i)
{
    std::unique_ptr<QDialog> d(kDialoghi[i].crea());
    d->show();
    QApplication::setActiveWindow(d.get());
    if (!QTest::qWaitForWindowActive(d.get()))
        return nullptr;
    return d;
}

void TestTasti::esc_data()
{
    QTest::addColumn<int>("i");
    for (int i = 0; i < int(std::size(kDialoghi)); ++i)
        QTest::newRow(kDialoghi[i].nome) << i;
}

// Escape does what the dialog's closing button does, wherever the focus is;
// a dialog without one stays open.
void TestTasti::esc()
{
    QFETCH(int, i);
    const auto d = mostra(i);
    QVERIFY(d);
    QWidget *fuoco = QApplication::focusWidget() ? QApplication::focusWidget() : d.get();
    QTest::keyClick(fuoco, Qt::Key_Escape);
    QCOMPARE(d->isVisible(), kDialoghi[i].chiusura == nullptr);
    QVERIFY(m_servizi.messaggi.isEmpty());
}

void TestTasti::invioSulPulsante_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("tasto");
    for (int i = 0; i < int(std::size(kDialoghi)); ++i) {
        if (!kDialoghi[i].chiusura || !qstrcmp(kDialoghi[i].chiusura, "imgFoto")
            || !qstrcmp(kDialoghi[i].chiusura, "cmdEsci"))
            continue; // pictures, not push buttons
        QTest::newRow(QByteArray(kDialoghi[i].nome) + ", Invio") << i << int(Qt::Key_Return);
        QTest::newRow(QByteArray(kDialoghi[i].nome) + ", spazio") << i << int(Qt::Key_Space);
    }
}

// A push button with the focus is pressed by Enter and by Space, in every dialog.
void TestTasti::invioSulPulsante()
{
    QFETCH(int, i);
    QFETCH(int, tasto);
    const auto d = mostra(i);
    QVERIFY(d);
    auto *b = d->findChild<QPushButton *>(QLatin1String(kDialoghi[i].chiusura));
    QVERIFY(b);
    b->setFocus(Qt::OtherFocusReason);
    QVERIFY(b->hasFocus());
    QTest::keyClick(b, Qt::Key(tasto));
    QVERIFY(!d->isVisible());
}

// The focused button shows a ring in the focus mark's yellow; without the focus, none.
void TestTasti::anelloDelFuoco()
{
    const auto d = mostra(0);
    QVERIFY(d);
    auto *b = d->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
    const auto giallo = [b] {
        const QImage img = b->grab().toImage();
        const QColor c = img.pixelColor(1 * img.devicePixelRatio(), img.height() / 2);
        return c.red() > 230 && c.green() > 180 && c.green() < 220 && c.blue() < 60;
    };
    b->clearFocus();
    QVERIFY(!giallo());
    b->setFocus(Qt::OtherFocusReason);
    QVERIFY(giallo());
}

void TestTasti::aperturaImpossibile_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("documento mancante") << "\"/nessuna/cartella/Guida.pdf\""
                                        << "Attenzione: impossibile aprire il documento \"/nessuna/cartella/Guida.pdf\".\r\n\r\n"
                                           "Il file non esiste più o non è raggiungibile.";
    QTest::newRow("documento senza programma") << "\"" + QCoreApplication::applicationFilePath() + "\""
                                               << "Attenzione: impossibile aprire il documento \""
                                                      + QCoreApplication::applicationFilePath()
                                                      + "\".\r\n\r\nNel sistema non è installato un programma in "
                                                        "grado di aprirlo.";
    QTest::newRow("posta") << "\"mailto:ufficio@esempio.it\""
                           << "Attenzione: impossibile scrivere un messaggio di posta elettronica a "
                              "\"ufficio@esempio.it\".\r\n\r\nNel sistema non è installato un programma di posta "
                              "elettronica.";
    QTest::newRow("sito") << "www.esempio.it"
                          << "Attenzione: impossibile aprire l'indirizzo \"http://www.esempio.it\".\r\n\r\n"
                             "Nel sistema non è installato un programma per la navigazione in Internet.";
}

// When the system has nothing to open an address with, the user is told what
// could not be opened; when it has, nothing is shown.
void TestTasti::aperturaImpossibile()
{
    QFETCH(QString, comando);
    QFETCH(QString, messaggio);
    m_servizi.aperturaImpossibile = true;
    QVERIFY(!TMisc::Open(comando));
    QCOMPARE(m_servizi.aperti.size(), 1);
    QCOMPARE(m_servizi.testi(), QStringList{messaggio});
    QCOMPARE(m_servizi.messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);

    m_servizi.azzera();
    m_servizi.aperturaImpossibile = false;
    QVERIFY(TMisc::Open(comando));
    QCOMPARE(m_servizi.aperti.size(), 1);
    QVERIFY(m_servizi.messaggi.isEmpty());
}

// The screens' links reach the same message.
void TestTasti::aperturaDaUnoSchermo()
{
    m_servizi.aperturaImpossibile = true;
    TfrmSplash crediti;
    crediti.lnkWebClick();
    QCOMPARE(m_servizi.messaggi.size(), 1);
    QVERIFY(m_servizi.ultimoTesto().startsWith(QStringLiteral("Attenzione: impossibile aprire l'indirizzo")));
    m_servizi.aperturaImpossibile = false;
}

// Fixed windows ask for no title-bar button, the webcam for its own; the
// login window comes back where it was, and its close is its "Esci".
void TestTasti::finestreFisse()
{
    TfrmPassword accesso;
    accesso.show();
    QVERIFY(QTest::qWaitForWindowExposed(&accesso));
    QCOMPARE(pulsantiTitoloChiesti(&accesso), int(SenzaPulsanti));
    const QRect area = areaUtile(&accesso);
    QVERIFY(area.contains(accesso.geometry()));
    accesso.move(accesso.pos() + QPoint(17, 23));
    const QPoint dove = accesso.pos();
    accesso.hide();
    accesso.show();
    QVERIFY(QTest::qWaitForWindowExposed(&accesso));
    QCOMPARE(accesso.pos(), dove);
    // Closed by the window system (Alt+F4), it does what "Esci" does.
    const int prima = m_servizi.terminazioni;
    accesso.close();
    QVERIFY(!accesso.isVisible());
    QCOMPARE(m_servizi.terminazioni, prima + 1);

    const auto guida = mostra(0);
    QCOMPARE(pulsantiTitoloChiesti(guida.get()), int(SenzaPulsanti));
    const auto webcam = mostra(int(std::size(kDialoghi)) - 1);
    QCOMPARE(pulsantiTitoloChiesti(webcam.get()), int(PulsanteChiudi | PulsanteRiduci | BordoRidimensionabile));
}

// Escape on the password change screen does what its "Chiudi" does: the
// login screen comes back, and nothing is written.
void TestTasti::escSuModificaPassword()
{
    Schermi::creaTutti();
    auto *cambio = static_cast<TfrmCambiaPassword *>(Schermi::per(QStringLiteral("TfrmCambiaPassword")));
    auto *accesso = static_cast<TfrmPassword *>(Schermi::per(QStringLiteral("TfrmPassword")));
    QVERIFY(cambio && accesso);
    accesso->btnCambiaPasswordClick();
    QApplication::setActiveWindow(cambio);
    QVERIFY(QTest::qWaitForWindowActive(cambio));
    QTest::keyClicks(cambio->txtPasswordOld, QStringLiteral("vecchia"));
    QVERIFY(cambio->txtPasswordOld->hasFocus());
    QTest::keyClick(cambio->txtPasswordOld, Qt::Key_Escape);
    QVERIFY(!cambio->isVisible());
    QVERIFY(accesso->isVisible());
    QVERIFY(m_servizi.messaggi.isEmpty());
    QVERIFY(!QFile::exists(cartellaProgramma().archivioPassword()));
    Schermi::distruggiTutti();
}

// The preview, larger than a small screen, fits in it whole.
void TestTasti::anteprimaNelloSchermo()
{
    QPrinter stampante;
    FinestraAnteprima anteprima(stampante, [](QPrinter *) {}, [](QPrinter &) { return false; });
    anteprima.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anteprima));
    const QRect area = anteprima.screen()->availableGeometry();
    QVERIFY2(area.contains(anteprima.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                                   .arg(anteprima.x()).arg(anteprima.y())
                                                                   .arg(anteprima.width()).arg(anteprima.height())
                                                                   .arg(area.width()).arg(area.height())));
    QVERIFY(anteprima.height() < 760 || area.height() >= 760 + 38);
}

QTEST_MAIN(TestTasti)
#include "tst_tasti.moc"
