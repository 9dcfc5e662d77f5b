#include "guasti.h"

#include "file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace qv::os::guasti {

namespace {

QString s_cartella;

bool inCartella(const QString &percorso)
{
    return !s_cartella.isEmpty() && QDir::cleanPath(QFileInfo(percorso).absolutePath()) == s_cartella;
}

} // namespace

void cartellaSolaLettura(const QString &cartella)
{
    s_cartella = cartella.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(cartella).absoluteFilePath());
}

int rifiutoApertura(const QString &percorso, int modo)
{
    if (!inCartella(percorso) || (modo & (LetturaScrittura | SoloScrittura | Crea | Tronca)) == 0)
        return 0;
    // A missing file opened without Crea is missing, as anywhere else.
    if (!(modo & Crea) && !QFileInfo::exists(percorso))
        return ENOENT;
    return EACCES;
}

int rifiutoModifica(const QString &percorso)
{
    return inCartella(percorso) ? EACCES : 0;
}

} // namespace qv::os::guasti
