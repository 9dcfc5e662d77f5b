#pragma once
// Restoring a safety copy (copiasicurezza.h) into the program folder. Nothing
// is deleted: every file of the copy is first written, checked against its
// SHA-256, into a folder of its own; then, as one step that a power cut
// leaves either undone or to be finished at the next start
// (pianoripristino.h), the data files the folder holds now (and the journal
// of a save cut short, if any is left) are moved into a new folder inside the
// program folder, "Dati prima del ripristino AAAA-MM-GG-hhmm", and the copy's
// files take their places. A failure puts the folder back as it was.
//
// Two things of the folder stay as they are: the password store, when the
// folder has one (the password in use now keeps opening the program), and,
// in "Quadrivela.ini", the keys that describe the safety copies themselves
// (impostazionicopia.h); the rest of the settings come from the copy.
//
// A file a card attaches is put back at its full path only where nothing is
// there: a document that exists is the user's and stays as it is.
//
// The caller makes sure beforehand that the folder can be written, that no
// other copy of the program runs on it (presenza.h) and that the copy is
// whole (verificaCopia).

#include "copiasicurezza.h"

namespace qv {

struct EsitoRipristino
{
    bool riuscito = false;
    bool annullato = false;           // stopped through `avanzamento`: the folder is as it was
    bool inSospeso = false;           // failed and could not be undone either: the next start
                                      // finishes or undoes it (pianoripristino.h)
    QString errore;                   // what failed, in Italian
    QString cartellaPrecedenti;       // where the folder's former data went; empty: it held none
    QStringList allegatiRipristinati; // put back where they were missing
    QStringList allegatiNonRipristinati; // missing, and their place cannot be written
};

// The folder the former data go to, for a restore made at `quando`: a name
// not yet taken inside `cartella`.
QString cartellaDatiPrecedenti(const QString &cartella, const QDateTime &quando);

EsitoRipristino ripristinaCopia(const QString &cartella, const QString &copia, const ContenutoCopia &contenuto,
                                const QDateTime &quando, const AvanzamentoCopia &avanzamento = {});

} // namespace qv
