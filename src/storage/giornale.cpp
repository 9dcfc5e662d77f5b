#include "giornale.h"

#include "core/filesicuro.h"
#include "core/os/file.h"
#include "core/os/versa.h"

#include <cerrno>
#include <cstring>

namespace qv {

namespace {

bool s_letturaGuasta = false;

constexpr char kFirma[8] = {'Q', 'V', 'G', 'I', 'O', 'R', 'N', '1'};
constexpr qint64 kTesta = 20;
constexpr qint64 kCoda = 16;

void aggiungi(QByteArray &out, quint64 valore, int byte)
{
    for (int i = 0; i < byte; ++i)
        out.append(char((valore >> (8 * i)) & 0xFF));
}

quint64 numero(const char *dati, int byte)
{
    quint64 v = 0;
    for (int i = byte - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(dati[i]);
    return v;
}

std::optional<Giornale> decodifica(const QByteArray &g)
{
    if (g.size() < kTesta + kCoda || std::memcmp(g.constData(), kFirma, sizeof kFirma) != 0)
        return std::nullopt;
    const quint64 n = numero(g.constData() + 16, 4);
    if (quint64(g.size()) != quint64(kTesta) + n + quint64(kCoda))
        return std::nullopt;
    const qint64 corpo = g.size() - 8;
    if (impronta(g.constData(), corpo) != numero(g.constData() + corpo, 8))
        return std::nullopt;
    Giornale out;
    out.offset = numero(g.constData() + 8, 8);
    out.vecchi = g.mid(kTesta, qsizetype(n));
    out.improntaNuovi = numero(g.constData() + kTesta + qsizetype(n), 8);
    return out;
}

} // namespace

void guasti::guastaLetturaGiornale(bool guasta)
{
    s_letturaGuasta = guasta;
}

quint64 impronta(const char *dati, qint64 n)
{
    quint64 h = 14695981039346656037ull;
    for (qint64 i = 0; i < n; ++i) {
        h ^= static_cast<unsigned char>(dati[i]);
        h *= 1099511628211ull;
    }
    return h;
}

bool Giornale::perArchivio(int dimensione, qint64 dimensioneFile) const
{
    // Every number comes from a file: compared without arithmetic that could overflow.
    if (dimensione <= 0 || vecchi.size() != dimensione || dimensioneFile < dimensione)
        return false;
    return offset % quint64(dimensione) == 0 && offset <= quint64(dimensioneFile - dimensione);
}

bool Giornale::daRipristinare(const QByteArray &ora) const
{
    return ora != vecchi && impronta(ora.constData(), ora.size()) != improntaNuovi;
}

QByteArray componiGiornale(qint64 offset, const QByteArray &vecchi, const QByteArray &nuovi)
{
    QByteArray g(kFirma, sizeof kFirma);
    aggiungi(g, quint64(offset), 8);
    aggiungi(g, quint64(vecchi.size()), 4);
    g += vecchi;
    aggiungi(g, impronta(nuovi.constData(), nuovi.size()), 8);
    aggiungi(g, impronta(g.constData(), g.size()), 8);
    return g;
}

LetturaGiornale leggiGiornale(const QString &percorso, int dimensione)
{
    LetturaGiornale out;
    const int fd = os::apri(percorso, os::SoloLettura | os::SenzaLink);
    if (fd < 0) {
        if (errno == ENOENT)
            return out;
        out.stato = LetturaGiornale::Stato::Illeggibile;
        out.errore = errno;
        return out;
    }
    // A whole journal of this archive is exactly this long; one byte more
    // tells a longer file from it.
    const qint64 massimo = kTesta + qint64(dimensione) + kCoda + 1;
    QByteArray dati(massimo, Qt::Uninitialized);
    qint64 letti = 0;
    int errore = 0;
    const os::Tipo tipo = os::tipo(fd);
    if (tipo == os::Tipo::Ignoto)
        errore = errno;
    else if (tipo != os::Tipo::File)
        errore = EISDIR; // something else in the journal's place
    else if (s_letturaGuasta)
        errore = EIO;
    while (errore == 0 && letti < massimo) {
        const qint64 r = os::leggi(fd, dati.data() + letti, massimo - letti);
        if (r < 0)
            errore = errno;
        if (r <= 0)
            break;
        letti += r;
    }
    os::chiudi(fd);
    if (errore != 0) {
        // Never taken for a journal cut short: it may hold the only copy of a card.
        out.stato = LetturaGiornale::Stato::Illeggibile;
        out.errore = errore;
        return out;
    }
    dati.truncate(letti);
    if (std::optional<Giornale> g = decodifica(dati)) {
        out.stato = LetturaGiornale::Stato::Valido;
        out.giornale = std::move(*g);
    } else {
        out.stato = LetturaGiornale::Stato::Incompleto;
    }
    return out;
}

bool scriviGiornale(const QString &percorso, const QByteArray &contenuto)
{
    const int fd = os::apri(percorso, os::SoloScrittura | os::Crea | os::Tronca);
    if (fd < 0)
        return false;
    const char *p = contenuto.constData();
    qint64 n = contenuto.size();
    bool ok = true;
    while (n > 0) {
        const qint64 w = os::scrivi(fd, p, n);
        if (w <= 0) {
            if (w == 0)
                errno = ENOSPC;
            ok = false;
            break;
        }
        p += w;
        n -= w;
    }
    ok = ok && os::versa(fd);
    const int e = errno;
    os::chiudi(fd);
    if (!ok) {
        os::rimuovi(percorso);
        errno = e;
        return false;
    }
    sincronizzaCartella(percorso);
    return true;
}

void rimuoviGiornale(const QString &percorso)
{
    // A journal left behind by a lost removal is harmless: it names the new
    // card's fingerprint, which the archive then holds.
    os::rimuovi(percorso);
}

bool giornalePresente(const QString &percorso)
{
    return os::nomePresente(percorso);
}

} // namespace qv
