#pragma once
// The program's chart engine: a chart with a title, a foot text, a legend with
// its title and one series of labelled, individually coloured points, drawn as
// three-dimensional bars or as a three-dimensional pie in an orthogonal view.
// Everything is painted with QPainter on whatever device it is handed (a
// widget, a printer, a PDF file, an image), so screen and paper share one
// drawing path. Sizes are given for a 96 dpi device and scaled to the device.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class QPrinter;

namespace qv {

enum class TipoGrafico { Barre, Torta };

struct PuntoGrafico
{
    QString etichetta;
    QColor colore;
    double valore = 0;
};

// One series: its points keep their order, labels, colours and values when
// the series changes from bars to pie and back.
struct SerieGrafico
{
    QString nome;
    TipoGrafico tipo = TipoGrafico::Barre;
    QList<PuntoGrafico> punti;

    void svuota() { punti.clear(); }
    void aggiungi(const QString &etichetta, const QColor &colore, double valore)
    {
        punti.append({etichetta, colore, valore});
    }
    double totale() const;
    double massimo() const;
};

// A text as it was placed by the last drawing: what it says and where.
struct TestoGrafico
{
    enum class Ruolo { Titolo, Sottotitolo, Piede, Legenda, Asse, Categoria, Segno, Avviso };
    Ruolo ruolo;
    QString testo;
    QRectF rett;
};

// Where the last drawing put things, in device pixels: what tests and the
// display check against the picture.
struct DisposizioneGrafico
{
    QRectF area;
    QRectF titolo, sottotitolo, piede, legenda;
    qreal puntiTitolo = 0;   // the title's size: the font's own, or less where it did not fit on one line
    // Bars: the front plane, from the zero line (bottom) to the top of the
    // value axis (top); the floor and walls lie `profondita` behind it.
    QRectF tracciato;
    QPointF profondita;      // (right, up) offset of the back wall
    double massimoAsse = 0;  // value at the top of the axis
    double passoAsse = 0;    // value between two grid lines
    // Pie: the centre of the top face and its two radii; the rim below it.
    QPointF centroTorta;
    qreal raggioX = 0, raggioY = 0, spessoreTorta = 0;
    // The angle (degrees, anticlockwise from three o'clock, on the untilted
    // disc) where the first slice starts; slices follow clockwise.
    qreal angoloIniziale = 90;
    QList<TestoGrafico> testi;
};

class Grafico
{
public:
    Grafico();

    // The title stands on one line: at its font's size where it fits, smaller where not.
    QString titolo;
    QFont carattereTitolo;
    QColor coloreTitolo;
    // A second line under the title (the printouts' year), likewise on one line.
    QString sottotitolo;
    QFont carattereSottotitolo;
    QColor coloreSottotitolo;
    QString piede;
    QFont caratterePiede;
    QColor colorePiede;
    QString titoloLegenda;
    bool legendaVisibile = true;
    bool segniVisibili = true;       // value marks on the points
    bool tridimensionale = true;     // orthogonal three-dimensional view
    QString testoVuoto;              // shown in an empty pie (every value 0)
    SerieGrafico serie;

    // Draws the whole chart inside `area` (device pixels) on the painter's device.
    DisposizioneGrafico disegna(QPainter &pittore, const QRectF &area) const;

    // Prints the chart on a landscape page, one page for each copy, in one
    // job; the printer itself is asked for one copy only, so that the copies
    // are not multiplied. False when the printer cannot be painted on.
    bool stampa(QPrinter &stampante, int copie) const;

    // A value as marks and axis show it: whole numbers with the Italian
    // thousands separator, others with up to two decimals.
    static QString formatta(double valore);
    // A border colour that shows the colour's edge on a white ground: a
    // darker shade of it, dark enough to stand out from white paper (a
    // contrast of at least 3 to 1) however pale the colour.
    static QColor contorno(const QColor &colore);
    // Whether a colour is too pale to show its own edge on white.
    static bool pallido(const QColor &colore);
    // The border's width in pixels of a 96 dpi screen: wider round a pale colour.
    static qreal spessoreContorno(const QColor &colore) { return pallido(colore) ? 2.0 : 1.0; }
    // The relative luminance of a colour (0 black, 1 white), as contrast ratios take it.
    static double luminanza(const QColor &colore);
};

} // namespace qv
