// Build tool: writes the guide document "Guida.pdf" at the path it is given,
// from the same paragraphs the general guide dialog shows.

#include "app/guidapdf.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Laying out text needs a platform, never a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() != 2) {
        std::fprintf(stderr, "uso: qv_creaguida <percorso di Guida.pdf>\n");
        return 2;
    }
    QString errore;
    if (!qv::scriviGuidaPdf(argomenti.at(1), &errore)) {
        std::fprintf(stderr, "qv_creaguida: %s: %s\n", qUtf8Printable(argomenti.at(1)), qUtf8Printable(errore));
        return 1;
    }
    return 0;
}
