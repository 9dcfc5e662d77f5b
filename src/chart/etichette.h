#pragma once
// The chart's words: the title (with its subtitle) and the foot text, the
// legend, and the value marks.

#include "chart/tela.h"

namespace qv::grafico {

// Title and subtitle at the top of `zona`, the foot text at its bottom; `zona`
// shrinks to what is left between them.
void disegnaIntestazione(Tela &t, const Grafico &g, QRectF &zona);
void disegnaPiede(Tela &t, const Grafico &g, QRectF &zona);

// The legend at the bottom of `zona`: its box.
QRectF disegnaLegenda(Tela &t, const Grafico &g, const QRectF &zona);

// A value mark (`Segno`): its text in a rounded box.
void disegnaSegno(Tela &t, const Segno &s, const QFont &f);

} // namespace qv::grafico
