#include "frmexpanagrafica.h"

#include "ui/schermi.h"
#include "ui/testiguida.h"

namespace qv {

namespace {

const QString TitoloGuida = QStringLiteral("Esportazione archivio Dipendenti in Microsoft Excel.");

// The grid columns in order; every column with a record field is also a
// column of the .xlsx workbook, in the same order, and with a sheet width a
// column of the .xls sheet. The notice period is in the workbook alone.
using S = TSchedaDipendente;
using T = TipoCella;
const ColonnaCampo<S> kColonne[] = {
    {{"colNum", "N.", 60, 0, true}, nullptr},
    {{"colDipendente", "Cognome e nome", 250, 250, true}, &S::Dipendente},
    {{"colCittadinanza", "Cittadinanza", 200, 250, true}, &S::Cittadinanza},
    {{"colStipendio", "Stipendio", 180, 200, false, T::Importo}, &S::Stipendio},
    {{"colLuogo", "Luogo di nascita", 250, 250, true}, &S::Luogo},
    {{"colDataNasc", "Data di nascita", 180, 200, false, T::Data}, &S::DataNasc},
    {{"colCodFisc", "Codice fiscale", 180, 200, false, T::Codice}, &S::CodFisc},
    {{"colPartitaIva", "Partita IVA", 150, 180, true, T::Codice}, &S::PartitaIva},
    {{"colIndirizzo", "Indirizzo di residenza", 250, 250, true}, &S::Indirizzo},
    {{"colCitta", "Città", 250, 250, true}, &S::Citta},
    {{"colProv", "Prov.", 100, 150, true}, &S::Prov},
    {{"colCap", "CAP", 120, 150, false, T::Codice}, &S::Cap},
    {{"colQualifiche", "Qualifiche", 300, 300, true}, &S::Qualifiche},
    {{"colFamiliari", "Familiari a carico", 300, 300, true, T::Intero}, &S::Familiari},
    {{"colIban", "IBAN", 200, 250, false, T::Codice}, &S::Iban},
    {{"colNote", "Note", 350, 400, true}, &S::Note},
    {{"colDataSca", "Scadenza contratto", 150, 200, false, T::Data}, &S::DataSca},
    {{"colPreavviso", "Giorni preavviso", 0, 0, true, T::Intero}, &S::Preavviso},
    {{"colRecapito", "Recapito telefonico", 180, 200, true, T::Codice}, &S::Recapito},
    {{"colEmail", "E-mail", 250, 250, false}, &S::Email},
};

const TfrmEsporta::Impostazioni kImpostazioni = {
    QStringLiteral(" Esporta archivio Dipendenti in Microsoft Excel"),
    QStringLiteral("Riepilogo Dipendenti"),
    TitoloGuida,
    testoGuida(paragrafiGuidaEsportaDipendenti()),
    [] { return cartellaProgramma().esportazioneDipendenti(); },
    [] { return cartellaProgramma().cartellaDipendenti(); },
    QStringLiteral("Archivio Dipendenti"),
};

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(QWidget *parent)
    : TfrmEsporta(kImpostazioni, griglia(kColonne, [] { return cartellaProgramma().archivioDipendenti(); }), parent)
{
    setObjectName(QStringLiteral("frmExpAnagrafica"));
}

} // namespace qv
