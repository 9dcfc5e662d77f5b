#pragma once
// Before a card is saved: the codice fiscale held against the card's own
// birth date, birthplace and name, and against the other cards of the
// registry. A code that cannot be a codice fiscale (and why), a valid code
// that disagrees with the card (each disagreement named) or that another card
// holds already (named) is put to the user in one question, whether to save
// all the same.

#include "core/confrontocf.h"

#include <QList>
#include <QStringList>
#include <QString>

class QLineEdit;
class QWidget;

namespace qv {

// One code of a card and the data beside it; `chi` names whose code it is
// when the card holds more than one ("Legale rappresentante"), else empty.
struct CodiceDellaScheda
{
    QString chi;
    QLineEdit *campo; // the codice fiscale field, where the focus goes back
    DatiScheda dati;
    QStringList altreSchede = {}; // the other cards that hold the same code ("3 (Rossi Mario)")
};

inline const QString MsgCodFiscDiscorde =
    QStringLiteral("Attenzione: il codice fiscale non corrisponde ai dati della scheda.");
inline const QString DomandaSalvaComunque = QStringLiteral("Si vuole salvare comunque la scheda?");

// True when the save may go on: every code is possible, agrees with its card
// and is on no other card (an empty code is not looked at), or the user
// answered yes. On no the focus goes to the first code asked about.
bool confermaCodiciFiscali(QWidget *schermo, const QList<CodiceDellaScheda> &codici);

// The cards of the employee archive other than the one at `posizione` (0: a
// new card) whose codice fiscale is `codice` (upper case, blanks round it
// ignored), as their position and name, "3 (Rossi Mario)"; none for an empty code or a
// missing archive. Errors of the archive are thrown (ErroreArchivio).
QStringList schedeConCodiceFiscale(const QString &codice, int posizione);

} // namespace qv
