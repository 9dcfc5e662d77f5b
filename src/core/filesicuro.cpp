#include "filesicuro.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv {

namespace {

#ifdef Q_OS_UNIX
// Flushes the file's data to the disk. A file system that cannot do it (EINVAL)
// is not a failure: there is nothing more to be done there.
bool versaSuDisco(int fd, QString *errore)
{
    int r;
    do
        r = ::fsync(fd);
    while (r != 0 && errno == EINTR);
    if (r == 0 || errno == EINVAL)
        return true;
    if (errore)
        *errore = qt_error_string(errno);
    return false;
}

// Makes the rename durable. By now the new content is complete and in place,
// so a folder that cannot be synchronised is not reported as a failed write.
void versaCartella(const QString &percorso)
{
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorso).absolutePath());
    const int fd = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    while (::fsync(fd) != 0 && errno == EINTR) {
    }
    ::close(fd);
}
#endif

} // namespace

bool scriviFileSicuro(const QString &percorso, const std::function<bool(const ScriviBlocco &)> &componi,
                      QString *errore, bool scritturaDiretta)
{
    QSaveFile file(percorso);
    file.setDirectWriteFallback(scritturaDiretta);
    // A short write (a full disk) is not an error for write(), and commit()
    // does not notice one that happens while the buffer is emptied on closing:
    // both are checked here, or a truncated file would replace the old one.
    const ScriviBlocco scrivi = [&file](const QByteArray &blocco) {
        [[maybe_unused]] const qint64 inizio = file.pos();
        if (file.write(blocco) != blocco.size())
            return false;
#ifdef Q_OS_LINUX
        // A large block starts on its way to the disk at once, while the next
        // one is composed: the sync at the end waits for the last ones only.
        if (blocco.size() >= (256 << 10) && file.flush())
            ::sync_file_range(file.handle(), inizio, blocco.size(), SYNC_FILE_RANGE_WRITE);
#endif
        return true;
    };
    QString motivo;
    bool ok = file.open(QIODevice::WriteOnly) && componi(scrivi) && file.flush();
#ifdef Q_OS_UNIX
    if (ok && !versaSuDisco(file.handle(), &motivo)) {
        file.cancelWriting();
        ok = false;
    }
#endif
    if (ok)
        ok = file.commit();
    if (!ok) {
        if (errore)
            *errore = motivo.isEmpty() ? file.errorString() : motivo;
        return false;
    }
#ifdef Q_OS_UNIX
    versaCartella(percorso);
#endif
    return true;
}

void sincronizzaCartella(const QString &percorsoFile)
{
#ifdef Q_OS_UNIX
    versaCartella(percorsoFile);
#else
    Q_UNUSED(percorsoFile);
#endif
}

bool sincronizzaFile(QFileDevice &file, QString *errore)
{
    if (!file.flush()) {
        if (errore)
            *errore = file.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    return versaSuDisco(file.handle(), errore);
#else
    return true;
#endif
}

bool scriviFileSicuro(const QString &percorso, const QByteArray &dati, QString *errore, bool scritturaDiretta)
{
    return scriviFileSicuro(
        percorso, [&dati](const ScriviBlocco &scrivi) { return scrivi(dati); }, errore, scritturaDiretta);
}

} // namespace qv
