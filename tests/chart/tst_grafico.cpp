#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <numbers>

#include "chart/grafico.h"
#include "chart/impaginazione.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const char *const kMesi[] = {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno",
                             "Luglio", "Agosto", "Settembre", "Ottobre", "Novembre", "Dicembre"};
const QRgb kColori[] = {0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF, 0xFFC0DCC0, 0xFFFFFF00,
                        0xFF00FF00, 0xFFC0C0C0, 0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};

using Valori = QList<double>;

Grafico grafico(const Valori &valori, TipoGrafico tipo)
{
    Grafico g;
    g.titolo = QStringLiteral("Statistiche contratti registrati");
    g.piede = QStringLiteral("Le statistiche si basano sui contratti registrati in ciascun mese dell'anno.");
    g.titoloLegenda = QStringLiteral("Contratti:");
    g.testoVuoto = QStringLiteral("Nessun contratto registrato nell'anno.");
    g.serie.tipo = tipo;
    for (int i = 0; i < int(valori.size()); ++i)
        g.serie.aggiungi(QLatin1String(kMesi[i]), QColor::fromRgba(kColori[i]), valori[i]);
    return g;
}

struct Disegnato
{
    QImage immagine;
    DisposizioneGrafico d;
};

Disegnato disegna(const Grafico &g, const QSize &dimensione)
{
    Disegnato out{QImage(dimensione, QImage::Format_ARGB32), {}};
    out.immagine.fill(Qt::white);
    QPainter p(&out.immagine);
    out.d = g.disegna(p, QRectF(QPointF(0, 0), QSizeF(dimensione)));
    return out;
}

// The height of a bar's front: the longest run of its exact colour in one
// column of the plot.
int altezzaFronte(const QImage &img, const QRectF &zona, QRgb colore)
{
    const QRect r = zona.toAlignedRect().intersected(img.rect());
    int migliore = 0;
    for (int x = r.left(); x <= r.right(); ++x) {
        int conta = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (img.pixel(x, y) == colore)
                ++conta;
        migliore = std::max(migliore, conta);
    }
    return migliore;
}

// The contrast of a colour against white, as 1 to 21.
double controBianco(QRgb c)
{
    return 1.05 / (Grafico::luminanza(QColor::fromRgb(c)) + 0.05);
}

// No two texts of the drawing overlap, and each lies inside the drawing.
void nessunaSovrapposizione(const DisposizioneGrafico &d)
{
    for (int i = 0; i < int(d.testi.size()); ++i) {
        const TestoGrafico &a = d.testi[i];
        QVERIFY2(d.area.adjusted(-0.5, -0.5, 0.5, 0.5).contains(a.rett), qPrintable(a.testo));
        for (int j = i + 1; j < int(d.testi.size()); ++j) {
            const TestoGrafico &b = d.testi[j];
            QVERIFY2(a.rett.intersected(b.rett).isEmpty(),
                     qPrintable(a.testo + QStringLiteral(" / ") + b.testo));
        }
    }
}

QStringList testiDi(const DisposizioneGrafico &d, TestoGrafico::Ruolo ruolo)
{
    QStringList out;
    for (const TestoGrafico &t : d.testi)
        if (t.ruolo == ruolo)
            out << t.testo;
    return out;
}

} // namespace

class TestGrafico : public QObject
{
    Q_OBJECT
private slots:
    void barre_data();
    void barre();
    void torta_data();
    void torta();
    void casiLimite_data();
    void casiLimite();
    void passiTondi_data();
    void passiTondi();
    void cambioTipoTieneIPunti();
    void barreTraLePareti_data();
    void barreTraLePareti();
    void contorniPallidi_data();
    void contorniPallidi();
    void titoloSuUnaRiga_data();
    void titoloSuUnaRiga();
    void impaginazioneBarre_data();
    void impaginazioneBarre();
    void impaginazioneTorta_data();
    void impaginazioneTorta();

private:
    ServiziProva m_servizi;
};

void TestGrafico::barre_data()
{
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("anno tipico") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSize(960, 480);
    QTest::newRow("pochi valori alti") << Valori{40, 10, 0, 25, 5, 0, 0, 15, 30, 20, 35, 1} << QSize(960, 480);
    QTest::newRow("immagine piccola") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSize(640, 400);
}

// Each bar's front, found by its colour, is as tall as its value on the axis:
// heights in the ratio of the values, zero months flat.
void TestGrafico::barre()
{
    QFETCH(Valori, valori);
    QFETCH(QSize, dimensione);
    const Disegnato r = disegna(grafico(valori, TipoGrafico::Barre), dimensione);
    const QRectF &t = r.d.tracciato;
    QVERIFY(t.height() > 100);
    QVERIFY(r.d.massimoAsse >= *std::max_element(valori.begin(), valori.end()));
    const double pxPerUnita = t.height() / r.d.massimoAsse;
    const QRectF zona = t.adjusted(0, -2, 0, 2);
    int piuAlta = 0;
    double massimo = 0;
    for (int i = 0; i < 12; ++i) {
        const int h = altezzaFronte(r.immagine, zona, kColori[i]);
        QVERIFY2(std::abs(h - valori[i] * pxPerUnita) <= 2.5,
                 qPrintable(QStringLiteral("%1: %2 px for %3").arg(QLatin1String(kMesi[i])).arg(h).arg(valori[i])));
        if (valori[i] > massimo) {
            massimo = valori[i];
            piuAlta = h;
        }
    }
    for (int i = 0; i < 12; ++i) {
        const int h = altezzaFronte(r.immagine, zona, kColori[i]);
        QVERIFY(std::abs(h - piuAlta * valori[i] / massimo) <= 3);
    }
    nessunaSovrapposizione(r.d);
    QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Segno).size(), 12);
}

void TestGrafico::torta_data()
{
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("anno tipico") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSize(960, 480);
    QTest::newRow("una fetta grande") << Valori{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 60} << QSize(960, 480);
    QTest::newRow("immagine piccola") << Valori{2, 0, 4, 6, 0, 8, 10, 2, 3, 0, 5, 1} << QSize(640, 400);
}

// Walking round the top face, each slice's colour covers an angle in the
// ratio of its value; a zero month has no slice at all.
void TestGrafico::torta()
{
    QFETCH(Valori, valori);
    QFETCH(QSize, dimensione);
    const Disegnato r = disegna(grafico(valori, TipoGrafico::Torta), dimensione);
    QVERIFY(r.d.raggioX > 40);
    QVERIFY(r.d.raggioY > 20 && r.d.raggioY < r.d.raggioX); // tilted
    QVERIFY(r.d.spessoreTorta > 0);

    const int campioni = 2880;
    QList<int> conta(12, 0);
    for (int k = 0; k < campioni; ++k) {
        const double a = (90.0 - k * 360.0 / campioni) * std::numbers::pi / 180;
        const QPoint q(int(std::lround(r.d.centroTorta.x() + 0.65 * r.d.raggioX * std::cos(a))),
                       int(std::lround(r.d.centroTorta.y() - 0.65 * r.d.raggioY * std::sin(a))));
        const QRgb c = r.immagine.pixel(q);
        for (int i = 0; i < 12; ++i)
            if (c == kColori[i])
                ++conta[i];
    }
    double totale = 0;
    for (double v : valori)
        totale += v;
    for (int i = 0; i < 12; ++i) {
        const double angolo = 360.0 * conta[i] / campioni;
        const double atteso = 360.0 * valori[i] / totale;
        if (valori[i] == 0)
            QCOMPARE(conta[i], 0);
        else
            QVERIFY2(std::abs(angolo - atteso) <= 2.5,
                     qPrintable(QStringLiteral("%1: %2 degrees, %3 expected").arg(QLatin1String(kMesi[i])).arg(angolo).arg(atteso)));
    }
    // The slices follow one another clockwise from twelve o'clock in month order.
    int ultimo = -1;
    for (int k = 0; k < campioni; k += 4) {
        const double a = (90.0 - (k + 0.5) * 360.0 / campioni) * std::numbers::pi / 180;
        const QRgb c = r.immagine.pixel(int(r.d.centroTorta.x() + 0.65 * r.d.raggioX * std::cos(a)),
                                        int(r.d.centroTorta.y() - 0.65 * r.d.raggioY * std::sin(a)));
        for (int i = 0; i < 12; ++i)
            if (c == kColori[i]) {
                QVERIFY(i >= ultimo);
                ultimo = i;
            }
    }
    nessunaSovrapposizione(r.d);
    // One mark for each month with contracts, none for the zero months.
    QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Segno).size(), int(std::count_if(valori.begin(), valori.end(), [](double v) { return v > 0; })));
}

void TestGrafico::casiLimite_data()
{
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("un mese a zero") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSize(955, 460);
    QTest::newRow("anno vuoto") << Valori(12, 0) << QSize(955, 460);
    QTest::newRow("anno vuoto, piccolo") << Valori(12, 0) << QSize(480, 320);
    QTest::newRow("un mese enorme") << Valori{1, 0, 2, 1000000, 0, 3, 1, 1, 0, 0, 1, 2} << QSize(955, 460);
    QTest::newRow("un mese enorme, piccolo") << Valori{1, 0, 2, 1000000, 0, 3, 1, 1, 0, 0, 1, 2} << QSize(560, 360);
    QTest::newRow("numeri grandi ovunque") << Valori(12, 987654) << QSize(640, 400);
    QTest::newRow("nessun punto") << Valori{} << QSize(640, 400);
    QTest::newRow("area minuscola") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSize(60, 40);
}

// Zero months, an empty year and a huge month draw, as bars and as pie, with
// no text over another; an empty year keeps its axis and its legend.
void TestGrafico::casiLimite()
{
    QFETCH(Valori, valori);
    QFETCH(QSize, dimensione);
    const bool vuoto = std::all_of(valori.begin(), valori.end(), [](double v) { return v == 0; });
    for (TipoGrafico tipo : {TipoGrafico::Barre, TipoGrafico::Torta}) {
        const Disegnato r = disegna(grafico(valori, tipo), dimensione);
        if (dimensione.width() < 100)
            continue; // no room for anything: it only must not fail
        nessunaSovrapposizione(r.d);
        if (valori.isEmpty())
            continue;
        QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Legenda).size(), 1 + 2 * 12);
        if (tipo == TipoGrafico::Barre) {
            QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Categoria).size(), 12);
            QVERIFY(r.d.passoAsse >= 1);
            QCOMPARE(std::fmod(r.d.massimoAsse, r.d.passoAsse), 0.0);
            QVERIFY(testiDi(r.d, TestoGrafico::Ruolo::Asse).size() >= 2);
            QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Asse).constLast(), Grafico::formatta(r.d.massimoAsse));
            if (vuoto)
                QVERIFY(r.d.massimoAsse >= 1 && r.d.massimoAsse <= 5);
        } else if (vuoto) {
            QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Avviso), QStringList{QStringLiteral("Nessun contratto registrato nell'anno.")});
            QVERIFY(testiDi(r.d, TestoGrafico::Ruolo::Segno).isEmpty());
            // No slice colour anywhere between the title and the legend.
            const QRect sopra(0, int(r.d.titolo.bottom()) + 1, dimensione.width(),
                              int(r.d.legenda.top() - r.d.titolo.bottom()) - 2);
            for (int y = sopra.top(); y <= sopra.bottom(); y += 2)
                for (int x = sopra.left(); x <= sopra.right(); x += 2)
                    for (QRgb c : kColori)
                        QVERIFY(r.immagine.pixel(x, y) != c);
        }
    }
}

void TestGrafico::passiTondi_data()
{
    QTest::addColumn<double>("massimo");
    QTest::newRow("9") << 9.0;
    QTest::newRow("17") << 17.0;
    QTest::newRow("240") << 240.0;
    QTest::newRow("1000000") << 1000000.0;
}

// The value axis steps are 1, 2, 2.5 or 5 times a power of ten, whole numbers.
void TestGrafico::passiTondi()
{
    QFETCH(double, massimo);
    Valori v(12, 1);
    v[5] = massimo;
    const Disegnato r = disegna(grafico(v, TipoGrafico::Barre), QSize(960, 480));
    const double passo = r.d.passoAsse;
    const double potenza = std::pow(10.0, std::floor(std::log10(passo)));
    const double norma = passo / potenza;
    QVERIFY2(norma == 1 || norma == 2 || norma == 2.5 || norma == 5, qPrintable(QString::number(passo)));
    QCOMPARE(passo, std::round(passo));
    QVERIFY(r.d.massimoAsse >= massimo && r.d.massimoAsse < massimo + passo);
    const QStringList asse = testiDi(r.d, TestoGrafico::Ruolo::Asse);
    QCOMPARE(asse.constLast(), Grafico::formatta(r.d.massimoAsse));
    QVERIFY(asse.size() >= 3 && asse.size() <= 11);
}

void TestGrafico::cambioTipoTieneIPunti()
{
    Grafico g = grafico({3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1}, TipoGrafico::Barre);
    g.serie.tipo = TipoGrafico::Torta;
    g.serie.tipo = TipoGrafico::Barre;
    QCOMPARE(g.serie.punti.size(), 12);
    QCOMPARE(g.serie.punti[8].etichetta, QStringLiteral("Settembre"));
    QCOMPARE(g.serie.punti[8].colore.rgba(), QRgb(0xFFF0FBFF));
    QCOMPARE(g.serie.punti[8].valore, 9.0);
    // The near-white colour gets a visible edge; the others a darker shade of their own.
    QVERIFY(controBianco(Grafico::contorno(QColor::fromRgba(0xFFF0FBFF)).rgb()) >= 3);
    QVERIFY(Grafico::contorno(Qt::red).lightness() < QColor(Qt::red).lightness());
    QCOMPARE(Grafico::formatta(1000000), QStringLiteral("1.000.000"));
}

void TestGrafico::barreTraLePareti_data()
{
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("gennaio il più alto") << Valori{9, 5, 8, 6, 4, 7, 2, 0, 6, 6, 5, 1} << QSize(955, 460);
    QTest::newRow("dicembre il più alto") << Valori{1, 5, 8, 6, 4, 7, 2, 0, 6, 6, 5, 9} << QSize(955, 460);
    QTest::newRow("piccolo") << Valori{9, 5, 8, 6, 4, 7, 2, 0, 6, 6, 5, 9} << QSize(560, 360);
}

// Every bar stands on the floor between the left wall and the right edge of
// the back wall: no pixel of a bar's colour over the left wall or beyond the floor.
void TestGrafico::barreTraLePareti()
{
    QFETCH(Valori, valori);
    QFETCH(QSize, dimensione);
    const Disegnato r = disegna(grafico(valori, TipoGrafico::Barre), dimensione);
    const QRectF &t = r.d.tracciato;
    const qreal dx = r.d.profondita.x();
    QVERIFY(dx > 0);
    const int sinistra = int(std::floor(t.left() + dx)), destra = int(std::ceil(t.right() + dx));
    for (int y = int(t.top() - r.d.profondita.y()); y <= int(t.bottom()); ++y) {
        for (int x = 0; x < sinistra; ++x)
            for (QRgb c : kColori)
                QVERIFY2(r.immagine.pixel(x, y) != c, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        for (int x = destra + 1; x < dimensione.width(); ++x)
            for (QRgb c : kColori)
                QVERIFY2(r.immagine.pixel(x, y) != c, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
    }
    // The left wall shows between the floor and the top of the highest bar.
    const int meta = int(t.left() + dx / 2);
    int parete = 0;
    for (int y = int(t.top()); y < int(t.bottom() - r.d.profondita.y() / 2); ++y)
        parete += r.immagine.pixel(meta, y) == QColor(0xE3, 0xE8, 0xEF).rgb();
    QVERIFY2(parete > t.height() * 0.8, qPrintable(QString::number(parete)));
}

void TestGrafico::contorniPallidi_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("mese");
    for (int tipo : {0, 1})
        for (int mese : {2, 5, 8}) // Marzo (bisque), Giugno (yellow), Settembre (near white)
            QTest::addRow("%s %s", tipo ? "torta" : "barre", kMesi[mese]) << tipo << mese;
}

// A pale colour is edged, on bars and slices alike: walking out of its area,
// from the middle of a bar's front to the left, right and up, or from the
// middle of a slice outwards, a pixel within four that stands out from white
// by 3 to 1.
void TestGrafico::contorniPallidi()
{
    QFETCH(int, tipo);
    QFETCH(int, mese);
    const Valori valori{9, 5, 8, 6, 4, 7, 2, 0, 6, 6, 5, 1};
    const Disegnato r = disegna(grafico(valori, tipo ? TipoGrafico::Torta : TipoGrafico::Barre), QSize(955, 460));
    const QRgb colore = kColori[mese];
    QVERIFY(Grafico::pallido(QColor::fromRgba(colore)));
    QVERIFY(controBianco(Grafico::contorno(QColor::fromRgba(colore)).rgb()) >= 3);
    const QImage &img = r.immagine;

    // From `da` (inside the colour) along `verso`: out of the colour, then a marked pixel.
    auto marcato = [&](QPointF da, QPointF verso) {
        QVERIFY2(img.pixel(da.toPoint()) == colore, "the walk starts inside the colour");
        while (img.rect().contains(da.toPoint()) && img.pixel(da.toPoint()) == colore)
            da += verso;
        for (int k = 0; k < 4; ++k, da += verso)
            if (img.rect().contains(da.toPoint()) && controBianco(img.pixel(da.toPoint())) >= 3)
                return;
        QFAIL(qPrintable(QStringLiteral("no edge at (%1, %2)").arg(da.x()).arg(da.y())));
    };

    if (tipo == 0) {
        // The front: the columns of the colour on the middle row of the plot's lower half.
        const int y = int(r.d.tracciato.bottom() - 10);
        int sinistra = -1, destra = -1;
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colore) {
                if (sinistra < 0)
                    sinistra = x;
                destra = x;
            }
        QVERIFY(sinistra >= 0);
        const int centro = (sinistra + destra) / 2;
        marcato(QPointF(centro + 0.5, y + 0.5), QPointF(-1, 0));
        marcato(QPointF(centro + 0.5, y + 0.5), QPointF(1, 0));
        marcato(QPointF(centro + 0.5, y + 0.5), QPointF(0, -1));
    } else {
        double totale = 0, prima = 0;
        for (int i = 0; i < int(valori.size()); ++i) {
            totale += valori[i];
            if (i < mese)
                prima += valori[i];
        }
        const double meta = (90 - 360 * (prima + valori[mese] / 2) / totale) * std::numbers::pi / 180;
        const QPointF c = r.d.centroTorta;
        const QPointF dentro(c.x() + 0.6 * r.d.raggioX * std::cos(meta), c.y() - 0.6 * r.d.raggioY * std::sin(meta));
        const QPointF verso = (dentro - c) / std::hypot(dentro.x() - c.x(), dentro.y() - c.y());
        marcato(dentro, verso);
    }
}

void TestGrafico::titoloSuUnaRiga_data()
{
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<bool>("ridotto");
    QTest::newRow("schermo") << 955 << false;
    QTest::newRow("stretto") << 330 << true;
    QTest::newRow("strettissimo") << 220 << true;
}

// The title keeps one line: at its own size where it fits, smaller where not;
// the subtitle, under it, likewise; both above the drawing.
void TestGrafico::titoloSuUnaRiga()
{
    QFETCH(int, larghezza);
    QFETCH(bool, ridotto);
    for (TipoGrafico tipo : {TipoGrafico::Barre, TipoGrafico::Torta}) {
        Grafico g = grafico({9, 5, 8, 6, 4, 7, 2, 0, 6, 6, 5, 1}, tipo);
        g.sottotitolo = QStringLiteral("Contratti registrati nell'anno 2026");
        const Disegnato r = disegna(g, QSize(larghezza, 460));
        QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Titolo), QStringList{g.titolo});
        QFont f = g.carattereTitolo;
        f.setPointSizeF(r.d.puntiTitolo);
        const QFontMetricsF m(f, &r.immagine);
        QCOMPARE(r.d.puntiTitolo < g.carattereTitolo.pointSizeF(), ridotto);
        QVERIFY(r.d.titolo.height() <= m.height() + 0.5);
        QVERIFY(r.d.titolo.width() >= m.horizontalAdvance(g.titolo) - 0.5);
        QVERIFY(r.d.area.contains(r.d.titolo));
        QCOMPARE(testiDi(r.d, TestoGrafico::Ruolo::Sottotitolo), QStringList{g.sottotitolo});
        QVERIFY(r.d.sottotitolo.top() >= r.d.titolo.bottom());
        if (tipo == TipoGrafico::Barre)
            QVERIFY(r.d.sottotitolo.bottom() < r.d.tracciato.top() - r.d.profondita.y());
        else
            QVERIFY(r.d.sottotitolo.bottom() < r.d.centroTorta.y() - r.d.raggioY);
        for (const TestoGrafico &t : r.d.testi)
            if (t.ruolo != TestoGrafico::Ruolo::Titolo && t.ruolo != TestoGrafico::Ruolo::Sottotitolo)
                QVERIFY2(!t.rett.intersects(r.d.titolo) && !t.rett.intersects(r.d.sottotitolo), qPrintable(t.testo));
    }
}

void TestGrafico::impaginazioneBarre_data()
{
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<QSizeF>("zona");
    QTest::addColumn<bool>("tridimensionale");
    QTest::newRow("anno tipico") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSizeF(900, 380) << true;
    QTest::newRow("piatto") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSizeF(900, 380) << false;
    // Marks wider than a slot: some go one level up, on a leader.
    QTest::newRow("segni stretti") << Valori(12, 987654) << QSizeF(420, 300) << true;
    QTest::newRow("anno vuoto") << Valori(12, 0) << QSizeF(900, 380) << true;
}

// The bars' layout, worked out with no painter: the plot inside the zone, a
// round axis over the highest value, each front as tall as its value and
// inside its slot between the walls, one name and one mark for each month,
// no mark over another and each above its own bar.
void TestGrafico::impaginazioneBarre()
{
    QFETCH(Valori, valori);
    QFETCH(QSizeF, zona);
    QFETCH(bool, tridimensionale);
    Grafico g = grafico(valori, TipoGrafico::Barre);
    g.tridimensionale = tridimensionale;
    const QImage dispositivo(16, 16, QImage::Format_ARGB32);
    const QRectF z(QPointF(20, 30), zona);
    const ImpaginazioneBarre b = impaginaBarre({&dispositivo, 1}, g, z);

    const QRectF &t = b.tracciato;
    QVERIFY(z.contains(t.adjusted(0, -b.dy, b.dx, 0)));
    QCOMPARE(b.dx > 0, tridimensionale);
    QVERIFY(b.massimoAsse >= *std::max_element(valori.begin(), valori.end()));
    QCOMPARE(std::fmod(b.massimoAsse, b.passoAsse), 0.0);
    QCOMPARE(b.valori.constFirst().y, t.bottom());
    QCOMPARE(b.valori.constLast().y, t.top());
    QVERIFY(!b.valori.constLast().rett.isNull());

    QCOMPARE(b.fronti.size(), 12);
    QCOMPARE(b.categorie.size(), 12);
    QCOMPARE(b.segni.size(), 12);
    for (int i = 0; i < 12; ++i) {
        const QRectF &f = b.fronti[i];
        QCOMPARE(f.bottom(), t.bottom());
        QVERIFY(std::abs(f.height() - valori[i] / b.massimoAsse * t.height()) < 1e-9);
        QVERIFY(f.left() >= t.left() + b.dx + i * b.slot - 1e-9);
        QVERIFY(f.right() + b.dx <= t.left() + b.dx + (i + 1) * b.slot + 1e-9);
        QVERIFY(std::abs(b.categorie[i].rett.center().x() - f.center().x()) < 1e-9);
        QVERIFY(b.categorie[i].rett.top() > t.bottom());
        const auto &s = b.segni[i];
        QCOMPARE(s.segno.testo, Grafico::formatta(valori[i]));
        QVERIFY(s.segno.box.bottom() <= f.top() - b.dy);
        QVERIFY(s.segno.box.top() >= z.top());
        QCOMPARE(s.guida, s.segno.box.bottom() < f.top() - b.dy - 3 - 1e-9);
        for (int j = 0; j < i; ++j)
            QVERIFY2(!b.segni[j].segno.box.intersects(s.segno.box), qPrintable(QStringLiteral("%1, %2").arg(j).arg(i)));
    }
    const bool suDueLivelli = std::any_of(b.segni.begin(), b.segni.end(), [](const auto &s) { return s.guida; });
    QCOMPARE(suDueLivelli, QByteArray(QTest::currentDataTag()) == "segni stretti");
}

void TestGrafico::impaginazioneTorta_data()
{
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<QSizeF>("zona");
    QTest::newRow("anno tipico") << Valori{3, 5, 8, 6, 4, 7, 2, 0, 9, 6, 5, 1} << QSizeF(900, 380);
    // Eleven thin slices crowd the top: their marks are pushed apart and
    // some leaders go round the disc.
    QTest::newRow("una fetta grande") << Valori{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 60} << QSizeF(700, 300);
    QTest::newRow("anno vuoto") << Valori(12, 0) << QSizeF(900, 380);
}

// The pie's layout: slices clockwise from twelve o'clock in the ratio of the
// values, none for a zero month; the disc inside the zone; each mark outside
// the disc on its slice's side, inside the zone, over no other mark, and its
// leader running from the slice's edge to the mark.
void TestGrafico::impaginazioneTorta()
{
    QFETCH(Valori, valori);
    QFETCH(QSizeF, zona);
    const Grafico g = grafico(valori, TipoGrafico::Torta);
    const QImage dispositivo(16, 16, QImage::Format_ARGB32);
    const QRectF z(QPointF(20, 30), zona);
    const ImpaginazioneTorta p = impaginaTorta({&dispositivo, 1}, g, z);

    double totale = 0;
    for (double v : valori)
        totale += v;
    const int conValore = int(std::count_if(valori.begin(), valori.end(), [](double v) { return v > 0; }));
    QCOMPARE(p.fette.size(), conValore);
    QCOMPARE(p.segni.size(), conValore);
    QVERIFY(p.ry < p.rx && p.spessore > 0);
    QVERIFY(z.contains(QRectF(p.centro.x() - p.rx, p.centro.y() - p.ry, 2 * p.rx, 2 * p.ry + p.spessore)));
    qreal angolo = 90;
    for (const auto &f : p.fette) {
        QVERIFY(valori[f.punto] > 0);
        QVERIFY(std::abs(f.da - angolo) < 1e-9);
        QVERIFY(std::abs((f.da - f.a) - 360 * valori[f.punto] / totale) < 1e-9);
        angolo = f.a;
    }
    if (conValore > 0)
        QVERIFY(std::abs(angolo + 270) < 1e-9);

    for (int i = 0; i < int(p.segni.size()); ++i) {
        const auto &s = p.segni[i];
        const QRectF &box = s.segno.box;
        QVERIFY(z.contains(box));
        QVERIFY(box.left() >= p.centro.x() + p.rx || box.right() <= p.centro.x() - p.rx);
        QCOMPARE(s.guida.constFirst(), s.attacco);
        QCOMPARE(s.guida.constLast().y(), box.center().y());
        QVERIFY(std::abs(s.guida.constLast().x() - box.left()) < 1e-9 || std::abs(s.guida.constLast().x() - box.right()) < 1e-9);
        // The leader starts on the slice's edge: on the top face's ellipse or the rim's bottom.
        const qreal x = (s.attacco.x() - p.centro.x()) / p.rx;
        const qreal ySu = (s.attacco.y() - p.centro.y()) / p.ry, yGiu = (s.attacco.y() - p.centro.y() - p.spessore) / p.ry;
        QVERIFY(std::abs(x * x + ySu * ySu - 1) < 1e-6 || std::abs(x * x + yGiu * yGiu - 1) < 1e-6);
        for (int j = 0; j < i; ++j)
            QVERIFY(!p.segni[j].segno.box.intersects(box));
    }
    if (QByteArray(QTest::currentDataTag()) == "una fetta grande")
        QVERIFY(std::any_of(p.segni.begin(), p.segni.end(), [](const auto &s) { return s.guida.size() > 4; }));
}

QTEST_MAIN(TestGrafico)
#include "tst_grafico.moc"
