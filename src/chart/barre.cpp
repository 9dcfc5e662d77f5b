#include "disegno.h"

#include "chart/etichette.h"
#include "chart/geometria.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv::grafico {

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
    // Each stands on the floor between the walls: its slot starts behind the
    // left wall's front edge, so that no bar covers the wall.
    const qreal larghezzaBarra = std::max(u, tre ? std::min(slot * 0.58, slot * 0.86 - dx) : slot * 0.62);
    QList<QRectF> fronti;
    for (int i = 0; i < int(punti.size()); ++i) {
        const PuntoGrafico &pt = punti[i];
        const qreal bx = x0 + dx + i * slot + (slot - larghezzaBarra - dx) / 2;
        const qreal yt = yDi(pt.valore);
        const QRectF fronte(bx, yt, larghezzaBarra, y0 - yt);
        fronti.append(fronte);
        const QColor bordo = Grafico::contorno(pt.colore);
        p.setPen(QPen(bordo, Grafico::spessoreContorno(pt.colore) * u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (tre) {
            // A zero bar is its top face only: a side of no height would be a stray stroke.
            if (fronte.height() > 0) {
                p.setBrush(pt.colore.darker(145));
                p.drawPolygon(QPolygonF({{bx + larghezzaBarra, yt}, {bx + larghezzaBarra + dx, yt - dy},
                                         {bx + larghezzaBarra + dx, y0 - dy}, {bx + larghezzaBarra, y0}}));
            }
            p.setBrush(pt.colore.darker(116));
            p.drawPolygon(QPolygonF({{bx, yt}, {bx + dx, yt - dy}, {bx + larghezzaBarra + dx, yt - dy},
                                     {bx + larghezzaBarra, yt}}));
        }
        if (fronte.height() > 0) {
            // The border lies round the front, not over it: the front keeps
            // the exact height of its value however wide the border.
            const qreal w = Grafico::spessoreContorno(pt.colore) * u;
            p.fillRect(fronte, pt.colore);
            p.setBrush(Qt::NoBrush);
            p.drawRect(fronte.adjusted(-w / 2, -w / 2, w / 2, w / 2));
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

} // namespace qv::grafico
