#pragma once
// The password store: an INI-format file holding the enciphered password as
// "Valore" of section "Accesso". The plain password is kept upper-cased (a-z
// only) and trimmed, so "abc" and "ABC" typed at the login are the same.

#include <QString>

#include <optional>

namespace qv {

// The password of a fresh installation, as the login screen announces it.
inline constexpr char kPasswordIniziale[] = "mirtillobianco";

// A typed password in the form it is stored and compared: a-z turned to A-Z,
// leading and trailing blanks removed.
QString passwordNormalizzata(const QString &digitata);

// True when `digitata`, normalised, can be stored and matched again: at most
// 255 characters, each of them up to U+00FF (the cipher keeps 8 bits only).
bool passwordMemorizzabile(const QString &digitata);

// The stored password, deciphered and trimmed; empty when the file, the section
// or the key is missing. No value when the file cannot be read or the stored
// value is not hexadecimal; the reason goes to `errore` when given.
std::optional<QString> leggiPassword(const QString &percorso, QString *errore = nullptr);

// Stores `digitata`, normalised and enciphered, leaving the rest of the file as
// it was. Refuses a password that passwordMemorizzabile() rejects. On failure
// the file is unchanged and the reason goes to `errore` when given.
bool scriviPassword(const QString &percorso, const QString &digitata, QString *errore = nullptr);

// Makes the store of a fresh installation, holding kPasswordIniziale, when
// nothing exists at `percorso`; an existing file is left alone. False with the
// reason in `errore` only when the store could not be written.
bool creaArchivioPassword(const QString &percorso, QString *errore = nullptr);

} // namespace qv
