#pragma once
// A file written whole: the new content goes to a new file in the same folder,
// which reaches the disk and only then takes the old file's place in one step,
// so a failure or a power cut leaves the old file or the new one, never half
// of each.
//
// POSIX systems rename over a file that others hold open. Windows does so
// only where the file system has POSIX renames (NTFS on Windows 10 and later)
// and every handle lets the file be removed, as this program's handles do
// (os/file.h); elsewhere (FAT and exFAT sticks, network shares, older
// systems) a file held open cannot be replaced. There the replace is tried
// again for a short while, for another program that looks at the file for a
// moment; a caller that holds the old file open itself hands over
// `liberaVecchio`, which closes its own handles before the replace is tried
// once more.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace qv::os {

class FileNuovo
{
public:
    explicit FileNuovo(const QString &percorso);
    // Without conferma() the old file stays and the new one goes.
    ~FileNuovo();
    FileNuovo(const FileNuovo &) = delete;
    FileNuovo &operator=(const FileNuovo &) = delete;

    // Creates the new file. `scritturaDiretta`: a folder that takes no new file
    // (read-only, with the file itself writable) lets the old file be
    // rewritten in place instead.
    bool apri(bool scritturaDiretta = false);
    // Appends a block; false when it could not be written whole.
    bool scrivi(const QByteArray &blocco);
    // Sends the new file to the disk, puts it in the old one's place and makes
    // the change durable.
    bool conferma(const std::function<void()> &liberaVecchio = {});

    // Why the last step failed.
    QString errore() const;
    // True when conferma() failed because another handle holds the old file
    // open where that stops a replace: after `liberaVecchio`, another copy of
    // the program opened it meanwhile.
    bool occupato() const;

private:
    struct Stato;
    std::unique_ptr<Stato> d;
};

} // namespace qv::os
