#include "rigacontratto.h"

#include "output/elenco.h"

namespace qv {

namespace {

constexpr ColonnaElenco kRigaContratto[] = {
    {u"Data stipula: ", 10}, {u"  ", 30}, {u"  C.F. ", 16}, {u"  Tel. ", 14},
    {u"  Da: ", 10},         {u"  A: ", 10}, {u"  Rata: € ", kNonTagliato, true},
};

constexpr QString TSchedaContratto::*kCampiRiga[] = {
    &TSchedaContratto::DataStipula, &TSchedaContratto::Dipendente, &TSchedaContratto::CodFisc,
    &TSchedaContratto::Recapito,    &TSchedaContratto::DataInizio, &TSchedaContratto::DataFine,
    &TSchedaContratto::Stipendio,
};

} // namespace

QString rigaContratto(const TSchedaContratto &s)
{
    QStringView valori[std::size(kCampiRiga)];
    for (size_t i = 0; i < std::size(kCampiRiga); ++i)
        valori[i] = s.*(kCampiRiga[i]);
    return rigaElenco(kRigaContratto, valori);
}

const RigaScheda<TSchedaContratto> &formaRigaContratto()
{
    using S = TSchedaContratto;
    static const RigaScheda<S> forma(kRigaContratto, {&S::DataStipula, &S::Dipendente, &S::CodFisc, &S::Recapito,
                                                      &S::DataInizio, &S::DataFine, &S::Stipendio});
    return forma;
}

QList<QString TSchedaContratto::*> campiRigaContratto()
{
    return QList<QString TSchedaContratto::*>(std::begin(kCampiRiga), std::end(kCampiRiga));
}

} // namespace qv
