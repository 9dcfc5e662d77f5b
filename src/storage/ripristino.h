#pragma once
// Restoring a safety copy (copiasicurezza.h) into the program folder. Nothing
// is deleted: the data files the folder holds now (and the journal of a save
// cut short, if any is left) are first moved into a new folder inside the
// program folder, "Dati prima del ripristino AAAA-MM-GG-hhmm"; then every
// file of the copy is written in its place through a new file that replaces
// it whole, checked against its SHA-256 on the way. A failure part-way puts
// the folder back as it was.
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
