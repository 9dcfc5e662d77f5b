#include "sottofondo.h"

#include <QList>
#include <QPointer>
#include <QThread>

namespace qv {

namespace {

// The threads started and not yet gone; only the main thread touches the list.
QList<QPointer<QThread>> &inCorso()
{
    static QList<QPointer<QThread>> elenco;
    return elenco;
}

} // namespace

void inSottofondo(std::function<void()> lavoro, QObject *contesto, std::function<void()> fatto)
{
    QThread *t = QThread::create(std::move(lavoro));
    inCorso().append(t);
    QObject::connect(t, &QThread::finished, t, [t] {
        inCorso().removeAll(t);
        t->deleteLater();
    });
    QObject::connect(t, &QThread::finished, contesto, std::move(fatto));
    t->start(QThread::LowPriority);
}

void attendiSottofondo()
{
    for (const QPointer<QThread> &t : std::as_const(inCorso()))
        if (t)
            t->wait();
}

bool sottofondoAttivo()
{
    for (const QPointer<QThread> &t : std::as_const(inCorso()))
        if (t && !t->isFinished())
            return true;
    return false;
}

} // namespace qv
