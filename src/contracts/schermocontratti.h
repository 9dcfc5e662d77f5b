#pragma once
// What the contract dialogs (search, lists, export) take from the contract
// screen they serve: the year file it works on, and the loading of a card.

#include <QString>

class QWidget;

namespace qv {

class TfrmContratti;

// The contract screen a dialog serves: the start-up one, or else the window
// that opened the dialog, when that is a contract screen; nullptr when there is none.
TfrmContratti *schermoContratti(const QWidget *dialogo);

// The year file that screen works on: the text of its hidden label lblFile,
// trimmed; empty when no year has been chosen (or there is no contract screen).
QString archivioContratti(const QWidget *dialogo);

// Loads card `posizione` of that year file into the contract screen, the way
// its own arrows do, once the card shown there may be left (the question
// about its changes, asked over the dialog). Archive failures are thrown as
// ErroreArchivio and leave the screen as it was.
void apriSchedaContratto(QWidget *dialogo, int posizione);

} // namespace qv
