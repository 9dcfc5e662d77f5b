#include "diario.h"

#include "os/file.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace qv {

Q_LOGGING_CATEGORY(logArchivi, "qv.archivi")
Q_LOGGING_CATEGORY(logCopia, "qv.copia")
Q_LOGGING_CATEGORY(logStampa, "qv.stampa")
Q_LOGGING_CATEGORY(logAvvio, "qv.avvio")

namespace diario {

namespace {

QMutex s_mutex;
QString s_percorso;
qint64 s_limite = LimitePredefinito;
QtMessageHandler s_precedente = nullptr;
bool s_installato = false;
thread_local bool t_dentro = false;

QString livello(QtMsgType tipo)
{
    switch (tipo) {
    case QtWarningMsg:
        return QStringLiteral("avviso");
    case QtCriticalMsg:
        return QStringLiteral("errore");
    case QtFatalMsg:
        return QStringLiteral("errore grave");
    default:
        return QStringLiteral("nota");
    }
}

// Whether a message goes into the file: the program's own warnings and
// worse, and Qt's critical messages (Qt's own warnings may quote any text).
bool daScrivere(QtMsgType tipo, const char *categoria)
{
    if (tipo == QtDebugMsg || tipo == QtInfoMsg)
        return false;
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        return true;
    return categoria && qstrncmp(categoria, "qv.", 3) == 0;
}

// The old file becomes the .1 file: the one before goes.
void ruota(const QString &percorso)
{
    const QString vecchio = percorso + QStringLiteral(".1");
    os::rimuovi(vecchio);
    QFile::rename(percorso, vecchio);
}

void accoda(const QString &percorso, qint64 limite, const QByteArray &riga)
{
    int fd = os::apri(percorso, os::SoloScrittura | os::Crea);
    if (fd < 0)
        return;
    qint64 fine = os::dimensione(fd);
    if (fine > 0 && fine + riga.size() > limite) {
        os::chiudi(fd);
        ruota(percorso);
        fd = os::apri(percorso, os::SoloScrittura | os::Crea);
        if (fd < 0)
            return;
        fine = os::dimensione(fd);
    }
    if (fine >= 0)
        os::scriviA(fd, riga.constData(), riga.size(), fine);
    os::chiudi(fd);
}

void gestore(QtMsgType tipo, const QMessageLogContext &contesto, const QString &messaggio)
{
    if (!t_dentro && daScrivere(tipo, contesto.category)) {
        // A message the writing itself raises is not written again.
        t_dentro = true;
        QString categoria = QString::fromLatin1(contesto.category ? contesto.category : "qt");
        if (categoria.startsWith(QLatin1String("qv.")))
            categoria = categoria.mid(3);
        QString testo = messaggio;
        testo.replace(u'\n', u' ').replace(u'\r', u' ');
        const QByteArray riga = (QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                                 + u' ' + categoria + u' ' + livello(tipo) + QStringLiteral(": ") + testo)
                                    .toUtf8()
                                + "\r\n";
        {
            QMutexLocker blocco(&s_mutex);
            if (!s_percorso.isEmpty())
                accoda(s_percorso, s_limite, riga);
        }
        t_dentro = false;
    }
    if (s_precedente)
        s_precedente(tipo, contesto, messaggio);
}

} // namespace

void installa(const QString &percorso, qint64 limite)
{
    {
        QMutexLocker blocco(&s_mutex);
        s_percorso = percorso;
        s_limite = limite;
    }
    if (!s_installato) {
        s_precedente = qInstallMessageHandler(gestore);
        s_installato = true;
    }
}

void disinstalla()
{
    if (s_installato) {
        qInstallMessageHandler(s_precedente);
        s_precedente = nullptr;
        s_installato = false;
    }
    QMutexLocker blocco(&s_mutex);
    s_percorso.clear();
}

QString percorso()
{
    QMutexLocker blocco(&s_mutex);
    return s_percorso;
}

} // namespace diario

} // namespace qv
