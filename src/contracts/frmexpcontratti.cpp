#include "frmexpcontratti.h"

#include "contracts/schermocontratti.h"
#include "ui/schermi.h"
#include "ui/testiguida.h"

namespace qv {

namespace {

const QString TitoloGuida = QStringLiteral("Esportazione archivio contratti in Microsoft Excel.");

// The grid columns in order; every column with a record field is also a
// column of the .xls sheet, with its own width there, and of the .xlsx
// workbook, in the same order. The company's office, register,
// representative, activity, court and attachments stay out.
using S = TSchedaContratto;
using T = TipoCella;
const ColonnaCampo<S> kColonne[] = {
    {{"colNum", "N.", 60, 0, true}, nullptr},
    {{"colDataStipula", "Data stipula", 160, 180, true, T::Data}, &S::DataStipula},
    {{"colLuogoStipula", "Luogo stipula", 250, 250, true}, &S::LuogoStipula},
    {{"colNomeDitta", "Denominazione Ditta", 250, 250, true}, &S::NomeDitta},
    {{"colIvaDitta", "Partita IVA", 160, 180, true, T::Codice}, &S::IvaDitta},
    {{"colDipendente", "Cognome e nome Dipendente", 250, 250, true}, &S::Dipendente},
    {{"colCittadinanza", "Cittadinanza", 200, 200, true}, &S::Cittadinanza},
    {{"colLuogo", "Luogo di nascita", 250, 250, true}, &S::Luogo},
    {{"colDataNasc", "Data di nascita", 160, 180, true, T::Data}, &S::DataNasc},
    {{"colCodFisc", "Codice fiscale", 200, 180, true, T::Codice}, &S::CodFisc},
    {{"colRecapito", "Recapito telefonico", 200, 200, true, T::Codice}, &S::Recapito},
    {{"colIndirizzo", "Indirizzo di residenza", 250, 250, true}, &S::Indirizzo},
    {{"colCitta", "Città di residenza", 250, 250, true}, &S::Citta},
    {{"colProv", "Provincia", 120, 150, true}, &S::Prov},
    {{"colCap", "CAP", 120, 150, true, T::Codice}, &S::Cap},
    {{"colStipendio", "Rata stipendio", 160, 180, true, T::Importo}, &S::Stipendio},
    {{"colIban", "IBAN", 200, 250, true, T::Codice}, &S::Iban},
    {{"colQualifiche", "Qualifiche", 250, 250, true}, &S::Qualifiche},
    {{"colPrestazioni", "Prestazioni da svolgere", 350, 400, true}, &S::Prestazioni},
    {{"colDataInizio", "Data decorrenza", 160, 180, true, T::Data}, &S::DataInizio},
    {{"colDataFine", "Data scadenza", 160, 180, false, T::Data}, &S::DataFine},
    {{"colDurata", "Durata collaborazione", 200, 200, false}, &S::Durata},
    {{"colSedeLavoro", "Sede lavoro", 250, 250, false}, &S::SedeLavoro},
    {{"colRescisso", "Rescisso", 100, 120, false}, &S::Rescisso},
    {{"colMotivo", "Motivo rescissione", 250, 250, false}, &S::Motivo},
    {{"colNote", "Note", 350, 400, false}, &S::Note},
};

const TfrmEsporta::Impostazioni kImpostazioni = {
    QStringLiteral(" Esporta archivio contratti in Microsoft Excel"),
    QStringLiteral("Riepilogo Contratti di Lavoro"),
    TitoloGuida,
    testoGuida(paragrafiGuidaEsportaContratti()),
    [] { return cartellaProgramma().esportazioneContratti(); },
    [] { return cartellaProgramma().cartellaContratti(); },
    QStringLiteral("Contratti di lavoro"),
};

} // namespace

TfrmExpContratti::TfrmExpContratti(QWidget *parent)
    : TfrmEsporta(kImpostazioni, griglia(kColonne, [this] { return archivioContratti(this); }), parent)
{
    setObjectName(QStringLiteral("frmExpContratti"));
}

} // namespace qv
