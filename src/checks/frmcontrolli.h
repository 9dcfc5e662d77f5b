#pragma once
// The three identifier check dialogs (codice fiscale, partita IVA, IBAN) and
// the routines the card screens use to open them. The dialogs share one shape:
// a banner, a line of instructions, a strip with the field and "Controlla",
// and "Chiudi" below it; what tells them apart is one small description each.

#include "ui/finestre.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

struct DefControllo;

class DialogoControllo : public DialogoFisso
{
    Q_OBJECT
public:
    QLabel *lblTitolo;
    QPushButton *btnControlla;
    QPushButton *btnChiudi;

    // The field of the dialog (txtCodFisc, txtPartitaIva or txtIban).
    QLineEdit *campo() const { return m_campo; }
    // Puts the opener's text in the field whole: the length limit only stops typing.
    void impostaTesto(const QString &testo);

public slots:
    void btnControllaClick();
    void btnChiudiClick();

protected:
    DialogoControllo(const DefControllo &def, QWidget *parent);
    void showEvent(QShowEvent *e) override;

private:
    const DefControllo &m_def;
    QLineEdit *m_campo;

protected:
    QHBoxLayout *m_rigaPulsanti; // the row of "Chiudi"
};

class TfrmCodFisc : public DialogoControllo
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);
    QLineEdit *const txtCodFisc;
    QPushButton *btnCalcola; // opens the computation from a person's data

public slots:
    void btnCalcolaClick();
};

class TfrmPartitaIva : public DialogoControllo
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);
    QLineEdit *const txtPartitaIva;
};

class TfrmIban : public DialogoControllo
{
    Q_OBJECT
public:
    explicit TfrmIban(QWidget *parent = nullptr);
    QLineEdit *const txtIban;
};

// The buttons beside the card screens' fields. Each opens its dialog owned by
// `schermo` with the field's text trimmed, modally, and destroys it after; a
// codice fiscale made only of digits is checked as a partita IVA.
void apriControlloCodFisc(QWidget *schermo, const QString &testoCampo);
void apriControlloPartitaIva(QWidget *schermo, const QString &testoCampo);
void apriControlloIban(QWidget *schermo, const QString &testoCampo);

} // namespace qv
