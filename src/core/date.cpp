#include "date.h"

#include "testo.h"

#include <QList>

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

bool separatore(QChar c)
{
    return c == u'/' || c == u'-' || c == u'.' || c.isSpace();
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

bool carattereData(QChar c)
{
    return (c >= u'0' && c <= u'9') || separatore(c);
}

DataDigitata leggiDataDigitata(QStringView testo)
{
    const QStringView t = trimmedView(testo).trimmed();
    if (t.isEmpty())
        return {};
    DataDigitata illeggibile{DataDigitata::Illeggibile, {}, {}};
    // A date begins with its day and ends with its year.
    if (separatore(t.front()) || separatore(t.back()))
        return illeggibile;

    // The parts: runs of digits between runs of separators.
    QList<QStringView> parti;
    qsizetype inizio = -1;
    for (qsizetype i = 0; i <= t.size(); ++i) {
        const bool cifra = i < t.size() && t[i] >= u'0' && t[i] <= u'9';
        if (i < t.size() && !cifra && !separatore(t[i]))
            return illeggibile;
        if (cifra && inizio < 0)
            inizio = i;
        else if (!cifra && inizio >= 0) {
            parti.append(t.mid(inizio, i - inizio));
            inizio = -1;
        }
    }
    // The digits alone: ddmmyy or ddmmyyyy.
    if (parti.size() == 1 && (t.size() == 6 || t.size() == 8) && parti.first().size() == t.size())
        parti = {t.first(2), t.mid(2, 2), t.mid(4)};
    if (parti.size() != 3 || (parti[2].size() != 2 && parti[2].size() != 4))
        return illeggibile;

    int g = 0, m = 0, a = 0;
    if (!leggiNumero(parti[0], 2, g) || !leggiNumero(parti[1], 2, m) || !leggiNumero(parti[2], 4, a))
        return illeggibile;
    if (parti[2].size() == 2)
        a += a < AnnoDueCifre ? 2000 : 1900;
    DataDigitata letta;
    letta.testo = QStringLiteral("%1/%2/%3")
                      .arg(g, 2, 10, QLatin1Char('0'))
                      .arg(m, 2, 10, QLatin1Char('0'))
                      .arg(a, 4, 10, QLatin1Char('0'));
    // Year 0 does not exist: the calendar goes from 1 BC to AD 1.
    const QDate d = a == 0 ? QDate() : QDate(a, m, g);
    letta.stato = d.isValid() ? DataDigitata::Valida : DataDigitata::Inesistente;
    if (d.isValid())
        letta.data = d;
    return letta;
}

} // namespace qv
