#pragma once
// The field behaviours every card, search and parameter screen shares: the
// yellow focus mark, Enter moving on, upper-casing, trimming while typing,
// digit and amount filters, amount formatting and date fields filled from the
// date picker. A screen declares its fields in a table; one filter walks it.

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
inline const QString SuggerimentoData =
    QStringLiteral("Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");

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
    // The field is left: its mark goes and an amount is formatted.
    void lascia(const Voce &v);
    bool tastoPremuto(const Voce &v, QKeyEvent *e);
    void tastoRilasciato(const Voce &v);

    QWidget *m_schermo;
    QList<Voce> m_voci;
    // The field the screen is working in: it stays so while a message box or a
    // menu has the focus, and is left when another control takes the focus.
    const Voce *m_corrente = nullptr;
};

// Opens the date picker for the field named by `token`, owned by `schermo`,
// on the date the field holds (today when it holds none).
void apriCalendario(QWidget *schermo, const QString &token);

} // namespace qv
