#include "filesicuro.h"

#include "diario.h"
#include "os/sostituisci.h"
#include "os/versa.h"

#include <QFileDevice>

#include <cerrno>

namespace qv {

bool scriviFileSicuro(const QString &percorso, const std::function<bool(const ScriviBlocco &)> &componi,
                      QString *errore, bool scritturaDiretta)
{
    return scriviFileSicuro(percorso, componi, errore, scritturaDiretta, {}, nullptr);
}

bool scriviFileSicuro(const QString &percorso, const std::function<bool(const ScriviBlocco &)> &componi,
                      QString *errore, bool scritturaDiretta, const std::function<void()> &liberaVecchio,
                      bool *occupato)
{
    os::FileNuovo file(percorso);
    const ScriviBlocco scrivi = [&file](const QByteArray &blocco) { return file.scrivi(blocco); };
    const bool ok = file.apri(scritturaDiretta) && componi(scrivi) && file.conferma(liberaVecchio);
    if (occupato)
        *occupato = !ok && file.occupato();
    if (!ok && errore)
        *errore = file.errore();
    // A writer that gave up by itself (stopped by the user) leaves no reason.
    if (!ok && !file.errore().isEmpty())
        qCWarning(logArchivi).noquote() << QStringLiteral("Scrittura non riuscita:") << percorso << QStringLiteral("-")
                                        << file.errore();
    return ok;
}

void sincronizzaCartella(const QString &percorsoFile)
{
    os::versaCartella(percorsoFile);
}

bool sincronizzaFile(QFileDevice &file, QString *errore)
{
    if (!file.flush()) {
        if (errore)
            *errore = file.errorString();
        return false;
    }
    // A file system that cannot flush (EINVAL) is not a failure: nothing
    // more can be done there.
    if (os::versa(file.handle()) || errno == EINVAL)
        return true;
    if (errore)
        *errore = qt_error_string(errno);
    return false;
}

bool scriviFileSicuro(const QString &percorso, const QByteArray &dati, QString *errore, bool scritturaDiretta)
{
    return scriviFileSicuro(
        percorso, [&dati](const ScriviBlocco &scrivi) { return scrivi(dati); }, errore, scritturaDiretta);
}

} // namespace qv
