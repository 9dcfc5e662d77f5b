// Fills the contract lists from a year file of 10,000 and 100,000 contracts,
// through the real screens (offscreen). Each time is printed as a ratio to
// reading the year file's bytes plainly, measured in the same run; the time
// per card shows whether the work grows linearly.
#include "contracts/frmmenuriepilogo.h"
#include "contracts/frmriepilogo.h"
#include "ui/schermi.h"
#include "comune.h"
#include "support/serviziprova.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace qv;
using namespace qv::banco;

namespace {

constexpr int kRipetizioni = 5;
constexpr int kAnno = 2017;

struct Misura
{
    double piano, riepilogo, riepilogoFiltrato;
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
        (filtrato ? m.riepilogoFiltrato : m.riepilogo) = migliore(kRipetizioni, [&] { riepilogo.FormShow(); });
        if (riepilogo.lstRecords->count() != schede || riepilogo.lblTotCosti->text() != QString::number(schede))
            std::exit(2);
    }
}

Misura misura(const QString &cartella, int schede)
{
    impostaCartellaProgramma(cartella);
    const QString path = cartellaProgramma().archivioContratti(kAnno);
    if (!scriviAnnoContratti(path, schede, kAnno))
        std::exit(1);
    Misura m{};
    m.piano = migliore(kRipetizioni, [&] { letturaSemplice(path); });
    misuraRiepilogo(schede, m);
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ServiziProva servizi;
    QTemporaryDir dir;

    std::printf("%8s %10s %10s %7s %10s %7s\n", "schede", "lettura", "riepilogo", "rapp.", "filtrato", "rapp.");
    for (int schede : {10000, 100000}) {
        const Misura m = misura(dir.path(), schede);
        std::printf("%8d %8.1fms %8.1fms %7.2f %8.1fms %7.2f\n", schede, m.piano, m.riepilogo,
                    m.riepilogo / m.piano, m.riepilogoFiltrato, m.riepilogoFiltrato / m.piano);
        std::printf("%8s %10s %8.2fus %7s %8.2fus %7s  (per scheda)\n", "", "", m.riepilogo * 1000 / schede, "",
                    m.riepilogoFiltrato * 1000 / schede, "");
    }
    std::printf("obiettivo: ogni elenco al massimo 2,5 volte la lettura semplice, crescita lineare\n");
    return 0;
}
