#pragma once
// The safety copy and its restore as the user starts them (the main menu,
// its keys, the reminder in its band): the folder, the progress window, the
// question before a restore and what the user is told. The work itself is
// the storage's (storage/copiasicurezza.h, storage/ripristino.h).

#include "core/cartella.h"
#include "storage/impostazionicopia.h"

#include <optional>

class QWidget;

namespace qv {

// At start: this copy of the program is marked as running on its folder,
// and the cards' history keeps as many versions as the settings say.
void avviaCartellaProgramma();

// The copy settings of the program folder. The date of a copy made in this
// run counts even where the settings file could not keep it (a read-only folder).
ImpostazioniCopia impostazioniCopia();
// Stores them and applies the number of versions; on failure the user is told why.
bool salvaImpostazioniCopia(QWidget *padre, const ImpostazioniCopia &impostazioni);

// What the main menu's band says of the safety copy of the program folder
// `cartella` on `oggi`: no value when the last copy is recent enough, or no
// copy was made of a folder without cards; else the reminder. It reads the
// settings and the folder, so the band asks from its background read, handing
// in its own copies of cartellaProgramma() and ultimaCopiaInSessione().
std::optional<QString> promemoriaCopia(const CartellaProgramma &cartella, const QDate &oggi,
                                       const QDateTime &ultimaInSessione);
QDateTime ultimaCopiaInSessione();

// Makes a safety copy in `cartella`, or in one the user chooses when it is
// empty or cannot be reached (a stick not plugged in). True once the copy is
// written and checked; the user is told the outcome either way.
bool eseguiCopiaSicurezza(QWidget *padre, const QString &cartella);
// The same in the folder of the last copy: the reminder's click.
bool eseguiCopiaSicurezza(QWidget *padre);

// Opens a safety copy the user chooses, checks it, shows what it holds
// against what the folder holds now and restores it after a question. True
// once the copy's data are in the folder.
bool eseguiRipristino(QWidget *padre);

} // namespace qv
