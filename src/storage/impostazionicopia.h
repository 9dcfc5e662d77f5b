#pragma once
// The safety copy's settings in "Quadrivela.ini", section "Copia di
// sicurezza": where the copies go, when the last one was made, after how
// many days the main menu reminds of it, and how many earlier versions each
// card keeps in its history.

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace qv {

inline constexpr char kSezioneCopia[] = "Copia di sicurezza";

struct ImpostazioniCopia
{
    static constexpr int GiorniPredefiniti = 7;
    static constexpr int GiorniMassimi = 365;
    static constexpr int VersioniMassime = 999;

    QString cartella;       // "Cartella": the folder of the last copy; empty: none chosen yet
    QDateTime ultima;       // "Ultima copia", "dd/mm/yyyy hh:mm"; not valid: none made
    QDate dal;              // "Promemoria dal", "dd/mm/yyyy": the first run with no copy made
    int giorni = GiorniPredefiniti;  // "Giorni promemoria", 1 to GiorniMassimi
    int versioni = 50;      // "Versioni per scheda", 1 to VersioniMassime
};

// The settings in the file at `percorso`; a missing or unreadable file, key
// or value gives the default.
ImpostazioniCopia leggiImpostazioniCopia(const QString &percorso);

// Writes the four keys in one rewrite of the file, leaving the rest of it as
// it was. False, with the reason in `errore` when given (MotivoSolaLettura
// of ini.h on a read-only folder), when the file could not be written.
bool scriviImpostazioniCopia(const QString &percorso, const ImpostazioniCopia &impostazioni,
                             QString *errore = nullptr);

// After a restore: the settings file `ripristinato` (the copy's) takes from
// `attuale` (the folder's, when it has one) the keys that describe the copies
// themselves, where the last one went, when it was made and since when the
// folder has had none; the rest stays as the copy has it. False, with the
// reason in `errore`, when a file cannot be read or written.
bool conservaImpostazioniCopia(const QString &attuale, const QString &ripristinato, QString *errore = nullptr);

// Days since the last copy on `oggi`; no value when none was made.
std::optional<int> giorniDallaCopia(const ImpostazioniCopia &impostazioni, const QDate &oggi);

// Whether the main menu reminds of a copy on `oggi`: the last one is older
// than the days set, or none was made of a folder that holds cards and has
// been in use (since `dal`) for longer than that.
bool copiaDaRicordare(const ImpostazioniCopia &impostazioni, const QDate &oggi, bool ciSonoSchede);

} // namespace qv
