#include "frmtrovaanagrafica.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"
#include "ui/campi.h"
#include "registry/frmscadute.h"
#include "report/stampaelenco.h"
#include "storage/archivio.h"


namespace qv {

namespace {

// The filters in tab order: each field with its focus mark and the field Enter
// moves to, its label and the card field it is matched against.
const FiltroScheda<TSchedaDipendente> kFiltri[] = {
    {{"txtDipendente", "txtCittadinanza", Semplice, nullptr, "effCampo01"}, u"Cognome e nome Dipendente:", &TSchedaDipendente::Dipendente},
    {{"txtCittadinanza", "txtLuogo", Semplice, nullptr, "effCampo02"}, u"Cittadinanza:", &TSchedaDipendente::Cittadinanza},
    {{"txtLuogo", "txtDataNasc", Semplice, nullptr, "effCampo09"}, u"Luogo di nascita:", &TSchedaDipendente::Luogo},
    {{"txtDataNasc", "txtCodFisc", Semplice, nullptr, "effCampo10"}, u"Data di nascita (gg/mm/aaaa):", &TSchedaDipendente::DataNasc},
    {{"txtCodFisc", "txtPartitaIva", Semplice, nullptr, "effCampo05"}, u"Codice fiscale:", &TSchedaDipendente::CodFisc},
    {{"txtPartitaIva", "txtCitta", Semplice, nullptr, "effCampo06"}, u"Partita IVA:", &TSchedaDipendente::PartitaIva},
    {{"txtCitta", "txtQualifiche", Semplice, nullptr, "effCampo07"}, u"Città di residenza:", &TSchedaDipendente::Citta},
    {{"txtQualifiche", "txtStipendio", Semplice, nullptr, "effCampo08"}, u"Qualifiche:", &TSchedaDipendente::Qualifiche},
    {{"txtStipendio", "txtNote", Semplice, nullptr, "effCampo03"}, u"Stipendio: €", &TSchedaDipendente::Stipendio},
    {{"txtNote", "txtDipendente", Semplice, nullptr, "effCampo04"}, u"Note:", &TSchedaDipendente::Note},
};

// The personal data a pick copies into the contract screen's collaborator fields.
struct Copia
{
    QString TSchedaDipendente::*dato;
    const char *campo;
};

const Copia kCopiaContratti[] = {
    {&TSchedaDipendente::Dipendente, "txtDipendente"}, {&TSchedaDipendente::Cittadinanza, "txtCittadinanza"},
    {&TSchedaDipendente::Stipendio, "txtStipendio"},   {&TSchedaDipendente::Luogo, "txtLuogo"},
    {&TSchedaDipendente::DataNasc, "txtDataNasc"},     {&TSchedaDipendente::CodFisc, "txtCodFisc"},
    {&TSchedaDipendente::Indirizzo, "txtIndirizzo"},   {&TSchedaDipendente::Citta, "txtCitta"},
    {&TSchedaDipendente::Prov, "txtProv"},             {&TSchedaDipendente::Cap, "txtCap"},
    {&TSchedaDipendente::Qualifiche, "txtQualifiche"}, {&TSchedaDipendente::Iban, "txtIban"},
    {&TSchedaDipendente::Recapito, "txtRecapito"},
};

} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(QWidget *parent)
    : TfrmRicerca({QStringLiteral(" Trova Dipendenti in archivio"), QStringLiteral("Riepilogo Dipendenti in archivio"), StampaElencoSchermo},
                  campiFiltro(kFiltri), QStringLiteral("Il presente riepilogo contiene %1."), parent)
{
    setObjectName(QStringLiteral("frmTrovaAnagrafica"));
    assegnaFiltri({&txtDipendente, &txtCittadinanza, &txtLuogo, &txtDataNasc, &txtCodFisc, &txtPartitaIva, &txtCitta,
                   &txtQualifiche, &txtStipendio, &txtNote});
}

VociElenco TfrmTrovaAnagrafica::cerca(const QList<FiltroAttivo> &attivi)
{
    return cercaSchede(cartellaProgramma().archivioDipendenti(), kFiltri, attivi, formaRigaDipendente());
}

// Each entry remembers the card it was built from, so the pick applies exactly
// that card even when another card gives the same line.
void TfrmTrovaAnagrafica::lstRecordsDblClick()
{
    try {
        const int posizione = posizioneSelezionata();
        const QString token = lblMemory->text();
        if (posizione > 0 && token == QLatin1String("anagrafica")) {
            apriSchedaDipendente(posizione, this);
        } else if (posizione > 0 && token == QLatin1String("contratti")) {
            ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
            archivio.apri();
            const TSchedaDipendente s = archivio.leggi(posizione);
            archivio.chiudi();
            // The long-lived contract screen; without one, the window that opened the search.
            QWidget *contratti = Schermi::per(QStringLiteral("TfrmContratti"));
            if (!contratti && parentWidget())
                contratti = parentWidget()->window();
            for (const Copia &c : kCopiaContratti)
                if (auto *campo = contratti ? contratti->findChild<QLineEdit *>(QLatin1String(c.campo)) : nullptr)
                    mostraValore(campo, s.*c.dato);
        }
    } catch (const ErroreArchivio &e) {
        // The screen closes without applying anything further.
        segnalaErroreArchivio(this, e);
    }
    close();
}

} // namespace qv
