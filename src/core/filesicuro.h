#pragma once
// Replacing a whole file so that a failure never leaves it half written: the
// new content goes to a temporary file in the same folder, is flushed to the
// disk and only then renamed over the old file; the folder is synchronised
// last, so that the rename itself survives a power cut.

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

namespace qv {

// Hands one block of the content to the file; false when the write failed.
using ScriviBlocco = std::function<bool(const QByteArray &blocco)>;

// Writes the content that `componi` produces, block by block through the
// function it gets; `componi` returns false to give up (a block that could not
// be written, or its own failure). On any failure the old file, if any, stays
// as it was, no temporary file is left behind, false is returned and, when
// `errore` is given, the reason is put there.
// `scritturaDiretta`: a folder that cannot take a temporary file (read-only,
// with the file itself writable) lets the file be rewritten in place instead.
bool scriviFileSicuro(const QString &percorso, const std::function<bool(const ScriviBlocco &)> &componi,
                      QString *errore = nullptr, bool scritturaDiretta = false);

// The same for a caller that holds the old file open itself (and maybe locks
// it): where a file held open cannot be replaced (os/sostituisci.h),
// `liberaVecchio` is called to close the caller's handles and the replace is
// tried once more. When another handle holds the old file by then, false with
// `*occupato` set: the caller takes its lock again, reads the file again and
// tries anew.
bool scriviFileSicuro(const QString &percorso, const std::function<bool(const ScriviBlocco &)> &componi,
                      QString *errore, bool scritturaDiretta, const std::function<void()> &liberaVecchio,
                      bool *occupato);

// Makes a completed rename, creation or removal in the folder of
// `percorsoFile` survive a power cut. Best effort: some file systems cannot
// synchronise a folder, and the change itself is already made.
void sincronizzaCartella(const QString &percorsoFile);

// Flushes what was written to `file` (open for writing) to the disk: the
// same flush the replacement above makes before its rename. False, with the
// reason in `errore` when given, when the disk refuses it.
bool sincronizzaFile(QFileDevice &file, QString *errore = nullptr);

// The same for content held whole in memory.
bool scriviFileSicuro(const QString &percorso, const QByteArray &dati, QString *errore = nullptr,
                      bool scritturaDiretta = false);

} // namespace qv
