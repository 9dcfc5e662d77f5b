#include "crypt.h"

namespace qv {

namespace {

// The key schedule. Every password store ever written depends on these three
// numbers, the one made at build time included: they never change.
constexpr quint16 kChiaveIniziale = 4817;
constexpr quint16 kMoltiplicatore = 40503;
constexpr quint16 kAddendo = 21379;

constexpr char kCifre[] = "0123456789ABCDEF";

quint16 prossimaChiave(quint16 chiave, quint8 cifrato)
{
    return quint16((quint32(cifrato) + chiave) * kMoltiplicatore + kAddendo);
}

int valoreCifra(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

} // namespace

QString CifraPassword(const QString &chiaro)
{
    QString out;
    out.reserve(chiaro.size() * 2);
    quint16 chiave = kChiaveIniziale;
    for (const QChar c : chiaro) {
        const quint8 cifrato = quint8(c.unicode() & 0xFF) ^ quint8(chiave >> 8);
        out += QLatin1Char(kCifre[cifrato >> 4]);
        out += QLatin1Char(kCifre[cifrato & 0x0F]);
        chiave = prossimaChiave(chiave, cifrato);
    }
    return out;
}

std::optional<QString> DecifraPassword(const QString &esadecimale)
{
    QString out;
    const qsizetype n = esadecimale.size() / 2;
    out.reserve(n);
    quint16 chiave = kChiaveIniziale;
    for (qsizetype i = 0; i < n; ++i) {
        const int alta = valoreCifra(esadecimale.at(2 * i));
        const int bassa = valoreCifra(esadecimale.at(2 * i + 1));
        if (alta < 0 || bassa < 0)
            return std::nullopt;
        const quint8 cifrato = quint8(alta << 4 | bassa);
        out += QChar(char16_t(cifrato ^ quint8(chiave >> 8)));
        chiave = prossimaChiave(chiave, cifrato);
    }
    return out;
}

} // namespace qv
