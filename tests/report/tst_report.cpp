#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "report/report.h"
#include "report/stampaelenco.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const QString Titolo = QStringLiteral("Elenco dipendenti");
const QString Piede = QStringLiteral("Stampa eseguita in data 15/03/2017");

QStringList righe(int quante)
{
    QStringList r;
    for (int i = 1; i <= quante; ++i)
        r << QStringLiteral("RIGA %1 ROSSI MARIO").arg(i, 3, 10, QLatin1Char('0'));
    return r;
}

// The text of a PDF file, pages separated by form feeds; empty without pdftotext.
QString testoPdf(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void impaginazione_data();
    void impaginazione();
    void stampaPdf_data();
    void stampaPdf();
    void dialogoAnnullato();
    void oggettiDisegnati();

private:
    ServiziProva m_servizi;
    QTemporaryDir m_cartella;
};

void TestReport::impaginazione_data()
{
    QTest::addColumn<int>("quante");
    QTest::addColumn<qreal>("memo");
    QTest::addColumn<qreal>("banda");
    QTest::addColumn<bool>("piuPagine");
    QTest::newRow("vuoto") << 0 << 0.0 << 10.0 << false;
    QTest::newRow("una riga") << 1 << 12.822 << 22.822 << false;
    QTest::newRow("cento righe") << 100 << 1282.2 << 1292.2 << true;
    QTest::newRow("quattrocento righe") << 400 << 5128.8 << 5138.8 << true;
}

// The data band runs over as many pages as it needs, each slice fits its
// page and ends on a line boundary, and the footer follows the last line.
void TestReport::impaginazione()
{
    QFETCH(int, quante);
    QFETCH(qreal, memo);
    QFETCH(qreal, banda);
    QFETCH(bool, piuPagine);

    Report report = reportElenco(Titolo, righe(quante));
    const OggettoReport *elenco = report.oggetto(QStringLiteral("txtRiepilogo"));
    QVERIFY(elenco);
    QVERIFY(qFuzzyCompare(1 + elenco->rett.height(), 1 + memo));
    QVERIFY(qFuzzyCompare(report.banda(QStringLiteral("MasterData"))->altezza, banda));

    const int pagine = report.prepara();
    QCOMPARE(pagine > 1, piuPagine);
    const qreal altezzaPagina = report.area().height();
    const auto &coll = report.collocazioni();
    QCOMPARE(coll.first().banda, 0);
    QCOMPARE(coll.first().pagina, 0);
    qreal fine = 0;
    for (const Report::Collocazione &c : coll) {
        QVERIFY(c.y + (c.a - c.da) <= altezzaPagina + 0.05);
        if (c.banda != 1)
            continue;
        QVERIFY(qAbs(c.da - fine) < 1e-6);  // slices follow each other without gaps
        fine = c.a;
        const qreal righeSopra = (c.a - elenco->rett.top()) / elenco->passoRiga();
        if (c.a < elenco->rett.bottom())
            QVERIFY2(qAbs(righeSopra - qRound(righeSopra)) < 1e-3, "a line is cut in half");
    }
    QCOMPARE(fine, banda);
    const Report::Collocazione &piede = coll.last();
    const Report::Collocazione &ultimaFetta = coll.at(coll.size() - 2);
    QCOMPARE(piede.banda, 2);
    QCOMPARE(piede.pagina, pagine - 1);
    QVERIFY(piede.pagina > ultimaFetta.pagina || piede.y >= ultimaFetta.y + ultimaFetta.a - ultimaFetta.da - 1e-6);
}

void TestReport::stampaPdf_data()
{
    QTest::addColumn<int>("quante");
    QTest::newRow("vuoto") << 0;
    QTest::newRow("cento righe") << 100;
}

void TestReport::stampaPdf()
{
    QFETCH(int, quante);
    QVERIFY(m_cartella.isValid());
    const QString file = m_cartella.filePath(QStringLiteral("elenco%1.pdf").arg(quante));
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(file);
    QVERIFY(stampaElenco(nullptr, Titolo, righe(quante), stampante));
    QVERIFY(QFileInfo(file).size() > 0);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const QString testo = testoPdf(file);
    const int pagine = int(testo.count(QLatin1Char('\f')));
    QCOMPARE(pagine, reportElenco(Titolo, righe(quante)).prepara());
    QCOMPARE(testo.count(Titolo), 1);
    QCOMPARE(testo.count(Piede), 1);
    QCOMPARE(testo.count(QStringLiteral("RIGA ")), quante);
    if (quante == 0) {
        QCOMPARE(pagine, 1);
        QVERIFY(testo.indexOf(Titolo) < testo.indexOf(Piede));
    } else {
        QVERIFY(pagine > 1);
        QVERIFY(testo.indexOf(Titolo) < testo.indexOf(QStringLiteral("RIGA 001")));
        QVERIFY(testo.indexOf(QStringLiteral("RIGA 100")) < testo.indexOf(Piede));
    }
}

void TestReport::dialogoAnnullato()
{
    const QString file = m_cartella.filePath(QStringLiteral("annullato.pdf"));
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(file);
    m_servizi.stampaConfermata(false);
    QVERIFY(!stampaElenco(nullptr, Titolo, righe(10), stampante));
    QVERIFY(!QFileInfo::exists(file));
}

// Pictures keep their proportions centred in the frame; lines, rectangles and
// fills land where they are placed, at the device's own resolution.
void TestReport::oggettiDisegnati()
{
    Report report;
    Banda &banda = report.aggiungiBanda(Banda::Tipo::Titolo, QStringLiteral("Banda"), 400);
    QImage rossa(40, 20, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    OggettoReport foto;
    foto.tipo = OggettoReport::Tipo::Immagine;
    foto.rett = QRectF(0, 0, 100, 100);
    foto.immagine = rossa;
    banda.aggiungi(foto);
    OggettoReport riquadro;
    riquadro.tipo = OggettoReport::Tipo::Rettangolo;
    riquadro.rett = QRectF(150, 0, 100, 100);
    riquadro.riempimento = Qt::blue;
    banda.aggiungi(riquadro);
    OggettoReport linea;
    linea.tipo = OggettoReport::Tipo::Linea;
    linea.rett = QRectF(0, 200, 300, 0);
    linea.spessore = 4;
    banda.aggiungi(linea);
    QCOMPARE(report.prepara(), 1);

    for (const int dpi : {96, 192}) {
        const qreal s = dpi / 96.0;
        QImage pagina(int(400 * s), int(300 * s), QImage::Format_RGB32);
        pagina.setDotsPerMeterX(qRound(dpi / 0.0254));
        pagina.setDotsPerMeterY(qRound(dpi / 0.0254));
        pagina.fill(Qt::white);
        QPainter pittore(&pagina);
        report.disegna(pittore, 0);
        pittore.end();
        auto colore = [&](qreal x, qreal y) { return pagina.pixelColor(int(x * s), int(y * s)); };
        QCOMPARE(colore(50, 50), QColor(Qt::red));     // 100 x 50 in the middle of its frame
        QCOMPARE(colore(50, 15), QColor(Qt::white));
        QCOMPARE(colore(50, 85), QColor(Qt::white));
        QCOMPARE(colore(200, 50), QColor(Qt::blue));
        QCOMPARE(colore(150, 200), QColor(Qt::black));
        QCOMPARE(colore(150, 210), QColor(Qt::white));
    }
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
