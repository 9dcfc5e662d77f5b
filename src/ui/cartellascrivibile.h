#pragma once
// A file the program writes in its own folder (a spreadsheet export, the
// contract document) when that folder can only be read, as on a read-only
// share or a locked USB stick: the user is told and chooses where the file
// goes instead.

#include <QString>

class QWidget;

namespace qv {

// Where to write the file meant for `percorso`: `percorso` itself when its
// folder can be written (or the write will report its own trouble);
// otherwise the file the user chooses after being told, with `descrizione`
// (e.g. "il file di Excel") naming the file and `filtro` (e.g.
// "Cartella di lavoro di Microsoft Excel (*.xls)") the kind in the dialog.
// Empty when the user gives up.
QString percorsoDaScrivere(QWidget *padre, const QString &percorso, const QString &descrizione,
                           const QString &filtro);

} // namespace qv
