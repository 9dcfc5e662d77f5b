#pragma once
// The contracts that end soon: the employee cards whose contract expires within
// the next days and the collaboration contracts in force that end within them.
// The main menu's notice counts by these rules and the lists it opens show the
// cards they pick, so the two always agree.

#include "storage/schede.h"

#include <QDate>

#include <optional>

namespace qv {

// How many days ahead "soon" reaches, today included.
inline constexpr int GiorniScadenza = 30;

// Whether a card's contract expires from `oggi` to `giorni` days later, both
// days included (one expired yesterday does not; the notice period takes no
// part); no value when its expiry date cannot be read.
std::optional<bool> scadeEntro(const TSchedaDipendente &scheda, const QDate &oggi, int giorni = GiorniScadenza);

// Whether a contract not rescinded ends from `oggi` to `giorni` days later,
// both days included: in force today and no longer once the last day is over.
// A rescinded card, or one whose flag is neither "Sì" nor "No", never does;
// no value when its end date is needed and cannot be read.
std::optional<bool> terminaEntro(const TSchedaContratto &scheda, const QDate &oggi, int giorni = GiorniScadenza);

struct ScadenzeVicine
{
    std::optional<int> dipendenti; // no value: the archive is missing or cannot be read
    std::optional<int> contratti;
};

// Counts from the archives themselves, on any thread: the employee cards by
// scadeEntro and the contracts of the year file by terminaEntro. A card whose
// dates cannot be read does not count. A missing archive is not created.
ScadenzeVicine contaScadenzeVicine(const QString &archivioDipendenti, const QString &archivioContratti,
                                   const QDate &oggi, int giorni = GiorniScadenza);

} // namespace qv
