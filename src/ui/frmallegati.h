#pragma once
// The attachments of a card: three slots, each the full path of a file left
// where it lies and a description. The dialog edits the working copy the card
// screen keeps in its hidden labels lblFile01..03 and lblDesc01..03, and
// writes it back into the screen its token names.

#include "ui/finestre.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

class TfrmAllegaCartella : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *parent = nullptr);

    Figura *imgLogo;
    QLabel *lblRigo01, *lblRigo02, *lblRigo03;
    QLineEdit *txtFile01, *txtFile02, *txtFile03;
    Figura *imgCancella01, *imgCancella02, *imgCancella03;
    QPushButton *btnSfoglia01, *btnSfoglia02, *btnSfoglia03;
    QPushButton *btnApri01, *btnApri02, *btnApri03;
    QLineEdit *txtDesc01, *txtDesc02, *txtDesc03;
    QPushButton *btnAnnulla, *btnApplica;
    QLabel *lblMemory;

    // The card screen each token writes back into, by class name.
    struct Destinazione { const char *token; const char *schermo; };
    static const Destinazione Destinazioni[2];

    // How a card screen opens the dialog: a new one owned by `schermo`, with the
    // token and the screen's six hidden labels, trimmed, in its fields; shown
    // modally and destroyed. Returns the dialog's result.
    static int apri(QWidget *schermo, const QString &token);

    // The screen "Applica e chiudi" writes into: the start-up instance of the
    // class the token names or, when there is none, the window that opened the
    // dialog; nullptr for an unknown token.
    QWidget *schermoDestinazione(const QString &token) const;

public slots:
    void txtFile01Change();
    void txtFile02Change();
    void txtFile03Change();
    void btnSfoglia01Click();
    void btnSfoglia02Click();
    void btnSfoglia03Click();
    void imgCancella01Click();
    void imgCancella02Click();
    void imgCancella03Click();
    void btnApri01Click();
    void btnApri02Click();
    void btnApri03Click();
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    // The six fields in the order of the hidden labels that mirror them.
    QList<QLineEdit *> campi() const;
    void fileCambiato(int k);
    void sfoglia(int k);
    void cancella(int k);
    void apriFile(int k);
};

} // namespace qv
