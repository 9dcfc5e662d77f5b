#pragma once
// Dates of a card that cannot be right, named in Italian so that the user can
// be asked about them before the card is saved. Each problem is one phrase
// without a capital or a full stop ("la data di scadenza ... precede ...").

#include <QDate>
#include <QString>
#include <QStringList>

namespace qv {

// The youngest age at which someone signs a collaboration.
constexpr int EtaMinima = 14;

// A birth date in the future (after `oggi`), or less
// than EtaMinima years before `riferimento` (an invalid `riferimento` means
// `oggi`). `di` names the person ("del Dipendente"); `quando` the moment of
// the age ("alla stipula", "oggi"). An empty field, or one that holds no
// date (the save refuses it first), is no problem here.
QStringList problemiNascita(const QString &nascita, const QString &di, QDate riferimento, const QString &quando,
                            QDate oggi);

// The dates of a contract card (texts as in their fields) and the year of its
// archive (0: unknown).
struct DateContratto
{
    QString stipula, inizio, fine, nascita, nascitaLegale;
};
QStringList problemiDateContratto(const DateContratto &date, int annoArchivio, QDate oggi);

// The dates of an employee card: the birth date and the contract's expiry.
QStringList problemiDateDipendente(const QString &nascita, const QString &scadenza, QDate oggi);

// The one question that names every problem, for a card ("il contratto", "la scheda").
QString domandaDate(const QStringList &problemi, const QString &cosa);

} // namespace qv
