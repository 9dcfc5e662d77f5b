#pragma once
// The about screen, with a link that writes an e-mail to the maker and the
// place of the program's log, the file to send when something went wrong.

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
    QLabel *lblRegistro;
    QPushButton *btnChiudi;

    // What the mail link hands to the shell.
    static QString comandoEmail();

public slots:
    void lnkWebClick();
    void btnChiudiClick();
};

} // namespace qv
