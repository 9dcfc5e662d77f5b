#pragma once
// The spreadsheet file of the exports and the work log: an HTML table with the
// Office spreadsheet namespaces, saved as ".xls", one line of Windows-1252 text.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace qv {

struct ColonnaFoglio
{
    QString intestazione;
    int larghezza; // the width attribute of the header cell
};

// The whole document. Every row gets one cell per column: missing values give
// empty cells, values beyond the last column are left out. Values are trimmed;
// "&", "<" and ">" are escaped in values, captions and the worksheet name, and
// a character outside Windows-1252 is written as a numeric character reference.
QByteArray documentoFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                           const QList<QStringList> &righe);

// Writes the document to `percorso` through a temporary file in the same folder
// that replaces the old file only once everything has been written: a failure
// leaves the old file, if any, as it was. On failure returns false and, when
// `errore` is given, puts the reason there.
bool scriviFoglio(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                  const QList<QStringList> &righe, QString *errore = nullptr);

} // namespace qv
