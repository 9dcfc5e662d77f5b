#pragma once
// The settings file "Quadrivela.ini": the contract screen remembers its company
// block in section "Ditta Emittente", one key per field.

#include <QString>

#include <array>
#include <optional>

namespace qv {

// A field of the contract screen's company block and the key that remembers it.
struct ChiaveDitta
{
    const char *controllo;
    const char *chiave;
};

inline constexpr char kSezioneDitta[] = "Ditta Emittente";

// In screen order.
inline constexpr std::array<ChiaveDitta, 14> kChiaviDitta = {{
    {"txtLuogoStipula", "Luogo Stipula"},
    {"txtNomeDitta", "Nome Ditta"},
    {"txtSedeDitta", "Sede Ditta"},
    {"txtProvDitta", "Provincia Ditta"},
    {"txtIvaDitta", "Iva Ditta"},
    {"txtComuneReg", "Comune Registro"},
    {"txtProvReg", "Provincia Registro"},
    {"txtNumReg", "Numero Registro"},
    {"txtLegale", "Nome Legale"},
    {"txtLuogoNascLeg", "Luogo Legale"},
    {"txtDataNascLeg", "Data Legale"},
    {"txtCodFiscLeg", "Codice Legale"},
    {"txtAttivita", "Attivita Svolta"},
    {"txtForo", "Foro Competente"},
}};

// The company block's values, entry i belonging to kChiaviDitta[i].
using DatiDitta = std::array<QString, kChiaviDitta.size()>;

// Reads the fourteen keys from the settings file at `percorso`; a missing file
// or key gives an empty value. No value when the file exists but cannot be
// read; the reason goes to `errore` when given.
std::optional<DatiDitta> leggiDatiDitta(const QString &percorso, QString *errore = nullptr);

// Writes the fourteen values, each trimmed, in one rewrite of the file, which
// is created when missing; the rest of the file stays as it was. On failure
// the file is unchanged and the reason goes to `errore` when given
// (MotivoSolaLettura, of ini.h, when the folder can only be read).
bool scriviDatiDitta(const QString &percorso, const DatiDitta &dati, QString *errore = nullptr);

} // namespace qv
