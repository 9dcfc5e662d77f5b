#pragma once
// What the benchmarks of the export screens share: the export of a filled
// grid, and the plain write of the same bytes it is compared with.

#include "comune.h"
#include "ui/frmesporta.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"

#include <cstdlib>

namespace qv::banco {

struct TempiEsportazione
{
    double esportazione, scrittura; // best of `volte` runs, in milliseconds
};

// Exports the screen's grid to `foglio` (yes to exporting, no to opening the
// file), then writes as many bytes plainly to `copia` and onto the disk, a
// block at a time as the export does, each time over the copy written before
// as each export but the first goes over the file of the export before.
inline TempiEsportazione misuraEsportazione(TfrmEsporta &schermo, const QString &foglio, const QString &copia, int volte)
{
    ServiziProva &servizi = *static_cast<ServiziProva *>(&Servizi::correnti());
    TempiEsportazione t{};
    t.esportazione = migliore(volte, [&] {
        servizi.rispondi(true);
        servizi.rispondi(false);
        schermo.cmdEsportaClick();
    });
    if (!servizi.messaggi.isEmpty() && servizi.messaggi.constLast().genere != MessaggioMostrato::Genere::Domanda)
        std::exit(3);
    QFile f(foglio);
    if (!f.open(QIODevice::ReadOnly))
        std::exit(3);
    const qint64 byte = f.size();
    const QByteArray blocco = f.read(1 << 20);
    f.close();
    // The export replaces the file it wrote before, whose blocks the file
    // system frees on the way: the plain write replaces one of the same size.
    scritturaSincronizzata(copia, blocco, byte);
    t.scrittura = migliore(volte, [&] { scritturaSincronizzata(copia, blocco, byte); });
    return t;
}

} // namespace qv::banco
