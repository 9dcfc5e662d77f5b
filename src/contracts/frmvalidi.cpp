#include "frmvalidi.h"

#include "contracts/schermocontratti.h"
#include "ui/servizi.h"
#include "core/date.h"
#include "output/elenco.h"
#include "report/stampaelenco.h"
#include "storage/scadenze.h"

namespace qv {

namespace {

using S = TSchedaContratto;

// The two lines show the same fields but the last: the instalment of a
// contract in force, the reason of one expired or rescinded.
constexpr ColonnaElenco kRigaValido[] = {
    {u"Data stipula: ", 10}, {u"  ", 30}, {u"  C.F. ", 16}, {u"  Tel. ", 14},
    {u"  Da: ", 10},         {u"  A: ", 10}, {u"  Rata: € ", kNonTagliato, true},
};
constexpr ColonnaElenco kRigaRescisso[] = {
    {u"Stipula: ", 10}, {u"  ", 28}, {u"  C.F. ", 16}, {u"  Tel. ", 14},
    {u"  Da: ", 10},    {u"  A: ", 10}, {u"  ", kNonTagliato},
};

// The contracts that end soon: the end date first, where the list shows it
// without scrolling sideways.
constexpr ColonnaElenco kRigaInScadenza[] = {
    {u"Fine: ", 10}, {u"  ", 30}, {u"  C.F. ", 16}, {u"  Tel. ", 14},
    {u"  Da: ", 10}, {u"  Stipula: ", 10}, {u"  Rata: € ", kNonTagliato, true},
};

QString riga(std::span<const ColonnaElenco> colonne, const S &s, QStringView ultimo)
{
    const QStringView valori[] = {s.DataStipula, s.Dipendente, s.CodFisc, s.Recapito, s.DataInizio, s.DataFine, ultimo};
    return rigaElenco(colonne, valori);
}

QString rigaRescisso(const S &s)
{
    return riga(kRigaRescisso, s, s.Motivo);
}

const RigaScheda<S> &formaRigaRescisso()
{
    static const RigaScheda<S> forma(kRigaRescisso, {&S::DataStipula, &S::Dipendente, &S::CodFisc, &S::Recapito,
                                                     &S::DataInizio, &S::DataFine, &S::Motivo});
    return forma;
}

QString rigaInScadenza(const S &s)
{
    const QStringView valori[] = {s.DataFine, s.Dipendente, s.CodFisc, s.Recapito, s.DataInizio, s.DataStipula, s.Stipendio};
    return rigaElenco(kRigaInScadenza, valori);
}

const RigaScheda<S> &formaRigaInScadenza()
{
    static const RigaScheda<S> forma(kRigaInScadenza, {&S::DataFine, &S::Dipendente, &S::CodFisc, &S::Recapito,
                                                       &S::DataInizio, &S::DataStipula, &S::Stipendio});
    return forma;
}

// Not rescinded, and ending today or later: a contract ending today is still valid.
std::optional<bool> valido(const S &s, const QDate &oggi)
{
    if (s.rescisso() != false)
        return false;
    const std::optional<QDate> fine = leggiData(s.DataFine);
    if (!fine)
        return std::nullopt;
    return *fine >= oggi;
}

// Rescinded whatever its end date, or ended before today; a card whose flag is
// neither "Sì" nor "No" is listed only when its end date is past.
std::optional<bool> scadutoORescisso(const S &s, const QDate &oggi)
{
    if (s.rescisso() == true)
        return true;
    const std::optional<QDate> fine = leggiData(s.DataFine);
    if (!fine)
        return std::nullopt;
    return *fine < oggi;
}

const RegolaContratti kValidi = {
    u" Riepilogo contratti in corso di validità",
    u"CONTRATTI IN CORSO DI VALIDITÀ",
    u"Riepilogo contratti in corso di validità",
    valido,
    rigaValido,
    formaRigaValido,
};

const RegolaContratti kRescissi = {
    u" Riepilogo contratti scaduti o rescissi",
    u"CONTRATTI SCADUTI O RESCISSI",
    u"Riepilogo contratti scaduti o rescissi",
    scadutoORescisso,
    rigaRescisso,
    formaRigaRescisso,
};

// The captions name the days the notice counts.
static_assert(GiorniScadenza == 30);

const RegolaContratti kInScadenza = {
    u" Riepilogo contratti che terminano entro 30 giorni",
    u"CONTRATTI CHE TERMINANO ENTRO 30 GIORNI",
    u"Riepilogo contratti che terminano entro 30 giorni",
    [](const S &s, const QDate &oggi) { return terminaEntro(s, oggi); },
    rigaInScadenza,
    formaRigaInScadenza,
};

} // namespace

QString rigaValido(const S &s)
{
    return riga(kRigaValido, s, s.Stipendio);
}

const RigaScheda<S> &formaRigaValido()
{
    static const RigaScheda<S> forma(kRigaValido, {&S::DataStipula, &S::Dipendente, &S::CodFisc, &S::Recapito,
                                                   &S::DataInizio, &S::DataFine, &S::Stipendio});
    return forma;
}

QList<QString S::*> campiRigaValido()
{
    return {&S::DataStipula, &S::Dipendente, &S::CodFisc, &S::Recapito, &S::DataInizio, &S::DataFine, &S::Stipendio};
}

TfrmElencoContratti::TfrmElencoContratti(const RegolaContratti &regola, QWidget *parent)
    : TfrmListaSchede({QString::fromUtf16(regola.caption), QString::fromUtf16(regola.titoloStampa), StampaElencoSchermo,
                       false},
                      QString::fromUtf16(regola.banner), parent),
      m_regola(regola)
{
    rinominaRighe(lblDoppioClic, lblRigo01, lblRigo02, lblRigo03);
    setTabOrder(btnStampa, btnTrova);
    setTabOrder(btnTrova, btnChiudi);
}

void TfrmElencoContratti::leggi(VociElenco &voci)
{
    const QDate oggi = Servizi::correnti().oggi();
    const RigaScheda<S> &riga = m_regola.forma();
    // Only the flag and the end date become texts; the line comes from the bytes.
    // A card whose end date cannot be read is passed over: the cards after it still count.
    scorriSchede<S>(archivioContratti(this), {&S::Rescisso, &S::DataFine},
                    [&](int posizione, const S &s, const char *dati) {
                        if (m_regola.listato(s, oggi).value_or(false))
                            riga.aggiungi(voci, posizione, dati);
                    });
}

void TfrmElencoContratti::apri(int posizione)
{
    apriSchedaContratto(this, posizione);
}

TfrmValidi::TfrmValidi(QWidget *parent) : TfrmElencoContratti(kValidi, parent)
{
    setObjectName(QStringLiteral("frmValidi"));
}

TfrmRescissi::TfrmRescissi(QWidget *parent) : TfrmElencoContratti(kRescissi, parent)
{
    setObjectName(QStringLiteral("frmRescissi"));
}

TfrmContrattiInScadenza::TfrmContrattiInScadenza(QWidget *parent) : TfrmElencoContratti(kInScadenza, parent)
{
    setObjectName(QStringLiteral("frmContrattiInScadenza"));
}

} // namespace qv
