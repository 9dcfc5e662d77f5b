#pragma once
// The journal of an archive overwrite: the card's old bytes, kept beside the
// archive (the archive's name followed by ".giornale") from before the card is
// touched until the new card is on the disk.
//
// Layout: a fixed heading, the old bytes of the card, a fingerprint of the
// new bytes and a checksum of everything before it. It is complete only when
// its size and its checksum agree.
//   0  8  "QVGIORN1"
//   8  8  offset of the card in the archive, little-endian
//  16  4  number of bytes of the card, little-endian
//  20  n  the card's old bytes
//  20+n 8 fingerprint of the card's new bytes
//  28+n 8 fingerprint of bytes 0 to 28+n

#include <QByteArray>
#include <QString>

#include <optional>

namespace qv {

struct Giornale
{
    quint64 offset = 0; // as read: checked against the archive before any use
    QByteArray vecchi;
    quint64 improntaNuovi = 0;

    // True when the journal names a whole card of an archive of records of
    // `dimensione` bytes whose file is `dimensioneFile` bytes long.
    bool perArchivio(int dimensione, qint64 dimensioneFile) const;
    // True when `ora`, the bytes now at the journal's place, are neither the
    // old card nor the whole new one: the save was cut short part-way and the
    // old card belongs there.
    bool daRipristinare(const QByteArray &ora) const;
};

// FNV-1a, 64 bits: enough to tell a whole journal from a torn one.
quint64 impronta(const char *dati, qint64 n);

QByteArray componiGiornale(qint64 offset, const QByteArray &vecchi, const QByteArray &nuovi);

// What the journal beside an archive holds.
struct LetturaGiornale
{
    enum class Stato {
        Assente,     // there is no journal
        Incompleto,  // cut short, or not a journal: written before the card was touched
        Valido,      // complete: `giornale` holds it
        Illeggibile, // it is there but could not be read (errno in `errore`)
    };
    Stato stato = Stato::Assente;
    Giornale giornale;
    int errore = 0;
};

// Reads the journal at `percorso`, for records of `dimensione` bytes.
LetturaGiornale leggiGiornale(const QString &percorso, int dimensione);

// Writes the journal and makes it and its name durable. False with errno set.
bool scriviGiornale(const QString &percorso, const QByteArray &contenuto);
void rimuoviGiornale(const QString &percorso);
// True when something is at the journal's place (a journal or anything else).
bool giornalePresente(const QString &percorso);

namespace guasti {
// Test seam: reading a journal fails as a damaged disk would (EIO).
void guastaLetturaGiornale(bool guasta);
} // namespace guasti

} // namespace qv
