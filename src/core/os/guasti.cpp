#include "guasti.h"

#include "file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

namespace qv::os::guasti {

namespace {

QString s_cartella;
qint64 s_byteConsentiti = -1;

bool inCartella(const QString &percorso)
{
    return !s_cartella.isEmpty() && QDir::cleanPath(QFileInfo(percorso).absolutePath()) == s_cartella;
}

} // namespace

void cartellaSolaLettura(const QString &cartella)
{
    s_cartella = cartella.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(cartella).absoluteFilePath());
}

void discoPienoDopo(qint64 byte)
{
    s_byteConsentiti = byte < 0 ? -1 : byte;
}

bool consentiScrittura(qint64 &n)
{
    if (s_byteConsentiti < 0 || n <= 0)
        return true;
    if (s_byteConsentiti == 0) {
        errno = ENOSPC;
        return false;
    }
    n = std::min(n, s_byteConsentiti);
    s_byteConsentiti -= n;
    return true;
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
