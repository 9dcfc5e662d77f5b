#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "core/diario.h"
#include "core/filesicuro.h"
#include "core/os/guasti.h"
#include "storage/archivio.h"
#include "storage/blocco.h"
#include "support/altracopia.h"
#include "support/fileprova.h"

using namespace qv;
using qv::prova::AltraCopia;
using qv::prova::leggiFile;

class TestDiario : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void messaggiNelFile();
    void rotazioneLimitata();
    void nessunValoreDiScheda();

private:
    QTemporaryDir m_dir;
    QString m_diario;
};

void TestDiario::init()
{
    QVERIFY(m_dir.isValid());
    m_diario = m_dir.filePath(QStringLiteral("Quadrivela.log"));
    QFile::remove(m_diario);
    QFile::remove(m_diario + QStringLiteral(".1"));
}

void TestDiario::cleanup()
{
    diario::disinstalla();
    os::guasti::discoPienoDopo(-1);
    os::guasti::cartellaSolaLettura({});
}

// The program's warnings and worse land in the file, one line each, with
// their category; its notes do not, nor Qt's plain warnings; nothing more
// once the handler is gone.
void TestDiario::messaggiNelFile()
{
    diario::installa(m_diario);
    QCOMPARE(diario::percorso(), m_diario);
    qCWarning(logArchivi) << "primo avviso";
    qCCritical(logCopia) << "copia\nsu due righe";
    qCWarning(logStampa) << "stampante assente";
    qCInfo(logAvvio) << "solo una nota";
    qCDebug(logArchivi) << "dettaglio";
    qWarning() << "avviso di Qt";
    diario::disinstalla();
    qCWarning(logArchivi) << "dopo la fine";

    const QList<QByteArray> righe = leggiFile(m_diario).split('\n');
    QCOMPARE(righe.size(), 4); // three lines, each ended by CR LF
    QVERIFY(righe[3].isEmpty());
    QVERIFY2(righe[0].contains(" archivi avviso: primo avviso"), righe[0]);
    QVERIFY2(righe[1].contains(" copia errore: copia su due righe"), righe[1]);
    QVERIFY2(righe[2].contains(" stampa avviso: stampante assente"), righe[2]);
    for (const QByteArray &r : righe.mid(0, 3)) {
        QVERIFY(r.endsWith('\r'));
        QVERIFY(QDateTime::fromString(QString::fromLatin1(r.left(19)), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    }
}

// Past its limit the file becomes Quadrivela.log.1 and a new one starts: the
// two stay within their limits, the newest lines are kept, the oldest go.
void TestDiario::rotazioneLimitata()
{
    const qint64 limite = 2000;
    diario::installa(m_diario, limite);
    for (int i = 0; i < 300; ++i)
        qCWarning(logArchivi).noquote() << QStringLiteral("messaggio numero %1").arg(i, 4, 10, QLatin1Char('0'));
    const QByteArray nuovo = leggiFile(m_diario), vecchio = leggiFile(m_diario + QStringLiteral(".1"));
    QVERIFY(nuovo.size() > 0 && nuovo.size() <= limite);
    QVERIFY(vecchio.size() > limite / 2 && vecchio.size() <= limite);
    QVERIFY(nuovo.contains("messaggio numero 0299\r\n"));
    QVERIFY(!nuovo.contains("messaggio numero 0000") && !vecchio.contains("messaggio numero 0000"));
    // The .1 file holds the lines just before the new file's first.
    const int primo = nuovo.indexOf("numero ") + 7;
    const int n = nuovo.mid(primo, 4).toInt();
    QVERIFY(vecchio.contains(QStringLiteral("messaggio numero %1\r\n").arg(n - 1, 4, 10, QLatin1Char('0')).toLatin1()));
    QVERIFY(!QFileInfo::exists(m_diario + QStringLiteral(".2")));
}

// Saves that fail are logged with the file and the system's error, never
// with what the card holds: a card appended and one overwritten while another
// copy keeps the archive locked past the wait, and settings written into a
// folder that is gone.
void TestDiario::nessunValoreDiScheda()
{
    diario::installa(m_diario);
    QTemporaryDir dati;
    const QString percorso = dati.filePath(QStringLiteral("2026.con"));
    const QString ini = dati.filePath(QStringLiteral("mancante/Quadrivela.ini"));
    TSchedaContratto c;
    c.Dipendente = QStringLiteral("Zanzibar Quintilio");
    c.CodFisc = QStringLiteral("ZNZQTL80A01H501X");
    c.Note = QStringLiteral("nota riservatissima");
    {
        ArchivioContratti a(percorso);
        a.apri(true);
        const int n = a.accoda(TSchedaContratto{});
        AltraCopia altra({QStringLiteral("blocca"), percorso});
        QCOMPARE(altra.riga(), QByteArray("bloccato"));
        guasti::impostaAttesaBlocco(50);
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.accoda(c));
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.scrivi(n, c));
        guasti::impostaAttesaBlocco(-1);
        QCOMPARE(altra.fine(), 0);
    }
    QVERIFY(!scriviFileSicuro(ini, QByteArray("[Ditta]\r\nNome Ditta=Zanzibar Quintilio\r\n")));

    const QByteArray testo = leggiFile(m_diario);
    QCOMPARE(testo.count("archivi avviso: Archivio, in uso da un'altra copia oltre l'attesa: " + percorso.toUtf8()), 2);
    QVERIFY2(testo.contains("archivi avviso: Scrittura non riuscita: " + ini.toUtf8()), testo);
    for (const char *valore : {"Zanzibar", "Quintilio", "ZNZQTL80A01H501X", "riservatissima"})
        QVERIFY2(!testo.contains(valore), valore);
}

namespace {

// The other copy: holds the archive's exclusive lock until it is told to stop.
int lavoro(const QStringList &argomenti)
{
    if (argomenti.value(0) != QLatin1String("blocca"))
        return 2;
    const int fd = os::apri(argomenti.value(1), os::LetturaScrittura);
    BloccoFile blocco;
    if (fd < 0 || !blocco.prendi(fd, TipoBlocco::Esclusivo))
        return 3;
    prova::rispondi("bloccato");
    prova::attendiFine();
    blocco.rilascia();
    os::chiudi(fd);
    return 0;
}

} // namespace

QV_MAIN_CON_ALTRE_COPIE(TestDiario, lavoro)
#include "tst_diario.moc"
