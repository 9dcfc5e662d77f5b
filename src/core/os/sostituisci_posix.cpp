#include "sostituisci.h"

#include "versa.h"

#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>

namespace qv::os {

struct FileNuovo::Stato
{
    explicit Stato(const QString &percorso) : file(percorso) {}
    QSaveFile file;
    QString motivo;
};

FileNuovo::FileNuovo(const QString &percorso) : d(std::make_unique<Stato>(percorso)) {}

FileNuovo::~FileNuovo() = default;

bool FileNuovo::apri(bool scritturaDiretta)
{
    d->file.setDirectWriteFallback(scritturaDiretta);
    return d->file.open(QIODevice::WriteOnly);
}

bool FileNuovo::scrivi(const QByteArray &blocco)
{
    // A short write (a full disk) is not an error for write(): it is checked
    // here, or a truncated file would replace the old one.
    [[maybe_unused]] const qint64 inizio = d->file.pos();
    if (d->file.write(blocco) != blocco.size())
        return false;
#ifdef Q_OS_LINUX
    // A large block starts on its way to the disk at once, while the next one
    // is composed: the sync at the end waits for the last ones only.
    if (blocco.size() >= (256 << 10) && d->file.flush())
        ::sync_file_range(d->file.handle(), inizio, blocco.size(), SYNC_FILE_RANGE_WRITE);
#endif
    return true;
}

bool FileNuovo::conferma(const std::function<void()> &)
{
    // commit() does not notice a write that fails while the buffer is emptied
    // on closing: the buffer is emptied and the data flushed to the disk
    // first. A file system that cannot flush (EINVAL) is not a failure: there
    // is nothing more to be done there.
    if (!d->file.flush())
        return false;
    if (!versa(d->file.handle()) && errno != EINVAL) {
        d->motivo = qt_error_string(errno);
        d->file.cancelWriting();
        return false;
    }
    if (!d->file.commit())
        return false;
    versaCartella(d->file.fileName());
    return true;
}

QString FileNuovo::errore() const
{
    return d->motivo.isEmpty() ? d->file.errorString() : d->motivo;
}

bool FileNuovo::occupato() const
{
    return false;
}

} // namespace qv::os
