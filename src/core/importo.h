#pragma once
// Amounts are texts with a decimal comma. The archives hold them without the
// thousands dots ("1234567,89"); every screen, list, print and document shows
// them with the dots ("1.234.567,89").

#include <QString>
#include <QStringView>

namespace qv {

// How a text stands against the way people write amounts: digits, the dot as
// the thousands separator before the decimal comma ("1.250,50"), at most one
// comma.
enum class StatoImporto {
    Valido,           // an amount: "1.250,50", "1250,5", ",5", "125", or nothing at all
    Migliaia,         // digits, dots and one comma, but a dot that does not separate groups of
                      // three digits ("12.5", "1250.50", "1..250"): unfinished while typing,
                      // not an amount once the field is left
    Carattere,        // a character no amount holds (a letter, a blank, a sign)
    SecondaVirgola,   // a second decimal comma ("1,250,50")
    PuntoDopoVirgola, // a dot among the decimals ("1,250.50")
};
StatoImporto statoImporto(QStringView testo);

// An amount pasted as it is printed: the euro sign and the blanks (spaces,
// tabs, line breaks, non-breaking spaces) dropped. "€ 1.250,50" gives "1.250,50".
QString importoIncollato(QStringView testo);

// Normalises an amount as typed: "125" gives "125,00", "12,5" gives "12,50",
// "12,345" stays, five or more decimals are rounded half up to four, and an
// empty or unreadable text gives "0,00". The dots of an amount whose thousands
// are grouped by them are dropped: "1.250,50" gives "1250,50".
QString formattaImporto(const QString &testo);

// An amount as it is shown everywhere: formatted (formattaImporto), then the
// thousands grouped by dots, "1234567,89" and "1.234.567,89" both give
// "1.234.567,89", "2500" gives "2.500,00". A text that is not an amount (a
// letter, two commas) is shown as it is, trimmed; an empty one stays empty.
QString mostraImporto(QStringView testo);

// An amount as the archives hold it: a shown amount loses its thousands dots
// ("1.234.567,89" gives "1234567,89"); any other text stays as it is, trimmed.
QString importoArchivio(QStringView testo);

} // namespace qv
