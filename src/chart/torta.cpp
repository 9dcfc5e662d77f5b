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

void disegnaTorta(Tela &t, const Grafico &g, const QRectF &zona)
{
    QPainter &p = t.p;
    DisposizioneGrafico &d = t.d;
    const qreal u = t.u;
    const auto &punti = g.serie.punti;
    const bool tre = g.tridimensionale;
    using Fetta = ImpaginazioneTorta::Fetta;
    const ImpaginazioneTorta torta = impaginaTorta(t.misure(), g, zona);
    const QList<Fetta> &fette = torta.fette;
    const QPointF c = torta.centro;
    const qreal rx = torta.rx, ry = torta.ry, spessore = torta.spessore;
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
            p.setPen(QPen(Grafico::contorno(col), Grafico::spessoreContorno(col) * u, Qt::SolidLine, Qt::FlatCap,
                          Qt::RoundJoin));
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

    // A pale slice would fade into the white paper: its outer edge gets a
    // wider line of its border colour.
    p.setBrush(Qt::NoBrush);
    for (const Fetta &f : fette) {
        const QColor col = punti[f.punto].colore;
        if (!Grafico::pallido(col))
            continue;
        p.setPen(QPen(Grafico::contorno(col), Grafico::spessoreContorno(col) * u, Qt::SolidLine, Qt::FlatCap,
                      Qt::RoundJoin));
        QPainterPath orlo;
        orlo.moveTo(suEllisse(c, rx, ry, intera ? 90 : f.da));
        arco(orlo, c, rx, ry, intera ? 90 : f.da, intera ? -270 : f.a);
        p.drawPath(orlo);
    }

    // The marks outside the disc, each with its leader from its slice's edge.
    for (const ImpaginazioneTorta::SegnoFetta &s : torta.segni) {
        p.setPen(QPen(Guida, u));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(s.guida);
        p.setPen(Qt::NoPen);
        p.setBrush(Guida);
        p.drawEllipse(s.attacco, 1.6 * u, 1.6 * u);
        disegnaSegno(t, s.segno, torta.carattereSegni);
    }
}

} // namespace qv::grafico
