// The safety copy from the main menu: its dialog, its reminder in the menu's
// band by the services' clock, and the restore with its refusals and its question.
#include <QTest>

#include "ui/mnemonici.h"
#include "app/copiasicurezza.h"
#include "app/frmavvio.h"
#include "app/frmcopia.h"
#include "app/pannelloscadenze.h"
#include "storage/archivio.h"
#include "storage/blocco.h"
#include "storage/copiasicurezza.h"
#include "storage/impostazionicopia.h"
#include "storage/pianoripristino.h"
#include "storage/presenza.h"
#include "storage/sololettura.h"
#include "support/altroprocesso.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"
#include "ui/schermi.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>


using namespace qv;
using namespace qv::prova;

namespace {

TSchedaDipendente dipendente(const QString &nome)
{
    TSchedaDipendente d;
    d.Dipendente = nome;
    d.DataSca = QStringLiteral("31/12/2018");
    return d;
}

// Another copy of the program running on `cartella` until destroyed.
class AltraCopiaAperta : public AltroProcesso
{
public:
    explicit AltraCopiaAperta(const QString &cartella)
        : AltroProcesso([&] { PresenzaCartella::questa().entra(cartella); })
    {
    }
};

} // namespace

class TestCopiaDalMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase() { Schermi::distruggiTutti(); }
    void promemoria_data();
    void promemoria();
    void promemoriaAccantoAlleScadenze();
    void copiaDalDialogoEDalPromemoria();
    void ripristinoRifiutato_data();
    void ripristinoRifiutato();
    void ripristinoDopoLaDomanda();
    void ripresaAllAvvio_data();
    void ripresaAllAvvio();

private:
    QString cartella() const { return m_dir.filePath(QStringLiteral("Quadrivela")); }
    QString chiavetta() const { return m_dir.filePath(QStringLiteral("Chiavetta")); }
    QString archivio() const { return cartellaProgramma().archivioDipendenti(); }
    void schede(int quante);
    // Shows the main menu and waits for the band's read.
    void mostraMenu();

    ServiziProva m_servizi;
    QTemporaryDir m_dir;
    TfrmAvvio *m_menu = nullptr;
};

void TestCopiaDalMenu::initTestCase()
{
    QVERIFY(QDir().mkpath(cartella()));
    impostaCartellaProgramma(cartella());
    Schermi::creaTutti();
    m_menu = Schermi::di<TfrmAvvio>();
    guasti::impostaAttesaBlocco(200);
}

void TestCopiaDalMenu::init()
{
    guasti::negaScrittura(false);
    for (const QString &d : {cartella(), chiavetta()}) {
        QDir(d).removeRecursively();
        QVERIFY(QDir().mkpath(d));
    }
    m_servizi.azzera();
    m_servizi.annullaAlPasso = 0;
    m_servizi.orologio = QDateTime(QDate(2017, 3, 15), QTime(10, 30));
}

void TestCopiaDalMenu::schede(int quante)
{
    ArchivioDipendenti a(archivio());
    a.apri();
    for (int i = 1; i <= quante; ++i)
        a.accoda(dipendente(QStringLiteral("DIPENDENTE %1").arg(i)));
}

void TestCopiaDalMenu::mostraMenu()
{
    m_menu->hide();
    m_menu->show();
    QVERIFY(QTest::qWaitFor([&] { return !m_menu->panScadenze->inLettura(); }, 20000));
}

void TestCopiaDalMenu::promemoria_data()
{
    QTest::addColumn<QString>("ultima"); // "dd/mm/yyyy hh:mm"; empty: none made
    QTest::addColumn<QString>("dal");    // the first run without a copy
    QTest::addColumn<int>("giorni");
    QTest::addColumn<QDate>("oggi");
    QTest::addColumn<int>("quante");     // cards in the archive
    QTest::addColumn<QString>("atteso"); // empty: the band stays hidden
    const QString nessuna = QStringLiteral("Nessuna copia di sicurezza dei dati: farla ora");
    QTest::newRow("copia di 7 giorni fa") << "08/03/2017 18:00" << "" << 7 << QDate(2017, 3, 15) << 2 << "";
    QTest::newRow("il giorno dopo") << "08/03/2017 18:00" << "" << 7 << QDate(2017, 3, 16) << 2
                                    << "Ultima copia di sicurezza 8 giorni fa: farne una ora";
    QTest::newRow("giorni scelti") << "12/03/2017 09:00" << "" << 2 << QDate(2017, 3, 15) << 2
                                   << "Ultima copia di sicurezza 3 giorni fa: farne una ora";
    QTest::newRow("mai fatta, cartella nuova") << "" << "10/03/2017" << 7 << QDate(2017, 3, 15) << 2 << "";
    QTest::newRow("mai fatta, da troppi giorni") << "" << "01/03/2017" << 7 << QDate(2017, 3, 15) << 2 << nessuna;
    QTest::newRow("mai fatta, nessuna scheda") << "" << "01/03/2017" << 7 << QDate(2017, 3, 15) << 0 << "";
}

// The band reminds of the copy once the last one is older than the days set
// (by the services' clock), and not before; a folder never copied, from the
// day it was first used, if it holds cards.
void TestCopiaDalMenu::promemoria()
{
    QFETCH(QString, ultima);
    QFETCH(QString, dal);
    QFETCH(int, giorni);
    QFETCH(QDate, oggi);
    QFETCH(int, quante);
    QFETCH(QString, atteso);
    schede(quante);
    ImpostazioniCopia i;
    i.ultima = QDateTime::fromString(ultima, QStringLiteral("dd/MM/yyyy HH:mm"));
    i.dal = QDate::fromString(dal, QStringLiteral("dd/MM/yyyy"));
    i.giorni = giorni;
    QVERIFY(scriviImpostazioniCopia(cartellaProgramma().impostazioni(), i));
    m_servizi.orologio = QDateTime(oggi, QTime(8, 0));
    mostraMenu();
    QPushButton *b = m_menu->panScadenze->btnPromemoriaCopia;
    QCOMPARE(b->isVisible(), !atteso.isEmpty());
    QCOMPARE(m_menu->panScadenze->isVisible(), !atteso.isEmpty());
    QCOMPARE(QString(b->text()).remove(u'&'), atteso); // the text, without its mnemonic's mark
    QVERIFY(atteso.isEmpty() || !mnemonico(b).isNull());
}

// With both lines of the contracts that end soon, the reminder still shows
// whole in the band, and every line with it.
void TestCopiaDalMenu::promemoriaAccantoAlleScadenze()
{
    ArchivioDipendenti a(archivio());
    a.apri();
    a.accoda(dipendente(QStringLiteral("SCADE OGGI")));
    TSchedaDipendente d = dipendente(QStringLiteral("SCADE DOMANI"));
    d.DataSca = QStringLiteral("16/03/2017");
    a.accoda(d);
    TSchedaContratto c;
    c.Dipendente = QStringLiteral("TERMINA OGGI");
    c.Rescisso = QStringLiteral("No");
    c.DataInizio = QStringLiteral("01/01/2017");
    c.DataFine = QStringLiteral("15/03/2017");
    ArchivioContratti con(cartellaProgramma().archivioContratti(2017));
    con.apri();
    con.accoda(c);
    con.accoda(c);
    ImpostazioniCopia i;
    i.ultima = QDateTime(QDate(2016, 12, 1), QTime(9, 0));
    QVERIFY(scriviImpostazioniCopia(cartellaProgramma().impostazioni(), i));
    m_servizi.orologio = QDateTime(QDate(2017, 3, 15), QTime(8, 0));
    mostraMenu();
    PannelloScadenze *p = m_menu->panScadenze;
    for (QPushButton *b : {p->btnScadenzeDipendenti, p->btnScadenzeContratti, p->btnPromemoriaCopia}) {
        QVERIFY(b->isVisible());
        QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= b->width(), qPrintable(b->text()));
        QVERIFY(p->rect().contains(b->geometry()));
    }
}

// The dialog makes the copy in the folder chosen, remembers it and the days
// set; the reminder's click makes the next one there without asking; a copy
// stopped from its progress window leaves nothing.
void TestCopiaDalMenu::copiaDalDialogoEDalPromemoria()
{
    schede(2);
    QString ultima;
    bool spiegazioneIntera = false;
    m_servizi.quandoDialogo([&](QDialog *d) {
        auto *c = qobject_cast<TfrmCopia *>(d);
        if (!c)
            return int(QDialog::Rejected);
        ultima = c->lblUltima->text();
        // The explanation of what the copy holds shows whole.
        const QLabel *spiegazione = c->lblSpiegazione;
        const QRect occupa = spiegazione->fontMetrics().boundingRect(spiegazione->contentsRect(), Qt::TextWordWrap,
                                                                     spiegazione->text());
        spiegazioneIntera = spiegazione->contentsRect().contains(occupa);
        m_servizi.prossimaCartella(chiavetta());
        c->btnSfoglia->click();
        c->spnGiorni->setValue(3);
        c->btnCopia->click();
        return c->result();
    });
    m_menu->btnCopiaClick();
    QCOMPARE(ultima, QStringLiteral("Non è stata ancora fatta nessuna copia di sicurezza."));
    QVERIFY(spiegazioneIntera);
    const QString zip = QDir(chiavetta()).filePath(QStringLiteral("Quadrivela-copia-2017-03-15-1030.zip"));
    QVERIFY(QFile::exists(zip));
    QVERIFY(verificaCopia(zip).integra);
    QCOMPARE(m_servizi.messaggi.size(), 1);
    QVERIFY(m_servizi.ultimoTesto().startsWith(QStringLiteral("La copia di sicurezza è stata salvata e verificata:\r\n\r\n")
                                              + QDir::toNativeSeparators(zip)));
    QCOMPARE(m_servizi.avanzamenti.size(), 1);
    QCOMPARE(m_servizi.avanzamenti[0].testo, QStringLiteral("Copia di sicurezza in corso..."));
    QCOMPARE(m_servizi.avanzamenti[0].passi.constLast(), m_servizi.avanzamenti[0].totale);
    ImpostazioniCopia i = leggiImpostazioniCopia(cartellaProgramma().impostazioni());
    QCOMPARE(i.cartella, chiavetta());
    QCOMPARE(i.ultima, m_servizi.orologio);
    QCOMPARE(i.giorni, 3);

    // Four days later the band reminds of it; its click copies into the same folder.
    m_servizi.orologio = m_servizi.orologio.addDays(4);
    mostraMenu();
    QCOMPARE(nomePulsante(m_menu->panScadenze->btnPromemoriaCopia),
             QStringLiteral("Ultima copia di sicurezza 4 giorni fa: farne una ora"));
    m_servizi.azzera();
    QTest::mouseClick(m_menu->panScadenze->btnPromemoriaCopia, Qt::LeftButton);
    QVERIFY(m_servizi.cartelleIniziali.isEmpty());
    QVERIFY(QFile::exists(QDir(chiavetta()).filePath(QStringLiteral("Quadrivela-copia-2017-03-19-1030.zip"))));
    QVERIFY(QTest::qWaitFor([&] { return !m_menu->panScadenze->inLettura(); }, 20000));
    QVERIFY(!m_menu->panScadenze->btnPromemoriaCopia->isVisible());

    // Stopped from the progress window: nothing new in the folder.
    const QStringList prima = contenuto(chiavetta());
    m_servizi.orologio = m_servizi.orologio.addSecs(60);
    m_servizi.annullaAlPasso = 2;
    m_servizi.azzera();
    QVERIFY(!eseguiCopiaSicurezza(m_menu, chiavetta()));
    QCOMPARE(m_servizi.testi(), QStringList{QStringLiteral("La copia di sicurezza è stata annullata: nella cartella \"%1\" "
                                                           "non è rimasto nessun file della copia.")
                                                .arg(QDir::toNativeSeparators(chiavetta()))});
    QCOMPARE(contenuto(chiavetta()), prima);
}

void TestCopiaDalMenu::ripristinoRifiutato_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("inizio"); // of the message
    QTest::newRow("cartella in sola lettura") << "sola lettura"
                                              << "Attenzione: la cartella del programma è in sola lettura";
    QTest::newRow("un'altra copia aperta") << "altra copia" << "Attenzione: un'altra copia del programma è aperta";
    QTest::newRow("copia danneggiata") << "danneggiata" << "Attenzione: il file";
    QTest::newRow("non è una copia") << "non una copia" << "Attenzione: il file";
}

// A restore is refused, with nothing touched, on a read-only folder, while
// another copy of the program runs on it, or from a copy that is not whole.
void TestCopiaDalMenu::ripristinoRifiutato()
{
    QFETCH(QString, caso);
    QFETCH(QString, inizio);
    schede(2);
    const EsitoCopia e = creaCopiaSicurezza(cartella(), chiavetta(), m_servizi.orologio.addDays(-1));
    QCOMPARE(e.stato, EsitoCopia::Stato::Fatta);
    schede(1);
    const QStringList prima = contenuto(cartella());
    const QByteArray archivioPrima = leggiFile(archivio());
    std::unique_ptr<AltraCopiaAperta> altra;
    if (caso == QLatin1String("sola lettura"))
        guasti::negaScrittura(true);
    else if (caso == QLatin1String("altra copia"))
        altra = std::make_unique<AltraCopiaAperta>(cartella());
    else if (caso == QLatin1String("danneggiata"))
    {
        // A byte of the archive's compressed data changed: its CRC-32 fails.
        QByteArray b = leggiFile(e.percorso);
        const qsizetype i = b.indexOf("Dipendenti.pro") + 14 + 10;
        b[i] = char(b[i] ^ 0x10);
        QVERIFY(scriviFile(e.percorso, b));
    }
    else
        QVERIFY(scriviFile(e.percorso, "[Ditta Emittente]\r\n"));
    // A read-only folder is refused before the copy is asked for.
    if (caso != QLatin1String("sola lettura"))
        m_servizi.prossimoFile(e.percorso);
    m_menu->btnRipristinoClick();
    guasti::negaScrittura(false);
    QCOMPARE(m_servizi.titoliFile.size(), caso == QLatin1String("sola lettura") ? 0 : 1);
    QCOMPARE(m_servizi.messaggi.size(), 1);
    QVERIFY2(m_servizi.ultimoTesto().startsWith(inizio), qPrintable(m_servizi.ultimoTesto()));
    QVERIFY(m_servizi.ultimoTesto().endsWith(QStringLiteral("Il ripristino non è stato fatto."))
            || caso == QLatin1String("sola lettura") || caso == QLatin1String("altra copia"));
    QCOMPARE(leggiFile(archivio()), archivioPrima);
    QStringList dopo = contenuto(cartella());
    dopo.removeAll(NomeFilePresenza);
    QStringList attesi = prima;
    attesi.removeAll(NomeFilePresenza);
    QCOMPARE(dopo, attesi);
}

// The restore shows what the copy holds against the folder and asks, No by
// default; Sì sets the folder's data aside and puts the copy's in place.
void TestCopiaDalMenu::ripristinoDopoLaDomanda()
{
    schede(2);
    QVERIFY(scriviFile(cartellaProgramma().foglioLavoroXlsx(1), "PK foglio"));
    QVERIFY(scriviFile(cartellaProgramma().archivioPassword(), "[Accesso]\r\nValore=VECCHIA\r\n"));
    ImpostazioniCopia impostazioni;
    impostazioni.cartella = m_dir.filePath(QStringLiteral("Vecchia chiavetta"));
    impostazioni.ultima = QDateTime(QDate(2017, 2, 1), QTime(8, 0));
    QVERIFY(scriviImpostazioniCopia(cartellaProgramma().impostazioni(), impostazioni));
    const EsitoCopia e = creaCopiaSicurezza(cartella(), chiavetta(), QDateTime(QDate(2017, 3, 14), QTime(9, 0)));
    QCOMPARE(e.stato, EsitoCopia::Stato::Fatta);
    const QByteArray copiato = leggiFile(archivio());
    // Since the copy: the copy itself recorded, a new password, a new card.
    impostazioni.cartella = chiavetta();
    impostazioni.ultima = e.contenuto.creata;
    QVERIFY(scriviImpostazioniCopia(cartellaProgramma().impostazioni(), impostazioni));
    QVERIFY(scriviFile(cartellaProgramma().archivioPassword(), "[Accesso]\r\nValore=NUOVA\r\n"));
    schede(1);
    ArchivioContratti(cartellaProgramma().archivioContratti(2017)).apri();
    const QByteArray dopo = leggiFile(archivio());

    m_servizi.prossimoFile(e.percorso);
    m_servizi.rispondi(false);
    m_menu->btnRipristinoClick();
    QCOMPARE(m_servizi.messaggi.size(), 1);
    const QString domanda = m_servizi.ultimoTesto();
    QVERIFY(domanda.startsWith(QStringLiteral("Copia di sicurezza del 14/03/2017 alle 09:00.\r\n")));
    QVERIFY(domanda.contains(QStringLiteral("\r\nDipendenti: 2 schede nella copia, 3 schede ora nella cartella")));
    QVERIFY(domanda.contains(QStringLiteral("\r\nContratti 2017: nessun archivio nella copia, nessuna scheda ora nella cartella")));
    QVERIFY(domanda.contains(QStringLiteral("\r\nFogli dei lavori svolti: 1 nella copia, 1 ora nella cartella")));
    QVERIFY(domanda.contains(QStringLiteral("\r\n\r\nLa password per entrare nel programma resta quella in uso ora."
                                            "\r\nLe impostazioni vengono dalla copia, tranne la cartella e la data "
                                            "dell'ultima copia di sicurezza, che restano quelle attuali.\r\n\r\n")));
    QVERIFY(domanda.endsWith(QStringLiteral("vengono spostati nella cartella \"Dati prima del ripristino 2017-03-15-1030\" "
                                            "dentro la cartella del programma.")));
    QCOMPARE(m_servizi.siPredefiniti, QList<bool>{false});
    QCOMPARE(leggiFile(archivio()), dopo);

    m_servizi.azzera();
    m_servizi.prossimoFile(e.percorso);
    m_servizi.rispondi(true);
    m_menu->btnRipristinoClick();
    QCOMPARE(m_servizi.messaggi.size(), 2);
    QVERIFY(m_servizi.ultimoTesto().startsWith(QStringLiteral("Il ripristino è stato completato.")));
    QCOMPARE(leggiFile(archivio()), copiato);
    const QString accanto = QDir(cartella()).filePath(QStringLiteral("Dati prima del ripristino 2017-03-15-1030"));
    QCOMPARE(leggiFile(QDir(accanto).filePath(QStringLiteral("Dipendenti.pro"))), dopo);
    QVERIFY(QFile::exists(QDir(accanto).filePath(QStringLiteral("2017.con"))));
    QVERIFY(!QFile::exists(cartellaProgramma().archivioContratti(2017)));
    // The password in use and the copy just made stay.
    QCOMPARE(leggiFile(cartellaProgramma().archivioPassword()), QByteArray("[Accesso]\r\nValore=NUOVA\r\n"));
    const ImpostazioniCopia dopoIlRipristino = leggiImpostazioniCopia(cartellaProgramma().impostazioni());
    QCOMPARE(dopoIlRipristino.ultima, e.contenuto.creata);
    QCOMPARE(dopoIlRipristino.cartella, chiavetta());
    QCOMPARE(leggiFile(cartellaProgramma().foglioLavoroXlsx(1)), QByteArray("PK foglio"));
}

void TestCopiaDalMenu::ripresaAllAvvio_data()
{
    QTest::addColumn<bool>("conGiornale");
    QTest::addColumn<QString>("esito"); // in the message
    QTest::newRow("file della copia pronti") << true << "ed è stato completato ora";
    QTest::newRow("file della copia non ancora pronti") << false << "è stata riportata com'era prima del ripristino";
}

// At start, a restore cut short is finished once the copy's files were all
// ready, else undone, before anything of the folder is read; the user is told which.
void TestCopiaDalMenu::ripresaAllAvvio()
{
    QFETCH(bool, conGiornale);
    QFETCH(QString, esito);
    schede(1);
    const QByteArray vecchio = leggiFile(archivio());
    const QDir d(cartella());
    const QString nuovi = d.filePath(NomeCartellaNuovi);
    const QByteArray dallaCopia = codificaScheda(dipendente(QStringLiteral("DALLA COPIA")));
    QVERIFY(QDir().mkpath(nuovi));
    QVERIFY(scriviFile(QDir(nuovi).filePath(QStringLiteral("Dipendenti.pro")), dallaCopia));
    const QString accanto = d.filePath(QStringLiteral("Dati prima del ripristino 2017-03-15-1030"));
    if (conGiornale) {
        // Cut short once the former archive had gone aside.
        QString errore;
        QVERIFY(scriviPianoRipristino({cartella(), QFileInfo(accanto).fileName(), {QStringLiteral("Dipendenti.pro")},
                                       {QStringLiteral("Dipendenti.pro")}},
                                      errore));
        QVERIFY(QDir().mkpath(accanto));
        QVERIFY(QFile::rename(archivio(), QDir(accanto).filePath(QStringLiteral("Dipendenti.pro"))));
    }

    avviaCartellaProgramma();
    QCOMPARE(m_servizi.messaggi.size(), 1);
    const QString testo = m_servizi.ultimoTesto();
    QVERIFY2(testo.startsWith(QStringLiteral("Un ripristino da una copia di sicurezza era stato interrotto")), qPrintable(testo));
    QVERIFY2(testo.contains(esito), qPrintable(testo));
    QVERIFY(!ripristinoInterrotto(cartella()));
    QVERIFY(!QFileInfo::exists(nuovi));
    if (conGiornale) {
        QCOMPARE(leggiFile(archivio()), dallaCopia);
        QCOMPARE(leggiFile(QDir(accanto).filePath(QStringLiteral("Dipendenti.pro"))), vecchio);
        QVERIFY(testo.endsWith(QDir::toNativeSeparators(accanto)));
    } else {
        QCOMPARE(leggiFile(archivio()), vecchio);
        QVERIFY(!QFileInfo::exists(accanto));
    }
    // The next start finds nothing to do.
    m_servizi.azzera();
    avviaCartellaProgramma();
    QCOMPARE(m_servizi.messaggi.size(), 0);
}

QTEST_MAIN(TestCopiaDalMenu)
#include "tst_copiasicurezza.moc"
