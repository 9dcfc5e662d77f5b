#pragma once
// The chart's two drawings, each inside the zone the words left free.

#include "chart/tela.h"

namespace qv::grafico {

// Three-dimensional (or flat) bars on a value axis, with the month names under
// the floor and the value marks over the bars.
void disegnaBarre(Tela &t, const Grafico &g, const QRectF &zona);
// The tilted pie, slices clockwise from twelve o'clock, marks outside the disc.
void disegnaTorta(Tela &t, const Grafico &g, const QRectF &zona);

} // namespace qv::grafico
