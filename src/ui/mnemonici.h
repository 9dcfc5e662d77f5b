#pragma once
// Every button of a window carries a mnemonic: Alt and a letter that no other
// button of the window has. A button that shows its text has that letter
// underlined in it ("&Salva"); a picture button, which shows no text, is
// pressed by Alt and the letter its tooltip names ("Salva (Ctrl+S, Alt+S)").
// The letters are derived by one function from what each button is called,
// so that every screen, and every button added to one, gets them alike.

#include <QChar>
#include <QList>
#include <QString>

class QAbstractButton;
class QWidget;

namespace qv {

// The name a button goes by, the one its letter is taken from: the text it
// shows (without the mnemonic's "&"), else, for a picture, its object name
// without the control's prefix, its words apart, which is what the picture
// reads ("btnDuplica": "Duplica", "cmdEsportaXlsx": "Esporta Xlsx"). A
// picture's tooltip says what it does (its hint on the info line, when it
// has no tooltip of its own) and names the letter.
QString nomePulsante(const QWidget *pulsante);

// A button's letter, lower case; a null character when it has none.
QChar mnemonico(const QWidget *pulsante);

// The buttons of `finestra` (push buttons, check boxes, option buttons, tool
// buttons and the clickable pictures; shown or hidden, enabled or not, of
// this window and not of another one it holds) in the order they are given
// their letters.
QList<QWidget *> pulsantiFinestra(const QWidget *finestra);

// Gives every button of `finestra` that has no letter yet one that is unique
// in the window: a letter asked for (the "mnemonico" property, as the card
// screens' shortcuts ask for Ctrl's letter), else the first free initial of
// the words of its name, else any free letter of its name, else any free
// letter; a letter a text of the window already marks ("&Password:") is
// taken. Called every time a window is shown, so that a button made since
// gets its letter too; the letters given before stay.
void assegnaMnemonici(QWidget *finestra);

// Sets the text of a button keeping its letter underlined, for a button
// whose text changes while it is shown.
void testoPulsante(QAbstractButton *pulsante, const QString &testo);

} // namespace qv
