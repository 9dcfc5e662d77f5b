#pragma once
// The screens created once at start-up, in their fixed order, and the program
// folder they all work in (core/cartella.h). The first screen, the login, is
// the main window.

#include "core/cartella.h"
#include "storage/archivio.h"
#include "storage/blocco.h"

#include <QList>
#include <QWidget>

namespace qv {

class Schermi
{
public:
    // How a screen of the start-up order is made, and its class.
    struct Fabbrica
    {
        const QMetaObject *classe;
        QWidget *(*crea)();
    };

    // Takes the program's start-up order (defined by the start-up itself),
    // after destroying the screens that exist, and makes the first screen, the
    // main window. Every other screen is made the first time it is asked for
    // (per, di, tutti), so the program starts with only what its login needs.
    static void creaTutti();
    static void prepara(const QList<Fabbrica> &ordine);
    static void distruggiTutti();
    // Adds a newly created screen at the end of the order.
    static void registra(QWidget *schermo);
    // Every screen of the order, in the order, made now when not made yet.
    static const QList<QWidget *> &tutti();
    // The main window: the first screen of the order; nullptr when there is none.
    static QWidget *principale();

    // The start-up instance of a screen class, by class name ("TfrmAnagrafica"); nullptr when none.
    static QWidget *per(const QString &classe);
    template <typename T>
    static T *di()
    {
        return static_cast<T *>(primoDi(&T::staticMetaObject));
    }

    // Ends the program: the event loop stops after the current event. A card
    // screen still shown is left first, as when the user leaves it: false,
    // and the program goes on, when the user stays on its changed card.
    static bool terminaApplicazione();
    // That leaving alone: every card screen shown (SchermoConScheda) is
    // closed; false when the user stayed on a card.
    static bool lasciaSchede();

private:
    // The first screen of the order whose class is or derives from `classe`.
    static QWidget *primoDi(const QMetaObject *classe);
};

// A screen that shows a card the user may be changing (the employee card, the
// contract card): asked before it is left, and before the program ends.
class SchermoConScheda
{
public:
    virtual ~SchermoConScheda() = default;
    // Whether the card shown may be left: unchanged, or as the user answers
    // the question about its changes (over `padre`, the screen without one).
    virtual bool lasciaScheda(QWidget *padre = nullptr) = 0;
};

// The message of every screen whose archive cannot be opened, read or written.
inline const QString MsgArchivioInaccessibile = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// An archive that can be consulted but not written (a read-only folder or share).
inline const QString MsgArchivioSolaLettura = QStringLiteral(
    "Attenzione: l'archivio è in sola lettura: le schede possono essere consultate ma non salvate.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
// What the info line of a card screen says while it shows a card of such an archive.
inline const QString InfoSolaLettura =
    QStringLiteral("Archivio in sola lettura: le schede possono essere consultate ma non salvate.");

// The message of an archive failure: another copy of the program holding the
// archive, an archive that can only be read, a journal of an interrupted save
// that cannot be read, or the archive out of reach.
QString testoErroreArchivio(const ErroreArchivio &errore);
// What a screen that reads a whole archive (a list, a grid, a count) or loads
// a card from a list says when the archive could not be read: the entries
// read so far stay, but the list never looks complete when it is not.
void segnalaErroreArchivio(QWidget *padre, const ErroreArchivio &errore);

// Moves between area screens: the target is shown before the source is hidden.
void passaA(QWidget *destinazione, QWidget *origine);

// Runs a dialog the way every screen does: shown modally through the services,
// then destroyed. Returns the dialog's result.
int eseguiDialogo(QDialog *dialogo);

} // namespace qv
