#include <QTemporaryDir>
#include <QTest>

#include "storage/archivio.h"
#include "core/os/guasti.h"
#include "support/fileprova.h"

using namespace qv;

using namespace qv::prova;

namespace {

TSchedaContratto contratto(int n)
{
    TSchedaContratto c;
    c.Dipendente = QStringLiteral("Collaboratore %1").arg(n);
    c.DataStipula = QStringLiteral("0%1/01/2017").arg(n % 10);
    c.Rescisso = TSchedaContratto::testoRescisso(n % 2);
    return c;
}

QByteArray cinqueContratti()
{
    QByteArray b;
    for (int i = 1; i <= 5; ++i)
        b += codificaScheda(contratto(i));
    return b;
}

} // namespace

class TestArchivio : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); m_path = m_dir.filePath(QStringLiteral("2017.con")); QFile::remove(m_path); }
    void creaQuandoManca();
    void treDipendenti();
    void codaIncompleta();
    void sovrascriveSoloLaScheda();
    void accodaInFondo();
    void letturaCompletaABlocchi();
    void letturaDiAlcuniCampi();
    void nonApribileRestaComEra();
    void scritturaInterrotta_data();
    void scritturaInterrotta();
    void discoPieno_data();
    void discoPieno();
    void sostituisceSoloSeInvariata_data();
    void sostituisceSoloSeInvariata();
    void solaLettura_data();
    void solaLettura();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestArchivio::creaQuandoManca()
{
    ArchivioContratti a(m_path);
    a.apri();
    QCOMPARE(a.conta(), 0);
    a.chiudi();
    QVERIFY(QFile::exists(m_path));
    QCOMPARE(QFileInfo(m_path).size(), 0);
    // Reading past the end is a failure, not a blank card.
    a.apri();
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.leggi(1));
}

void TestArchivio::treDipendenti()
{
    const QString path = m_dir.filePath(QStringLiteral("Dipendenti.pro"));
    QFile::remove(path);
    ArchivioDipendenti a(path);
    a.apri();
    for (int i = 1; i <= 3; ++i) {
        TSchedaDipendente s;
        s.Dipendente = QStringLiteral("Dipendente %1").arg(i);
        QCOMPARE(a.accoda(s), i);
    }
    a.chiudi();
    const QByteArray b = leggiFile(path);
    QCOMPARE(b.size(), 7998);
    QCOMPARE(b.mid(5332, 13), QByteArray("\x0C" "Dipendente 3"));
    a.apri();
    QCOMPARE(a.leggi(3).Dipendente, QStringLiteral("Dipendente 3"));
}

void TestArchivio::codaIncompleta()
{
    // Two whole cards and some stray bytes: the stray bytes are not a card,
    // and the next append writes over them.
    QByteArray b = codificaScheda(contratto(1)) + codificaScheda(contratto(2));
    QCOMPARE(b.size(), 7064);
    QVERIFY(scriviFile(m_path, b + QByteArray("stray", 5)));
    ArchivioContratti a(m_path);
    a.apri();
    QCOMPARE(a.conta(), 2);
    QCOMPARE(a.leggiTutte().size(), 2);
    QCOMPARE(a.accoda(contratto(3)), 3);
    a.chiudi();
    QCOMPARE(leggiFile(m_path), b + codificaScheda(contratto(3)));
}

void TestArchivio::sovrascriveSoloLaScheda()
{
    const QByteArray prima = cinqueContratti();
    QVERIFY(scriviFile(m_path, prima));
    ArchivioContratti a(m_path);
    a.apri();
    TSchedaContratto nuova = contratto(3);
    nuova.Note = QStringLiteral("modificata");
    a.scrivi(3, nuova);
    a.chiudi();
    const QByteArray dopo = leggiFile(m_path);
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(dopo.left(7064), prima.left(7064));
    QCOMPARE(dopo.mid(10596), prima.mid(10596));
    QCOMPARE(dopo.mid(7064, 3532), codificaScheda(nuova));
}

void TestArchivio::accodaInFondo()
{
    const QByteArray prima = cinqueContratti();
    QVERIFY(scriviFile(m_path, prima));
    ArchivioContratti a(m_path);
    a.apri();
    QCOMPARE(a.accoda(contratto(6)), 6);
    a.chiudi();
    const QByteArray dopo = leggiFile(m_path);
    QCOMPARE(dopo.size(), 21192);
    QCOMPARE(dopo.left(17660), prima);
    QCOMPARE(dopo.mid(17660), codificaScheda(contratto(6)));
}

void TestArchivio::letturaCompletaABlocchi()
{
    // More cards than one block holds, read whole and stopped early.
    const QString path = m_dir.filePath(QStringLiteral("Dipendenti.pro"));
    QFile::remove(path);
    QByteArray b;
    for (int i = 1; i <= 1100; ++i) {
        TSchedaDipendente s;
        s.Dipendente = QString::number(i);
        b += codificaScheda(s);
    }
    QVERIFY(scriviFile(path, b));
    ArchivioDipendenti a(path);
    a.apri();
    const QList<TSchedaDipendente> tutte = a.leggiTutte();
    QCOMPARE(tutte.size(), 1100);
    for (int i = 0; i < tutte.size(); ++i)
        QCOMPARE(tutte[i].Dipendente, QString::number(i + 1));
    int viste = 0;
    a.perOgni([&](int pos, TSchedaDipendente &&) { viste = pos; return pos < 700; });
    QCOMPARE(viste, 700);
}

void TestArchivio::letturaDiAlcuniCampi()
{
    // A long text, then a shorter one, an empty one and one with the euro sign:
    // each card read shows its own texts, none left over from the card before,
    // and a text kept from an earlier card stays as it was.
    const QStringList note = {QStringLiteral("una nota piuttosto lunga"), QStringLiteral("breve"), QString(),
                              QStringLiteral("€ 12")};
    const QString path = m_dir.filePath(QStringLiteral("Dipendenti.pro"));
    QFile::remove(path);
    QByteArray b;
    for (int i = 0; i < note.size(); ++i) {
        TSchedaDipendente s;
        s.Dipendente = QStringLiteral("Dipendente %1").arg(i + 1);
        s.Note = note[i];
        s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
        b += codificaScheda(s);
    }
    QVERIFY(scriviFile(path, b));
    ArchivioDipendenti a(path);
    a.apri();
    QStringList lette, nomi;
    a.perOgni({&TSchedaDipendente::Note, &TSchedaDipendente::Dipendente, &TSchedaDipendente::Note},
              [&](int, const TSchedaDipendente &s) {
                  lette.append(s.Note);
                  nomi.append(s.Dipendente);
                  if (!s.CodFisc.isEmpty())
                      lette.append(QStringLiteral("campo non richiesto letto"));
                  return true;
              });
    QCOMPARE(lette, note);
    QCOMPARE(nomi, (QStringList{QStringLiteral("Dipendente 1"), QStringLiteral("Dipendente 2"),
                                QStringLiteral("Dipendente 3"), QStringLiteral("Dipendente 4")}));
}

void TestArchivio::nonApribileRestaComEra()
{
    // A path that exists but cannot be opened as a file is reported, never replaced.
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("2017.con")));
    QFile(m_path + QStringLiteral("/dentro")).open(QIODevice::WriteOnly);
    ArchivioContratti a(m_path);
    try {
        a.apri();
        QFAIL("apertura riuscita");
    } catch (const ErroreArchivio &e) {
        QCOMPARE(e.tipo(), ErroreArchivio::Tipo::Apertura);
    }
    QVERIFY(QFileInfo(m_path).isDir());
    QVERIFY(QFile::exists(m_path + QStringLiteral("/dentro")));
    QDir(m_path).removeRecursively();
}

void TestArchivio::scritturaInterrotta_data()
{
    QTest::addColumn<int>("posizione"); // 0: append
    QTest::addColumn<int>("byteScritti");
    QTest::newRow("sovrascrittura a meta") << 3 << 1000;
    QTest::newRow("sovrascrittura nulla") << 3 << 0;
    QTest::newRow("accodamento a meta") << 0 << 1700;
}

void TestArchivio::scritturaInterrotta()
{
    QFETCH(int, posizione);
    QFETCH(int, byteScritti);
    const QByteArray prima = cinqueContratti();
    QVERIFY(scriviFile(m_path, prima));
    ArchivioContratti a(m_path);
    a.apri();
    guasti::simulaDiscoPieno(byteScritti);
    TSchedaContratto nuova = contratto(9);
    nuova.Note = QStringLiteral("mai salvata");
    try {
        if (posizione)
            a.scrivi(posizione, nuova);
        else
            a.accoda(nuova);
        QFAIL("scrittura riuscita");
    } catch (const ErroreArchivio &e) {
        QCOMPARE(e.tipo(), ErroreArchivio::Tipo::Scrittura);
    }
    a.chiudi();
    // Every card is as it was; a half-written new card is not left behind.
    QCOMPARE(leggiFile(m_path), prima);
    a.apri();
    QCOMPARE(a.conta(), 5);
}

void TestArchivio::discoPieno_data()
{
    QTest::addColumn<bool>("dispositivo");
    QTest::newRow("dispositivo sempre pieno") << true;
    QTest::newRow("disco pieno a metà scheda") << false;
}

void TestArchivio::discoPieno()
{
    // A real device that is always full, or the system's answer of a full
    // disk part-way through the card: the append fails and says so, and the
    // part written is cut off again.
    QFETCH(bool, dispositivo);
    if (dispositivo) {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("/dev/full non disponibile");
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), m_path));
    }
    ArchivioContratti a(m_path);
    a.apri();
    os::guasti::discoPienoDopo(dispositivo ? -1 : 1000);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.accoda(contratto(1)));
    os::guasti::discoPienoDopo(-1);
    if (!dispositivo) {
        QCOMPARE(a.conta(), 0);
        a.chiudi();
        QCOMPARE(QFileInfo(m_path).size(), qint64(0));
    }
    a.chiudi();
    QFile::remove(m_path);
}

namespace {

// Two copies of one archive each read card 2; the second saves its change
// first. The first copy's save of its own change must not undo it.
template <typename R>
void perditaDiUnAggiornamento(const QString &percorso, QString R::*campoA, QString R::*campoB)
{
    {
        Archivio<R> a(percorso);
        a.apri();
        for (int i = 0; i < 3; ++i)
            a.accoda(R{});
    }
    Archivio<R> copiaA(percorso), copiaB(percorso);
    copiaA.apri();
    copiaB.apri();
    QByteArray lettiA, lettiB;
    R schedaA = copiaA.leggi(2, &lettiA);
    R schedaB = copiaB.leggi(2, &lettiB);
    QCOMPARE(lettiA, codificaScheda(R{}));
    schedaB.*campoB = QStringLiteral("nota della copia B");
    QVERIFY(copiaB.sostituisci(2, schedaB, lettiB));
    const QByteArray dopoB = leggiFile(percorso);
    schedaA.*campoA = QStringLiteral("qualifica della copia A");
    // Refused: nothing written, B's card stays.
    QVERIFY(!copiaA.sostituisci(2, schedaA, lettiA));
    QCOMPARE(leggiFile(percorso), dopoB);
    // The same card again (both copies made the same change) is no conflict.
    QVERIFY(copiaA.sostituisci(2, schedaB, lettiA));
    QCOMPARE(leggiFile(percorso), dopoB);
    // What the user then chooses: reloading reads B's card; overwriting writes A's.
    QByteArray ricaricati;
    QCOMPARE(copiaA.leggi(2, &ricaricati).*campoB, QStringLiteral("nota della copia B"));
    QCOMPARE(ricaricati, codificaScheda(schedaB));
    QVERIFY(copiaA.sostituisci(2, schedaA, ricaricati));
    QCOMPARE(leggiFile(percorso).mid(R::Dimensione, R::Dimensione), codificaScheda(schedaA));
    QCOMPARE(leggiFile(percorso).left(R::Dimensione), codificaScheda(R{}));
}

} // namespace

void TestArchivio::sostituisceSoloSeInvariata_data()
{
    QTest::addColumn<bool>("contratti");
    QTest::newRow("dipendenti") << false;
    QTest::newRow("contratti") << true;
}

void TestArchivio::sostituisceSoloSeInvariata()
{
    QFETCH(bool, contratti);
    if (contratti)
        perditaDiUnAggiornamento<TSchedaContratto>(m_path, &TSchedaContratto::Qualifiche, &TSchedaContratto::Note);
    else
        perditaDiUnAggiornamento<TSchedaDipendente>(m_path, &TSchedaDipendente::Qualifiche, &TSchedaDipendente::Note);
}

void TestArchivio::solaLettura_data()
{
    QTest::addColumn<bool>("esiste");
    QTest::addColumn<bool>("dalSistema"); // the system refuses the writes, which are tried
    QTest::newRow("archivio esistente") << true << false;
    QTest::newRow("anno mai aperto") << false << false;
    QTest::newRow("archivio esistente, rifiutato dal sistema") << true << true;
    QTest::newRow("anno mai aperto, rifiutato dal sistema") << false << true;
}

void TestArchivio::solaLettura()
{
    // A folder that cannot be written: the archive is consulted, every write
    // is refused before anything is touched, a missing one is an empty one.
    QFETCH(bool, esiste);
    QFETCH(bool, dalSistema);
    const QByteArray prima = cinqueContratti();
    if (esiste)
        QVERIFY(scriviFile(m_path, prima));
    if (dalSistema)
        os::guasti::cartellaSolaLettura(m_dir.path());
    else
        guasti::negaScrittura(true);
    QVERIFY(FileArchivio::soloLettura(m_path));
    ArchivioContratti a(m_path);
    a.apri();
    guasti::negaScrittura(false);
    os::guasti::cartellaSolaLettura({});
    QVERIFY(a.solaLettura());
    QCOMPARE(a.conta(), esiste ? 5 : 0);
    QCOMPARE(a.leggiTutte().size(), esiste ? 5 : 0);
    if (esiste)
        QCOMPARE(a.leggi(4).Dipendente, QStringLiteral("Collaboratore 4"));
    const auto tipoErrore = [](const auto &scrittura) {
        try {
            scrittura();
        } catch (const ErroreArchivio &e) {
            return e.tipo();
        }
        return ErroreArchivio::Tipo::Apertura;
    };
    QCOMPARE(tipoErrore([&] { a.accoda(contratto(6)); }), ErroreArchivio::Tipo::SolaLettura);
    if (esiste) {
        QCOMPARE(tipoErrore([&] { a.scrivi(1, contratto(6)); }), ErroreArchivio::Tipo::SolaLettura);
        QCOMPARE(leggiFile(m_path), prima);
    } else {
        QVERIFY(!QFileInfo::exists(m_path));
    }
    // Not to be created: a missing archive is told apart.
    ArchivioContratti b(m_dir.filePath(QStringLiteral("1999.con")));
    QCOMPARE(tipoErrore([&] { b.apri(false); }), ErroreArchivio::Tipo::Assente);
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("1999.con"))));
}

QTEST_GUILESS_MAIN(TestArchivio)
#include "tst_archivio.moc"
