#pragma once
// What the program sets up once, before its screens exist: Italian for Qt's
// own dialogs and buttons, the stand-ins for the fonts the screens name, the
// formats and the application's name.

class QApplication;
class QWidget;

namespace qv {

void preparaApplicazione(QApplication &app);

// Registers the pictures compiled into the program.
void caricaRisorse();

// For the start-up benchmark only: when it runs the program with
// QV_BANCO_AVVIO set, the program ends as soon as `finestra` has been shown
// and painted for the first time. Without that variable it does nothing.
void fineAvvioMisurata(QWidget *finestra);

} // namespace qv
