#include "blocchi.h"

namespace qv {

namespace {

QList<QByteArray> &riserva()
{
    static QList<QByteArray> blocchi;
    return blocchi;
}

} // namespace

QByteArray RiservaBlocchi::prendi()
{
    QList<QByteArray> &r = riserva();
    if (r.isEmpty())
        return QByteArray(Dimensione, Qt::Uninitialized);
    return r.takeLast();
}

void RiservaBlocchi::restituisci(QList<QByteArray> &blocchi)
{
    QList<QByteArray> &r = riserva();
    for (QByteArray &b : blocchi)
        if (b.size() == Dimensione && b.isDetached() && (r.size() + 1) * Dimensione <= Limite)
            r.append(std::move(b));
    blocchi.clear();
}

} // namespace qv
