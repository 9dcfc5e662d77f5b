#include "blocco.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace qv::os {

namespace {

// Linux has locks of the open file (F_OFD_SETLK): they belong to the
// descriptor, as on Windows, so two threads of one copy (the main menu's band
// reads the archives in the background while the screens save) exclude each
// other like two copies, and closing one descriptor never drops the lock of
// another. They conflict with the classic record locks of other processes,
// so older copies of the program are still kept out. Where the system has
// none (another POSIX system, a kernel before 3.15), the classic record lock
// of the process is used.
#ifdef F_OFD_SETLK
std::atomic<bool> s_delFile{true};
#else
std::atomic<bool> s_delFile{false};
#endif

int chiamata(int fd, struct flock *f)
{
    int r;
#ifdef F_OFD_SETLK
    if (s_delFile.load(std::memory_order_relaxed)) {
        do {
            r = ::fcntl(fd, F_OFD_SETLK, f);
        } while (r < 0 && errno == EINTR);
        if (r == 0 || errno != EINVAL)
            return r;
        // A kernel that does not know the call: from now on the process's locks.
        s_delFile.store(false, std::memory_order_relaxed);
    }
#endif
    do {
        r = ::fcntl(fd, F_SETLK, f);
    } while (r < 0 && errno == EINTR);
    return r;
}

bool imposta(int fd, qint64 byte, short tipo)
{
    struct flock f {};
    f.l_type = tipo;
    f.l_whence = SEEK_SET;
    f.l_start = off_t(byte);
    f.l_len = 1;
    f.l_pid = 0; // required by the locks of the open file
    return chiamata(fd, &f) == 0;
}

} // namespace

bool bloccaByte(int fd, qint64 byte, TipoBloccoByte tipo)
{
    if (imposta(fd, byte, tipo == TipoBloccoByte::Esclusivo ? F_WRLCK : F_RDLCK))
        return true;
    // Some systems answer a conflict with EACCES.
    if (errno == EACCES)
        errno = EAGAIN;
    return false;
}

void sbloccaByte(int fd, qint64 byte)
{
    const int salvato = errno;
    imposta(fd, byte, F_UNLCK);
    errno = salvato;
}

bool bloccoDelProcesso()
{
    return !s_delFile.load(std::memory_order_relaxed);
}

} // namespace qv::os
