#include "frmscadute.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/date.h"
#include "core/testo.h"
#include "output/elenco.h"
#include "registry/frmanagrafica.h"
#include "report/stampaelenco.h"
#include "storage/archivio.h"
#include "storage/scadenze.h"


namespace qv {

namespace {

constexpr ColonnaElenco kRigaDipendente[] = {
    {u"", 30}, {u"  C.F. ", 16}, {u"  Scad. ", 10}, {u"  Tel. ", 15}, {u" Note: ", kNonTagliato},
};

// A contract expiring today is not yet expired.
std::optional<bool> scaduta(const TSchedaDipendente &s, const QDate &oggi)
{
    const std::optional<QDate> scadenza = leggiData(s.DataSca);
    if (!scadenza)
        return std::nullopt;
    return oggi > *scadenza;
}

// Listed from the first day of the notice period onwards.
std::optional<bool> inScadenza(const TSchedaDipendente &s, const QDate &oggi)
{
    const std::optional<QDate> scadenza = leggiData(s.DataSca);
    bool ok = false;
    const int preavviso = trimmed(s.Preavviso).toInt(&ok);
    if (!scadenza || !ok)
        return std::nullopt;
    return scadenza->addDays(-preavviso) <= oggi;
}

const RegolaScadenza kScadute = {
    u" Riepilogo Dipendenti con contratti scaduti",
    u"DIPENDENTI CON CONTRATTI SCADUTI",
    u"Riepilogo Dipendenti con contratti scaduti",
    scaduta,
};

const RegolaScadenza kSospesi = {
    u" Riepilogo Dipendenti con contratti in scadenza o scaduti",
    u"CONTRATTI IN SCADENZA O SCADUTI",
    u"Riepilogo Dipendenti con contratti in scadenza o scaduti",
    inScadenza,
};

// The captions name the days the notice counts.
static_assert(GiorniScadenza == 30);

const RegolaScadenza kVicine = {
    u" Riepilogo Dipendenti con contratti in scadenza entro 30 giorni",
    u"CONTRATTI IN SCADENZA ENTRO 30 GIORNI",
    u"Riepilogo Dipendenti con contratti in scadenza entro 30 giorni",
    [](const TSchedaDipendente &s, const QDate &oggi) { return scadeEntro(s, oggi); },
};

} // namespace

QString rigaDipendente(const TSchedaDipendente &s)
{
    const QStringView valori[] = {s.Dipendente, s.CodFisc, s.DataSca, s.Recapito, s.Note};
    return rigaElenco(kRigaDipendente, valori);
}

QList<QString TSchedaDipendente::*> campiRigaDipendente()
{
    return {&TSchedaDipendente::Dipendente, &TSchedaDipendente::CodFisc, &TSchedaDipendente::DataSca,
            &TSchedaDipendente::Recapito, &TSchedaDipendente::Note};
}

const RigaScheda<TSchedaDipendente> &formaRigaDipendente()
{
    using S = TSchedaDipendente;
    static const RigaScheda<S> forma(kRigaDipendente, {&S::Dipendente, &S::CodFisc, &S::DataSca, &S::Recapito, &S::Note});
    return forma;
}

void apriSchedaDipendente(int posizione, QWidget *elenco)
{
    auto *anagrafica = Schermi::di<TfrmAnagrafica>();
    if (anagrafica && !anagrafica->lasciaScheda(elenco))
        return;
    const SchedaLetta<TSchedaDipendente> letta =
        leggiSchedaArchivio<TSchedaDipendente>(cartellaProgramma().archivioDipendenti(), posizione);
    if (anagrafica)
        anagrafica->mostraScheda(letta);
}

TfrmScadenze::TfrmScadenze(const RegolaScadenza &regola, QWidget *parent)
    : TfrmListaSchede({QString::fromUtf16(regola.caption), QString::fromUtf16(regola.titoloStampa), StampaElencoSchermo},
                      QString::fromUtf16(regola.banner), parent),
      m_regola(regola)
{
}

void TfrmScadenze::leggi(VociElenco &voci)
{
    const QDate oggi = Servizi::correnti().oggi();
    const RigaScheda<TSchedaDipendente> &riga = formaRigaDipendente();
    // Only the dates the rule reads become texts; the line comes from the bytes.
    // A card whose dates cannot be read is passed over: the cards after it still count.
    scorriSchede<TSchedaDipendente>(cartellaProgramma().archivioDipendenti(),
                                    {&TSchedaDipendente::DataSca, &TSchedaDipendente::Preavviso},
                                    [&](int posizione, const TSchedaDipendente &s, const char *dati) {
                                        if (m_regola.listata(s, oggi).value_or(false))
                                            riga.aggiungi(voci, posizione, dati);
                                    });
}

void TfrmScadenze::apri(int posizione)
{
    apriSchedaDipendente(posizione, this);
}

TfrmScadute::TfrmScadute(QWidget *parent) : TfrmScadenze(kScadute, parent)
{
    setObjectName(QStringLiteral("frmScadute"));
}

TfrmSospesi::TfrmSospesi(QWidget *parent) : TfrmScadenze(kSospesi, parent)
{
    setObjectName(QStringLiteral("frmSospesi"));
}

TfrmScadenzeVicine::TfrmScadenzeVicine(QWidget *parent) : TfrmScadenze(kVicine, parent)
{
    setObjectName(QStringLiteral("frmScadenzeVicine"));
}

} // namespace qv
