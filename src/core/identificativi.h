#pragma once
// The identifier checks behind the three check dialogs: codice fiscale,
// partita IVA (with the VAT office that issued it) and IBAN. The texts the
// dialogs show live here too, next to the rules they report on.

#include <QString>

namespace qv {

// ---- Codice fiscale --------------------------------------------------------

inline constexpr int LunghezzaCodFisc = 16;

inline const QString MsgCodFiscLunghezza =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
inline const QString MsgCodFiscValido = QStringLiteral("Il codice fiscale digitato è VALIDO.");
inline const QString MsgCodFiscErrato = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");

// True when the 16th character is the check letter of the first 15. Expects the
// text already in upper case: a text of any other length, or holding any
// character other than A-Z and 0-9 (blank, lower-case or accented letter,
// punctuation), is not valid. Letters count at every position, so codes
// rewritten for omocodia pass whenever their last letter is right.
bool ControllaCodFisc(const QString &codice);

// The check letter of the first 15 characters of a code (only A-Z and 0-9
// taken); a null character when the text is shorter or holds anything else.
QChar CarattereControlloCodFisc(QStringView primi15);

// ---- Partita IVA -----------------------------------------------------------

inline constexpr int LunghezzaPartitaIva = 11;

inline const QString MsgPartitaIvaLunghezza =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
inline const QString MsgPartitaIvaErrata =
    QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                   "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");

// True for exactly 11 digits 0-9 whose last one is the check digit of the first ten.
bool ControllaPartitaIva(const QString &piva);

// Name of the VAT office with the given three-digit code (compared as text);
// empty when the code has no office.
QString UfficioIva(const QString &codiceTreCifre);

// The message for a valid number: it names the office whose code is formed by
// the 8th to 10th characters of the number, or says that the table has no
// office with that code.
QString MsgPartitaIvaValida(const QString &piva);

// ---- IBAN ------------------------------------------------------------------

inline constexpr int LunghezzaIban = 27;

inline const QString MsgIbanLunghezza =
    QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
inline const QString MsgIbanValido = QStringLiteral("L'IBAN digitato è VALIDO.");
inline const QString MsgIbanErrato = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");

// Each letter A-Z replaced by its two-digit number 10-35; everything else kept.
QString LettereInCifre(const QString &testo);

// The MOD 97-10 remainder (0-96) of the text: upper-cased, a leading "IBAN" deleted,
// first four characters moved to the end, letters turned into numbers. Gives 0
// for an empty text and when the digit string holds anything but digits.
int RestoIban(const QString &testo);

// True when the remainder of the text, with every blank removed, is 1.
bool ControllaIban(const QString &iban);

} // namespace qv
