#include "identita.h"

#include <QFile>

#include <sys/stat.h>

namespace qv::os {

namespace {

IdentitaFile di(const struct stat &st)
{
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

} // namespace

std::optional<IdentitaFile> identita(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return di(st);
}

std::optional<IdentitaFile> identita(const QString &percorso)
{
    struct stat st {};
    if (::stat(QFile::encodeName(percorso).constData(), &st) != 0)
        return std::nullopt;
    return di(st);
}

} // namespace qv::os
