#pragma once
// The contract summary: the contracts of the chosen year signed within the
// interval, optionally of one kind of service, with their total, a quick find
// and the print.

#include "ui/frmelenco.h"

#include <QPrinter>

namespace qv {

class TfrmMenuRiepilogo;

class TfrmRiepilogo : public TfrmElenco
{
    Q_OBJECT
public:
    // Reads its parameters from the parameter screen that opens it (`parent`),
    // or from the program's parameter screen.
    explicit TfrmRiepilogo(QWidget *parent = nullptr);

    QWidget *panContainer;
    QLabel *imgIntestazione;
    Figura *imgGuida;
    QLabel *lblRigo01, *lblRigo02;
    QLabel *lblTipologia, *titTipologia;
    QLabel *lblIntervalloSel, *lblIntervallo;
    QLabel *lblTotale, *lblTotCosti;
    QPushButton *btnEsci;

    // The printer the summary is printed on, after the print dialog.
    QPrinter stampante{QPrinter::HighResolution};

    // The printed title and lines, as the print gives them to the report.
    QString titoloRiepilogo() const;
    QStringList righeStampate() const;

public slots:
    void FormShow() override;
    void lstRecordsDblClick() override {}
    void btnStampaClick() override;
    void imgGuidaClick();
    void btnEsciClick();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    TfrmMenuRiepilogo *parametri() const;
};

} // namespace qv
