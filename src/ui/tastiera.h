#pragma once
// The keyboard ways of a screen: the Tab order that follows what the eye
// reads, and the shortcuts of the two card screens (the employee card and the
// contract card), one table for both.

#include <QKeyCombination>
#include <QList>

#include <span>

class QWidget;

namespace qv {

// Chains the controls of `contenitore` that Tab reaches in the order the eye
// reads them, from their places alone: the framed boxes (the children whose
// name begins with "shp") are read as blocks, each with the controls that lie
// inside it; blocks, and the controls inside a box, are read top to bottom in
// bands, and each band left to right, a column of blocks that spans several
// bands being read whole where it stands. Returns the controls in that order.
QList<QWidget *> ordinaTabulazione(QWidget *contenitore);

// A shortcut of the card screens: the picture button it presses, its key,
// the key's name and the button's action as the tooltip says them.
struct Scorciatoia
{
    const char *controllo; // objectName of the picture button
    QKeyCombination tasto;
    const char *nomeTasto; // UTF-8
    const char *azione;    // UTF-8
    bool ripete;           // held down, it presses again (the arrows)
};

// Every card screen's shortcuts. Page Up and Page Down (and with Ctrl) leave
// the fields' editing keys alone, Ctrl with the arrows or Home/End included.
std::span<const Scorciatoia> scorciatoieSchede();

// What both card screens do once their controls are made: the Tab order of
// their panel, and the shortcuts of the table on the buttons of `schermo` that
// it has (a shortcut presses its button only while the button can be
// pressed); each of those buttons' tooltip names its shortcut, "Salva (Ctrl+S)".
void comandiDaTastiera(QWidget *schermo, QWidget *pannello);

} // namespace qv
