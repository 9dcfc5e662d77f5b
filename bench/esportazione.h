#pragma once
// What the benchmarks of the export screens share: the exports of a filled
// grid, as the .xls sheet and as the .xlsx workbook, their composing alone,
// and the plain write of the same bytes each is compared with.

#include "comune.h"
#include "ui/frmesporta.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace qv::banco {

struct TempiFile
{
    double esportazione; // the export through the screen: composing, writing, onto the disk
    double composizione; // the composing alone, with no disk under it
    double scrittura;    // a plain write of the file's bytes onto the disk
    qint64 byte;         // the file's size
};

struct TempiEsportazione
{
    TempiFile xls, xlsx; // best of `volte` runs, in milliseconds
};

namespace dettaglio {

// Exports through `esporta` (yes to exporting, no to opening the file), then
// writes as many bytes plainly to `copia` and onto the disk, a block at a
// time as the export does, each time over the copy written before as each
// export but the first goes over the file of the export before.
template <typename Esporta, typename Componi>
TempiFile misura(Esporta &&esporta, Componi &&componi, const QString &file, const QString &copia, int volte)
{
    ServiziProva &servizi = *static_cast<ServiziProva *>(&Servizi::correnti());
    TempiFile t{};
    t.esportazione = migliore(volte, [&] {
        servizi.rispondi(true);
        servizi.rispondi(false);
        esporta();
    });
    if (!servizi.messaggi.isEmpty() && servizi.messaggi.constLast().genere != MessaggioMostrato::Genere::Domanda)
        std::exit(3);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        std::exit(3);
    t.byte = f.size();
    const QByteArray blocco = f.read(1 << 20);
    f.close();
    t.composizione = migliore(volte, componi);
    // The export replaces the file it wrote before, whose blocks the file
    // system frees on the way: the plain write replaces one of the same size.
    scritturaSincronizzata(copia, blocco, t.byte);
    t.scrittura = migliore(volte, [&] { scritturaSincronizzata(copia, blocco, t.byte); });
    return t;
}

} // namespace dettaglio

// Both exports of the screen's grid: the .xls sheet to `foglio` and the .xlsx
// workbook to `cartella`; the plain writes go to files beside them.
inline TempiEsportazione misuraEsportazione(TfrmEsporta &schermo, const QString &foglio, const QString &cartella,
                                            int volte)
{
    TempiEsportazione t;
    t.xls = dettaglio::misura([&] { schermo.cmdEsportaClick(); }, [&] { schermo.componiFoglio(); }, foglio,
                              foglio + QStringLiteral(".copia"), volte);
    const QString composta = cartella + QStringLiteral(".composta.xlsx");
    t.xlsx = dettaglio::misura([&] { schermo.cmdEsportaXlsxClick(); },
                               [&] {
                                   if (!schermo.componiCartella(composta))
                                       std::exit(3);
                               },
                               cartella, cartella + QStringLiteral(".copia"), volte);
    QFile::remove(composta);
    return t;
}

// The ratios of both exports to the plain write of their own bytes, as
// "name_10k=value" pairs: the export and the composing alone.
inline QString rapportiEsportazione(const TempiEsportazione &t, int schede)
{
    const auto r = [schede](const char *nome, double valore) {
        return QStringLiteral(" %1_%2k=%3").arg(QLatin1String(nome)).arg(schede / 1000).arg(valore, 0, 'f', 2);
    };
    return r("esportazione", t.xls.esportazione / t.xls.scrittura)
           + r("composizione", t.xls.composizione / t.xls.scrittura)
           + r("esportazione_xlsx", t.xlsx.esportazione / t.xlsx.scrittura)
           + r("composizione_xlsx", t.xlsx.composizione / t.xlsx.scrittura);
}

// One line per file: its size, the plain write, the export and the composing, with their ratios.
inline void stampaEsportazione(const TempiEsportazione &t, int schede)
{
    for (const auto &[nome, f] : {std::pair{".xls", t.xls}, std::pair{".xlsx", t.xlsx}})
        std::printf("%8d %-6s %7.1f MB  scrittura %8.1fms  export %8.1fms (%5.2f)  composizione %8.1fms (%5.2f)"
                    "  %6.2fus/scheda\n",
                    schede, nome, f.byte / 1e6, f.scrittura, f.esportazione, f.esportazione / f.scrittura,
                    f.composizione, f.composizione / f.scrittura, f.esportazione * 1000 / schede);
}

} // namespace qv::banco
