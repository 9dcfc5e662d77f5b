#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "storage/impostazioni.h"
#include "storage/ini.h"
#include "storage/sololettura.h"
#include "core/os/guasti.h"
#include "support/fileprova.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using qv::FileIni;

using namespace qv::prova;

namespace {

// Foreign content around the settings of the program, with CR LF endings.
const QByteArray kEstraneo = "; scritto a mano\r\n"
                             "[Altro]\r\n"
                             "Nome Ditta=non questa\r\n"
                             "\r\n"
                             "[Ditta Emittente]\r\n"
                             "  nome ditta  =  Vecchia Srl \r\n"
                             "Commento libero\r\n"
                             "\r\n"
                             "[Coda]\r\n"
                             "x=1\r\n";

} // namespace

class TestIni : public QObject
{
    Q_OBJECT
private slots:
    void lettura_data();
    void lettura();
    void scrittura_data();
    void scrittura();
    void fileMancanteONonLeggibile();
    void scritturaFallita_data();
    void scritturaFallita();
    void datiDitta();
    void datiDittaInFileEsistente();
};

void TestIni::lettura_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("atteso");

    const QString accesso = QStringLiteral("Accesso");
    const QString valore = QStringLiteral("Valore");
    QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=ABC\r\n") << accesso << valore << QStringLiteral("ABC");
    QTest::newRow("blanks and tabs around key, = and value")
        << QByteArray("  [ Accesso ]  \n \t Valore \t=  A B C \t\n") << accesso << valore << QStringLiteral("A B C");
    QTest::newRow("names in another case") << QByteArray("[ACCESSO]\nvalore=x\n") << accesso << valore << QStringLiteral("x");
    QTest::newRow("letters other than a-z are not folded")
        << QByteArray("[Attivit\xC0]\nk=x\n") << QStringLiteral("attività") << QStringLiteral("k") << QString();
    QTest::newRow("key name with blanks")
        << QByteArray("[Ditta Emittente]\r\nLuogo Stipula=Roma\r\n") << QStringLiteral("Ditta Emittente")
        << QStringLiteral("Luogo Stipula") << QStringLiteral("Roma");
    QTest::newRow("Windows-1252 bytes") << QByteArray("[A]\nk=Citt\xE0 \x80 5\n") << QStringLiteral("A")
                                        << QStringLiteral("k") << QStringLiteral("Città € 5");
    QTest::newRow("= inside the value") << QByteArray("[A]\nk = a=b\n") << QStringLiteral("A") << QStringLiteral("k")
                                        << QStringLiteral("a=b");
    QTest::newRow("last line without end") << QByteArray("[A]\nk=fine") << QStringLiteral("A") << QStringLiteral("k")
                                           << QStringLiteral("fine");
    QTest::newRow("first key and first section count")
        << QByteArray("[A]\nk=1\nk=2\n[A]\nk=3\n") << QStringLiteral("a") << QStringLiteral("K") << QStringLiteral("1");
    QTest::newRow("key of another section") << QByteArray("[B]\nk=1\n[A]\nj=2\n") << QStringLiteral("A")
                                            << QStringLiteral("k") << QString();
    QTest::newRow("key before any section") << QByteArray("k=1\n[A]\n") << QStringLiteral("A") << QStringLiteral("k")
                                            << QString();
    QTest::newRow("commented key") << QByteArray("[A]\n;k=1\n") << QStringLiteral("A") << QStringLiteral("k") << QString();
    QTest::newRow("missing section") << QByteArray("[B]\nk=1\n") << QStringLiteral("A") << QStringLiteral("k") << QString();
    QTest::newRow("empty value") << QByteArray("[A]\nk=   \n") << QStringLiteral("A") << QStringLiteral("k") << QString();
}

void TestIni::lettura()
{
    QFETCH(QByteArray, dati);
    QFETCH(QString, sezione);
    QFETCH(QString, chiave);
    QFETCH(QString, atteso);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("prova.ini"));
    QVERIFY(scriviFile(percorso, dati));
    const std::optional<FileIni> ini = FileIni::leggi(percorso);
    QVERIFY(ini);
    QCOMPARE(ini->valore(sezione, chiave), atteso);
}

void TestIni::scrittura_data()
{
    QTest::addColumn<QByteArray>("prima"); // a null array: no file
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QByteArray>("dopo");
    QTest::addColumn<QString>("letto");

    const QString accesso = QStringLiteral("Accesso");
    const QString valore = QStringLiteral("Valore");
    QTest::newRow("new file") << QByteArray() << accesso << valore << QStringLiteral("5F5B")
                              << QByteArray("[Accesso]\r\nValore=5F5B\r\n") << QStringLiteral("5F5B");
    QTest::newRow("empty file") << QByteArray("") << accesso << valore << QStringLiteral("1")
                                << QByteArray("[Accesso]\r\nValore=1\r\n") << QStringLiteral("1");
    QTest::newRow("existing key, CR LF, foreign lines kept")
        << kEstraneo << QStringLiteral("DITTA EMITTENTE") << QStringLiteral("Nome Ditta") << QStringLiteral("Nuova Snc")
        << QByteArray(kEstraneo).replace("=  Vecchia Srl ", "=Nuova Snc") << QStringLiteral("Nuova Snc");
    QTest::newRow("new key after the last line of its section")
        << kEstraneo << QStringLiteral("Ditta Emittente") << QStringLiteral("Luogo Stipula") << QStringLiteral("Roma")
        << QByteArray(kEstraneo).replace("Commento libero\r\n", "Commento libero\r\nLuogo Stipula=Roma\r\n")
        << QStringLiteral("Roma");
    QTest::newRow("new section at the end, LF")
        << QByteArray("# note\n[A]\nk=1\n") << accesso << valore << QStringLiteral("FF")
        << QByteArray("# note\n[A]\nk=1\n\n[Accesso]\nValore=FF\n") << QStringLiteral("FF");
    QTest::newRow("new section after a file without final line end")
        << QByteArray("[A]\r\nk=1") << accesso << valore << QStringLiteral("FF")
        << QByteArray("[A]\r\nk=1\r\n\r\n[Accesso]\r\nValore=FF\r\n") << QStringLiteral("FF");
    QTest::newRow("new key after a last line without end")
        << QByteArray("[Accesso]\nAltro=2") << accesso << valore << QStringLiteral("FF")
        << QByteArray("[Accesso]\nAltro=2\nValore=FF\n") << QStringLiteral("FF");
    QTest::newRow("new key in an empty section")
        << QByteArray("[Accesso]\r\n\r\n[B]\r\n") << accesso << valore << QStringLiteral("FF")
        << QByteArray("[Accesso]\r\nValore=FF\r\n\r\n[B]\r\n") << QStringLiteral("FF");
    QTest::newRow("key spelled as in the file, value replaced to the line end")
        << QByteArray("[accesso]\n  VALORE = vecchio valore  \n") << accesso << valore << QStringLiteral("nuovo")
        << QByteArray("[accesso]\n  VALORE =nuovo\n") << QStringLiteral("nuovo");
    QTest::newRow("only the first of two keys")
        << QByteArray("[A]\nk=1\nk=2\n") << QStringLiteral("A") << QStringLiteral("k") << QStringLiteral("3")
        << QByteArray("[A]\nk=3\nk=2\n") << QStringLiteral("3");
    QTest::newRow("Windows-1252 value, unknown characters as ?")
        << QByteArray() << QStringLiteral("Ditta Emittente") << QStringLiteral("Attivita Svolta")
        << QStringLiteral("Attività € Ω") << QByteArray("[Ditta Emittente]\r\nAttivita Svolta=Attivit\xE0 \x80 ?\r\n")
        << QStringLiteral("Attività € ?");
    QTest::newRow("line breaks in the value become blanks")
        << QByteArray("[A]\n") << QStringLiteral("A") << QStringLiteral("k") << QStringLiteral("uno\r\ndue\nx=y")
        << QByteArray("[A]\nk=uno  due x=y\n") << QStringLiteral("uno  due x=y");
}

void TestIni::scrittura()
{
    QFETCH(QByteArray, prima);
    QFETCH(QString, sezione);
    QFETCH(QString, chiave);
    QFETCH(QString, valore);
    QFETCH(QByteArray, dopo);
    QFETCH(QString, letto);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("prova.ini"));
    if (!prima.isNull())
        QVERIFY(scriviFile(percorso, prima));

    std::optional<FileIni> ini = FileIni::leggi(percorso);
    QVERIFY(ini);
    ini->imposta(sezione, chiave, valore);
    QString errore;
    QVERIFY2(ini->salva(&errore), qPrintable(errore));
    QCOMPARE(leggiFile(percorso), dopo);
    QCOMPARE(ini->valore(sezione, chiave), letto);
    QCOMPARE(FileIni::leggi(percorso)->valore(sezione, chiave), letto);
    QCOMPARE(contenuto(dir.path()), QStringList{QStringLiteral("prova.ini")});
}

void TestIni::fileMancanteONonLeggibile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::optional<FileIni> manca = FileIni::leggi(dir.filePath(QStringLiteral("manca.ini")));
    QVERIFY(manca);
    QCOMPARE(manca->valore(QStringLiteral("Accesso"), QStringLiteral("Valore")), QString());

    // Something that exists but is no readable file is an error, not an empty file.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Quadrivela.ini")));
    QString errore;
    QVERIFY(!FileIni::leggi(dir.filePath(QStringLiteral("Quadrivela.ini")), &errore));
    QVERIFY(!errore.isEmpty());
    QVERIFY(!qv::leggiDatiDitta(dir.filePath(QStringLiteral("Quadrivela.ini"))));
    QVERIFY(!qv::scriviDatiDitta(dir.filePath(QStringLiteral("Quadrivela.ini")), {}));
}

void TestIni::scritturaFallita_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("discoPieno");
    QTest::addColumn<bool>("solaLettura"); // a read-only folder: said before anything is tried
    QTest::addColumn<bool>("dalSistema");  // the system refuses the writes, which are tried to tell

    QTest::newRow("missing folder") << QStringLiteral("manca/Quadrivela.ini") << false << false << false;
    QTest::newRow("write stops half way") << QStringLiteral("Quadrivela.ini") << true << false << false;
    QTest::newRow("read-only folder") << QStringLiteral("Quadrivela.ini") << false << true << false;
    QTest::newRow("read-only folder, new file") << QStringLiteral("nuovo.ini") << false << true << false;
    QTest::newRow("folder the system keeps read-only") << QStringLiteral("Quadrivela.ini") << false << true << true;
    QTest::newRow("folder the system keeps read-only, new file")
        << QStringLiteral("nuovo.ini") << false << true << true;
}

void TestIni::scritturaFallita()
{
    QFETCH(QString, nome);
    QFETCH(bool, discoPieno);
    QFETCH(bool, solaLettura);
    QFETCH(bool, dalSistema);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(scriviFile(dir.filePath(QStringLiteral("Quadrivela.ini")), kEstraneo));
    const QStringList prima = contenuto(dir.path());
    const QString percorso = dir.filePath(nome);

    std::optional<FileIni> ini = FileIni::leggi(percorso);
    QVERIFY(ini);
    ini->imposta(QStringLiteral("Ditta Emittente"), QStringLiteral("Nome Ditta"), QString(300, u'x'));
    QString errore;
    bool ok = true;
    if (discoPieno) {
#ifdef Q_OS_UNIX
        // A file size limit makes every write past 64 bytes fail, as on a full
        // disk, also for a privileged user.
        rlimit limite{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
        const rlimit ridotto{64, limite.rlim_max};
        const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &ridotto), 0);
        ok = ini->salva(&errore);
        setrlimit(RLIMIT_FSIZE, &limite);
        std::signal(SIGXFSZ, gestore);
#else
        // Windows has no file size limit: the system's seam of a full disk.
        qv::os::guasti::discoPienoDopo(64);
        ok = ini->salva(&errore);
        qv::os::guasti::discoPienoDopo(-1);
#endif
    } else {
        if (dalSistema)
            qv::os::guasti::cartellaSolaLettura(dir.path());
        else
            qv::guasti::negaScrittura(solaLettura);
        QCOMPARE(FileIni::solaLettura(percorso), solaLettura);
        ok = ini->salva(&errore);
        qv::guasti::negaScrittura(false);
        qv::os::guasti::cartellaSolaLettura({});
    }
    QVERIFY(!ok);
    QVERIFY(!errore.isEmpty());
    QCOMPARE(errore == qv::MotivoSolaLettura, solaLettura);
    QCOMPARE(contenuto(dir.path()), prima);
    QCOMPARE(leggiFile(dir.filePath(QStringLiteral("Quadrivela.ini"))), kEstraneo);
}

void TestIni::datiDitta()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Quadrivela.ini"));

    const std::optional<qv::DatiDitta> vuoti = qv::leggiDatiDitta(percorso);
    QVERIFY(vuoti);
    QCOMPARE(*vuoti, qv::DatiDitta{});

    qv::DatiDitta dati;
    for (std::size_t i = 0; i < dati.size(); ++i)
        dati[i] = QStringLiteral("  v%1 àè € \t").arg(i);
    dati[3].clear();
    QString errore;
    QVERIFY2(qv::scriviDatiDitta(percorso, dati, &errore), qPrintable(errore));

    // The key names are those that earlier settings files hold, in screen order.
    QCOMPARE(leggiFile(percorso), QByteArray("[Ditta Emittente]\r\n"
                                             "Luogo Stipula=v0 \xE0\xE8 \x80\r\n"
                                             "Nome Ditta=v1 \xE0\xE8 \x80\r\n"
                                             "Sede Ditta=v2 \xE0\xE8 \x80\r\n"
                                             "Provincia Ditta=\r\n"
                                             "Iva Ditta=v4 \xE0\xE8 \x80\r\n"
                                             "Comune Registro=v5 \xE0\xE8 \x80\r\n"
                                             "Provincia Registro=v6 \xE0\xE8 \x80\r\n"
                                             "Numero Registro=v7 \xE0\xE8 \x80\r\n"
                                             "Nome Legale=v8 \xE0\xE8 \x80\r\n"
                                             "Luogo Legale=v9 \xE0\xE8 \x80\r\n"
                                             "Data Legale=v10 \xE0\xE8 \x80\r\n"
                                             "Codice Legale=v11 \xE0\xE8 \x80\r\n"
                                             "Attivita Svolta=v12 \xE0\xE8 \x80\r\n"
                                             "Foro Competente=v13 \xE0\xE8 \x80\r\n"));

    const std::optional<qv::DatiDitta> letti = qv::leggiDatiDitta(percorso);
    QVERIFY(letti);
    for (std::size_t i = 0; i < dati.size(); ++i)
        QCOMPARE((*letti)[i], dati[i].trimmed());
}

void TestIni::datiDittaInFileEsistente()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(QStringLiteral("Quadrivela.ini"));
    QVERIFY(scriviFile(percorso, kEstraneo));

    std::optional<qv::DatiDitta> dati = qv::leggiDatiDitta(percorso);
    QVERIFY(dati);
    QCOMPARE((*dati)[1], QStringLiteral("Vecchia Srl"));
    (*dati)[1] = QStringLiteral("Nuova Snc");
    (*dati)[0] = QStringLiteral("Roma");
    QVERIFY(qv::scriviDatiDitta(percorso, *dati));

    const QByteArray dopo = leggiFile(percorso);
    QVERIFY(dopo.startsWith("; scritto a mano\r\n[Altro]\r\nNome Ditta=non questa\r\n\r\n[Ditta Emittente]\r\n"
                            "  nome ditta  =Nuova Snc\r\nCommento libero\r\nLuogo Stipula=Roma\r\n"));
    QVERIFY(dopo.endsWith("\r\nForo Competente=\r\n\r\n[Coda]\r\nx=1\r\n"));
    QCOMPARE(dopo.count('\n'), kEstraneo.count('\n') + 13);
    QCOMPARE(qv::leggiDatiDitta(percorso), dati);
}

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
