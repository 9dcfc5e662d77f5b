// Two copies of the program on one folder, and saves cut short by a power cut:
// the copies are real processes (this test program started again), the power
// cut ends a process part-way.
#include <QSemaphore>
#include <QSet>
#include <QThread>

#include <limits>
#include <memory>
#include <QTemporaryDir>
#include <QTest>

#include "storage/archivio.h"
#include "storage/giornale.h"
#include "storage/archiviopassword.h"
#include "storage/blocco.h"
#include "storage/ini.h"
#include "storage/storico.h"
#include "core/os/file.h"
#include "support/altracopia.h"
#include "support/fileprova.h"

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

// The jobs of the other copy.
//   accoda PERCORSO NOME N       appends N cards, opening the archive for each
//   interrompi PERCORSO BYTE POS NOME
//                                overwrites card POS and ends, as in a power cut,
//                                after BYTE bytes of it (exit code 99)
//   blocca PERCORSO TIPO         holds a lock (0 shared, 1 exclusive) on the
//                                file, answers "y" (or "n"), until told to stop
//   salva PERCORSO               saves card 1 back to back, answers "y" after
//                                the first save, until told to stop
int lavoro(const QStringList &a)
{
    const QString &cosa = a.value(0);
    const QString &percorso = a.value(1);
    if (cosa == QLatin1String("accoda")) {
        for (int i = 0; i < a.value(3).toInt(); ++i) {
            ArchivioDipendenti archivio(percorso);
            archivio.apri();
            archivio.accoda(dipendente(QStringLiteral("%1 %2").arg(a.value(2)).arg(i)));
            archivio.chiudi();
        }
        return 0;
    }
    if (cosa == QLatin1String("interrompi")) {
        guasti::interrompiSovrascrittura(a.value(2).toLongLong());
        ArchivioDipendenti archivio(percorso);
        archivio.apri();
        archivio.scrivi(a.value(3).toInt(), dipendente(a.value(4)));
        return 0;
    }
    if (cosa == QLatin1String("blocca")) {
        const int fd = os::apri(percorso, os::LetturaScrittura);
        BloccoFile b;
        rispondi(fd >= 0 && b.prendi(fd, TipoBlocco(a.value(2).toInt())) ? "y" : "n");
        attendiFine();
        b.rilascia();
        os::chiudi(fd);
        return 0;
    }
    if (cosa == QLatin1String("salva")) {
        ArchivioDipendenti archivio(percorso);
        archivio.apri();
        for (int i = 0;; ++i) {
            archivio.scrivi(1, dipendente(QStringLiteral("SALVATAGGIO %1").arg(i)));
            if (i == 0)
                rispondi("y");
            if (fineRichiesta()) // the word to stop, or this test gone
                return 0;
        }
    }
    return 2;
}

// Another copy that ends in a power cut while it overwrites card `posizione`
// with a card named `nome`, after `byte` bytes of it: its exit code (99).
int interrotta(const QString &percorso, qint64 byte, int posizione, const QString &nome)
{
    return AltraCopia({QStringLiteral("interrompi"), percorso, QString::number(byte), QString::number(posizione), nome})
        .fine();
}

// Another copy that holds a lock on `percorso` until it is destroyed.
class CopiaCheBlocca
{
public:
    CopiaCheBlocca(const QString &percorso, TipoBlocco tipo)
        : m_copia({QStringLiteral("blocca"), percorso, QString::number(int(tipo))}), m_preso(m_copia.riga() == "y")
    {
    }
    bool preso() const { return m_preso; }

private:
    AltraCopia m_copia;
    bool m_preso;
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
    void letturaInUnAltroThread();
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
    AltraCopia prima({QStringLiteral("accoda"), m_path, QStringLiteral("PRIMA"), QString::number(kSchede)});
    AltraCopia seconda({QStringLiteral("accoda"), m_path, QStringLiteral("SECONDA"), QString::number(kSchede)});
    QCOMPARE(prima.fine(), 0);
    QCOMPARE(seconda.fine(), 0);

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

    QCOMPARE(interrotta(m_path, byteScritti, 3, nuova.Dipendente), 99);
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
    QCOMPARE(interrotta(m_path, 0, 2, QStringLiteral("NUOVA")), 99);
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
    QCOMPARE(interrotta(m_path, 400, 3, QStringLiteral("NUOVA")), 99);
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
    CopiaCheBlocca altra(m_path, TipoBlocco(tipo));
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

void TestCopieMultiple::letturaInUnAltroThread()
{
    // The main menu's band reads the archives on a thread of its own while a
    // screen may save: within one copy the reader's lock keeps the save out
    // as another copy's would, and the save waits for the read to end.
    const QByteArray prima = cinqueSchede();
    QVERIFY(scriviFile(m_path, prima));
    guasti::impostaAttesaBlocco(200);
    QSemaphore dentro, via;
    int lette = 0;
    std::unique_ptr<QThread> lettore(QThread::create([&] {
        ArchivioDipendenti a(m_path);
        a.apri();
        a.perOgni([&](int, TSchedaDipendente &&) {
            if (lette++ == 0) {
                dentro.release();
                via.acquire();
            }
            return true;
        });
    }));
    lettore->start();
    dentro.acquire();
    bool occupato = false;
    try {
        ArchivioDipendenti a(m_path);
        a.apri();
        a.scrivi(1, dipendente(QStringLiteral("NUOVA")));
    } catch (const ErroreArchivio &e) {
        occupato = e.tipo() == ErroreArchivio::Tipo::Occupato;
    }
    via.release();
    QVERIFY(lettore->wait(10000));
    QVERIFY(occupato);
    QCOMPARE(lette, 5);
    QCOMPARE(leggiFile(m_path), prima);

    // Once the read is over, the save goes through.
    ArchivioDipendenti a(m_path);
    a.apri();
    a.scrivi(1, dipendente(QStringLiteral("NUOVA")));
    QCOMPARE(a.leggi(1).Dipendente, QStringLiteral("NUOVA"));
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
        CopiaCheBlocca altraIni(ini, TipoBlocco::Esclusivo);
        CopiaCheBlocca altraStore(store, TipoBlocco::Esclusivo);
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
        CopiaCheBlocca altraIni(ini, TipoBlocco::Condiviso);
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
    QCOMPARE(interrotta(m_path, byteScritti, 3, nuova.Dipendente), 99);
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
    QCOMPARE(interrotta(m_path, 400, 3, QStringLiteral("NUOVA")), 99);
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
    AltraCopia altra({QStringLiteral("salva"), m_path});
    QCOMPARE(altra.riga(), QByteArray("y"));
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
    QCOMPARE(altra.fine(), 0);
    QCOMPARE(occupato, 0);
}

QV_MAIN_CON_ALTRE_COPIE(TestCopieMultiple, lavoro)
#include "tst_copiemultiple.moc"
