#include "impostazioni.h"

#include "core/testo.h"
#include "ini.h"

namespace qv {

std::optional<DatiDitta> leggiDatiDitta(const QString &percorso, QString *errore)
{
    const std::optional<FileIni> ini = FileIni::leggi(percorso, errore);
    if (!ini)
        return std::nullopt;
    const QString sezione = QString::fromLatin1(kSezioneDitta);
    DatiDitta dati;
    for (std::size_t i = 0; i < kChiaviDitta.size(); ++i)
        dati[i] = ini->valore(sezione, QString::fromLatin1(kChiaviDitta[i].chiave));
    return dati;
}

bool scriviDatiDitta(const QString &percorso, const DatiDitta &dati, QString *errore)
{
    std::optional<FileIni> ini = FileIni::leggi(percorso, errore);
    if (!ini)
        return false;
    const QString sezione = QString::fromLatin1(kSezioneDitta);
    for (std::size_t i = 0; i < kChiaviDitta.size(); ++i)
        ini->imposta(sezione, QString::fromLatin1(kChiaviDitta[i].chiave), trimmed(dati[i]));
    return ini->salva(errore);
}

} // namespace qv
