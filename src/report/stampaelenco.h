#pragma once
// The printed list of the list screens: a landscape A4 report with the
// screen's title, one line per list entry and the day of printing at the end.

#include "report/report.h"

class QPrinter;
class QWidget;

namespace qv {

// Each printed line takes this many report units of the list memo.
inline constexpr qreal AltezzaRigaElenco = 12.822;
// The list memo's height for a number of lines, and that of its data band.
constexpr qreal altezzaMemoElenco(int righe) { return righe * AltezzaRigaElenco; }
constexpr qreal altezzaBandaElenco(int righe) { return altezzaMemoElenco(righe) + 10; }

// The list report filled with a title and the lines, ready to lay out.
Report reportElenco(const QString &titolo, const QStringList &righe);

// Offers the print dialog for the printer and prints the list on it; false
// when the dialog is cancelled or the printer cannot be painted on.
bool stampaElenco(QWidget *padre, const QString &titolo, const QStringList &righe, QPrinter &stampante);
// The same on the default printer.
bool stampaElenco(QWidget *padre, const QString &titolo, const QStringList &righe);
// That printing as the list screens take it.
inline constexpr auto StampaElencoSchermo =
    qOverload<QWidget *, const QString &, const QStringList &>(&stampaElenco);

} // namespace qv
