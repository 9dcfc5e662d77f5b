#include "applicazione.h"

#include "app/traduzioni.h"
#include "core/diario.h"
#include "ui/disegno.h"
#include "ui/finestre.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "storage/storico.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

// The pictures are compiled into the screen library; a static library's
// resources are registered only when asked for by name, outside any namespace.
static void registraRisorse()
{
    Q_INIT_RESOURCE(quadrivela);
}

namespace qv {

void caricaRisorse()
{
    registraRisorse();
}

namespace {

// The families the screens name, and what stands in for each where it is missing.
const char *const kSostituti[][2] = {
    {"Verdana", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
};

// Ends the event loop once the window it watches has been painted (and its
// picture handed to the window system, which happens as the paint returns).
class FineDopoPittura : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_fatto) {
            m_fatto = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(o, e);
    }

private:
    bool m_fatto = false;
};

} // namespace

void fineAvvioMisurata(QWidget *finestra)
{
    if (finestra && qEnvironmentVariableIsSet("QV_BANCO_AVVIO"))
        finestra->installEventFilter(new FineDopoPittura(finestra));
}

void preparaApplicazione(QApplication &app)
{
    app.setApplicationName(QStringLiteral("Quadrivela"));
    app.setApplicationDisplayName(QString());
    app.setQuitOnLastWindowClosed(false);
    caricaRisorse();
    // Every window carries the program's icon, the one of its menu entry.
    QApplication::setWindowIcon(iconaDisegno(QStringLiteral(":/img/applicazione.svg")));

    for (const auto &s : kSostituti)
        QFont::insertSubstitution(QLatin1String(s[0]), QLatin1String(s[1]));

    // Qt's Italian texts: those the program folder carries, else those built
    // into the program (a static Qt), else the system's.
    QString traduzioni = cartellaProgramma().file(QStringLiteral("translations"));
    for (const QString &altrove : {QStringLiteral(":/traduzioni"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)})
        if (!QFileInfo::exists(traduzioni + QStringLiteral("/qtbase_it.qm")))
            traduzioni = altrove;
    for (const char *nome : {"qtbase_it", "qtmultimedia_it"}) {
        auto *t = new QTranslator(&app);
        if (t->load(QLatin1String(nome), traduzioni)) {
            QApplication::installTranslator(t);
        } else {
            // Without them Qt's own buttons and dialogs speak English.
            if (qstrcmp(nome, "qtbase_it") == 0)
                qCWarning(logAvvio).noquote() << QStringLiteral("Testi italiani di Qt non trovati in") << traduzioni;
            delete t;
        }
    }
    // Installed last, asked first: only the texts Qt's own files leave in English.
    QApplication::installTranslator(new TraduzioniProgramma(&app));
    impostaFormati();
    // The cards' history is dated by the program's clock.
    impostaOrologioStorico([] { return Servizi::correnti().adesso(); });

#ifndef QT_NO_SESSIONMANAGER
    // The desktop's session ending (logging out, shutting down) ends the
    // program too: a card being changed is asked about first, and staying on
    // it asks the desktop not to end the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager &sessione) {
        if (!sessione.allowsInteraction())
            return;
        const bool lasciate = Schermi::lasciaSchede();
        sessione.release();
        if (!lasciate)
            sessione.cancel();
    });
#endif
}

} // namespace qv
