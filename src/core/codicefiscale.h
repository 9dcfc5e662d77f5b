#pragma once
// The codice fiscale of a person from the person's data, and the data read
// back from a code: three letters of the surname, three of the name, year,
// month letter, day (plus 40 for women), the cadastral code of the birthplace
// and the check letter. Codes changed for omocodia (letters L M N P Q R S T U V
// in place of the digits 0-9 at positions 7, 8, 10, 11, 13, 14 and 15) are read too.

#include "core/luoghi.h"

#include <QChar>
#include <QDate>
#include <QString>

#include <optional>

namespace qv {

struct DatiAnagrafici
{
    QString cognome;
    QString nome;
    QChar sesso; // 'M' or 'F'
    QDate nascita;
    QString codiceCatastale;
};

// The letters of a name as the code counts them: accented letters as their
// plain letter, apostrophes, blanks, hyphens and every other sign left out,
// in upper case ("D'Alò" gives "DALO").
QString lettereNome(const QString &testo);

// The three letters of a surname: its consonants, then its vowels, then X.
QString codiceCognome(const QString &cognome);
// The three letters of a name: the first, third and fourth consonant when it
// has more than three, otherwise as for a surname.
QString codiceNome(const QString &nome);

// The 16-character code; empty when the data cannot give one (a surname or
// name without letters, a sex other than M or F, an invalid date, a cadastral
// code that is not a letter and three digits).
QString CalcolaCodiceFiscale(const DatiAnagrafici &dati);

// Sex, birth date and cadastral code read from a code (upper or lower case,
// blanks round it ignored); cognome and nome stay empty. The century is the
// one that puts the birth neither after `oggi` nor 100 years or more before
// it. Nothing when the layout is impossible: not 16 characters, letters or
// digits where the other belong, a month letter that does not exist, a day
// 00, 32 to 40 or above 71, a day the month does not have, a cadastral code
// that is not a letter and three digits. The check letter is not looked at
// (ControllaCodFisc does that).
std::optional<DatiAnagrafici> LeggiCodiceFiscale(const QString &codice, QDate oggi);

// Why `testo` cannot be a codice fiscale, as a phrase without a capital or a
// full stop ("ha 8 caratteri invece di 16"); empty when it can, and for an
// empty text. A code of letters must have 16 of them, letters and digits each
// in their places (the letters of omocodia in place of digits), the right
// check letter and a birth date and place that can exist; a code of digits
// alone is a company's, 11 digits with the right check digit.
QString difettoCodiceFiscale(const QString &testo);

// The sex a code gives, 'M' or 'F', when its check letter is right and its
// layout possible (whatever the century); a null character otherwise.
QChar SessoDaCodiceFiscale(const QString &codice);

} // namespace qv

// The same names outside the program's namespace, for code that calls them so.
using qv::CalcolaCodiceFiscale;
using qv::CodiceCatastale;
using qv::DatiAnagrafici;
using qv::LeggiCodiceFiscale;
using qv::LuogoDaCodice;
