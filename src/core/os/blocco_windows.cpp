#include "blocco.h"

#include "sistema_windows.h"

#include <cerrno>

namespace qv::os {

namespace {

OVERLAPPED posizione(qint64 byte)
{
    OVERLAPPED o {};
    o.Offset = DWORD(quint64(byte) & 0xFFFFFFFFu);
    o.OffsetHigh = DWORD(quint64(byte) >> 32);
    return o;
}

} // namespace

bool bloccaByte(int fd, qint64 byte, TipoBloccoByte tipo)
{
    const HANDLE h = windows::handle(fd);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    OVERLAPPED o = posizione(byte);
    const DWORD modo = LOCKFILE_FAIL_IMMEDIATELY | (tipo == TipoBloccoByte::Esclusivo ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (::LockFileEx(h, modo, 0, 1, 0, &o))
        return true;
    // A conflict is ERROR_LOCK_VIOLATION (ERROR_IO_PENDING on some
    // redirectors): both are EAGAIN.
    return windows::fallito();
}

void sbloccaByte(int fd, qint64 byte)
{
    const int salvato = errno;
    const HANDLE h = windows::handle(fd);
    if (h != INVALID_HANDLE_VALUE) {
        OVERLAPPED o = posizione(byte);
        ::UnlockFileEx(h, 0, 1, 0, &o);
    }
    errno = salvato;
}

bool bloccoDelProcesso()
{
    return false;
}

} // namespace qv::os
