#include "importo.h"

#include "testo.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace qv {

namespace {

// A decimal number with the comma as separator: optional sign, digits with at
// most one comma, optional exponent. Anything else is not a number.
std::optional<double> leggiNumero(const QString &s)
{
    QByteArray c;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto at = [&](qsizetype k) { return k < n ? s.at(k).unicode() : char16_t(0); };
    if (at(i) == u'+' || at(i) == u'-')
        c.append(char(s.at(i++).unicode()));
    int digits = 0;
    bool comma = false;
    for (; i < n; ++i) {
        const char16_t ch = at(i);
        if (ch >= u'0' && ch <= u'9') {
            c.append(char(ch));
            ++digits;
        } else if (ch == u',' && !comma) {
            comma = true;
            c.append('.');
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (at(i) == u'e' || at(i) == u'E') {
        c.append('e');
        ++i;
        if (at(i) == u'+' || at(i) == u'-')
            c.append(char(s.at(i++).unicode()));
        int expDigits = 0;
        for (; at(i) >= u'0' && at(i) <= u'9'; ++i, ++expDigits)
            c.append(char(s.at(i).unicode()));
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    const double v = std::strtod(c.constData(), nullptr);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

// The general format: at most 15 significant digits, no trailing zeros, a
// comma as decimal separator, exponent written as E15 or E-5.
QString formatoGenerale(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    QString s = QString::fromLatin1(buf);
    const qsizetype e = s.indexOf(u'E');
    if (e >= 0) {
        QString mant = s.left(e);
        QString exp = s.mid(e + 1);
        const bool neg = exp.startsWith(u'-');
        if (exp.startsWith(u'+') || neg)
            exp.remove(0, 1);
        while (exp.size() > 1 && exp.startsWith(u'0'))
            exp.remove(0, 1);
        s = mant + u'E' + (neg ? QStringLiteral("-") : QString()) + exp;
    }
    s.replace(u'.', u',');
    return s;
}

} // namespace

StatoImporto statoImporto(QStringView testo)
{
    qsizetype virgola = -1;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c == u',') {
            if (virgola >= 0)
                return StatoImporto::SecondaVirgola;
            virgola = i;
        } else if (c != u'.' && (c < u'0' || c > u'9')) {
            return StatoImporto::Carattere;
        }
    }
    const QStringView intera = virgola >= 0 ? testo.left(virgola) : testo;
    if (virgola >= 0 && testo.mid(virgola + 1).contains(u'.'))
        return StatoImporto::PuntoDopoVirgola;
    if (!intera.contains(u'.'))
        return StatoImporto::Valido;
    // One to three digits, then groups of exactly three, each after a dot.
    qsizetype gruppo = 0;
    bool primo = true;
    for (QChar c : intera) {
        if (c == u'.') {
            if (gruppo == 0 || (primo && gruppo > 3) || (!primo && gruppo != 3))
                return StatoImporto::Migliaia;
            primo = false;
            gruppo = 0;
        } else {
            ++gruppo;
        }
    }
    return gruppo == 3 ? StatoImporto::Valido : StatoImporto::Migliaia;
}

QString importoIncollato(QStringView testo)
{
    QString s;
    s.reserve(testo.size());
    for (QChar c : testo)
        if (c != u'€' && !c.isSpace())
            s.append(c);
    return s;
}

QString formattaImporto(const QString &testo)
{
    const QString zero = QStringLiteral("0,00");
    QString t = trimmed(testo);
    if (t.isEmpty())
        return zero;
    if (statoImporto(t) == StatoImporto::Valido)
        t.remove(u'.');
    const std::optional<double> n = leggiNumero(t);
    if (!n)
        return zero;
    const double arrotondato = std::trunc(*n * 10000.0 + 0.5) / 10000.0;
    QString s = formatoGenerale(arrotondato == 0.0 ? 0.0 : arrotondato);
    if (!s.contains(u','))
        s += QStringLiteral(",00");
    if (trimmed(s) == QStringLiteral(","))
        s = zero;
    if (s.startsWith(u','))
        s.prepend(u'0');
    if (s.endsWith(u','))
        s += QStringLiteral("00");
    if (s.size() >= 2 && s.at(s.size() - 2) == u',' && s.back() >= u'0' && s.back() <= u'9')
        s += u'0';
    return s;
}

QString mostraImporto(QStringView testo)
{
    const QString t = trimmed(testo.toString());
    if (t.isEmpty() || statoImporto(t) != StatoImporto::Valido)
        return t;
    const QString f = formattaImporto(t);
    const qsizetype virgola = f.indexOf(u',');
    const QString intera = f.left(virgola);
    // Digits only: the general format writes a large number with an exponent.
    if (!allDigits(intera))
        return f;
    QString s;
    for (qsizetype i = 0; i < intera.size(); ++i) {
        if (i > 0 && (intera.size() - i) % 3 == 0)
            s += u'.';
        s += intera.at(i);
    }
    return s + f.mid(virgola);
}

QString importoArchivio(QStringView testo)
{
    QString t = trimmed(testo.toString());
    if (statoImporto(t) == StatoImporto::Valido)
        t.remove(u'.');
    return t;
}

} // namespace qv
