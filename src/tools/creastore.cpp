// Build tool: puts the password store of a fresh installation at the path it
// is given, unless something is there already (a password changed by the user
// survives every rebuild).

#include "storage/archiviopassword.h"

#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: qv_creastore <percorso di unins000.dll>\n");
        return 2;
    }
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    QString errore;
    if (!qv::creaArchivioPassword(percorso, &errore)) {
        std::fprintf(stderr, "qv_creastore: %s: %s\n", argv[1], qUtf8Printable(errore));
        return 1;
    }
    return 0;
}
