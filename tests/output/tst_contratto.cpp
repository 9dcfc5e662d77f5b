#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "output/contratto.h"
#include "core/os/guasti.h"
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
    "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1417\\margb1134"
    "\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs24 CONTRATTO DI COLLABORAZIONE COORDINATA E CONTINUATIVA";
const QByteArray kFine = "\\par Firma del Collaboratore: ____________________________\\par \\pard\\cf1\\b\\f2\\fs24\\par }";

// The documents as LibreOffice reads them, as plain text (one conversion,
// private profile and output under `cartella`); a document it could not read
// is an empty text, with LibreOffice's words in `errore`.
QStringList testiLibreOffice(const QStringList &rtf, const QString &cartella, QString *errore)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
            QStringList{QStringLiteral("-env:UserInstallation=")
                            + QUrl::fromLocalFile(cartella + QStringLiteral("/profilo")).toString(),
                        QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                        QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
                        cartella + QStringLiteral("/txt")}
                + rtf);
    p.waitForFinished(300000);
    *errore = QString::fromLocal8Bit(p.readAllStandardError());
    QStringList testi;
    for (const QString &f : rtf) {
        QByteArray byte = leggiFile(cartella + QStringLiteral("/txt/") + QFileInfo(f).completeBaseName()
                                    + QStringLiteral(".txt"));
        if (byte.startsWith("\xEF\xBB\xBF"))
            byte.remove(0, 3);
        testi << QString::fromUtf8(byte);
    }
    return testi;
}

} // namespace

class TestContratto : public QObject
{
    Q_OBJECT
private slots:
    void documentoPieno();
    void schedaVuota();
    void collaboratrice();
    void rappresentante();
    void valori_data();
    void valori();
    void scrittura();
    void scritturaInterrotta();
    void apertoDaLibreOffice();
    void paginaA4();
    void parolePerIValori();
    void luoghiEsteri_data();
    void luoghiEsteri();
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
    QVERIFY(doc.contains("mensilmente in \\'80\\b  1.250,00\\b0  al lordo"));
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

// A legal representative who is a woman by her valid code is "nata"; the
// collaborator's paragraph is his own.
void TestContratto::rappresentante()
{
    CampiContratto campi = schedaPiena();
    campi["txtLegale"] = "Ferretti Giovanna";
    campi["txtCodFiscLeg"] = " FRRGNN60E42M082G ";
    const QByteArray atteso =
        leggiFile(QStringLiteral(QV_TEST_DATA "/contratto/Contratto_Collaborazione_Rappresentante_F.rtf"));
    QVERIFY(!atteso.isEmpty());
    QCOMPARE(qv::documentoContratto(campi), atteso);
    QVERIFY(atteso.contains("rappresentante \\b Ferretti Giovanna\\b0 , nata a \\b Viterbo\\b0  il"));
    QVERIFY(atteso.contains("Sig. \\b Bianchi Niccol\xF2\\b0 , di cittadinanza \\b italiana\\b0 , nato a"));
    // Both women: each paragraph agrees with its own code.
    campi["txtDipendente"] = "Bianchi Nicoletta";
    campi["txtCodFisc"] = "BNCNLT85P61D704M";
    QByteArray doc = qv::documentoContratto(campi);
    QVERIFY(doc.contains("Giovanna\\b0 , nata a"));
    QVERIFY(doc.contains("Sig.ra \\b Bianchi Nicoletta\\b0 , di cittadinanza \\b italiana\\b0 , nata a"));
    // A wrong check letter says nothing of the sex.
    campi["txtCodFiscLeg"] = "FRRGNN60E42M082X";
    doc = qv::documentoContratto(campi);
    QVERIFY(doc.contains("Giovanna\\b0 , nato a"));
    QCOMPARE(doc.count(", nata a"), 1);
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
    // The fee as every amount is shown, however the card holds it.
    for (const char *importo : {"1234567,89", "1.234.567,89"})
        QVERIFY(qv::documentoContratto({{QStringLiteral("txtStipendio"), QString::fromLatin1(importo)}})
                    .contains("concordato mensilmente in \\'80\\b  1.234.567,89\\b0  al lordo"));
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
    // A write that stops half way, as on a full disk: a file size limit makes
    // every write past 1000 bytes fail, also for a privileged user (on
    // Windows, which has none, the system's seam of a full disk).
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Contratto_Collaborazione.rtf"));
    const QByteArray vecchio = "{\\rtf1 il contratto di ieri\\par }";
    QVERIFY(scriviFile(percorso, vecchio));

    QString errore;
#ifdef Q_OS_UNIX
    rlimit limite{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const rlimit ridotto{1000, limite.rlim_max};
    const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &ridotto), 0);
    const bool ok = qv::scriviDocumentoContratto(percorso, schedaPiena(), &errore);
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, gestore);
#else
    qv::os::guasti::discoPienoDopo(1000);
    const bool ok = qv::scriviDocumentoContratto(percorso, schedaPiena(), &errore);
    qv::os::guasti::discoPienoDopo(-1);
#endif

    QVERIFY(!ok);
    QVERIFY(!errore.isEmpty());
    QCOMPARE(leggiFile(percorso), vecchio);
    QCOMPARE(contenuto(dir.path()), QStringList{QStringLiteral("Contratto_Collaborazione.rtf")});
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
    QString errore;
    const QString testo = testiLibreOffice({rtf}, dir.path(), &errore).value(0);
    QVERIFY2(!testo.isEmpty(), qPrintable(errore));

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

// The document as a word processor lays it out whatever its own defaults: A4
// pages, the filled card on three of them, and the closing approval with its
// two signatures together on the last page, also when long values push the
// text on to a fourth.
void TestContratto::paginaA4()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (soffice.isEmpty() || pdftotext.isEmpty())
        QSKIP("LibreOffice (soffice) or pdftotext is not installed: the pages are not laid out.");

    // Every field the document shows filled to its capacity with words.
    CampiContratto lungo = schedaPiena();
    const QHash<QString, int> capacita = {
        {"txtNomeDitta", 50},  {"txtSedeDitta", 50},  {"txtComuneReg", 50},    {"txtNumReg", 30},
        {"txtLegale", 50},     {"txtLuogoNascLeg", 50}, {"txtAttivita", 250},  {"txtForo", 50},
        {"txtDipendente", 50}, {"txtCittadinanza", 50}, {"txtLuogo", 50},      {"txtRecapito", 50},
        {"txtIndirizzo", 120}, {"txtCitta", 50},      {"txtQualifiche", 120}, {"txtPrestazioni", 250},
        {"txtDurata", 50},     {"txtSedeLavoro", 50}, {"txtLuogoStipula", 50},
    };
    for (auto c = capacita.cbegin(); c != capacita.cend(); ++c)
        lungo.insert(c.key(), QStringLiteral("collaborazione ").repeated(20).left(c.value()).trimmed());

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pieno = dir.filePath(QStringLiteral("pieno.rtf"));
    const QString massimo = dir.filePath(QStringLiteral("massimo.rtf"));
    QVERIFY(qv::scriviDocumentoContratto(pieno, schedaPiena()));
    QVERIFY(qv::scriviDocumentoContratto(massimo, lungo));
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=")
                          + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profilo"))).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                      QStringLiteral("--outdir"), dir.filePath(QStringLiteral("pdf")), pieno, massimo});
    QVERIFY(p.waitForFinished(180000));

    for (const auto &[nome, pagine] : {std::pair{"pieno", 3}, std::pair{"massimo", 4}}) {
        const QString pdf = dir.filePath(QStringLiteral("pdf/%1.pdf").arg(QLatin1String(nome)));
        const QByteArray byte = leggiFile(pdf);
        QVERIFY2(!byte.isEmpty(), p.readAllStandardError().constData());
        // Every page 595 x 842 points.
        const QRegularExpression formato(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
        int fogli = 0;
        for (auto m = formato.globalMatch(QString::fromLatin1(byte)); m.hasNext(); ++fogli) {
            const QRegularExpressionMatch f = m.next();
            QCOMPARE(qRound(f.captured(1).toDouble()), 595);
            QCOMPARE(qRound(f.captured(2).toDouble()), 842);
        }
        QVERIFY(fogli > 0);

        QProcess estrai;
        estrai.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(estrai.waitForFinished(60000));
        QStringList testo = QString::fromUtf8(estrai.readAllStandardOutput()).split(u'\f');
        if (testo.constLast().trimmed().isEmpty())
            testo.removeLast();
        QCOMPARE(testo.size(), pagine);
        const QString ultima = testo.constLast();
        QVERIFY2(ultima.contains(QStringLiteral("Si approvano tutti gli articoli")), qPrintable(nome));
        QCOMPARE(ultima.count(QStringLiteral("Firma del Committente:")), ultima.count(QStringLiteral("Firma del Collaboratore:")));
        QVERIFY(ultima.indexOf(QStringLiteral("Firma del Collaboratore:"), ultima.indexOf(QStringLiteral("Si approvano"))) > 0);
    }
}

// The words that depend on the values, read back as LibreOffice shows the
// written documents (all converted at once); the privacy clause cites the
// regulation in force.
void TestContratto::parolePerIValori()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the document is not opened by a real word processor.");
    // A foreign state takes "in", a comune "a"; with her code she is "nata".
    // The company's name that begins with "Ditta" is not given a second one.
    const struct { const char *campo, *valore, *letto; } casi[] = {
        {"txtLuogo", "Germania", "Sig.ra Bianchi Nicoletta, di cittadinanza italiana, nata in Germania il 21/09/1985"},
        {"txtLuogo", "Francia (EE)", "nata in Francia (EE) il"},
        {"txtLuogo", "Forlì (FC)", "nata a Forlì (FC) il"},
        {"txtLuogo", "forlì", "nata a forlì il"},
        {"txtLuogoNascLeg", " svizzera ", "legale rappresentante Ferretti Giovanni, nato in svizzera il 02/05/1960"},
        {"txtNomeDitta", "Ditta Esempio S.r.l.", "\nDitta Esempio S.r.l., con sede legale in Roma"},
        {"txtNomeDitta", "DITTA ROSSI", "\nDITTA ROSSI, con sede legale"},
        {"txtNomeDitta", "Ditta", "\nDitta, con sede legale"},
        {"txtNomeDitta", "Dittamondo SRL", "\nDitta Dittamondo SRL, con sede legale"},
        {"txtNomeDitta", "Edilizia Ferretti S.r.l.", "\nDitta Edilizia Ferretti S.r.l., con sede legale"},
    };
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList documenti;
    for (const auto &c : casi) {
        CampiContratto campi = schedaPiena();
        campi["txtDipendente"] = "Bianchi Nicoletta";
        campi["txtCodFisc"] = "BNCNLT85P61D704M";
        campi[QString::fromUtf8(c.campo)] = QString::fromUtf8(c.valore);
        documenti << dir.filePath(QStringLiteral("caso%1.rtf").arg(documenti.size()));
        QVERIFY(qv::scriviDocumentoContratto(documenti.constLast(), campi));
    }
    QString errore;
    const QStringList testi = testiLibreOffice(documenti, dir.path(), &errore);
    QCOMPARE(testi.size(), documenti.size());
    const QRegularExpression doppia(QStringLiteral("\\bDitta Ditta\\b"), QRegularExpression::CaseInsensitiveOption);
    for (qsizetype i = 0; i < testi.size(); ++i) {
        const QString &testo = testi.at(i);
        QVERIFY2(!testo.isEmpty(), qPrintable(errore));
        QVERIFY2(testo.contains(QString::fromUtf8(casi[i].letto)), qPrintable(testo.left(1200)));
        QVERIFY(!testo.contains(doppia));
        QVERIFY(testo.contains(QStringLiteral(
            "14. Il Collaboratore, ricevuta l'informativa di cui all'art. 13 del Regolamento (UE) 2016/679 e al "
            "Decreto legislativo 30 giugno 2003, n. 196 (Codice in materia di protezione dei dati personali), "
            "esprime il proprio libero ed informato consenso al trattamento dei propri dati personali, ivi "
            "compreso il loro trasferimento all'estero, per le finalità, con le modalità e nei limiti indicati "
            "nella medesima informativa.")));
    }
}

void TestContratto::luoghiEsteri_data()
{
    QTest::addColumn<QString>("luogo");
    QTest::addColumn<bool>("estero");
    QTest::newRow("stato") << QStringLiteral("Germania") << true;
    QTest::newRow("stato in maiuscolo") << QStringLiteral("STATI UNITI D'AMERICA") << true;
    QTest::newRow("stato con EE") << QStringLiteral("Marocco (EE)") << true;
    QTest::newRow("comune") << QStringLiteral("Roma") << false;
    QTest::newRow("comune con provincia") << QStringLiteral("Samone (TO)") << false;
    QTest::newRow("sconosciuto") << QStringLiteral("Atlantide") << false;
    QTest::newRow("vuoto") << QStringLiteral("") << false;
}

void TestContratto::luoghiEsteri()
{
    QFETCH(QString, luogo);
    QFETCH(bool, estero);
    QCOMPARE(qv::luogoEstero(luogo), estero);
}

QTEST_GUILESS_MAIN(TestContratto)
#include "tst_contratto.moc"
