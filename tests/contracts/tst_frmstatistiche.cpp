#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "contracts/frmmenucontratti.h"
#include "chart/stampagrafico.h"
#include "chart/vistagrafico.h"
#include "contracts/frmstatistiche.h"
#include "storage/archivio.h"
#include "storage/contrattimese.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const QStringList kMesi = {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno",
                           "Luglio", "Agosto", "Settembre", "Ottobre", "Novembre", "Dicembre"};
const QList<QRgb> kColori = {0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF, 0xFFC0DCC0, 0xFFFFFF00,
                             0xFF00FF00, 0xFFC0C0C0, 0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};

// A year file with one card per signing date, plus a few stray bytes.
void scriviArchivio(const QString &percorso, const QStringList &date)
{
    ArchivioContratti a(percorso);
    a.apri();
    for (const QString &d : date) {
        TSchedaContratto s;
        s.DataStipula = d;
        s.Dipendente = QStringLiteral("ROSSI MARIO");
        s.DataInizio = QStringLiteral("01/01/2017"); // only the signing date counts
        a.accoda(s);
    }
    a.chiudi();
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::Append));
    f.write("09/09/2017");
}

// The text of a PDF, pages separated by form feeds; empty without pdftotext.
QString testoPdf(const QString &percorso)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QString();
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QList<double> valori(const SerieGrafico &s)
{
    QList<double> out;
    for (const PuntoGrafico &p : s.punti)
        out << p.valore;
    return out;
}

} // namespace

class TestStatistiche : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { guasti::negaScrittura(false); }
    void cleanupTestCase() { Schermi::distruggiTutti(); }
    void meseStipula_data();
    void meseStipula();
    void conteggio();
    void annoSenzaArchivio();
    void annoNonValido_data();
    void annoNonValido();
    void archivioInaccessibile();
    void cartellaInSolaLettura();
    void tastiAnno();
    void tipoSopravviveAllUscita();
    void uscitaAlMenuPrincipale();
    void dalMenuContratti();
    void suggerimenti();
    void guida();
    void copie_data();
    void copie();
    void stampa_data();
    void stampa();
    void stampaInterrotta_data();
    void stampaInterrotta();
    void stampaFallita();

private:
    TfrmStatistiche *apri(const QString &anno);

    ServiziProva m_servizi;
    QTemporaryDir m_dir;
    TfrmStatistiche *m_s = nullptr;
};

void TestStatistiche::initTestCase()
{
    impostaCartellaProgramma(m_dir.path());
    Schermi::creaTutti();
    m_s = Schermi::di<TfrmStatistiche>();
    QVERIFY(m_s);
}

void TestStatistiche::init()
{
    m_servizi.azzera();
    m_servizi.nelDialogoStampa = nullptr;
    m_s->hide();
    m_s->show();
}

TfrmStatistiche *TestStatistiche::apri(const QString &anno)
{
    m_s->txtAnno->setText(anno);
    m_s->btnApri->click();
    return m_s;
}

void TestStatistiche::meseStipula_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("mese");
    QTest::newRow("marzo") << "15/03/2017" << 3;
    QTest::newRow("primo dell'anno") << "01/01/2017" << 1;
    QTest::newRow("ultimo dell'anno") << "31/12/2017" << 12;
    QTest::newRow("altro anno") << "15/03/2016" << 0;
    QTest::newRow("senza zeri") << "1/3/2017" << 0;
    QTest::newRow("mese 13") << "15/13/2017" << 0;
    QTest::newRow("mese 00") << "15/00/2017" << 0;
    QTest::newRow("vuota") << "" << 0;
    QTest::newRow("anno corto") << "15/03/17" << 0;
    QTest::newRow("spazi intorno") << "  20/09/2017 " << 9;
    // Only the positions are read: the separators and the day are not looked at.
    QTest::newRow("trattini") << "15-03-2017" << 3;
    QTest::newRow("mese con spazio") << "15/ 3/2017" << 0;
}

void TestStatistiche::meseStipula()
{
    QFETCH(QString, data);
    QFETCH(int, mese);
    QCOMPARE(qv::meseStipula(data, QStringLiteral("2017")), mese);
}

// The count of a small year file: cards of other years and malformed dates
// are not counted; the twelve points carry their labels, colours and counts.
void TestStatistiche::conteggio()
{
    const QString file = m_dir.filePath(QStringLiteral("2017.con"));
    scriviArchivio(file, {"15/03/2017", "02/03/2017", "01/01/2017", "31/12/2017", "15/03/2016", "1/3/2017",
                          "15/13/2017", "", "20/09/2017", "05/11/2018", "28/02/2017"});
    QCOMPARE(m_s->txtAnno->text(), QStringLiteral("2017")); // the services' clock says 2017
    QVERIFY(m_s->panAvvio->isVisible());
    QVERIFY(!m_s->panContainer->isVisible());
    apri(QStringLiteral("2017"));

    QVERIFY(m_servizi.messaggi.isEmpty());
    QVERIFY(!m_s->panAvvio->isVisible());
    QVERIFY(m_s->panContainer->isVisible());
    QCOMPARE(m_s->lblFile->text(), QDir(m_dir.path()).filePath(QStringLiteral("2017.con")));
    QCOMPARE(m_s->lblTitolo->text(), QStringLiteral("Rappresentazione grafica dei contratti registrati nell'anno 2017."));
    // The title keeps one line, the year with it: at its own size where it fits, smaller where not.
    QVERIFY(!m_s->lblTitolo->wordWrap());
    QVERIFY(m_s->lblTitolo->font().pointSizeF() <= 20 && m_s->lblTitolo->font().pointSizeF() >= 8);
    QVERIFY(m_s->lblTitolo->font().bold());
    QVERIFY(QFontMetrics(m_s->lblTitolo->font()).horizontalAdvance(m_s->lblTitolo->text())
            <= m_s->lblTitolo->contentsRect().width());
    const QList<double> attesi = {1, 1, 2, 0, 0, 0, 0, 0, 1, 0, 0, 1};
    QCOMPARE(valori(m_s->Series1()), attesi);
    const QList<QLabel *> etichette = {m_s->memGennaio, m_s->memFebbraio, m_s->memMarzo, m_s->memAprile,
                                       m_s->memMaggio, m_s->memGiugno, m_s->memLuglio, m_s->memAgosto,
                                       m_s->memSettembre, m_s->memOttobre, m_s->memNovembre, m_s->memDicembre};
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(etichette[i]->text(), QString::number(attesi[i]));
        QCOMPARE(etichette[i]->objectName(), QStringLiteral("mem") + kMesi[i]);
        QCOMPARE(m_s->Series1().punti[i].etichetta, kMesi[i]);
        QCOMPARE(m_s->Series1().punti[i].colore.rgba(), kColori[i]);
    }
    const Grafico &g = m_s->ChartStats->grafico();
    QCOMPARE(g.titolo, QStringLiteral("Statistiche contratti registrati"));
    QCOMPARE(g.coloreTitolo.rgba(), QRgb(0xFFD04498));
    QCOMPARE(g.piede, QStringLiteral("Le statistiche si basano sui contratti registrati in ciascun mese dell'anno."));
    QCOMPARE(g.colorePiede.rgba(), QRgb(0xFF7294F9));
    QCOMPARE(g.titoloLegenda, QStringLiteral("Contratti:"));
    QVERIFY(g.segniVisibili && g.tridimensionale);
    // Counting only reads: the file keeps its bytes.
    QCOMPARE(QFileInfo(file).size(), 11 * TSchedaContratto::Dimensione + 10);

    // Another year of the same folder counts its own file.
    m_s->hide();
    m_s->show();
    scriviArchivio(m_dir.filePath(QStringLiteral("2018.con")), {"05/11/2018"});
    apri(QStringLiteral("2018"));
    QCOMPARE(valori(m_s->Series1()), (QList<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
}

// A year that was never opened gets its file, empty, and twelve zeros.
void TestStatistiche::annoSenzaArchivio()
{
    const QString file = m_dir.filePath(QStringLiteral("1999.con"));
    QVERIFY(!QFileInfo::exists(file));
    apri(QStringLiteral("1999"));
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(QFileInfo(file).size(), 0);
    QCOMPARE(valori(m_s->Series1()), QList<double>(12, 0));
    QCOMPARE(m_s->memDicembre->text(), QStringLiteral("0"));
    QVERIFY(m_s->panContainer->isVisible());
    m_s->ChartStats->repaint(); // an empty year draws
}

void TestStatistiche::annoNonValido_data()
{
    QTest::addColumn<QString>("anno");
    QTest::newRow("vuoto") << "";
    QTest::newRow("tre cifre") << "201";
}

void TestStatistiche::annoNonValido()
{
    QFETCH(QString, anno);
    const QStringList prima = prova::contenuto(m_dir.path());
    apri(anno);
    QCOMPARE(m_servizi.testi(), QStringList{TfrmStatistiche::MsgAnno});
    QCOMPARE(m_servizi.messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
    QVERIFY(m_s->panAvvio->isVisible());
    QVERIFY(!m_s->panContainer->isVisible());
    QCOMPARE(prova::contenuto(m_dir.path()), prima);
}

// An archive that cannot be read is reported; the year panel stays.
void TestStatistiche::archivioInaccessibile()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("2005.con")));
    apri(QStringLiteral("2005"));
    QCOMPARE(m_servizi.testi(), QStringList{MsgArchivioInaccessibile});
    QVERIFY(m_s->panAvvio->isVisible());
    QVERIFY(!m_s->panContainer->isVisible());
    QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("2005.con"))).isDir());
}

// A folder that can only be read: a year file is counted as anywhere else,
// and a year without one counts twelve zeros without a word and without a file.
void TestStatistiche::cartellaInSolaLettura()
{
    const QString file = m_dir.filePath(QStringLiteral("2014.con"));
    scriviArchivio(file, {"15/03/2014", "02/03/2014", "20/09/2014"});
    const QByteArray prima = prova::leggiFile(file);
    guasti::negaScrittura(true);
    apri(QStringLiteral("2014"));
    QCOMPARE(valori(m_s->Series1()), (QList<double>{0, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    QVERIFY(m_s->panContainer->isVisible());

    m_s->hide();
    m_s->show();
    apri(QStringLiteral("2013"));
    QCOMPARE(valori(m_s->Series1()), QList<double>(12, 0));
    QVERIFY(m_s->panContainer->isVisible());
    QVERIFY(m_servizi.messaggi.isEmpty());
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("2013.con"))));
    QCOMPARE(prova::leggiFile(file), prima);
}

// Only digits reach the year, by keys or by pasting; Enter moves to "Apri".
void TestStatistiche::tastiAnno()
{
    QApplication::setActiveWindow(m_s);
    QVERIFY(QTest::qWaitForWindowActive(m_s));
    m_s->txtAnno->clear();
    m_s->txtAnno->setFocus();
    QTest::keyClicks(m_s->txtAnno, QStringLiteral("2a0-1 7"));
    QCOMPARE(m_s->txtAnno->text(), QStringLiteral("2017"));
    QTest::keyClick(m_s->txtAnno, Qt::Key_Backspace);
    QCOMPARE(m_s->txtAnno->text(), QStringLiteral("201"));
    m_s->txtAnno->clear();
    m_s->txtAnno->insert(QStringLiteral("20x8"));
    QCOMPARE(m_s->txtAnno->text(), QString());
    QCOMPARE(m_s->txtAnno->maxLength(), 4);
    QCOMPARE(QApplication::focusWidget(), m_s->txtAnno);
    QTest::keyClick(m_s->txtAnno, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_s->btnApri);
    QVERIFY(m_servizi.messaggi.isEmpty()); // Enter only moved
    // Enter on the focused "Apri" presses it: the short year is refused.
    QTest::keyClick(m_s->btnApri, Qt::Key_Return);
    QCOMPARE(m_servizi.testi(), QStringList{TfrmStatistiche::MsgAnno});
    QCOMPARE(QApplication::focusWidget(), m_s->txtAnno);
}

// The pie chosen before leaving is still the kind when the screen comes back;
// the counts are not.
void TestStatistiche::tipoSopravviveAllUscita()
{
    apri(QStringLiteral("2017"));
    m_s->btnTorta->click();
    QCOMPARE(m_s->Series1().tipo, TipoGrafico::Torta);
    QCOMPARE(m_s->Series1().punti.size(), 12); // switching keeps the points
    m_s->btnEsci->click();
    QVERIFY(!m_s->isVisible());
    m_s->show();
    QVERIFY(m_s->Series1().punti.isEmpty());
    QVERIFY(m_s->panAvvio->isVisible());
    QCOMPARE(m_s->Series1().tipo, TipoGrafico::Torta);
    apri(QStringLiteral("2018"));
    QCOMPARE(m_s->Series1().tipo, TipoGrafico::Torta);
    QCOMPARE(m_s->Series1().punti[10].valore, 1.0);
    m_s->btnBarre->click();
    QCOMPARE(m_s->Series1().tipo, TipoGrafico::Barre);
    QCOMPARE(m_s->Series1().punti[10].valore, 1.0);
}

// Leaving the screen, by its button, its picture or the window, shows the main menu.
void TestStatistiche::uscitaAlMenuPrincipale()
{
    auto *menu = Schermi::di<TfrmAvvio>();
    for (int modo = 0; modo < 3; ++modo) {
        menu->hide();
        m_s->show();
        if (modo == 0) {
            apri(QStringLiteral("2017"));
            m_s->btnEsci->click();
        } else if (modo == 1) {
            QTest::mouseClick(m_s->imgEsci, Qt::LeftButton);
        } else {
            m_s->close();
        }
        QVERIFY(menu->isVisible());
        QVERIFY(!m_s->isVisible());
    }
    QCOMPARE(m_s->windowTitle(), QStringLiteral(" Quadrivela - Statistiche Contratti"));
}

// The contract menu's "Apri" of the statistics opens the year panel with
// today's year; leaving the statistics goes to the main menu, not back to the
// contract menu.
void TestStatistiche::dalMenuContratti()
{
    auto *avvio = Schermi::di<TfrmAvvio>();
    auto *menu = Schermi::di<TfrmMenuContratti>();
    m_s->hide();
    passaA(avvio, nullptr);
    QTest::mouseClick(avvio->imgContratti, Qt::LeftButton);
    QVERIFY(menu->isVisible());
    m_servizi.orologio = QDateTime(QDate(2019, 6, 1), QTime(9, 0));
    QTest::mouseClick(menu->btnApriRiepStats, Qt::LeftButton);
    m_servizi.orologio = QDateTime(QDate(2017, 3, 15), QTime(10, 30));
    QVERIFY(m_s->isVisible());
    QVERIFY(!menu->isVisible());
    QVERIFY(!avvio->isVisible());
    QVERIFY(m_s->panAvvio->isVisible());
    QCOMPARE(m_s->txtAnno->text(), QStringLiteral("2019"));
    apri(QStringLiteral("2017"));
    m_s->btnEsci->click();
    QVERIFY(avvio->isVisible());
    QVERIFY(!menu->isVisible());
    QVERIFY(!m_s->isVisible());
}

void TestStatistiche::suggerimenti()
{
    apri(QStringLiteral("2017"));
    const QList<QPair<QWidget *, QString>> casi = {
        {m_s->btnTorta, "Visualizza le statistiche dei contratti sotto forma di grafico a torta tridimensionale."},
        {m_s->ChartStats, ""},
        {m_s->btnStampa, "Stampa il grafico corrente."},
        {m_s->panContainer, ""},
        {m_s->btnEsci, "Esci da questo ambiente di lavoro."},
        {m_s, ""},
        {m_s->cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
        {m_s->btnBarre, ""},
    };
    QVERIFY(m_s->panInfo->text().isEmpty());
    for (const auto &[w, testo] : casi) {
        m_s->panInfo->setText(QStringLiteral("x"));
        QTest::mouseMove(w, QPoint(5, 5));
        QMouseEvent mossa(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &mossa);
        QCOMPARE(m_s->panInfo->text(), testo);
    }
}

void TestStatistiche::guida()
{
    QStringList titoli, testi;
    auto guarda = [&](QDialog *d) {
        auto *g = qobject_cast<TfrmGuida *>(d);
        titoli << g->lblTitolo->text();
        testi << g->txtGuida->toPlainText();
        return int(QDialog::Rejected);
    };
    m_servizi.quandoDialogo(guarda);
    QTest::mouseClick(m_s->imgGuida, Qt::LeftButton);
    apri(QStringLiteral("2017"));
    m_servizi.quandoDialogo(guarda);
    QTest::mouseClick(m_s->cmdGuida, Qt::LeftButton);
    QCOMPARE(titoli, QStringList(2, QStringLiteral("Grafici statistici contratti.")));
    QCOMPARE(testi[0], testi[1]);
    const QStringList paragrafi = testi[0].split(QStringLiteral("\n\n"));
    QCOMPARE(paragrafi.size(), 4);
    QVERIFY(paragrafi[0].startsWith(QStringLiteral(
        "L'applicazione Statistiche Contratti consente di visualizzare e stampare grafici statistici sui "
        "contratti registrati nell'anno solare selezionato.")));
    QVERIFY(paragrafi[1].startsWith(QStringLiteral(
        "La prima operazione da eseguire per visualizzare i grafici statistici è quella di indicare l'anno "
        "solare di interesse. A questo punto, facendo clic")));
    QVERIFY(paragrafi[2].startsWith(QStringLiteral(
        "Il grafico che appare è costituito da dodici barre tridimensionali, ognuna corrispondente a un mese "
        "dell'anno solare. Più la barra è alta, più i")));
    QVERIFY(paragrafi[3].startsWith(QStringLiteral(
        "Il pulsante Stampa grafico consente di ottenere su carta il grafico visualizzato in quel momento "
        "unitamente ai dati relativi ai contratti registrati mensilmente.")));
}

void TestStatistiche::copie_data()
{
    QTest::addColumn<QString>("risposta");
    QTest::addColumn<int>("copie");
    QTest::newRow("uno") << "1" << 1;
    QTest::newRow("tre") << "3" << 3;
    QTest::newRow("spazi intorno") << "  2 " << 2;
    QTest::newRow("vuota") << "" << 1;
    QTest::newRow("solo spazi") << "   " << 1;
    QTest::newRow("lettere") << "tre" << 1;
    QTest::newRow("cifre e lettere") << "2x" << 1;
    QTest::newRow("negativo") << "-2" << 1;
    QTest::newRow("decimale") << "2,5" << 1;
    QTest::newRow("troppe cifre") << "99999999999999999999999" << MassimoCopie;
}

void TestStatistiche::copie()
{
    QFETCH(QString, risposta);
    QFETCH(int, copie);
    QCOMPARE(TfrmStatistiche::copieRichieste(risposta), copie);
}

void TestStatistiche::stampa_data()
{
    QTest::addColumn<QString>("risposta");
    QTest::addColumn<int>("offerte");   // copies the print dialog opens with
    QTest::addColumn<int>("scelte");    // copies the user leaves in the dialog; 0: as offered
    QTest::addColumn<bool>("torta");
    QTest::newRow("una copia, barre") << "1" << 1 << 0 << false;
    QTest::newRow("tre copie, torta") << "3" << 3 << 0 << true;
    QTest::newRow("lettere: una copia") << "abc" << 1 << 0 << false;
    QTest::newRow("vuoto: una copia") << "" << 1 << 0 << false;
    QTest::newRow("zero: una copia") << "0" << 1 << 0 << false;
    QTest::newRow("copie cambiate nel dialogo") << "1" << 1 << 2 << false;
}

// The chart goes to the printer landscape, once for each copy of the print
// dialog: with the title, the foot, the legend and every month.
void TestStatistiche::stampa()
{
    QFETCH(QString, risposta);
    QFETCH(int, offerte);
    QFETCH(int, scelte);
    QFETCH(bool, torta);
    QFile::remove(m_dir.filePath(QStringLiteral("2016.con")));
    scriviArchivio(m_dir.filePath(QStringLiteral("2016.con")),
                   {"15/03/2016", "16/03/2016", "01/09/2016", "02/09/2016", "10/01/2016", "11/05/2016"});
    apri(QStringLiteral("2016"));
    if (torta)
        m_s->btnTorta->click();
    else
        m_s->btnBarre->click();

    const QString pdf = m_dir.filePath(QStringLiteral("grafico.pdf"));
    QFile::remove(pdf);
    QPageLayout::Orientation orientamento = QPageLayout::Portrait;
    QString documento;
    m_servizi.nelDialogoStampa = [&](QPrinter &p) {
        documento = p.docName();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setPageOrientation(QPageLayout::Portrait); // the chart still goes landscape
        if (scelte)
            p.setCopyCount(scelte);
        orientamento = p.pageLayout().orientation();
    };
    m_servizi.rispondi(true);
    m_servizi.testoDaDigitare(risposta);
    m_s->btnStampa->click();

    QCOMPARE(m_servizi.messaggi.size(), 2);
    QCOMPARE(m_servizi.messaggi[0].genere, MessaggioMostrato::Genere::Domanda);
    QCOMPARE(m_servizi.messaggi[0].testo, QStringLiteral("Si vuole stampare il presente grafico statistico?"));
    QCOMPARE(m_servizi.messaggi[1].genere, MessaggioMostrato::Genere::Richiesta);
    QCOMPARE(m_servizi.messaggi[1].testo, QStringLiteral("Copie:"));
    QCOMPARE(m_servizi.copieOfferte, QList<int>{offerte});
    QVERIFY(QFileInfo::exists(pdf));
    // The job, and the file the dialog proposes, say what is printed.
    QCOMPARE(documento, QStringLiteral("Statistiche contratti 2016"));

    const QString testo = testoPdf(pdf);
    if (testo.isEmpty())
        QSKIP("pdftotext is not installed");
    const int pagine = int(testo.count(QLatin1Char('\f')));
    QCOMPARE(pagine, scelte ? scelte : offerte);
    const QString prima = testo.section(QLatin1Char('\f'), 0, 0);
    for (const QString &atteso : {QStringLiteral("Statistiche contratti registrati"), QStringLiteral("Contratti:"),
                                  QStringLiteral("Le statistiche si basano sui contratti registrati in ciascun mese "
                                                 "dell'anno.")})
        QVERIFY2(prima.simplified().contains(atteso), qPrintable(atteso));
    for (const QString &mese : kMesi)
        QVERIFY2(prima.contains(mese), qPrintable(mese));
    if (torta)
        QVERIFY(prima.contains(QStringLiteral("Settembre: 2")));
    // The printout names its year, on bars and pie alike.
    QVERIFY2(prima.contains(QStringLiteral("Contratti registrati nell'anno 2016")), qPrintable(prima));

    // Landscape: the page is wider than tall.
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess p;
        p.start(pdfinfo, {pdf});
        p.waitForFinished(30000);
        const QString info = QString::fromUtf8(p.readAllStandardOutput());
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
        QVERIFY2(m.hasMatch(), qPrintable(info));
        QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble());
    }
    Q_UNUSED(orientamento);
}

void TestStatistiche::stampaInterrotta_data()
{
    QTest::addColumn<int>("fase"); // 0: "No" to the question, 1: copies box cancelled, 2: print dialog cancelled
    QTest::newRow("no alla domanda") << 0;
    QTest::newRow("copie annullate") << 1;
    QTest::newRow("dialogo annullato") << 2;
}

void TestStatistiche::stampaInterrotta()
{
    QFETCH(int, fase);
    apri(QStringLiteral("2017"));
    const QString pdf = m_dir.filePath(QStringLiteral("annullato.pdf"));
    m_servizi.nelDialogoStampa = [&](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    };
    // Only the answers the screen asks for are queued.
    m_servizi.rispondi(fase != 0);
    if (fase >= 1)
        m_servizi.testoDaDigitare(fase == 1 ? std::nullopt : std::optional<QString>(QStringLiteral("2")));
    if (fase == 2)
        m_servizi.stampaConfermata(false);
    m_s->btnStampa->click();
    QCOMPARE(m_servizi.messaggi.size(), fase == 0 ? 1 : 2);
    QCOMPARE(m_servizi.copieOfferte.size(), fase == 2 ? 1 : 0);
    QVERIFY(!QFileInfo::exists(pdf));
}

// A printer that cannot be written to is reported, not taken for a print.
void TestStatistiche::stampaFallita()
{
    apri(QStringLiteral("2017"));
    const QString cartella = m_dir.filePath(QStringLiteral("cartella.pdf"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("cartella.pdf")));
    m_servizi.nelDialogoStampa = [&](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(cartella);
    };
    m_s->btnStampa->click();
    QCOMPARE(m_servizi.ultimoTesto(), TfrmStatistiche::MsgStampaFallita);
    QCOMPARE(m_servizi.messaggi.constLast().genere, MessaggioMostrato::Genere::Errore);
}

QTEST_MAIN(TestStatistiche)
#include "tst_frmstatistiche.moc"
