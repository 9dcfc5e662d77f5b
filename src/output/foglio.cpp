#include "foglio.h"

#include "core/testo.h"

#include <QSaveFile>

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
// point, so a character outside the BMP is one reference).
void aggiungiTesto(QByteArray &out, const QString &testo)
{
    for (const char32_t cp : testo.toUcs4()) {
        switch (cp) {
        case U'&': out += "&amp;"; continue;
        case U'<': out += "&lt;"; continue;
        case U'>': out += "&gt;"; continue;
        default: break;
        }
        const int b = cp1252Byte(cp);
        if (b >= 0)
            out += char(b);
        else
            out += "&#" + QByteArray::number(quint32(cp)) + ';';
    }
}

} // namespace

QByteArray documentoFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                           const QList<QStringList> &righe)
{
    QByteArray out(kApertura);
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
            aggiungiTesto(out, trimmed(riga.value(i)));
            out += "</td>";
        }
        out += "</tr>";
    }

    out += kChiusura;
    return out;
}

bool scriviFoglio(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                  const QList<QStringList> &righe, QString *errore)
{
    const QByteArray documento = documentoFoglio(nomeFoglio, colonne, righe);
    QSaveFile file(percorso);
    // A short write (a full disk) is not an error for write(), and commit()
    // does not notice one that happens while the buffer is emptied on closing:
    // both are checked here, or a truncated file would replace the old one.
    const bool ok = file.open(QIODevice::WriteOnly)
                    && file.write(documento) == documento.size()
                    && file.flush()
                    && file.commit();
    if (!ok && errore)
        *errore = file.errorString();
    return ok;
}

} // namespace qv
