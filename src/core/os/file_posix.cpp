#include "file.h"

#include "guasti.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::os {

namespace {

int flagPosix(int modo)
{
    int f = O_CLOEXEC;
    if (modo & LetturaScrittura)
        f |= O_RDWR;
    else if (modo & SoloScrittura)
        f |= O_WRONLY;
    else
        f |= O_RDONLY;
    if (modo & Crea)
        f |= O_CREAT;
    if (modo & Esclusiva)
        f |= O_EXCL;
    if (modo & Tronca)
        f |= O_TRUNC;
    if (modo & SenzaLink)
        f |= O_NOFOLLOW;
    return f;
}

} // namespace

int apri(const QString &percorso, int modo)
{
    if (const int e = guasti::rifiutoApertura(percorso, modo)) {
        errno = e;
        return -1;
    }
    const QByteArray nome = QFile::encodeName(percorso);
    int fd;
    do {
        fd = ::open(nome.constData(), flagPosix(modo), 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

void chiudi(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

qint64 leggiA(int fd, void *dati, qint64 n, qint64 offset)
{
    ssize_t r;
    do {
        r = ::pread(fd, dati, size_t(n), off_t(offset));
    } while (r < 0 && errno == EINTR);
    return r;
}

qint64 scriviA(int fd, const void *dati, qint64 n, qint64 offset)
{
    if (!guasti::consentiScrittura(n))
        return -1;
    ssize_t w;
    do {
        w = ::pwrite(fd, dati, size_t(n), off_t(offset));
    } while (w < 0 && errno == EINTR);
    return w;
}

qint64 leggi(int fd, void *dati, qint64 n)
{
    ssize_t r;
    do {
        r = ::read(fd, dati, size_t(n));
    } while (r < 0 && errno == EINTR);
    return r;
}

qint64 scrivi(int fd, const void *dati, qint64 n)
{
    if (!guasti::consentiScrittura(n))
        return -1;
    ssize_t w;
    do {
        w = ::write(fd, dati, size_t(n));
    } while (w < 0 && errno == EINTR);
    return w;
}

bool tronca(int fd, qint64 dimensione)
{
    int r;
    do {
        r = ::ftruncate(fd, off_t(dimensione));
    } while (r < 0 && errno == EINTR);
    return r == 0;
}

qint64 dimensione(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return -1;
    return qint64(st.st_size);
}

Tipo tipo(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return Tipo::Ignoto;
    if (S_ISREG(st.st_mode))
        return Tipo::File;
    return S_ISDIR(st.st_mode) ? Tipo::Cartella : Tipo::Altro;
}

bool esiste(const QString &percorso)
{
    return ::access(QFile::encodeName(percorso).constData(), F_OK) == 0;
}

bool nomePresente(const QString &percorso)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(percorso).constData(), &st) == 0;
}

bool rimuovi(const QString &percorso)
{
    if (const int e = guasti::rifiutoModifica(percorso)) {
        errno = e;
        return false;
    }
    return ::unlink(QFile::encodeName(percorso).constData()) == 0;
}

bool rinomina(const QString &da, const QString &a)
{
    const int rifiuto = guasti::rifiutoModifica(da);
    if (const int e = rifiuto ? rifiuto : guasti::rifiutoModifica(a)) {
        errno = e;
        return false;
    }
    return ::rename(QFile::encodeName(da).constData(), QFile::encodeName(a).constData()) == 0;
}

bool rendiSparso(int)
{
    return true;
}

} // namespace qv::os
