#pragma once
// What the chart's drawing files share: the chart's own greys, its font, the
// scale of the device and the painter that records every text it places.

#include "chart/grafico.h"
#include "chart/impaginazione.h"

#include <QFontMetricsF>
#include <QPainter>

namespace qv::grafico {

// The chart's own greys: walls, floor, grid, axis, marks.
inline const QColor ParetePosteriore1(0xF8, 0xFA, 0xFD);
inline const QColor ParetePosteriore2(0xEC, 0xF0, 0xF6);
inline const QColor PareteSinistra(0xE3, 0xE8, 0xEF);
inline const QColor Pavimento(0xD9, 0xE0, 0xE8);
inline const QColor BordoPavimento(0xBF, 0xC9, 0xD5);
inline const QColor LatoPavimento(0xAE, 0xBA, 0xC8);
inline const QColor BordoPareti(0xC2, 0xCC, 0xD7);
inline const QColor Griglia(0xCD, 0xD5, 0xDF);
inline const QColor LineaAsse(0x8A, 0x97, 0xA6);
inline const QColor TestoAsse(0x3C, 0x48, 0x57);
inline const QColor BordoSegno(0xA3, 0xAF, 0xBE);
inline const QColor TestoSegno(0x22, 0x30, 0x40);
inline const QColor Guida(0x7A, 0x88, 0x98);
inline const QColor BordoLegenda(0xC6, 0xCF, 0xDA);

inline QFont verdana(qreal punti, bool grassetto = false)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Device pixels per pixel of a 96 dpi screen.
inline qreal unitaDi(const QPainter &p)
{
    const QPaintDevice *d = p.device();
    return d && d->logicalDpiY() > 0 ? d->logicalDpiY() / 96.0 : 1.0;
}

// The painter with its helpers: the scale of the device and the record of
// every text placed.
struct Tela
{
    QPainter &p;
    DisposizioneGrafico &d;
    qreal u;

    QFontMetricsF metriche(const QFont &f) const { return QFontMetricsF(f, p.device()); }
    MisureGrafico misure() const { return {p.device(), u}; }

    void testo(TestoGrafico::Ruolo ruolo, const QRectF &r, int allineamento, const QString &t, const QFont &f,
               const QColor &colore)
    {
        p.setFont(f);
        p.setPen(colore);
        p.drawText(r, allineamento, t);
        d.testi.append({ruolo, t, r});
    }
};

using Segno = SegnoGrafico;

inline QString abbreviata(const QString &etichetta)
{
    return etichetta.size() > 3 ? etichetta.left(3) : etichetta;
}

} // namespace qv::grafico
