#pragma once
// The employee export: the whole employee archive in a grid, written on
// request to the spreadsheet "Dipendenti.xls" in the program folder.

#include "ui/frmesporta.h"

namespace qv {

class TfrmExpAnagrafica : public TfrmEsporta
{
    Q_OBJECT
public:
    explicit TfrmExpAnagrafica(QWidget *parent = nullptr);
};

} // namespace qv
