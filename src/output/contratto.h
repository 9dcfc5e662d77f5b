#pragma once
// The collaboration contract as an RTF document: the full text of a coordinated
// and continuous collaboration contract in Italian, filled with the values of
// the contract screen's fields, written as one line of Windows-1252 RTF.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace qv {

// The field values by the name of the contract screen's control that holds
// them ("txtNomeDitta"); a name that is missing reads as an empty value.
using CampiContratto = QHash<QString, QString>;

// The names of the controls the document takes its values from, in the order
// of their first place in the text.
QStringList campiDocumentoContratto();

// Whether a birthplace as a card writes it names a foreign state ("Germania",
// "Francia (EE)"), which takes "in" where a comune takes "a".
bool luogoEstero(const QString &luogo);

// The whole document, laid out for A4 paper. For a collaborator whose valid
// codice fiscale says female her paragraph reads "Sig.ra", "nata" and
// "denominata"; a legal representative whose valid code says female is
// "nata"; a birthplace that is a foreign state follows "in" ("nata in
// Germania"), and a company's name that begins with "Ditta" is not given a
// second one. The monthly fee (txtStipendio) is written as every amount is
// shown ("1.234.567,89"). Values are written without leading and trailing blanks
// and control characters, as single Windows-1252 bytes; a backslash or a brace
// is escaped so that it stays text, a character outside the code page is
// written as an RTF Unicode escape and a control character inside a value as a
// blank, so the document stays one line.
QByteArray documentoContratto(const CampiContratto &campi);

// Writes the document to `percorso` through a temporary file in the same
// folder that replaces the old document only once it is whole: a failure
// leaves the previous document as it was. On failure returns false and, when
// `errore` is given, puts the reason there.
bool scriviDocumentoContratto(const QString &percorso, const CampiContratto &campi, QString *errore = nullptr);

} // namespace qv
