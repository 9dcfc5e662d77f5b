// The platform seams of core/os, the same program on every system: locks
// between two processes and within one, far offsets, reads and writes at a
// position, file identity, the replace of a whole file while others hold it
// open, and the trial of a write in a folder the system refuses.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "core/os/blocco.h"
#include "core/os/file.h"
#include "core/os/guasti.h"
#include "core/os/identita.h"
#include "core/os/scrivibile.h"
#include "core/os/sostituisci.h"
#include "core/os/versa.h"
#include "support/altracopia.h"
#include "support/fileprova.h"

#include <cerrno>

using namespace qv;
using namespace qv::prova;
using os::TipoBloccoByte;

namespace {

// The byte the program locks, far beyond any data.
constexpr qint64 kByte = qint64(1) << 62;

// The jobs of the other copy.
//   blocca PERCORSO BYTE TIPO  takes the lock (0 shared, 1 exclusive) on BYTE,
//                              answers "y" (or "n"), holds it until told to stop
//   tieni PERCORSO MS          holds the file open, answers "y", closes it after
//                              MS milliseconds (or once told to stop, for -1)
int lavoro(const QStringList &a)
{
    const QString &cosa = a.value(0);
    const int fd = os::apri(a.value(1), os::LetturaScrittura);
    if (cosa == QLatin1String("blocca")) {
        const auto tipo = a.value(3).toInt() ? TipoBloccoByte::Esclusivo : TipoBloccoByte::Condiviso;
        rispondi(fd >= 0 && os::bloccaByte(fd, a.value(2).toLongLong(), tipo) ? "y" : "n");
        attendiFine();
    } else if (cosa == QLatin1String("tieni")) {
        rispondi(fd >= 0 ? "y" : "n");
        if (a.value(2).toInt() < 0)
            attendiFine();
        else
            QThread::msleep(a.value(2).toULong());
    } else {
        return 2;
    }
    os::chiudi(fd);
    return 0;
}

QByteArray leggiA(int fd, qint64 n, qint64 offset)
{
    QByteArray b(n, '\0');
    const qint64 r = os::leggiA(fd, b.data(), n, offset);
    b.resize(std::max<qint64>(r, 0));
    return b;
}

} // namespace

class TestOs : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("prova.pro"));
        QFile::remove(m_path);
        QVERIFY(scriviFile(m_path, "dati"));
    }
    void cleanup() { os::guasti::cartellaSolaLettura({}); }

    void blocchiFraProcessi_data();
    void blocchiFraProcessi();
    void bloccoSvanisceConIlProcesso();
    void bloccoNelloStessoProcesso();
    void aperture_data();
    void aperture();
    void cartellaNonFile();
    void posizioniOltre4GiB_data();
    void posizioniOltre4GiB();
    void identita();
    void sostituzione_data();
    void sostituzione();
    void scritturaProvata_data();
    void scritturaProvata();
    void spostamento_data();
    void spostamento();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestOs::blocchiFraProcessi_data()
{
    QTest::addColumn<int>("altro");
    QTest::addColumn<int>("mio");
    QTest::addColumn<bool>("conflitto");
    QTest::newRow("condiviso e condiviso") << 0 << 0 << false;
    QTest::newRow("condiviso, poi esclusivo") << 0 << 1 << true;
    QTest::newRow("esclusivo, poi condiviso") << 1 << 0 << true;
    QTest::newRow("esclusivo ed esclusivo") << 1 << 1 << true;
}

void TestOs::blocchiFraProcessi()
{
    QFETCH(int, altro);
    QFETCH(int, mio);
    QFETCH(bool, conflitto);
    const auto tipo = [](int t) { return t ? TipoBloccoByte::Esclusivo : TipoBloccoByte::Condiviso; };
    const int fd = os::apri(m_path, os::LetturaScrittura);
    QVERIFY(fd >= 0);
    {
        AltraCopia copia({QStringLiteral("blocca"), m_path, QString::number(kByte), QString::number(altro)});
        QCOMPARE(copia.riga(), QByteArray("y"));
        errno = 0;
        QCOMPARE(os::bloccaByte(fd, kByte, tipo(mio)), !conflitto);
        if (conflitto)
            QCOMPARE(errno, EAGAIN);
        else
            os::sbloccaByte(fd, kByte);
        // The next byte (the turnstile) is another lock.
        QVERIFY(os::bloccaByte(fd, kByte + 1, TipoBloccoByte::Esclusivo));
        os::sbloccaByte(fd, kByte + 1);
        QCOMPARE(copia.fine(), 0);
    }
    QVERIFY(os::bloccaByte(fd, kByte, TipoBloccoByte::Esclusivo));
    os::sbloccaByte(fd, kByte);
    os::chiudi(fd);
}

void TestOs::bloccoSvanisceConIlProcesso()
{
    // A copy that ends in the middle of a save leaves nothing locked.
    AltraCopia copia({QStringLiteral("blocca"), m_path, QString::number(kByte), QStringLiteral("1")});
    QCOMPARE(copia.riga(), QByteArray("y"));
    const int fd = os::apri(m_path, os::LetturaScrittura);
    QVERIFY(fd >= 0);
    QVERIFY(!os::bloccaByte(fd, kByte, TipoBloccoByte::Condiviso));
    copia.termina();
    bool preso = false;
    // The system lets the lock of an ended process go soon, not always at once.
    for (int i = 0; i < 200 && !preso; ++i) {
        preso = os::bloccaByte(fd, kByte, TipoBloccoByte::Esclusivo);
        if (!preso)
            QThread::msleep(10);
    }
    QVERIFY(preso);
    os::chiudi(fd);
}

void TestOs::bloccoNelloStessoProcesso()
{
    // Where a lock belongs to the process, a second descriptor of this process
    // takes it too and closing that descriptor lets it go; where it belongs to
    // the descriptor, the second one waits like another copy and the first
    // keeps its lock.
    const bool delProcesso = os::bloccoDelProcesso();
    const int primo = os::apri(m_path, os::LetturaScrittura);
    const int secondo = os::apri(m_path, os::LetturaScrittura);
    QVERIFY(primo >= 0 && secondo >= 0);
    QVERIFY(os::bloccaByte(primo, kByte, TipoBloccoByte::Esclusivo));
    QCOMPARE(os::bloccaByte(secondo, kByte, TipoBloccoByte::Esclusivo), delProcesso);
    os::chiudi(secondo);
    AltraCopia copia({QStringLiteral("blocca"), m_path, QString::number(kByte), QStringLiteral("1")});
    QCOMPARE(copia.riga(), delProcesso ? QByteArray("y") : QByteArray("n"));
    QCOMPARE(copia.fine(), 0);
    os::chiudi(primo);
}

void TestOs::aperture_data()
{
    QTest::addColumn<bool>("esiste");
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("errore"); // errno, 0 when it opens
    QTest::addColumn<QByteArray>("dopo"); // the file's bytes afterwards; null for no file

    const QByteArray dati = "dati";
    QTest::newRow("lettura") << true << int(os::SoloLettura) << 0 << dati;
    QTest::newRow("lettura, manca") << false << int(os::SoloLettura) << ENOENT << QByteArray();
    QTest::newRow("scrittura, manca") << false << int(os::LetturaScrittura) << ENOENT << QByteArray();
    QTest::newRow("crea") << false << int(os::LetturaScrittura | os::Crea) << 0 << QByteArray("");
    QTest::newRow("crea, c'è già") << true << int(os::LetturaScrittura | os::Crea) << 0 << dati;
    QTest::newRow("crea nuovo, c'è già") << true << int(os::LetturaScrittura | os::Crea | os::Esclusiva) << EEXIST << dati;
    QTest::newRow("crea e svuota") << true << int(os::SoloScrittura | os::Crea | os::Tronca) << 0 << QByteArray("");
    QTest::newRow("svuota") << true << int(os::SoloScrittura | os::Tronca) << 0 << QByteArray("");
}

void TestOs::aperture()
{
    QFETCH(bool, esiste);
    QFETCH(int, modo);
    QFETCH(int, errore);
    QFETCH(QByteArray, dopo);
    if (!esiste)
        QVERIFY(QFile::remove(m_path));
    errno = 0;
    const int fd = os::apri(m_path, modo);
    QCOMPARE(fd < 0 ? errno : 0, errore);
    if (fd >= 0) {
        QCOMPARE(os::tipo(fd), os::Tipo::File);
        // Bytes pass unchanged: no line ends translated, no end-of-file mark.
        const QByteArray binario("a\nb\r\n\x1a" "c\0d", 9);
        if (modo & (os::LetturaScrittura | os::SoloScrittura)) {
            QCOMPARE(os::scrivi(fd, binario.constData(), binario.size()), qint64(binario.size()));
            QVERIFY(os::versa(fd));
            dopo = binario + dopo.mid(binario.size());
        }
        os::chiudi(fd);
    }
    QCOMPARE(QFile::exists(m_path), !dopo.isNull());
    QCOMPARE(leggiFile(m_path), dopo);
    if (!dopo.isEmpty()) {
        // Read back through a descriptor, in sequence and handed to a QFile.
        const int lettura = os::apri(m_path, os::SoloLettura);
        QByteArray letti(100, '\0');
        letti.resize(os::leggi(lettura, letti.data(), letti.size()));
        QCOMPARE(letti, dopo);
        os::chiudi(lettura);
        QFile f;
        QVERIFY(f.open(os::apri(m_path, os::SoloLettura), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(f.readAll(), dopo);
    }
}

void TestOs::cartellaNonFile()
{
    // A folder at a file's place is never taken for a file.
    const QString cartella = m_dir.filePath(QStringLiteral("cartella"));
    QVERIFY(QDir().mkpath(cartella));
    errno = 0;
    QCOMPARE(os::apri(cartella, os::LetturaScrittura), -1);
    QCOMPARE(errno, EISDIR);
    const int fd = os::apri(cartella, os::SoloLettura);
    if (fd >= 0) {
        QCOMPARE(os::tipo(fd), os::Tipo::Cartella);
        os::chiudi(fd);
    } else {
        QCOMPARE(errno, EISDIR);
    }
    QVERIFY(os::esiste(cartella) && os::nomePresente(cartella));
    const QString manca = m_dir.filePath(QStringLiteral("manca"));
    QVERIFY(!os::esiste(manca) && !os::nomePresente(manca));
}

void TestOs::posizioniOltre4GiB_data()
{
    QTest::addColumn<qint64>("offset");
    QTest::newRow("inizio") << qint64(0);
    QTest::newRow("a cavallo dei 2 GiB") << (qint64(1) << 31) - 3;
    QTest::newRow("a cavallo dei 4 GiB") << (qint64(1) << 32) - 3;
    QTest::newRow("oltre i 4 GiB") << (qint64(1) << 32) + 5;
    QTest::newRow("a 16 GiB") << (qint64(1) << 34) + 1;
}

void TestOs::posizioniOltre4GiB()
{
    // An offset cut to 32 bits would land far from where it belongs.
    QFETCH(qint64, offset);
    const QString percorso = m_dir.filePath(QStringLiteral("grande"));
    const int fd = os::apri(percorso, os::LetturaScrittura | os::Crea | os::Tronca);
    QVERIFY(fd >= 0);
    QVERIFY(os::rendiSparso(fd));
    QCOMPARE(os::scriviA(fd, "ABCDEFG", 7, offset), qint64(7));
    QCOMPARE(os::dimensione(fd), offset + 7);
    QCOMPARE(leggiA(fd, 7, offset), QByteArray("ABCDEFG"));
    QCOMPARE(leggiA(fd, 10, offset + 3), QByteArray("DEFG"));
    QCOMPARE(leggiA(fd, 10, offset + 7), QByteArray());
    if (offset >= 4)
        QCOMPARE(leggiA(fd, 4, offset - 4), QByteArray(4, '\0'));
    // A second write at a position does not disturb the first.
    QCOMPARE(os::scriviA(fd, "xy", 2, offset + 1), qint64(2));
    QCOMPARE(leggiA(fd, 7, offset), QByteArray("AxyDEFG"));
    QVERIFY(os::tronca(fd, offset + 2));
    QCOMPARE(os::dimensione(fd), offset + 2);
    QCOMPARE(leggiA(fd, 7, offset), QByteArray("Ax"));
    QVERIFY(os::tronca(fd, 0));
    QCOMPARE(os::dimensione(fd), qint64(0));
    os::chiudi(fd);
    QVERIFY(os::rimuovi(percorso));
    QVERIFY(!os::nomePresente(percorso));
}

void TestOs::identita()
{
    const QString altro = m_dir.filePath(QStringLiteral("altro.pro"));
    QVERIFY(scriviFile(altro, "dati"));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("sotto"))));
    const QString giro = m_dir.filePath(QStringLiteral("sotto/../prova.pro"));

    const int fd = os::apri(m_path, os::SoloLettura);
    QVERIFY(fd >= 0);
    const std::optional<os::IdentitaFile> aperto = os::identita(fd);
    QVERIFY(aperto);
    QCOMPARE(os::identita(m_path), aperto);
    QCOMPARE(os::identita(giro), aperto);
    QVERIFY(os::identita(altro) && os::identita(altro) != aperto);
    QVERIFY(!os::identita(m_dir.filePath(QStringLiteral("manca"))));
    os::chiudi(fd);

    // A file put in the old one's place is another file.
    os::FileNuovo nuovo(m_path);
    QVERIFY(nuovo.apri() && nuovo.scrivi("nuovi") && nuovo.conferma());
    QVERIFY(os::identita(m_path) && os::identita(m_path) != aperto);
}

void TestOs::sostituzione_data()
{
    QTest::addColumn<QString>("chiLoTiene");
    QTest::newRow("nessuno") << QString();
    QTest::newRow("questa copia, che lo lascia andare") << QStringLiteral("questa");
    QTest::newRow("un'altra copia, per un momento") << QStringLiteral("momento");
    QTest::newRow("un'altra copia, finché non ha finito") << QStringLiteral("altra");
}

void TestOs::sostituzione()
{
    QFETCH(QString, chiLoTiene);
    const QStringList prima = contenuto(m_dir.path());
    std::unique_ptr<AltraCopia> copia;
    if (chiLoTiene == QLatin1String("momento") || chiLoTiene == QLatin1String("altra")) {
        copia = std::make_unique<AltraCopia>(QStringList{QStringLiteral("tieni"), m_path,
                                                         chiLoTiene == QLatin1String("momento") ? QStringLiteral("300")
                                                                                                : QStringLiteral("-1")});
        QCOMPARE(copia->riga(), QByteArray("y"));
    }
    // This copy holds it open and locked, as a rewrite of the settings does.
    int mio = -1;
    if (chiLoTiene == QLatin1String("questa")) {
        mio = os::apri(m_path, os::LetturaScrittura);
        QVERIFY(mio >= 0 && os::bloccaByte(mio, kByte, TipoBloccoByte::Esclusivo));
    }
    const auto libera = [&] {
        os::sbloccaByte(mio, kByte);
        os::chiudi(mio);
        mio = -1;
    };

    os::FileNuovo nuovo(m_path);
    QVERIFY(nuovo.apri());
    QVERIFY(nuovo.scrivi("nuovi ") && nuovo.scrivi("dati"));
    const bool fatto = nuovo.conferma(mio >= 0 ? std::function<void()>(libera) : std::function<void()>());
    os::chiudi(mio);
    if (copia)
        QCOMPARE(copia->fine(), 0);
    if (fatto) {
        QCOMPARE(leggiFile(m_path), QByteArray("nuovi dati"));
    } else {
        // Only a file system that cannot replace a file held open may refuse,
        // and only while another copy holds it: the old file stays whole.
        QCOMPARE(chiLoTiene, QStringLiteral("altra"));
        QVERIFY(nuovo.occupato());
        QVERIFY(!nuovo.errore().isEmpty());
        QCOMPARE(leggiFile(m_path), QByteArray("dati"));
    }
    QCOMPARE(contenuto(m_dir.path()), prima);
}

void TestOs::scritturaProvata_data()
{
    QTest::addColumn<bool>("rifiuta");
    QTest::addColumn<bool>("esiste");
    QTest::newRow("cartella scrivibile") << false << true;
    QTest::newRow("cartella scrivibile, file nuovo") << false << false;
    QTest::newRow("cartella in sola lettura") << true << true;
    QTest::newRow("cartella in sola lettura, file nuovo") << true << false;
}

void TestOs::scritturaProvata()
{
    // Asked before anything is written, and nothing is left behind by asking.
    QFETCH(bool, rifiuta);
    QFETCH(bool, esiste);
    if (!esiste)
        QVERIFY(QFile::remove(m_path));
    const QStringList prima = contenuto(m_dir.path());
    if (rifiuta)
        os::guasti::cartellaSolaLettura(m_dir.path());

    QCOMPARE(os::provaScritturaFile(m_path), esiste ? (rifiuta ? EACCES : 0) : ENOENT);
    QCOMPARE(os::provaScritturaCartella(m_dir.path()), rifiuta ? EACCES : 0);
    QCOMPARE(contenuto(m_dir.path()), prima);

    errno = 0;
    const int fd = os::apri(m_path, os::LetturaScrittura | os::Crea);
    QCOMPARE(fd < 0 ? errno : 0, rifiuta ? EACCES : 0);
    os::chiudi(fd);
    if (esiste) {
        // It can still be read.
        const int lettura = os::apri(m_path, os::SoloLettura);
        QVERIFY(lettura >= 0);
        os::chiudi(lettura);
        QCOMPARE(os::rimuovi(m_path), !rifiuta);
    }
    // Another folder is not concerned.
    const QString sotto = m_dir.filePath(QStringLiteral("sotto"));
    QVERIFY(QDir().mkpath(sotto));
    QCOMPARE(os::provaScritturaCartella(sotto), 0);
    QVERIFY(QDir(sotto).removeRecursively());
}

void TestOs::spostamento_data()
{
    QTest::addColumn<QString>("caso");
    for (const char *c : {"in una sottocartella", "sopra un file che c'è", "mentre è aperto", "da una cartella in sola lettura",
                          "in una cartella in sola lettura"})
        QTest::newRow(c) << QString::fromUtf8(c);
}

// A file moved to another name of the same disk, as a restore moves the data:
// in one step, over a file of that name, also while a descriptor holds it
// open; refused, with nothing moved, where the folder cannot be written.
void TestOs::spostamento()
{
    QFETCH(QString, caso);
    const QString sotto = m_dir.filePath(QStringLiteral("sotto"));
    QVERIFY(QDir().mkpath(sotto));
    const QString meta = QDir(sotto).filePath(QStringLiteral("prova.pro"));
    QFile::remove(meta);
    if (caso == QLatin1String("sopra un file che c'è"))
        QVERIFY(scriviFile(meta, "vecchio"));
    int aperto = -1;
    if (caso == QLatin1String("mentre è aperto"))
        QVERIFY((aperto = os::apri(m_path, os::LetturaScrittura)) >= 0);
    const bool rifiuta = caso.contains(QLatin1String("sola lettura"));
    if (rifiuta)
        os::guasti::cartellaSolaLettura(caso.startsWith(QLatin1String("da ")) ? m_dir.path() : sotto);

    errno = 0;
    QCOMPARE(os::rinomina(m_path, meta), !rifiuta);
    os::chiudi(aperto);
    os::guasti::cartellaSolaLettura({});
    if (rifiuta) {
        QCOMPARE(errno, EACCES);
        QCOMPARE(leggiFile(m_path), QByteArray("dati"));
        QVERIFY(!QFileInfo::exists(meta));
    } else {
        QVERIFY(!QFileInfo::exists(m_path));
        QCOMPARE(leggiFile(meta), QByteArray("dati"));
    }
    QVERIFY(QDir(sotto).removeRecursively());
}

QV_MAIN_CON_ALTRE_COPIE(TestOs, lavoro)
#include "tst_os.moc"
