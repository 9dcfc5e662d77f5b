#pragma once
// The safety copy's dialog, from the main menu: what the copy holds, the
// folder it goes to, the date of the last one, after how many days the main
// menu reminds of it and how many earlier versions each card keeps; "Crea la
// copia" makes it. The settings are kept in "Quadrivela.ini" when the dialog
// is left.

#include "storage/impostazionicopia.h"
#include "ui/finestre.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace qv {

class TfrmCopia : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmCopia(QWidget *parent = nullptr);

    QLabel *lblSpiegazione, *lblUltima;
    QLineEdit *txtCartella;
    QSpinBox *spnGiorni, *spnVersioni;
    QPushButton *btnSfoglia, *btnChiudi, *btnCopia;

    // The settings as the dialog shows them.
    ImpostazioniCopia impostazioni() const;
    // The text of the last copy's line.
    static QString testoUltima(const QDateTime &ultima);

public slots:
    void btnSfogliaClick();
    void btnCopiaClick();
    void btnChiudiClick();

private:
    // Keeps what the user changed; true unless it could not be written.
    bool memorizza();

    ImpostazioniCopia m_lette;
};

} // namespace qv
