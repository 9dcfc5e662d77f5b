#pragma once
// The birthplaces of the codice fiscale: every Italian comune, also those that
// were merged or renamed (with the dates their code was in use), and every
// foreign state, each with its cadastral (Belfiore) code. The table is built
// from a maintained package at build time and carried as a resource of the core.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace qv {

struct Luogo
{
    QString codice;    // "H501"; a foreign state's begins with Z
    QString provincia; // "RM"; "EE" for a foreign state
    QDate dal;         // first day the code was in use
    QDate al;          // last day; null while still in use
    QString nome;      // "Roma", "Francia"
    QString oggi;      // a place that was Italian: what it is now ("Rijeka, in Croazia"); empty otherwise

    bool estero() const { return codice.startsWith(u'Z'); }
    // Whether the code was in use on `data`; a null date: at any time.
    bool validoIl(const QDate &data) const;
    // "Roma (RM)" for a comune, the bare name for a foreign state.
    QString descrizione() const;
};

// The whole table, sorted by code (read once, on first use).
const QList<Luogo> &tabellaLuoghi();

// What a name is compared by: letters and digits only, accents dropped,
// upper case ("Sant'Antonio d'Adda" and "SANT ANTONIO D ADDA" are the same).
QString chiaveLuogo(const QString &nome);

// The places called `luogo` (compared by chiaveLuogo; a name written with
// both forms, "Myanmar/Birmania", answers to either, and so does each other
// name the table gives a place: the other official name of a comune named in
// two languages, "Bozen", a name in everyday use, "Reggio Emilia", "USA",
// the name of today of a place that was Italian, "Rijeka"), in `provincia` when one
// is given ("EE" for the foreign states), whose code was in use on `data`
// (a null date: at any time).
QList<Luogo> luoghiPerNome(const QString &luogo, const QString &provincia, const QDate &data);

// The place with that code whose code was in use on `data` (a null date: the
// last place that had it); nullptr when there is none.
const Luogo *luogoPerCodice(const QString &codiceCatastale, const QDate &data);

// A birthplace as the cards write it, "Roma (RM)" or "Roma": the name and the
// province code in brackets, when there is one.
struct LuogoScritto
{
    QString nome;
    QString provincia;
};
LuogoScritto separaProvincia(const QString &testo);

// The cadastral code of the place called `luogo` in `provincia` (empty: the
// one in brackets after the name, "Roma (RM)", or any)
// whose code was in use on `data` (a null date: at any time); empty when no
// place or more than one answer, as "Samone" without its province.
QString CodiceCatastale(const QString &luogo, const QString &provincia, QDate data);

// The name of the place whose code was `codiceCatastale` on `data` (a null
// date: the last place that had it); empty when there is none.
QString LuogoDaCodice(const QString &codiceCatastale, QDate data);

// What to add when no place called `luogo` (in `provincia`) was in use on
// `data`, though one that was Italian once is: "Fiume fu un comune italiano
// fino al 16/09/1947; oggi è Rijeka, in Croazia: per chi vi è nato dopo,
// indicare lo stato estero". Empty otherwise.
QString luogoNonPiuItaliano(const QString &luogo, const QString &provincia, const QDate &data);

// Every place as the birthplace field offers it for completion ("Roma (RM)",
// "Francia"), each once, sorted.
QStringList nomiLuoghi();

} // namespace qv
