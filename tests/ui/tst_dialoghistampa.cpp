#include <QTest>

#include "app/applicazione.h"
#include "report/stampaelenco.h"
#include "storage/sololettura.h"
#include "support/serviziprova.h"
#include "ui/nomestampa.h"
#include "ui/richiesta.h"
#include "ui/schermi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace qv;

// The print dialogs in Italian, the file name that printing to a file
// proposes, and the input box that shows its whole caption.
class TestDialoghiStampa : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init()
    {
        dimenticaCartellaStampa();
        guasti::negaScrittura(false);
    }
    void cleanup() { guasti::negaScrittura(false); }
    void dialoghiInItaliano_data();
    void dialoghiInItaliano();
    void nomeDocumento();
    void fileProposto();
    void richiestaMostraTitolo();
    void richiestaFiltraTesto();
    void iconaDelleFinestre();

private:
    ServiziProva m_servizi;
    QTemporaryDir m_casa, m_programma;
};

void TestDialoghiStampa::initTestCase()
{
    // A home of the test's own: the user's Documents folder is made or removed here.
    qputenv("HOME", m_casa.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    impostaCartellaProgramma(m_programma.path());
    preparaApplicazione(*qApp);
}

void TestDialoghiStampa::dialoghiInItaliano_data()
{
    QTest::addColumn<bool>("impostaPagina");
    QTest::newRow("print dialog") << false;
    QTest::newRow("page setup dialog") << true;
}

void TestDialoghiStampa::dialoghiInItaliano()
{
    QFETCH(bool, impostaPagina);
    QPrinter stampante(QPrinter::HighResolution);
    std::unique_ptr<QDialog> dialogo;
    if (impostaPagina) {
        dialogo = std::make_unique<QPageSetupDialog>(&stampante);
    } else {
        auto *d = new QPrintDialog(&stampante);
        d->setOption(QAbstractPrintDialog::PrintToFile);
        d->setOption(QAbstractPrintDialog::PrintCollateCopies);
        dialogo.reset(d);
    }
    dialogo->show();
    QCoreApplication::processEvents();

    QStringList testi;
    for (QLabel *l : dialogo->findChildren<QLabel *>())
        testi << l->text();
    for (QAbstractButton *b : dialogo->findChildren<QAbstractButton *>())
        testi << b->text();
    for (QGroupBox *g : dialogo->findChildren<QGroupBox *>())
        testi << g->title();
    for (QTabWidget *t : dialogo->findChildren<QTabWidget *>())
        for (int i = 0; i < t->count(); ++i)
            testi << t->tabText(i);
    testi << dialogo->windowTitle();
    QVERIFY(testi.size() > 12);
    QVERIFY2(testi.contains(impostaPagina ? QStringLiteral("Orizzontale") : QStringLiteral("Copie:")),
             qPrintable(testi.join(QLatin1String(" | "))));

    // English words the dialogs use, each a whole word of a text.
    static const QRegularExpression inglese(
        QStringLiteral("\\b(pages?|print(er|ing)?|copies|options|properties|cancel|double|sided|side|binding|"
                       "long|short|off|on|colou?r|grayscale|reverse|collate|name|location|type|margins|"
                       "paper|orientation|portrait|landscape|width|height|size|source|all|current|selection|"
                       "range|preview|layout|settings|sheet|order|from|to|local|custom)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString &t : std::as_const(testi)) {
        QString senzaAcceleratore = t;
        senzaAcceleratore.remove(u'&');
        QVERIFY2(!inglese.match(senzaAcceleratore).hasMatch(), qPrintable(QStringLiteral("English: ") + t));
    }
}

void TestDialoghiStampa::nomeDocumento()
{
    // A list prints under its title and the day (the services' clock).
    m_servizi.orologio = QDateTime(QDate(2026, 12, 10), QTime(9, 0));
    QString nome;
    m_servizi.stampaConfermata(false);
    m_servizi.nelDialogoStampa = [&](QPrinter &p) { nome = p.docName(); };
    m_servizi.stampaConfermata(true);
    QPrinter stampante(QPrinter::HighResolution);
    stampaElenco(nullptr, QStringLiteral("Riepilogo Dipendenti in archivio"), {QStringLiteral("riga")}, stampante);
    QCOMPARE(stampante.docName(), QStringLiteral("Riepilogo Dipendenti in archivio 10-12-2026"));
    // Characters a file name cannot hold are left out.
    QCOMPARE(nomeDocumentoStampa(QStringLiteral("Scheda A/B: \"x\""), QDate(2026, 1, 2)),
             QStringLiteral("Scheda A B x 02-01-2026"));
}

void TestDialoghiStampa::fileProposto()
{
    const QString documenti = QDir(m_casa.path()).filePath(QStringLiteral("Documents"));
    QDir(documenti).removeRecursively();

    // No Documents folder: the program folder.
    QCOMPARE(fileStampaProposto(QStringLiteral("Statistiche contratti 2026")),
             QDir(m_programma.path()).filePath(QStringLiteral("Statistiche contratti 2026.pdf")));
    // ... unless it cannot be written: the Documents folder, made for it.
    guasti::negaScrittura(true);
    QCOMPARE(fileStampaProposto(QStringLiteral("Statistiche contratti 2026")),
             QDir(documenti).filePath(QStringLiteral("Statistiche contratti 2026.pdf")));
    QVERIFY(QFileInfo(documenti).isDir());
    guasti::negaScrittura(false);

    // The print dialog proposes it when it prints to a file, in the user's Documents.
    QVERIFY(QDir().mkpath(documenti));
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(QStringLiteral("Statistiche contratti 2026"));
    QPrintDialog dialogo(&stampante);
    dialogo.setOption(QAbstractPrintDialog::PrintToFile);
    proponiFileStampa(dialogo, stampante);
    dialogo.show();
    QCoreApplication::processEvents();
    auto *stampanti = dialogo.findChild<QComboBox *>(QStringLiteral("printers"));
    auto *nome = dialogo.findChild<QLineEdit *>(QStringLiteral("filename"));
    QVERIFY(stampanti && nome);
    stampanti->setCurrentIndex(stampanti->count() - 1); // the PDF file, last
    QCOMPARE(nome->text(), QDir(documenti).filePath(QStringLiteral("Statistiche contratti 2026.pdf")));
    dialogo.hide();

    // A file printed to elsewhere: the next proposal is in that folder.
    QTemporaryDir altrove;
    stampante.setOutputFileName(QDir(altrove.path()).filePath(QStringLiteral("Copia.pdf")));
    dopoDialogoStampa(stampante);
    QCOMPARE(fileStampaProposto(QStringLiteral("Riepilogo Dipendenti in archivio 10-12-2026")),
             QDir(altrove.path()).filePath(QStringLiteral("Riepilogo Dipendenti in archivio 10-12-2026.pdf")));
    // A printer, not a file, changes nothing.
    stampante.setOutputFileName(QString());
    dopoDialogoStampa(stampante);
    QCOMPARE(QFileInfo(fileStampaProposto(QStringLiteral("x"))).absolutePath(), QDir(altrove.path()).absolutePath());
    // That folder no longer takes files: back to the Documents folder.
    guasti::negaScrittura(true);
    QCOMPARE(QFileInfo(fileStampaProposto(QStringLiteral("x"))).absolutePath(), QDir(documenti).absolutePath());
}

void TestDialoghiStampa::richiestaMostraTitolo()
{
    const QString titolo = QStringLiteral("Numero copie da stampare");
    QInputDialog dialogo;
    preparaRichiesta(dialogo, titolo, QStringLiteral("Copie:"), QStringLiteral("1"));
    dialogo.show();
    QCoreApplication::processEvents();
    QFont f = QApplication::font();
    f.setBold(true);
    // The caption, its icon and the title bar's buttons fit the window's width.
    QVERIFY(dialogo.width() >= QFontMetrics(f).horizontalAdvance(titolo) + 140);
    QCOMPARE(dialogo.windowTitle(), titolo);
    QCOMPARE(dialogo.textValue(), QStringLiteral("1"));
}

void TestDialoghiStampa::richiestaFiltraTesto()
{
    // What is typed in the input box takes in what a field takes in.
    QInputDialog dialogo;
    preparaRichiesta(dialogo, QStringLiteral("Numero copie da stampare"), QStringLiteral("Copie:"), QStringLiteral("1"));
    auto *campo = dialogo.findChild<QLineEdit *>();
    QVERIFY(campo);
    campo->selectAll();
    for (QChar c : QStringLiteral("2ŞЖ"))
        QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(dialogo.textValue(), QStringLiteral("2S"));
    QTRY_COMPARE(m_servizi.messaggi.size(), 2);
    QCOMPARE(m_servizi.messaggi.at(0).testo, QStringLiteral("Attenzione: Ş è stato scritto come S: lettera fuori "
                                                            "dall'alfabeto occidentale (Windows-1252)."));
    QVERIFY(m_servizi.messaggi.at(1).testo.startsWith(QStringLiteral("Attenzione: il carattere \"Ж\" non è ammesso")));
    m_servizi.azzera();
}

void TestDialoghiStampa::iconaDelleFinestre()
{
    // Every window, dialogs included, carries the program's icon, drawn at any size.
    QInputDialog dialogo;
    for (int lato : {16, 32, 256}) {
        const QImage icona = dialogo.windowIcon().pixmap(lato, lato).toImage();
        QCOMPARE(icona.size(), QSize(lato, lato));
        QVERIFY(icona.pixelColor(lato / 2, lato / 2).alpha() > 0);
    }
}

QTEST_MAIN(TestDialoghiStampa)
#include "tst_dialoghistampa.moc"
