#pragma once
// Reading and saving the card a card screen shows, shared by the employee
// card and the contract card. The screen keeps the bytes of the card as it
// loaded it (after a load, a save, a reload): an overwrite first compares,
// under the archive's lock, the card on the disk with them, so a change saved
// meanwhile by another copy of the program is never undone without the
// user's word.

#include "core/testo.h"
#include "storage/archivio.h"
#include "ui/servizi.h"

#include <QLabel>
#include <QStringList>

#include <functional>

namespace qv {

inline const QString MsgSchedaInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString MsgSchedaSalvata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// The question of a save whose card another copy changed since it was loaded,
// and its three answers, in button order; Escape and Enter go back.
QString testoSchedaCambiata();
inline const QStringList PulsantiSchedaCambiata = {QStringLiteral("Sovrascrivi"), QStringLiteral("Ricarica"),
                                                   QStringLiteral("Annulla")};
enum RispostaSchedaCambiata { Sovrascrivi = 0, Ricarica = 1, TornaIndietro = 2 };
// The question of a save of a stored card whose archive no longer exists.
QString testoArchivioScomparso(const QString &percorso);

// A card as read from its archive: its fields, its position, its bytes as
// stored, and whether the archive could only be read.
template <typename R>
struct SchedaLetta
{
    R scheda;
    int posizione = 0;
    QByteArray byte;
    bool solaLettura = false;
};

// Reads card `posizione` of the archive at `percorso`; failures are thrown as ErroreArchivio.
template <typename R>
SchedaLetta<R> leggiSchedaArchivio(const QString &percorso, int posizione)
{
    Archivio<R> archivio(percorso);
    archivio.apri();
    SchedaLetta<R> letta;
    letta.scheda = archivio.leggi(posizione, &letta.byte);
    letta.posizione = posizione;
    letta.solaLettura = archivio.solaLettura();
    return letta;
}

// What the save needs of its screen.
template <typename R>
struct SchermoDaSalvare
{
    QWidget *schermo;
    QString percorso;         // the archive
    QLabel *lblPosizione;     // the position of the card shown; empty for a new card
    QByteArray *caricati;     // the card's bytes as the screen loaded them (empty: not known)
    // Shows a stored card again (the answer "Ricarica").
    std::function<void(const SchedaLetta<R> &)> mostra;
    // Runs once the card is on the disk, before the confirmation (the photo).
    std::function<void(int posizione)> salvata;
    // The info line, which says when the card's old version could not be kept.
    QLabel *panInfo = nullptr;
};

// What the info line says when a save could not keep the card's old version
// in the archive's history (`motivo`); the card itself was saved.
QString infoStoricoNonScritto(const QString &motivo);

// Saves `scheda`: appends a new card, or overwrites the stored one after the
// check above; a stored card whose archive has vanished is saved only when
// the user wants the archive created again (then as its first card).
// True when the card was written; false when one of the questions kept it
// from the disk (the screen's card, or the stored one after "Ricarica", stays).
// Archive failures are thrown as ErroreArchivio, with nothing on the screen changed.
template <typename R>
bool salvaSchedaSchermo(const SchermoDaSalvare<R> &s, const R &scheda)
{
    Servizi &servizi = Servizi::correnti();
    const QByteArray nuovi = codificaScheda(scheda);
    Archivio<R> archivio(s.percorso);
    const auto scritta = [&](int p, const QString &messaggio) {
        const QString storico = archivio.storicoNonScritto();
        archivio.chiudi();
        if (s.panInfo && !storico.isEmpty())
            s.panInfo->setText(infoStoricoNonScritto(storico));
        s.lblPosizione->setText(QString::number(p));
        *s.caricati = nuovi;
        if (s.salvata)
            s.salvata(p);
        servizi.messaggio(s.schermo, TipoMessaggio::Informazione, messaggio);
    };
    const QString posizione = trimmed(s.lblPosizione->text());
    if (posizione.isEmpty()) {
        archivio.apri();
        scritta(archivio.accoda(scheda), MsgSchedaInserita);
        return true;
    }
    try {
        archivio.apri(false);
    } catch (const ErroreArchivio &e) {
        if (e.tipo() != ErroreArchivio::Tipo::Assente)
            throw;
        if (!servizi.domanda(s.schermo, testoArchivioScomparso(s.percorso)))
            return false;
        archivio.apri();
        scritta(archivio.accoda(scheda), MsgSchedaInserita);
        return true;
    }
    const int p = posizione.toInt();
    const bool scritto = s.caricati->isEmpty() ? (archivio.scrivi(p, scheda), true)
                                               : archivio.sostituisci(p, scheda, *s.caricati);
    if (scritto) {
        scritta(p, MsgSchedaSalvata);
        return true;
    }
    // Another copy saved this card since it was loaded: nothing is written
    // without the user's answer, and no lock is held while asking.
    archivio.chiudi();
    switch (servizi.scelta(s.schermo, testoSchedaCambiata(), PulsantiSchedaCambiata, TornaIndietro, TornaIndietro)) {
    case Sovrascrivi:
        archivio.apri(false);
        archivio.scrivi(p, scheda);
        scritta(p, MsgSchedaSalvata);
        return true;
    case Ricarica:
        s.mostra(leggiSchedaArchivio<R>(s.percorso, p));
        return false;
    default:
        return false;
    }
}

} // namespace qv
