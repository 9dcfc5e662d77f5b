#include "sololettura.h"

#include <cerrno>

namespace qv {

namespace {
bool s_scritturaNegata = false;
} // namespace

bool scritturaRifiutata(int e)
{
    return e == EACCES || e == EROFS || e == EPERM;
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
