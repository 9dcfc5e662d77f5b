#pragma once
// The password cipher: a byte-wise stream cipher driven by a 16-bit running
// key. Each character is taken as its low 8 bits, XORed with the high byte of
// the key and written as two hexadecimal digits; the key then moves on with
// the cipher byte, so the two routines are exact inverses for texts of
// characters up to U+00FF.

#include <QString>

#include <optional>

namespace qv {

// Two upper-case hexadecimal digits per character, no separators.
QString CifraPassword(const QString &chiaro);

// The plain text behind `esadecimale`: one character per pair of digits (either
// case), a trailing odd digit ignored. No value when a pair is not a
// hexadecimal number.
std::optional<QString> DecifraPassword(const QString &esadecimale);

} // namespace qv
