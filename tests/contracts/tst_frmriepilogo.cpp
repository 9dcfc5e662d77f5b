#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "contracts/frmmenuriepilogo.h"
#include "contracts/frmriepilogo.h"
#include "contracts/rigacontratto.h"
#include "storage/archivio.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/testiguida.h"

#include <functional>

using namespace qv;

namespace {

TSchedaContratto contratto(const QString &stipula, const QString &nome, const QString &prestazioni = QString())
{
    TSchedaContratto s;
    s.DataStipula = stipula;
    s.Dipendente = nome;
    s.CodFisc = QStringLiteral("RSSMRA70A01H501U");
    s.Recapito = QStringLiteral("06 1234567");
    s.DataInizio = QStringLiteral("01/04/2017");
    s.DataFine = QStringLiteral("31/12/2017");
    s.Stipendio = QStringLiteral("1250,50");
    s.Prestazioni = prestazioni;
    s.Rescisso = QStringLiteral("No");
    return s;
}

const QString Vuoto;

// What the result screen showed, read while it was open.
struct Riepilogo
{
    bool aperto = false;
    QStringList righe;
    QList<int> posizioni;
    QString totale, tipologia, intervallo;
};

} // namespace

class TestRiepilogo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void daMenuPrincipale();
    void tastiEFuoco();
    void controlli_data();
    void controlli();
    void intervallo_data();
    void intervallo();
    void prestazioni();
    void annoSenzaArchivio();
    void archivioInaccessibile();
    void cartellaInSolaLettura();
    void trovaSenzaInvio();
    void rigaIntera();
    void guida();
    void stampaVuota();
    void stampaPdf();

private:
    void archivia(const QList<TSchedaContratto> &schede, int anno = 2017);
    void scegli(const QString &gInizio, const QString &mInizio, const QString &gFine, const QString &mFine);
    // Presses "Visualizza riepilogo"; `durante` works on the result screen while it is open.
    Riepilogo visualizza(const std::function<void(TfrmRiepilogo *)> &durante = {});

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmMenuRiepilogo *m_menu = nullptr;
};

void TestRiepilogo::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
    m_menu = Schermi::di<TfrmMenuRiepilogo>();
    QVERIFY(m_menu);
    m_menu->show();
}

void TestRiepilogo::cleanup()
{
    guasti::negaScrittura(false);
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

void TestRiepilogo::archivia(const QList<TSchedaContratto> &schede, int anno)
{
    ArchivioContratti a(cartellaProgramma().archivioContratti(anno));
    a.apri();
    for (const TSchedaContratto &s : schede)
        a.accoda(s);
    a.chiudi();
}

void TestRiepilogo::scegli(const QString &gInizio, const QString &mInizio, const QString &gFine, const QString &mFine)
{
    m_menu->txtGiornoInizio->setCurrentIndex(m_menu->txtGiornoInizio->findText(gInizio));
    m_menu->txtMeseInizio->setCurrentIndex(m_menu->txtMeseInizio->findText(mInizio));
    m_menu->txtGiornoFine->setCurrentIndex(m_menu->txtGiornoFine->findText(gFine));
    m_menu->txtMeseFine->setCurrentIndex(m_menu->txtMeseFine->findText(mFine));
}

Riepilogo TestRiepilogo::visualizza(const std::function<void(TfrmRiepilogo *)> &durante)
{
    Riepilogo r;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *w = qobject_cast<TfrmRiepilogo *>(d);
        if (!w)
            return 0;
        w->show();
        r.aperto = true;
        r.righe = w->righe();
        for (int i = 0; i < w->lstRecords->count(); ++i)
            r.posizioni << w->posizioneVoce(i);
        r.totale = w->lblTotCosti->text();
        r.tipologia = w->titTipologia->text();
        r.intervallo = w->lblIntervallo->text();
        if (durante)
            durante(w);
        w->btnEsciClick();
        // Closing empties the list and takes the please-wait notice away.
        if (w->lstRecords->count() != 0 || m_menu->lblAttendere->isVisible())
            r.aperto = false;
        return 0;
    });
    QTest::mouseClick(m_menu->btnVisualizza, Qt::LeftButton);
    return r;
}

void TestRiepilogo::daMenuPrincipale()
{
    auto *avvio = Schermi::di<TfrmAvvio>();
    m_menu->hide();
    avvio->show();
    m_menu->txtTipologia->setText(QStringLiteral("consulenza"));
    m_menu->txtAnno->setText(QStringLiteral("2009"));
    m_menu->txtGiornoInizio->setCurrentIndex(4);
    QTest::mouseClick(avvio->btnRiepilogo, Qt::LeftButton);
    QVERIFY(m_menu->isVisible());
    QVERIFY(!avvio->isVisible());
    QCOMPARE(m_menu->windowTitle(), QStringLiteral(" Quadrivela - Riepilogo Contratti"));
    // The year and the interval start again from the clock's year; the service stays.
    QCOMPARE(m_menu->txtAnno->text(), QStringLiteral("2017"));
    QCOMPARE(m_menu->lblAnnoInizio->text(), QStringLiteral("2017"));
    QCOMPARE(m_menu->lblAnnoFine->text(), QStringLiteral("2017"));
    for (QComboBox *c : {m_menu->txtGiornoInizio, m_menu->txtMeseInizio, m_menu->txtGiornoFine, m_menu->txtMeseFine}) {
        QCOMPARE(c->currentIndex(), -1);
        QVERIFY(c->currentText().isEmpty());
    }
    QCOMPARE(m_menu->txtTipologia->text(), QStringLiteral("consulenza"));
    QCOMPARE(m_menu->focusWidget(), m_menu->txtTipologia);

    // Leaving, by "Esci" or by the title bar, shows the main menu again.
    QTest::mouseClick(m_menu->btnEsci, Qt::LeftButton);
    QVERIFY(avvio->isVisible());
    QVERIFY(!m_menu->isVisible());
    avvio->imgRiepilogoClick();
    QVERIFY(m_menu->isVisible());
    m_menu->close();
    QVERIFY(avvio->isVisible());
    QVERIFY(!m_menu->isVisible());
    QCOMPARE(m_servizi->terminazioni, 0);
}

void TestRiepilogo::tastiEFuoco()
{
    QApplication::setActiveWindow(m_menu);
    QVERIFY(QTest::qWaitForWindowActive(m_menu));
    auto segno = [&](const char *nome) { return m_menu->findChild<QWidget *>(QLatin1String(nome))->isVisible(); };

    // The year takes digits only, and is the year of both ends of the interval.
    m_menu->txtAnno->setFocus();
    QVERIFY(segno("effAnno"));
    m_menu->txtAnno->clear();
    QTest::keyClicks(m_menu->txtAnno, QStringLiteral("2a0 1-6x7"));
    QCOMPARE(m_menu->txtAnno->text(), QStringLiteral("2016"));
    QCOMPARE(m_menu->lblAnnoInizio->text(), QStringLiteral("2016"));
    QCOMPARE(m_menu->lblAnnoFine->text(), QStringLiteral("2016"));

    // Enter walks the fields in their order, each showing its mark alone.
    const char *catena[][2] = {{"txtAnno", "effAnno"},
                               {"txtTipologia", "effTipologia"},
                               {"txtGiornoInizio", "effGiornoInizio"},
                               {"txtMeseInizio", "effMeseInizio"},
                               {"txtGiornoFine", "effGiornoFine"},
                               {"txtMeseFine", "effMeseFine"}};
    for (const auto &passo : catena) {
        QWidget *campo = m_menu->findChild<QWidget *>(QLatin1String(passo[0]));
        QCOMPARE(m_menu->focusWidget(), campo);
        for (const auto &altro : catena)
            QCOMPARE(segno(altro[1]), &altro == &passo);
        if (auto *tendina = qobject_cast<QComboBox *>(campo)) {
            // The day and month come from the list: typed keys are discarded.
            QTest::keyClicks(tendina, QStringLiteral("1g"));
            QTest::keyClick(tendina, Qt::Key_Down);
            QTest::keyClick(tendina, Qt::Key_Delete);
            QCOMPARE(tendina->currentIndex(), -1);
        }
        QTest::keyClick(campo, Qt::Key_Return);
    }
    QCOMPARE(m_menu->focusWidget(), m_menu->btnVisualizza);
    QVERIFY(!segno("effMeseFine"));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestRiepilogo::controlli_data()
{
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QStringList>("intervallo"); // day and month of the start, day and month of the end
    QTest::addColumn<int>("genere");             // -1: no message, the summary opens
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");          // where the focus goes

    const QStringList marzo = {"01", "Marzo", "31", "Marzo"};
    const int avviso = int(MessaggioMostrato::Genere::Avviso), semplice = int(MessaggioMostrato::Genere::Semplice);
    const QString validita = QStringLiteral("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");

    QTest::newRow("anno di tre cifre") << "201" << marzo << avviso
                                       << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
    QTest::newRow("anno vuoto, intervallo vuoto") << "" << QStringList{"", "", "", ""} << avviso
                                                  << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
    QTest::newRow("giorno di inizio") << "2017" << QStringList{"", "Marzo", "31", "Marzo"} << avviso
        << "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata." << "txtGiornoInizio";
    QTest::newRow("mese di inizio") << "2017" << QStringList{"01", "", "", ""} << avviso
        << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata." << "txtMeseInizio";
    QTest::newRow("giorno di fine") << "2017" << QStringList{"01", "Marzo", "", ""} << avviso
        << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata." << "txtGiornoFine";
    QTest::newRow("mese di fine") << "2017" << QStringList{"01", "Marzo", "31", ""} << avviso
        << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata." << "txtMeseFine";
    QTest::newRow("31 Febbraio") << "2017" << QStringList{"31", "Febbraio", "31", "Marzo"} << semplice
        << "Attenzione: la data 31/02/2017 di inizio intervallo non esiste." + validita << "txtGiornoInizio";
    QTest::newRow("31 Aprile") << "2017" << QStringList{"31", "Aprile", "31", "Maggio"} << semplice
        << "Attenzione: la data 31/04/2017 di inizio intervallo non esiste." + validita << "txtGiornoInizio";
    QTest::newRow("29 Febbraio, anno non bisestile") << "2017" << QStringList{"01", "Febbraio", "29", "Febbraio"} << semplice
        << "Attenzione: la data 29/02/2017 di fine intervallo non esiste." + validita << "txtGiornoFine";
    QTest::newRow("29 Febbraio, anno bisestile") << "2016" << QStringList{"01", "Febbraio", "29", "Febbraio"} << -1
                                                 << "" << "";
    QTest::newRow("anno zero") << "0000" << marzo << semplice
        << "Attenzione: la data 01/03/0000 di inizio intervallo non esiste." + validita << "txtGiornoInizio";
    QTest::newRow("fine prima dell'inizio") << "2017" << QStringList{"10", "Marzo", "09", "Marzo"} << semplice
        << "Attenzione: la data di fine intervallo (09/03/2017) non può essere anteriore a quella di inizio "
           "intervallo (10/03/2017).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
           "intervallo di tempo valido."
        << "btnVisualizza"; // the focus stays on the button clicked
    QTest::newRow("date uguali") << "2017" << QStringList{"15", "Marzo", "15", "Marzo"} << -1 << "" << "";
}

void TestRiepilogo::controlli()
{
    QFETCH(QString, anno);
    QFETCH(QStringList, intervallo);
    QFETCH(int, genere);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);

    m_menu->txtAnno->setText(anno);
    scegli(intervallo.at(0), intervallo.at(1), intervallo.at(2), intervallo.at(3));
    m_menu->txtTipologia->setFocus();
    const Riepilogo r = visualizza();
    QVERIFY(!m_menu->lblAttendere->isVisible());
    if (genere < 0) {
        QVERIFY(r.aperto);
        QVERIFY(m_servizi->messaggi.isEmpty());
        QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{"TfrmRiepilogo"});
        return;
    }
    QVERIFY(!r.aperto);
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(int(m_servizi->messaggi.at(0).genere), genere);
    QCOMPARE(m_servizi->messaggi.at(0).testo, messaggio);
    QCOMPARE(m_menu->focusWidget()->objectName(), fuoco);
    // No year file is made for a summary that was not shown.
    QVERIFY(!QDir(m_dir->path()).entryList({QStringLiteral("*.con")}).size());
}

void TestRiepilogo::intervallo_data()
{
    QTest::addColumn<QStringList>("intervallo");
    QTest::addColumn<QList<int>>("posizioni");
    QTest::addColumn<QString>("testoIntervallo");
    // Card 2 is signed in another year, card 4 has a date that does not exist and
    // card 6 has none: neither stops the cards after them from being listed.
    QTest::newRow("marzo, estremi inclusi") << QStringList{"01", "Marzo", "31", "Marzo"} << QList<int>{3, 5, 7, 9}
                                            << "Dal   01/03/2017   al   31/03/2017";
    QTest::newRow("un giorno") << QStringList{"15", "Marzo", "15", "Marzo"} << QList<int>{5}
                               << "Dal   15/03/2017   al   15/03/2017";
    QTest::newRow("tutto l'anno") << QStringList{"01", "Gennaio", "31", "Dicembre"} << QList<int>{1, 3, 5, 7, 8, 9}
                                  << "Dal   01/01/2017   al   31/12/2017";
    QTest::newRow("dal giorno dopo") << QStringList{"02", "Marzo", "30", "Marzo"} << QList<int>{5, 9}
                                     << "Dal   02/03/2017   al   30/03/2017";
    QTest::newRow("nessuno") << QStringList{"01", "Giugno", "30", "Novembre"} << QList<int>{}
                             << "Dal   01/06/2017   al   30/11/2017";
}

void TestRiepilogo::intervallo()
{
    QFETCH(QStringList, intervallo);
    QFETCH(QList<int>, posizioni);
    QFETCH(QString, testoIntervallo);
    const QList<TSchedaContratto> schede = {
        contratto("28/02/2017", "Alfa Ada"),   contratto("15/03/2016", "Beta Bice"),
        contratto("01/03/2017", "Gamma Gino"), contratto("31/02/2017", "Delta Dora"),
        contratto("15/03/2017", "Epsilon Elio"), contratto("", "Zeta Zoe"),
        contratto("31/03/2017", "Eta Ezio"),   contratto("1/4/2017", "Theta Tea"),
        contratto(" 20/03/2017 ", "Iota Ivo"),
    };
    archivia(schede);
    scegli(intervallo.at(0), intervallo.at(1), intervallo.at(2), intervallo.at(3));
    const Riepilogo r = visualizza();
    QVERIFY(r.aperto);
    QCOMPARE(r.posizioni, posizioni);
    QStringList attese;
    for (int p : posizioni)
        attese << rigaContratto(schede.at(p - 1));
    QCOMPARE(r.righe, attese);
    // The total is the number of contracts listed.
    QCOMPARE(r.totale, QString::number(posizioni.size()));
    QCOMPARE(r.tipologia, QStringLiteral("Tutte"));
    QCOMPARE(r.intervallo, testoIntervallo);
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestRiepilogo::prestazioni()
{
    TSchedaContratto motivo = contratto("02/03/2017", "Motivo Mara", "Pulizie");
    motivo.Motivo = QStringLiteral("informatica");
    motivo.Note = QStringLiteral("informatica");
    archivia({contratto("01/03/2017", "Rossi Mario", "CONSULENZA INFORMATICA"), motivo,
              contratto("03/03/2017", "Verdi Luca", "Sviluppo informatico"),
              contratto("04/04/2017", "Neri Ugo", "consulenza informatica"),
              contratto("05/03/2017", "Bruni Ida", "ASSISTENZA ATTIVITÀ")});
    scegli("01", "Marzo", "31", "Marzo");

    // Capitals A-Z are found by small letters; a leading blank counts; the
    // services are the only field searched; the interval still applies.
    m_menu->txtTipologia->setText(QStringLiteral(" informatica"));
    Riepilogo r = visualizza();
    QCOMPARE(r.posizioni, QList<int>{1});
    QCOMPARE(r.totale, QStringLiteral("1"));
    QCOMPARE(r.tipologia, QStringLiteral("informatica"));

    m_menu->txtTipologia->setText(QStringLiteral("INFORMATIC"));
    QCOMPARE(visualizza().posizioni, (QList<int>{1, 3}));
    // An accented small letter does not find its capital.
    m_menu->txtTipologia->setText(QStringLiteral("attività"));
    r = visualizza();
    QVERIFY(r.posizioni.isEmpty());
    QCOMPARE(r.totale, QStringLiteral("0"));
    QCOMPARE(r.tipologia, QStringLiteral("attività"));
    // Blanks only: every service.
    m_menu->txtTipologia->setText(QStringLiteral("   "));
    r = visualizza();
    QCOMPARE(r.posizioni, (QList<int>{1, 2, 3, 5}));
    QCOMPARE(r.tipologia, QStringLiteral("Tutte"));
}

void TestRiepilogo::annoSenzaArchivio()
{
    m_menu->txtAnno->setText(QStringLiteral("2019"));
    scegli("01", "Gennaio", "31", "Dicembre");
    const Riepilogo r = visualizza();
    QVERIFY(r.aperto);
    QVERIFY(r.righe.isEmpty());
    QCOMPARE(r.totale, QStringLiteral("0"));
    QCOMPARE(r.tipologia, QStringLiteral("- - -"));
    QCOMPARE(m_menu->lblFile->text(), m_dir->filePath(QStringLiteral("2019.con")));
    QVERIFY(QFileInfo::exists(m_dir->filePath(QStringLiteral("2019.con"))));
    QCOMPARE(QFileInfo(m_dir->filePath(QStringLiteral("2019.con"))).size(), 0);
}

void TestRiepilogo::archivioInaccessibile()
{
    // A folder where the year file should be: it cannot be opened as a file.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("2017.con")));
    scegli("01", "Gennaio", "31", "Dicembre");
    const Riepilogo r = visualizza();
    QVERIFY(!r.aperto);
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    QCOMPARE(m_servizi->testi(), QStringList{"Attenzione: il file di archivio non risulta accessibile."});
    QVERIFY(!m_menu->lblAttendere->isVisible());
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("2017.con"))).isDir());
}

// A folder that can only be read: the summary lists and totals the year as
// anywhere else; a year without a file is an empty summary, and no file is made.
void TestRiepilogo::cartellaInSolaLettura()
{
    archivia({contratto("01/03/2017", "Rossi Mario"), contratto("02/04/2017", "Bianchi Anna"),
              contratto("03/03/2017", "Rossi Carla")});
    const QByteArray prima = prova::leggiFile(cartellaProgramma().archivioContratti(2017));
    guasti::negaScrittura(true);
    scegli("01", "Marzo", "31", "Marzo");
    Riepilogo r = visualizza();
    QVERIFY(r.aperto);
    QCOMPARE(r.posizioni, (QList<int>{1, 3}));
    QCOMPARE(r.totale, QStringLiteral("2"));

    m_menu->txtAnno->setText(QStringLiteral("2019"));
    r = visualizza();
    QVERIFY(r.aperto);
    QVERIFY(r.righe.isEmpty());
    QCOMPARE(r.totale, QStringLiteral("0"));
    QVERIFY(m_servizi->messaggi.isEmpty());
    QVERIFY(!QFileInfo::exists(cartellaProgramma().archivioContratti(2019)));
    QCOMPARE(prova::leggiFile(cartellaProgramma().archivioContratti(2017)), prima);
}

void TestRiepilogo::trovaSenzaInvio()
{
    archivia({contratto("01/03/2017", "Rossi Mario"), contratto("02/03/2017", "Bianchi Anna"),
              contratto("03/03/2017", "Rossi Carla")});
    scegli("01", "Marzo", "31", "Marzo");
    QList<int> selezioni;
    QString fuocoDopoInvio;
    visualizza([&](TfrmRiepilogo *w) {
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->focusWidget(), w->txtTrova);
        QCOMPARE(w->lstRecords->currentRow(), -1);
        QTest::keyClicks(w->txtTrova, QStringLiteral("rossi"));
        // Enter in the find box neither finds nor moves on.
        QTest::keyClick(w->txtTrova, Qt::Key_Return);
        fuocoDopoInvio = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        selezioni << w->lstRecords->currentRow();
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(w->btnTrova, Qt::LeftButton);
            selezioni << w->lstRecords->currentRow();
        }
        QVERIFY(w->isVisible());
    });
    QCOMPARE(fuocoDopoInvio, QStringLiteral("txtTrova"));
    QCOMPARE(selezioni, (QList<int>{-1, 0, 2, 0}));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestRiepilogo::rigaIntera()
{
    // The longest line, whose fee lies beyond 1400 pixels, can be scrolled to its end.
    TSchedaContratto lungo = contratto("01/03/2017", "Bartolomeo Sebastiano Fortunato Amadeus");
    lungo.Recapito = QStringLiteral("+39 06 1234567 interno 89");
    lungo.Stipendio = QStringLiteral("123456789,00");
    archivia({contratto("02/03/2017", "Rossi Mario"), lungo});
    scegli("01", "Marzo", "31", "Marzo");
    int visibile = 0, necessaria = 0;
    visualizza([&](TfrmRiepilogo *w) {
        w->resize(1100, 760);
        QCoreApplication::processEvents();
        const QString riga = w->righe().at(1);
        QVERIFY(riga.endsWith(QStringLiteral("Rata: € 123.456.789,00")));
        necessaria = w->lstRecords->fontMetrics().horizontalAdvance(riga);
        visibile = w->lstRecords->horizontalScrollBar()->maximum() + w->lstRecords->viewport()->width();
    });
    QVERIFY(necessaria > 1400);
    QVERIFY2(visibile >= necessaria, qPrintable(QStringLiteral("%1 < %2").arg(visibile).arg(necessaria)));
}

void TestRiepilogo::guida()
{
    archivia({contratto("01/03/2017", "Rossi Mario")});
    scegli("01", "Marzo", "31", "Marzo");
    QString titolo, testo;
    visualizza([&](TfrmRiepilogo *w) {
        m_servizi->quandoDialogo([&](QDialog *d) {
            auto *g = qobject_cast<TfrmGuida *>(d);
            titolo = g->lblTitolo->text();
            testo = g->txtGuida->toPlainText();
            return 0;
        });
        QTest::mouseClick(w->imgGuida, Qt::LeftButton);
    });
    QCOMPARE(titolo, QStringLiteral("Riepilogo Contratti."));
    const QStringList paragrafi = testo.split(QStringLiteral("\n\n"));
    QCOMPARE(paragrafi.size(), 4);
    QCOMPARE(paragrafi.at(1),
             QStringLiteral("A tal fine è sufficiente indicare l'anno solare di interesse e il tipo di prestazioni. "
                            "Quest'ultimo può eventualmente essere omesso se si desidera ottenere il riepilogo dei "
                            "contratti a prescindere dalle prestazioni svolte. Bisogna quindi specificare "
                            "l'intervallo di tempo relativo al periodo da riepilogare e, infine, premere il pulsante "
                            "Visualizza riepilogo."));
    QCOMPARE(paragrafi.at(3), QStringLiteral("Il riepilogo dei contratti può essere stampato su carta facendo clic "
                                             "sull'apposito pulsante."));
    QCOMPARE(testoGuida(paragrafiGuidaRiepilogo()).count(QStringLiteral("\r\n\r\n")), 3);
}

void TestRiepilogo::stampaVuota()
{
    archivia({contratto("01/03/2017", "Rossi Mario")});
    scegli("01", "Aprile", "30", "Aprile");
    visualizza([&](TfrmRiepilogo *w) {
        QTest::mouseClick(w->btnStampa, Qt::LeftButton);
        QVERIFY(w->isVisible());
    });
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi.at(0).genere, MessaggioMostrato::Genere::Avviso);
    QCOMPARE(m_servizi->messaggi.at(0).testo,
             QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
    QCOMPARE(m_servizi->dialoghiStampa, 0);
}

void TestRiepilogo::stampaPdf()
{
    TSchedaContratto lungo = contratto("02/03/2017", "Bartolomeo Sebastiano Fortunato Amadeus", "Consulenza legale");
    archivia({contratto("01/03/2017", "Rossi Mario", "Consulenza fiscale"), lungo,
              contratto("05/05/2017", "Fuori Intervallo", "Consulenza")});
    scegli("01", "Marzo", "31", "Marzo");
    m_menu->txtTipologia->setText(QStringLiteral("consulenza "));
    const QString pdf = m_dir->filePath(QStringLiteral("riepilogo.pdf"));
    QString titolo;
    QStringList stampate;
    visualizza([&](TfrmRiepilogo *w) {
        w->stampante.setOutputFormat(QPrinter::PdfFormat);
        w->stampante.setOutputFileName(pdf);
        // "No" to the question prints nothing.
        m_servizi->rispondi(false);
        QTest::mouseClick(w->btnStampa, Qt::LeftButton);
        QCOMPARE(m_servizi->dialoghiStampa, 0);
        QVERIFY(!QFileInfo::exists(pdf));
        m_servizi->rispondi(true);
        QTest::mouseClick(w->btnStampa, Qt::LeftButton);
        titolo = w->titoloRiepilogo();
        stampate = w->righeStampate();
    });
    QCOMPARE(m_servizi->testi(), (QStringList{"Si vuole stampare il presente riepilogo?",
                                              "Si vuole stampare il presente riepilogo?"}));
    QCOMPARE(m_servizi->dialoghiStampa, 1);
    QCOMPARE(titolo, QStringLiteral("Riepilogo contratti - Prestazioni: consulenza"));
    QCOMPARE(stampate.mid(2), (QStringList{"- - - - - - - - - - - - - - - -",
                                           "INTERVALLO SELEZIONATO:    Dal   01/03/2017   al   31/03/2017",
                                           "TOTALE CONTRATTI:  2"}));
    QVERIFY(QFileInfo(pdf).size() > 0);

    const QString testo = prova::testoPdf(pdf);
    if (testo.isEmpty())
        QSKIP("pdftotext is not installed");
    // Read back in order: title, the lines (the long name cut at 30 characters), the three closing lines, the footer.
    const QStringList attesi = {
        "Riepilogo contratti - Prestazioni: consulenza",
        "Data stipula: 01/03/2017 Rossi Mario C.F. RSSMRA70A01H501U Tel. 06 1234567 Da: 01/04/2017 A: 31/12/2017 Rata: € 1.250,50",
        "Data stipula: 02/03/2017 Bartolomeo Sebastiano Fortunat C.F. RSSMRA70A01H501U",
        "- - - - - - - - - - - - - - - -",
        "INTERVALLO SELEZIONATO: Dal 01/03/2017 al 31/03/2017",
        "TOTALE CONTRATTI: 2",
        "Stampa eseguita in data 15/03/2017",
    };
    const QString semplice = testo.simplified();
    qsizetype da = 0;
    for (const QString &a : attesi) {
        const qsizetype i = semplice.indexOf(a, da);
        QVERIFY2(i >= 0, qPrintable(QStringLiteral("non trovato dopo la posizione %1: %2").arg(da).arg(a)));
        da = i + a.size();
    }
    QVERIFY(!semplice.contains(QStringLiteral("Fuori Intervallo")));
}

QTEST_MAIN(TestRiepilogo)
#include "tst_frmriepilogo.moc"
