// Fills the employee search's list and exports the employee archive to the
// spreadsheet, as the .xls sheet and as the .xlsx workbook, from archives of
// 10,000 and 100,000 cards, through the real screens (offscreen). The lists
// are printed as ratios to reading the archive's bytes plainly, each export
// and its composing alone as ratios to writing the export's own bytes plainly
// and onto the disk, measured in the same run; the time per card shows
// whether the work grows linearly.
#include "ui/schermi.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmtrovaanagrafica.h"
#include "esportazione.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace qv;
using namespace qv::banco;

namespace {

// Runs of each measure, the best one counted: a list of a few milliseconds
// is run more often, so that a moment's hiccup of the machine does not decide.
int ripetizioni(int schede)
{
    return std::max(5, 500000 / schede);
}

struct Misura
{
    double piano, ricerca, griglia;
    TempiEsportazione esportazione;
};

// Which parts run: all by default; "ricerca" or "esportazione" alone for a profiler.
QString g_parte;

Misura misura(const QString &cartella, int schede)
{
    impostaCartellaProgramma(cartella);
    const QString path = cartellaProgramma().archivioDipendenti();
    if (!scriviArchivio(path, schede))
        std::exit(1);

    Misura m{};
    m.piano = migliore(ripetizioni(schede), [&] { letturaSemplice(path); });

    // The search with one filter that every card matches: every card is listed.
    if (g_parte != QLatin1String("esportazione")) {
        TfrmTrovaAnagrafica trova;
        trova.txtDipendente->setText(QStringLiteral("cognome"));
        m.ricerca = migliore(ripetizioni(schede), [&] { trova.btnCercaClick(); });
        if (trova.lstRecords->count() != schede)
            std::exit(2);
    }
    if (g_parte == QLatin1String("ricerca"))
        return m;

    // The export screen fills its grid when shown, then writes the spreadsheet.
    TfrmExpAnagrafica esporta;
    m.griglia = migliore(ripetizioni(schede), [&] { esporta.FormShow(); });
    m.esportazione = misuraEsportazione(esporta, cartellaProgramma().esportazioneDipendenti(),
                                        cartellaProgramma().cartellaDipendenti(), ripetizioni(schede));
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

    std::printf("%8s %10s %10s %7s %10s %7s\n", "schede", "lettura", "ricerca", "rapp.", "griglia", "rapp.");
    QString rapporti;
    const auto rapporto = [&](const char *nome, int schede, double valore) {
        rapporti += QStringLiteral(" %1_%2k=%3").arg(QLatin1String(nome)).arg(schede / 1000).arg(valore, 0, 'f', 2);
    };
    QList<std::pair<int, TempiEsportazione>> esportazioni;
    for (int schede : {10000, 100000}) {
        const Misura m = misura(dir.path(), schede);
        if (g_parte != QLatin1String("esportazione"))
            rapporto("ricerca", schede, m.ricerca / m.piano);
        if (g_parte != QLatin1String("ricerca")) {
            rapporto("griglia", schede, m.griglia / m.piano);
            rapporti += rapportiEsportazione(m.esportazione, schede);
            esportazioni.append({schede, m.esportazione});
        }
        std::printf("%8d %8.1fms %8.1fms %7.2f %8.1fms %7.2f\n", schede, m.piano, m.ricerca, m.ricerca / m.piano,
                    m.griglia, m.griglia / m.piano);
        std::printf("%8s %10s %8.2fus %7s %8.2fus   (per scheda)\n", "", "", m.ricerca * 1000 / schede, "",
                    m.griglia * 1000 / schede);
    }
    std::printf("esportazioni, a confronto con la scrittura semplice e sincronizzata dei loro byte:\n");
    for (const auto &[schede, t] : esportazioni)
        stampaEsportazione(t, schede);
    std::printf("obiettivo: ricerca al massimo 2 volte la lettura semplice, griglia al massimo 3 volte, ogni "
                "esportazione al massimo 1,2 volte la scrittura semplice e sincronizzata dei suoi byte; crescita "
                "lineare\n");
    std::printf("ratios:%s\n", qPrintable(rapporti));
    std::printf("peak_mb: %ld\n", piccoMemoriaMb());
    return 0;
}
