#pragma once
// What the program sets up once, before its screens exist: Italian for Qt's
// own dialogs and buttons, the stand-ins for the fonts the screens name, the
// formats and the application's name.

class QApplication;

namespace qv {

void preparaApplicazione(QApplication &app);

// Registers the pictures compiled into the program.
void caricaRisorse();

} // namespace qv
