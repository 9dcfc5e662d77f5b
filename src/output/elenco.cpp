#include "elenco.h"

#include "core/importo.h"
#include "core/testo.h"

#include <algorithm>
#include <cstring>

namespace qv {

QString rigaElenco(std::span<const ColonnaElenco> colonne, std::span<const QStringView> valori)
{
    // Built in one buffer: a list of a large archive builds a line per card.
    QString riga;
    riga.reserve(160);
    for (size_t i = 0; i < colonne.size(); ++i) {
        const ColonnaElenco &c = colonne[i];
        QStringView valore = i < valori.size() ? trimmedView(valori[i]) : QStringView();
        QString importo;
        if (c.importo) {
            importo = mostraImporto(valore);
            valore = importo;
        }
        riga += c.separatore;
        if (c.larghezza == kNonTagliato) {
            riga += valore;
        } else {
            riga += valore.left(c.larghezza);
            riga.resize(riga.size() + c.larghezza - std::min<qsizetype>(valore.size(), c.larghezza), u' ');
        }
    }
    return riga;
}

FormaRigaByte::FormaRigaByte(std::span<const ColonnaElenco> colonne)
{
    for (const ColonnaElenco &c : colonne)
        m_pezzi.append({toCp1252(c.separatore.toString()), c.larghezza, c.importo});
}

QByteArrayView FormaRigaByte::mostrato(const Pezzo &p, QByteArrayView v, QByteArray &buffer)
{
    if (!p.importo)
        return v;
    // An amount is digits, dots and a comma: the same in Latin-1 and Windows-1252.
    buffer = mostraImporto(QString::fromLatin1(v.data(), v.size())).toLatin1();
    return buffer;
}

qsizetype FormaRigaByte::lunghezza(std::span<const QByteArrayView> valori) const
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < m_pezzi.size(); ++i) {
        const Pezzo &p = m_pezzi.at(i);
        n += p.separatore.size();
        QByteArray buffer;
        n += p.larghezza == kNonTagliato
                 ? (size_t(i) < valori.size() ? mostrato(p, valori[i], buffer).size() : 0)
                 : p.larghezza;
    }
    return n;
}

void FormaRigaByte::scrivi(std::span<const QByteArrayView> valori, char *d) const
{
    for (qsizetype i = 0; i < m_pezzi.size(); ++i) {
        const Pezzo &p = m_pezzi.at(i);
        QByteArray buffer;
        const QByteArrayView v = mostrato(p, size_t(i) < valori.size() ? valori[i] : QByteArrayView(), buffer);
        std::memcpy(d, p.separatore.constData(), size_t(p.separatore.size()));
        d += p.separatore.size();
        const qsizetype copiati = p.larghezza == kNonTagliato ? v.size() : std::min<qsizetype>(v.size(), p.larghezza);
        std::memcpy(d, v.data(), size_t(copiati));
        d += copiati;
        if (p.larghezza != kNonTagliato) {
            std::memset(d, ' ', size_t(p.larghezza - copiati));
            d += p.larghezza - copiati;
        }
    }
}

bool containsAZ(QByteArrayView testo, QByteArrayView chiave)
{
    const auto minuscola = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : char(c); };
    const qsizetype n = testo.size(), m = chiave.size();
    if (m == 0)
        return true;
    const char primo = chiave[0];
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (minuscola(static_cast<unsigned char>(testo[i])) != primo)
            continue;
        qsizetype k = 1;
        while (k < m && minuscola(static_cast<unsigned char>(testo[i + k])) == chiave[k])
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

int confrontaRighe(QByteArrayView a, QByteArrayView b, qsizetype da)
{
    const qsizetype n = std::min(a.size(), b.size());
    const auto *pa = reinterpret_cast<const unsigned char *>(a.data());
    const auto *pb = reinterpret_cast<const unsigned char *>(b.data());
    for (qsizetype i = da; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const unsigned char ca = codiceOrdineByte(pa[i]), cb = codiceOrdineByte(pb[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

char16_t codiceOrdine(char16_t c)
{
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    // The characters that Windows-1252 keeps at 0x80-0x9F (€, ’, Š...).
    const int b = cp1252Byte(c);
    return b >= 0 ? char16_t(b) : c;
}

int confrontaRighe(const QString &a, const QString &b, qsizetype da)
{
    // Compared in place: a sort calls this a million times for a large archive.
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    for (qsizetype i = da; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const char16_t ca = codiceOrdine(pa[i]), cb = codiceOrdine(pb[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool lessRiga(const QString &a, const QString &b)
{
    return confrontaRighe(a, b) < 0;
}

void ordinaRighe(QStringList &righe)
{
    std::stable_sort(righe.begin(), righe.end(), lessRiga);
}

EsitoTrova trovaVoce(const QStringList &voci, int selezionata, const QString &chiave, const QString &ultimaChiave)
{
    const qsizetype n = voci.size();
    if (n == 0)
        return {true, -1, ultimaChiave};

    const QString cercata = lowerAZ(chiave);
    qsizetype scelta = selezionata >= 0 && selezionata < n ? selezionata : 0;
    if (!cercata.isEmpty()) {
        // A new key tests the first entry first; the same key again starts after the selection.
        const qsizetype inizio = cercata == ultimaChiave ? (scelta + 1) % n : 0;
        for (qsizetype k = 0; k < n; ++k) {
            const qsizetype i = (inizio + k) % n;
            if (containsAZ(voci.at(i), cercata)) {
                scelta = i;
                break;
            }
        }
    }
    return {false, int(scelta), cercata};
}

} // namespace qv
