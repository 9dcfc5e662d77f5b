#include "versa.h"

#include "sistema_windows.h"

namespace qv::os {

bool versa(int fd)
{
    const HANDLE h = windows::handle(fd);
    return h != INVALID_HANDLE_VALUE && (::FlushFileBuffers(h) || windows::fallito());
}

void versaCartella(const QString &)
{
}

} // namespace qv::os
