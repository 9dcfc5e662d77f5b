#pragma once
// The main menu: the three areas of the program, the guide, the about and
// credits screens, the maker's web site, the safety copy and its restore, and
// the way out.

#include "ui/finestre.h"

#include <QFrame>

class QPushButton;

namespace qv {

class PannelloScadenze;

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
    PannelloScadenze *panScadenze;
    // The safety copy (Ctrl+B) and its restore (Ctrl+R).
    QPushButton *btnCopia, *btnRipristino;

public slots:
    void imgAnagraficaClick();
    void imgContrattiClick();
    void imgRiepilogoClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();
    void btnCopiaClick();
    void btnRipristinoClick();

protected:
    // Each time the menu opens, the keyboard starts on the first area's button.
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void apriArea(const char *classe);
};

} // namespace qv
