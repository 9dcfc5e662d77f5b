#pragma once
// Which copies of the program are running on a folder. The archives are
// opened and closed within each action, so a copy that merely shows a card
// holds none of them; yet it will write to them at its next Salva. Each
// running copy therefore holds, for its whole run, a shared lock on a small
// file of its own in the folder, "Quadrivela.presenza" (empty; the lock is
// the one of blocco.h, so it works on network drives and goes with the copy
// that held it). A restore, which replaces the archives under every copy's
// feet, takes that lock exclusively and is refused while another copy holds it.

#include <QString>

namespace qv {

inline const QString NomeFilePresenza = QStringLiteral("Quadrivela.presenza");

// This process's presence in one program folder.
class PresenzaCartella
{
public:
    static PresenzaCartella &questa();

    // Marks this copy as running on `cartella` (best effort: a read-only
    // folder takes no presence file, and then no restore either).
    void entra(const QString &cartella);
    // Takes `cartella` for this copy alone: true when no other copy of the
    // program runs on it now. Until lascia(), a copy that starts there does
    // not count as present.
    bool soloQuesta(const QString &cartella);
    // Back from soloQuesta(): the folder is shared again.
    void lascia();

private:
    PresenzaCartella() = default;
    bool apri(const QString &cartella);

    struct Stato;
    Stato *m_stato = nullptr;
};

} // namespace qv
