#include "date.h"

#include "testo.h"

namespace qv {

namespace {

// Reads 1 to maxDigits decimal digits; false when there are none or too many.
bool leggiNumero(QStringView s, int maxDigits, int &value)
{
    if (s.isEmpty() || s.size() > maxDigits)
        return false;
    value = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    return true;
}

} // namespace

std::optional<QDate> leggiData(const QString &testo)
{
    const QString t = trimmed(testo);
    const qsizetype a = t.indexOf(u'/');
    const qsizetype b = a < 0 ? -1 : t.indexOf(u'/', a + 1);
    if (a < 0 || b < 0)
        return std::nullopt;
    int g = 0, m = 0, y = 0;
    const QStringView v(t);
    if (!leggiNumero(v.mid(0, a), 2, g) || !leggiNumero(v.mid(a + 1, b - a - 1), 2, m)
        || v.mid(b + 1).size() != 4 || !leggiNumero(v.mid(b + 1), 4, y) || y == 0)
        return std::nullopt;
    const QDate d(y, m, g);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString scriviData(const QDate &data)
{
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace qv
