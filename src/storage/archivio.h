#pragma once
// Archive files of fixed-length records: the employee archive and the yearly
// contract archives. Every user action opens the file, reads or writes whole
// records and closes it again; records are numbered from 1 in file order.
//
// Two copies of the program may work on one folder (a shared drive, a USB
// stick moved between computers while one copy still runs), so every
// operation locks the file for its own duration: a write exclusively, a read
// shared, and an append takes its position from the file's real size while it
// holds the lock. A lock that another copy holds longer than a few seconds
// ends the operation with ErroreArchivio::Tipo::Occupato and nothing changed.
//
// An overwrite first saves the card's old bytes in a journal beside the
// archive (the archive's name followed by ".giornale"), synced, then writes
// and syncs the card, then removes the journal. Opening an archive, and every
// read, first looks for a journal left by a copy that ended mid-save and puts
// the old card back (or, on an archive it cannot write, hands out the old card
// in place of the torn one), so no reader ever sees half of each; an
// incomplete journal was written before the card was touched and is
// discarded; a journal that cannot be read is kept and the archive is
// reported as needing attention (Tipo::DaControllare), never written.
//
// Before the journal, an overwrite that changes the card adds its old bytes
// to the archive's history (storico.h), under the same lock.
//
// An archive that cannot be opened for writing (a read-only folder or share)
// is opened for reading: it can be consulted, and every write is refused with
// Tipo::SolaLettura before anything is touched. A missing archive that cannot
// be created there is an empty one.

#include "schede.h"
#include "giornale.h"
#include "sololettura.h"

#include <QList>
#include <QString>

#include <exception>
#include <functional>
#include <optional>

namespace qv {

class BloccoFile;

class ErroreArchivio : public std::exception
{
public:
    enum class Tipo {
        Apertura,
        Lettura,
        Scrittura,
        Occupato,      // another copy holds the lock too long
        SolaLettura,   // a write asked of an archive open for reading only
        Assente,       // the archive does not exist (and was not to be created)
        DaControllare, // a journal beside it cannot be read
    };

    ErroreArchivio(Tipo tipo, const QString &percorso, const QString &dettaglio);

    Tipo tipo() const { return m_tipo; }
    QString percorso() const { return m_percorso; }
    QString dettaglio() const { return m_dettaglio; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    Tipo m_tipo;
    QString m_percorso;
    QString m_dettaglio;
    QByteArray m_what;
};

// A file of records of one fixed size. Failures are thrown as ErroreArchivio.
class FileArchivio
{
public:
    FileArchivio(const QString &percorso, int dimensione);
    ~FileArchivio();
    FileArchivio(const FileArchivio &) = delete;
    FileArchivio &operator=(const FileArchivio &) = delete;

    // Opens the file for reading and writing; a missing file is created empty
    // (with `creaSeManca`; otherwise Tipo::Assente is thrown). A file that
    // cannot be opened for writing is opened for reading only. An existing file
    // that cannot be opened is reported and left as it is.
    void apri(bool creaSeManca = true);
    void chiudi();
    bool aperto() const { return m_aperto; }
    bool solaLettura() const { return m_solaLettura; }

    // Number of whole records: an incomplete last record is not a card.
    int conta() const;
    QByteArray leggi(int posizione);
    // Overwrites record `posizione`; the other records are not touched.
    void scrivi(int posizione, const QByteArray &record);
    // The same, but only while the record still holds `atteso` (the bytes the
    // caller read) or already holds `record`: the comparison and the write are
    // one step under the lock. False, and nothing written, when another copy
    // changed the record meanwhile.
    bool sostituisci(int posizione, const QByteArray &record, const QByteArray &atteso);
    // Writes a new record after the last whole one and returns its position.
    int accoda(const QByteArray &record);
    // Why the last overwrite could not keep the card's old bytes in the
    // archive's history (storico.h); empty when it kept them or the card did
    // not change. The overwrite itself goes on without them.
    QString storicoNonScritto() const { return m_storicoNonScritto; }
    // Hands every record to `visita` in file order, reading in large blocks;
    // `visita` returns false to stop early.
    void scorri(const std::function<bool(int posizione, const char *dati)> &visita);

    QString percorso() const { return m_percorso; }
    // True when the archive at `percorso` can be read but not written: it
    // exists and opens for reading only, or it is missing and its folder takes
    // no new file. (It opens and closes the file: not while this process holds
    // a lock on it.)
    static bool soloLettura(const QString &percorso);
    // The journal of an overwrite in progress, beside the archive.
    static QString percorsoGiornale(const QString &archivio);

private:
    void verificaAperto() const;
    void verificaScrivibile() const;
    qint64 dimensioneFile() const;
    void blocca(BloccoFile &blocco, bool esclusivo) const;
    void bloccaPerLeggere(BloccoFile &blocco);
    void leggiA(qint64 offset, char *dati, qint64 quanti) const;
    void scriviA(qint64 offset, const QByteArray &dati, bool sovrascrittura);
    bool scriviScheda(int posizione, const QByteArray &record, const QByteArray *atteso);
    void sincronizza(ErroreArchivio::Tipo tipo);
    void ripristinaGiornale(bool bloccato);
    void sovrapponiGiornale(qint64 offset, char *dati, qint64 quanti) const;
    [[noreturn]] void errore(ErroreArchivio::Tipo tipo, int numeroErrore) const;

    QString m_percorso;
    int m_fd = -1;
    int m_dimensione;
    bool m_aperto = false;
    bool m_solaLettura = false;
    // A missing archive that could not be created: empty, for reading only.
    bool m_assente = false;
    // The old card of a journal this copy cannot put back itself (an archive
    // open for reading only): handed out in place of the torn one.
    std::optional<Giornale> m_sovrapposto;
    QString m_storicoNonScritto;
};

template <typename R>
class Archivio
{
public:
    explicit Archivio(const QString &percorso) : m_file(percorso, R::Dimensione) {}

    void apri(bool creaSeManca = true) { m_file.apri(creaSeManca); }
    void chiudi() { m_file.chiudi(); }
    bool solaLettura() const { return m_file.solaLettura(); }
    QString percorso() const { return m_file.percorso(); }
    int conta() const { return m_file.conta(); }
    // Card `posizione`; `grezzi`, when given, gets its bytes as stored.
    R leggi(int posizione, QByteArray *grezzi = nullptr)
    {
        const QByteArray dati = m_file.leggi(posizione);
        if (grezzi)
            *grezzi = dati;
        return decodificaScheda<R>(dati.constData());
    }
    void scrivi(int posizione, const R &scheda) { m_file.scrivi(posizione, codificaScheda(scheda)); }
    bool sostituisci(int posizione, const R &scheda, const QByteArray &atteso)
    {
        return m_file.sostituisci(posizione, codificaScheda(scheda), atteso);
    }
    int accoda(const R &scheda) { return m_file.accoda(codificaScheda(scheda)); }
    QString storicoNonScritto() const { return m_file.storicoNonScritto(); }

    // Every card in file order; `visita(posizione, scheda)` returns false to stop.
    // One card is filled again for every record: a visitor that keeps the card
    // moves it out, one that only looks leaves its buffers to the next record.
    template <typename F>
    void perOgni(F &&visita)
    {
        R r;
        m_file.scorri([&](int pos, const char *dati) {
            decodificaSchedaIn(dati, r);
            return visita(pos, std::move(r));
        });
    }

    // The same with only the fields in `campi` decoded, the others left empty:
    // a list that shows a few fields of every card reads just those. The card
    // handed to `visita` is only valid during the call.
    template <typename F>
    void perOgni(const QList<QString R::*> &campi, F &&visita)
    {
        struct Letto
        {
            QString R::*membro;
            int offset, capacita;
        };
        QList<Letto> letti;
        int offset = 0;
        for (const auto &c : R::campi()) {
            if (campi.contains(c.membro))
                letti.append({c.membro, offset, c.capacita});
            offset += c.capacita + 1;
        }
        // One card is filled again for every record, reusing its texts' buffers.
        R r;
        m_file.scorri([&](int pos, const char *dati) {
            for (const Letto &l : letti)
                decodificaCampo(dati + l.offset, l.capacita, r.*(l.membro));
            return visita(pos, std::as_const(r));
        });
    }
    QList<R> leggiTutte()
    {
        QList<R> out;
        out.reserve(conta());
        perOgni([&](int, R &&s) { out.append(std::move(s)); return true; });
        return out;
    }

private:
    FileArchivio m_file;
};

using ArchivioDipendenti = Archivio<TSchedaDipendente>;
using ArchivioContratti = Archivio<TSchedaContratto>;

namespace guasti {
// Test seam: the next archive write stops after `byte` bytes and fails as a full
// disk would; a negative number switches it off.
void simulaDiscoPieno(qint64 byte);
// Test seam: the process ends (as in a power cut) during the next overwrite,
// after its journal reached the disk and after `byte` bytes of the new card.
// A negative number switches it off.
void interrompiSovrascrittura(qint64 byte);
// Measuring seam: overwrites without the journal.
void disattivaGiornale(bool disattiva);
// The seam of a read-only folder, guasti::negaScrittura, is in sololettura.h.
} // namespace guasti

} // namespace qv
