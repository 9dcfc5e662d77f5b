#pragma once
// The date picker: a month calendar whose date goes into the date field named
// by the token in lblMemory.

#include "ui/finestre.h"

#include <QCalendarWidget>
#include <QLabel>
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

public slots:
    void btnImportaDataClick();
    void btnAnnullaClick();
};

} // namespace qv
