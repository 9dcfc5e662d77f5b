// The cost of the overwrite journal on saving one card: the save the card
// screen makes (open, overwrite one card, close) with and without the journal,
// measured in the same run on the same archive, as a ratio and in
// milliseconds. The folder is the first argument (a folder on the disk to
// measure: a temporary folder in memory hides the cost of syncing), by default
// a temporary folder inside the current one.
#include "comune.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qv;
using namespace qv::banco;

namespace {

constexpr int kSchede = 1000;
constexpr int kSalvataggi = 200;

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir dir(base + QStringLiteral("/bench_giornale_XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Dipendenti.pro"));
    if (!dir.isValid() || !scriviArchivio(path, kSchede))
        return 1;

    std::vector<double> senza, con;
    for (int i = 0; i < kSalvataggi; ++i) {
        // Alternating the two kinds spreads any disk hiccup over both.
        for (const bool giornale : {false, true}) {
            guasti::disattivaGiornale(!giornale);
            const int posizione = 1 + (i * 37) % kSchede;
            const double ms = migliore(1, [&] {
                ArchivioDipendenti a(path);
                a.apri();
                a.scrivi(posizione, schedaDiProva(i + 1));
                a.chiudi();
            });
            (giornale ? con : senza).push_back(ms);
        }
    }
    guasti::disattivaGiornale(false);
    const double s = mediana(senza), c = mediana(con);
    std::printf("cartella: %s\n", qPrintable(dir.path()));
    std::printf("salvataggio di una scheda senza giornale: %7.3f ms (mediana di %d)\n", s, kSalvataggi);
    std::printf("salvataggio di una scheda con giornale:   %7.3f ms (mediana di %d)\n", c, kSalvataggi);
    std::printf("costo del giornale: %.3f ms per salvataggio\n", c - s);
    std::printf("ratios: giornale=%.2f\n", c / s);
    std::printf("peak_mb: %ld\n", piccoMemoriaMb());
    return 0;
}
