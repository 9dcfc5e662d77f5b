#pragma once
// The field behaviours every card, search and parameter screen shares: the
// yellow focus mark, Enter moving on, upper-casing, trimming while typing,
// digit and amount filters, amount formatting and date fields, typed or filled
// from the date picker. A screen declares its fields in a table; one filter
// walks it.

#include "ui/filtrocampo.h"

#include <QLineEdit>
#include <QObject>
#include <QWidget>

#include <functional>
#include <span>

namespace qv {

struct DefCampo
{
    const char *campo;       // objectName of the edit field
    const char *successivo;  // objectName of the control Enter moves to; nullptr: none
    int comportamenti = Semplice;
    const char *token = nullptr; // date picker token of a date field
    const char *segno = nullptr; // objectName of the focus mark; nullptr: "eff" + the field's name
};

// The yellow rectangle behind the field that has the focus.
class SegnoFuoco : public QWidget
{
    Q_OBJECT
public:
    SegnoFuoco(const QString &nome, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *) override;
};

// Creates an edit field and, behind it, its focus mark 4 pixels larger on every side.
QLineEdit *creaCampo(QWidget *parent, const QString &nome, const QRect &geometria, int lunghezzaMassima,
                     const QFont &font, const QString &nomeSegno = QString());

// The face of the fields that hold an identifier (codice fiscale, partita IVA,
// IBAN) on the card screens: the fixed-width one the check dialogs show codes
// in, every character as wide as the next, so that the widest code the format
// allows stands whole in its field.
QFont carattereCodice();

// The text shown on the info line when the mouse moves over a date field.
inline const QString SuggerimentoData = QStringLiteral(
    "Scrivi la data, come 21/12/2026 o 21122026, oppure premi F4 o fai doppio clic per sceglierla dal calendario.");

// A date field: the user types the date (digits and the separators "/", "-",
// "." or blanks: leggiDataDigitata) and it is written as "dd/mm/yyyy" when
// the field is left, when Enter is pressed (which then moves on; on an empty
// field it opens the date picker) and when the mouse is pressed elsewhere in
// the window or a shortcut is used. A date that cannot be read, or a day that
// does not exist, is refused: a beep, the field marked, the reason on the info
// line, the text kept as typed. F4, Alt+Down, a double click or a key that
// is no part of a date (a letter) open the picker. Backspace and Delete on a
// date the user has not typed (one loaded, or taken from the picker) empty
// the field; while typing they take away one character.

class ComportamentiCampi : public QObject
{
    Q_OBJECT
public:
    ComportamentiCampi(QWidget *schermo, std::span<const DefCampo> tabella);

    // Shows a text on the screen's info line (date fields' hint, why a
    // character was refused). A screen without an info line leaves it empty:
    // a character the stored files cannot hold is then refused with a message.
    std::function<void(const QString &)> suggerimento;

    static bool tastoInvio(int key);

    // Writes each date field that holds a readable date as "dd/mm/yyyy": what
    // the screen reads from its fields is what they show once left.
    void completaDate();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    struct Voce
    {
        QLineEdit *campo;
        QWidget *segno;
        QWidget *successivo;
        int comportamenti;
        QString token;
    };
    const Voce *voce(QObject *o) const;
    // Marks a field whose text stays as typed, beeps and says why.
    void rifiuta(QLineEdit *campo, const QString &motivo);
    // The field is left: its mark goes and an amount is formatted.
    void lascia(const Voce &v);
    bool tastoPremuto(const Voce &v, QKeyEvent *e);
    bool tastoData(const Voce &v, QKeyEvent *e);
    void tastoRilasciato(const Voce &v);
    // A date field's text as "dd/mm/yyyy" when it can be read. With `avvisa`,
    // a text that cannot be, or a day that does not exist, is refused
    // visibly; false then.
    bool completaData(const Voce &v, bool avvisa);

    QWidget *m_schermo;
    QList<Voce> m_voci;
    // The field the screen is working in: it stays so while a message box or a
    // menu has the focus, and is left when another control takes the focus.
    const Voce *m_corrente = nullptr;
    // Watches the mouse presses of the whole program while a date field is
    // the current one: a click elsewhere in the window ends the date.
    QObject *m_clicAltrove = nullptr;
};

// Opens the date picker for the field named by `token`, owned by `schermo`,
// on the date the field holds (today when it holds none).
void apriCalendario(QWidget *schermo, const QString &token);

} // namespace qv
