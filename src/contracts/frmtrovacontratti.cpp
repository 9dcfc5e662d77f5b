#include "frmtrovacontratti.h"

#include "contracts/frmvalidi.h"
#include "contracts/schermocontratti.h"
#include "report/stampaelenco.h"
#include "ui/schermi.h"

namespace qv {

namespace {

using S = TSchedaContratto;

// The filters in tab order: each field with the field Enter moves to, its
// label and the card field it is matched against. The date filters are plain
// text filters: "/2017" finds a year, "03/" a day or a month.
const FiltroScheda<S> kFiltri[] = {
    {{"txtDataStipula", "txtDipendente"}, u"Data stipula (gg/mm/aaaa):", &S::DataStipula},
    {{"txtDipendente", "txtDataNasc"}, u"Cognome e nome Dipendente:", &S::Dipendente},
    {{"txtDataNasc", "txtCodFisc"}, u"Data di nascita:", &S::DataNasc},
    {{"txtCodFisc", "txtDataInizio"}, u"Codice fiscale:", &S::CodFisc},
    {{"txtDataInizio", "txtDataFine"}, u"Decorrenza contratto (gg/mm/aaaa):", &S::DataInizio},
    {{"txtDataFine", "txtCitta"}, u"Scadenza contratto (gg/mm/aaaa):", &S::DataFine},
    {{"txtCitta", "txtQualifiche"}, u"Città di residenza:", &S::Citta},
    {{"txtQualifiche", "txtPrestazioni"}, u"Qualifiche:", &S::Qualifiche},
    {{"txtPrestazioni", "txtNote"}, u"Prestazioni da svolgere:", &S::Prestazioni},
    {{"txtNote", "txtDataStipula"}, u"Note:", &S::Note},
};

const QColor CianoScuro(0x00, 0x8B, 0x8B);

} // namespace

TfrmTrovaContratti::TfrmTrovaContratti(QWidget *parent)
    : TfrmRicerca({QStringLiteral(" Trova contratti in archivio"), QStringLiteral("Riepilogo contratti registrati"),
                   StampaElencoSchermo},
                  campiFiltro(kFiltri), QStringLiteral("Il presente elenco contiene %1."), parent)
{
    setObjectName(QStringLiteral("frmTrovaContratti"));
    assegnaFiltri({&txtDataStipula, &txtDipendente, &txtDataNasc, &txtCodFisc, &txtDataInizio, &txtDataFine, &txtCitta,
                   &txtQualifiche, &txtPrestazioni, &txtNote});

    rinominaRighe(lblDoppioClic, lblRigo01, lblRigo02, lblRigo03);
    coloraTesto(lblAttendere, CianoScuro);
    coloraTesto(lblTrovate, CianoScuro);
}

VociElenco TfrmTrovaContratti::cerca(const QList<FiltroAttivo> &attivi)
{
    return cercaSchede(archivioContratti(this), kFiltri, attivi, formaRigaValido());
}

// Each entry remembers the card it was built from, so the pick loads exactly
// that card even when another card gives the same line.
void TfrmTrovaContratti::lstRecordsDblClick()
{
    try {
        const int posizione = posizioneSelezionata();
        if (posizione > 0 && lblMemory->text() == QLatin1String("contratti"))
            apriSchedaContratto(this, posizione);
    } catch (const ErroreArchivio &e) {
        // The screen closes; the contract screen keeps what it showed.
        segnalaErroreArchivio(this, e);
    } catch (...) {
        // The screen closes; the contract screen keeps what it showed.
    }
    close();
}

} // namespace qv
