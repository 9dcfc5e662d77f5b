#pragma once
// The main menu: the three areas of the program, the guide, the about and
// credits screens, the maker's web site and the way out.

#include "ui/finestre.h"

#include <QFrame>

namespace qv {

class TfrmAvvio : public SchermoArea
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    QFrame *shpSfondo;
    Figura *imgInfo, *imgIcona, *imgTitolo, *imgLogo, *imgGuida, *imgSottotitolo;
    Figura *imgAnagrafica, *btnAnagrafica, *infAnagrafica;
    Figura *imgContratti, *btnContratti, *infContratti;
    Figura *imgRiepilogo, *btnRiepilogo, *infRiepilogo;
    Figura *imgSito, *imgCopyright, *imgEsci;

public slots:
    void imgAnagraficaClick();
    void imgContrattiClick();
    void imgRiepilogoClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();

protected:
    // Each time the menu opens, the keyboard starts on the first area's button.
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void apriArea(const char *classe);
};

} // namespace qv
