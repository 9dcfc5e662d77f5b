#pragma once
// The contract export: every contract card of the year the contract screen
// works on in a grid, written on request to the spreadsheet
// "Contratti_Lavoro.xls" in the program folder.

#include "ui/frmesporta.h"

namespace qv {

class TfrmExpContratti : public TfrmEsporta
{
    Q_OBJECT
public:
    explicit TfrmExpContratti(QWidget *parent = nullptr);
};

} // namespace qv
