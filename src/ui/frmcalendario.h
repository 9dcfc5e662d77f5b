#pragma once
// The date picker: a month calendar whose date goes into the date field named
// by the token in lblMemory.

#include "ui/finestre.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

class TfrmCalendario : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    QLabel *lblCampo001;
    QCalendarWidget *calAppuntamenti;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
    QLabel *lblMemory;

    // The date field each token names: screen class and field.
    struct Destinazione { const char *token; const char *schermo; const char *campo; };
    static const Destinazione Destinazioni[4];

    // Shows the month of the date the field named by lblMemory holds and
    // selects that date; a field without a date leaves today's.
    void mostraDataDelCampo();

public slots:
    void btnImportaDataClick();
    void btnAnnullaClick();

private:
    // The field the token in lblMemory names; nullptr for an unknown token.
    QLineEdit *campoDestinazione() const;
};

} // namespace qv
