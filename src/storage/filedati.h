#pragma once
// The files the program writes and keeps in its folder, by their names: the
// list the safety copy takes, sets aside and puts back. Transient files (the
// journal of a save in progress, the presence lock, a temporary file) are
// not among them, nor is the log (Quadrivela.log): it tells what happened on
// this computer, and a restore must not put an older story in its place.

#include "core/cartella.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace qv {

// What a file of the copy is.
enum class GenereFileCopia {
    Dipendenti,   // Dipendenti.pro
    Contratti,    // yyyy.con
    Storico,      // an archive's history, Dipendenti.pro.storico or yyyy.con.storico
    Foto,         // n.jpg
    FoglioLavoro, // Dipendente_n.xls, Dipendente_n.xlsx
    Impostazioni, // Quadrivela.ini
    Password,     // unins000.dll
    Allegato,     // a file a card attaches, kept under "allegati/" in the zip
    Esportazione, // the exports and the contract document
};

// What a file of the program folder named `nome` is, by its name; no value
// for a file the program does not write (the program, its libraries, the
// guide) or does not keep (a journal, the presence lock).
std::optional<GenereFileCopia> genereFileDati(const QString &nome);
// The records of an archive or history of that kind; 0 for other kinds.
int dimensioneScheda(GenereFileCopia genere, const QString &nome);

// The word a kind is written with in the copy's description, and back.
QString parolaGenere(GenereFileCopia genere);
std::optional<GenereFileCopia> generePerParola(const QString &parola);

// One file of every name the program writes in `cartella` (the first photo,
// sheet and year of each kind), as the code that writes them names it.
QStringList fileScrittiDalProgramma(const CartellaProgramma &cartella);

} // namespace qv
