#pragma once
// The lists of the contracts of the year the contract screen works on: those
// still in force, those expired or rescinded, and those in force that end
// within the next 30 days (the main menu's notice opens it). A double click
// loads the card into the contract screen.

#include "ui/frmelenco.h"

#include <QDate>

#include <optional>

namespace qv {


// The line of a contract in force, also the contract search's line.
QString rigaValido(const TSchedaContratto &scheda);
// The fields that line shows.
QList<QString TSchedaContratto::*> campiRigaValido();
// The same line built from a card's record.
const RigaScheda<TSchedaContratto> &formaRigaValido();

// What sets the two lists apart.
struct RegolaContratti
{
    const char16_t *caption;
    const char16_t *banner;
    const char16_t *titoloStampa;
    // Whether a card is listed today; no value when its end date is needed and cannot be read.
    std::optional<bool> (*listato)(const TSchedaContratto &scheda, const QDate &oggi);
    QString (*riga)(const TSchedaContratto &scheda);
    const RigaScheda<TSchedaContratto> &(*forma)();
};

class TfrmElencoContratti : public TfrmListaSchede
{
    Q_OBJECT
public:
    TfrmElencoContratti(const RegolaContratti &regola, QWidget *parent);

    QLabel *lblRigo01, *lblRigo02, *lblRigo03;

protected:
    void leggi(VociElenco &voci) override;
    void apri(int posizione) override;

private:
    const RegolaContratti &m_regola;
};

class TfrmValidi : public TfrmElencoContratti
{
    Q_OBJECT
public:
    explicit TfrmValidi(QWidget *parent = nullptr);
};

class TfrmRescissi : public TfrmElencoContratti
{
    Q_OBJECT
public:
    explicit TfrmRescissi(QWidget *parent = nullptr);
};

// The contracts the main menu's notice counts (terminaEntro,
// storage/scadenze.h), the end date first on their line.
class TfrmContrattiInScadenza : public TfrmElencoContratti
{
    Q_OBJECT
public:
    explicit TfrmContrattiInScadenza(QWidget *parent = nullptr);
};

} // namespace qv
