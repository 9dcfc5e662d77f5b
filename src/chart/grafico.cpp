#include "grafico.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {

namespace {

// The chart's own greys: walls, floor, grid, axis, marks.
const QColor ParetePosteriore1(0xF8, 0xFA, 0xFD);
const QColor ParetePosteriore2(0xEC, 0xF0, 0xF6);
const QColor PareteSinistra(0xE3, 0xE8, 0xEF);
const QColor Pavimento(0xD9, 0xE0, 0xE8);
const QColor BordoPavimento(0xBF, 0xC9, 0xD5);
const QColor LatoPavimento(0xAE, 0xBA, 0xC8);
const QColor BordoPareti(0xC2, 0xCC, 0xD7);
const QColor Griglia(0xCD, 0xD5, 0xDF);
const QColor LineaAsse(0x8A, 0x97, 0xA6);
const QColor TestoAsse(0x3C, 0x48, 0x57);
const QColor BordoSegno(0xA3, 0xAF, 0xBE);
const QColor TestoSegno(0x22, 0x30, 0x40);
const QColor Guida(0x7A, 0x88, 0x98);
const QColor BordoLegenda(0xC6, 0xCF, 0xDA);

QFont verdana(qreal punti, bool grassetto = false)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Device pixels per pixel of a 96 dpi screen.
qreal unitaDi(const QPainter &p)
{
    const QPaintDevice *d = p.device();
    return d && d->logicalDpiY() > 0 ? d->logicalDpiY() / 96.0 : 1.0;
}

// The point of the tilted disc at `gradi` (anticlockwise from three o'clock).
QPointF suEllisse(const QPointF &c, qreal rx, qreal ry, qreal gradi)
{
    const qreal t = gradi * std::numbers::pi / 180.0;
    return {c.x() + rx * std::cos(t), c.y() - ry * std::sin(t)};
}

// The arc from `da` to `a` degrees, as points, at most half a degree apart.
void arco(QPainterPath &path, const QPointF &c, qreal rx, qreal ry, qreal da, qreal a)
{
    const int passi = std::max(1, int(std::ceil(std::abs(a - da) * 2)));
    for (int i = 0; i <= passi; ++i)
        path.lineTo(suEllisse(c, rx, ry, da + (a - da) * i / passi));
}

// A round step for a value axis: 1, 2, 2.5 or 5 times a power of ten, never
// below one (the values are counts), giving about `tacche` steps up to `massimo`.
double passoTondo(double massimo, int tacche)
{
    const double grezzo = massimo / std::max(1, tacche);
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double norma = grezzo / potenza;
    double passo;
    if (norma <= 1)
        passo = 1;
    else if (norma <= 2)
        passo = 2;
    else if (norma <= 2.5 && potenza >= 10)
        passo = 2.5;
    else if (norma <= 5)
        passo = 5;
    else
        passo = 10;
    return std::max(1.0, passo * potenza);
}

struct Asse
{
    double massimo = 5;
    double passo = 1;
};

Asse asseValori(double massimo, int tacche)
{
    if (!(massimo > 0) || !std::isfinite(massimo))
        return {double(std::clamp(tacche, 1, 5)), 1}; // an empty chart still shows its axis
    Asse a;
    a.passo = passoTondo(massimo, tacche);
    a.massimo = std::ceil(massimo / a.passo - 1e-9) * a.passo;
    if (a.massimo <= 0)
        a.massimo = a.passo;
    return a;
}

// The painter with its helpers: the scale of the device and the record of
// every text placed.
struct Tela
{
    QPainter &p;
    DisposizioneGrafico &d;
    qreal u;

    QFontMetricsF metriche(const QFont &f) const { return QFontMetricsF(f, p.device()); }

    void testo(TestoGrafico::Ruolo ruolo, const QRectF &r, int allineamento, const QString &t, const QFont &f,
               const QColor &colore)
    {
        p.setFont(f);
        p.setPen(colore);
        p.drawText(r, allineamento, t);
        d.testi.append({ruolo, t, r});
    }
};

QString abbreviata(const QString &etichetta)
{
    return etichetta.size() > 3 ? etichetta.left(3) : etichetta;
}

// ---- legend

QRectF disegnaLegenda(Tela &t, const Grafico &g, const QRectF &zona)
{
    const qreal u = t.u;
    const QFont fVoce = verdana(9);
    const QFont fTitolo = verdana(9, true);
    const QFontMetricsF mv = t.metriche(fVoce), mt = t.metriche(fTitolo);
    const auto &punti = g.serie.punti;
    const int n = int(punti.size());

    const qreal campione = 11 * u, spazio = 5 * u, traColonne = 18 * u, margine = 8 * u;
    qreal largEtichetta = 0, largValore = 0;
    for (const PuntoGrafico &pt : punti) {
        largEtichetta = std::max(largEtichetta, mv.horizontalAdvance(pt.etichetta));
        largValore = std::max(largValore, mv.horizontalAdvance(Grafico::formatta(pt.valore)));
    }
    const qreal voce = campione + spazio + largEtichetta + 10 * u + largValore;
    const qreal riga = std::max(mv.height(), campione) + 4 * u;
    const qreal largTitolo = g.titoloLegenda.isEmpty() ? 0 : mt.horizontalAdvance(g.titoloLegenda);

    // The most columns that fit beside the title (or, failing that, under it),
    // keeping the rows evenly filled.
    auto colonneChe = [&](qreal disponibile) {
        for (int c : {12, 6, 4, 3, 2, 1}) {
            const int cc = std::min(c, std::max(n, 1));
            if (cc * voce + (cc - 1) * traColonne <= disponibile)
                return cc;
        }
        return 0;
    };
    bool titoloSopra = false;
    int colonne = colonneChe(zona.width() - 2 * margine - (largTitolo > 0 ? largTitolo + traColonne : 0));
    if (colonne == 0 || (n > colonne && largTitolo > 0 && colonneChe(zona.width() - 2 * margine) > colonne)) {
        const int sotto = colonneChe(zona.width() - 2 * margine);
        if (sotto > colonne) {
            titoloSopra = true;
            colonne = sotto;
        }
    }
    colonne = std::max(colonne, 1);
    const int righe = n == 0 ? 1 : (n + colonne - 1) / colonne;
    const qreal larghezzaVoci = n == 0 ? 0 : colonne * voce + (colonne - 1) * traColonne;
    const qreal altezzaTitolo = titoloSopra ? mt.height() + 4 * u : 0;
    const qreal larghezza = std::min(zona.width(),
                                     2 * margine + (titoloSopra ? std::max(larghezzaVoci, largTitolo)
                                                                : largTitolo + (n && largTitolo > 0 ? traColonne : 0)
                                                                      + larghezzaVoci));
    const qreal altezza = 2 * margine - 4 * u + altezzaTitolo + righe * riga;
    const QRectF box(zona.center().x() - larghezza / 2, zona.bottom() - altezza, larghezza, altezza);

    QPainter &p = t.p;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 22));
    p.drawRoundedRect(box.translated(2 * u, 2 * u), 4 * u, 4 * u);
    p.setBrush(Qt::white);
    p.setPen(QPen(BordoLegenda, u));
    p.drawRoundedRect(box, 4 * u, 4 * u);

    const qreal x0 = box.left() + margine;
    qreal y0 = box.top() + margine;
    qreal xVoci = x0;
    if (largTitolo > 0) {
        const QRectF r(x0, y0 - 2 * u, largTitolo + 1, titoloSopra ? mt.height() : riga);
        t.testo(TestoGrafico::Ruolo::Legenda, r, Qt::AlignLeft | Qt::AlignVCenter, g.titoloLegenda, fTitolo,
                TestoAsse);
        if (titoloSopra)
            y0 += altezzaTitolo;
        else
            xVoci += largTitolo + traColonne;
    }
    for (int i = 0; i < n; ++i) {
        const PuntoGrafico &pt = punti[i];
        const qreal x = xVoci + (i % colonne) * (voce + traColonne);
        const qreal y = y0 - 2 * u + (i / colonne) * riga;
        const QRectF c(x, y + (riga - campione) / 2, campione, campione);
        p.setPen(QPen(Grafico::contorno(pt.colore), u));
        p.setBrush(pt.colore);
        p.drawRect(c.adjusted(u / 2, u / 2, -u / 2, -u / 2));
        t.testo(TestoGrafico::Ruolo::Legenda, QRectF(x + campione + spazio, y, largEtichetta + 1, riga),
                Qt::AlignLeft | Qt::AlignVCenter, pt.etichetta, fVoce, TestoAsse);
        t.testo(TestoGrafico::Ruolo::Legenda, QRectF(x + voce - largValore - 1, y, largValore + 1, riga),
                Qt::AlignRight | Qt::AlignVCenter, Grafico::formatta(pt.valore), fVoce, TestoSegno);
    }
    return box;
}

// ---- marks

struct Segno
{
    QString testo;
    QRectF box;
};

void disegnaSegno(Tela &t, const Segno &s, const QFont &f)
{
    QPainter &p = t.p;
    p.setPen(QPen(BordoSegno, t.u));
    p.setBrush(QColor(255, 255, 255, 240));
    p.drawRoundedRect(s.box, 3 * t.u, 3 * t.u);
    t.testo(TestoGrafico::Ruolo::Segno, s.box, Qt::AlignCenter, s.testo, f, TestoSegno);
}

// ---- bars

struct Categorie
{
    bool abbreviate = false;
    int righe = 1;
};

void disegnaBarre(Tela &t, const Grafico &g, const QRectF &zona)
{
    QPainter &p = t.p;
    DisposizioneGrafico &d = t.d;
    const qreal u = t.u;
    const auto &punti = g.serie.punti;
    const int n = std::max<int>(1, int(punti.size()));
    const bool tre = g.tridimensionale;

    const QFont fAsse = verdana(8);
    const QFont fCategoria = verdana(9);
    const QFontMetricsF ma = t.metriche(fAsse), mc = t.metriche(fCategoria);
    const double massimo = g.serie.massimo();

    qreal dx = 0, dy = 0, larg = 0, slot = 0, sinistra = 0, alto = 0, basso = 0, altezza = 0;
    Asse asse = asseValori(massimo, 5);
    Categorie cat;
    qreal puntiSegno = 8;
    int livelli = 1;
    qreal altezzaSegno = 0;

    // The sizes depend on one another (axis labels, slot width, marks, grid
    // steps): two rounds settle them.
    for (int giro = 0; giro < 2; ++giro) {
        sinistra = std::max(ma.horizontalAdvance(Grafico::formatta(asse.massimo)),
                            ma.horizontalAdvance(Grafico::formatta(0))) + 10 * u;
        dx = tre ? std::clamp((zona.width() - sinistra) / n * 0.26, 4 * u, 20 * u) : 0;
        dy = dx * 0.75;
        larg = std::max(zona.width() - sinistra - dx - 4 * u, qreal(n));
        slot = larg / n;

        // Month names: one row, two staggered rows, then abbreviated.
        qreal largCat = 0, largAbbr = 0;
        for (const PuntoGrafico &pt : punti) {
            largCat = std::max(largCat, mc.horizontalAdvance(pt.etichetta));
            largAbbr = std::max(largAbbr, mc.horizontalAdvance(abbreviata(pt.etichetta)));
        }
        if (largCat <= slot - 4 * u)
            cat = {false, 1};
        else if (largCat <= 2 * slot - 6 * u)
            cat = {false, 2};
        else if (largAbbr <= slot - 4 * u)
            cat = {true, 1};
        else
            cat = {true, 2};

        // Marks: as large as fits a bar's slot, staggered when even the
        // smallest does not.
        livelli = 1;
        if (g.segniVisibili) {
            puntiSegno = 8;
            for (;; puntiSegno -= 0.5) {
                const QFontMetricsF ms = t.metriche(verdana(puntiSegno, true));
                qreal largSegno = 0;
                for (const PuntoGrafico &pt : punti)
                    largSegno = std::max(largSegno, ms.horizontalAdvance(Grafico::formatta(pt.valore)) + 8 * u);
                altezzaSegno = ms.height() + 4 * u;
                if (largSegno <= slot - 2 * u)
                    break;
                if (puntiSegno <= 7) {
                    livelli = 2;
                    break;
                }
            }
        }
        alto = dy + (g.segniVisibili ? livelli * (altezzaSegno + 3 * u) + 3 * u : ma.height() / 2 + 2 * u);
        basso = 3 * u + 5 * u + cat.righe * mc.height();
        altezza = std::max(zona.height() - alto - basso, 10 * u);
        const int tacche = std::clamp(int(altezza / (ma.height() * 2.2)), 1, 10);
        asse = asseValori(massimo, tacche);
    }

    const qreal x0 = zona.left() + sinistra, x1 = x0 + larg;
    const qreal yTop = zona.top() + alto, y0 = yTop + altezza;
    d.tracciato = QRectF(x0, yTop, larg, altezza);
    d.profondita = QPointF(dx, dy);
    d.massimoAsse = asse.massimo;
    d.passoAsse = asse.passo;
    auto yDi = [&](double v) { return y0 - std::clamp(v, 0.0, asse.massimo) / asse.massimo * altezza; };

    // Walls and floor.
    p.setPen(QPen(BordoPareti, u));
    QLinearGradient fondo(0, yTop - dy, 0, y0 - dy);
    fondo.setColorAt(0, ParetePosteriore1);
    fondo.setColorAt(1, ParetePosteriore2);
    p.setBrush(fondo);
    p.drawRect(QRectF(x0 + dx, yTop - dy, larg, altezza));
    if (tre) {
        p.setBrush(PareteSinistra);
        p.drawPolygon(QPolygonF({{x0, yTop}, {x0 + dx, yTop - dy}, {x0 + dx, y0 - dy}, {x0, y0}}));
        p.setBrush(Pavimento);
        p.drawPolygon(QPolygonF({{x0, y0}, {x1, y0}, {x1 + dx, y0 - dy}, {x0 + dx, y0 - dy}}));
        const qreal spessore = 3 * u;
        p.setPen(Qt::NoPen);
        p.setBrush(BordoPavimento);
        p.drawRect(QRectF(x0, y0, larg, spessore));
        p.setBrush(LatoPavimento);
        p.drawPolygon(QPolygonF({{x1, y0}, {x1 + dx, y0 - dy}, {x1 + dx, y0 - dy + spessore}, {x1, y0 + spessore}}));
    }

    // Grid lines on the back wall and along the left wall, ticks and values.
    const int passi = int(std::llround(asse.massimo / asse.passo));
    QRectF ultimoValore;
    for (int i = 0; i <= passi; ++i) {
        const double v = i * asse.passo;
        const qreal y = yDi(v);
        p.setPen(QPen(i == 0 ? BordoPareti : Griglia, u));
        if (i > 0)
            p.drawLine(QPointF(x0 + dx, y - dy), QPointF(x1 + dx, y - dy));
        if (tre && i > 0)
            p.drawLine(QPointF(x0, y), QPointF(x0 + dx, y - dy));
        p.setPen(QPen(LineaAsse, u));
        p.drawLine(QPointF(x0 - 4 * u, y), QPointF(x0, y));
        // In a very low chart a value that would touch the one below is left out.
        const qreal h = ma.height();
        const QRectF r(zona.left(), y - h / 2, sinistra - 7 * u, h);
        if (!ultimoValore.isNull() && r.intersects(ultimoValore))
            continue;
        t.testo(TestoGrafico::Ruolo::Asse, r, Qt::AlignRight | Qt::AlignVCenter, Grafico::formatta(v), fAsse,
                TestoAsse);
        ultimoValore = r;
    }
    p.setPen(QPen(LineaAsse, u));
    p.drawLine(QPointF(x0, yTop), QPointF(x0, y0 + (tre ? 3 * u : 0)));

    // The bars: lit front in the point's own colour, darker top, darker side.
    const qreal larghezzaBarra = std::max(u, tre ? std::min(slot * 0.58, slot * 0.86 - dx) : slot * 0.62);
    QList<QRectF> fronti;
    for (int i = 0; i < int(punti.size()); ++i) {
        const PuntoGrafico &pt = punti[i];
        const qreal bx = x0 + i * slot + (slot - larghezzaBarra - dx) / 2;
        const qreal yt = yDi(pt.valore);
        const QRectF fronte(bx, yt, larghezzaBarra, y0 - yt);
        fronti.append(fronte);
        const QColor bordo = Grafico::contorno(pt.colore);
        p.setPen(QPen(bordo, u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (tre) {
            p.setBrush(pt.colore.darker(145));
            p.drawPolygon(QPolygonF({{bx + larghezzaBarra, yt}, {bx + larghezzaBarra + dx, yt - dy},
                                     {bx + larghezzaBarra + dx, y0 - dy}, {bx + larghezzaBarra, y0}}));
            p.setBrush(pt.colore.darker(116));
            p.drawPolygon(QPolygonF({{bx, yt}, {bx + dx, yt - dy}, {bx + larghezzaBarra + dx, yt - dy},
                                     {bx + larghezzaBarra, yt}}));
        }
        if (fronte.height() > 0) {
            p.setBrush(pt.colore);
            p.drawRect(fronte);
        } else if (!tre) {
            p.drawLine(QPointF(bx, y0), QPointF(bx + larghezzaBarra, y0)); // a zero bar lies flat
        }
    }

    // Month names under the floor, centred on the bars' fronts.
    for (int i = 0; i < int(punti.size()); ++i) {
        const QString testo = cat.abbreviate ? abbreviata(punti[i].etichetta) : punti[i].etichetta;
        const qreal w = std::min(mc.horizontalAdvance(testo) + 2, cat.righe * slot - 2 * u);
        const qreal y = y0 + (tre ? 3 * u : 0) + 5 * u + (cat.righe == 2 ? (i % 2) * mc.height() : 0);
        const QRectF r(fronti[i].center().x() - w / 2, y, w, mc.height());
        t.testo(TestoGrafico::Ruolo::Categoria, r, Qt::AlignCenter,
                QFontMetricsF(fCategoria, p.device()).elidedText(testo, Qt::ElideRight, w), fCategoria, TestoAsse);
        p.setPen(QPen(LineaAsse, u));
        p.drawLine(QPointF(fronti[i].center().x(), y0 + (tre ? 3 * u : 0)),
                   QPointF(fronti[i].center().x(), y0 + (tre ? 3 * u : 0) + 3 * u));
    }

    // Value marks over the bars; a mark that would touch its neighbour's goes
    // one level up, with a leader to its bar.
    if (g.segniVisibili) {
        const QFont fSegno = verdana(puntiSegno, true);
        const QFontMetricsF ms = t.metriche(fSegno);
        QList<QRectF> posti;
        for (int i = 0; i < int(punti.size()); ++i) {
            const QString testo = Grafico::formatta(punti[i].valore);
            const qreal w = ms.horizontalAdvance(testo) + 8 * u;
            const qreal cx = fronti[i].center().x() + dx / 2;
            const qreal base = fronti[i].top() - dy - 3 * u;
            QRectF box(cx - w / 2, base - altezzaSegno, w, altezzaSegno);
            int livello = 0;
            auto tocca = [&](const QRectF &b) {
                return std::any_of(posti.begin(), posti.end(),
                                   [&](const QRectF &o) { return o.adjusted(-u, -u, u, u).intersects(b); });
            };
            while (tocca(box) && livello + 1 < livelli) {
                ++livello;
                box.translate(0, -(altezzaSegno + 3 * u));
            }
            if (livello > 0) {
                p.setPen(QPen(Guida, u));
                p.drawLine(QPointF(cx, fronti[i].top() - dy), QPointF(cx, box.bottom()));
            }
            posti.append(box);
            disegnaSegno(t, {testo, box}, fSegno);
        }
    }
}

// ---- pie

void disegnaTorta(Tela &t, const Grafico &g, const QRectF &zona)
{
    QPainter &p = t.p;
    DisposizioneGrafico &d = t.d;
    const qreal u = t.u;
    const auto &punti = g.serie.punti;
    const double totale = g.serie.totale();
    const bool tre = g.tridimensionale;
    const qreal inclinazione = tre ? 0.52 : 1.0;
    const qreal fattoreSpessore = tre ? 0.13 : 0.0;

    // Slices clockwise from twelve o'clock; a point of value 0 has no slice.
    struct Fetta
    {
        int punto;
        qreal da, a; // degrees, da > a
        qreal meta() const { return (da + a) / 2; }
    };
    QList<Fetta> fette;
    if (totale > 0) {
        double cumulato = 0;
        for (int i = 0; i < int(punti.size()); ++i) {
            const double v = std::max(0.0, punti[i].valore);
            if (v <= 0)
                continue;
            const qreal da = 90 - cumulato / totale * 360;
            cumulato += v;
            fette.append({i, da, 90 - cumulato / totale * 360});
        }
    }

    // Marks outside the disc, on both sides, with leader lines: their font
    // shrinks until the busier side holds them all.
    QFont fSegno = verdana(8);
    qreal altezzaSegno = 0, largSegni = 0;
    QStringList testiSegni;
    for (const Fetta &f : fette)
        testiSegni << punti[f.punto].etichetta + QStringLiteral(": ") + Grafico::formatta(punti[f.punto].valore);
    if (g.segniVisibili && !fette.isEmpty()) {
        int destra = 0, sinistra = 0;
        for (const Fetta &f : fette)
            (std::cos(f.meta() * std::numbers::pi / 180) >= -1e-9 ? destra : sinistra)++;
        for (qreal pt = 8;; pt -= 0.5) {
            fSegno = verdana(pt);
            const QFontMetricsF ms = t.metriche(fSegno);
            altezzaSegno = ms.height() + 4 * u;
            largSegni = 0;
            for (const QString &s : testiSegni)
                largSegni = std::max(largSegni, ms.horizontalAdvance(s) + 10 * u);
            if (std::max(destra, sinistra) * (altezzaSegno + 3 * u) <= zona.height() || pt <= 5)
                break;
        }
    }
    const qreal scarto = largSegni > 0 ? 16 * u : 0;
    const qreal rxLargo = (zona.width() / 2 - scarto - largSegni - 4 * u) / 1.1;
    const qreal rxAlto = (zona.height() - 8 * u - altezzaSegno) / (2 * inclinazione * 1.1 + fattoreSpessore);
    const qreal rx = std::max(10 * u, std::min(rxLargo, rxAlto));
    const qreal ry = rx * inclinazione, spessore = rx * fattoreSpessore;
    const QPointF c(zona.center().x(), zona.top() + (zona.height() - 2 * ry - spessore) / 2 + ry);
    d.centroTorta = c;
    d.raggioX = rx;
    d.raggioY = ry;
    d.spessoreTorta = spessore;
    d.angoloIniziale = 90;

    // A soft shadow under the disc: translucent rings, one inside the other
    // (plain fills, which every device, PDF included, draws alike).
    if (tre) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 9));
        const QPointF centroOmbra(c.x() + 3 * u, c.y() + spessore + 3 * u);
        for (int i = 0; i < 5; ++i) {
            const qreal f = 1.07 - i * 0.02;
            p.drawEllipse(centroOmbra, rx * f, ry * (f + 0.03));
        }
    }

    if (fette.isEmpty()) {
        // An empty year: the outline of the disc and a word about it.
        QPen tratteggio(QColor(0xA8, 0xB3, 0xC0), u, Qt::DashLine);
        p.setPen(tratteggio);
        if (tre) {
            QPainterPath bordo;
            bordo.moveTo(suEllisse(c, rx, ry, 180));
            arco(bordo, c, rx, ry, 180, 360);
            arco(bordo, c + QPointF(0, spessore), rx, ry, 360, 180);
            bordo.closeSubpath();
            p.setBrush(QColor(0xEE, 0xF1, 0xF5));
            p.drawPath(bordo);
        }
        p.setBrush(QColor(0xF7, 0xF9, 0xFB));
        p.drawEllipse(c, rx, ry);
        if (!g.testoVuoto.isEmpty()) {
            const QFont f = verdana(9, true);
            const qreal h = t.metriche(f).height() * 2.4;
            t.testo(TestoGrafico::Ruolo::Avviso, QRectF(c.x() - rx * 0.8, c.y() - h / 2, rx * 1.6, h),
                    Qt::AlignCenter | Qt::TextWordWrap, g.testoVuoto, f, Guida);
        }
        return;
    }

    const bool intera = fette.size() == 1;
    // The rim: the front half of the disc's side, each slice's part shaded as
    // a lit cylinder.
    if (tre) {
        for (const Fetta &f : fette) {
            const qreal da = std::min<qreal>(f.da, 0), a = std::max<qreal>(f.a, -180);
            if (da <= a)
                continue;
            const QColor col = punti[f.punto].colore;
            QPainterPath bordo;
            bordo.moveTo(suEllisse(c, rx, ry, da));
            arco(bordo, c, rx, ry, da, a);
            arco(bordo, c + QPointF(0, spessore), rx, ry, a, da);
            bordo.closeSubpath();
            QLinearGradient luce(c.x() - rx, 0, c.x() + rx, 0);
            luce.setColorAt(0, col.darker(150));
            luce.setColorAt(0.32, col.darker(112));
            luce.setColorAt(1, col.darker(175));
            p.setBrush(luce);
            p.setPen(QPen(Grafico::contorno(col), u, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
            p.drawPath(bordo);
        }
    }
    // The top faces, in the points' own colours.
    for (const Fetta &f : fette) {
        const QColor col = punti[f.punto].colore;
        p.setPen(QPen(Grafico::contorno(col), u, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(col);
        if (intera) {
            p.drawEllipse(c, rx, ry);
            continue;
        }
        QPainterPath fetta(c);
        fetta.lineTo(suEllisse(c, rx, ry, f.da));
        arco(fetta, c, rx, ry, f.da, f.a);
        fetta.closeSubpath();
        p.drawPath(fetta);
    }

    if (!g.segniVisibili)
        return;
    struct Etichetta
    {
        int fetta;
        QPointF attacco;   // on the slice's edge
        qreal gomito;      // x where the leader turns horizontal
        qreal y;           // wanted centre
        QRectF box;
    };
    QList<Etichetta> lati[2]; // 0 right, 1 left
    for (int i = 0; i < int(fette.size()); ++i) {
        const qreal m = fette[i].meta();
        const qreal sn = std::sin(m * std::numbers::pi / 180), cs = std::cos(m * std::numbers::pi / 180);
        const qreal giu = sn < 0 ? spessore : 0; // a front slice's edge is at the bottom of the rim
        Etichetta e;
        e.fetta = i;
        e.attacco = suEllisse(c, rx, ry, m) + QPointF(0, giu);
        const QPointF fuori = suEllisse(c, rx * 1.1, ry * 1.1, m) + QPointF(0, giu);
        e.gomito = fuori.x();
        e.y = fuori.y();
        lati[cs >= -1e-9 ? 0 : 1].append(e);
    }
    // Inside the disc: its top face, its rim or its bottom edge.
    auto dentro = [&](const QPointF &q) {
        const qreal x = (q.x() - c.x()) / rx;
        const qreal yTop = (q.y() - c.y()) / ry, yFondo = (q.y() - c.y() - spessore) / ry;
        return x * x + yTop * yTop < 1 || x * x + yFondo * yFondo < 1
            || (std::abs(x) < 1 && q.y() >= c.y() && q.y() <= c.y() + spessore);
    };
    const qreal passo = altezzaSegno + 3 * u;
    for (int lato = 0; lato < 2; ++lato) {
        auto &el = lati[lato];
        std::sort(el.begin(), el.end(), [](const Etichetta &a, const Etichetta &b) { return a.y < b.y; });
        QList<qreal> cima;
        for (const Etichetta &e : el)
            cima.append(e.y - altezzaSegno / 2);
        const qreal su = zona.top(), giu = zona.bottom() - altezzaSegno;
        for (int i = 1; i < int(cima.size()); ++i)
            cima[i] = std::max(cima[i], cima[i - 1] + passo);
        if (!cima.isEmpty() && cima.last() > giu) {
            cima.last() = giu;
            for (int i = int(cima.size()) - 2; i >= 0; --i)
                cima[i] = std::min(cima[i], cima[i + 1] - passo);
        }
        if (!cima.isEmpty() && cima.first() < su) {
            cima.first() = su;
            for (int i = 1; i < int(cima.size()); ++i)
                cima[i] = std::max(cima[i], cima[i - 1] + passo);
        }
        const QFontMetricsF ms = t.metriche(fSegno);
        for (int i = 0; i < int(el.size()); ++i) {
            Etichetta &e = el[i];
            const QString &testo = testiSegni[e.fetta];
            const qreal w = ms.horizontalAdvance(testo) + 10 * u;
            const qreal colonna = lato == 0 ? c.x() + rx * 1.1 + scarto : c.x() - rx * 1.1 - scarto;
            e.box = QRectF(lato == 0 ? colonna : colonna - w, cima[i], w, altezzaSegno);
            const qreal yc = e.box.center().y();
            // The leader runs out of the slice, then to its mark; when the
            // mark was pushed far from its slice the straight way would cross
            // the disc, so the leader goes round it along the marks' column.
            const qreal verso = lato == 0 ? 1 : -1;
            const QPointF fuori(e.gomito, e.y), ingresso(colonna - verso * 6 * u, yc);
            QPolygonF linea({e.attacco, fuori});
            bool attraversa = false;
            for (int k = 1; k < 24 && !attraversa; ++k)
                attraversa = dentro(fuori + (ingresso - fuori) * (k / 24.0));
            if (attraversa)
                linea << QPointF(ingresso.x(), fuori.y());
            linea << ingresso << QPointF(colonna, yc);
            p.setPen(QPen(Guida, u));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(linea);
            p.setPen(Qt::NoPen);
            p.setBrush(Guida);
            p.drawEllipse(e.attacco, 1.6 * u, 1.6 * u);
            disegnaSegno(t, {testo, e.box}, fSegno);
        }
    }
}

} // namespace

double SerieGrafico::totale() const
{
    double s = 0;
    for (const PuntoGrafico &p : punti)
        if (p.valore > 0 && std::isfinite(p.valore))
            s += p.valore;
    return s;
}

double SerieGrafico::massimo() const
{
    double m = 0;
    for (const PuntoGrafico &p : punti)
        if (std::isfinite(p.valore))
            m = std::max(m, p.valore);
    return m;
}

Grafico::Grafico()
    : carattereTitolo(verdana(20, true)), coloreTitolo(Qt::black), caratterePiede(verdana(11, true)),
      colorePiede(Qt::black)
{
}

QString Grafico::formatta(double valore)
{
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    if (!std::isfinite(valore))
        return QStringLiteral("0");
    if (std::abs(valore - std::round(valore)) < 1e-9)
        return italiano.toString(qint64(std::llround(valore)));
    return italiano.toString(valore, 'f', 2);
}

QColor Grafico::contorno(const QColor &colore)
{
    QColor c = colore.darker(150);
    // A near-white colour gets an edge that still shows on white paper.
    if (c.lightness() > 165) {
        const float f = 165.0f / c.lightness();
        c = QColor::fromRgbF(c.redF() * f, c.greenF() * f, c.blueF() * f);
    }
    return c;
}

DisposizioneGrafico Grafico::disegna(QPainter &pittore, const QRectF &area) const
{
    DisposizioneGrafico d;
    d.area = area;
    pittore.save();
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setRenderHint(QPainter::TextAntialiasing);
    pittore.setClipRect(area, Qt::IntersectClip);
    pittore.fillRect(area, Qt::white);
    Tela t{pittore, d, unitaDi(pittore)};
    const qreal u = t.u;

    QRectF r = area.adjusted(12 * u, 8 * u, -12 * u, -8 * u);
    if (!titolo.isEmpty()) {
        const QFontMetricsF m = t.metriche(carattereTitolo);
        const QRectF b = m.boundingRect(QRectF(r.left(), r.top(), r.width(), 1e7),
                                        Qt::AlignHCenter | Qt::TextWordWrap, titolo);
        d.titolo = QRectF(r.left(), r.top(), r.width(), b.height());
        t.testo(TestoGrafico::Ruolo::Titolo, d.titolo, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, titolo,
                carattereTitolo, coloreTitolo);
        d.titolo = QRectF(b.left(), r.top(), b.width(), b.height());
        d.testi.last().rett = d.titolo;
        r.setTop(r.top() + b.height() + 10 * u);
    }
    if (!piede.isEmpty()) {
        const QFontMetricsF m = t.metriche(caratterePiede);
        const QRectF b = m.boundingRect(QRectF(r.left(), 0, r.width(), 1e7), Qt::AlignHCenter | Qt::TextWordWrap,
                                        piede);
        const QRectF riga(r.left(), r.bottom() - b.height(), r.width(), b.height());
        t.testo(TestoGrafico::Ruolo::Piede, riga, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, piede,
                caratterePiede, colorePiede);
        d.piede = QRectF(b.left(), riga.top(), b.width(), b.height());
        d.testi.last().rett = d.piede;
        r.setBottom(riga.top() - 8 * u);
    }
    if (legendaVisibile) {
        d.legenda = disegnaLegenda(t, *this, r);
        r.setBottom(d.legenda.top() - 10 * u);
    }
    if (r.height() > 0 && r.width() > 0) {
        if (serie.tipo == TipoGrafico::Barre)
            disegnaBarre(t, *this, r);
        else
            disegnaTorta(t, *this, r);
    }
    pittore.restore();
    return d;
}

bool Grafico::stampa(QPrinter &stampante, int copie) const
{
    stampante.setPageOrientation(QPageLayout::Landscape);
    stampante.setCopyCount(1);
    QPainter p;
    if (!p.begin(&stampante))
        return false;
    const QRectF pagina(QPointF(0, 0), stampante.pageLayout().paintRectPixels(stampante.resolution()).size());
    for (int i = 0; i < copie; ++i) {
        if (i > 0 && !stampante.newPage()) {
            p.end();
            return false;
        }
        disegna(p, pagina);
    }
    return p.end();
}

} // namespace qv
