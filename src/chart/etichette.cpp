#include "etichette.h"

#include <algorithm>

namespace qv::grafico {

namespace {

// The font at its own size when the text fits the width on one line, else
// shrunk in half points until it does (never below 6 points).
QFont suUnaRiga(const Tela &t, QFont f, const QString &testo, qreal larghezza)
{
    while (t.metriche(f).horizontalAdvance(testo) > larghezza && f.pointSizeF() > 6)
        f.setPointSizeF(std::max(6.0, f.pointSizeF() - 0.5));
    return f;
}

// One line centred at the top of `zona`; `zona` loses its height and `spazio` below it.
QRectF rigaInAlto(Tela &t, TestoGrafico::Ruolo ruolo, const QString &testo, const QFont &f, const QColor &colore,
                  QRectF &zona, qreal spazio)
{
    const QFontMetricsF m = t.metriche(f);
    const QString mostrato = m.elidedText(testo, Qt::ElideRight, zona.width());
    const qreal w = std::min(zona.width(), m.horizontalAdvance(mostrato) + 1);
    const QRectF r(zona.center().x() - w / 2, zona.top(), w, m.height());
    t.testo(ruolo, r, Qt::AlignCenter | Qt::TextSingleLine, mostrato, f, colore);
    zona.setTop(r.bottom() + spazio);
    return r;
}

} // namespace

void disegnaIntestazione(Tela &t, const Grafico &g, QRectF &zona)
{
    const qreal u = t.u;
    if (!g.titolo.isEmpty()) {
        const QFont f = suUnaRiga(t, g.carattereTitolo, g.titolo, zona.width());
        t.d.puntiTitolo = f.pointSizeF();
        t.d.titolo = rigaInAlto(t, TestoGrafico::Ruolo::Titolo, g.titolo, f, g.coloreTitolo, zona,
                                g.sottotitolo.isEmpty() ? 10 * u : 2 * u);
    }
    if (!g.sottotitolo.isEmpty()) {
        const QFont f = suUnaRiga(t, g.carattereSottotitolo, g.sottotitolo, zona.width());
        t.d.sottotitolo = rigaInAlto(t, TestoGrafico::Ruolo::Sottotitolo, g.sottotitolo, f, g.coloreSottotitolo,
                                     zona, 10 * u);
    }
}

void disegnaPiede(Tela &t, const Grafico &g, QRectF &zona)
{
    if (g.piede.isEmpty())
        return;
    const QFontMetricsF m = t.metriche(g.caratterePiede);
    const QRectF b = m.boundingRect(QRectF(zona.left(), 0, zona.width(), 1e7), Qt::AlignHCenter | Qt::TextWordWrap,
                                    g.piede);
    const QRectF riga(zona.left(), zona.bottom() - b.height(), zona.width(), b.height());
    t.testo(TestoGrafico::Ruolo::Piede, riga, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, g.piede,
            g.caratterePiede, g.colorePiede);
    t.d.piede = QRectF(b.left(), riga.top(), b.width(), b.height());
    t.d.testi.last().rett = t.d.piede;
    zona.setBottom(riga.top() - 8 * t.u);
}

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
        p.setPen(QPen(Grafico::contorno(pt.colore), Grafico::spessoreContorno(pt.colore) * u));
        p.setBrush(pt.colore);
        p.drawRect(c.adjusted(u / 2, u / 2, -u / 2, -u / 2));
        t.testo(TestoGrafico::Ruolo::Legenda, QRectF(x + campione + spazio, y, largEtichetta + 1, riga),
                Qt::AlignLeft | Qt::AlignVCenter, pt.etichetta, fVoce, TestoAsse);
        t.testo(TestoGrafico::Ruolo::Legenda, QRectF(x + voce - largValore - 1, y, largValore + 1, riga),
                Qt::AlignRight | Qt::AlignVCenter, Grafico::formatta(pt.valore), fVoce, TestoSegno);
    }
    return box;
}

void disegnaSegno(Tela &t, const Segno &s, const QFont &f)
{
    QPainter &p = t.p;
    p.setPen(QPen(BordoSegno, t.u));
    p.setBrush(QColor(255, 255, 255, 240));
    p.drawRoundedRect(s.box, 3 * t.u, 3 * t.u);
    t.testo(TestoGrafico::Ruolo::Segno, s.box, Qt::AlignCenter, s.testo, f, TestoSegno);
}

} // namespace qv::grafico
