#include "impaginazione.h"

#include "chart/geometria.h"
#include "chart/tela.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {

using grafico::abbreviata;
using grafico::arco;
using grafico::Asse;
using grafico::asseValori;
using grafico::suEllisse;
using grafico::verdana;

qreal ImpaginazioneBarre::yDi(double v) const
{
    return tracciato.bottom() - std::clamp(v, 0.0, massimoAsse) / massimoAsse * tracciato.height();
}

namespace {

struct Categorie
{
    bool abbreviate = false;
    int righe = 1;
};

} // namespace

ImpaginazioneBarre impaginaBarre(const MisureGrafico &m, const Grafico &g, const QRectF &zona)
{
    ImpaginazioneBarre out;
    const qreal u = m.u;
    const auto &punti = g.serie.punti;
    const int n = std::max<int>(1, int(punti.size()));
    const bool tre = g.tridimensionale;

    out.carattereAsse = verdana(8);
    out.carattereCategorie = verdana(9);
    const QFontMetricsF ma = m.metriche(out.carattereAsse), mc = m.metriche(out.carattereCategorie);
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
                const QFontMetricsF ms = m.metriche(verdana(puntiSegno, true));
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

    const qreal x0 = zona.left() + sinistra;
    const qreal yTop = zona.top() + alto, y0 = yTop + altezza;
    out.tracciato = QRectF(x0, yTop, larg, altezza);
    out.dx = dx;
    out.dy = dy;
    out.slot = slot;
    out.sinistra = sinistra;
    out.massimoAsse = asse.massimo;
    out.passoAsse = asse.passo;

    // The grid's values; in a very low chart a value that would touch the one
    // below is left out.
    const int passi = int(std::llround(asse.massimo / asse.passo));
    QRectF ultimoValore;
    for (int i = 0; i <= passi; ++i) {
        ImpaginazioneBarre::Valore v;
        v.valore = i * asse.passo;
        v.y = out.yDi(v.valore);
        const qreal h = ma.height();
        const QRectF r(zona.left(), v.y - h / 2, sinistra - 7 * u, h);
        if (ultimoValore.isNull() || !r.intersects(ultimoValore)) {
            v.rett = r;
            ultimoValore = r;
        }
        out.valori.append(v);
    }

    // The bars stand on the floor between the walls: each slot starts behind
    // the left wall's front edge, so that no bar covers the wall.
    const qreal larghezzaBarra = std::max(u, tre ? std::min(slot * 0.58, slot * 0.86 - dx) : slot * 0.62);
    for (int i = 0; i < int(punti.size()); ++i) {
        const qreal bx = x0 + dx + i * slot + (slot - larghezzaBarra - dx) / 2;
        const qreal yt = out.yDi(punti[i].valore);
        out.fronti.append(QRectF(bx, yt, larghezzaBarra, y0 - yt));
    }

    // Month names under the floor, centred on the bars' fronts.
    out.baseTacche = y0 + (tre ? 3 * u : 0);
    for (int i = 0; i < int(punti.size()); ++i) {
        const QString testo = cat.abbreviate ? abbreviata(punti[i].etichetta) : punti[i].etichetta;
        const qreal w = std::min(mc.horizontalAdvance(testo) + 2, cat.righe * slot - 2 * u);
        const qreal y = out.baseTacche + 5 * u + (cat.righe == 2 ? (i % 2) * mc.height() : 0);
        out.categorie.append({mc.elidedText(testo, Qt::ElideRight, w),
                              QRectF(out.fronti[i].center().x() - w / 2, y, w, mc.height())});
    }

    // Value marks over the bars; a mark that would touch its neighbour's goes
    // one level up, with a leader to its bar.
    out.carattereSegni = verdana(puntiSegno, true);
    if (g.segniVisibili) {
        const QFontMetricsF ms = m.metriche(out.carattereSegni);
        QList<QRectF> posti;
        auto tocca = [&](const QRectF &b) {
            return std::any_of(posti.begin(), posti.end(),
                               [&](const QRectF &o) { return o.adjusted(-u, -u, u, u).intersects(b); });
        };
        for (int i = 0; i < int(punti.size()); ++i) {
            const QString testo = Grafico::formatta(punti[i].valore);
            const qreal w = ms.horizontalAdvance(testo) + 8 * u;
            const qreal cx = out.fronti[i].center().x() + dx / 2;
            const qreal base = out.fronti[i].top() - dy - 3 * u;
            QRectF box(cx - w / 2, base - altezzaSegno, w, altezzaSegno);
            int livello = 0;
            while (tocca(box) && livello + 1 < livelli) {
                ++livello;
                box.translate(0, -(altezzaSegno + 3 * u));
            }
            posti.append(box);
            out.segni.append({{testo, box}, livello > 0, QPointF(cx, out.fronti[i].top() - dy)});
        }
    }
    return out;
}

ImpaginazioneTorta impaginaTorta(const MisureGrafico &m, const Grafico &g, const QRectF &zona)
{
    ImpaginazioneTorta out;
    using Fetta = ImpaginazioneTorta::Fetta;
    const qreal u = m.u;
    const auto &punti = g.serie.punti;
    const double totale = g.serie.totale();
    const bool tre = g.tridimensionale;
    const qreal inclinazione = tre ? 0.52 : 1.0;
    const qreal fattoreSpessore = tre ? 0.13 : 0.0;

    QList<Fetta> &fette = out.fette;
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
            const QFontMetricsF ms = m.metriche(fSegno);
            altezzaSegno = ms.height() + 4 * u;
            largSegni = 0;
            for (const QString &s : testiSegni)
                largSegni = std::max(largSegni, ms.horizontalAdvance(s) + 10 * u);
            if (std::max(destra, sinistra) * (altezzaSegno + 3 * u) <= zona.height() || pt <= 5)
                break;
        }
    }
    out.carattereSegni = fSegno;
    const qreal scarto = largSegni > 0 ? 16 * u : 0;
    const qreal rxLargo = (zona.width() / 2 - scarto - largSegni - 4 * u) / 1.1;
    const qreal rxAlto = (zona.height() - 8 * u - altezzaSegno) / (2 * inclinazione * 1.1 + fattoreSpessore);
    const qreal rx = std::max(10 * u, std::min(rxLargo, rxAlto));
    const qreal ry = rx * inclinazione, spessore = rx * fattoreSpessore;
    const QPointF c(zona.center().x(), zona.top() + (zona.height() - 2 * ry - spessore) / 2 + ry);
    out.centro = c;
    out.rx = rx;
    out.ry = ry;
    out.spessore = spessore;

    if (!g.segniVisibili || fette.isEmpty())
        return out;
    struct Etichetta
    {
        int fetta;
        QPointF attacco;   // on the slice's edge
        qreal gomito;      // x where the leader turns horizontal
        qreal y;           // wanted centre
    };
    QList<Etichetta> lati[2]; // 0 right, 1 left
    for (int i = 0; i < int(fette.size()); ++i) {
        const qreal mezzo = fette[i].meta();
        const qreal sn = std::sin(mezzo * std::numbers::pi / 180), cs = std::cos(mezzo * std::numbers::pi / 180);
        const qreal giu = sn < 0 ? spessore : 0; // a front slice's edge is at the bottom of the rim
        Etichetta e;
        e.fetta = i;
        e.attacco = suEllisse(c, rx, ry, mezzo) + QPointF(0, giu);
        const QPointF fuori = suEllisse(c, rx * 1.1, ry * 1.1, mezzo) + QPointF(0, giu);
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
    const QFontMetricsF ms = m.metriche(fSegno);
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
        for (int i = 0; i < int(el.size()); ++i) {
            const Etichetta &e = el[i];
            const QString &testo = testiSegni[e.fetta];
            const qreal w = ms.horizontalAdvance(testo) + 10 * u;
            const qreal colonna = lato == 0 ? c.x() + rx * 1.1 + scarto : c.x() - rx * 1.1 - scarto;
            const QRectF box(lato == 0 ? colonna : colonna - w, cima[i], w, altezzaSegno);
            const qreal yc = box.center().y();
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
            out.segni.append({{testo, box}, e.attacco, linea});
        }
    }
    return out;
}

} // namespace qv
