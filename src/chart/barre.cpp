#include "disegno.h"

#include "chart/etichette.h"
#include "chart/geometria.h"
#include "chart/impaginazione.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv::grafico {

void disegnaBarre(Tela &t, const Grafico &g, const QRectF &zona)
{
    QPainter &p = t.p;
    DisposizioneGrafico &d = t.d;
    const qreal u = t.u;
    const auto &punti = g.serie.punti;
    const bool tre = g.tridimensionale;
    const ImpaginazioneBarre b = impaginaBarre(t.misure(), g, zona);
    const qreal dx = b.dx, dy = b.dy, larg = b.tracciato.width(), altezza = b.tracciato.height();
    const qreal x0 = b.tracciato.left(), x1 = b.tracciato.right();
    const qreal yTop = b.tracciato.top(), y0 = b.tracciato.bottom();
    d.tracciato = b.tracciato;
    d.profondita = QPointF(dx, dy);
    d.massimoAsse = b.massimoAsse;
    d.passoAsse = b.passoAsse;

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
    for (int i = 0; i < int(b.valori.size()); ++i) {
        const ImpaginazioneBarre::Valore &v = b.valori[i];
        const qreal y = v.y;
        p.setPen(QPen(i == 0 ? BordoPareti : Griglia, u));
        if (i > 0)
            p.drawLine(QPointF(x0 + dx, y - dy), QPointF(x1 + dx, y - dy));
        if (tre && i > 0)
            p.drawLine(QPointF(x0, y), QPointF(x0 + dx, y - dy));
        p.setPen(QPen(LineaAsse, u));
        p.drawLine(QPointF(x0 - 4 * u, y), QPointF(x0, y));
        if (!v.rett.isNull())
            t.testo(TestoGrafico::Ruolo::Asse, v.rett, Qt::AlignRight | Qt::AlignVCenter, Grafico::formatta(v.valore),
                    b.carattereAsse, TestoAsse);
    }
    p.setPen(QPen(LineaAsse, u));
    p.drawLine(QPointF(x0, yTop), QPointF(x0, y0 + (tre ? 3 * u : 0)));

    // The bars: lit front in the point's own colour, darker top, darker side.
    for (int i = 0; i < int(punti.size()); ++i) {
        const PuntoGrafico &pt = punti[i];
        const QRectF &fronte = b.fronti[i];
        const qreal bx = fronte.left(), yt = fronte.top(), larghezzaBarra = fronte.width();
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
    for (int i = 0; i < int(b.categorie.size()); ++i) {
        const ImpaginazioneBarre::Categoria &c = b.categorie[i];
        t.testo(TestoGrafico::Ruolo::Categoria, c.rett, Qt::AlignCenter, c.testo, b.carattereCategorie, TestoAsse);
        p.setPen(QPen(LineaAsse, u));
        p.drawLine(QPointF(b.fronti[i].center().x(), b.baseTacche),
                   QPointF(b.fronti[i].center().x(), b.baseTacche + 3 * u));
    }

    // Value marks over the bars, a mark one level up with a leader to its bar.
    for (const ImpaginazioneBarre::SegnoBarra &s : b.segni) {
        if (s.guida) {
            p.setPen(QPen(Guida, u));
            p.drawLine(s.daBarra, QPointF(s.daBarra.x(), s.segno.box.bottom()));
        }
        disegnaSegno(t, s.segno, b.carattereSegni);
    }
}

} // namespace qv::grafico
