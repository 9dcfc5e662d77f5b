#include "versa.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace qv::os {

bool versa(int fd)
{
    int r;
    do {
        r = ::fsync(fd);
    } while (r != 0 && errno == EINTR);
    return r == 0;
}

void versaCartella(const QString &percorsoFile)
{
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorsoFile).absolutePath());
    const int fd = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    while (::fsync(fd) != 0 && errno == EINTR) {
    }
    ::close(fd);
}

} // namespace qv::os
