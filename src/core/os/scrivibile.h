#pragma once
// Whether a file or a folder takes writing, asked before anything is written.
// On POSIX systems the system is asked (access); on Windows, whose answer to
// that sees only the read-only attribute and not a read-only share or the
// folder's permissions, by trying: the file is opened for writing without
// being changed, and a uniquely named file is created in the folder and goes
// again at once.

#include <QString>

namespace qv::os {

// 0 when the existing file at `percorso` can be opened for writing; otherwise
// the errno (ENOENT for a missing file).
int provaScritturaFile(const QString &percorso);
// 0 when a new file can be created in `cartella`; otherwise the errno.
int provaScritturaCartella(const QString &cartella);

} // namespace qv::os
