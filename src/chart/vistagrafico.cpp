#include "vistagrafico.h"

#include <QPainter>

namespace qv {

VistaGrafico::VistaGrafico(const QString &nome, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(nome);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VistaGrafico::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_disposizione = m_grafico.disegna(p, QRectF(rect()).adjusted(1, 1, -1, -1));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0xB4, 0xC1, 0xCF));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace qv
