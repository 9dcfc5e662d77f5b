#include "disegno.h"

#include <QImage>
#include <QPainter>

namespace qv {

namespace {

// The rasterized pictures are drawn at this many times their own size.
constexpr int kScalaRaster = 3;

QString nomeRaster(const QString &risorsa)
{
    return risorsa.endsWith(QLatin1String(".svg")) ? risorsa.chopped(4) + QStringLiteral(".png") : risorsa;
}

} // namespace

struct Disegno::Dati
{
    QImage immagine;
};

Disegno::Disegno(const QString &risorsa) : m_dati(std::make_unique<Dati>())
{
    m_dati->immagine.load(nomeRaster(risorsa));
}

Disegno::~Disegno() = default;

bool Disegno::valido() const { return !m_dati->immagine.isNull(); }

QSize Disegno::misura() const
{
    return valido() ? m_dati->immagine.size() / kScalaRaster : QSize();
}

void Disegno::disegna(QPainter *p, const QRectF &dove) const
{
    if (!valido())
        return;
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform);
    p->drawImage(dove, m_dati->immagine);
    p->restore();
}

QIcon iconaDisegno(const QString &risorsa)
{
    return QIcon(nomeRaster(risorsa));
}

} // namespace qv
