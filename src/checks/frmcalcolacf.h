#pragma once
// The codice fiscale computed from a person's data: surname and name, sex,
// birth date (typed or taken from the date picker) and birthplace (completed
// from the table of comuni and foreign states). "Importa" puts the code into
// the field that opened the dialog.

#include "ui/finestre.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

class QCompleter;

namespace qv {

class TfrmCalcolaCF : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmCalcolaCF(QWidget *parent = nullptr);

    QLineEdit *txtCognome, *txtNome, *txtDataNasc, *txtLuogo, *txtCodFisc;
    QRadioButton *optMaschio, *optFemmina;
    Figura *btnCalendario;
    QPushButton *btnImporta, *btnAnnulla;
    QLabel *lblStato; // why there is no code yet, or where the code says the person was born
    QLabel *panInfo;
    QCompleter *completamento;

    // The card's data: "Cognome e nome" split into its two parts, the
    // birthplace and the birth date as the card holds them; the sex of the
    // code already in `destinazione`, when that is valid.
    void precompila(const QString &cognomeNome, const QString &luogo, const QString &dataNascita);
    // The field "Importa" writes the code into.
    void impostaDestinazione(QLineEdit *campo);

    // The code of the data as they stand; empty while one is missing or wrong.
    QString codice() const { return txtCodFisc->text(); }

public slots:
    void btnImportaClick();
    void btnAnnullaClick();
    void btnCalendarioClick();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    // Computes the code again; the reason when it cannot, and the field to fix.
    void aggiorna();
    QString motivo(QWidget **campo) const;

    QPointer<QLineEdit> m_destinazione;
};

// Opens the dialog owned by `schermo` for the codice fiscale field
// `destinazione`, pre-filled from the card's data, modally, and destroys it.
void apriCalcolaCF(QWidget *schermo, QLineEdit *destinazione, const QString &cognomeNome = QString(),
                   const QString &luogo = QString(), const QString &dataNascita = QString());

} // namespace qv
