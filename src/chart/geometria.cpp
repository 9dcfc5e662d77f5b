#include "geometria.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv::grafico {

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

} // namespace qv::grafico
