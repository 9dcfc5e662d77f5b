#include "testo.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

namespace {

// Unicode code points of the bytes 0x80-0x9F; 0 marks a byte that Windows-1252 leaves undefined.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The character of every byte, in one table: decoding a large archive looks
// up tens of millions of bytes.
constexpr std::array<char16_t, 256> kCaratteri = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : char16_t(b);
    return t;
}();

} // namespace

QStringView trimmedView(QStringView s)
{
    while (!s.isEmpty() && s.front().unicode() <= 32)
        s = s.sliced(1);
    while (!s.isEmpty() && s.back().unicode() <= 32)
        s.chop(1);
    return s;
}

QString trimmed(const QString &s)
{
    const QStringView v = trimmedView(s);
    return v.size() == s.size() ? s : v.toString();
}

QString upperAZ(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

QString lowerAZ(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return out;
}

bool allDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

int cp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] != 0 && kHigh[i] == cp)
            return 0x80 + i;
    // The undefined bytes round-trip as the control characters that decoding gives them.
    if (cp >= 0x80 && cp <= 0x9F && kHigh[cp - 0x80] == 0)
        return int(cp);
    return -1;
}

bool cp1252Definito(char32_t cp)
{
    if (cp >= 0x80 && cp <= 0x9F)
        return false; // the five undefined bytes and the code points the other 27 stand for elsewhere
    return cp1252Byte(cp) >= 0;
}

QString primoFuoriCp1252(QStringView s)
{
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s.at(i).unicode();
        if (u < 0x80)
            continue;
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s.at(i + 1).unicode()))
            return s.mid(i, 2).toString();
        if (QChar::isSurrogate(u) || !cp1252Definito(u))
            return s.mid(i, 1).toString();
    }
    return QString();
}

qsizetype numeroCaratteri(QStringView s)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i, ++n)
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            ++i;
    return n;
}

QByteArray toCp1252(const QString &s)
{
    QByteArray out;
    out.reserve(s.size());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s.at(i).unicode();
        if (u < 0x80) {
            out.append(char(u));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s.at(i + 1).unicode())) {
            ++i; // one character outside the code page, one "?"
            out.append('?');
            continue;
        }
        const int b = cp1252Byte(u);
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

void fromCp1252(const char *data, qsizetype size, QString &dest)
{
    // A text shared with another would be copied by resize() only to be
    // overwritten; one of the right size already (a date, a code) is kept.
    if (!dest.isDetached())
        dest = QString(size, Qt::Uninitialized);
    else if (dest.size() != size)
        dest.resize(size);
    if (size == 0)
        return;
    char16_t *dst = reinterpret_cast<char16_t *>(dest.data());
    const auto *src = reinterpret_cast<const unsigned char *>(data);
    // A run of ASCII, most of any text, is only widened: sixteen bytes at a
    // time where the processor can, then eight.
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i sedici = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i));
        if (_mm_movemask_epi8(sedici) != 0) {
            for (int k = 0; k < 16; ++k)
                dst[i + k] = kCaratteri[src[i + k]];
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), _mm_unpacklo_epi8(sedici, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 8), _mm_unpackhi_epi8(sedici, zero));
        }
    }
#endif
    for (; i + 8 <= size; i += 8) {
        quint64 otto;
        std::memcpy(&otto, src + i, 8);
        if (otto & 0x8080808080808080ull) {
            for (int k = 0; k < 8; ++k)
                dst[i + k] = kCaratteri[src[i + k]];
        } else {
            for (int k = 0; k < 8; ++k)
                dst[i + k] = src[i + k];
        }
    }
    for (; i < size; ++i)
        dst[i] = kCaratteri[src[i]];
}

QString fromCp1252(const char *data, qsizetype size)
{
    QString out;
    if (size > 0)
        fromCp1252(data, size, out);
    return out;
}

bool containsAZ(QStringView testo, QStringView chiave)
{
    const auto minuscola = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    const qsizetype n = testo.size(), m = chiave.size();
    for (qsizetype i = 0; i + m <= n; ++i) {
        qsizetype k = 0;
        while (k < m && minuscola(testo[i + k].unicode()) == chiave[k].unicode())
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

} // namespace qv
