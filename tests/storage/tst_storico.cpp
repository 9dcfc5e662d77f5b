// The history of the cards: every overwrite of a changed card keeps the old
// bytes beside the archive, dated, bounded per card, never blocking the save.
#include <QTemporaryDir>
#include <QTest>

#include "storage/archivio.h"
#include "storage/storico.h"
#include "support/fileprova.h"

using namespace qv;
using namespace qv::prova;

namespace {

QDateTime ora(int minuti)
{
    return QDateTime(QDate(2026, 5, 4), QTime(9, 0)).addSecs(60 * minuti);
}

// A card of either kind whose notes say `note`, as its bytes.
QByteArray scheda(int dimensione, const QString &note)
{
    if (dimensione == TSchedaDipendente::Dimensione) {
        TSchedaDipendente d;
        d.Dipendente = QStringLiteral("ROSSI MARIO");
        d.Note = note;
        return codificaScheda(d);
    }
    TSchedaContratto c;
    c.Dipendente = QStringLiteral("BIANCHI ANNA");
    c.Note = note;
    c.Rescisso = QStringLiteral("No");
    return codificaScheda(c);
}

} // namespace

class TestStorico : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void versioniDopoTreSalvataggi_data();
    void versioniDopoTreSalvataggi();
    void recordStrappatoIgnorato();
    void storicoNonScrivibile();
    void potatura();

private:
    // An archive of two cards at `nome`, then card 1 saved with each of `note` in turn.
    QString archivioConSalvataggi(const QString &nome, int dimensione, const QStringList &note);

    QTemporaryDir m_dir;
    int m_minuti = 0;
};

void TestStorico::init()
{
    m_minuti = 0;
    impostaOrologioStorico([this] { return ora(m_minuti); });
    impostaVersioniPerScheda(VersioniPerSchedaPredefinite);
    for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile::remove(m_dir.filePath(f));
        QDir(m_dir.filePath(f)).removeRecursively();
    }
}

void TestStorico::cleanup()
{
    impostaOrologioStorico({});
    impostaVersioniPerScheda(VersioniPerSchedaPredefinite);
}

QString TestStorico::archivioConSalvataggi(const QString &nome, int dimensione, const QStringList &note)
{
    const QString percorso = m_dir.filePath(nome);
    FileArchivio a(percorso, dimensione);
    a.apri();
    a.accoda(scheda(dimensione, QStringLiteral("prima")));
    a.accoda(scheda(dimensione, QStringLiteral("altra scheda")));
    for (const QString &n : note) {
        m_minuti += 10;
        a.scrivi(1, scheda(dimensione, n));
    }
    return percorso;
}

void TestStorico::versioniDopoTreSalvataggi_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("dimensione");
    QTest::newRow("dipendenti") << "Dipendenti.pro" << TSchedaDipendente::Dimensione;
    QTest::newRow("contratti") << "2026.con" << TSchedaContratto::Dimensione;
}

// Three saves of a changed card keep its three earlier versions, each dated
// by its save; a save that changes nothing keeps nothing; the archive itself
// is only its cards.
void TestStorico::versioniDopoTreSalvataggi()
{
    QFETCH(QString, nome);
    QFETCH(int, dimensione);
    const QString percorso = archivioConSalvataggi(nome, dimensione, {"uno", "due", "tre", "tre"});
    QCOMPARE(leggiFile(percorso).size(), 2 * dimensione);
    QCOMPARE(percorsoStorico(percorso), percorso + QStringLiteral(".storico"));

    QList<VersioneScheda> v;
    QVERIFY(versioniScheda(percorso, dimensione, 1, v));
    QCOMPARE(v.size(), 3);
    const QStringList attese = {"prima", "uno", "due"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(v[i].posizione, 1);
        QCOMPARE(v[i].byte, scheda(dimensione, attese[i]));
        QCOMPARE(v[i].quando, ora(10 * (i + 1)));
    }
    QVERIFY(versioniScheda(percorso, dimensione, 2, v));
    QVERIFY(v.isEmpty());
}

// A record cut short by a power cut, or damaged, is never shown; the next
// version takes the place of the torn one.
void TestStorico::recordStrappatoIgnorato()
{
    const int n = TSchedaDipendente::Dimensione;
    const QString percorso = archivioConSalvataggi(QStringLiteral("Dipendenti.pro"), n, {"uno", "due"});
    const QString storico = percorsoStorico(percorso);
    const QByteArray intero = leggiFile(storico);
    const qsizetype record = intero.size() / 2;
    QCOMPARE(record, qsizetype(24 + n + 8));

    // The second record torn part-way, then the first one damaged inside.
    QVERIFY(scriviFile(storico, intero.left(record + 700)));
    QList<VersioneScheda> v;
    QVERIFY(versioniScheda(percorso, n, 1, v));
    QCOMPARE(v.size(), 1);
    QCOMPARE(v[0].byte, scheda(n, QStringLiteral("prima")));
    QByteArray guasto = leggiFile(storico);
    guasto[100] = char(guasto[100] ^ 0x20);
    QVERIFY(scriviFile(storico, guasto));
    QVERIFY(versioniScheda(percorso, n, 1, v));
    QVERIFY(v.isEmpty());

    // The next save: its record takes the torn one's place.
    FileArchivio a(percorso, n);
    a.apri();
    m_minuti = 99;
    a.scrivi(1, scheda(n, QStringLiteral("tre")));
    QCOMPARE(leggiFile(storico).size(), 2 * record);
    QVERIFY(versioniScheda(percorso, n, 1, v));
    QCOMPARE(v.size(), 1);
    QCOMPARE(v[0].byte, scheda(n, QStringLiteral("due")));
    QCOMPARE(v[0].quando, ora(99));
}

// A history that cannot be written never stops the save: the card is
// written, and the archive says why its old version was not kept.
void TestStorico::storicoNonScrivibile()
{
    const int n = TSchedaContratto::Dimensione;
    const QString percorso = archivioConSalvataggi(QStringLiteral("2026.con"), n, {});
    QVERIFY(QDir().mkdir(percorsoStorico(percorso)));
    FileArchivio a(percorso, n);
    a.apri();
    a.scrivi(1, scheda(n, QStringLiteral("nuova")));
    QVERIFY(!a.storicoNonScritto().isEmpty());
    QCOMPARE(leggiFile(percorso).left(n), scheda(n, QStringLiteral("nuova")));
    QVERIFY(!QFile::exists(FileArchivio::percorsoGiornale(percorso)));
    // Once it can be written again, the next save keeps its version.
    QVERIFY(QDir().rmdir(percorsoStorico(percorso)));
    a.scrivi(1, scheda(n, QStringLiteral("ancora")));
    QVERIFY(a.storicoNonScritto().isEmpty());
}

// Each card keeps its last versions as the setting says; the file is trimmed
// without touching the other cards' versions or the archive.
void TestStorico::potatura()
{
    const int n = TSchedaDipendente::Dimensione;
    impostaVersioniPerScheda(3);
    QStringList note;
    for (int i = 1; i <= 12; ++i)
        note << QStringLiteral("versione %1").arg(i);
    const QString percorso = archivioConSalvataggi(QStringLiteral("Dipendenti.pro"), n, {});
    FileArchivio a(percorso, n);
    a.apri();
    a.scrivi(2, scheda(n, QStringLiteral("la seconda cambia")));
    const QByteArray archivioPrima = leggiFile(percorso).mid(n);
    const qint64 record = 24 + n + 8;
    for (const QString &testo : std::as_const(note)) {
        ++m_minuti;
        a.scrivi(1, scheda(n, testo));
        // Never more than a fifth over the limit (at least one), besides card 2's version.
        QVERIFY(QFileInfo(percorsoStorico(percorso)).size() <= (3 + 1 + 1) * record);
    }
    QList<VersioneScheda> v;
    QVERIFY(versioniScheda(percorso, n, 1, v));
    QCOMPARE(v.size(), 3);
    QCOMPARE(v[0].byte, scheda(n, QStringLiteral("versione 9")));
    QCOMPARE(v[2].byte, scheda(n, QStringLiteral("versione 11")));
    QVERIFY(versioniScheda(percorso, n, 2, v));
    QCOMPARE(v.size(), 1);
    QCOMPARE(leggiFile(percorso).mid(n), archivioPrima);
}

QTEST_GUILESS_MAIN(TestStorico)
#include "tst_storico.moc"
