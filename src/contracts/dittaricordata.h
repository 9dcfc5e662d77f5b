#pragma once
// The contract screen's company block remembered from one use of the screen
// to the next in the settings file "Quadrivela.ini" (kChiaviDitta): read into
// the fields when the screen is shown, written when it is left.
//
// A block that could not be written (a read-only program folder, a settings
// file that cannot be replaced) is not lost for the rest of the run: the
// screen shows it again, in place of the older one still in the file, and
// the user is told once, not at every exit with the same block.

#include "storage/impostazioni.h"

#include <QString>

#include <optional>

class QWidget;

namespace qv {

inline const QString MsgDittaNonMemorizzata = QStringLiteral(
    "Attenzione: non è stato possibile memorizzare i dati della Ditta nel file Quadrivela.ini; saranno proposti "
    "fino alla chiusura del programma, alla prossima apertura quelli memorizzati in precedenza.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
inline const QString MsgDittaSolaLettura = QStringLiteral(
    "Attenzione: la cartella del programma è in sola lettura: i dati della Ditta non possono essere memorizzati "
    "nel file Quadrivela.ini.\n\r\n\r"
    "Saranno proposti fino alla chiusura del programma; alla prossima apertura saranno proposti quelli "
    "memorizzati in precedenza.");

class DittaRicordata
{
public:
    // The block in the settings file into the fields of `pannello`; an
    // unreadable file, or a block of this run not yet written, leaves the
    // fields as they stand.
    void carica(QWidget *pannello) const;
    // The fields' block, trimmed, into the settings file; false (and the
    // reason in `errore`) when it could not be written.
    bool scrivi(const QWidget *pannello, QString *errore = nullptr);
    // What leaving the screen does: writes the block and, when it cannot,
    // says why in one message on `schermo` (not again for the same block).
    void memorizza(QWidget *schermo, const QWidget *pannello);

private:
    std::optional<DatiDitta> m_nonScritta; // the block this run could not write
};

} // namespace qv
