#include "scrivibile.h"

#include "file.h"
#include "guasti.h"
#include "sistema_windows.h"

#include <QDir>
#include <QRandomGenerator>

#include <cerrno>

namespace qv::os {

int provaScritturaFile(const QString &percorso)
{
    // Neither created nor emptied: opened for writing and closed again.
    const int fd = apri(percorso, SoloScrittura);
    if (fd < 0)
        return errno;
    chiudi(fd);
    return 0;
}

int provaScritturaCartella(const QString &cartella)
{
    for (int tentativo = 0; tentativo < 16; ++tentativo) {
        const QString nome = QDir(cartella).filePath(
            QStringLiteral("~qv%1.tmp").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')));
        if (const int e = guasti::rifiutoApertura(nome, SoloScrittura | Crea | Esclusiva))
            return e;
        // Removed by the system as the handle closes, even if this copy ends first.
        const HANDLE h = ::CreateFileW(windows::nativo(nome).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                       nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return 0;
        }
        const DWORD e = ::GetLastError();
        if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS)
            return windows::numeroErrore(e);
    }
    return EEXIST;
}

} // namespace qv::os
