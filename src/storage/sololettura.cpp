#include "sololettura.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace qv {

namespace {
bool s_scritturaNegata = false;
} // namespace

bool scritturaRifiutata(int e)
{
    return e == EACCES || e == EROFS || e == EPERM;
}

bool percorsoSolaLettura(const QString &percorso)
{
    if (guasti::scritturaNegata())
        return true;
    if (::access(QFile::encodeName(percorso).constData(), W_OK) == 0)
        return false;
    if (errno != ENOENT && !scritturaRifiutata(errno))
        return false;
    if (::access(QFile::encodeName(QFileInfo(percorso).absolutePath()).constData(), W_OK) == 0)
        return false;
    return scritturaRifiutata(errno);
}

void guasti::negaScrittura(bool nega)
{
    s_scritturaNegata = nega;
}

bool guasti::scritturaNegata()
{
    return s_scritturaNegata;
}

} // namespace qv
