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

// The system writes at most `byte` more bytes through os/file.h, then
// answers every write with ENOSPC, as a full disk does. A negative number
// switches it off. (Where a whole file is written through Qt, os/sostituisci.h
// on POSIX systems, it does not reach.)
void discoPienoDopo(qint64 byte);
// Cuts the `n` bytes of a write to what the seam lets through; false, with
// errno ENOSPC, when it lets none.
bool consentiScrittura(qint64 &n);

// The errno the seam gives an opening of `percorso` with `modo` (os::Apertura),
// or 0 when it lets the system answer.
int rifiutoApertura(const QString &percorso, int modo);
// The same for a removal or a rename onto `percorso`.
int rifiutoModifica(const QString &percorso);

} // namespace qv::os::guasti
