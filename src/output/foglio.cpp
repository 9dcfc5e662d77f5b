#include "foglio.h"

#include "core/filesicuro.h"
#include "core/testo.h"

#include <algorithm>
#include <cstring>
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

// Whether any of the n bytes is "&", "<" or ">", eight bytes at a time: most
// cells have none and are copied whole.
bool contieneSpeciali(const char *p, qsizetype n)
{
    constexpr quint64 uni = 0x0101010101010101ull, alti = 0x8080808080808080ull;
    const auto ha = [](quint64 w, unsigned char c) {
        const quint64 x = w ^ (uni * c);
        return ((x - uni) & ~x & alti) != 0;
    };
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        if (ha(w, '&') || ha(w, '<') || ha(w, '>'))
            return true;
    }
    for (; i < n; ++i)
        if (p[i] == '&' || p[i] == '<' || p[i] == '>')
            return true;
    return false;
}

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

// Composes the document. Whenever a block of at least `blocco` bytes is
// ready, `scarica` takes it, so that a large export never holds the whole file
// in memory; it returns false to give up. The last bytes are left in `out`.
// The rows are written straight into one buffer kept for every block.
bool componi(QByteArray &out, qsizetype blocco, const std::function<bool(const QByteArray &)> &scarica,
             const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne, qsizetype righe, const CelleRiga &celle,
             const AvanzamentoScrittura &avanzamento = {})
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

    qsizetype usati = out.size();
    if (righe > 0)
        out.resize(std::max<qsizetype>(usati, std::min<qsizetype>(blocco, 1 << 20) + (64 << 10)));
    for (qsizetype r = 0; r < righe; ++r) {
        if (avanzamento && r > 0 && r % 1024 == 0 && !avanzamento(r))
            return false;
        RigaFoglio riga(out, usati, colonne.size());
        std::memcpy(riga.spazio(4), "<tr>", 4);
        usati += 4;
        celle(r, riga);
        riga.completa();
        std::memcpy(riga.spazio(5), "</tr>", 5);
        usati += 5;
        if (usati >= blocco) {
            if (!scarica(QByteArray::fromRawData(out.constData(), usati)))
                return false;
            usati = 0;
        }
    }
    out.resize(usati);

    out += kChiusura;
    return !avanzamento || avanzamento(righe);
}

CelleRiga celleDi(const QList<QStringList> &righe)
{
    return [&righe](qsizetype r, RigaFoglio &celle) {
        for (const QString &valore : righe.at(r))
            celle.testo(valore);
    };
}

} // namespace

void RigaFoglio::cresci(qsizetype n)
{
    m_buffer.resize(std::max(2 * m_buffer.size(), m_usati + n));
}

void RigaFoglio::testo(QStringView valore)
{
    if (m_celle++ >= m_colonne)
        return;
    QByteArray testo;
    aggiungiTesto(testo, trimmedView(valore));
    const qsizetype dato = sizeof kCellaDato - 1;
    char *d = spazio(dato + testo.size() + 5);
    std::memcpy(d, kCellaDato, dato);
    std::memcpy(d + dato, testo.constData(), size_t(testo.size()));
    std::memcpy(d + dato + testo.size(), "</td>", 5);
    m_usati += dato + testo.size() + 5;
}

void RigaFoglio::byte(QByteArrayView valore)
{
    if (m_celle++ >= m_colonne)
        return;
    // A byte decodes to a character that encodes back to the same byte, so
    // the bytes are copied as they are but for the three that the markup
    // escapes (at most five bytes each).
    const qsizetype dato = sizeof kCellaDato - 1;
    const qsizetype n = valore.size();
    char *inizio = spazio(dato + 5 * n + 5);
    char *d = inizio;
    std::memcpy(d, kCellaDato, dato);
    d += dato;
    const char *p = valore.data();
    if (!contieneSpeciali(p, n)) {
        std::memcpy(d, p, size_t(n));
        std::memcpy(d + n, "</td>", 5);
        m_usati += dato + n + 5;
        return;
    }
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '&') {
            std::memcpy(d, "&amp;", 5);
            d += 5;
        } else if (c == '<') {
            std::memcpy(d, "&lt;", 4);
            d += 4;
        } else if (c == '>') {
            std::memcpy(d, "&gt;", 4);
            d += 4;
        } else {
            *d++ = c;
        }
    }
    std::memcpy(d, "</td>", 5);
    d += 5;
    m_usati += d - inizio;
}

void RigaFoglio::completa()
{
    const qsizetype dato = sizeof kCellaDato - 1;
    while (m_celle < m_colonne) {
        ++m_celle;
        char *d = spazio(dato + 5);
        std::memcpy(d, kCellaDato, dato);
        std::memcpy(d + dato, "</td>", 5);
        m_usati += dato + 5;
    }
}

QByteArray documentoFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                           const QList<QStringList> &righe)
{
    return documentoFoglio(nomeFoglio, colonne, righe.size(), celleDi(righe));
}

bool scriviFoglio(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                  const QList<QStringList> &righe, QString *errore)
{
    return scriviFoglio(percorso, nomeFoglio, colonne, righe.size(), celleDi(righe), errore);
}

QByteArray documentoFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne, qsizetype righe,
                           const CelleRiga &celle)
{
    QByteArray out;
    componi(out, std::numeric_limits<qsizetype>::max(), {}, nomeFoglio, colonne, righe, celle);
    return out;
}

bool scriviFoglio(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne,
                  qsizetype righe, const CelleRiga &celle, QString *errore, const AvanzamentoScrittura &avanzamento)
{
    constexpr qsizetype kBlocco = 1 << 20;
    return scriviFileSicuro(
        percorso,
        [&](const ScriviBlocco &scrivi) {
            const auto scarica = [&scrivi](const QByteArray &dati) { return scrivi(dati); };
            QByteArray blocco;
            return componi(blocco, kBlocco, scarica, nomeFoglio, colonne, righe, celle, avanzamento)
                && scrivi(blocco);
        },
        errore);
}

void componiFoglio(const QString &nomeFoglio, const QList<ColonnaFoglio> &colonne, qsizetype righe,
                   const CelleRiga &celle, const std::function<void(QByteArrayView blocco)> &scarica)
{
    QByteArray blocco;
    const auto passa = [&scarica](const QByteArray &dati) {
        scarica(dati);
        return true;
    };
    componi(blocco, 1 << 20, passa, nomeFoglio, colonne, righe, celle);
    scarica(blocco);
}

} // namespace qv
