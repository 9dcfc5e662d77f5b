#include "incollato.h"

namespace qv {

namespace {

bool aCapoOTab(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x2028)
        || c == QChar(0x2029) || c == QChar(0x85);
}

} // namespace

QString senzaSeparatori(QStringView testo)
{
    QString s;
    s.reserve(testo.size());
    for (QChar c : testo)
        if (!c.isSpace() && c != u'.' && c != u'-' && c != QChar(0x2010) && c != QChar(0x2011)
            && c != QChar(0x2013))
            s.append(c);
    return s;
}

bool togliPrefissoPaese(QString &testo)
{
    if (testo.size() < 3 || (testo.at(0) != u'I' && testo.at(0) != u'i') || (testo.at(1) != u'T' && testo.at(1) != u't'))
        return false;
    for (QChar c : QStringView(testo).mid(2))
        if (c < u'0' || c > u'9')
            return false;
    testo.remove(0, 2);
    return true;
}

QString suUnaRiga(QStringView testo)
{
    QString s;
    s.reserve(testo.size());
    qsizetype i = 0;
    const qsizetype n = testo.size();
    while (i < n) {
        if (!aCapoOTab(testo.at(i)) && testo.at(i) != u' ') {
            s.append(testo.at(i++));
            continue;
        }
        // A run of blanks: kept as it is unless a tab or a line break is in it.
        qsizetype j = i;
        bool spezza = false;
        while (j < n && (aCapoOTab(testo.at(j)) || testo.at(j) == u' ')) {
            spezza = spezza || aCapoOTab(testo.at(j));
            ++j;
        }
        if (spezza)
            s.append(u' ');
        else
            s.append(testo.mid(i, j - i));
        i = j;
    }
    return s;
}

} // namespace qv
