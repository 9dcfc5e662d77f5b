#include "elenco.h"

#include "core/testo.h"

#include <algorithm>

namespace qv {

QString rigaElenco(std::span<const ColonnaElenco> colonne, const QStringList &valori)
{
    QString riga;
    for (size_t i = 0; i < colonne.size(); ++i) {
        const ColonnaElenco &c = colonne[i];
        const QString valore = trimmed(valori.value(qsizetype(i)));
        riga += c.separatore;
        riga += c.larghezza == kNonTagliato ? valore : valore.leftJustified(c.larghezza, u' ', true);
    }
    return riga;
}

bool lessRiga(const QString &a, const QString &b)
{
    return upperAZ(a) < upperAZ(b);
}

void ordinaRighe(QStringList &righe)
{
    std::stable_sort(righe.begin(), righe.end(), lessRiga);
}

EsitoTrova trovaVoce(const QStringList &voci, int selezionata, const QString &chiave, const QString &ultimaChiave)
{
    const qsizetype n = voci.size();
    if (n == 0)
        return {true, -1, ultimaChiave};

    const QString cercata = lowerAZ(chiave);
    qsizetype scelta = selezionata >= 0 && selezionata < n ? selezionata : 0;
    if (!cercata.isEmpty()) {
        // A new key tests the first entry first; the same key again starts after the selection.
        const qsizetype inizio = cercata == ultimaChiave ? (scelta + 1) % n : 0;
        for (qsizetype k = 0; k < n; ++k) {
            const qsizetype i = (inizio + k) % n;
            if (lowerAZ(voci.at(i)).contains(cercata)) {
                scelta = i;
                break;
            }
        }
    }
    return {false, int(scelta), cercata};
}

} // namespace qv
