#pragma once
// Whether two names or descriptors lead to one and the same file.

#include <QString>

#include <optional>

namespace qv::os {

// A file's identity on its system: the device (volume) and the file's
// number there (inode, or Windows' file index).
struct IdentitaFile
{
    quint64 volume = 0;
    quint64 numero = 0;
    bool operator==(const IdentitaFile &) const = default;
};

// The identity of the file open as `fd`; nothing (errno set) on failure.
std::optional<IdentitaFile> identita(int fd);
// The identity of the file at `percorso`, following symbolic links.
std::optional<IdentitaFile> identita(const QString &percorso);

} // namespace qv::os
