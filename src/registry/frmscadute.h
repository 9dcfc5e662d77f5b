#pragma once
// The two lists of expiring contracts opened from the employee card screen:
// the cards whose contract has expired, and those whose contract has expired
// or falls due within its notice period; and the list the main menu's notice
// opens, of the cards whose contract expires within the next 30 days. A
// double click loads the card.

#include "ui/frmelenco.h"

#include <QDate>

#include <optional>

namespace qv {


// The list line of an employee card, shared with the employee search.
QString rigaDipendente(const TSchedaDipendente &scheda);
// The fields that line shows.
QList<QString TSchedaDipendente::*> campiRigaDipendente();
// The same line built from a card's record.
const RigaScheda<TSchedaDipendente> &formaRigaDipendente();

// Loads the card at `posizione` of the employee archive into the card screen,
// once the card shown there may be left (the question about its changes,
// asked over the list `elenco`). Archive failures are thrown as ErroreArchivio.
void apriSchedaDipendente(int posizione, QWidget *elenco);

// What sets the two lists apart.
struct RegolaScadenza
{
    const char16_t *caption;
    const char16_t *banner;
    const char16_t *titoloStampa;
    // Whether a card is listed today; no value when its expiry date or notice period cannot be read.
    std::optional<bool> (*listata)(const TSchedaDipendente &scheda, const QDate &oggi);
};

class TfrmScadenze : public TfrmListaSchede
{
    Q_OBJECT
public:
    TfrmScadenze(const RegolaScadenza &regola, QWidget *parent);

protected:
    void leggi(VociElenco &voci) override;
    void apri(int posizione) override;

private:
    const RegolaScadenza &m_regola;
};

class TfrmScadute : public TfrmScadenze
{
    Q_OBJECT
public:
    explicit TfrmScadute(QWidget *parent = nullptr);
};

class TfrmSospesi : public TfrmScadenze
{
    Q_OBJECT
public:
    explicit TfrmSospesi(QWidget *parent = nullptr);
};

// The cards the main menu's notice counts (scadeEntro, storage/scadenze.h).
class TfrmScadenzeVicine : public TfrmScadenze
{
    Q_OBJECT
public:
    explicit TfrmScadenzeVicine(QWidget *parent = nullptr);
};

} // namespace qv
