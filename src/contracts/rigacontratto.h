#pragma once
// The list line of a contract card, shared by the contract search and the
// contract summary: signing date, collaborator, codice fiscale, telephone,
// start and end dates and the fee instalment.

#include "storage/schede.h"
#include "ui/frmelenco.h"

#include <QList>
#include <QString>

namespace qv {

QString rigaContratto(const TSchedaContratto &scheda);
// The fields that line shows: a list reads only these from each card.
QList<QString TSchedaContratto::*> campiRigaContratto();
// The same line built from a card's record.
const RigaScheda<TSchedaContratto> &formaRigaContratto();

} // namespace qv
