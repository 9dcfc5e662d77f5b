#pragma once
// The employee search: up to ten filters at once, the cards found one line
// each, and a double click that either loads the card into the employee card
// screen or copies the employee's personal data into the contract screen.

#include "ui/frmricerca.h"

namespace qv {

class TfrmTrovaAnagrafica : public TfrmRicerca
{
    Q_OBJECT
public:
    explicit TfrmTrovaAnagrafica(QWidget *parent = nullptr);

    QLineEdit *txtDipendente, *txtCittadinanza, *txtLuogo, *txtDataNasc, *txtCodFisc, *txtPartitaIva, *txtCitta,
        *txtQualifiche, *txtStipendio, *txtNote;

public slots:
    void lstRecordsDblClick() override;

protected:
    VociElenco cerca(const QList<FiltroAttivo> &attivi) override;
};

} // namespace qv
