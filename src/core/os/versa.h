#pragma once
// Making what was written survive a power cut.

#include <QString>

namespace qv::os {

// Sends the file's data and size to the disk. False with errno (EINVAL where
// the file system cannot do it).
bool versa(int fd);

// Makes a completed rename, creation or removal in the folder of
// `percorsoFile` survive a power cut. Best effort: some file systems cannot
// synchronise a folder, and the change itself is already made. Nothing on
// Windows, where a folder cannot be opened for it: there the file system
// journals the names itself.
void versaCartella(const QString &percorsoFile);

} // namespace qv::os
