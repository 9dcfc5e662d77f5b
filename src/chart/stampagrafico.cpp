#include "stampagrafico.h"

#include "ui/servizi.h"

#include <QPrinter>

#include <algorithm>

namespace qv {

EsitoStampa stampaGrafico(QWidget *padre, const Grafico &grafico, int copie, QPrinter &stampante)
{
    stampante.setPageOrientation(QPageLayout::Landscape);
    stampante.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    stampante.setCopyCount(std::clamp(copie, 1, MassimoCopie));
    if (!Servizi::correnti().dialogoStampa(padre, stampante))
        return EsitoStampa::Annullato;
    const int scelte = std::clamp(stampante.copyCount(), 1, MassimoCopie);
    return grafico.stampa(stampante, scelte) ? EsitoStampa::Stampato : EsitoStampa::Fallito;
}

} // namespace qv
