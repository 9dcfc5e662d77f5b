#include "sistema_windows.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <io.h>

namespace qv::os::windows {

std::wstring nativo(const QString &percorso)
{
    return QDir::toNativeSeparators(percorso).toStdWString();
}

std::wstring esteso(const QString &percorso)
{
    const QString assoluto = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(percorso).absoluteFilePath()));
    if (assoluto.startsWith(QLatin1String("\\\\?\\")))
        return assoluto.toStdWString();
    if (assoluto.startsWith(QLatin1String("\\\\")))
        return (QStringLiteral("\\\\?\\UNC\\") + assoluto.mid(2)).toStdWString();
    return (QStringLiteral("\\\\?\\") + assoluto).toStdWString();
}

HANDLE handle(int fd)
{
    if (fd < 0) {
        errno = EBADF;
        return INVALID_HANDLE_VALUE;
    }
    const intptr_t h = ::_get_osfhandle(fd);
    if (h == -1 || h == -2) {
        errno = EBADF;
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(h);
}

int numeroErrore(DWORD errore)
{
    switch (errore) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
    case ERROR_DELETE_PENDING:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_SHARING_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING:
        return EAGAIN;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_NOT_SUPPORTED:
        return EOPNOTSUPP;
    case ERROR_INVALID_FUNCTION:
    case ERROR_CALL_NOT_IMPLEMENTED:
        return ENOSYS;
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
}

bool fallito()
{
    return fallito(::GetLastError());
}

bool fallito(DWORD errore)
{
    errno = numeroErrore(errore);
    return false;
}

} // namespace qv::os::windows
