#pragma once
// The employee export: the whole employee archive in a grid, written on
// request to the spreadsheet "Dipendenti.xls" in the program folder.

#include "app/finestre.h"

#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTableWidget>

namespace qv {

class TfrmExpAnagrafica : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmExpAnagrafica(QWidget *parent = nullptr);

    QWidget *shpStrumenti;
    Figura *cmdEsporta, *cmdGuida, *cmdEsci;
    QTableWidget *grdRecords;
    QLabel *panInfo;

    // The grid column of a column name ("colStipendio"), or -1.
    static int colonna(const QString &nome);

public slots:
    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    // For each grid row, in grid order, the texts of the exported columns.
    QList<QStringList> righeFoglio() const;
};

} // namespace qv
