#pragma once
// Letters of other Latin alphabets (Romanian, Polish, Hungarian, Turkish,
// Czech...) written with the letters of the code page every stored file uses
// (Windows-1252): "Popescu Ștefan" is kept as "Popescu Stefan", not refused.

#include <QList>
#include <QString>
#include <QStringView>

namespace qv {

// A letter the code page cannot hold and what it was written as.
struct Traslitterazione
{
    QString da; // the letter as it came (a whole character)
    QString a;  // the letter written in its place

    bool operator==(const Traslitterazione &) const = default;
};

// The letter of the code page that stands for `lettera`, a letter the code
// page cannot hold: the same letter with as many of its marks as the code page
// has (Ș as S, ő as o, ǘ as ü, ệ as ê) or, for the few Latin letters that are
// not a letter with marks, the plain letter they are drawn on (Ł as L, đ as d,
// ı as i). Empty for a character the code page holds already and for one with
// no Latin letter under it (a Greek or Cyrillic letter, a symbol, an emoji):
// those stay refused.
QString letteraOccidentale(char32_t lettera);

// `testo` in composed form (a letter followed by a combining accent becomes
// the accented letter), with every letter that letteraOccidentale() knows
// written as it says; every other character stays as it is. `cambi`, when
// given, gets each change not already in it, in the order of the text.
QString traslittera(QStringView testo, QList<Traslitterazione> *cambi = nullptr);

} // namespace qv
