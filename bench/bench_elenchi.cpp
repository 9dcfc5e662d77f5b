// Fills the employee search's list and exports the employee archive to the
// spreadsheet, from archives of 10,000 and 100,000 cards, through the real
// screens (offscreen). Each time is printed as a ratio to reading the
// archive's bytes plainly, measured in the same run; the time per card shows
// whether the work grows linearly.
#include "app/schermi.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "support/serviziprova.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

using namespace qv;

namespace {

constexpr int kRipetizioni = 5;

TSchedaDipendente schedaDiProva(int i)
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

struct Misura
{
    double piano, ricerca, griglia, esportazione, scrittura;
};

// Which parts run: all by default; "ricerca" or "esportazione" alone for a profiler.
QString g_parte;
QString g_scritture;

Misura misura(const QString &cartella, int schede)
{
    impostaCartellaProgramma(cartella);
    const QString path = cartellaProgramma().archivioDipendenti();
    QFile::remove(path);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            std::exit(1);
        for (int i = 1; i <= schede; ++i)
            f.write(codificaScheda(schedaDiProva(i)));
        // On disk before timing, so that no write-back runs under the measures.
        f.flush();
        ::fsync(f.handle());
    }

    Misura m{};
    qint64 somma = 0;
    m.piano = migliore([&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QByteArray buf(1 << 20, Qt::Uninitialized);
        qint64 n;
        while ((n = f.read(buf.data(), buf.size())) > 0)
            somma += n;
    });

    // The search with one filter that every card matches: every card is listed.
    if (g_parte != QLatin1String("esportazione")) {
        TfrmTrovaAnagrafica trova;
        trova.txtDipendente->setText(QStringLiteral("cognome"));
        m.ricerca = migliore([&] { trova.btnCercaClick(); });
        if (trova.lstRecords->count() != schede)
            std::exit(2);
    }
    if (g_parte == QLatin1String("ricerca"))
        return m;

    // The export screen fills its grid when shown, then writes the spreadsheet.
    ServiziProva &servizi = *static_cast<ServiziProva *>(&Servizi::correnti());
    TfrmExpAnagrafica esporta;
    m.griglia = migliore([&] { esporta.FormShow(); });
    m.esportazione = migliore([&] {
        servizi.rispondi(true);
        servizi.rispondi(false);
        esporta.cmdEsportaClick();
    });
    if (!servizi.messaggi.isEmpty() && servizi.messaggi.constLast().genere != MessaggioMostrato::Genere::Domanda)
        std::exit(3);

    // For comparison: writing the spreadsheet's bytes plainly to a new file.
    QByteArray foglio;
    {
        QFile f(cartellaProgramma().esportazioneDipendenti());
        f.open(QIODevice::ReadOnly);
        foglio = f.readAll();
    }
    const QString copia = cartella + QStringLiteral("/copia.xls");
    m.scrittura = migliore([&] {
        QFile::remove(copia);
        QFile f(copia);
        f.open(QIODevice::WriteOnly);
        f.write(foglio);
    });
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ServiziProva servizi;
    QTemporaryDir dir;
    if (argc > 1)
        g_parte = QString::fromLocal8Bit(argv[1]);

    std::printf("%8s %10s %10s %7s %10s %7s %10s %7s %10s %7s\n", "schede", "lettura", "ricerca", "rapp.",
                "griglia", "rapp.", "export", "rapp.", "gr.+exp.", "rapp.");
    for (int schede : {10000, 100000}) {
        const Misura m = misura(dir.path(), schede);
        const double totale = m.griglia + m.esportazione;
        g_scritture += QStringLiteral("%1 schede %2 ms (export = %3 volte); ").arg(schede).arg(m.scrittura, 0, 'f', 1)
                           .arg(m.esportazione / m.scrittura, 0, 'f', 2);
        std::printf("%8d %8.1fms %8.1fms %7.2f %8.1fms %7.2f %8.1fms %7.2f %8.1fms %7.2f\n", schede, m.piano,
                    m.ricerca, m.ricerca / m.piano, m.griglia, m.griglia / m.piano, m.esportazione,
                    m.esportazione / m.piano, totale, totale / m.piano);
        std::printf("%8s %10s %8.2fus %7s %8.2fus %7s %8.2fus %7s %8.2fus   (per scheda)\n", "", "",
                    m.ricerca * 1000 / schede, "", m.griglia * 1000 / schede, "", m.esportazione * 1000 / schede,
                    "", totale * 1000 / schede);
    }
    std::printf("obiettivo: ricerca ed esportazione al massimo 5 volte la lettura semplice, crescita lineare\n");
    std::printf("scrittura semplice dei byte del foglio: %s\n", qPrintable(g_scritture));
    return 0;
}
