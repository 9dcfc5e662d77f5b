#include "file.h"

#include "guasti.h"
#include "sistema_windows.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <io.h>
#include <winioctl.h>

namespace qv::os {

using windows::fallito;
using windows::handle;
using windows::nativo;

namespace {

// One call reads or writes at most this much; the callers loop.
constexpr qint64 kMassimoPerChiamata = 1 << 30;

// Every handle lets the others read, write, rename and remove the file, as
// POSIX descriptors always do.
constexpr DWORD kCondivisione = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

OVERLAPPED posizione(qint64 offset)
{
    OVERLAPPED o {};
    o.Offset = DWORD(quint64(offset) & 0xFFFFFFFFu);
    o.OffsetHigh = DWORD(quint64(offset) >> 32);
    return o;
}

qint64 falliti()
{
    fallito();
    return -1;
}

bool impostaFine(HANDLE h, qint64 dimensione)
{
    FILE_END_OF_FILE_INFO fine {};
    fine.EndOfFile.QuadPart = dimensione;
    return ::SetFileInformationByHandle(h, FileEndOfFileInfo, &fine, sizeof fine) || fallito();
}

} // namespace

int apri(const QString &percorso, int modo)
{
    if (const int e = guasti::rifiutoApertura(percorso, modo)) {
        errno = e;
        return -1;
    }
    DWORD accesso = GENERIC_READ;
    int flagC = _O_BINARY | _O_NOINHERIT | _O_RDONLY;
    if (modo & LetturaScrittura) {
        accesso = GENERIC_READ | GENERIC_WRITE;
        flagC = _O_BINARY | _O_NOINHERIT | _O_RDWR;
    } else if (modo & SoloScrittura) {
        accesso = GENERIC_WRITE;
        flagC = _O_BINARY | _O_NOINHERIT | _O_WRONLY;
    }
    DWORD disposizione = OPEN_EXISTING;
    if ((modo & Crea) && (modo & Esclusiva))
        disposizione = CREATE_NEW;
    else if (modo & Crea)
        disposizione = OPEN_ALWAYS;
    else if (modo & Tronca)
        disposizione = TRUNCATE_EXISTING;
    const DWORD attributi = FILE_ATTRIBUTE_NORMAL | ((modo & SenzaLink) ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const std::wstring nome = nativo(percorso);
    HANDLE h = ::CreateFileW(nome.c_str(), accesso, kCondivisione, nullptr, disposizione, attributi, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD errore = ::GetLastError();
        // A folder refuses to be opened as a file with "access denied": told
        // apart as POSIX does.
        const DWORD a = ::GetFileAttributesW(nome.c_str());
        if (errore == ERROR_ACCESS_DENIED && a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) {
            errno = EISDIR;
            return -1;
        }
        fallito(errore);
        return -1;
    }
    // An existing file opened with Crea and Tronca is emptied in place, as
    // O_TRUNC does (keeping the file and its attributes).
    if ((modo & Crea) && (modo & Tronca) && !(modo & Esclusiva) && ::GetLastError() == ERROR_ALREADY_EXISTS
        && !impostaFine(h, 0)) {
        const int e = errno;
        ::CloseHandle(h);
        errno = e;
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), flagC);
    if (fd < 0) {
        ::CloseHandle(h);
        errno = EMFILE;
    }
    return fd;
}

void chiudi(int fd)
{
    if (fd >= 0)
        ::_close(fd);
}

qint64 leggiA(int fd, void *dati, qint64 n, qint64 offset)
{
    const HANDLE h = handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    OVERLAPPED o = posizione(offset);
    DWORD letti = 0;
    if (!::ReadFile(h, dati, DWORD(std::min(n, kMassimoPerChiamata)), &letti, &o)) {
        if (::GetLastError() == ERROR_HANDLE_EOF)
            return 0;
        return falliti();
    }
    return qint64(letti);
}

qint64 scriviA(int fd, const void *dati, qint64 n, qint64 offset)
{
    if (!guasti::consentiScrittura(n))
        return -1;
    const HANDLE h = handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    OVERLAPPED o = posizione(offset);
    DWORD scritti = 0;
    if (!::WriteFile(h, dati, DWORD(std::min(n, kMassimoPerChiamata)), &scritti, &o))
        return falliti();
    return qint64(scritti);
}

qint64 leggi(int fd, void *dati, qint64 n)
{
    const HANDLE h = handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    DWORD letti = 0;
    if (!::ReadFile(h, dati, DWORD(std::min(n, kMassimoPerChiamata)), &letti, nullptr)) {
        if (::GetLastError() == ERROR_HANDLE_EOF || ::GetLastError() == ERROR_BROKEN_PIPE)
            return 0;
        return falliti();
    }
    return qint64(letti);
}

qint64 scrivi(int fd, const void *dati, qint64 n)
{
    if (!guasti::consentiScrittura(n))
        return -1;
    const HANDLE h = handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    DWORD scritti = 0;
    if (!::WriteFile(h, dati, DWORD(std::min(n, kMassimoPerChiamata)), &scritti, nullptr))
        return falliti();
    return qint64(scritti);
}

bool tronca(int fd, qint64 dimensione)
{
    const HANDLE h = handle(fd);
    return h != INVALID_HANDLE_VALUE && impostaFine(h, dimensione);
}

qint64 dimensione(int fd)
{
    const HANDLE h = handle(fd);
    LARGE_INTEGER d {};
    if (h == INVALID_HANDLE_VALUE || !::GetFileSizeEx(h, &d))
        return falliti();
    return qint64(d.QuadPart);
}

Tipo tipo(int fd)
{
    const HANDLE h = handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return Tipo::Ignoto;
    if (::GetFileType(h) != FILE_TYPE_DISK)
        return Tipo::Altro;
    BY_HANDLE_FILE_INFORMATION info {};
    if (!::GetFileInformationByHandle(h, &info)) {
        fallito();
        return Tipo::Ignoto;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Tipo::Cartella;
    return (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? Tipo::Altro : Tipo::File;
}

bool esiste(const QString &percorso)
{
    // Opened without any access, following links: only its presence is asked.
    HANDLE h = ::CreateFileW(nativo(percorso).c_str(), 0, kCondivisione, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = ::GetLastError();
        return e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND && e != ERROR_INVALID_NAME
               && e != ERROR_BAD_NETPATH && e != ERROR_BAD_NET_NAME && e != ERROR_INVALID_DRIVE;
    }
    ::CloseHandle(h);
    return true;
}

bool nomePresente(const QString &percorso)
{
    return ::GetFileAttributesW(nativo(percorso).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool rimuovi(const QString &percorso)
{
    if (const int e = guasti::rifiutoModifica(percorso)) {
        errno = e;
        return false;
    }
    return ::DeleteFileW(nativo(percorso).c_str()) || fallito();
}

bool rinomina(const QString &da, const QString &a)
{
    const int rifiuto = guasti::rifiutoModifica(da);
    if (const int e = rifiuto ? rifiuto : guasti::rifiutoModifica(a)) {
        errno = e;
        return false;
    }
    // Written through: the move is on the disk when the call returns.
    return ::MoveFileExW(nativo(da).c_str(), nativo(a).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
           || fallito();
}

bool rendiSparso(int fd)
{
    const HANDLE h = handle(fd);
    DWORD n = 0;
    return h != INVALID_HANDLE_VALUE
           && (::DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &n, nullptr) || fallito());
}

} // namespace qv::os
