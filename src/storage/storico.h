#pragma once
// The history of an archive's cards: before a stored card is overwritten with
// different bytes, its old bytes go, with the date and time, to a history
// file beside the archive (the archive's name followed by ".storico":
// "Dipendenti.pro.storico", "2026.con.storico"). The archive itself keeps
// its own format; the history can show and give back any earlier version.
//
// The history is written by the archive's overwrite while it holds the
// archive's exclusive lock, so two copies of the program never write it at
// once. Its records are of one fixed size, each with a checksum:
//   0  8  "QVSTORI1"
//   8  4  position of the card in the archive (1-based), little-endian
//  12  8  date and time of the overwrite, milliseconds since 1970 UTC, little-endian
//  20  4  number of bytes of the card, little-endian
//  24  n  the card's bytes before the overwrite
//  24+n 8 fingerprint (FNV-1a, 64 bits) of bytes 0 to 24+n
// A record cut short by a power cut, or damaged, fails its checksum and is
// never shown; the next record written takes the place of a torn last one.
//
// Each card keeps its last versioniPerScheda() versions: once it has a fifth
// more (at least one more), the file is rewritten without its oldest ones,
// through a new file that replaces the old one whole. The archive is never
// rewritten for it.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

namespace qv {

inline constexpr int VersioniPerSchedaPredefinite = 50;

struct VersioneScheda
{
    int posizione = 0;
    QDateTime quando;
    QByteArray byte;
};

QString percorsoStorico(const QString &archivio);

// The whole records of the history at `percorso` for records of `dimensione`
// bytes, in the order they were written; torn or damaged ones are left out.
// An absent file is an empty history. False, with the reason in `errore`,
// when the file is there but cannot be read.
bool leggiStorico(const QString &percorso, int dimensione, QList<VersioneScheda> &versioni,
                  QString *errore = nullptr);
// The same as bytes: the whole records only, as a safety copy keeps them.
QByteArray recordStoricoIntegri(const QByteArray &contenuto, int dimensione);

// The earlier versions of card `posizione` of the archive at `archivio`,
// oldest first: at most the last versioniPerScheda().
bool versioniScheda(const QString &archivio, int dimensione, int posizione, QList<VersioneScheda> &versioni,
                    QString *errore = nullptr);

// Adds the version `vecchi` of card `posizione` to the history of the archive
// at `archivio`, synced to the disk, and trims it when the card has too many.
// Called under the archive's exclusive lock. False, with the reason in
// `errore`, when it could not be written: the history is then as it was.
bool annotaVersione(const QString &archivio, int posizione, const QByteArray &vecchi, QString *errore = nullptr);

// How many versions each card keeps (at least one); set from the settings.
void impostaVersioniPerScheda(int versioni);
int versioniPerScheda();

// The clock that dates the versions: the program hands in its own (the one
// the tests set); by default the system's.
void impostaOrologioStorico(std::function<QDateTime()> orologio);

} // namespace qv
