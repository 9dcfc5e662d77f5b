#include "contrattimese.h"

#include "core/testo.h"
#include "storage/archivio.h"

namespace qv {

int meseStipula(const QString &dataStipula, const QString &anno)
{
    const QString data = trimmed(dataStipula) + QString(10, u' ');
    const QString mese = trimmed(data.mid(3, 2));
    if (trimmed(data.mid(6, 4)) != trimmed(anno) || mese.size() != 2 || !allDigits(mese))
        return 0;
    const int m = mese.toInt();
    return m >= 1 && m <= 12 ? m : 0;
}

std::array<int, 12> contrattiPerMese(const QString &percorso, const QString &anno)
{
    std::array<int, 12> conti{};
    ArchivioContratti archivio(percorso);
    archivio.apri();
    archivio.perOgni(QList<QString TSchedaContratto::*>{&TSchedaContratto::DataStipula},
                     [&](int, const TSchedaContratto &scheda) {
                         if (const int m = meseStipula(scheda.DataStipula, anno))
                             ++conti[m - 1];
                         return true;
                     });
    archivio.chiudi();
    return conti;
}

} // namespace qv
