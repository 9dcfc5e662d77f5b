#pragma once
// The chart's geometry: points on the tilted disc of the pie, and the round
// steps of the value axis of the bars.

#include <QPainterPath>
#include <QPointF>

namespace qv::grafico {

// The point of the tilted disc at `gradi` (anticlockwise from three o'clock).
QPointF suEllisse(const QPointF &c, qreal rx, qreal ry, qreal gradi);

// The arc from `da` to `a` degrees, as points, at most half a degree apart.
void arco(QPainterPath &path, const QPointF &c, qreal rx, qreal ry, qreal da, qreal a);

// A round step for a value axis: 1, 2, 2.5 or 5 times a power of ten, never
// below one (the values are counts), giving about `tacche` steps up to `massimo`.
double passoTondo(double massimo, int tacche);

struct Asse
{
    double massimo = 5;
    double passo = 1;
};

// The axis for values up to `massimo` in about `tacche` round steps.
Asse asseValori(double massimo, int tacche);

} // namespace qv::grafico
