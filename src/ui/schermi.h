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
