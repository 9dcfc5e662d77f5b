#pragma once
// The spreadsheet file of the exports and the work log: an HTML table with the
// Office spreadsheet namespaces, saved as ".xls", one line of Windows-1252 text.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace qv {

struct ColonnaFoglio
{
    QString intestazione;
    int larghezza; // the width attribute of the header cell
};

// The cells of one data row as they are written: each call adds the next
// cell; cells beyond the last column are left out, missing ones are empty.
class RigaFoglio
{
public:
    // Writes into `buffer` from byte `usati` on, growing it when needed, and
    // keeps `usati` at the end of what it wrote.
    RigaFoglio(QByteArray &buffer, qsizetype &usati, qsizetype colonne)
        : m_buffer(buffer), m_usati(usati), m_colonne(colonne)
    {
    }
    // A text, trimmed and converted as every value is.
    void testo(QStringView valore);
    // Windows-1252 bytes as the archives hold a field: already trimmed, and
    // written as the text they decode to would be.
    void byte(QByteArrayView valore);
    // The empty cells of the columns not given.
    void completa();

    // Room for `n` more bytes in the buffer; where they go.
    char *spazio(qsizetype n)
    {
        if (m_usati + n > m_buffer.size())
            cresci(n);
        return m_buffer.data() + m_usati;
    }

private:
    void cresci(qsizetype n);

    QByteArray &m_buffer;
    qsizetype &m_usati;
    qsizetype m_colonne;
    qsizetype m_celle = 0;
};

// Fills data row `riga` (0-based) of a document of `righe` rows.
using CelleRiga = std::function<void(qsizetype riga, RigaFoglio &celle)>;
// Told now and then how many data rows are written; false stops the writing.
using AvanzamentoScrittura = std::function<bool(qsizetype righeScritte)>;

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
// The same with the data rows given one at a time, so that they need not be
// held as texts: a large archive's export writes them straight from its grid.
QByteArray documentoFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne, qsizetype righe,
                           const CelleRiga &celle);
// `avanzamento` answering false stops the writing as a failure does, with no
// reason given.
bool scriviFoglio(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                  qsizetype righe, const CelleRiga &celle, QString *errore = nullptr,
                  const AvanzamentoScrittura &avanzamento = {});
// The composing alone: the document handed to `scarica` a block of about a
// megabyte at a time, as scriviFoglio writes it, with no file under it. For
// measuring what composing costs.
void componiFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne, qsizetype righe,
                   const CelleRiga &celle, const std::function<void(QByteArrayView blocco)> &scarica);

} // namespace qv
