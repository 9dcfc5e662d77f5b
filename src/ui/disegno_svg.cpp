#include "disegno.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qv {

struct Disegno::Dati
{
    explicit Dati(const QString &risorsa) : svg(risorsa) {}
    QSvgRenderer svg;
};

Disegno::Disegno(const QString &risorsa) : m_dati(std::make_unique<Dati>(risorsa)) {}
Disegno::~Disegno() = default;

bool Disegno::valido() const { return m_dati->svg.isValid(); }
QSize Disegno::misura() const { return m_dati->svg.defaultSize(); }

void Disegno::disegna(QPainter *p, const QRectF &dove) const
{
    m_dati->svg.render(p, dove);
}

QIcon iconaDisegno(const QString &risorsa)
{
    return QIcon(risorsa);
}

} // namespace qv
