#pragma once
// The about screen, with a link that writes an e-mail to the maker.

#include "ui/finestre.h"

#include <QPushButton>

namespace qv {

class TfrmInfo : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);

    Figura *imgLogo;
    Figura *imgEmail;
    Collegamento *lnkWeb;
    QLabel *lblVersione;
    QPushButton *btnChiudi;

    // What the mail link hands to the shell.
    static QString comandoEmail();

public slots:
    void lnkWebClick();
    void btnChiudiClick();
};

} // namespace qv
