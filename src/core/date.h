#pragma once
// Dates are "dd/mm/yyyy" texts everywhere in the program.

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace qv {

// Parses a "dd/mm/yyyy" text (blanks around it ignored, day and month may have
// one digit) as a real calendar date: 31/02/2017 is refused, 29/02/2016 taken.
std::optional<QDate> leggiData(const QString &testo);

// Formats a date as "dd/mm/yyyy".
QString scriviData(const QDate &data);

// The characters a date is typed with: the digits and the separators "/",
// "-", "." and blanks.
bool carattereData(QChar c);

// A year typed with two digits: 00 to 69 are 2000 to 2069, 70 to 99 are 1970
// to 1999 ("21-12-26" is 21/12/2026, "1.2.85" is 01/02/1985).
constexpr int AnnoDueCifre = 70;

// A date as people type it, and what it says.
struct DataDigitata
{
    enum Stato {
        Vuota,       // nothing but blanks
        Valida,      // a real calendar date
        Inesistente, // day, month and year read, but no such day (31/02/2026, 32/01/2026)
        Illeggibile, // not day, month and year (too few or too many digits, another character)
    };
    Stato stato = Vuota;
    QDate data;    // Valida: the date
    QString testo; // Valida and Inesistente: what was read, as "dd/mm/yyyy" ("31/02/2026")
};

// Reads a typed date: day, month and year separated by "/", "-", "." or
// blanks, one separator or a run of them ("21/12/2026", "21-12-26",
// "21.12.2026", "1/2/2026", "21 / 12 / 2026"), or the digits alone, six or
// eight of them ("211226", "21122026"). Day and month have one or two digits,
// the year two (AnnoDueCifre) or four; blanks around the date are ignored, a
// separator there is not.
DataDigitata leggiDataDigitata(QStringView testo);

} // namespace qv
