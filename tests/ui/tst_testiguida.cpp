#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <iterator>

#include "app/guidapdf.h"
#include "ui/testiguida.h"

using namespace qv;

namespace {

// The words each paragraph of the general guide begins with. Paragraphs 14 to 26
// are also the contract area's help, which names longer beginnings for them.
const char *const kInizi[] = {
    "Quadrivela è un software facile e intuitivo",
    "L'applicazione Anagrafica Dipendenti e Lavori consente di schedare",
    "La scheda anagrafica permette, inoltre, di prendere nota",
    "Per inserire una scheda anagrafica in archivio",
    "Nessuna modifica va persa: prima di ogni salvataggio",
    "Per allegare una foto del Dipendente",
    "La foto del lavoratore viene ridotta in scala automaticamente",
    "A ciascuna scheda è possibile allegare non solo una foto",
    "Il pulsante Duplica serve a registrare più velocemente",
    "Appositi pulsanti consentono di controllare la validità",
    "Il pulsante Trova permette di trovare le schede dei Dipendenti",
    "Il pulsante Lavori svolti apre automaticamente un foglio di Excel",
    "La scheda di ciascun Dipendente può essere visualizzata in anteprima",
    "L'applicazione Archivio Contratti serve a redigere, stampare e archiviare i contratti di lavoro "
    "stipulati con i propri Dipendenti",
    "Il tipo di contratto di lavoro gestito dal software è quello di collaborazione coordinata e continuativa",
    "Per registrare un nuovo contratto in archivio, bisogna selezionare un anno solare",
    "Anche di ogni contratto il programma conserva le versioni precedenti",
    "Si tenga presente che la data di stipula del contratto viene inserita in automatico",
    "Il luogo di stipula, il foro competente in caso di controversia giudiziaria e i dati della propria ditta",
    "I dati del Dipendente possono essere o digitati sul momento oppure importati dall'archivio anagrafico",
    "Nel caso in cui il contratto venisse rescisso",
    "Il pulsante Duplica serve a registrare un nuovo contratto duplicando i dati di un contratto già in archivio",
    "A ciascun contratto è possibile allegare file esterni di qualsiasi genere",
    "Il pulsante Trova permette di trovare le schede dei contratti di lavoro in archivio",
    "Il pulsante Esporta in .RTF serve a esportare il testo del contratto in un file in formato Rich Text Format",
    "L'archivio contenente tutti i contratti stipulati in un anno solare può essere esportato in un file di Excel",
    "L'applicazione Statistiche Contratti consente di visualizzare",
    "Il grafico che appare è costituito da dodici barre tridimensionali",
    "L'applicazione Riepilogo Contratti permette di visualizzare",
    "Il riepilogo dei contratti può essere stampato su carta facendo clic sull'apposito pulsante.",
    "Quadrivela funziona anche su chiavetta USB.",
    "Per mettere al sicuro i dati si usa il pulsante Copia di sicurezza del menu principale (Ctrl+B)",
    "Il pulsante Ripristina da una copia (Ctrl+R) riporta i dati com'erano in una copia di sicurezza",
    "L'accesso al software è protetto da una password",
    "Quadrivela è quindi lo strumento ideale",
};
constexpr int kParagrafi = int(std::size(kInizi));

} // namespace

class TestTestiGuida : public QObject
{
    Q_OBJECT
private slots:
    void inizi_data();
    void inizi();
    void paragrafiPrescritti();
    void funzioniNominate_data();
    void funzioniNominate();
    void unione_data();
    void unione();
    void documentoPdf();
    void pdfNonScrivibile_data();
    void pdfNonScrivibile();
};

void TestTestiGuida::inizi_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("inizio");
    for (int i = 0; i < kParagrafi; ++i)
        QTest::addRow("paragrafo %02d", i + 1) << i << QString::fromUtf8(kInizi[i]);
}

void TestTestiGuida::inizi()
{
    QFETCH(int, indice);
    QFETCH(QString, inizio);
    const QStringList &paragrafi = paragrafiGuidaGenerale();
    QCOMPARE(paragrafi.size(), kParagrafi);
    const QString &p = paragrafi.at(indice);
    QVERIFY2(p.startsWith(inizio), qPrintable(p.left(inizio.size() + 20)));
    // A paragraph is one line of text: the empty line between paragraphs is the only break.
    QVERIFY(!p.contains(QLatin1Char('\r')) && !p.contains(QLatin1Char('\n')));
    QCOMPARE(p, p.trimmed());
    QVERIFY(!p.contains(QLatin1String("  ")));
}

void TestTestiGuida::paragrafiPrescritti()
{
    const QStringList &paragrafi = paragrafiGuidaGenerale();
    QCOMPARE(paragrafi.at(29), QString::fromUtf8(kInizi[29]));
    QVERIFY(paragrafi.at(33).contains(QLatin1String("\"mirtillobianco\" (senza le virgolette)")));
    QVERIFY(paragrafi.at(33).contains(QLatin1String("Cambia Password")));

    // The employee card's and the contract area's help are slices of the general guide.
    QCOMPARE(paragrafiGuidaAnagrafica(), paragrafi.mid(1, 12));
    const QStringList contratti = paragrafiGuidaContratti();
    QCOMPARE(contratti, paragrafi.mid(13, 13));
    QVERIFY(contratti.last().endsWith(
        QLatin1String("con chiunque non abbia installato Quadrivela sul proprio computer.")));
}

// Each help names what the program offers on its screens today, in the words
// of its buttons, and no longer what the program does by itself.
void TestTestiGuida::funzioniNominate_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("parole");
    QTest::addColumn<QStringList>("superate");
    const QStringList copiaAMano{QStringLiteral("copiare l'intera cartella")};
    QTest::newRow("guida generale (F1 sul menu principale, Guida.pdf)")
        << testoGuida(paragrafiGuidaGenerale())
        << QStringList{QStringLiteral("Copia di sicurezza del menu principale (Ctrl+B)"),
                       QStringLiteral("Crea la copia"),
                       QStringLiteral("Quadrivela-copia-AAAA-MM-GG-hhmm.zip"),
                       QStringLiteral("Ripristina da una copia (Ctrl+R)"),
                       QStringLiteral("Dati prima del ripristino"),
                       QStringLiteral("La password resta quella in uso"),
                       QStringLiteral("restano anche la cartella e la data dell'ultima copia di sicurezza"),
                       QStringLiteral("all'avvio successivo il programma lo completa oppure rimette i dati com'erano"),
                       QStringLiteral("Versioni precedenti (Ctrl+H)"),
                       QStringLiteral("Esporta in Excel (.xlsx)"),
                       QStringLiteral("Ctrl+S a Salva"),
                       QStringLiteral("il tasto F4")}
        << copiaAMano;
    QTest::newRow("scheda anagrafica")
        << testoGuida(paragrafiGuidaAnagrafica())
        << QStringList{QStringLiteral("Versioni precedenti (Ctrl+H)"),
                       QStringLiteral("la data e l'ora in cui un salvataggio l'ha sostituita"),
                       QStringLiteral("il valore di prima e quello di dopo"),
                       QStringLiteral("Mostra nella scheda"),
                       QStringLiteral("Salvare le modifiche?"),
                       QStringLiteral("Dipendenti.xlsx"),
                       QStringLiteral("Ctrl+S"),
                       QStringLiteral("il tasto F4")}
        << QStringList();
    QTest::newRow("contratti")
        << testoGuida(paragrafiGuidaContratti())
        << QStringList{QStringLiteral("Versioni precedenti (Ctrl+H)"),
                       QStringLiteral("la data e l'ora in cui un salvataggio l'ha sostituita"),
                       QStringLiteral("Contratti_Lavoro.xlsx"),
                       QStringLiteral("Ctrl+S"),
                       QStringLiteral("il tasto F4")}
        << QStringList();
    QTest::newRow("esportazione Dipendenti")
        << testoGuida(paragrafiGuidaEsportaDipendenti())
        << QStringList{QStringLiteral("Esporta in Excel (.xlsx)"), QStringLiteral("Dipendenti.xlsx")}
        << QStringList();
    QTest::newRow("esportazione contratti")
        << testoGuida(paragrafiGuidaEsportaContratti())
        << QStringList{QStringLiteral("Esporta in Excel (.xlsx)"), QStringLiteral("Contratti_Lavoro.xlsx")}
        << QStringList();
}

void TestTestiGuida::funzioniNominate()
{
    QFETCH(QString, testo);
    QFETCH(QStringList, parole);
    QFETCH(QStringList, superate);
    for (const QString &p : parole)
        QVERIFY2(testo.contains(p), qPrintable(p));
    for (const QString &p : superate)
        QVERIFY2(!testo.contains(p), qPrintable(p));
}

void TestTestiGuida::unione_data()
{
    QTest::addColumn<QStringList>("paragrafi");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("nessuno") << QStringList() << QString();
    QTest::newRow("uno, senza riga vuota in coda") << QStringList{"Uno."} << "Uno.";
    QTest::newRow("due") << QStringList{"Uno.", "Due."} << "Uno.\r\n\r\nDue.";
    QTest::newRow("tre") << QStringList{"Uno.", "Due.", "Tre."} << "Uno.\r\n\r\nDue.\r\n\r\nTre.";
}

void TestTestiGuida::unione()
{
    QFETCH(QStringList, paragrafi);
    QFETCH(QString, atteso);
    QCOMPARE(testoGuida(paragrafi), atteso);
}

void TestTestiGuida::documentoPdf()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString cartella = dir.filePath(QStringLiteral("Quadrivela"));
    const QString percorso = cartella + QStringLiteral("/Guida.pdf");
    QString errore;
    QVERIFY2(scriviGuidaPdf(percorso, &errore), qPrintable(errore));

    QFile f(percorso);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");
    f.close();
    // Nothing but the finished document is left in its folder.
    QCOMPARE(QDir(cartella).entryList(QDir::Files | QDir::Hidden), QStringList{"Guida.pdf"});

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess estrai;
    estrai.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), percorso, QStringLiteral("-")});
    QVERIFY(estrai.waitForFinished(30000));
    QCOMPARE(estrai.exitCode(), 0);
    QString testo = QString::fromUtf8(estrai.readAllStandardOutput());

    // Every page carries "Pagina N di M", numbered 1 to M in order.
    static const QRegularExpression piede(
        QStringLiteral("Quadrivela – Guida all'utilizzo del software\\s+Pagina (\\d+) di (\\d+)"));
    QList<int> pagine;
    QSet<int> totali;
    for (const QRegularExpressionMatch &m : piede.globalMatch(testo)) {
        pagine << m.captured(1).toInt();
        totali << m.captured(2).toInt();
    }
    QCOMPARE(totali.size(), 1);
    const int totale = *totali.cbegin();
    QVERIFY(totale > 1);
    QCOMPARE(pagine.size(), totale);
    for (int i = 0; i < totale; ++i)
        QCOMPARE(pagine.at(i), i + 1);

    // Without the footers, the pages read as the heading, the title and the
    // paragraphs, each once and in order.
    testo = testo.remove(piede).simplified();
    const QStringList intestazione{QStringLiteral("Quadrivela"), QStringLiteral("Guida all'utilizzo del software"),
                                   TitoloGuidaGenerale};
    const QString atteso = (intestazione + paragrafiGuidaGenerale()).join(QLatin1Char(' '));
    QCOMPARE(testo, atteso);
}

void TestTestiGuida::pdfNonScrivibile_data()
{
    QTest::addColumn<QString>("relativo");
    QTest::addColumn<bool>("occupata");
    QTest::addColumn<QStringList>("contenuto");
    QTest::newRow("cartella sotto un file") << "file.txt/Guida.pdf" << false << QStringList{"file.txt"};
    QTest::newRow("destinazione occupata da una cartella")
        << "Guida.pdf" << true << QStringList{"Guida.pdf", "file.txt"};
}

void TestTestiGuida::pdfNonScrivibile()
{
    QFETCH(QString, relativo);
    QFETCH(bool, occupata);
    QFETCH(QStringList, contenuto);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("file.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    if (occupata)
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Guida.pdf")));

    QString errore;
    QVERIFY(!scriviGuidaPdf(dir.filePath(relativo), &errore));
    QVERIFY(!errore.isEmpty());
    // A failed run leaves no half-written file behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
             contenuto);
}

QTEST_MAIN(TestTestiGuida)
#include "tst_testiguida.moc"
