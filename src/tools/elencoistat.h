#pragma once
// The comuni in use today as ISTAT lists them ("Elenco dei comuni italiani"),
// read from two packages that carry that list: one gives each cadastral code
// in use with its province and its name in capitals, the other the names in
// ISTAT's own letters and case. The table of birthplaces takes from them the
// name and province of every code in use today; a small file of manual
// repairs can still correct a place the two get wrong.

#include <QHash>
#include <QList>
#include <QString>

// One line of the table: dates as yyyyMMdd, an empty "al" while in use.
struct Luogo
{
    QString codice, provincia, dal, al, nome;
    QString altri; // other names it answers to, separated by "/" ("Bozen", "Reggio Emilia")
    QString oggi;  // what a place no longer Italian is today ("Rijeka, in Croazia")
};

// A comune in use today.
struct ComuneInUso
{
    QString provincia;
    QString nome;  // the Italian name
    QString altri; // the name in the other official language, for a comune named in two ("Bozen")
};

// What a name is matched by: letters and digits only, accents dropped, upper case.
QString chiaveNome(const QString &nome);

// A name of an Italian place in ISTAT's case, for the names no list carries
// any more: the joining words lower case ("Alano di Piave", "Bastida de'
// Dossi", "Porto d'Adda"), a letter after an apostrophe ("Sant'Angelo") or
// after a hyphen ("Ceto-Cerveno") upper case.
QString casoIstat(const QString &nome);

// Reads the comuni in use: `listaComuni` (codes, provinces, names in
// capitals, a mark for those in use), `citta` and `province` (the names as
// ISTAT writes them, with their province), `correzioni` (the manual repairs:
// "code TAB province TAB name" a line, # for a comment). Returns an error
// text, empty when all went well.
QString leggiComuniInUso(const QString &listaComuni, const QString &citta, const QString &province,
                         const QString &correzioni, QHash<QString, ComuneInUso> *comuni);

// Gives every Italian place no longer in use ISTAT's case, and every code in
// use today its current name and province (a code the table does not have in
// use is added from the day after its last use), with the other official
// name of a comune named in two languages. `resoconto` says what changed.
void aggiornaLuoghi(QList<Luogo> &luoghi, const QHash<QString, ComuneInUso> &inUso, QString *resoconto);

// Reads the names people use that the lists lack (`percorso`: "code TAB
// names separated by / TAB what the place is today", the last column only
// for a place no longer Italian; # for a comment) and gives them to every
// row of that code. Returns an error text, empty when all went well: a line
// that cannot be read, or a code the table does not have.
QString aggiungiAltriNomi(const QString &percorso, QList<Luogo> &luoghi);
