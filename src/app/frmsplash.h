#pragma once
// The credits screen, with a link to the maker's web site.

#include "ui/finestre.h"

#include <QPushButton>

namespace qv {

class TfrmSplash : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    Figura *imgLogo;
    Figura *imgWeb;
    Collegamento *lnkWeb;
    QPushButton *btnChiudi;

public slots:
    void lnkWebClick();
    void btnChiudiClick();
};

} // namespace qv
