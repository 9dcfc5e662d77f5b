#include "foglio.h"

#include "core/filesicuro.h"
#include "core/testo.h"

#include <functional>
#include <limits>

namespace qv {

namespace {

// Everything before the worksheet name, one piece per line.
constexpr char kApertura[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
    " xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";

// From the end of the worksheet name to the start of the header row: the sheet
// is the selected one, pane 1 with active row 3, nothing protected.
constexpr char kOpzioni[] =
    "</x:Name>"
    "<x:WorksheetOptions>"
    "<x:Selected/>"
    "<x:Panes>"
    "<x:Pane>"
    "<x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow>"
    "</x:Pane>"
    "</x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions>"
    "</x:ExcelWorksheet>"
    "</x:ExcelWorksheets>"
    "</x:ExcelWorkbook>"
    "</xml><![endif]-->"
    "</head>"
    "<body>"
    "<table x:str>";

constexpr char kChiusura[] = "</table></body></html>";

constexpr char kCellaIntestazione[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
// sdnum marks the cell as text, so that LibreOffice keeps "00184" and the
// leading zeros of a partita IVA instead of reading a number.
constexpr char kCellaDato[] = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";

// Appends text in Windows-1252, with the three characters that would change the
// markup escaped and every character the code page lacks as "&#n;" (its code
// point, so a character outside the BMP is one reference; a lone surrogate is
// the replacement character). Runs of plain ASCII are copied in one go: an
// export of a large archive writes tens of millions of characters.
void aggiungiTesto(QByteArray &out, QStringView testo)
{
    const char16_t *p = testo.utf16();
    const qsizetype n = testo.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i;
        while (j < n && p[j] < 0x80 && p[j] != u'&' && p[j] != u'<' && p[j] != u'>')
            ++j;
        if (j > i) {
            const qsizetype inizio = out.size();
            out.resize(inizio + (j - i));
            char *d = out.data() + inizio;
            for (qsizetype k = i; k < j; ++k)
                *d++ = char(p[k]);
            i = j;
            continue;
        }
        const char16_t u = p[i++];
        switch (u) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        default: break;
        }
        char32_t cp = u;
        if (QChar::isHighSurrogate(u) && i < n && QChar::isLowSurrogate(p[i]))
            cp = QChar::surrogateToUcs4(u, p[i++]);
        else if (QChar::isSurrogate(u))
            cp = QChar::ReplacementCharacter;
        const int b = cp1252Byte(cp);
        if (b >= 0)
            out += char(b);
        else
            out += "&#" + QByteArray::number(quint32(cp)) + ';';
    }
}

// Composes the document into `out`. Whenever `out` holds a block of at least
// `blocco` bytes, `scarica(out)` takes them and empties it, so that a large
// export never holds the whole file in memory; it returns false to give up.
// The last bytes are left in `out`.
bool componi(QByteArray &out, qsizetype blocco, const std::function<bool(QByteArray &)> &scarica,
             const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne, const QList<QStringList> &righe)
{
    out += kApertura;
    aggiungiTesto(out, nomeFoglio);
    out += kOpzioni;

    out += "<tr>";
    for (const ColonnaFoglio &c : colonne) {
        out += kCellaIntestazione + QByteArray::number(c.larghezza) + '>';
        aggiungiTesto(out, c.intestazione);
        out += "</td>";
    }
    out += "</tr>";

    for (const QStringList &riga : righe) {
        out += "<tr>";
        for (qsizetype i = 0; i < colonne.size(); ++i) {
            out += kCellaDato;
            if (i < riga.size())
                aggiungiTesto(out, trimmedView(riga.at(i)));
            out += "</td>";
        }
        out += "</tr>";
        if (out.size() >= blocco && !scarica(out))
            return false;
    }

    out += kChiusura;
    return true;
}

} // namespace

QByteArray documentoFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                           const QList<QStringList> &righe)
{
    QByteArray out;
    componi(out, std::numeric_limits<qsizetype>::max(), {}, nomeFoglio, colonne, righe);
    return out;
}

bool scriviFoglio(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                  const QList<QStringList> &righe, QString *errore)
{
    constexpr qsizetype kBlocco = 1 << 20;
    return scriviFileSicuro(
        percorso,
        [&](const ScriviBlocco &scrivi) {
            const auto scarica = [&scrivi](QByteArray &dati) {
                const bool scritti = scrivi(dati);
                dati.truncate(0); // keeps the buffer for the next block
                return scritti;
            };
            QByteArray blocco;
            blocco.reserve(kBlocco + 64 * 1024);
            return componi(blocco, kBlocco, scarica, nomeFoglio, colonne, righe) && scrivi(blocco);
        },
        errore);
}

} // namespace qv
