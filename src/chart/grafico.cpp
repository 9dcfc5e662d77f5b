#include "grafico.h"

#include "chart/disegno.h"
#include "chart/etichette.h"
#include "chart/tela.h"
#include "ui/nomestampa.h"

#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace qv {

using namespace grafico;

double SerieGrafico::totale() const
{
    double s = 0;
    for (const PuntoGrafico &p : punti)
        if (p.valore > 0 && std::isfinite(p.valore))
            s += p.valore;
    return s;
}

double SerieGrafico::massimo() const
{
    double m = 0;
    for (const PuntoGrafico &p : punti)
        if (std::isfinite(p.valore))
            m = std::max(m, p.valore);
    return m;
}

Grafico::Grafico()
    : carattereTitolo(verdana(20, true)), coloreTitolo(Qt::black), carattereSottotitolo(verdana(12, true)),
      coloreSottotitolo(TestoAsse), caratterePiede(verdana(11, true)), colorePiede(Qt::black)
{
}

QString Grafico::formatta(double valore)
{
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    if (!std::isfinite(valore))
        return QStringLiteral("0");
    if (std::abs(valore - std::round(valore)) < 1e-9)
        return italiano.toString(qint64(std::llround(valore)));
    return italiano.toString(valore, 'f', 2);
}

double Grafico::luminanza(const QColor &colore)
{
    auto lineare = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor c = colore.toRgb();
    return 0.2126 * lineare(c.redF()) + 0.7152 * lineare(c.greenF()) + 0.0722 * lineare(c.blueF());
}

bool Grafico::pallido(const QColor &colore)
{
    // Less than 1.5 to 1 against white.
    return (1.05 / (luminanza(colore) + 0.05)) < 1.5;
}

QColor Grafico::contorno(const QColor &colore)
{
    // Darker shades of the colour until it stands out from white by 3 to 1
    // (a luminance of at most 0.30).
    QColor c = colore.toRgb().darker(150);
    for (int i = 0; i < 40 && luminanza(c) > 0.30; ++i)
        c = c.darker(112);
    return c;
}

DisposizioneGrafico Grafico::disegna(QPainter &pittore, const QRectF &area) const
{
    DisposizioneGrafico d;
    d.area = area;
    pittore.save();
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setRenderHint(QPainter::TextAntialiasing);
    pittore.setClipRect(area, Qt::IntersectClip);
    pittore.fillRect(area, Qt::white);
    Tela t{pittore, d, unitaDi(pittore)};
    const qreal u = t.u;

    QRectF r = area.adjusted(12 * u, 8 * u, -12 * u, -8 * u);
    disegnaIntestazione(t, *this, r);
    disegnaPiede(t, *this, r);
    if (legendaVisibile) {
        d.legenda = disegnaLegenda(t, *this, r);
        r.setBottom(d.legenda.top() - 10 * u);
    }
    if (r.height() > 0 && r.width() > 0) {
        if (serie.tipo == TipoGrafico::Barre)
            disegnaBarre(t, *this, r);
        else
            disegnaTorta(t, *this, r);
    }
    pittore.restore();
    return d;
}

bool Grafico::stampa(QPrinter &stampante, int copie) const
{
    stampante.setPageOrientation(QPageLayout::Landscape);
    stampante.setCopyCount(1);
    QPainter p;
    if (!p.begin(&stampante))
        return stampaFallita(stampante, "la stampante non accetta il disegno");
    const QRectF pagina(QPointF(0, 0), stampante.pageLayout().paintRectPixels(stampante.resolution()).size());
    for (int i = 0; i < copie; ++i) {
        if (i > 0 && !stampante.newPage()) {
            p.end();
            return stampaFallita(stampante, "la stampante rifiuta una nuova pagina");
        }
        disegna(p, pagina);
    }
    return p.end() || stampaFallita(stampante, "la stampa non si è conclusa");
}

} // namespace qv
