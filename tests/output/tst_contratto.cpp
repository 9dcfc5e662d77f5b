#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "output/contratto.h"
#include "support/fileprova.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using qv::CampiContratto;

using namespace qv::prova;

namespace {

// A card filled in as an office would fill it, with accented letters in values.
CampiContratto schedaPiena()
{
    return {
        {"txtDataStipula", "15/03/2017"}, {"txtLuogoStipula", "Roma"},
        {"txtNomeDitta", "Edilizia Ferretti S.r.l."}, {"txtSedeDitta", "Roma"}, {"txtProvDitta", "RM"},
        {"txtIvaDitta", "01234567890"}, {"txtComuneReg", "Roma"}, {"txtProvReg", "RM"},
        {"txtNumReg", "RM-1234567"}, {"txtLegale", "Ferretti Giovanni"}, {"txtLuogoNascLeg", "Viterbo"},
        {"txtDataNascLeg", "02/05/1960"}, {"txtCodFiscLeg", "FRRGNN60E02M082X"},
        {"txtAttivita", "costruzione e ristrutturazione di edifici civili"}, {"txtForo", "Roma"},
        {"txtDipendente", "Bianchi Niccolò"}, {"txtCittadinanza", "italiana"}, {"txtLuogo", "Forlì"},
        {"txtDataNasc", "21/09/1985"}, {"txtCodFisc", "BNCNCL85P21D704Z"}, {"txtRecapito", "333 1234567"},
        {"txtIndirizzo", "Via Garibaldi, 12"}, {"txtCitta", "Roma"}, {"txtProv", "RM"}, {"txtCap", "00153"},
        {"txtStipendio", "1250,00"}, {"txtIban", "IT60X0542811101000000123456"},
        {"txtQualifiche", "geometra, abilitazione alla direzione di cantiere"},
        {"txtPrestazioni", "assistenza alla direzione dei lavori e contabilità di cantiere"},
        {"txtDataInizio", "01/04/2017"}, {"txtDataFine", "31/03/2018"}, {"txtDurata", "dodici mesi"},
        {"txtSedeLavoro", "Roma, Via Appia Nuova 250"},
    };
}

const QByteArray kInizio =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Verdana;}"
    "{\\f1\\froman\\fprq2\\fcharset2 Symbol;}{\\f2\\fnil Verdana;}}{\\colortbl ;\\red0\\green0\\blue0;}"
    "\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs24 CONTRATTO DI COLLABORAZIONE COORDINATA E CONTINUATIVA";
const QByteArray kFine = "\\par Firma del Collaboratore: ____________________________\\par \\pard\\cf1\\b\\f2\\fs24\\par }";

} // namespace

class TestContratto : public QObject
{
    Q_OBJECT
private slots:
    void documentoPieno();
    void schedaVuota();
    void collaboratrice();
    void valori_data();
    void valori();
    void scrittura();
    void scritturaInterrotta();
    void apertoDaLibreOffice();
};

void TestContratto::documentoPieno()
{
    const QByteArray doc = qv::documentoContratto(schedaPiena());
    const QByteArray atteso = leggiFile(QStringLiteral(QV_TEST_DATA "/contratto/Contratto_Collaborazione.rtf"));
    QVERIFY(!atteso.isEmpty());
    QCOMPARE(doc, atteso);
    // One line, accented values as single bytes, the fee after the euro escape.
    QVERIFY(!doc.contains('\n') && !doc.contains('\r'));
    QVERIFY(doc.startsWith(kInizio));
    QVERIFY(doc.endsWith(kFine));
    QVERIFY(doc.contains("Sig. \\b Bianchi Niccol\xF2\\b0 , di cittadinanza \\b italiana\\b0 , nato a \\b Forl\xEC\\b0  il"));
    QVERIFY(doc.contains("mensilmente in \\'80\\b  1250,00\\b0  al lordo"));
}

// A woman by her valid code: her paragraph agrees, and nothing else changes.
void TestContratto::collaboratrice()
{
    CampiContratto campi = schedaPiena();
    campi["txtDipendente"] = "Bianchi Nicoletta";
    campi["txtCodFisc"] = " BNCNLT85P61D704M ";
    const QByteArray atteso = leggiFile(QStringLiteral(QV_TEST_DATA "/contratto/Contratto_Collaborazione_F.rtf"));
    QVERIFY(!atteso.isEmpty());
    QCOMPARE(qv::documentoContratto(campi), atteso);
    // The legal representative keeps his "nato".
    QVERIFY(atteso.contains("rappresentante \\b Ferretti Giovanni\\b0 , nato a"));

    // A woman's day with a wrong check letter says nothing of the sex.
    campi["txtCodFisc"] = "BNCNLT85P61D704A";
    const QByteArray doc = qv::documentoContratto(campi);
    QVERIFY(doc.contains("Sig. \\b Bianchi Nicoletta\\b0 , di cittadinanza \\b italiana\\b0 , nato a"));
    QVERIFY(doc.contains("di seguito denominato Collaboratore,"));
    QVERIFY(!doc.contains("Sig.ra") && !doc.contains("denominata Collaboratore"));
}

void TestContratto::schedaVuota()
{
    // A new card: nothing but the signing date and the zero fee; every other
    // bold place is empty and the document is still whole.
    const QByteArray doc = qv::documentoContratto(
        {{QStringLiteral("txtDataStipula"), QStringLiteral("15/03/2017")}, {QStringLiteral("txtStipendio"), QStringLiteral("0,00")}});
    QVERIFY(doc.startsWith(kInizio));
    QVERIFY(doc.endsWith(kFine));
    QVERIFY(!doc.contains('\n') && !doc.contains('\r'));
    QVERIFY(doc.contains("\\par Ditta \\b \\b0 , con sede legale in \\b \\b0 , prov. \\b \\b0 ; partita IVA: \\b \\b0 ,"));
    QVERIFY(doc.contains("\\'80\\b  0,00\\b0  al lordo"));
    QVERIFY(doc.contains("\\par \\b \\b0 , \\b 15/03/2017\\b0 ."));
    QCOMPARE(doc.count("\\b \\b0"), 32); // 34 places, two of them filled
    for (int articolo = 2; articolo <= 15; ++articolo)
        QVERIFY(doc.contains("\\par \\b " + QByteArray::number(articolo) + ".\\b0  "));
    QVERIFY(doc.contains("\\par \\pard\\qj 1.\\b0  Il presente contratto"));
    // The same text as the filled card without its values.
    QVERIFY(doc.size() < qv::documentoContratto(schedaPiena()).size());
}

void TestContratto::valori_data()
{
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QByteArray>("scritto");

    QTest::newRow("accented letters one byte each") << QStringLiteral("Niccolò Forlì €") << QByteArray("Niccol\xF2 Forl\xEC \x80");
    QTest::newRow("blanks around stripped") << QStringLiteral(" \t Rossi Mario  ") << QByteArray("Rossi Mario");
    QTest::newRow("closing brace stays text") << QStringLiteral("ACME} SRL") << QByteArray("ACME\\} SRL");
    QTest::newRow("braces stay text") << QStringLiteral("{SRL}") << QByteArray("\\{SRL\\}");
    QTest::newRow("backslashes stay text") << QStringLiteral("C:\\temp\\new") << QByteArray("C:\\\\temp\\\\new");
    QTest::newRow("control word typed") << QStringLiteral("\\par }") << QByteArray("\\\\par \\}");
    QTest::newRow("Polish and Czech letters") << QStringLiteral("Łukasz Dvořák")
                                              << QByteArray("\\u321?ukasz Dvo\\u345?\xE1k");
    QTest::newRow("code above 32767 is negative") << QStringLiteral("\uD55C") << QByteArray("\\u-10916?");
    QTest::newRow("beyond the first 65536 as two halves") << QString::fromUcs4(U"a\U0001F600b")
                                                          << QByteArray("a\\u-10179?\\u-8704?b");
    QTest::newRow("control characters inside become blanks") << QStringLiteral("riga 1\r\nriga\t2")
                                                             << QByteArray("riga 1  riga 2");
    QTest::newRow("undefined Windows-1252 positions are no bytes of the document")
        << QStringLiteral("Ro\u0081ss\u008Di \u008F\u0090\u009D.") << QByteArray("Ro ss i    .");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestContratto::valori()
{
    QFETCH(QString, valore);
    QFETCH(QByteArray, scritto);
    CampiContratto campi = schedaPiena();
    campi.insert(QStringLiteral("txtDipendente"), valore);
    const QByteArray doc = qv::documentoContratto(campi);
    QVERIFY2(doc.contains("\\par \\pard\\qj Sig. \\b " + scritto + "\\b0 , di cittadinanza \\b italiana\\b0 ,"),
             doc.constData());
    QVERIFY(!doc.contains('\n') && !doc.contains('\r'));
    // Everything else is as in the filled card.
    const QByteArray pieno = qv::documentoContratto(schedaPiena());
    QCOMPARE(doc.size() - scritto.size(), pieno.size() - qsizetype(strlen("Bianchi Niccol\xF2")));
}

void TestContratto::scrittura()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Contratto_Collaborazione.rtf"));
    // The previous, longer document is replaced whole.
    QVERIFY(scriviFile(percorso, QByteArray(20000, 'x')));
    QString errore;
    QVERIFY(qv::scriviDocumentoContratto(percorso, schedaPiena(), &errore));
    QVERIFY(errore.isEmpty());
    QCOMPARE(leggiFile(percorso), qv::documentoContratto(schedaPiena()));
    QCOMPARE(contenuto(dir.path()), QStringList{QStringLiteral("Contratto_Collaborazione.rtf")});
}

void TestContratto::scritturaInterrotta()
{
#ifdef Q_OS_UNIX
    // A write that stops half way, as on a full disk: a file size limit makes
    // every write past 1000 bytes fail, also for a privileged user.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Contratto_Collaborazione.rtf"));
    const QByteArray vecchio = "{\\rtf1 il contratto di ieri\\par }";
    QVERIFY(scriviFile(percorso, vecchio));

    rlimit limite{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const rlimit ridotto{1000, limite.rlim_max};
    const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &ridotto), 0);
    QString errore;
    const bool ok = qv::scriviDocumentoContratto(percorso, schedaPiena(), &errore);
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, gestore);

    QVERIFY(!ok);
    QVERIFY(!errore.isEmpty());
    QCOMPARE(leggiFile(percorso), vecchio);
    QCOMPARE(contenuto(dir.path()), QStringList{QStringLiteral("Contratto_Collaborazione.rtf")});
#else
    QSKIP("The file size limit exists only on Unix systems.");
#endif
}

void TestContratto::apertoDaLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the document is not opened by a real word processor.");

    // Every value different from the others, so that its place can be found;
    // the company and the collaborator carry the characters that RTF would
    // otherwise read as its own.
    CampiContratto campi;
    const QStringList nomi = qv::campiDocumentoContratto();
    QCOMPARE(nomi.size(), 33);
    for (const QString &nome : nomi)
        campi.insert(nome, nome.mid(3) + QStringLiteral(" è qui"));
    campi.insert(QStringLiteral("txtNomeDitta"), QStringLiteral("ACME} SRL {SRL} C:\\temp\\new"));
    campi.insert(QStringLiteral("txtDipendente"), QStringLiteral("Łukasz Dvořák"));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString rtf = dir.filePath(QStringLiteral("Contratto_Collaborazione.rtf"));
    QVERIFY(qv::scriviDocumentoContratto(rtf, campi));

    // A private profile keeps parallel runs from clashing over the user's one.
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=")
                          + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profilo"))).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
                      dir.filePath(QStringLiteral("txt")), rtf});
    QVERIFY(p.waitForFinished(180000));
    QByteArray byte = leggiFile(dir.filePath(QStringLiteral("txt/Contratto_Collaborazione.txt")));
    QVERIFY2(!byte.isEmpty(), p.readAllStandardError().constData());
    if (byte.startsWith("\xEF\xBB\xBF"))
        byte.remove(0, 3);
    const QString testo = QString::fromUtf8(byte);

    QVERIFY2(testo.startsWith(QStringLiteral("CONTRATTO DI COLLABORAZIONE COORDINATA E CONTINUATIVA")), qPrintable(testo.left(200)));
    // Every value, in order of its first place in the text, and whole.
    qsizetype da = 0;
    for (const QString &nome : nomi) {
        const qsizetype a = testo.indexOf(campi.value(nome), da);
        QVERIFY2(a >= 0, qPrintable(nome));
        da = a;
    }
    QVERIFY(testo.contains(QStringLiteral("Ditta ACME} SRL {SRL} C:\\temp\\new, con sede legale in SedeDitta è qui")));
    QVERIFY(testo.contains(QStringLiteral("Sig. Łukasz Dvořák, di cittadinanza Cittadinanza è qui")));
    // Fifteen articles in order, then the signatures.
    da = 0;
    for (int articolo = 1; articolo <= 15; ++articolo) {
        const qsizetype a = testo.indexOf(QStringLiteral("\n%1. ").arg(articolo), da);
        QVERIFY2(a >= 0, qPrintable(QString::number(articolo)));
        da = a;
    }
    QVERIFY(testo.indexOf(QStringLiteral("Letto, approvato e sottoscritto."), da) > da);
    QCOMPARE(testo.count(QStringLiteral("Firma del Collaboratore:")), 2);
    // No control word reaches the text: the only backslashes are the value's.
    QCOMPARE(testo.count(u'\\'), 2);
    QVERIFY(!testo.contains(u'{') || testo.count(u'{') == 1);
    QCOMPARE(testo.count(u'}'), 2);
}

QTEST_GUILESS_MAIN(TestContratto)
#include "tst_contratto.moc"
