#pragma once
// Before a card is saved: the codice fiscale held against the card's own
// birth date, birthplace and name. When a valid code disagrees with them the
// user is asked whether to save all the same, each disagreement named.

#include "core/confrontocf.h"

#include <QList>
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
};

inline const QString MsgCodFiscDiscorde =
    QStringLiteral("Attenzione: il codice fiscale non corrisponde ai dati della scheda.");
inline const QString DomandaSalvaComunque = QStringLiteral("Si vuole salvare comunque la scheda?");

// True when the save may go on: no code disagrees with its card, or the user
// answered yes. On no the focus goes to the first code that disagrees.
bool confermaCodiciFiscali(QWidget *schermo, const QList<CodiceDellaScheda> &codici);

} // namespace qv
