// The cost of the overwrite journal on saving one card: the save the card
// screen makes (open, overwrite one card, close) with and without the journal,
// measured in the same run on the same archive, as a ratio and in
// milliseconds; and the cost of the check that no other copy changed the card
// since the screen loaded it (the save compares the bytes on disk with those
// loaded before it overwrites them). The folder is the first argument (a folder on the disk to
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

    std::vector<double> senza, con, controllata;
    for (int i = 0; i < kSalvataggi; ++i) {
        const int posizione = 1 + (i * 37) % kSchede;
        // Alternating the kinds spreads any disk hiccup over all of them.
        for (const bool giornale : {false, true}) {
            guasti::disattivaGiornale(!giornale);
            const double ms = migliore(1, [&] {
                ArchivioDipendenti a(path);
                a.apri();
                a.scrivi(posizione, schedaDiProva(i + 1));
                a.chiudi();
            });
            (giornale ? con : senza).push_back(ms);
        }
        // The screen loaded the card when it showed it, before the save.
        QByteArray caricati;
        {
            ArchivioDipendenti a(path);
            a.apri();
            a.leggi(posizione, &caricati);
            a.chiudi();
        }
        bool sostituita = false;
        controllata.push_back(migliore(1, [&] {
            ArchivioDipendenti a(path);
            a.apri();
            sostituita = a.sostituisci(posizione, schedaDiProva(i + 2), caricati);
            a.chiudi();
        }));
        if (!sostituita)
            return 2;
    }
    guasti::disattivaGiornale(false);
    const double s = mediana(senza), c = mediana(con), k = mediana(controllata);
    std::printf("cartella: %s\n", qPrintable(dir.path()));
    std::printf("salvataggio di una scheda senza giornale: %7.3f ms (mediana di %d)\n", s, kSalvataggi);
    std::printf("salvataggio di una scheda con giornale:   %7.3f ms (mediana di %d)\n", c, kSalvataggi);
    std::printf("salvataggio con il controllo delle altre copie: %7.3f ms (mediana di %d)\n", k, kSalvataggi);
    std::printf("costo del giornale: %.3f ms per salvataggio; del controllo: %.3f ms\n", c - s, k - c);
    std::printf("ratios: giornale=%.2f controllo=%.2f\n", c / s, k / c);
    std::printf("peak_mb: %ld\n", piccoMemoriaMb());
    return 0;
}
