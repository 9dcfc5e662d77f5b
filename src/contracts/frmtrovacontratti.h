#pragma once
// The contract search: up to ten filters at once over the contracts of the
// year the contract screen works on, the contracts found one line each, and a
// double click that loads the chosen contract into the contract screen.

#include "ui/frmricerca.h"

namespace qv {

class TfrmTrovaContratti : public TfrmRicerca
{
    Q_OBJECT
public:
    explicit TfrmTrovaContratti(QWidget *parent = nullptr);

    QLineEdit *txtDataStipula, *txtDipendente, *txtDataNasc, *txtCodFisc, *txtDataInizio, *txtDataFine, *txtCitta,
        *txtQualifiche, *txtPrestazioni, *txtNote;
    QLabel *lblRigo01, *lblRigo02, *lblRigo03;

public slots:
    void lstRecordsDblClick() override;

protected:
    VociElenco cerca(const QList<FiltroAttivo> &attivi) override;
};

} // namespace qv
