#pragma once
// The workbook of the exports and of the work log in the Office Open XML
// format (.xlsx), for the spreadsheet programs of today: amounts are numbers
// with two decimals and dates are dates, so that they add up and subtract;
// codes stay text, so that no leading zero is lost; the header row is bold,
// frozen and filtered, every column as wide as its content, the sheet prints
// on A4 landscape, one page wide, with the header row on every page, and the
// document properties name the program. One worksheet, written row by row in constant
// memory, whatever the number of rows.

#include "output/foglio.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>

namespace qv {

// What a column holds, and so how its cells are written. A cell whose text is
// not what its column holds (an amount with a letter, a date that cannot be)
// is written as the text it is; an empty one is an empty cell, never a zero.
enum class TipoCella {
    Testo,   // text
    Codice,  // text that must stay text: codice fiscale, partita IVA, IBAN, CAP, phone numbers
    Importo, // "1.250,50": a number shown with two decimals and the thousands grouped
    Data,    // "dd/mm/yyyy": a date, shown as dd/mm/yyyy
    Ora,     // "hh:mm": a time of day
    Intero,  // "30": a whole number
};

struct ColonnaCartella
{
    QString intestazione;
    TipoCella tipo = TipoCella::Testo;
    int larghezzaMinima = 0; // in characters; the content and the caption may widen it
};

// The document properties: the program is the author.
struct ProprietaCartella
{
    QString titolo;
    QString oggetto;
    QDateTime creazione; // the document's date; invalid: the moment it is written
};

struct StatoCartella;

// The cells of one data row, in column order: each call fills the next cell;
// cells beyond the last column are left out, missing ones stay empty.
class RigaCartella
{
public:
    // A text, trimmed.
    void testo(QStringView valore);
    // Windows-1252 bytes as the archives hold a field: already trimmed.
    void byte(QByteArrayView valore);

private:
    friend struct StatoCartella;
    explicit RigaCartella(StatoCartella &stato) : m_stato(stato) {}
    StatoCartella &m_stato;
};

// Fills data row `riga` (0-based).
using CelleCartella = std::function<void(qsizetype riga, RigaCartella &celle)>;

// Writes the workbook to `percorso`: composed aside, then written through a
// temporary file in the same folder that replaces the old file only once it
// is whole. A failure, or `avanzamento` answering false, leaves the old file,
// if any, as it was and no file of its own; false then, with the reason in
// `errore` when given (none when the writing was stopped).
bool scriviCartella(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaCartella> &colonne,
                    qsizetype righe, const CelleCartella &celle, const ProprietaCartella &proprieta,
                    const AvanzamentoScrittura &avanzamento = {}, QString *errore = nullptr);

// The composing alone: the workbook written to `percorso` as it is, with no
// care for an old file or the disk. For measuring what composing costs.
bool componiCartella(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaCartella> &colonne,
                     qsizetype righe, const CelleCartella &celle, const ProprietaCartella &proprieta,
                     const AvanzamentoScrittura &avanzamento = {}, QString *errore = nullptr);

} // namespace qv
