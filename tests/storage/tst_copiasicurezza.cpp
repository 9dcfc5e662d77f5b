// The safety copy and its restore: what goes into the zip, byte for byte and
// card by card, how a damaged copy is refused, and how a restore sets the
// folder's data aside and puts the copy's in place, or leaves all as it was.
#include <QBuffer>
#include <QElapsedTimer>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <QRegularExpression>

#include "core/os/guasti.h"
#include "core/zip.h"
#include "storage/archivio.h"
#include "storage/copiasicurezza.h"
#include "storage/giornale.h"
#include "storage/impostazionicopia.h"
#include "storage/ini.h"
#include "storage/pianoripristino.h"
#include "storage/ripristino.h"
#include "storage/sololettura.h"
#include "storage/storico.h"
#include "support/altracopia.h"
#include "support/fileprova.h"

using namespace qv;
using namespace qv::prova;

namespace {

const QDateTime kQuando(QDate(2026, 5, 4), QTime(9, 30));

TSchedaDipendente dipendente(const QString &nome, const QString &allegato = {})
{
    TSchedaDipendente d;
    d.Dipendente = nome;
    d.Stipendio = QStringLiteral("1000,00");
    d.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    d.DataSca = QStringLiteral("31/12/2026");
    d.Preavviso = QStringLiteral("30");
    d.File02 = allegato;
    return d;
}

// Four versions of three cards, each card's versions of the same length.
QList<QByteArray> versioniDiProva()
{
    QList<QByteArray> versioni;
    for (int v = 0; v < 4; ++v)
        for (int s = 1; s <= 3; ++s) {
            TSchedaDipendente d = dipendente(QStringLiteral("SCHEDA %1").arg(s));
            d.Note = QString(250, QChar(u'a' + v));
            d.Familiari = QString(250, QChar(u'A' + v));
            versioni << codificaScheda(d);
        }
    return versioni;
}

const QDateTime kQuandoRipristino = kQuando.addDays(2);

// The jobs of the other copy.
//   salva ARCHIVIO             saves the cards' versions back to back for two seconds
//   ripristina CARTELLA ZIP N  restores the copy, ending as in a power cut after N
//                              durable steps (exit code 99)
//   riprendi CARTELLA N        finishes or undoes a restore cut short, ending the
//                              same way after N steps
int lavoro(const QStringList &a)
{
    if (a.value(0) == QLatin1String("ripristina")) {
        const VerificaCopia v = verificaCopia(a.value(2));
        guasti::interrompiRipristino(a.value(3).toInt());
        return v.integra && ripristinaCopia(a.value(1), a.value(2), v.contenuto, kQuandoRipristino).riuscito ? 0 : 3;
    }
    if (a.value(0) == QLatin1String("riprendi")) {
        guasti::interrompiRipristino(a.value(2).toInt());
        riprendiRipristino(a.value(1));
        return 0;
    }
    if (a.value(0) != QLatin1String("salva"))
        return 2;
    const QList<QByteArray> versioni = versioniDiProva();
    FileArchivio f(a.value(1), TSchedaDipendente::Dimensione);
    f.apri();
    rispondi("via");
    QElapsedTimer t;
    t.start();
    for (int i = 1; t.elapsed() < 2000; ++i)
        f.scrivi(1 + i % 3, versioni[(i % 4) * 3 + i % 3]);
    return 0;
}

TSchedaContratto contratto(const QString &nome, const QString &allegato = {})
{
    TSchedaContratto c;
    c.Dipendente = nome;
    c.Rescisso = QStringLiteral("No");
    c.File01 = allegato;
    return c;
}

QByteArray casuali(int n, quint32 seme)
{
    QRandomGenerator g(seme);
    QByteArray b(n, Qt::Uninitialized);
    for (char &c : b)
        c = char(g.bounded(256));
    return b;
}

// The files of a folder (not its sub-folders) and their bytes.
QMap<QString, QByteArray> fileDi(const QString &cartella)
{
    QMap<QString, QByteArray> out;
    for (const QString &nome : QDir(cartella).entryList(QDir::Files | QDir::Hidden))
        out.insert(nome, leggiFile(QDir(cartella).filePath(nome)));
    return out;
}

// Makes `cartella` hold exactly `file`, and nothing else.
bool riportaA(const QString &cartella, const QMap<QString, QByteArray> &file)
{
    QDir(cartella).removeRecursively();
    bool ok = QDir().mkpath(cartella);
    for (auto i = file.cbegin(); i != file.cend(); ++i)
        ok = ok && scriviFile(QDir(cartella).filePath(i.key()), i.value());
    return ok;
}

} // namespace

class TestCopiaSicurezza : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void andataERitorno();
    void ogniFileCheIlProgrammaScrive();
    void archiviComeLiLasciaUnSalvataggio_data();
    void archiviComeLiLasciaUnSalvataggio();
    void copiaMentreUnAltraCopiaSalva();
    void copiaDiUnaCartellaInSolaLettura();
    void copiaDanneggiataRifiutata_data();
    void copiaDanneggiataRifiutata();
    void ripristinoSpostaLaCartella();
    void ripristinoFallitoRiportaTutto_data();
    void ripristinoFallitoRiportaTutto();
    void passwordEImpostazioniDelleCopieRestano();
    void ripristinoInterrotto();
    void annullataONonScrivibile_data();
    void annullataONonScrivibile();

private:
    // A program folder with both archive kinds, a history, photos, a work-log
    // sheet, settings, password, and attached files in another folder (one of
    // them missing); and files that are not data.
    void preparaCartella();
    QString cartella() const { return m_dir.filePath(QStringLiteral("Quadrivela")); }
    QString allegati() const { return m_dir.filePath(QStringLiteral("Documenti")); }
    QString destinazione() const { return m_dir.filePath(QStringLiteral("Chiavetta")); }
    // A copy of the folder, checked.
    QString copiaFatta();

    QTemporaryDir m_dir;
};

void TestCopiaSicurezza::init()
{
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(cartella()));
    QVERIFY(QDir().mkpath(allegati()));
    QVERIFY(QDir().mkpath(destinazione()));
    impostaOrologioStorico([] { return kQuando.addDays(-1); });
}

void TestCopiaSicurezza::preparaCartella()
{
    const QDir d(cartella());
    QVERIFY(scriviFile(QDir(allegati()).filePath(QStringLiteral("contratto firmato.pdf")), casuali(30000, 1)));
    QVERIFY(scriviFile(QDir(allegati()).filePath(QStringLiteral("carta d'identità.png")), casuali(5000, 2)));
    {
        ArchivioDipendenti a(d.filePath(QStringLiteral("Dipendenti.pro")));
        a.apri();
        a.accoda(dipendente(QStringLiteral("ROSSI MARIO"), QDir(allegati()).filePath(QStringLiteral("contratto firmato.pdf"))));
        a.accoda(dipendente(QStringLiteral("VERDI LUCA"), QDir(allegati()).filePath(QStringLiteral("perso.doc"))));
        a.accoda(dipendente(QStringLiteral("NERI ANNA")));
        a.scrivi(1, dipendente(QStringLiteral("ROSSI MARIO GIUSEPPE"),
                               QDir(allegati()).filePath(QStringLiteral("contratto firmato.pdf"))));
        ArchivioContratti c(d.filePath(QStringLiteral("2025.con")));
        c.apri();
        c.accoda(contratto(QStringLiteral("ROSSI MARIO"), QDir(allegati()).filePath(QStringLiteral("carta d'identità.png"))));
        c.accoda(contratto(QStringLiteral("NERI ANNA")));
        ArchivioContratti c2(d.filePath(QStringLiteral("2026.con")));
        c2.apri();
        c2.accoda(contratto(QStringLiteral("VERDI LUCA")));
    }
    QVERIFY(scriviFile(d.filePath(QStringLiteral("1.jpg")), casuali(20000, 3)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("3.jpg")), casuali(9000, 4)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("Dipendente_1.xls")), "<table>lavori</table>"));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("Dipendente_3.xlsx")), casuali(7000, 6)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("Quadrivela.ini")), "[Ditta Emittente]\r\nNome Ditta=ROSSI SRL\r\n"));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=A1B2C3\r\n"));
    // Not written by the program, or not kept: the program, its guide, the
    // presence lock, the user's own file, its libraries.
    for (const char *nome : {"quadrivela", "Guida.pdf", "Quadrivela.presenza", "leggimi.txt"})
        QVERIFY(scriviFile(d.filePath(QLatin1String(nome)), "non dati"));
    QVERIFY(d.mkpath(QStringLiteral("lib")));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("lib/libQt6Core.so.6")), "libreria"));
}

QString TestCopiaSicurezza::copiaFatta()
{
    const EsitoCopia e = creaCopiaSicurezza(cartella(), destinazione(), kQuando);
    if (e.stato != EsitoCopia::Stato::Fatta)
        qWarning() << e.errore;
    return e.stato == EsitoCopia::Stato::Fatta ? e.percorso : QString();
}

// A copy holds every data file of the folder as it is and the attached files
// that exist; restored into an empty folder it gives them back byte for byte,
// and a missing attached file goes back to its place.
void TestCopiaSicurezza::andataERitorno()
{
    preparaCartella();
    const QMap<QString, QByteArray> originali = fileDi(cartella());
    const QStringList dati = {"1.jpg", "2025.con", "2026.con", "3.jpg", "Dipendente_1.xls", "Dipendente_3.xlsx",
                              "Dipendenti.pro", "Dipendenti.pro.storico", "Quadrivela.ini", "unins000.dll"};

    const EsitoCopia e = creaCopiaSicurezza(cartella(), destinazione(), kQuando);
    QCOMPARE(e.stato, EsitoCopia::Stato::Fatta);
    QCOMPARE(e.percorso, QDir(destinazione()).filePath(QStringLiteral("Quadrivela-copia-2026-05-04-0930.zip")));
    QCOMPARE(contenuto(destinazione()), QStringList{QStringLiteral("Quadrivela-copia-2026-05-04-0930.zip")});
    QCOMPARE(e.allegatiMancanti, QStringList{QDir(allegati()).filePath(QStringLiteral("perso.doc"))});

    const VerificaCopia v = verificaCopia(e.percorso);
    QVERIFY2(v.integra, qPrintable(v.errore));
    QCOMPARE(v.contenuto.creata, kQuando);
    QStringList nomi, origini;
    for (const FileCopia &f : v.contenuto.file) {
        nomi << f.nome;
        if (f.genere == GenereFileCopia::Allegato)
            origini << QFileInfo(f.origine).fileName();
        if (f.nome == QLatin1String("Dipendenti.pro") || f.nome == QLatin1String("2025.con"))
            QCOMPARE(f.schede, f.nome.endsWith(QLatin1String(".pro")) ? 3 : 2);
    }
    QCOMPARE(nomi.mid(0, dati.size()), dati);
    QCOMPARE(nomi.size(), dati.size() + 2);
    // The year archives come before Dipendenti.pro, their attached files too.
    QCOMPARE(origini, (QStringList{"carta d'identità.png", "contratto firmato.pdf"}));

    // Into a new folder: every data file back as it was, and only those.
    const QString nuova = m_dir.filePath(QStringLiteral("Nuovo computer"));
    QVERIFY(QDir().mkpath(nuova));
    QVERIFY(QFile::remove(QDir(allegati()).filePath(QStringLiteral("carta d'identità.png"))));
    QVERIFY(scriviFile(QDir(allegati()).filePath(QStringLiteral("contratto firmato.pdf")), "cambiato dall'utente"));
    const EsitoRipristino r = ripristinaCopia(nuova, e.percorso, v.contenuto, kQuando.addDays(1));
    QVERIFY2(r.riuscito, qPrintable(r.errore));
    const QMap<QString, QByteArray> ripristinati = fileDi(nuova);
    QCOMPARE(ripristinati.keys(), dati);
    for (const QString &nome : dati)
        QVERIFY2(ripristinati.value(nome) == originali.value(nome), qPrintable(nome));
    // Nothing was there to be set aside.
    QVERIFY(r.cartellaPrecedenti.isEmpty());
    QCOMPARE(contenuto(nuova), dati);
    // The missing attached file is back; the one that exists is the user's and stays.
    QCOMPARE(leggiFile(QDir(allegati()).filePath(QStringLiteral("carta d'identità.png"))), casuali(5000, 2));
    QCOMPARE(r.allegatiRipristinati.size(), 1);
    QCOMPARE(leggiFile(QDir(allegati()).filePath(QStringLiteral("contratto firmato.pdf"))), QByteArray("cambiato dall'utente"));
}

// Every file the program writes in its folder, by the names its own code
// gives them, goes into the copy and comes back from it.
void TestCopiaSicurezza::ogniFileCheIlProgrammaScrive()
{
    QMap<QString, QByteArray> scritti;
    for (const QString &nome : fileScrittiDalProgramma(CartellaProgramma(cartella()))) {
        const std::optional<GenereFileCopia> genere = genereFileDati(nome);
        QVERIFY2(genere, qPrintable(nome));
        QByteArray dati = nome.toUtf8() + casuali(500, quint32(scritti.size()));
        if (*genere == GenereFileCopia::Dipendenti)
            dati = codificaScheda(dipendente(QStringLiteral("UNO")));
        else if (*genere == GenereFileCopia::Contratti)
            dati = codificaScheda(contratto(QStringLiteral("UNO")));
        else if (*genere == GenereFileCopia::Storico)
            dati.clear();
        else if (*genere == GenereFileCopia::Impostazioni || *genere == GenereFileCopia::Password)
            dati = "[Sezione]\r\nChiave=" + nome.toUtf8() + "\r\n";
        scritti.insert(nome, dati);
    }
    QVERIFY(riportaA(cartella(), scritti));
    const QString zip = copiaFatta();
    QVERIFY(!zip.isEmpty());
    const VerificaCopia v = verificaCopia(zip);
    QVERIFY2(v.integra, qPrintable(v.errore));
    QStringList copiati;
    for (const FileCopia &f : v.contenuto.file)
        copiati << f.nome;
    copiati.sort();
    QCOMPARE(copiati, scritti.keys());

    const QString nuova = m_dir.filePath(QStringLiteral("Nuovo computer"));
    QVERIFY(QDir().mkpath(nuova));
    const EsitoRipristino r = ripristinaCopia(nuova, zip, v.contenuto, kQuandoRipristino);
    QVERIFY2(r.riuscito, qPrintable(r.errore));
    QCOMPARE(fileDi(nuova), scritti);
}

void TestCopiaSicurezza::archiviComeLiLasciaUnSalvataggio_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("scheda nuova incompleta in coda") << "coda";
    QTest::newRow("salvataggio interrotto con il giornale") << "giornale";
    QTest::newRow("versione interrotta nello storico") << "storico";
}

// A save cut short never reaches the copy: an incomplete new card is left
// out, a card torn part-way is copied as it was before (its journal applied
// first), a torn history record is left out.
void TestCopiaSicurezza::archiviComeLiLasciaUnSalvataggio()
{
    QFETCH(QString, caso);
    const int n = TSchedaDipendente::Dimensione;
    const QString archivio = QDir(cartella()).filePath(QStringLiteral("Dipendenti.pro"));
    const QByteArray due = codificaScheda(dipendente(QStringLiteral("UNO"))) + codificaScheda(dipendente(QStringLiteral("DUE")));
    QByteArray attesoArchivio = due, attesoStorico;
    QVERIFY(scriviFile(archivio, due));
    if (caso == QLatin1String("coda")) {
        QVERIFY(scriviFile(archivio, due + codificaScheda(dipendente(QStringLiteral("TRE"))).left(1000)));
    } else if (caso == QLatin1String("giornale")) {
        TSchedaDipendente cambiata = dipendente(QStringLiteral("DUE CAMBIATA"));
        cambiata.Desc03 = QStringLiteral("cambiata anche in fondo");
        const QByteArray nuova = codificaScheda(cambiata);
        QVERIFY(scriviGiornale(FileArchivio::percorsoGiornale(archivio), componiGiornale(n, due.mid(n), nuova)));
        QVERIFY(scriviFile(archivio, due.left(n) + nuova.left(800) + due.mid(n + 800)));
    } else {
        FileArchivio a(archivio, n);
        a.apri();
        a.scrivi(1, codificaScheda(dipendente(QStringLiteral("UNO CAMBIATA"))));
        attesoArchivio = codificaScheda(dipendente(QStringLiteral("UNO CAMBIATA"))) + due.mid(n);
        attesoStorico = leggiFile(percorsoStorico(archivio));
        QVERIFY(scriviFile(percorsoStorico(archivio), attesoStorico + attesoStorico.left(300)));
    }
    const QString zip = copiaFatta();
    QVERIFY(!zip.isEmpty());
    QFile f(zip);
    QVERIFY(f.open(QIODevice::ReadOnly));
    LetturaZip z(&f);
    QVERIFY(z.apri());
    QCOMPARE(z.leggiTutta(QStringLiteral("Dipendenti.pro")).value_or("mancante"), attesoArchivio);
    if (!attesoStorico.isEmpty())
        QCOMPARE(z.leggiTutta(QStringLiteral("Dipendenti.pro.storico")).value_or("mancante"), attesoStorico);
    QVERIFY(!QFile::exists(FileArchivio::percorsoGiornale(archivio)));
}

// A copy made while another copy of the program saves back to back holds
// whole cards, each one of the versions that copy wrote, and whole history records.
void TestCopiaSicurezza::copiaMentreUnAltraCopiaSalva()
{
    const int n = TSchedaDipendente::Dimensione;
    const QString archivio = QDir(cartella()).filePath(QStringLiteral("Dipendenti.pro"));
    const QList<QByteArray> versioni = versioniDiProva();
    QVERIFY(scriviFile(archivio, versioni[0] + versioni[1] + versioni[2]));

    // Another copy of the program saves the three cards back to back meanwhile.
    AltraCopia altra({QStringLiteral("salva"), archivio});
    QCOMPARE(altra.riga(), QByteArray("via"));
    int copie = 0;
    for (int k = 0; k < 6; ++k) {
        const EsitoCopia e = creaCopiaSicurezza(cartella(), destinazione(), kQuando.addSecs(60 * k));
        QVERIFY2(e.stato == EsitoCopia::Stato::Fatta, qPrintable(e.errore));
        QFile f(e.percorso);
        QVERIFY(f.open(QIODevice::ReadOnly));
        LetturaZip z(&f);
        QVERIFY(z.apri());
        const QByteArray schede = z.leggiTutta(QStringLiteral("Dipendenti.pro")).value_or(QByteArray());
        QCOMPARE(schede.size(), 3 * n);
        for (int s = 0; s < 3; ++s)
            QVERIFY2(versioni.contains(schede.mid(s * n, n)), qPrintable(QStringLiteral("scheda %1").arg(s + 1)));
        const QByteArray storico = z.leggiTutta(QStringLiteral("Dipendenti.pro.storico")).value_or(QByteArray());
        QCOMPARE(recordStoricoIntegri(storico, n), storico);
        ++copie;
    }
    QCOMPARE(altra.fine(), 0);
    QCOMPARE(copie, 6);
}

// A folder that can only be read is copied all the same, a save cut short
// in it copied as the card was before.
void TestCopiaSicurezza::copiaDiUnaCartellaInSolaLettura()
{
    preparaCartella();
    const int n = TSchedaDipendente::Dimensione;
    const QString archivio = QDir(cartella()).filePath(QStringLiteral("Dipendenti.pro"));
    const QByteArray prima = leggiFile(archivio);
    // Card 2 half new, half old, its journal beside it.
    QByteArray nuova = prima.mid(n, n);
    nuova.replace(0, 500, QByteArray(500, 'x')).replace(2000, 100, QByteArray(100, 'y'));
    QByteArray strappato = prima;
    strappato.replace(n, 500, nuova.left(500));
    QVERIFY(scriviGiornale(FileArchivio::percorsoGiornale(archivio), componiGiornale(n, prima.mid(n, n), nuova)));
    QVERIFY(scriviFile(archivio, strappato));
    guasti::negaScrittura(true);
    const EsitoCopia e = creaCopiaSicurezza(cartella(), destinazione(), kQuando);
    guasti::negaScrittura(false);
    QVERIFY2(e.stato == EsitoCopia::Stato::Fatta, qPrintable(e.errore));
    QFile f(e.percorso);
    QVERIFY(f.open(QIODevice::ReadOnly));
    LetturaZip z(&f);
    QVERIFY(z.apri());
    QCOMPARE(z.leggiTutta(QStringLiteral("Dipendenti.pro")).value_or(QByteArray()), prima);
    // Nothing in the folder was touched.
    QCOMPARE(leggiFile(archivio), strappato);
    QVERIFY(QFile::exists(FileArchivio::percorsoGiornale(archivio)));
}

void TestCopiaSicurezza::copiaDanneggiataRifiutata_data()
{
    QTest::addColumn<QString>("guasto");
    for (const char *g : {"troncata", "byte cambiato", "senza descrizione", "impronta diversa", "nome fuori posto",
                          "non è uno zip", "file in più", "file in più fuori dalla cartella", "file in più con il percorso intero",
                          "file ripetuto"})
        QTest::newRow(g) << QString::fromUtf8(g);
}

// A copy that is not whole, or not one of this program's, is refused with a reason.
void TestCopiaSicurezza::copiaDanneggiataRifiutata()
{
    QFETCH(QString, guasto);
    preparaCartella();
    const QString zip = copiaFatta();
    QVERIFY(!zip.isEmpty());
    QByteArray b = leggiFile(zip);
    // Rewrites the copy with its files and `descrizione` in place of its own.
    const auto riscrivi = [&](const std::function<QByteArray(QByteArray)> &descrizione, const QString &aggiunto = {}) {
        QFile f(zip);
        QVERIFY(f.open(QIODevice::ReadOnly));
        LetturaZip z(&f);
        QVERIFY(z.apri());
        QBuffer nuovo;
        nuovo.open(QIODevice::ReadWrite);
        ScritturaZip w(&nuovo);
        for (const VoceZip &v : z.voci()) {
            QByteArray dati = z.leggiTutta(v.nome).value_or(QByteArray());
            if (v.nome == NomeDescrizioneCopia) {
                dati = descrizione(dati);
                if (dati.isEmpty())
                    continue;
            }
            QVERIFY(w.iniziaVoce(v.nome, v.quando, dati.size()) && w.scrivi(dati) && w.chiudiVoce());
        }
        if (!aggiunto.isEmpty())
            QVERIFY(w.iniziaVoce(aggiunto, kQuando, 5) && w.scrivi("fuori") && w.chiudiVoce());
        QVERIFY(w.chiudi());
        b = nuovo.data();
    };
    if (guasto == QLatin1String("troncata"))
        b.truncate(b.size() / 2);
    else if (guasto == QLatin1String("byte cambiato")) // inside the first photo's bytes
        b[b.indexOf("1.jpg") + 1000] = char(b[b.indexOf("1.jpg") + 1000] ^ 0x01);
    else if (guasto == QLatin1String("senza descrizione"))
        riscrivi([](const QByteArray &) { return QByteArray(); });
    else if (guasto == QLatin1String("impronta diversa"))
        riscrivi([](QByteArray d) {
            const qsizetype i = d.indexOf("\"sha256\": \"") + 11;
            d[i] = d[i] == '0' ? '1' : '0';
            return d;
        });
    else if (guasto == QLatin1String("nome fuori posto"))
        riscrivi([](QByteArray d) { return d.replace("\"nome\": \"3.jpg\"", "\"nome\": \"../3.jpg\""); });
    else if (guasto.startsWith(QLatin1String("file ")))
        riscrivi([](const QByteArray &d) { return d; },
                 guasto == u"file in più"                          ? QStringLiteral("fuori.txt")
                 : guasto == u"file in più fuori dalla cartella" ? QStringLiteral("../fuori.txt")
                 : guasto == u"file ripetuto"                    ? QStringLiteral("1.jpg")
                                                                 : m_dir.filePath(QStringLiteral("fuori.txt")));
    else
        b = casuali(b.size(), 9);
    QVERIFY(scriviFile(zip, b));
    const VerificaCopia v = verificaCopia(zip);
    QVERIFY(!v.integra);
    QVERIFY(!v.errore.isEmpty());
    if (guasto.startsWith(QLatin1String("file ")))
        QVERIFY2(v.errore.contains(QStringLiteral("non nomina")) && v.errore.contains(QStringLiteral("fuori.txt")) != (guasto == u"file ripetuto"),
                 qPrintable(v.errore));
}

// A restore sets every data file of the folder aside, also those the copy
// does not have, and puts exactly the copy's in their place; what is not
// data stays where it is.
void TestCopiaSicurezza::ripristinoSpostaLaCartella()
{
    preparaCartella();
    const QMap<QString, QByteArray> copiati = fileDi(cartella());
    const QString zip = copiaFatta();
    const VerificaCopia v = verificaCopia(zip);
    QVERIFY(v.integra);

    // Work done after the copy: a card changed, a new photo, a new year.
    const QDir d(cartella());
    {
        ArchivioDipendenti a(d.filePath(QStringLiteral("Dipendenti.pro")));
        a.apri();
        a.scrivi(3, dipendente(QStringLiteral("SOVRASCRITTA PER SBAGLIO")));
    }
    QVERIFY(scriviFile(d.filePath(QStringLiteral("4.jpg")), casuali(100, 5)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("2027.con")), codificaScheda(contratto(QStringLiteral("NUOVO")))));
    const QMap<QString, QByteArray> prima = fileDi(cartella());

    const EsitoRipristino r = ripristinaCopia(cartella(), zip, v.contenuto, kQuando.addDays(2));
    QVERIFY2(r.riuscito, qPrintable(r.errore));
    QCOMPARE(r.cartellaPrecedenti, d.filePath(QStringLiteral("Dati prima del ripristino 2026-05-06-0930")));
    QCOMPARE(fileDi(cartella()), copiati);
    // Every data file as it was just before, in the folder set aside; the
    // password store in use stays in its place.
    QMap<QString, QByteArray> datiPrima;
    for (auto i = prima.cbegin(); i != prima.cend(); ++i)
        if (genereFileDati(i.key()) && i.key() != QLatin1String("unins000.dll"))
            datiPrima.insert(i.key(), i.value());
    QCOMPARE(fileDi(r.cartellaPrecedenti), datiPrima);
    QVERIFY(datiPrima.contains(QStringLiteral("4.jpg")) && datiPrima.contains(QStringLiteral("2027.con")));
    // A second restore the same minute sets aside into a folder of its own.
    QCOMPARE(cartellaDatiPrecedenti(cartella(), kQuando.addDays(2)), r.cartellaPrecedenti + QStringLiteral(" (2)"));
}

void TestCopiaSicurezza::ripristinoFallitoRiportaTutto_data()
{
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<QString>("errore"); // a pattern of the reason
    QTest::newRow("copia cambiata dopo la verifica") << "copia" << "Quadrivela\\.ini";
    QTest::newRow("spostamento rifiutato verso la cartella dei dati di prima") << "accanto" << "non si può spostare";
    // Windows refuses the folder already when the copy's files are written
    // into it, POSIX only when they are moved out of it.
    QTest::newRow("spostamento rifiutato dalla cartella dei file della copia")
        << "nuovi" << "non si può (spostare|ripristinare)";
}

// A restore that fails part-way: the copy turns out damaged while its files
// are made ready, or the system refuses a move once the data are being set
// aside or the copy's files moved in. The folder is put back exactly as it
// was, with no plan, no folder of the copy's files and nothing set aside left.
void TestCopiaSicurezza::ripristinoFallitoRiportaTutto()
{
    QFETCH(QString, guasto);
    QFETCH(QString, errore);
    preparaCartella();
    const QString zip = copiaFatta();
    const VerificaCopia v = verificaCopia(zip);
    QVERIFY(v.integra);
    const QStringList prima = contenuto(cartella());
    const QMap<QString, QByteArray> file = fileDi(cartella());
    if (guasto == QLatin1String("copia")) {
        // The bytes of the settings, among the last data files put back,
        // changed in the zip after it was checked.
        QByteArray b = leggiFile(zip);
        const qsizetype dentro = b.indexOf("Quadrivela.ini") + 14 + 4;
        b[dentro] = char(b[dentro] ^ 0x55);
        QVERIFY(scriviFile(zip, b));
    } else {
        os::guasti::cartellaSolaLettura(guasto == QLatin1String("nuovi")
                                            ? QDir(cartella()).filePath(NomeCartellaNuovi)
                                            : cartellaDatiPrecedenti(cartella(), kQuandoRipristino));
    }
    const EsitoRipristino r = ripristinaCopia(cartella(), zip, v.contenuto, kQuandoRipristino);
    os::guasti::cartellaSolaLettura({});
    QVERIFY(!r.riuscito);
    QVERIFY2(r.errore.contains(QRegularExpression(errore)) && !r.errore.contains(QStringLiteral("riportata")),
             qPrintable(r.errore));
    QCOMPARE(contenuto(cartella()), prima);
    QCOMPARE(fileDi(cartella()), file);
    QCOMPARE(riprendiRipristino(cartella()).stato, EsitoRipresa::Stato::Nessuno);
}

// After a new password and a new copy, a restore keeps the password in use
// and what the settings say of the copies; the rest of the settings come from
// the copy. (A folder without a password store takes the copy's: andataERitorno.)
void TestCopiaSicurezza::passwordEImpostazioniDelleCopieRestano()
{
    preparaCartella();
    const QDir d(cartella());
    const QString ini = d.filePath(QStringLiteral("Quadrivela.ini"));
    ImpostazioniCopia vecchie;
    vecchie.cartella = QStringLiteral("/media/chiavetta vecchia");
    vecchie.ultima = kQuando.addDays(-40);
    vecchie.dal = QDate(2025, 1, 1);
    vecchie.giorni = 10;
    vecchie.versioni = 20;
    QVERIFY(scriviImpostazioniCopia(ini, vecchie));
    const QString zip = copiaFatta();
    const VerificaCopia v = verificaCopia(zip);
    QVERIFY(v.integra);

    const QByteArray nuovaPassword = "[Accesso]\r\nValore=NUOVA\r\n";
    QVERIFY(scriviFile(d.filePath(QStringLiteral("unins000.dll")), nuovaPassword));
    ImpostazioniCopia ora = vecchie;
    ora.cartella = destinazione();
    ora.ultima = kQuando;
    ora.dal = QDate(2026, 2, 2);
    ora.giorni = 3;
    ora.versioni = 5;
    QVERIFY(scriviImpostazioniCopia(ini, ora));
    std::optional<FileIni> f = FileIni::leggi(ini);
    QVERIFY(f);
    f->imposta(QStringLiteral("Ditta Emittente"), QStringLiteral("Nome Ditta"), QStringLiteral("BIANCHI SRL"));
    QVERIFY(f->salva());

    const EsitoRipristino r = ripristinaCopia(cartella(), zip, v.contenuto, kQuandoRipristino);
    QVERIFY2(r.riuscito, qPrintable(r.errore));
    QCOMPARE(leggiFile(d.filePath(QStringLiteral("unins000.dll"))), nuovaPassword);
    QVERIFY(!QFileInfo::exists(QDir(r.cartellaPrecedenti).filePath(QStringLiteral("unins000.dll"))));
    const ImpostazioniCopia dopo = leggiImpostazioniCopia(ini);
    QCOMPARE(dopo.cartella, ora.cartella);
    QCOMPARE(dopo.ultima, ora.ultima);
    QCOMPARE(dopo.dal, ora.dal);
    QCOMPARE(dopo.giorni, vecchie.giorni);
    QCOMPARE(dopo.versioni, vecchie.versioni);
    QCOMPARE(FileIni::leggi(ini)->valore(QStringLiteral("Ditta Emittente"), QStringLiteral("Nome Ditta")),
             QStringLiteral("ROSSI SRL"));
    // The settings as they were just before, in the folder set aside.
    QCOMPARE(leggiImpostazioniCopia(QDir(r.cartellaPrecedenti).filePath(QStringLiteral("Quadrivela.ini"))).giorni, 3);
}

// A restore cut short after each of its durable steps, as by a power cut:
// the next start finds it and finishes it or puts the folder back, and says
// which; the folder is wholly as it was or wholly restored, also when that
// start is itself cut short.
void TestCopiaSicurezza::ripristinoInterrotto()
{
    preparaCartella();
    const QString zip = copiaFatta();
    QVERIFY(!zip.isEmpty());
    const QDir d(cartella());
    {
        ArchivioDipendenti a(d.filePath(QStringLiteral("Dipendenti.pro")));
        a.apri();
        a.scrivi(3, dipendente(QStringLiteral("DOPO LA COPIA")));
    }
    QVERIFY(scriviFile(d.filePath(QStringLiteral("4.jpg")), casuali(100, 5)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("Dipendente_4.xlsx")), casuali(300, 7)));
    QVERIFY(scriviFile(d.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=NUOVA\r\n"));
    const QMap<QString, QByteArray> prima = fileDi(cartella());
    // The folder as a restore not cut short leaves it.
    const VerificaCopia v = verificaCopia(zip);
    const EsitoRipristino intero = ripristinaCopia(cartella(), zip, v.contenuto, kQuandoRipristino);
    QVERIFY2(intero.riuscito, qPrintable(intero.errore));
    const QMap<QString, QByteArray> dopo = fileDi(cartella());
    const QMap<QString, QByteArray> messiDaParte = fileDi(intero.cartellaPrecedenti);
    QVERIFY(dopo != prima && !messiDaParte.isEmpty());

    int completati = 0, annullati = 0;
    for (int passo = 1;; ++passo) {
        QVERIFY(riportaA(cartella(), prima));
        const int uscita = AltraCopia({QStringLiteral("ripristina"), cartella(), zip, QString::number(passo)}).fine();
        if (uscita == 0) { // every step was made
            QCOMPARE(fileDi(cartella()), dopo);
            break;
        }
        QCOMPARE(uscita, 99);
        // Cut short after its last step, it is over.
        const bool interrotto = qv::ripristinoInterrotto(cartella());
        QVERIFY(interrotto || fileDi(cartella()) == dopo);
        // Every third time the start that finds it is cut short too.
        bool ripresaInterrotta = false;
        if (passo % 3 == 0) {
            const int r = AltraCopia({QStringLiteral("riprendi"), cartella(), QString::number(passo / 3 % 4 + 1)}).fine();
            QVERIFY(r == 99 || r == 0);
            ripresaInterrotta = true;
        }
        const EsitoRipresa r = riprendiRipristino(cartella());
        QVERIFY(!qv::ripristinoInterrotto(cartella()));
        QVERIFY(!QFileInfo::exists(d.filePath(NomeCartellaNuovi)));
        const QMap<QString, QByteArray> ora = fileDi(cartella());
        QVERIFY2(ora == prima || ora == dopo, qPrintable(QStringLiteral("passo %1").arg(passo)));
        if (ora == dopo) {
            ++completati;
            QCOMPARE(fileDi(intero.cartellaPrecedenti), messiDaParte);
        } else {
            ++annullati;
            QVERIFY(!QFileInfo::exists(intero.cartellaPrecedenti));
        }
        if (r.stato == EsitoRipresa::Stato::Nessuno)
            QVERIFY(!interrotto || ripresaInterrotta); // over, or the start cut short had ended it
        else
            QCOMPARE(r.stato, ora == dopo ? EsitoRipresa::Stato::Completato : EsitoRipresa::Stato::Annullato);
        if (r.stato == EsitoRipresa::Stato::Completato)
            QCOMPARE(r.cartellaPrecedenti, intero.cartellaPrecedenti);
    }
    QVERIFY(completati > 10 && annullati > 5);
    // Nothing left to do at a start after a restore that was not cut short.
    QCOMPARE(riprendiRipristino(cartella()).stato, EsitoRipresa::Stato::Nessuno);
}

void TestCopiaSicurezza::annullataONonScrivibile_data()
{
    QTest::addColumn<int>("fermaAlPasso"); // 0: never
    QTest::addColumn<bool>("esisteLaCartella");
    QTest::addColumn<int>("stato"); // EsitoCopia::Stato
    QTest::newRow("fermata scrivendo") << 2 << true << int(EsitoCopia::Stato::Annullata);
    QTest::newRow("fermata rileggendo") << -1 << true << int(EsitoCopia::Stato::Annullata);
    QTest::newRow("cartella che non c'è") << 0 << false << int(EsitoCopia::Stato::Fallita);
}

// A copy stopped by the user, whether writing or reading back, or one that
// cannot be written, leaves no file at all where it was going.
void TestCopiaSicurezza::annullataONonScrivibile()
{
    QFETCH(int, fermaAlPasso);
    QFETCH(bool, esisteLaCartella);
    QFETCH(int, stato);
    preparaCartella();
    const QString dove = esisteLaCartella ? destinazione() : QDir(destinazione()).filePath(QStringLiteral("manca"));
    int passi = 0;
    qint64 ultimi = 0, totale = 0;
    const EsitoCopia e = creaCopiaSicurezza(cartella(), dove, kQuando, [&](qint64 fatti, qint64 t) {
        ++passi;
        totale = t;
        ultimi = fatti;
        if (fermaAlPasso < 0) // stopped once the zip is being read back: past half the bytes
            return fatti <= t / 2;
        return fermaAlPasso == 0 || passi < fermaAlPasso;
    });
    QCOMPARE(int(e.stato), stato);
    QVERIFY(!e.errore.isEmpty() || e.stato == EsitoCopia::Stato::Annullata);
    QCOMPARE(contenuto(destinazione()), QStringList());
    if (fermaAlPasso < 0)
        QVERIFY(ultimi > totale / 2 && ultimi <= totale);
}

QV_MAIN_CON_ALTRE_COPIE(TestCopiaSicurezza, lavoro)
#include "tst_copiasicurezza.moc"
