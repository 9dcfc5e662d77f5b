#include "identita.h"

#include "sistema_windows.h"

namespace qv::os {

namespace {

std::optional<IdentitaFile> di(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info {};
    if (!::GetFileInformationByHandle(h, &info)) {
        windows::fallito();
        return std::nullopt;
    }
    return IdentitaFile{quint64(info.dwVolumeSerialNumber),
                        (quint64(info.nFileIndexHigh) << 32) | quint64(info.nFileIndexLow)};
}

} // namespace

std::optional<IdentitaFile> identita(int fd)
{
    const HANDLE h = windows::handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    return di(h);
}

std::optional<IdentitaFile> identita(const QString &percorso)
{
    // Opened without any access and sharing everything: it disturbs no one.
    const HANDLE h = ::CreateFileW(windows::nativo(percorso).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        windows::fallito();
        return std::nullopt;
    }
    const std::optional<IdentitaFile> id = di(h);
    ::CloseHandle(h);
    return id;
}

} // namespace qv::os
