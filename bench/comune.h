#pragma once
// What the benchmarks share: the same made-up cards, a best-of-n timer and the
// plain read of a file that every figure is compared with.

#include "storage/archivio.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

#include <unistd.h>

namespace qv::banco {

// Card i of an archive: every field filled, names and notes different per card.
inline TSchedaDipendente schedaDiProva(int i)
{
    TSchedaDipendente s;
    s.Dipendente = QStringLiteral("Cognome%1 Nome%2").arg((i * 7919) % 100003).arg(i % 97);
    s.Cittadinanza = QStringLiteral("Italiana");
    s.Stipendio = QStringLiteral("1250,00");
    s.Luogo = QStringLiteral("Roma");
    s.DataNasc = QStringLiteral("01/02/1980");
    s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    s.PartitaIva = QStringLiteral("01234567890");
    s.Indirizzo = QStringLiteral("Via Giuseppe Garibaldi, %1").arg(i % 300);
    s.Citta = QStringLiteral("Città di Castello");
    s.Prov = QStringLiteral("PG");
    s.Cap = QStringLiteral("06012");
    s.Qualifiche = QStringLiteral("Perito informatico, programmatore");
    s.Familiari = QStringLiteral("Coniuge e due figli a carico");
    s.Iban = QStringLiteral("IT60X0542811101000000123456");
    s.Note = QStringLiteral("Nota della scheda numero %1 con qualche parola in più").arg(i);
    s.DataSca = QStringLiteral("31/12/2017");
    s.Preavviso = QStringLiteral("30");
    s.Recapito = QStringLiteral("06 1234567");
    s.Email = QStringLiteral("nome%1@esempio.it").arg(i);
    return s;
}

// Writes an archive of `schede` cards to `percorso`, on disk before it returns,
// so that no write-back runs under the measures.
inline bool scriviArchivio(const QString &percorso, int schede)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int i = 1; i <= schede; ++i)
        f.write(codificaScheda(schedaDiProva(i)));
    return f.flush() && ::fsync(f.handle()) == 0;
}

// The best of `volte` runs of `f`, in milliseconds.
template <typename F>
double migliore(int volte, F &&f)
{
    double best = 1e100;
    for (int r = 0; r < volte; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// Reads the whole file in large blocks and returns the bytes read.
inline qint64 letturaSemplice(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    QByteArray buf(1 << 20, Qt::Uninitialized);
    qint64 somma = 0, n;
    while ((n = f.read(buf.data(), buf.size())) > 0)
        somma += n;
    return somma;
}

} // namespace qv::banco
