// Quadrivela: registry of collaborators and archive of collaboration contracts.
#include "app/applicazione.h"
#include "ui/schermi.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Software rendering, asked for before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    qv::preparaApplicazione(app);
    qv::impostaCartellaProgramma(QCoreApplication::applicationDirPath());

    qv::Schermi::creaTutti();
    qv::Schermi::tutti().constFirst()->show();
    const int esito = app.exec();
    qv::Schermi::distruggiTutti();
    return esito;
}
