#pragma once
// The work log sheet of an employee card: a spreadsheet named after the card's
// position, created with its header row the first time it is asked for and
// then handed to the system's spreadsheet program. lblMemory holds the position.

#include "ui/finestre.h"

#include <QLabel>
#include <QPushButton>

class QFrame;

namespace qv {

class TfrmAllegaExcel : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmAllegaExcel(QWidget *parent = nullptr);

    Figura *imgExcel, *imgTitolo, *imgDecorativo;
    QLabel *lblInfo01, *lblInfo02, *lblInfo03, *lblInfo04, *lblInfo05, *lblInfo06;
    QFrame *shpSeparatore;
    QPushButton *btnAnnulla, *btnStampa;
    QLabel *lblMemory;

    // How the card screen opens the dialog: a new one owned by `schermo` with
    // the card's position, trimmed, as its token; shown modally and destroyed.
    static int apri(QWidget *schermo, const QString &posizione);

public slots:
    void btnAnnullaClick();
    void btnStampaClick();
};

} // namespace qv
