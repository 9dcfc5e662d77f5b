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

#include <QCloseEvent>

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

void apriSchedaDipendente(int posizione)
{
    ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
    archivio.apri();
    const TSchedaDipendente scheda = archivio.leggi(posizione);
    archivio.chiudi();
    if (auto *anagrafica = Schermi::di<TfrmAnagrafica>())
        anagrafica->caricaScheda(scheda, posizione);
}

TfrmScadenze::TfrmScadenze(const RegolaScadenza &regola, QWidget *parent)
    : TfrmElenco({QString::fromUtf16(regola.caption), QString::fromUtf16(regola.titoloStampa), StampaElencoSchermo},
                 QColor(0xB0, 0xC4, 0xDE), Qt::white, parent),
      m_regola(regola)
{
    imgIntestazione = intestazione(this, QString::fromUtf16(regola.banner));
    disponiElenco(this, QRect(14, 74, 834, 420));
    lblDoppioClic = etichetta(this, QStringLiteral("lblDoppioClic"),
                              QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                              QRect(14, 510, 560, 32), carattere(QStringLiteral("Verdana"), 9));
    btnStampa->setGeometry(590, 510, 124, 32);
    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(724, 510, 124, 32));

    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    setTabOrder(btnChiudi, btnTrova);

    connect(btnChiudi, &QPushButton::clicked, this, &TfrmScadenze::btnChiudiClick);
}

void TfrmScadenze::FormShow()
{
    azzeraTrova();
    const QDate oggi = Servizi::correnti().oggi();
    QList<VoceElenco> voci;
    try {
        ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
        archivio.apri();
        // A card whose dates cannot be read is passed over: the cards after it still count.
        QList<QString TSchedaDipendente::*> campi = campiRigaDipendente();
        campi.append(&TSchedaDipendente::Preavviso);
        archivio.perOgni(campi, [&](int posizione, const TSchedaDipendente &s) {
            if (m_regola.listata(s, oggi).value_or(false))
                voci.append({rigaDipendente(s), posizione});
            return true;
        });
    } catch (const ErroreArchivio &e) {
        // An archive that cannot be read shows the cards found so far.
        segnalaSeOccupato(this, e);
    }
    mostraVoci(std::move(voci));
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmScadenze::btnChiudiClick()
{
    close();
}

void TfrmScadenze::lstRecordsDblClick()
{
    try {
        const int posizione = posizioneSelezionata();
        if (posizione > 0)
            apriSchedaDipendente(posizione);
    } catch (const ErroreArchivio &e) {
        // The screen closes without loading anything further.
        segnalaSeOccupato(this, e);
    }
    close();
}

TfrmScadute::TfrmScadute(QWidget *parent) : TfrmScadenze(kScadute, parent)
{
    setObjectName(QStringLiteral("frmScadute"));
}

TfrmSospesi::TfrmSospesi(QWidget *parent) : TfrmScadenze(kSospesi, parent)
{
    setObjectName(QStringLiteral("frmSospesi"));
}

} // namespace qv
