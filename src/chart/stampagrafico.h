#pragma once
// Printing a chart: the print dialog offering a number of copies, then the
// chart on a landscape page once for each copy the dialog ends with.

#include "chart/grafico.h"

class QPrinter;
class QWidget;

namespace qv {

enum class EsitoStampa { Stampato, Annullato, Fallito };

// The most copies the print dialog offers.
inline constexpr int MassimoCopie = 999;

// Offers the print dialog with `copie` copies (kept within 1 and MassimoCopie)
// and prints the chart as many times as the dialog's copies when it closes.
EsitoStampa stampaGrafico(QWidget *padre, const Grafico &grafico, int copie, QPrinter &stampante);

} // namespace qv
