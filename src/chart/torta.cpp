#include "disegno.h"

#include "chart/etichette.h"
#include "chart/geometria.h"

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

} // namespace qv::grafico
