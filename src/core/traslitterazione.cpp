#include "traslitterazione.h"

#include "core/testo.h"

#include <algorithm>

namespace qv {

namespace {

// Latin letters that are not a letter with marks in Unicode, and the letter
// each is drawn on. None of them is in the code page.
constexpr struct
{
    char16_t lettera, base;
} kSenzaSegni[] = {
    {u'\u0110', u'D'}, {u'\u0111', u'd'}, // Đ đ, Croatian and Vietnamese
    {u'\u0126', u'H'}, {u'\u0127', u'h'}, // Ħ ħ, Maltese
    {u'\u0131', u'i'},                    // ı, the Turkish i without its dot
    {u'\u013F', u'L'}, {u'\u0140', u'l'}, // Ŀ ŀ, Catalan
    {u'\u0141', u'L'}, {u'\u0142', u'l'}, // Ł ł, Polish
    {u'\u0166', u'T'}, {u'\u0167', u't'}, // Ŧ ŧ, Sami
};

// More marks than this on one letter are not a letter of any alphabet.
constexpr qsizetype kMassimoSegni = 4;

QString carattere(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

} // namespace

QString letteraOccidentale(char32_t c)
{
    if (c > 0x10FFFF || cp1252Definito(c) || !QChar::isLetter(c))
        return QString();
    for (const auto &s : kSenzaSegni)
        if (s.lettera == c)
            return QString(QChar(s.base));

    // The letter and its marks, one by one: Ș is S and a comma below.
    const QList<uint> parti = carattere(c).normalized(QString::NormalizationForm_D).toUcs4();
    const qsizetype segni = parti.size() - 1;
    if (segni < 0 || segni > kMassimoSegni || !QChar::isLetter(parti.front()))
        return QString();
    for (qsizetype i = 1; i < parti.size(); ++i)
        if (!QChar::isMark(parti.at(i)))
            return QString();

    // The letter keeps as many marks as the code page lets it, the marks
    // nearer the letter first (ǘ, a ü with an accent, is written ü).
    QList<unsigned> scelte;
    for (unsigned m = 0; m < (1u << segni); ++m)
        scelte.append(m);
    const auto tenuti = [segni](unsigned m) {
        QList<qsizetype> t;
        for (qsizetype i = 0; i < segni; ++i)
            if (m & (1u << i))
                t.append(i);
        return t;
    };
    std::stable_sort(scelte.begin(), scelte.end(), [&](unsigned x, unsigned y) {
        const QList<qsizetype> a = tenuti(x), b = tenuti(y);
        if (a.size() != b.size())
            return a.size() > b.size();
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end());
    });
    for (unsigned m : std::as_const(scelte)) {
        QList<uint> lettera{parti.front()};
        for (qsizetype i : tenuti(m))
            lettera.append(parti.at(i + 1));
        const QList<uint> composta =
            QString::fromUcs4(reinterpret_cast<const char32_t *>(lettera.constData()), lettera.size())
                .normalized(QString::NormalizationForm_C)
                .toUcs4();
        if (composta.size() == 1 && cp1252Definito(composta.front()))
            return carattere(composta.front());
    }
    return QString();
}

QString traslittera(QStringView testo, QList<Traslitterazione> *cambi)
{
    if (primoFuoriCp1252(testo).isEmpty())
        return testo.toString();
    // Text pasted from some systems carries its accents apart from their letters.
    const QString composto = testo.toString().normalized(QString::NormalizationForm_C);
    QString out;
    out.reserve(composto.size());
    for (qsizetype i = 0; i < composto.size(); ++i) {
        const qsizetype lunghezza =
            composto.at(i).isHighSurrogate() && i + 1 < composto.size() && composto.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QStringView uno = QStringView(composto).mid(i, lunghezza);
        i += lunghezza - 1;
        const char32_t c = lunghezza == 2 ? QChar::surrogateToUcs4(uno.at(0), uno.at(1)) : uno.at(0).unicode();
        const QString lettera = c < 0x80 ? QString() : letteraOccidentale(c);
        if (lettera.isEmpty()) {
            out.append(uno);
            continue;
        }
        out.append(lettera);
        const Traslitterazione t{uno.toString(), lettera};
        if (cambi && !cambi->contains(t))
            cambi->append(t);
    }
    return out;
}

} // namespace qv
