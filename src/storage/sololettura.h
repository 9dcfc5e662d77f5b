#pragma once
// Folders, shares and files the program can read but not write: how a write
// refused for that reason is told from any other failure, and the test seam
// that makes the program's archives and settings files behave so.

#include <QString>

namespace qv {

// True for the errors (errno) a read-only folder, share or file gives a write.
bool scritturaRifiutata(int numeroErrore);

// True when the file at `percorso` can be neither rewritten in place nor
// replaced through a new file in its folder, because the folder (or share)
// and the file refuse writing; also under guasti::negaScrittura. Any other
// trouble (a missing folder, a full disk) is left to the write, which
// reports it.
bool percorsoSolaLettura(const QString &percorso);

namespace guasti {
// Test seam: archives and settings files cannot be opened for writing nor
// created, as on a read-only folder.
void negaScrittura(bool nega);
bool scritturaNegata();
} // namespace guasti

} // namespace qv
