#pragma once
// Dates are "dd/mm/yyyy" texts everywhere in the program.

#include <QDate>
#include <QString>
#include <optional>

namespace qv {

// Parses a "dd/mm/yyyy" text (blanks around it ignored, day and month may have
// one digit) as a real calendar date: 31/02/2017 is refused, 29/02/2016 taken.
std::optional<QDate> leggiData(const QString &testo);

// Formats a date as "dd/mm/yyyy".
QString scriviData(const QDate &data);

} // namespace qv
