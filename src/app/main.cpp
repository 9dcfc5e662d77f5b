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

    // Only the login is made now; every other screen when it is first needed.
    qv::Schermi::creaTutti();
    QWidget *login = qv::Schermi::principale();
    qv::fineAvvioMisurata(login);
    login->show();
    const int esito = app.exec();
    qv::Schermi::distruggiTutti();
    return esito;
}
