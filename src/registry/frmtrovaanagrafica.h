#pragma once
// The employee search: up to ten filters at once, the cards found one line
// each, and a double click that either loads the card into the employee card
// screen or copies the employee's personal data into the contract screen.

#include "ui/frmelenco.h"

namespace qv {

class ComportamentiCampi;

class TfrmTrovaAnagrafica : public TfrmElenco
{
    Q_OBJECT
public:
    explicit TfrmTrovaAnagrafica(QWidget *parent = nullptr);

    // Criteria panel.
    QWidget *panAvvio;
    QLabel *lblRigo04, *lblRigo05, *lblRigo06;
    QLineEdit *txtDipendente, *txtCittadinanza, *txtLuogo, *txtDataNasc, *txtCodFisc, *txtPartitaIva, *txtCitta,
        *txtQualifiche, *txtStipendio, *txtNote;
    QPushButton *btnAnnulla, *btnCerca;
    QLabel *lblAttendere, *lblConta, *lblMemory;

    // Results panel.
    QWidget *panContainer;
    QLabel *imgIntestazione, *lblDoppioClic, *lblTrovate;
    QPushButton *btnChiudi;

public slots:
    void FormShow() override;
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    void btnChiudiClick();
    void lstRecordsDblClick() override;

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    ComportamentiCampi *m_campi;
};

} // namespace qv
