#pragma once
// The chart on screen: a thin widget that hands its area to the chart engine.

#include "chart/grafico.h"

#include <QWidget>

namespace qv {

class VistaGrafico : public QWidget
{
    Q_OBJECT
public:
    explicit VistaGrafico(const QString &nome, QWidget *parent = nullptr);

    Grafico &grafico() { return m_grafico; }
    const Grafico &grafico() const { return m_grafico; }
    // Where the last painting put things.
    const DisposizioneGrafico &disposizione() const { return m_disposizione; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Grafico m_grafico;
    DisposizioneGrafico m_disposizione;
};

} // namespace qv
