#pragma once
// Where the two drawings put everything, worked out before anything is
// painted: the bars' plot, fronts, axis values, month names and value marks;
// the pie's slices, disc and marks with their leaders. Only the fonts'
// measures of the device are needed, so the layout is tested on its own.

#include "chart/grafico.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QPaintDevice;

namespace qv {

// The device whose fonts are measured, and its pixels per pixel of a 96 dpi screen.
struct MisureGrafico
{
    const QPaintDevice *dispositivo = nullptr;
    qreal u = 1;

    QFontMetricsF metriche(const QFont &f) const { return QFontMetricsF(f, dispositivo); }
};

// A value mark: its text in a rounded box.
struct SegnoGrafico
{
    QString testo;
    QRectF box;
};

struct ImpaginazioneBarre
{
    // The front plane, from the zero line (bottom) to the top of the value
    // axis (top); the floor and walls lie (dx, dy) behind it.
    QRectF tracciato;
    qreal dx = 0, dy = 0;
    qreal slot = 0;        // the width each bar has on the floor
    qreal sinistra = 0;    // the width of the axis' values, left of the plot
    double massimoAsse = 0; // the value at the top of the axis
    double passoAsse = 0;   // the value between two grid lines

    // One line of the grid, and its value's text where it does not touch the one below.
    struct Valore
    {
        double valore = 0;
        qreal y = 0;
        QRectF rett;       // null: the value is left out
    };
    QList<Valore> valori;

    QList<QRectF> fronti;  // each point's bar front, in the points' order

    // A month name under the floor (elided to its room), with its tick.
    struct Categoria
    {
        QString testo;
        QRectF rett;
    };
    QList<Categoria> categorie;
    qreal baseTacche = 0;  // where the ticks under the floor start

    // Value marks, in the points' order; a mark pushed up a level hangs on a
    // leader from its bar's top.
    struct SegnoBarra
    {
        SegnoGrafico segno;
        bool guida = false;
        QPointF daBarra;   // the leader's foot on the bar's top
    };
    QList<SegnoBarra> segni;
    QFont carattereSegni;
    QFont carattereAsse, carattereCategorie;

    qreal yDi(double v) const;
};

ImpaginazioneBarre impaginaBarre(const MisureGrafico &m, const Grafico &g, const QRectF &zona);

struct ImpaginazioneTorta
{
    // Slices clockwise from twelve o'clock; a point of value 0 has no slice.
    struct Fetta
    {
        int punto;
        qreal da, a; // degrees, da > a
        qreal meta() const { return (da + a) / 2; }
    };
    QList<Fetta> fette;

    QPointF centro;        // of the top face
    qreal rx = 0, ry = 0, spessore = 0;

    // The marks outside the disc, right side first, each side from the top,
    // with the leader from the slice's edge (attacco) to the mark.
    struct SegnoFetta
    {
        SegnoGrafico segno;
        QPointF attacco;
        QPolygonF guida;
    };
    QList<SegnoFetta> segni;
    QFont carattereSegni;
};

ImpaginazioneTorta impaginaTorta(const MisureGrafico &m, const Grafico &g, const QRectF &zona);

} // namespace qv
