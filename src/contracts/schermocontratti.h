#pragma once
// What the contract dialogs (search, lists, export) take from the contract
// screen they serve: the year file it works on, and the loading of a card.

#include <QString>

class QWidget;

namespace qv {

struct TSchedaContratto;

// The contract screen a dialog serves: the start-up one, or else the window
// that opened the dialog; nullptr when there is neither.
QWidget *schermoContratti(const QWidget *dialogo);

// The year file that screen works on: the text of its hidden label lblFile,
// trimmed; empty when no year has been chosen (or there is no contract screen).
QString archivioContratti(const QWidget *dialogo);

// Loads card `posizione` of that year file into the contract screen: every
// field into its control, the rescission box for "Sì" and "No" only, the
// attachment labels and the position. Archive failures are thrown as
// ErroreArchivio and leave the screen as it was.
void apriSchedaContratto(const QWidget *dialogo, int posizione);

// Loads a card into a contract screen's controls, found by their names.
void caricaSchedaContratto(QWidget *schermo, const TSchedaContratto &scheda, int posizione);

} // namespace qv
