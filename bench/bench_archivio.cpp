// Reads and decodes an archive of 100,000 employee cards and prints the time
// as a ratio to reading the same bytes plainly, both measured in this run.
#include "storage/archivio.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace qv;

namespace {

constexpr int kSchede = 100000;
constexpr int kRipetizioni = 5;

TSchedaDipendente schedaDiProva(int i)
{
    TSchedaDipendente s;
    s.Dipendente = QStringLiteral("Cognome%1 Nome%2").arg(i).arg(i % 97);
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

template <typename F>
double migliore(F &&f)
{
    double best = 1e100;
    for (int r = 0; r < kRipetizioni; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dipendenti.pro"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 1; i <= kSchede; ++i)
            f.write(codificaScheda(schedaDiProva(i)));
    }

    qint64 somma = 0;
    const double piano = migliore([&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QByteArray buf(1 << 20, Qt::Uninitialized);
        qint64 n;
        while ((n = f.read(buf.data(), buf.size())) > 0)
            somma += n;
    });

    qint64 caratteri = 0;
    const double decodifica = migliore([&] {
        ArchivioDipendenti a(path);
        a.apri();
        a.perOgni([&](int, TSchedaDipendente &&s) { caratteri += s.Dipendente.size() + s.Note.size(); return true; });
        a.chiudi();
    });

    std::printf("schede: %d (%lld byte letti, %lld caratteri)\n", kSchede, somma / kRipetizioni, caratteri / kRipetizioni);
    std::printf("lettura semplice:   %8.1f ms\n", piano);
    std::printf("lettura e decodifica:%8.1f ms\n", decodifica);
    std::printf("rapporto: %.2f (obiettivo: al massimo 3)\n", decodifica / piano);
    return 0;
}
