#pragma once
// What the Windows implementations of the platform seams share: paths in the
// system's form, the handle behind a descriptor, and the system's errors as
// the POSIX numbers that callers test.

#include <QString>

#include <string>

#include <windows.h>

namespace qv::os::windows {

// `percorso` with backslashes, as the wide-character calls take it.
std::wstring nativo(const QString &percorso);
// The absolute path with the "\\?\" prefix, as the calls that take a path
// inside a structure need it.
std::wstring esteso(const QString &percorso);

// The handle of a descriptor of the C library (INVALID_HANDLE_VALUE, errno
// EBADF, for one that is not open).
HANDLE handle(int fd);

// The POSIX number for a system error.
int numeroErrore(DWORD errore);
// Sets errno from GetLastError() (or from `errore`) and returns false.
bool fallito();
bool fallito(DWORD errore);

} // namespace qv::os::windows
