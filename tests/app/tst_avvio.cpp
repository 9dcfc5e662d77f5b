#include <QTemporaryDir>
#include <QDir>
#include <QTest>

#include "app/frmavvio.h"
#include "app/frmpassword.h"
#include "registry/frmanagrafica.h"
#include "storage/archivio.h"
#include "ui/frmguida.h"
#include "app/frminfo.h"
#include "app/frmsplash.h"
#include "app/produttore.h"
#include "ui/schermi.h"
#include "ui/testiguida.h"
#include "support/serviziprova.h"

using namespace qv;

class TestAvvio : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { m_servizi.azzera(); m_servizi.terminazioni = 0; }
    void cleanupTestCase() { Schermi::distruggiTutti(); }
    void ordineDegliSchermi();
    void menuPrincipale();
    void guidaSempreNuova();
    void collegamenti();
    void uscita();
    void apriUrl_data();
    void apriUrl();
    void schermiAlPrimoUso();

private:
    ServiziProva m_servizi;
    QTemporaryDir m_dir;
};

void TestAvvio::initTestCase()
{
    impostaCartellaProgramma(m_dir.path());
    Schermi::creaTutti();
}

void TestAvvio::ordineDegliSchermi()
{
    // The screens are created once, in their fixed order; the login comes first.
    const QStringList attesi = {"TfrmPassword", "TfrmAvvio", "TfrmCambiaPassword", "TfrmGuida", "TfrmInfo",
                                "TfrmSplash", "TfrmAnagrafica", "TfrmAllegaCartella", "TfrmCalendario",
                                "TfrmWebCam", "TfrmZoom", "TfrmCodFisc", "TfrmPartitaIva", "TfrmIban",
                                "TfrmAllegaExcel", "TfrmAnteprimaAna", "TfrmStampaAna", "TfrmScadute", "TfrmSospesi", "TfrmExpAnagrafica", "TfrmTrovaAnagrafica",
                                "TfrmContratti", "TfrmMenuContratti",
                                "TfrmExpContratti", "TfrmRescissi", "TfrmTrovaContratti", "TfrmValidi",
                                "TfrmStampaCon", "TfrmStatistiche", "TfrmRiepilogo", "TfrmMenuRiepilogo"};
    QStringList creati;
    for (QWidget *w : Schermi::tutti())
        creati << QString::fromLatin1(w->metaObject()->className()).section(QStringLiteral("::"), -1);
    QCOMPARE(creati, attesi);
    for (QWidget *w : Schermi::tutti())
        QVERIFY(!w->isVisible());
}

void TestAvvio::menuPrincipale()
{
    auto *menu = Schermi::di<TfrmAvvio>();
    QCOMPARE(menu->windowTitle(), QStringLiteral(" Quadrivela"));
    QCOMPARE(menu->pannello()->size(), QSize(995, 692));
    QCOMPARE(menu->imgAnagrafica->geometry(), QRect(24, 176, 289, 253));
    QCOMPARE(menu->imgEsci->geometry(), QRect(960, 662, 17, 18));
    QCOMPARE(menu->imgGuida->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(menu->imgInfo, Qt::LeftButton);
    QTest::mouseClick(menu->imgCopyright, Qt::LeftButton);
    QTest::mouseClick(menu->imgGuida, Qt::LeftButton);
    QCOMPARE(m_servizi.dialoghiEseguiti, (QStringList{"TfrmInfo", "TfrmSplash", "TfrmGuida"}));

    QTest::mouseClick(menu->imgSito, Qt::LeftButton);
    QCOMPARE(m_servizi.aperti, QList<QUrl>{QUrl(SitoProduttore)});
}

void TestAvvio::guidaSempreNuova()
{
    auto *menu = Schermi::di<TfrmAvvio>();
    QList<TfrmGuida *> viste;
    QStringList titoli, testi;
    auto guarda = [&](QDialog *d) {
        auto *g = qobject_cast<TfrmGuida *>(d);
        viste << g;
        titoli << g->lblTitolo->text();
        testi << g->txtGuida->toPlainText();
        g->txtGuida->setPlainText(QStringLiteral("scritto durante il primo uso"));
        return 0;
    };
    m_servizi.quandoDialogo(guarda);
    m_servizi.quandoDialogo(guarda);
    menu->imgGuidaClick();
    menu->imgGuidaClick();
    QCOMPARE(titoli, (QStringList{TitoloGuidaGenerale, TitoloGuidaGenerale}));
    // The text box keeps the paragraphs and the empty line between them.
    QCOMPARE(testi.at(1), paragrafiGuidaGenerale().join(QStringLiteral("\n\n")));
    QCOMPARE(testi.at(0), testi.at(1));
}

void TestAvvio::collegamenti()
{
    // The icon and the link text do the same; pressing turns the link orange.
    auto *guida = new TfrmGuida;
    QTest::mousePress(guida->imgPDF, Qt::LeftButton);
    QCOMPARE(guida->lnkWeb->colore(), Collegamento::Arancione);
    QTest::mouseRelease(guida->imgPDF, Qt::LeftButton);
    QCOMPARE(guida->lnkWeb->colore(), Collegamento::BluScuro);
    QTest::mouseClick(guida->lnkWeb, Qt::LeftButton);
    const QUrl pdf = QUrl::fromLocalFile(cartellaProgramma().guida());
    QCOMPARE(m_servizi.aperti, (QList<QUrl>{pdf, pdf}));
    delete guida;

    m_servizi.azzera();
    auto *info = new TfrmInfo;
    QCOMPARE(TfrmInfo::comandoEmail(),
             "\"mailto:" + EmailProduttore
                 + "?subject=Software Quadrivela&body=Salve, desidererei avere le seguenti informazioni sul "
                   "software in oggetto:\"");
    QTest::mouseClick(info->imgEmail, Qt::LeftButton);
    QCOMPARE(m_servizi.aperti.size(), 1);
    const QUrl mail = m_servizi.aperti.constFirst();
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.path(), EmailProduttore);
    QVERIFY(mail.query(QUrl::FullyDecoded).startsWith(QStringLiteral("subject=Software Quadrivela&body=Salve, ")));
    // The screen names the log to send when something went wrong.
    QCOMPARE(info->lblRegistro->text(),
             QStringLiteral("In caso di problemi inviare all'assistenza il registro degli errori:\n")
                 + QDir::toNativeSeparators(cartellaProgramma().dir() + "/Quadrivela.log"));
    delete info;

    m_servizi.azzera();
    auto *splash = new TfrmSplash;
    QTest::mouseClick(splash->lnkWeb, Qt::LeftButton);
    QCOMPARE(m_servizi.aperti, QList<QUrl>{QUrl(SitoProduttore)});
    delete splash;
}

void TestAvvio::uscita()
{
    auto *menu = Schermi::di<TfrmAvvio>();
    QTest::mouseClick(menu->imgEsci, Qt::LeftButton);
    QCOMPARE(m_servizi.terminazioni, 1);
    // Closing the main menu from the title bar ends the program the same way.
    menu->show();
    menu->close();
    QCOMPARE(m_servizi.terminazioni, 2);
}

void TestAvvio::apriUrl_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("percorso tra virgolette") << "\"/tmp/Guida.pdf\"" << QUrl::fromLocalFile("/tmp/Guida.pdf");
    QTest::newRow("percorso con spazi") << "\"/tmp/Le mie carte/a b.doc\""
                                        << QUrl::fromLocalFile("/tmp/Le mie carte/a b.doc");
    QTest::newRow("sito") << SitoProduttore << QUrl(SitoProduttore);
    QTest::newRow("sito senza schema") << "www.quadrivela.it" << QUrl("http://www.quadrivela.it");
    QTest::newRow("posta") << "\"mailto:a@b.it?subject=x y\"" << QUrl("mailto:a@b.it?subject=x y");
}

void TestAvvio::apriUrl()
{
    QFETCH(QString, comando);
    QFETCH(QUrl, url);
    QCOMPARE(TMisc::url(comando), url);
}

void TestAvvio::schermiAlPrimoUso()
{
    // The program starts with its login alone; the card screen is made when
    // the main menu first opens it, after another copy added a card, and
    // shows that card.
    Schermi::creaTutti();
    const auto schermiAnagrafica = [] {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += qobject_cast<TfrmAnagrafica *>(w) != nullptr;
        return n;
    };
    QVERIFY(qobject_cast<TfrmPassword *>(Schermi::principale()));
    QCOMPARE(schermiAnagrafica(), 0);
    {
        ArchivioDipendenti altraCopia(cartellaProgramma().archivioDipendenti());
        altraCopia.apri();
        TSchedaDipendente s;
        s.Dipendente = QStringLiteral("ROSSI MARIO");
        s.Stipendio = QStringLiteral("0,00");
        s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
        s.DataSca = QStringLiteral("31/12/2017");
        s.Preavviso = QStringLiteral("0");
        altraCopia.accoda(s);
        altraCopia.chiudi();
    }
    auto *menu = Schermi::di<TfrmAvvio>();
    menu->show();
    menu->imgAnagraficaClick();
    QCOMPARE(schermiAnagrafica(), 1);
    auto *anagrafica = Schermi::di<TfrmAnagrafica>();
    QVERIFY(anagrafica->isVisible());
    QVERIFY(!menu->isVisible());
    QTest::mouseClick(anagrafica->findChild<Figura *>(QStringLiteral("cmdUltimo")), Qt::LeftButton);
    QCOMPARE(anagrafica->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(anagrafica->txtDipendente->text(), QStringLiteral("ROSSI MARIO"));
    // Made late, a screen still takes its place in the start-up order.
    QCOMPARE(Schermi::tutti().at(6), anagrafica);
    anagrafica->hide();
    QDir(m_dir.path()).remove(QStringLiteral("Dipendenti.pro"));
}

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
