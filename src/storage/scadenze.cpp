#include "scadenze.h"

#include "core/date.h"
#include "storage/archivio.h"

#include <QFileInfo>

namespace qv {

namespace {

bool fraIGiorni(const QDate &giorno, const QDate &oggi, int giorni)
{
    return giorno >= oggi && giorno <= oggi.addDays(giorni);
}

// How many cards of an archive `conta` says yes to; no value when the file is
// not there (it is not created) or cannot be read.
template <typename R, typename F>
std::optional<int> contaSchede(const QString &percorso, const QList<QString R::*> &campi, F &&conta)
{
    if (!QFileInfo(percorso).isFile())
        return std::nullopt;
    try {
        int n = 0;
        Archivio<R> archivio(percorso);
        archivio.apri();
        archivio.perOgni(campi, [&](int, const R &scheda) {
            n += conta(scheda) ? 1 : 0;
            return true;
        });
        archivio.chiudi();
        return n;
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

} // namespace

std::optional<bool> scadeEntro(const TSchedaDipendente &scheda, const QDate &oggi, int giorni)
{
    const std::optional<QDate> scadenza = leggiData(scheda.DataSca);
    if (!scadenza)
        return std::nullopt;
    return fraIGiorni(*scadenza, oggi, giorni);
}

std::optional<bool> terminaEntro(const TSchedaContratto &scheda, const QDate &oggi, int giorni)
{
    if (scheda.rescisso() != false)
        return false;
    const std::optional<QDate> fine = leggiData(scheda.DataFine);
    if (!fine)
        return std::nullopt;
    return fraIGiorni(*fine, oggi, giorni);
}

ScadenzeVicine contaScadenzeVicine(const QString &archivioDipendenti, const QString &archivioContratti,
                                   const QDate &oggi, int giorni)
{
    ScadenzeVicine out;
    out.dipendenti = contaSchede<TSchedaDipendente>(
        archivioDipendenti, {&TSchedaDipendente::DataSca},
        [&](const TSchedaDipendente &s) { return scadeEntro(s, oggi, giorni).value_or(false); });
    out.contratti = contaSchede<TSchedaContratto>(
        archivioContratti, {&TSchedaContratto::DataFine, &TSchedaContratto::Rescisso},
        [&](const TSchedaContratto &s) { return terminaEntro(s, oggi, giorni).value_or(false); });
    return out;
}

} // namespace qv
