#pragma once
// Test seams of the system calls: the answers of a system that refuses what
// the tests cannot make a real one refuse (a privileged user writes anywhere).

#include <QString>

namespace qv::os::guasti {

// The system refuses every write in `cartella` (EACCES), as a read-only share
// does: its files open for reading only, no file is created, removed or
// renamed there, and the trials of os/scrivibile.h say so. An empty path
// switches it off.
void cartellaSolaLettura(const QString &cartella);

// The errno the seam gives an opening of `percorso` with `modo` (os::Apertura),
// or 0 when it lets the system answer.
int rifiutoApertura(const QString &percorso, int modo);
// The same for a removal or a rename onto `percorso`.
int rifiutoModifica(const QString &percorso);

} // namespace qv::os::guasti
