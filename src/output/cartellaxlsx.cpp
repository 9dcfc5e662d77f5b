#include "cartellaxlsx.h"

#include "core/date.h"
#include "core/filesicuro.h"
#include "core/importo.h"
#include "core/testo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace qv {

namespace {

// How often the rows written are told, and what the format holds at most.
constexpr qsizetype kPassoAvanzamento = 1024;
constexpr qsizetype kRigheMassime = 1048575; // data rows under the header row
// Column widths, in characters of the sheet's font: a note of 255 characters
// does not make a column wider than a screen.
constexpr double kLarghezzaMassima = 80;

const char *formatoNumerico(TipoCella tipo)
{
    switch (tipo) {
    case TipoCella::Codice: return "@";
    case TipoCella::Importo: return "#,##0.00";
    case TipoCella::Data: return "dd/mm/yyyy";
    case TipoCella::Ora: return "hh:mm";
    case TipoCella::Intero: return "0";
    case TipoCella::Testo: break;
    }
    return nullptr;
}

// The UTF-8 of every Windows-1252 byte. The control characters that a
// workbook cannot hold (all but tab and the line breaks) become blanks.
struct TabellaUtf8
{
    std::array<std::array<char, 4>, 256> byte{};
    std::array<quint8, 256> lunghezza{};
};

bool controlloVietato(char32_t c)
{
    return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
}

const TabellaUtf8 &tabellaUtf8()
{
    static const TabellaUtf8 t = [] {
        TabellaUtf8 t;
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QByteArray u = controlloVietato(char32_t(b)) ? QByteArray(" ") : fromCp1252(&c, 1).toUtf8();
            t.lunghezza[b] = quint8(u.size());
            std::copy(u.begin(), u.end(), t.byte[b].begin());
        }
        return t;
    }();
    return t;
}

// An amount as the program writes it ("1.250,50", "1250,5", ",5"); none for
// any other text.
std::optional<double> valoreImporto(QByteArrayView v)
{
    char cifre[64];
    qsizetype n = 0;
    bool cifra = false;
    for (const char c : v) {
        if (c >= '0' && c <= '9')
            cifra = true;
        else if (c != '.' && c != ',')
            return std::nullopt;
        if (c != '.' && n < qsizetype(sizeof cifre) - 1)
            cifre[n++] = c == ',' ? '.' : c;
    }
    if (!cifra || n >= qsizetype(sizeof cifre) - 1
        || statoImporto(QString::fromLatin1(v.data(), v.size())) != StatoImporto::Valido)
        return std::nullopt;
    bool ok = false;
    const double valore = QByteArrayView(cifre, n).toDouble(&ok);
    return ok ? std::optional<double>(valore) : std::nullopt;
}

std::optional<lxw_datetime> valoreData(QByteArrayView v)
{
    if (v.size() < 8 || v.size() > 10)
        return std::nullopt;
    const std::optional<QDate> d = leggiData(QString::fromLatin1(v.data(), v.size()));
    // The format counts days from 1900.
    if (!d || d->year() < 1900)
        return std::nullopt;
    return lxw_datetime{d->year(), d->month(), d->day(), 0, 0, 0};
}

std::optional<double> valoreIntero(QByteArrayView v)
{
    if (v.isEmpty() || v.size() > 9)
        return std::nullopt;
    double n = 0;
    for (const char c : v) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "8:30" or "08:30": the part of the day.
std::optional<double> valoreOra(QByteArrayView v)
{
    const qsizetype due = v.indexOf(':');
    if (due < 1 || due > 2 || v.size() != due + 3)
        return std::nullopt;
    const std::optional<double> ore = valoreIntero(v.first(due)), minuti = valoreIntero(v.sliced(due + 1));
    if (!ore || !minuti || *ore > 23 || *minuti > 59)
        return std::nullopt;
    return (*ore * 60 + *minuti) / 1440;
}

QString motivo(lxw_error e)
{
    return QStringLiteral("la cartella di lavoro non può essere scritta (%1)").arg(QString::fromUtf8(lxw_strerror(e)));
}

} // namespace

// The workbook being written: its sheet, the formats of the header and of
// each column, the widest content of each column so far and the cell the
// next value goes into.
struct StatoCartella
{
    lxw_worksheet *foglio = nullptr;
    lxw_format *intestazione = nullptr;
    std::vector<lxw_format *> formati;
    std::vector<TipoCella> tipi;
    std::vector<double> larghezze;
    lxw_row_t riga = 0;
    lxw_col_t colonna = 0;
    lxw_error errore = LXW_NO_ERROR;
    std::string utf8;

    RigaCartella nuovaRiga(lxw_row_t r)
    {
        riga = r;
        colonna = 0;
        return RigaCartella(*this);
    }

    void esito(lxw_error e)
    {
        if (e != LXW_NO_ERROR && errore == LXW_NO_ERROR)
            errore = e;
    }

    void allarga(lxw_col_t c, double caratteri)
    {
        larghezze[c] = std::max(larghezze[c], caratteri);
    }

    // The text in `utf8`, of `caratteri` characters, as a text cell.
    void scriviTesto(lxw_col_t c, qsizetype caratteri)
    {
        esito(worksheet_write_string(foglio, riga, c, utf8.c_str(), tipi[c] == TipoCella::Codice ? formati[c] : nullptr));
        allarga(c, double(caratteri));
    }

    void scriviNumero(lxw_col_t c, double valore, double caratteri)
    {
        esito(worksheet_write_number(foglio, riga, c, valore, formati[c]));
        allarga(c, caratteri);
    }

    // A value of its column's kind, its bytes plain ASCII; false when it is not one.
    bool scriviValore(lxw_col_t c, QByteArrayView v)
    {
        switch (tipi[c]) {
        case TipoCella::Importo:
            if (const std::optional<double> x = valoreImporto(v)) {
                // As it is shown: the whole part with its thousands dots, a comma and two decimals.
                const double intere = std::max(1.0, std::floor(std::log10(std::max(1.0, *x))) + 1);
                scriviNumero(c, *x, intere + std::floor((intere - 1) / 3) + 3);
                return true;
            }
            return false;
        case TipoCella::Data:
            if (std::optional<lxw_datetime> d = valoreData(v)) {
                esito(worksheet_write_datetime(foglio, riga, c, &*d, formati[c]));
                allarga(c, 10);
                return true;
            }
            return false;
        case TipoCella::Intero:
            if (const std::optional<double> x = valoreIntero(v)) {
                scriviNumero(c, *x, double(v.size()));
                return true;
            }
            return false;
        case TipoCella::Ora:
            if (const std::optional<double> x = valoreOra(v)) {
                scriviNumero(c, *x, 5);
                return true;
            }
            return false;
        case TipoCella::Testo:
        case TipoCella::Codice:
            break;
        }
        return false;
    }
};

void RigaCartella::byte(QByteArrayView valore)
{
    StatoCartella &s = m_stato;
    const lxw_col_t c = s.colonna++;
    if (c >= s.tipi.size() || valore.isEmpty())
        return;
    if (s.tipi[c] != TipoCella::Testo && s.tipi[c] != TipoCella::Codice && s.scriviValore(c, valore))
        return;
    const TabellaUtf8 &t = tabellaUtf8();
    s.utf8.clear();
    for (const char b : valore) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x20 && u < 0x80)
            s.utf8 += b;
        else
            s.utf8.append(t.byte[u].data(), t.lunghezza[u]);
    }
    s.scriviTesto(c, valore.size());
}

void RigaCartella::testo(QStringView valore)
{
    StatoCartella &s = m_stato;
    const lxw_col_t c = s.colonna++;
    const QStringView v = trimmedView(valore);
    if (c >= s.tipi.size() || v.isEmpty())
        return;
    if (s.tipi[c] != TipoCella::Testo && s.tipi[c] != TipoCella::Codice) {
        const QByteArray latino = v.toLatin1();
        if (latino.size() == v.size() && s.scriviValore(c, latino))
            return;
    }
    QString pulito = v.toString();
    for (QChar &ch : pulito)
        if (controlloVietato(ch.unicode()))
            ch = u' ';
    s.utf8 = pulito.toStdString();
    s.scriviTesto(c, numeroCaratteri(v));
}

bool componiCartella(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaCartella> &colonne,
                     qsizetype righe, const CelleCartella &celle, const ProprietaCartella &proprieta,
                     const AvanzamentoScrittura &avanzamento, QString *errore)
{
    if (righe > kRigheMassime || colonne.isEmpty()) {
        if (errore)
            *errore = QStringLiteral("un foglio di lavoro contiene al massimo %1 righe").arg(kRigheMassime);
        return false;
    }
    const QByteArray nomeFile = QFile::encodeName(percorso);
    // The sheet's rows wait in a file of their own until the workbook is
    // closed: in the system's folder for temporary files.
    QByteArray temporanei = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options opzioni{};
    opzioni.constant_memory = LXW_TRUE;
    opzioni.tmpdir = temporanei.data();
    opzioni.use_zip64 = LXW_TRUE;
    lxw_workbook *cartella = workbook_new_opt(nomeFile.constData(), &opzioni);
    if (!cartella) {
        if (errore)
            *errore = motivo(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return false;
    }

    StatoCartella s;
    s.foglio = workbook_add_worksheet(cartella, nomeFoglio.toStdString().c_str());
    s.intestazione = workbook_add_format(cartella);
    format_set_bold(s.intestazione);
    // One format for each kind of cell: the library finds the index of a
    // format it has not seen yet by hashing it at every cell.
    std::array<lxw_format *, 6> perTipo{};
    for (const ColonnaCartella &c : colonne) {
        lxw_format *&f = perTipo.at(size_t(c.tipo));
        const char *numerico = formatoNumerico(c.tipo);
        if (!f && numerico) {
            f = workbook_add_format(cartella);
            format_set_num_format(f, numerico);
        }
        s.formati.push_back(f);
        s.tipi.push_back(c.tipo);
        s.larghezze.push_back(c.larghezzaMinima);
    }
    if (!s.foglio || !s.intestazione) {
        workbook_close(cartella);
        QFile::remove(percorso);
        if (errore)
            *errore = motivo(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return false;
    }

    // The header row, bold; a caption takes a little more room than its
    // letters for the bold face and the filter's button.
    for (lxw_col_t c = 0; c < s.tipi.size(); ++c) {
        const QString &titolo = colonne.at(c).intestazione;
        s.esito(worksheet_write_string(s.foglio, 0, c, titolo.toStdString().c_str(), s.intestazione));
        s.allarga(c, numeroCaratteri(titolo) * 1.1 + 3);
    }

    bool interrotta = false;
    for (qsizetype r = 0; r < righe && s.errore == LXW_NO_ERROR; ++r) {
        if (avanzamento && r > 0 && r % kPassoAvanzamento == 0 && !avanzamento(r)) {
            interrotta = true;
            break;
        }
        RigaCartella riga = s.nuovaRiga(lxw_row_t(r + 1));
        celle(r, riga);
    }
    if (!interrotta && avanzamento && !avanzamento(righe))
        interrotta = true;

    // Each column as wide as its content, with the format its cells have, so
    // that what is typed into it later is read the same way.
    for (lxw_col_t c = 0; c < s.tipi.size(); ++c)
        s.esito(worksheet_set_column(s.foglio, c, c, std::min(kLarghezzaMassima, s.larghezze[c] + 1), s.formati[c]));
    worksheet_freeze_panes(s.foglio, 1, 0);
    // On paper: A4 landscape, every column on one page across (as many pages
    // down as the rows take), the header row on top of every page.
    worksheet_set_paper(s.foglio, 9);
    worksheet_set_landscape(s.foglio);
    worksheet_fit_to_pages(s.foglio, 1, 0);
    s.esito(worksheet_repeat_rows(s.foglio, 0, 0));
    s.esito(worksheet_autofilter(s.foglio, 0, 0, lxw_row_t(righe), lxw_col_t(s.tipi.size() - 1)));

    const std::string titolo = proprieta.titolo.toStdString(), oggetto = proprieta.oggetto.toStdString();
    lxw_doc_properties p{};
    p.title = const_cast<char *>(titolo.c_str());
    p.subject = const_cast<char *>(oggetto.c_str());
    p.author = const_cast<char *>("Quadrivela");
    p.comments = const_cast<char *>("Creato con Quadrivela");
    p.created = proprieta.creazione.isValid() ? time_t(proprieta.creazione.toSecsSinceEpoch()) : time_t(0);
    s.esito(workbook_set_properties(cartella, &p));

    const lxw_error chiusura = workbook_close(cartella);
    if (interrotta || s.errore != LXW_NO_ERROR || chiusura != LXW_NO_ERROR) {
        QFile::remove(percorso);
        if (errore)
            *errore = interrotta ? QString() : motivo(s.errore != LXW_NO_ERROR ? s.errore : chiusura);
        return false;
    }
    return true;
}

bool scriviCartella(const QString &percorso, const QString &nomeFoglio, const QList<ColonnaCartella> &colonne,
                    qsizetype righe, const CelleCartella &celle, const ProprietaCartella &proprieta,
                    const AvanzamentoScrittura &avanzamento, QString *errore)
{
    // The library names the file it writes when the workbook is closed: it is
    // composed in a folder of its own, then copied into place as every file
    // written whole is.
    const QTemporaryDir cartellaTemporanea;
    if (!cartellaTemporanea.isValid()) {
        if (errore)
            *errore = cartellaTemporanea.errorString();
        return false;
    }
    const QString composta = cartellaTemporanea.filePath(QStringLiteral("cartella.xlsx"));
    if (!componiCartella(composta, nomeFoglio, colonne, righe, celle, proprieta, avanzamento, errore))
        return false;
    QFile f(composta);
    if (!f.open(QIODevice::ReadOnly)) {
        if (errore)
            *errore = f.errorString();
        return false;
    }
    return scriviFileSicuro(
        percorso,
        [&f](const ScriviBlocco &scrivi) {
            QByteArray blocco;
            while (!f.atEnd()) {
                blocco = f.read(1 << 20);
                if (blocco.isEmpty() || !scrivi(blocco))
                    return false;
            }
            return true;
        },
        errore);
}

} // namespace qv
