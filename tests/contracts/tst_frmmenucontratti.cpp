#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmmenucontratti.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/testiguida.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const QString MsgAnno = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");

} // namespace

class TestMenuContratti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void mostrato();
    void anno_data();
    void anno();
    void tasti();
    void statistiche();
    void uscita();
    void dinuovoAvvio();
    void guida();

private:
    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmAvvio *m_avvio = nullptr;
    TfrmMenuContratti *m_menu = nullptr;
    TfrmContratti *m_c = nullptr;
};

void TestMenuContratti::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
    m_avvio = Schermi::di<TfrmAvvio>();
    m_menu = Schermi::di<TfrmMenuContratti>();
    m_c = Schermi::di<TfrmContratti>();
    m_avvio->mostra();
    QTest::mouseClick(m_avvio->btnContratti, Qt::LeftButton);
    QVERIFY(m_menu->isVisible());
    QVERIFY(!m_avvio->isVisible());
    QApplication::setActiveWindow(m_menu);
    QVERIFY(QTest::qWaitForWindowActive(m_menu));
}

void TestMenuContratti::cleanup()
{
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

void TestMenuContratti::mostrato()
{
    // The start-up order puts the contract screen before its menu.
    const QList<QWidget *> &tutti = Schermi::tutti();
    QCOMPARE(tutti.indexOf(m_c), 21);
    QCOMPARE(tutti.indexOf(m_menu), 22);
    QCOMPARE(m_menu->windowTitle(), QStringLiteral(" Quadrivela - Archivio Contratti"));
    QCOMPARE(m_c->windowTitle(), QStringLiteral(" Quadrivela - Archivio contratti"));
    QCOMPARE(m_menu->txtAnnoFatture->text(), QStringLiteral("2017"));
    QCOMPARE(m_menu->lblMemory->text(), QStringLiteral("avvio"));
    QVERIFY(m_menu->txtAnnoFatture->hasFocus());
    QCOMPARE(m_menu->txtAnnoFatture->maxLength(), 4);
}

void TestMenuContratti::anno_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("file"); // empty: refused
    QTest::newRow("quattro cifre") << "2017" << "2017.con";
    QTest::newRow("nessun controllo dell'intervallo") << "0001" << "0001.con";
    QTest::newRow("tre cifre") << "201" << "";
    QTest::newRow("vuoto") << "" << "";
    QTest::newRow("con un blank") << " 201" << "";
    QTest::newRow("incollato con una lettera") << "20a7" << "";
}

void TestMenuContratti::anno()
{
    QFETCH(QString, testo);
    QFETCH(QString, file);
    m_menu->txtAnnoFatture->setText(testo);
    m_menu->btnApriFatture->setFocus();
    QTest::mouseClick(m_menu->btnApriFatture, Qt::LeftButton);
    if (file.isEmpty()) {
        QCOMPARE(m_servizi->testi(), QStringList{MsgAnno});
        QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
        QVERIFY(m_menu->isVisible());
        QVERIFY(m_menu->txtAnnoFatture->hasFocus());
        QCOMPARE(m_menu->lblMemory->text(), QStringLiteral("avvio"));
        QCOMPARE(m_c->lblFile->text(), QString());
        return;
    }
    QVERIFY(m_servizi->messaggi.isEmpty());
    QCOMPARE(m_c->lblFile->text(), QDir(m_dir->path()).filePath(file));
    QCOMPARE(m_c->windowTitle(), QStringLiteral(" Quadrivela - Archivio contratti anno ") + testo);
    QCOMPARE(m_menu->lblMemory->text(), QStringLiteral("contratti"));
    QVERIFY(m_c->isVisible());
    QVERIFY(!m_menu->isVisible());
    QVERIFY(!m_avvio->isVisible());
    QVERIFY(!QFile::exists(m_c->lblFile->text())); // the menu does not touch the archive
    QCOMPARE(m_c->anno(), testo);
    QCOMPARE(m_c->fileAnno(), m_c->lblFile->text());
}

void TestMenuContratti::tasti()
{
    QLineEdit *anno = m_menu->txtAnnoFatture;
    anno->selectAll();
    QTest::keyClicks(anno, QStringLiteral("2a0-1 .9"));
    QCOMPARE(anno->text(), QStringLiteral("2019"));
    QTest::keyClick(anno, Qt::Key_Left);
    QTest::keyClick(anno, Qt::Key_Backspace);
    QCOMPARE(anno->text(), QStringLiteral("209"));
    QTest::keyClick(anno, Qt::Key_Delete);
    QCOMPARE(anno->text(), QStringLiteral("20"));
    // Enter only moves to "Apri"; a second Enter presses it.
    QTest::keyClick(anno, Qt::Key_Return);
    QVERIFY(m_menu->btnApriFatture->hasFocus());
    QVERIFY(m_servizi->messaggi.isEmpty());
    QVERIFY(m_menu->isVisible());
    QTest::keyClick(m_menu->btnApriFatture, Qt::Key_Return);
    QCOMPARE(m_servizi->testi(), QStringList{MsgAnno});
}

void TestMenuContratti::statistiche()
{
    // The year field does not matter, even empty.
    m_menu->txtAnnoFatture->clear();
    QTest::mouseClick(m_menu->btnApriRiepStats, Qt::LeftButton);
    QCOMPARE(m_menu->lblMemory->text(), QStringLiteral("stat_contratti"));
    QVERIFY(m_servizi->messaggi.isEmpty());
    QVERIFY(!m_menu->isVisible());
    QVERIFY(!m_c->isVisible());
    QWidget *atteso = Schermi::per(QStringLiteral("TfrmStatistiche"));
    QVERIFY((atteso ? atteso : m_avvio)->isVisible());
}

void TestMenuContratti::uscita()
{
    QTest::mouseClick(m_menu->imgEsci, Qt::LeftButton);
    QVERIFY(!m_menu->isVisible());
    QVERIFY(m_avvio->isVisible());
    QCOMPARE(m_servizi->terminazioni, 0);
    // The window's own close goes the same way.
    QTest::mouseClick(m_avvio->imgContratti, Qt::LeftButton);
    QVERIFY(m_menu->isVisible());
    m_menu->close();
    QVERIFY(!m_menu->isVisible());
    QVERIFY(m_avvio->isVisible());
    QVERIFY(!m_c->isVisible());
}

void TestMenuContratti::dinuovoAvvio()
{
    // Opening the archive, leaving the contract screen and opening the menu
    // again: the token is "avvio" again and the year today's.
    m_menu->txtAnnoFatture->setText(QStringLiteral("2015"));
    m_menu->btnApriFattureClick();
    QVERIFY(m_c->isVisible());
    m_c->btnEsciClick();
    QVERIFY(m_avvio->isVisible());
    m_avvio->imgContrattiClick();
    QCOMPARE(m_menu->lblMemory->text(), QStringLiteral("avvio"));
    QCOMPARE(m_menu->txtAnnoFatture->text(), QStringLiteral("2017"));
    m_menu->close();
    QVERIFY(m_avvio->isVisible());
    QVERIFY(!m_c->isVisible());
    // The contract screen keeps the year last opened.
    QCOMPARE(m_c->anno(), QStringLiteral("2015"));
}

void TestMenuContratti::guida()
{
    QString titolo, testo;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *g = qobject_cast<TfrmGuida *>(d);
        titolo = g->lblTitolo->text();
        testo = g->txtGuida->toPlainText();
        return 0;
    });
    QTest::mouseClick(m_menu->imgGuida, Qt::LeftButton);
    QCOMPARE(titolo, QStringLiteral("Applicazione Archivio Contratti."));
    QCOMPARE(paragrafiGuidaContratti().size(), 13);
    QCOMPARE(testo, paragrafiGuidaContratti().join(QStringLiteral("\n\n")));
    QVERIFY(testo.startsWith(QStringLiteral("L'applicazione Archivio Contratti serve a redigere")));
}

QTEST_MAIN(TestMenuContratti)
#include "tst_frmmenucontratti.moc"
