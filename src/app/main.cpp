// Quadrivela: registry of collaborators and archive of collaboration contracts.
#include "app/applicazione.h"
#include "app/copiasicurezza.h"
#include "core/diario.h"
#include "ui/schermi.h"
#include "ui/servizireali.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Software rendering, asked for before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    // The plugins the folder carries, also when qt.conf cannot be found
    // because the program was started through the dynamic loader.
    QString cartella = qv::cartellaEseguibile(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QString());
    if (!cartella.isEmpty())
        QCoreApplication::addLibraryPath(cartella + QStringLiteral("/plugins"));
    // The real dialogs, printing, clock and camera, installed before anything
    // may ask for them; made before the application, they outlive its windows.
    qv::ServiziReali servizi;
    QApplication app(argc, argv);
    qv::Servizi::installa(&servizi);
    if (cartella.isEmpty())
        cartella = QCoreApplication::applicationDirPath();
    qv::impostaCartellaProgramma(cartella);
    // What goes wrong from now on is written to Quadrivela.log in the folder.
    qv::diario::installa(qv::cartellaProgramma().diario());
    qv::preparaApplicazione(app);
    qv::avviaCartellaProgramma();

    // Only the login is made now; every other screen when it is first needed.
    qv::Schermi::creaTutti();
    QWidget *login = qv::Schermi::principale();
    qv::fineAvvioMisurata(login);
    login->show();
    const int esito = app.exec();
    qv::Schermi::distruggiTutti();
    return esito;
}
