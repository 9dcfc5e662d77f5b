#pragma once
// The contract document dialog: writes the contract shown on the contract
// screen, saved or not, as "Contratto_Collaborazione.rtf" in the program
// folder and offers to open it in the user's word processor.

#include "output/contratto.h"
#include "ui/finestre.h"

#include <QLabel>
#include <QPushButton>

namespace qv {

class TfrmStampaCon : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmStampaCon(QWidget *parent = nullptr);

    QWidget *panBianco;
    Figura *imgDocumento, *imgStampa;
    QLabel *lblTesto01, *lblTesto02, *lblTesto03, *lblTesto04, *lblTesto05, *lblTesto06;
    QPushButton *btnAnnulla, *btnStampa;

    // The values the document takes from the controls of `schermo`, each
    // stripped of leading and trailing blanks; a control it lacks gives an
    // empty value.
    static CampiContratto campiDa(const QWidget *schermo);
    // The values of the contract screen as they stand now.
    CampiContratto campi() const;

    // Before the document is made from `schermo`: when the collaborator's IBAN
    // or the monthly fee (an empty or zero amount) is missing, asks whether
    // to make it all the same. On No, the first missing field takes the focus
    // and false comes back.
    static bool confermaDatiMancanti(QWidget *schermo);

public slots:
    void btnAnnullaClick();
    void btnStampaClick();

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    // The contract screen, or the window that opened the dialog without one.
    QWidget *schermoContratti() const;
};

} // namespace qv
