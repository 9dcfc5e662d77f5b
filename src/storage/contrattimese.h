#pragma once
// How many contracts of a yearly archive were signed in each month of a year.

#include <QString>

#include <array>

namespace qv {

// The month (1 to 12) a contract signed on `dataStipula` counts in for the
// year `anno`, or 0 when it does not count. The date, trimmed and padded with
// blanks, is read by position as "dd/mm/yyyy": characters 4-5 must be a month
// "01" to "12" and characters 7-10 the year; nothing else is looked at.
int meseStipula(const QString &dataStipula, const QString &anno);

// The contracts of the archive at `percorso` signed in each month of `anno`;
// a missing archive is created empty. Failures are thrown as ErroreArchivio.
std::array<int, 12> contrattiPerMese(const QString &percorso, const QString &anno);

} // namespace qv
