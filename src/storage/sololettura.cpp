#include "sololettura.h"

#include "core/os/scrivibile.h"

#include <QFileInfo>

#include <cerrno>

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
    const int file = os::provaScritturaFile(percorso);
    if (file == 0 || (file != ENOENT && !scritturaRifiutata(file)))
        return false;
    const int cartella = os::provaScritturaCartella(QFileInfo(percorso).absolutePath());
    return cartella != 0 && scritturaRifiutata(cartella);
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
