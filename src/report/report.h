#pragma once
// The program's report engine: a report is A4 pages with margins and bands
// laid out from top to bottom (a title printed once, a data band that may run
// over several pages, a footer printed once after it). Bands carry memos,
// pictures, lines and rectangles placed in report units of 1/96 inch. The
// report is laid out once into pages; every page is then painted with
// QPainter, so preview, printer and PDF file share one drawing path.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QStringList>

#include <vector>

class QPainter;
class QPrinter;

namespace qv {

// Report units per millimetre (1/96 inch).
inline constexpr qreal UnitaPerMm = 96.0 / 25.4;
constexpr qreal mm(qreal millimetri) { return millimetri * UnitaPerMm; }

struct OggettoReport
{
    enum class Tipo { Memo, Immagine, Linea, Rettangolo };

    QString nome;
    Tipo tipo = Tipo::Memo;
    QRectF rett;                  // in its band, report units; a line runs from top-left to bottom-right
    // memo: text lines, never wrapped; "[DATE]" becomes the day of printing
    QStringList righe;
    QFont carattere = QFont(QStringLiteral("Arial"), 10);
    QColor colore = Qt::black;
    QColor riempimento;           // invalid: no fill
    Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignTop;
    QImage immagine;              // picture: scaled into the frame keeping its proportions, centred
    qreal spessore = 1;           // line and rectangle pen, report units

    void impostaTesto(const QString &testo) { righe = testo.split(QLatin1Char('\n')); }
    // The distance between two memo lines, report units.
    qreal passoRiga() const;
};

struct Banda
{
    enum class Tipo { Titolo, Dati, Piede };

    QString nome;
    Tipo tipo = Tipo::Dati;
    qreal altezza = 0;
    std::vector<OggettoReport> oggetti;

    OggettoReport &aggiungi(OggettoReport oggetto);
};

class Report
{
public:
    // Where the layout put a band, or the slice [da, a) of a band split over pages.
    struct Collocazione
    {
        int banda;
        int pagina;
        qreal y;   // top of the slice on its page, report units from the printable area's top
        qreal da;
        qreal a;
    };

    explicit Report(QPageLayout::Orientation orientamento = QPageLayout::Portrait,
                    const QMarginsF &marginiMm = QMarginsF(10, 10, 10, 10));

    // Bands are laid out in the order they were added.
    Banda &aggiungiBanda(Banda::Tipo tipo, const QString &nome, qreal altezza);
    Banda *banda(const QString &nome);
    OggettoReport *oggetto(const QString &nome);

    QPageLayout impaginazione() const;
    // The printable area (page less margins), report units.
    QSizeF area() const;

    // Lays the bands out into pages and fixes the date of "[DATE]"; returns the pages.
    int prepara();
    int pagine() const { return m_pagine; }
    const QList<Collocazione> &collocazioni() const { return m_collocazioni; }

    // Paints one page of the laid-out report, the painter's origin being the
    // printable area's top-left corner; report units are scaled to the device.
    void disegna(QPainter &pittore, int pagina) const;
    // Lays out and paints every page on the printer; false when it cannot be painted on.
    bool stampa(QPrinter &stampante);

private:
    void disegnaOggetto(QPainter &pittore, const OggettoReport &oggetto, const QRectF &fetta, qreal scala) const;
    qreal taglio(const Banda &banda, qreal limite) const;

    QPageLayout::Orientation m_orientamento;
    QMarginsF m_margini;
    std::vector<Banda> m_bande;
    QList<Collocazione> m_collocazioni;
    int m_pagine = 0;
    QString m_data;
};

} // namespace qv
