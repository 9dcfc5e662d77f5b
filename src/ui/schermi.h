#pragma once
// The screens created once at start-up, in their fixed order, and the program
// folder they all work in. The first screen, the login, is the main window.

#include "core/cartella.h"
#include "storage/archivio.h"
#include "storage/blocco.h"

#include <QList>
#include <QWidget>

namespace qv {

// The program folder: the executable's folder in the program, a temporary one in tests.
const CartellaProgramma &cartellaProgramma();
void impostaCartellaProgramma(const QString &dir);

class Schermi
{
public:
    // Creates every screen in the program's start-up order (defined by the
    // start-up itself), after destroying those that exist.
    static void creaTutti();
    static void distruggiTutti();
    // Adds a newly created screen at the end of the order.
    static void registra(QWidget *schermo);
    static const QList<QWidget *> &tutti();

    // The start-up instance of a screen class, by class name ("TfrmAnagrafica"); nullptr when none.
    static QWidget *per(const QString &classe);
    template <typename T>
    static T *di()
    {
        for (QWidget *w : tutti())
            if (auto *t = qobject_cast<T *>(w))
                return t;
        return nullptr;
    }

    // Ends the program: the event loop stops after the current event.
    static void terminaApplicazione();
};

// The message of every screen whose archive cannot be opened, read or written.
inline const QString MsgArchivioInaccessibile = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// The message of an archive failure: another copy of the program holding the
// archive, or the archive out of reach.
QString testoErroreArchivio(const ErroreArchivio &errore);
// Screens that stop silently at an unreadable archive still say when another
// copy of the program holds it, rather than showing an empty list.
void segnalaSeOccupato(QWidget *padre, const ErroreArchivio &errore);

// Moves between area screens: the target is shown before the source is hidden.
void passaA(QWidget *destinazione, QWidget *origine);

// Runs a dialog the way every screen does: shown modally through the services,
// then destroyed. Returns the dialog's result.
int eseguiDialogo(QDialog *dialogo);

} // namespace qv
