#include "salvascheda.h"

#include <QDir>

namespace qv {

QString testoSchedaCambiata()
{
    return QStringLiteral(
        "Attenzione: dopo l'apertura di questa scheda un'altra copia del programma ne ha salvato una versione "
        "diversa.\r\n\r\n"
        "Sovrascrivi: salva la scheda così come appare ora e annulla le modifiche dell'altra copia.\r\n"
        "Ricarica: mostra la scheda come è ora in archivio; le modifiche fatte qui vanno perse.\r\n"
        "Annulla: torna alla scheda senza salvare nulla.");
}

QString testoArchivioScomparso(const QString &percorso)
{
    return QStringLiteral("Attenzione: l'archivio \"%1\" non esiste più: è stato spostato o cancellato mentre la "
                          "scheda era aperta.\r\n\r\n"
                          "Si vuole creare di nuovo l'archivio e inserirvi la scheda corrente come prima scheda?")
        .arg(QDir::toNativeSeparators(percorso));
}

QString infoStoricoNonScritto(const QString &motivo)
{
    return QStringLiteral("Attenzione: la scheda è stata salvata, ma la sua versione precedente non è stata "
                          "conservata fra le versioni precedenti (%1).")
        .arg(motivo);
}

} // namespace qv
