#pragma once
// What a valid codice fiscale says about its holder, in words, and where it
// disagrees with the data a card holds beside it (birth date, birthplace,
// surname and name).

#include <QDate>
#include <QString>
#include <QStringList>

namespace qv {

// "a Roma (RM)", "all'estero (Francia)" for the place whose code was
// `codiceCatastale` on `data` (or, failing that, at any time); for a code the
// table does not know, "in un luogo sconosciuto (codice catastale X999)".
QString descriviLuogoNascita(const QString &codiceCatastale, const QDate &data);

// "Nato il 10/12/1985 a Roma (RM)", "Nata il ..." for a woman's code, for a
// code whose check letter is right and whose layout is possible; empty otherwise.
QString descrizioneCodiceFiscale(const QString &codice, const QDate &oggi);

// The message for a code whose check letter is right but whose layout no
// person can have (a month or day that does not exist, a malformed place).
inline const QString MsgCodFiscImpossibile = QStringLiteral(
    "Attenzione: il carattere di controllo del codice fiscale digitato è esatto, ma il codice non può appartenere "
    "a nessuna persona: la data di nascita o il codice del luogo di nascita che contiene non esistono.");

// The data of a card that a code is held against, as the card's fields hold them.
struct DatiScheda
{
    QString cognomeNome; // "Rossi Mario", surname first
    QString luogo;       // "Roma" or "Roma (RM)"
    QString nascita;     // "dd/mm/yyyy"
};

// "Cognome e nome" split into its two parts: the first word is the surname,
// the first two when the first is a particle ("De Luca Anna Maria" gives "De
// Luca" and "Anna Maria"); a single word is all surname.
struct CognomeNome
{
    QString cognome;
    QString nome;
};
CognomeNome separaCognomeNome(const QString &testo);

// One sentence for each way a valid code disagrees with the card: birth date,
// birthplace, letters of surname and name. Nothing when the code is not valid
// or cannot be read, and nothing about a datum the card lacks or that cannot
// be compared (a birthplace the table does not know, a name of one word).
QStringList discordanzeCodiceFiscale(const QString &codice, const DatiScheda &scheda, const QDate &oggi);

} // namespace qv
