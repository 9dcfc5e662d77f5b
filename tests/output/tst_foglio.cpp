#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "output/foglio.h"
#include "core/os/guasti.h"
#include "support/fileprova.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using qv::ColonnaFoglio;

using namespace qv::prova;

namespace {

const QList<ColonnaFoglio> kColonne = {{QStringLiteral("Dipendente"), 180}, {QStringLiteral("Città & CAP"), 90}};

} // namespace

class TestFoglio : public QObject
{
    Q_OBJECT
private slots:
    void documentoCompleto();
    void senzaRighe();
    void valori_data();
    void valori();
    void scrittura();
    void scritturaFallita_data();
    void scritturaFallita();
    void scritturaInterrotta_data();
    void scritturaInterrotta();
    void apertoDaLibreOffice();
};

void TestFoglio::documentoCompleto()
{
    const QByteArray doc = qv::documentoFoglio(QStringLiteral("Riepilogo attività svolte"), kColonne,
                                               {{QStringLiteral("  Rossi Mario \t"), QStringLiteral("Roma 00184")},
                                                {QStringLiteral("Bianchi Anna")}});
    const QByteArray atteso =
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
        " xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
        "<x:Name>Riepilogo attivit\xE0 svolte</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
        "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
        "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
        "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
        "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>"
        "<tr><td style=\"text-align: left; font-weight: bold;\" width=180>Dipendente</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=90>Citt\xE0 &amp; CAP</td></tr>"
        "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">Rossi Mario</td>"
        "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Roma 00184</td></tr>"
        // A short row still has a cell for every column.
        "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">Bianchi Anna</td>"
        "<td style=\"text-align: left;\" sdnum=\"1040;0;@\"></td></tr>"
        "</table></body></html>";
    QCOMPARE(doc, atteso);
}

void TestFoglio::senzaRighe()
{
    const QByteArray doc = qv::documentoFoglio(QStringLiteral("Foglio"), kColonne, {});
    QVERIFY(doc.startsWith("<html "));
    QVERIFY(doc.endsWith("<table x:str><tr><td style=\"text-align: left; font-weight: bold;\" width=180>Dipendente</td>"
                         "<td style=\"text-align: left; font-weight: bold;\" width=90>Citt\xE0 &amp; CAP</td></tr>"
                         "</table></body></html>"));
    QCOMPARE(doc.count("<tr>"), 1);
}

void TestFoglio::valori_data()
{
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QByteArray>("cella");

    QTest::newRow("markup escaped") << QStringLiteral("a<b c > d") << QByteArray("a&lt;b c &gt; d");
    QTest::newRow("entity stays text") << QStringLiteral("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("accents one byte each") << QStringLiteral("àèìòù €") << QByteArray("\xE0\xE8\xEC\xF2\xF9 \x80");
    QTest::newRow("outside the code page") << QStringLiteral("x\u4E2Dy") << QByteArray("x&#20013;y");
    QTest::newRow("outside the BMP") << QString::fromUcs4(U"ok \U0001F600") << QByteArray("ok &#128512;");
    QTest::newRow("trimmed") << QStringLiteral(" \t 00184\r\n") << QByteArray("00184");
    QTest::newRow("line break inside kept") << QStringLiteral("riga 1\r\nriga 2") << QByteArray("riga 1\r\nriga 2");
    QTest::newRow("blank only") << QStringLiteral("   ") << QByteArray();
}

void TestFoglio::valori()
{
    QFETCH(QString, valore);
    QFETCH(QByteArray, cella);
    const QByteArray doc = qv::documentoFoglio(QStringLiteral("Foglio"), {{QStringLiteral("Nota"), 50}}, {{valore}});
    QVERIFY2(doc.endsWith("</tr><tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + cella
                          + "</td></tr></table></body></html>"),
             doc.constData());
    // Line breaks come only from values.
    QCOMPARE(doc.count('\n'), cella.count('\n'));
    QCOMPARE(doc.count('\r'), cella.count('\r'));
}

void TestFoglio::scrittura()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Dipendenti.xls"));
    // An older, longer file is replaced whole.
    QVERIFY(scriviFile(percorso, QByteArray(10000, 'x')));

    const QList<QStringList> righe = {{QStringLiteral("Rossi Mario"), QStringLiteral("Roma")}};
    QString errore;
    QVERIFY(qv::scriviFoglio(percorso, QStringLiteral("Riepilogo Dipendenti"), kColonne, righe, &errore));
    QVERIFY(errore.isEmpty());
    QCOMPARE(leggiFile(percorso), qv::documentoFoglio(QStringLiteral("Riepilogo Dipendenti"), kColonne, righe));
    QCOMPARE(contenuto(dir.path()), QStringList{QStringLiteral("Dipendenti.xls")});
}

void TestFoglio::scritturaFallita_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("destinazioneCartella");

    QTest::newRow("missing folder") << QStringLiteral("manca/Dipendenti.xls") << false;
    QTest::newRow("target is a folder") << QStringLiteral("Dipendenti.xls") << true;
}

void TestFoglio::scritturaFallita()
{
    QFETCH(QString, nome);
    QFETCH(bool, destinazioneCartella);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray vecchio = "vecchio contenuto";
    QVERIFY(scriviFile(dir.filePath(QStringLiteral("altro.xls")), vecchio));
    if (destinazioneCartella) {
        QVERIFY(QDir(dir.path()).mkdir(nome));
        QVERIFY(scriviFile(dir.filePath(nome + QStringLiteral("/dentro.txt")), vecchio));
    }
    const QStringList prima = contenuto(dir.path());

    QString errore;
    QVERIFY(!qv::scriviFoglio(dir.filePath(nome), QStringLiteral("Foglio"), kColonne, {{QStringLiteral("a")}}, &errore));
    QVERIFY(!errore.isEmpty());
    // No temporary file is left behind and nothing else is touched.
    QCOMPARE(contenuto(dir.path()), prima);
    QCOMPARE(leggiFile(dir.filePath(QStringLiteral("altro.xls"))), vecchio);
    if (destinazioneCartella)
        QCOMPARE(leggiFile(dir.filePath(nome + QStringLiteral("/dentro.txt"))), vecchio);
}

void TestFoglio::scritturaInterrotta_data()
{
    QTest::addColumn<int>("lunghezza");
    // A small document stays in the write buffer until the file is closed, a
    // large one goes to the file at once.
    QTest::newRow("small") << 10;
    QTest::newRow("large") << 200000;
}

void TestFoglio::scritturaInterrotta()
{
    QFETCH(int, lunghezza);
    // A write that stops half way, as on a full disk: a file size limit makes
    // every write past 64 bytes fail, also for a privileged user (on Windows,
    // which has none, the system's seam of a full disk).
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Contratti_Lavoro.xls"));
    const QByteArray vecchio = "il foglio di ieri";
    QVERIFY(scriviFile(percorso, vecchio));

    QString errore;
#ifdef Q_OS_UNIX
    rlimit limite{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const rlimit ridotto{64, limite.rlim_max};
    const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &ridotto), 0);
    const bool ok = qv::scriviFoglio(percorso, QStringLiteral("Foglio"), kColonne, {{QString(lunghezza, u'a')}}, &errore);
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, gestore);
#else
    qv::os::guasti::discoPienoDopo(64);
    const bool ok = qv::scriviFoglio(percorso, QStringLiteral("Foglio"), kColonne, {{QString(lunghezza, u'a')}}, &errore);
    qv::os::guasti::discoPienoDopo(-1);
#endif

    QVERIFY(!ok);
    QVERIFY(!errore.isEmpty());
    QCOMPARE(leggiFile(percorso), vecchio);
    QCOMPARE(contenuto(dir.path()), QStringList{QStringLiteral("Contratti_Lavoro.xls")});
}

void TestFoglio::apertoDaLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the sheet is not opened by a real spreadsheet program.");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList valori = {QStringLiteral("a<b c"), QStringLiteral("&amp;"), QStringLiteral("00184"),
                                QStringLiteral("01234567890"), QStringLiteral("àèìòù €")};
    QList<ColonnaFoglio> colonne;
    for (int i = 1; i <= valori.size(); ++i)
        colonne.append({QStringLiteral("C%1").arg(i), 100});
    const QString xls = dir.filePath(QStringLiteral("prova.xls"));
    QVERIFY(qv::scriviFoglio(xls, QStringLiteral("Prova"), colonne, {valori}));

    // LibreOffice recognises the file by its content as an HTML table and opens
    // it in Calc on its own, as it does when the user opens it; no import
    // filter is forced, so the test also notices if that recognition fails.
    // The CSV export uses comma, double quote and UTF-8 (76). A private profile
    // keeps parallel runs from clashing over the user's one.
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=")
                          + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profilo"))).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                      dir.filePath(QStringLiteral("csv")), xls});
    QVERIFY(p.waitForFinished(180000));
    const QByteArray csv = leggiFile(dir.filePath(QStringLiteral("csv/prova.csv")));
    QVERIFY2(!csv.isEmpty(), p.readAllStandardError().constData());

    const QStringList righe = QString::fromUtf8(csv).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(righe.size(), 2);
    QCOMPARE(righe.at(1).split(QLatin1Char(',')), valori);
}

QTEST_GUILESS_MAIN(TestFoglio)
#include "tst_foglio.moc"
