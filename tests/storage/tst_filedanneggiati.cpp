// Damaged files in the program folder: archives with impossible lengths,
// random bytes and odd sizes; settings and password files with binary
// garbage, very long lines, missing sections and mixed line endings. What can
// be read is read, nothing throws but a clean archive error, and a file that
// could not be read is never rewritten.
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "storage/archivio.h"
#include "storage/archiviopassword.h"
#include "storage/impostazioni.h"
#include "storage/ini.h"
#include "support/fileprova.h"

using namespace qv;
using namespace qv::prova;

namespace {

QByteArray casuali(qsizetype n, quint32 seme)
{
    QRandomGenerator g(seme);
    QByteArray b(n, Qt::Uninitialized);
    for (char &c : b)
        c = char(g.bounded(256));
    return b;
}

TSchedaDipendente scheda(const QString &nome)
{
    TSchedaDipendente s;
    s.Dipendente = nome;
    s.Stipendio = QStringLiteral("1,00");
    s.CodFisc = QStringLiteral("X");
    s.DataSca = QStringLiteral("01/01/2017");
    s.Preavviso = QStringLiteral("0");
    return s;
}

} // namespace

class TestFileDanneggiati : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString &n : contenuto(m_dir.path()))
            QVERIFY(QFile::remove(m_dir.filePath(n)) || QDir(m_dir.filePath(n)).removeRecursively());
    }
    void archivio_data();
    void archivio();
    void archivioIlleggibile();
    void impostazioni_data();
    void impostazioni();
    void password_data();
    void password();

private:
    QTemporaryDir m_dir;
};

void TestFileDanneggiati::archivio_data()
{
    QTest::addColumn<QByteArray>("dati");
    const int d = TSchedaDipendente::Dimensione;
    QTest::newRow("lunghezze oltre la capacità") << QByteArray(2 * d, char(0xFF));
    QTest::newRow("byte casuali") << casuali(3 * d, 7);
    QTest::newRow("byte casuali, dimensione dispari") << casuali(2 * d + 1001, 11);
    QTest::newRow("meno di una scheda") << casuali(d - 1, 13);
    QTest::newRow("un byte") << QByteArray(1, '\x05');
    QTest::newRow("zeri") << QByteArray(3 * d, '\0');
}

void TestFileDanneggiati::archivio()
{
    QFETCH(QByteArray, dati);
    const int d = TSchedaDipendente::Dimensione;
    const QString percorso = m_dir.filePath(QStringLiteral("Dipendenti.pro"));
    QVERIFY(scriviFile(percorso, dati));
    const int schede = int(dati.size() / d);

    ArchivioDipendenti a(percorso);
    a.apri();
    QCOMPARE(a.conta(), schede);
    // Every card reads, each field cut to its capacity.
    const QList<TSchedaDipendente> tutte = a.leggiTutte();
    QCOMPARE(tutte.size(), schede);
    for (const TSchedaDipendente &s : tutte) {
        QVERIFY(s.Dipendente.size() <= 50);
        QVERIFY(s.Desc03.size() <= 250);
        QCOMPARE(codificaScheda(decodificaScheda<TSchedaDipendente>(codificaScheda(s).constData())), codificaScheda(s));
    }
    QVERIFY(dati == leggiFile(percorso)); // reading changed nothing

    // Saving a damaged card rewrites that card only; an append takes the
    // place of the incomplete tail.
    QByteArray atteso = dati.left(qsizetype(schede) * d);
    if (schede > 0) {
        a.scrivi(1, scheda(QStringLiteral("RIPARATA")));
        atteso.replace(0, d, codificaScheda(scheda(QStringLiteral("RIPARATA"))));
    }
    QCOMPARE(a.accoda(scheda(QStringLiteral("NUOVA"))), schede + 1);
    atteso += codificaScheda(scheda(QStringLiteral("NUOVA")));
    a.chiudi();
    QCOMPARE(leggiFile(percorso), atteso);
}

void TestFileDanneggiati::archivioIlleggibile()
{
    // A folder where the archive should be: reported, never replaced.
    const QString percorso = m_dir.filePath(QStringLiteral("Dipendenti.pro"));
    QVERIFY(QDir().mkpath(percorso));
    ArchivioDipendenti a(percorso);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.apri());
    QVERIFY(QFileInfo(percorso).isDir());
    // A folder where the journal should be cannot be read as one: it may
    // stand for a journal that held a card, so the archive is reported as
    // needing attention and neither is touched.
    QVERIFY(QDir().rmdir(percorso));
    const QByteArray una = codificaScheda(scheda(QStringLiteral("UNA")));
    QVERIFY(scriviFile(percorso, una));
    QVERIFY(QDir().mkpath(FileArchivio::percorsoGiornale(percorso)));
    ArchivioDipendenti b(percorso);
    try {
        b.apri();
        QFAIL("aperto nonostante il giornale illeggibile");
    } catch (const ErroreArchivio &e) {
        QCOMPARE(e.tipo(), ErroreArchivio::Tipo::DaControllare);
    }
    QVERIFY(QFileInfo(FileArchivio::percorsoGiornale(percorso)).isDir());
    QCOMPARE(leggiFile(percorso), una);
}

void TestFileDanneggiati::impostazioni_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QString>("nomeDitta"); // what the damaged file still gives
    const QByteArray lunga(1 << 20, 'z');
    QTest::newRow("spazzatura binaria") << casuali(5000, 3) << QString();
    QTest::newRow("spazzatura e poi la chiave")
        << (casuali(3000, 5).replace('[', 'x') + "\r\n[Ditta Emittente]\r\nNome Ditta=ROSSI\r\n") << QStringLiteral("ROSSI");
    QTest::newRow("byte nulli nella riga") << QByteArray("[Ditta Emittente]\r\nNome Ditta=RO\0SSI\r\n", 37)
                                           << QStringLiteral("RO") + QChar(0) + QStringLiteral("SSI");
    QTest::newRow("riga lunghissima") << ("[Ditta Emittente]\r\n" + lunga + "\r\nNome Ditta=ROSSI\r\n") << QStringLiteral("ROSSI");
    QTest::newRow("sezione mancante") << QByteArray("Nome Ditta=ROSSI\r\n") << QString();
    QTest::newRow("fine riga miste") << QByteArray("[Altro]\rX=1\n[Ditta Emittente]\nNome Ditta=ROSSI\r\nForo=Roma\r")
                                     << QStringLiteral("ROSSI");
    QTest::newRow("parentesi senza chiusura") << QByteArray("[Ditta Emittente\r\nNome Ditta=ROSSI\r\n") << QString();
}

void TestFileDanneggiati::impostazioni()
{
    QFETCH(QByteArray, dati);
    QFETCH(QString, nomeDitta);
    const QString percorso = m_dir.filePath(QStringLiteral("Quadrivela.ini"));
    QVERIFY(scriviFile(percorso, dati));
    const std::optional<DatiDitta> letti = leggiDatiDitta(percorso);
    QVERIFY(letti);
    QCOMPARE(letti->at(1), nomeDitta);

    // Writing keeps every byte it does not own.
    DatiDitta nuovi = *letti;
    nuovi[1] = QStringLiteral("BIANCHI");
    QVERIFY(scriviDatiDitta(percorso, nuovi));
    const QByteArray dopo = leggiFile(percorso);
    QCOMPARE(leggiDatiDitta(percorso)->at(1), QStringLiteral("BIANCHI"));
    if (nomeDitta.isEmpty())
        QVERIFY(dopo.startsWith(dati));
    else
        QCOMPARE(dopo.count("ROSSI"), 0);
}

void TestFileDanneggiati::password_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<bool>("leggibile");
    QTest::newRow("spazzatura binaria") << casuali(4000, 17).replace('[', 'x') << true;
    QTest::newRow("valore non esadecimale in mezzo a spazzatura")
        << (casuali(100, 19).replace('[', 'x') + "\n[Accesso]\r\nValore=ZZ" + casuali(50, 23).replace('\n', 'a').replace('\r', 'a'))
        << false;
    QTest::newRow("valore lunghissimo") << ("[Accesso]\r\nValore=" + QByteArray(1 << 20, 'A') + "\r\n") << true;
    QTest::newRow("solo la sezione") << QByteArray("[Accesso]") << true;
}

void TestFileDanneggiati::password()
{
    QFETCH(QByteArray, dati);
    QFETCH(bool, leggibile);
    const QString percorso = m_dir.filePath(QStringLiteral("unins000.dll"));
    QVERIFY(scriviFile(percorso, dati));
    QCOMPARE(bool(leggiPassword(percorso)), leggibile);
    QCOMPARE(leggiFile(percorso), dati);
    // A folder in the store's place: an error, and the folder stays.
    QVERIFY(QFile::remove(percorso));
    QVERIFY(QDir().mkpath(percorso));
    QString errore;
    QVERIFY(!leggiPassword(percorso, &errore));
    QVERIFY(!errore.isEmpty());
    QVERIFY(!scriviPassword(percorso, QStringLiteral("nuova")));
    QVERIFY(QFileInfo(percorso).isDir());
}

QTEST_GUILESS_MAIN(TestFileDanneggiati)
#include "tst_filedanneggiati.moc"
