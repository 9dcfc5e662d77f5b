#include "scrivibile.h"

#include "file.h"
#include "guasti.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <unistd.h>

namespace qv::os {

namespace {

int accesso(const QString &percorso)
{
    return ::access(QFile::encodeName(percorso).constData(), W_OK) == 0 ? 0 : errno;
}

} // namespace

int provaScritturaFile(const QString &percorso)
{
    if (const int e = guasti::rifiutoApertura(percorso, SoloScrittura))
        return e;
    return accesso(percorso);
}

int provaScritturaCartella(const QString &cartella)
{
    if (const int e = guasti::rifiutoApertura(QDir(cartella).filePath(QStringLiteral("nuovo")), SoloScrittura | Crea))
        return e;
    return accesso(cartella);
}

} // namespace qv::os
