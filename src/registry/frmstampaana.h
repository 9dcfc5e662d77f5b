#pragma once
// Print and preview of the employee card: one A4 page with the eighteen text
// rows of the card shown on the card screen, with or without its photo.

#include "ui/finestre.h"
#include "report/report.h"

#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

namespace qv {

class RiquadroFoto;

// The two dialogs differ only in their texts and in the last step: print or preview.
class DialogoStampaScheda : public DialogoFisso
{
    Q_OBJECT
public:
    struct Testi
    {
        const char *didascalia;
        const char *titolo;
        const char *info[3];
        const char *istruzioni[4];
        const char *conFoto;
        const char *senzaFoto;
        const char *pulsante;
    };

    QLabel *lblTitolo;
    QLabel *lblInfo01, *lblInfo02, *lblInfo03;
    QLabel *lblIstruz01, *lblIstruz02, *lblIstruz03, *lblIstruz04;
    QRadioButton *optUno, *optDue;
    QPushButton *btnStampa, *btnAnnulla;
    QLabel *lblMemory;
    RiquadroFoto *imgLogo, *imgBianco;

    // The templates with the photo and without it, filled anew at every run.
    Report repFoto, repScheda;
    // The printer the card goes to; the print dialog or the preview may change it.
    QPrinter stampante{QPrinter::HighResolution};

    static constexpr const char *TitoloScheda = "SCHEDA DATI ANAGRAFICI DIPENDENTE";

public slots:
    void FormShow();
    void optUnoClick();
    void optDueClick();
    void btnStampaClick();
    void btnAnnullaClick();

protected:
    DialogoStampaScheda(const Testi &testi, QWidget *parent);
    void showEvent(QShowEvent *e) override;
    // The last step: prints or previews the laid-out report.
    virtual void esegui(Report &report) = 0;

private:
    // The window whose controls hold the card: the card screen, or the opener.
    QWidget *scheda() const;
};

class TfrmStampaAna : public DialogoStampaScheda
{
    Q_OBJECT
public:
    explicit TfrmStampaAna(QWidget *parent = nullptr);

protected:
    void esegui(Report &report) override;
};

class TfrmAnteprimaAna : public DialogoStampaScheda
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaAna(QWidget *parent = nullptr);

protected:
    void esegui(Report &report) override;
};

} // namespace qv
