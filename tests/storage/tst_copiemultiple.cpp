// Two copies of the program on one folder, and saves cut short by a power cut:
// the copies are real processes, the power cut ends a process part-way.
#include <QSet>

#include <limits>
#include <QTemporaryDir>
#include <QTest>

#include "storage/archivio.h"
#include "storage/giornale.h"
#include "storage/archiviopassword.h"
#include "storage/blocco.h"
#include "storage/ini.h"
#include "storage/storico.h"
#include "support/fileprova.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qv;
using namespace qv::prova;

namespace {

TSchedaDipendente dipendente(const QString &nome)
{
    TSchedaDipendente d;
    d.Dipendente = nome;
    d.Stipendio = QStringLiteral("1.000,00");
    d.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    d.DataSca = QStringLiteral("31/12/2017");
    d.Preavviso = QStringLiteral("30");
    d.Note = nome.repeated(5);
    return d;
}

// Runs `lavoro` in a child process; returns its exit status (99 after a simulated power cut).
template <typename F>
int inProcesso(F &&lavoro)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int codice = 0;
        try {
            lavoro();
        } catch (...) {
            codice = 1;
        }
        ::_exit(codice);
    }
    int stato = 0;
    ::waitpid(pid, &stato, 0);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

// A child process that holds a lock on `percorso` until it is stopped.
class AltraCopia
{
public:
    AltraCopia(const QString &percorso, TipoBlocco tipo)
    {
        int pronto[2];
        int fine[2];
        if (::pipe(pronto) != 0 || ::pipe(fine) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDWR);
            BloccoFile b;
            const char c = (fd >= 0 && b.prendi(fd, tipo)) ? 'y' : 'n';
            (void)!::write(pronto[1], &c, 1);
            char x;
            (void)!::read(fine[0], &x, 1);
            ::_exit(0);
        }
        char c = 'n';
        (void)!::read(pronto[0], &c, 1);
        m_preso = c == 'y';
        m_fine = fine[1];
        ::close(pronto[0]);
        ::close(pronto[1]);
        ::close(fine[0]);
    }
    ~AltraCopia()
    {
        if (m_pid > 0) {
            (void)!::write(m_fine, "x", 1);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool preso() const { return m_preso; }

private:
    pid_t m_pid = -1;
    int m_fine = -1;
    bool m_preso = false;
};

} // namespace

class TestCopieMultiple : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Dipendenti.pro"));
        QFile::remove(m_path);
        QFile::remove(FileArchivio::percorsoGiornale(m_path));
        QFile::remove(percorsoStorico(m_path));
        guasti::impostaAttesaBlocco(-1);
        guasti::guastaLetturaGiornale(false);
        guasti::negaScrittura(false);
    }
    void dueCopieAccodano();
    void saveInterrotto_data();
    void saveInterrotto();
    void giornaleIncompletoIgnorato();
    void giornaleDiUnaCopiaCaduta();
    void archivioOccupato_data();
    void archivioOccupato();
    void impostazioniOccupate();
    void impostazioniUnite();
    void letturaAccantoAUnaCopiaCaduta_data();
    void letturaAccantoAUnaCopiaCaduta();
    void giornaleIlleggibileConservato();
    void giornaleConPosizioneAssurda_data();
    void giornaleConPosizioneAssurda();
    void attesaAccantoAChiSalvaDiContinuo_data();
    void attesaAccantoAChiSalvaDiContinuo();

private:
    QByteArray cinqueSchede()
    {
        QByteArray b;
        for (int i = 1; i <= 5; ++i)
            b += codificaScheda(dipendente(QStringLiteral("SCHEDA %1").arg(i)));
        return b;
    }

    QTemporaryDir m_dir;
    QString m_path;
};

void TestCopieMultiple::dueCopieAccodano()
{
    // Each copy saves its cards one at a time, opening and closing the archive
    // for every card, as the card screen does.
    constexpr int kSchede = 1000;
    const auto copia = [&](const QString &nome) {
        return [&, nome] {
            for (int i = 0; i < kSchede; ++i) {
                ArchivioDipendenti a(m_path);
                a.apri();
                a.accoda(dipendente(QStringLiteral("%1 %2").arg(nome).arg(i)));
                a.chiudi();
            }
        };
    };
    const pid_t primo = ::fork();
    if (primo == 0) {
        try { copia(QStringLiteral("PRIMA"))(); } catch (...) { ::_exit(1); }
        ::_exit(0);
    }
    const int secondo = inProcesso(copia(QStringLiteral("SECONDA")));
    int stato = 0;
    ::waitpid(primo, &stato, 0);
    QCOMPARE(secondo, 0);
    QVERIFY(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);

    QCOMPARE(QFileInfo(m_path).size(), qint64(2 * kSchede) * TSchedaDipendente::Dimensione);
    ArchivioDipendenti a(m_path);
    a.apri();
    QSet<QString> nomi;
    a.perOgni([&](int, const TSchedaDipendente &s) {
        // A whole card: every field as it was written.
        if (codificaScheda(dipendente(s.Dipendente)) == codificaScheda(s))
            nomi.insert(s.Dipendente);
        return true;
    });
    QCOMPARE(nomi.size(), 2 * kSchede);
}

void TestCopieMultiple::saveInterrotto_data()
{
    QTest::addColumn<qint64>("byteScritti");
    QTest::newRow("tra giornale e sovrascrittura") << qint64(0);
    // The new name is written, the old notes are still there.
    QTest::newRow("a metà della sovrascrittura") << qint64(400);
    QTest::newRow("scheda scritta, giornale rimasto") << qint64(TSchedaDipendente::Dimensione);
}

void TestCopieMultiple::saveInterrotto()
{
    QFETCH(qint64, byteScritti);
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    const TSchedaDipendente nuova = dipendente(QStringLiteral("NUOVA"));

    const int esito = inProcesso([&] {
        guasti::interrompiSovrascrittura(byteScritti);
        ArchivioDipendenti a(m_path);
        a.apri();
        a.scrivi(3, nuova);
    });
    QCOMPARE(esito, 99);
    QVERIFY(QFileInfo::exists(FileArchivio::percorsoGiornale(m_path)));

    // The next open puts the old card back; a card written whole is kept.
    ArchivioDipendenti a(m_path);
    a.apri();
    QVERIFY(!QFileInfo::exists(FileArchivio::percorsoGiornale(m_path)));
    a.chiudi();
    QByteArray atteso = prima;
    if (byteScritti == TSchedaDipendente::Dimensione)
        atteso.replace(2 * TSchedaDipendente::Dimensione, TSchedaDipendente::Dimensione, codificaScheda(nuova));
    QCOMPARE(leggiFile(m_path), atteso);
}

void TestCopieMultiple::giornaleIncompletoIgnorato()
{
    // A journal cut short was written before the card was touched: the card
    // on disk is the right one and stays.
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    const int esito = inProcesso([&] {
        guasti::interrompiSovrascrittura(0);
        ArchivioDipendenti a(m_path);
        a.apri();
        a.scrivi(2, dipendente(QStringLiteral("NUOVA")));
    });
    QCOMPARE(esito, 99);
    const QString giornale = FileArchivio::percorsoGiornale(m_path);
    const QByteArray intero = leggiFile(giornale);
    QVERIFY(intero.size() > TSchedaDipendente::Dimensione);
    // The card written whole meanwhile (as by a later, uninterrupted save).
    QByteArray dopo = prima;
    dopo.replace(TSchedaDipendente::Dimensione, TSchedaDipendente::Dimensione,
                 codificaScheda(dipendente(QStringLiteral("ALTRA"))));
    QVERIFY(scriviFile(m_path, dopo));
    for (const qsizetype taglio : {qsizetype(0), qsizetype(7), qsizetype(30), intero.size() - 1}) {
        QVERIFY(scriviFile(giornale, intero.left(taglio)));
        ArchivioDipendenti a(m_path);
        a.apri();
        QCOMPARE(a.leggi(2).Dipendente, QStringLiteral("ALTRA"));
        a.chiudi();
        QVERIFY(!QFileInfo::exists(giornale));
        QCOMPARE(leggiFile(m_path), dopo);
    }
}

void TestCopieMultiple::giornaleDiUnaCopiaCaduta()
{
    // This copy has the archive open when the other one ends mid-save: its
    // own save first puts the other copy's old card back.
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    ArchivioDipendenti a(m_path);
    a.apri();
    QCOMPARE(inProcesso([&] {
                 guasti::interrompiSovrascrittura(400);
                 ArchivioDipendenti b(m_path);
                 b.apri();
                 b.scrivi(3, dipendente(QStringLiteral("NUOVA")));
             }),
             99);
    a.scrivi(1, dipendente(QStringLiteral("MIA")));
    a.chiudi();
    QVERIFY(!QFileInfo::exists(FileArchivio::percorsoGiornale(m_path)));
    QByteArray atteso = prima;
    atteso.replace(0, TSchedaDipendente::Dimensione, codificaScheda(dipendente(QStringLiteral("MIA"))));
    QCOMPARE(leggiFile(m_path), atteso);
}

void TestCopieMultiple::archivioOccupato_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("operazione");
    const char *operazioni[] = {"accoda", "scrivi", "leggi", "scorri"};
    for (int op = 0; op < 4; ++op) {
        QTest::addRow("esclusivo, %s", operazioni[op]) << int(TipoBlocco::Esclusivo) << op;
        QTest::addRow("condiviso, %s", operazioni[op]) << int(TipoBlocco::Condiviso) << op;
    }
}

void TestCopieMultiple::archivioOccupato()
{
    QFETCH(int, tipo);
    QFETCH(int, operazione);
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    guasti::impostaAttesaBlocco(200);
    AltraCopia altra(m_path, TipoBlocco(tipo));
    QVERIFY(altra.preso());

    ArchivioDipendenti a(m_path);
    a.apri();
    // Another copy's shared lock lets this one read, never write.
    const bool scrive = operazione < 2;
    const bool atteso = scrive || TipoBlocco(tipo) == TipoBlocco::Esclusivo;
    bool occupato = false;
    try {
        switch (operazione) {
        case 0: a.accoda(dipendente(QStringLiteral("NUOVA"))); break;
        case 1: a.scrivi(1, dipendente(QStringLiteral("NUOVA"))); break;
        case 2: a.leggi(4); break;
        case 3: a.leggiTutte(); break;
        }
    } catch (const ErroreArchivio &e) {
        occupato = e.tipo() == ErroreArchivio::Tipo::Occupato;
    }
    QCOMPARE(occupato, atteso);
    QCOMPARE(leggiFile(m_path), prima);
    QVERIFY(!QFileInfo::exists(FileArchivio::percorsoGiornale(m_path)));
}

void TestCopieMultiple::impostazioniOccupate()
{
    // The settings file and the password store: a copy that holds them makes
    // the other one wait, then give up with the message, the file unchanged.
    const QString ini = m_dir.filePath(QStringLiteral("Quadrivela.ini"));
    const QString store = m_dir.filePath(QStringLiteral("unins000.dll"));
    const QByteArray testoIni = "[Ditta Emittente]\r\nNome Ditta=ROSSI SRL\r\n";
    QVERIFY(scriviFile(ini, testoIni));
    QFile::remove(store);
    QVERIFY(creaArchivioPassword(store));
    const QByteArray testoStore = leggiFile(store);
    guasti::impostaAttesaBlocco(200);
    {
        AltraCopia altraIni(ini, TipoBlocco::Esclusivo);
        AltraCopia altraStore(store, TipoBlocco::Esclusivo);
        QVERIFY(altraIni.preso() && altraStore.preso());
        QString errore;
        QVERIFY(!FileIni::leggi(ini, &errore));
        QCOMPARE(errore, MsgFileOccupato);
        errore.clear();
        QVERIFY(!leggiPassword(store, &errore));
        QCOMPARE(errore, MsgFileOccupato);
        errore.clear();
        QVERIFY(!scriviPassword(store, QStringLiteral("nuova"), &errore));
        QCOMPARE(errore, MsgFileOccupato);
        QCOMPARE(leggiFile(ini), testoIni);
        QCOMPARE(leggiFile(store), testoStore);
    }
    {
        // A copy that only reads lets this one read and makes it wait to write.
        AltraCopia altraIni(ini, TipoBlocco::Condiviso);
        QVERIFY(altraIni.preso());
        std::optional<FileIni> f = FileIni::leggi(ini);
        QVERIFY(f);
        f->imposta(QStringLiteral("Ditta Emittente"), QStringLiteral("Nome Ditta"), QStringLiteral("BIANCHI"));
        QString errore;
        QVERIFY(!f->salva(&errore));
        QCOMPARE(errore, MsgFileOccupato);
        QCOMPARE(leggiFile(ini), testoIni);
    }
    QCOMPARE(contenuto(m_dir.path()), QStringList({QStringLiteral("Quadrivela.ini"), QStringLiteral("unins000.dll")}));
}

void TestCopieMultiple::impostazioniUnite()
{
    // Two copies read the settings, then each saves its own key: both keys stay.
    const QString ini = m_dir.filePath(QStringLiteral("Quadrivela.ini"));
    QVERIFY(scriviFile(ini, "; note\r\n[Ditta Emittente]\r\nNome Ditta=ROSSI\r\n"));
    std::optional<FileIni> prima = FileIni::leggi(ini);
    std::optional<FileIni> seconda = FileIni::leggi(ini);
    QVERIFY(prima && seconda);
    prima->imposta(QStringLiteral("Ditta Emittente"), QStringLiteral("Nome Ditta"), QStringLiteral("VERDI"));
    seconda->imposta(QStringLiteral("Altro"), QStringLiteral("Chiave"), QStringLiteral("1"));
    QVERIFY(prima->salva());
    QVERIFY(seconda->salva());
    QCOMPARE(leggiFile(ini), QByteArray("; note\r\n[Ditta Emittente]\r\nNome Ditta=VERDI\r\n\r\n[Altro]\r\nChiave=1\r\n"));
}

void TestCopieMultiple::letturaAccantoAUnaCopiaCaduta_data()
{
    QTest::addColumn<qint64>("byteScritti");
    QTest::addColumn<bool>("solaLettura");
    for (const bool sola : {false, true}) {
        const char *modo = sola ? "sola lettura" : "lettura e scrittura";
        QTest::addRow("%s, a metà della scheda", modo) << qint64(400) << sola;
        QTest::addRow("%s, un byte", modo) << qint64(1) << sola;
        QTest::addRow("%s, scheda scritta", modo) << qint64(TSchedaDipendente::Dimensione) << sola;
    }
}

void TestCopieMultiple::letturaAccantoAUnaCopiaCaduta()
{
    // This copy opened the archive before the other one ended in the middle
    // of a card: neither a single read nor a whole read hands out the torn
    // card, whether this copy can put the old one back or only read.
    QFETCH(qint64, byteScritti);
    QFETCH(bool, solaLettura);
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    const TSchedaDipendente nuova = dipendente(QStringLiteral("NUOVA"));
    guasti::negaScrittura(solaLettura);
    ArchivioDipendenti a(m_path);
    a.apri();
    guasti::negaScrittura(false);
    QCOMPARE(a.solaLettura(), solaLettura);
    QCOMPARE(inProcesso([&] {
                 guasti::interrompiSovrascrittura(byteScritti);
                 ArchivioDipendenti b(m_path);
                 b.apri();
                 b.scrivi(3, nuova);
             }),
             99);
    const bool intera = byteScritti == TSchedaDipendente::Dimensione;
    const QByteArray attesa = codificaScheda(intera ? nuova : dipendente(QStringLiteral("SCHEDA 3")));
    QByteArray letti;
    a.leggi(3, &letti);
    QCOMPARE(letti, attesa);
    QByteArray tutte;
    a.perOgni([&](int, const TSchedaDipendente &s) { tutte += codificaScheda(s); return true; });
    QCOMPARE(tutte.mid(2 * TSchedaDipendente::Dimensione, TSchedaDipendente::Dimensione), attesa);
    a.chiudi();
    // Put back on the disk by a copy that can write; left to the journal otherwise.
    QCOMPARE(QFileInfo::exists(FileArchivio::percorsoGiornale(m_path)), solaLettura);
    if (!solaLettura) {
        QByteArray atteso = prima;
        atteso.replace(2 * TSchedaDipendente::Dimensione, TSchedaDipendente::Dimensione, attesa);
        QCOMPARE(leggiFile(m_path), atteso);
    }
}

void TestCopieMultiple::giornaleIlleggibileConservato()
{
    // A journal that cannot be read may hold the only copy of a card: it is
    // never taken for one cut short. It stays, the archive is reported as
    // needing attention and nothing is written to it; once it can be read
    // again, the card is put back.
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    QCOMPARE(inProcesso([&] {
                 guasti::interrompiSovrascrittura(400);
                 ArchivioDipendenti b(m_path);
                 b.apri();
                 b.scrivi(3, dipendente(QStringLiteral("NUOVA")));
             }),
             99);
    const QString giornale = FileArchivio::percorsoGiornale(m_path);
    const QByteArray strappato = leggiFile(m_path);
    const QByteArray testoGiornale = leggiFile(giornale);
    QVERIFY(strappato != prima);
    guasti::guastaLetturaGiornale(true);
    const auto tipoErrore = [](const auto &azione) {
        try {
            azione();
        } catch (const ErroreArchivio &e) {
            return int(e.tipo());
        }
        return -1;
    };
    ArchivioDipendenti a(m_path);
    QCOMPARE(tipoErrore([&] { a.apri(); }), int(ErroreArchivio::Tipo::DaControllare));
    guasti::negaScrittura(true);
    ArchivioDipendenti sola(m_path);
    sola.apri();
    guasti::negaScrittura(false);
    QCOMPARE(tipoErrore([&] { sola.leggi(1); }), int(ErroreArchivio::Tipo::DaControllare));
    QCOMPARE(tipoErrore([&] { sola.leggiTutte(); }), int(ErroreArchivio::Tipo::DaControllare));
    QCOMPARE(leggiFile(giornale), testoGiornale);
    QCOMPARE(leggiFile(m_path), strappato);

    guasti::guastaLetturaGiornale(false);
    a.apri();
    a.chiudi();
    QVERIFY(!QFileInfo::exists(giornale));
    QCOMPARE(leggiFile(m_path), prima);
}

void TestCopieMultiple::giornaleConPosizioneAssurda_data()
{
    QTest::addColumn<quint64>("offset");
    const quint64 d = TSchedaDipendente::Dimensione;
    QTest::newRow("oltre la fine") << 5 * d;
    QTest::newRow("negativa") << quint64(-qint64(d));
    QTest::newRow("al limite dei 64 bit") << (std::numeric_limits<quint64>::max() / d) * d;
    QTest::newRow("al limite dei 63 bit") << (quint64(std::numeric_limits<qint64>::max()) / d) * d;
    QTest::newRow("non allineata") << d + 1;
}

void TestCopieMultiple::giornaleConPosizioneAssurda()
{
    // A whole journal (its checksum agrees) that names no card of this
    // archive: it is not applied, no sum overflows, and the archive opens.
    QFETCH(quint64, offset);
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    const QByteArray vecchia = codificaScheda(dipendente(QStringLiteral("VECCHIA")));
    QVERIFY(scriviFile(FileArchivio::percorsoGiornale(m_path),
                       componiGiornale(qint64(offset), vecchia, codificaScheda(dipendente(QStringLiteral("X"))))));
    ArchivioDipendenti a(m_path);
    a.apri();
    QCOMPARE(a.leggiTutte().size(), 5);
    a.chiudi();
    QVERIFY(!QFileInfo::exists(FileArchivio::percorsoGiornale(m_path)));
    QCOMPARE(leggiFile(m_path), prima);
}

void TestCopieMultiple::attesaAccantoAChiSalvaDiContinuo_data()
{
    QTest::addColumn<bool>("scrive");
    QTest::newRow("lettore") << false;
    QTest::newRow("scrittore") << true;
}

void TestCopieMultiple::attesaAccantoAChiSalvaDiContinuo()
{
    // Another copy saves card 1 back to back, taking the lock again the moment
    // it lets it go: this copy, waiting, still gets its turn every time.
    QFETCH(bool, scrive);
    QVERIFY(scriviFile(m_path, cinqueSchede()));
    int pronto[2];
    int fine[2];
    QVERIFY(::pipe(pronto) == 0 && ::pipe(fine) == 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::fcntl(fine[0], F_SETFL, O_NONBLOCK);
        try {
            ArchivioDipendenti b(m_path);
            b.apri();
            for (int i = 0;; ++i) {
                b.scrivi(1, dipendente(QStringLiteral("SALVATAGGIO %1").arg(i)));
                if (i == 0)
                    (void)!::write(pronto[1], "y", 1);
                char x;
                if (::read(fine[0], &x, 1) >= 0) // the word to stop, or this test gone
                    break;
            }
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    char c = 0;
    QCOMPARE(::read(pronto[0], &c, 1), ssize_t(1));
    guasti::impostaAttesaBlocco(2000);
    int occupato = 0;
    ArchivioDipendenti a(m_path);
    for (int i = 0; i < 40; ++i) {
        try {
            a.apri();
            if (scrive)
                a.scrivi(2, dipendente(QStringLiteral("MIA %1").arg(i)));
            else
                QVERIFY(a.leggi(1).Dipendente.startsWith(QStringLiteral("SALVATAGGIO ")));
        } catch (const ErroreArchivio &e) {
            QCOMPARE(e.tipo(), ErroreArchivio::Tipo::Occupato);
            ++occupato;
        }
    }
    a.chiudi();
    (void)!::write(fine[1], "x", 1);
    int stato = 0;
    ::waitpid(pid, &stato, 0);
    for (const int fd : {pronto[0], pronto[1], fine[0], fine[1]})
        ::close(fd);
    QVERIFY(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
    QCOMPARE(occupato, 0);
}

QTEST_GUILESS_MAIN(TestCopieMultiple)
#include "tst_copiemultiple.moc"
