#include "blocco.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace qv::os {

namespace {

bool imposta(int fd, qint64 byte, short tipo)
{
    struct flock f {};
    f.l_type = tipo;
    f.l_whence = SEEK_SET;
    f.l_start = off_t(byte);
    f.l_len = 1;
    int r;
    do {
        r = ::fcntl(fd, F_SETLK, &f);
    } while (r < 0 && errno == EINTR);
    return r == 0;
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
    return true;
}

} // namespace qv::os
