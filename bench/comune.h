#pragma once
// What the benchmarks share: the same made-up employee and contract cards, a
// best-of-n timer, and the plain read and synced write of a file that every
// figure is compared with.

#include "storage/archivio.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

#include <sys/resource.h>
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

// Contract i of a year file: every field filled, signed on a day of `anno`
// (all twelve months, all days 1 to 28), names and services different per card.
inline TSchedaContratto contrattoDiProva(int i, int anno)
{
    const TSchedaDipendente d = schedaDiProva(i);
    TSchedaContratto s;
    s.DataStipula = QStringLiteral("%1/%2/%3").arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                        .arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(anno);
    s.LuogoStipula = QStringLiteral("Roma");
    s.NomeDitta = QStringLiteral("Quadrivela Servizi S.r.l.");
    s.SedeDitta = QStringLiteral("Roma");
    s.ProvDitta = QStringLiteral("RM");
    s.IvaDitta = QStringLiteral("01234567890");
    s.ComuneReg = QStringLiteral("Roma");
    s.ProvReg = QStringLiteral("RM");
    s.NumReg = QStringLiteral("RM-123456");
    s.Legale = QStringLiteral("Bianchi Giovanni");
    s.LuogoNascLeg = QStringLiteral("Milano");
    s.DataNascLeg = QStringLiteral("12/05/1960");
    s.CodFiscLeg = QStringLiteral("BNCGNN60E12F205X");
    s.Attivita = QStringLiteral("Consulenza aziendale, formazione e servizi informatici per le imprese");
    s.Foro = QStringLiteral("Roma");
    s.Dipendente = d.Dipendente;
    s.Cittadinanza = d.Cittadinanza;
    s.Luogo = d.Luogo;
    s.DataNasc = d.DataNasc;
    s.CodFisc = d.CodFisc;
    s.Recapito = d.Recapito;
    s.Indirizzo = d.Indirizzo;
    s.Citta = d.Citta;
    s.Prov = d.Prov;
    s.Cap = d.Cap;
    s.Stipendio = d.Stipendio;
    s.Iban = d.Iban;
    s.Qualifiche = d.Qualifiche;
    s.Prestazioni = QStringLiteral("Consulenza informatica e sviluppo software, lotto %1").arg(i % 50);
    s.DataInizio = s.DataStipula;
    s.DataFine = QStringLiteral("31/12/%1").arg(anno);
    s.Durata = QStringLiteral("Fino al 31/12/%1").arg(anno);
    s.SedeLavoro = QStringLiteral("Roma, sede della ditta");
    s.Note = d.Note;
    s.Rescisso = TSchedaContratto::testoRescisso(i % 10 == 0);
    return s;
}

// Writes `schede` records made by `scheda(i)`, i from 1, to `percorso`, on disk
// before it returns, so that no write-back runs under the measures.
template <typename F>
bool scriviSchede(const QString &percorso, int schede, F &&scheda)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int i = 1; i <= schede; ++i)
        f.write(codificaScheda(scheda(i)));
    return f.flush() && ::fsync(f.handle()) == 0;
}

// An employee archive of `schede` cards.
inline bool scriviArchivio(const QString &percorso, int schede)
{
    return scriviSchede(percorso, schede, schedaDiProva);
}

// A contract year file of `schede` cards, all signed in `anno`.
inline bool scriviAnnoContratti(const QString &percorso, int schede, int anno)
{
    return scriviSchede(percorso, schede, [anno](int i) { return contrattoDiProva(i, anno); });
}

// Writes `dati` to a new file `percorso` and onto the disk, as an export does
// before it replaces the old file: the plain write an export is compared with.
inline void scritturaSincronizzata(const QString &percorso, const QByteArray &dati)
{
    QFile::remove(percorso);
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(dati);
    f.flush();
    ::fdatasync(f.handle());
}

// The same for a file of `byte` bytes written a block at a time from `blocco`
// (the file's first block, written again and again), so that the plain write
// of a large export does not hold the whole file in memory either.
inline void scritturaSincronizzata(const QString &percorso, const QByteArray &blocco, qint64 byte)
{
    QFile::remove(percorso);
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || blocco.isEmpty())
        return;
    for (qint64 scritti = 0; scritti < byte;) {
        const qint64 n = std::min<qint64>(blocco.size(), byte - scritti);
        if (f.write(blocco.constData(), n) != n)
            return;
        scritti += n;
    }
    ::fdatasync(f.handle());
}

// The peak resident memory of this process so far, in megabytes.
inline long piccoMemoriaMb()
{
    rusage uso{};
    ::getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024;
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
