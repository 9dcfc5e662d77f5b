#pragma once
// Amounts are texts with a decimal comma, normalised when an amount field is left.

#include <QString>

namespace qv {

// Normalises an amount as typed: "125" gives "125,00", "12,5" gives "12,50",
// "12,345" stays, five or more decimals are rounded half up to four, and an
// empty or unreadable text gives "0,00".
QString formattaImporto(const QString &testo);

} // namespace qv
