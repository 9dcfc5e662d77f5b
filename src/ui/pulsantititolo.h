#pragma once
// Asking the desktop for the title-bar buttons of a window that already has
// its native window: on X, through the Motif hints the window managers read;
// on Windows, through the window's own styles.

class QWidget;

namespace qv {

// `pulsanti`: a combination of PulsantiTitolo (finestre.h).
void applicaPulsantiTitolo(QWidget *finestra, int pulsanti);

} // namespace qv
