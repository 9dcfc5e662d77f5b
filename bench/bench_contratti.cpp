// Fills the contract lists (the summary, the contract search, the valid
// contracts) and exports the year to the spreadsheet, as the .xls sheet and
// as the .xlsx workbook, from a year file of 10,000 and 100,000 contracts,
// through the real screens (offscreen). Each list is printed as a ratio to
// reading the year file's bytes plainly, each export and its composing alone
// as ratios to writing the export's own bytes plainly and onto the disk, both
// measured in the same run; the time per card shows whether the work grows
// linearly.
#include "contracts/frmexpcontratti.h"
#include "contracts/frmmenuriepilogo.h"
#include "contracts/frmriepilogo.h"
#include "contracts/frmtrovacontratti.h"
#include "contracts/frmvalidi.h"
#include "ui/schermi.h"
#include "esportazione.h"
#include "support/contrattiprova.h"

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
constexpr int kAnno = 2017;

struct Misura
{
    double piano, riepilogo, riepilogoFiltrato, ricerca, validi;
    TempiEsportazione esportazione;
};

// The summary of the whole year: every contract is listed, with and without a
// service filter that every contract matches.
void misuraRiepilogo(int schede, Misura &m)
{
    TfrmMenuRiepilogo parametri;
    parametri.lblFile->setText(cartellaProgramma().archivioContratti(kAnno));
    parametri.lblDataInizio->setText(QStringLiteral("01/01/%1").arg(kAnno));
    parametri.lblDataFine->setText(QStringLiteral("31/12/%1").arg(kAnno));
    TfrmRiepilogo riepilogo(&parametri);
    for (const bool filtrato : {false, true}) {
        parametri.txtTipologia->setText(filtrato ? QStringLiteral("informatica") : QString());
        (filtrato ? m.riepilogoFiltrato : m.riepilogo) = migliore(ripetizioni(schede), [&] { riepilogo.FormShow(); });
        if (riepilogo.lstRecords->count() != schede || riepilogo.lblTotCosti->text() != QString::number(schede))
            std::exit(2);
    }
}

// The contract search with one filter that every card matches (every card is
// listed, sorted), the valid list (every contract not rescinded: they all end
// on the last day of the year, after the test clock's day) and the export,
// each opened from a stand-in of the contract screen.
void misuraElenchi(int schede, Misura &m)
{
    prova::SchermoContrattiProva contratti(cartellaProgramma().archivioContratti(kAnno));
    TfrmTrovaContratti trova(&contratti);
    trova.txtDataStipula->setText(QStringLiteral("/%1").arg(kAnno));
    m.ricerca = migliore(ripetizioni(schede), [&] { trova.btnCercaClick(); });
    if (trova.lstRecords->count() != schede)
        std::exit(2);
    TfrmValidi validi(&contratti);
    m.validi = migliore(ripetizioni(schede), [&] { validi.FormShow(); });
    if (validi.lstRecords->count() != schede - schede / 10)
        std::exit(2);
    TfrmExpContratti esporta(&contratti);
    esporta.FormShow();
    m.esportazione = misuraEsportazione(esporta, cartellaProgramma().esportazioneContratti(),
                                        cartellaProgramma().cartellaContratti(), ripetizioni(schede));
}

Misura misura(const QString &cartella, int schede)
{
    impostaCartellaProgramma(cartella);
    const QString path = cartellaProgramma().archivioContratti(kAnno);
    if (!scriviAnnoContratti(path, schede, kAnno))
        std::exit(1);
    Misura m{};
    m.piano = migliore(ripetizioni(schede), [&] { letturaSemplice(path); });
    misuraRiepilogo(schede, m);
    misuraElenchi(schede, m);
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ServiziProva servizi;
    QTemporaryDir dir;

    std::printf("%8s %10s %10s %7s %10s %7s %10s %7s %10s %7s\n", "schede", "lettura", "riepilogo", "rapp.",
                "filtrato", "rapp.", "ricerca", "rapp.", "validi", "rapp.");
    QString rapporti;
    const auto rapporto = [&](const char *nome, int schede, double valore) {
        rapporti += QStringLiteral(" %1_%2k=%3").arg(QLatin1String(nome)).arg(schede / 1000).arg(valore, 0, 'f', 2);
    };
    QList<std::pair<int, TempiEsportazione>> esportazioni;
    for (int schede : {10000, 100000}) {
        const Misura m = misura(dir.path(), schede);
        rapporto("riepilogo", schede, m.riepilogo / m.piano);
        rapporto("riepilogo_filtrato", schede, m.riepilogoFiltrato / m.piano);
        rapporto("ricerca", schede, m.ricerca / m.piano);
        rapporto("validi", schede, m.validi / m.piano);
        rapporti += rapportiEsportazione(m.esportazione, schede);
        esportazioni.append({schede, m.esportazione});
        std::printf("%8d %8.1fms %8.1fms %7.2f %8.1fms %7.2f %8.1fms %7.2f %8.1fms %7.2f\n", schede, m.piano,
                    m.riepilogo, m.riepilogo / m.piano, m.riepilogoFiltrato, m.riepilogoFiltrato / m.piano, m.ricerca,
                    m.ricerca / m.piano, m.validi, m.validi / m.piano);
        std::printf("%8s %10s %8.2fus %7s %8.2fus %7s %8.2fus %7s %8.2fus   (per scheda)\n", "", "",
                    m.riepilogo * 1000 / schede, "", m.riepilogoFiltrato * 1000 / schede, "",
                    m.ricerca * 1000 / schede, "", m.validi * 1000 / schede);
    }
    std::printf("esportazioni, a confronto con la scrittura semplice e sincronizzata dei loro byte:\n");
    for (const auto &[schede, t] : esportazioni)
        stampaEsportazione(t, schede);
    std::printf("obiettivo: ogni elenco al massimo 2 volte la lettura semplice, ogni esportazione al massimo 1,2 "
                "volte la scrittura semplice e sincronizzata dei suoi byte, crescita lineare\n");
    std::printf("ratios:%s\n", qPrintable(rapporti));
    std::printf("peak_mb: %ld\n", piccoMemoriaMb());
    return 0;
}
