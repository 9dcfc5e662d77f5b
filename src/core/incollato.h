#pragma once
// Text as people paste it from a bank statement, an invoice or a spreadsheet,
// made fit for the field it goes into.

#include <QString>
#include <QStringView>

namespace qv {

// A codice fiscale, partita IVA or IBAN as it is printed: the blanks (spaces,
// tabs, line breaks), dots and dashes that group its characters dropped.
// "IT60 X054 2811 1010 0000 0123 456" gives "IT60X0542811101000000123456".
QString senzaSeparatori(QStringView testo);

// A partita IVA written with its country code: "IT01234567890" gives
// "01234567890" and true; any other text stays as it is, false.
bool togliPrefissoPaese(QString &testo);

// Text for a one-line field: each run of tabs and line breaks, with the blanks
// around it, becomes one blank. "Rossi\tMario" gives "Rossi Mario".
QString suUnaRiga(QStringView testo);

} // namespace qv
