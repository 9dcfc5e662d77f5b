#pragma once
// The employee export: the whole employee archive in a grid, written on
// request to the spreadsheet "Dipendenti.xls" in the program folder.

#include "ui/finestre.h"

#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTableView>

namespace qv {

class GrigliaDipendenti;

class TfrmExpAnagrafica : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmExpAnagrafica(QWidget *parent = nullptr);

    QWidget *shpStrumenti;
    Figura *cmdEsporta, *cmdGuida, *cmdEsci;
    // One row per card in file order; the texts live in the grid's model, where
    // the editable columns can be changed before exporting.
    QTableView *grdRecords;
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
    GrigliaDipendenti *m_griglia;
};

} // namespace qv
