#pragma once
// Text rules shared by every part of the program: trimming, the a-z / A-Z
// case rules and the Windows-1252 code page that every stored file uses.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace qv {

// Removes characters with codes up to 32 (blanks and control characters) at both ends.
QString trimmed(const QString &s);
// The same without copying: the part of `s` between those characters.
QStringView trimmedView(QStringView s);

// Turns only the letters a-z into A-Z; every other character stays as it is.
QString upperAZ(const QString &s);

// Turns only the letters A-Z into a-z; every other character stays as it is.
QString lowerAZ(const QString &s);

// True when the text is not empty and holds only the digits 0-9.
bool allDigits(const QString &s);

// Windows-1252 byte of a Unicode code point, or -1 when the code page has none.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// come back as the control characters decoding gives them, so that a card read
// from an archive is written back byte for byte.
int cp1252Byte(char32_t codePoint);

// Whether the code page holds the character as a character of its own: not
// U+0080-U+009F, whose bytes are other characters or undefined. What a user
// may type is what this accepts.
bool cp1252Definito(char32_t codePoint);

// The first character of the text that Windows-1252 cannot hold (a whole
// character, even when it takes two UTF-16 units; the five undefined positions
// count as characters it cannot hold); empty when there is none.
QString primoFuoriCp1252(QStringView s);

// The number of characters of a text: a character beyond the first 65536
// (an emoji) is one, not the two UTF-16 units it takes.
qsizetype numeroCaratteri(QStringView s);

// Encodes to Windows-1252, one byte per character; a character that the code
// page cannot represent becomes "?".
QByteArray toCp1252(const QString &s);

// Decodes Windows-1252 bytes. The five bytes that the code page leaves
// undefined are read as the control characters of the same number.
QString fromCp1252(const char *data, qsizetype size);
inline QString fromCp1252(const QByteArray &bytes) { return fromCp1252(bytes.constData(), bytes.size()); }
// The same into `dest`, reusing its buffer when it has one of its own.
void fromCp1252(const char *data, qsizetype size, QString &dest);

// Whether `testo` contains `chiave`, with the letters A-Z of `testo` taken as
// a-z; `chiave` is given already in that form (see lowerAZ). An empty key is
// contained in every text.
bool containsAZ(QStringView testo, QStringView chiave);

} // namespace qv
