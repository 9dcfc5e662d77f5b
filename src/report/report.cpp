#include "report/report.h"

#include "ui/nomestampa.h"
#include "ui/servizi.h"

#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace qv {

namespace {

// Slices meet exactly at line boundaries; this absorbs rounding in the sums.
constexpr qreal Tolleranza = 0.01;
// Text keeps this gap from the left and right edges of its memo, so that it
// never touches the edge of a filled memo.
constexpr qreal MargineTesto = 2;

qreal altezzaCarattere(const QFont &carattere)
{
    return carattere.pixelSize() > 0 ? carattere.pixelSize() : carattere.pointSizeF() * 96.0 / 72.0;
}

// Top of a memo's first line: the block of lines is placed by the vertical alignment.
qreal inizioTesto(const OggettoReport &memo)
{
    const qreal libero = memo.rett.height() - memo.righe.size() * memo.passoRiga();
    if (memo.allineamento & Qt::AlignVCenter)
        return memo.rett.top() + libero / 2;
    if (memo.allineamento & Qt::AlignBottom)
        return memo.rett.top() + libero;
    return memo.rett.top();
}

} // namespace

qreal OggettoReport::passoRiga() const
{
    return altezzaCarattere(carattere) * 1.2;
}

OggettoReport &Banda::aggiungi(OggettoReport oggetto)
{
    oggetti.push_back(std::move(oggetto));
    return oggetti.back();
}

Report::Report(QPageLayout::Orientation orientamento, const QMarginsF &marginiMm)
    : m_orientamento(orientamento), m_margini(marginiMm)
{
}

Banda &Report::aggiungiBanda(Banda::Tipo tipo, const QString &nome, qreal altezza)
{
    m_bande.push_back(Banda{nome, tipo, altezza, {}});
    return m_bande.back();
}

Banda *Report::banda(const QString &nome)
{
    for (Banda &b : m_bande)
        if (b.nome == nome)
            return &b;
    return nullptr;
}

OggettoReport *Report::oggetto(const QString &nome)
{
    for (Banda &b : m_bande)
        for (OggettoReport &o : b.oggetti)
            if (o.nome == nome)
                return &o;
    return nullptr;
}

QPageLayout Report::impaginazione() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_orientamento, m_margini, QPageLayout::Millimeter);
}

QSizeF Report::area() const
{
    QSizeF foglio = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    if (m_orientamento == QPageLayout::Landscape)
        foglio.transpose();
    return QSizeF(foglio.width() - m_margini.left() - m_margini.right(),
                  foglio.height() - m_margini.top() - m_margini.bottom()) * UnitaPerMm;
}

// The lowest cut at or above `limite` that goes through no memo line of the band.
qreal Report::taglio(const Banda &banda, qreal limite) const
{
    qreal taglio = limite;
    for (const OggettoReport &o : banda.oggetti) {
        if (o.tipo != OggettoReport::Tipo::Memo || o.righe.isEmpty())
            continue;
        const qreal inizio = inizioTesto(o);
        const qreal passo = o.passoRiga();
        if (taglio > inizio && taglio < inizio + o.righe.size() * passo)
            taglio = inizio + std::floor((taglio - inizio + Tolleranza) / passo) * passo;
    }
    return taglio;
}

int Report::prepara()
{
    m_data = Servizi::correnti().oggi().toString(QStringLiteral("dd/MM/yyyy"));
    m_collocazioni.clear();
    const qreal altezzaPagina = area().height();
    int pagina = 0;
    qreal y = 0;
    for (int i = 0; i < int(m_bande.size()); ++i) {
        const Banda &b = m_bande[size_t(i)];
        qreal da = 0;
        if (b.tipo == Banda::Tipo::Dati) {
            while (b.altezza - da > altezzaPagina - y + Tolleranza) {
                qreal a = taglio(b, da + altezzaPagina - y);
                if (a <= da + Tolleranza) {
                    if (y > 0) {  // not even one line fits below what is there: next page
                        ++pagina;
                        y = 0;
                        continue;
                    }
                    a = da + altezzaPagina;  // a line taller than a page is cut after all
                }
                m_collocazioni.append({i, pagina, y, da, a});
                da = a;
                ++pagina;
                y = 0;
            }
        } else if (y > 0 && y + b.altezza > altezzaPagina + Tolleranza) {
            ++pagina;
            y = 0;
        }
        m_collocazioni.append({i, pagina, y, da, b.altezza});
        y += b.altezza - da;
    }
    m_pagine = pagina + 1;
    return m_pagine;
}

void Report::disegna(QPainter &pittore, int pagina) const
{
    const qreal scala = pittore.device()->logicalDpiY() / 96.0;
    const qreal larghezza = area().width();
    for (const Collocazione &c : m_collocazioni) {
        if (c.pagina != pagina)
            continue;
        pittore.save();
        pittore.scale(scala, scala);
        pittore.translate(0, c.y - c.da);
        const QRectF fetta(0, c.da, larghezza, c.a - c.da);
        pittore.setClipRect(fetta);
        for (const OggettoReport &o : m_bande[size_t(c.banda)].oggetti)
            if (o.rett.normalized().adjusted(-o.spessore, -o.spessore, o.spessore, o.spessore).intersects(fetta))
                disegnaOggetto(pittore, o, fetta, scala);
        pittore.restore();
    }
}

void Report::disegnaOggetto(QPainter &pittore, const OggettoReport &o, const QRectF &fetta, qreal scala) const
{
    pittore.save();
    switch (o.tipo) {
    case OggettoReport::Tipo::Memo: {
        if (o.riempimento.isValid())
            pittore.fillRect(o.rett, o.riempimento);
        pittore.setClipRect(o.rett, Qt::IntersectClip);
        // Points are turned into pixels at the device's resolution before the
        // painter's scale applies, so the size is taken back to report units.
        QFont carattere = o.carattere;
        if (carattere.pixelSize() <= 0)
            carattere.setPointSizeF(carattere.pointSizeF() / scala);
        pittore.setFont(carattere);
        pittore.setPen(o.colore);
        const qreal passo = o.passoRiga();
        const qreal inizio = inizioTesto(o);
        const Qt::Alignment orizzontale = o.allineamento & Qt::AlignHorizontal_Mask;
        for (int r = 0; r < o.righe.size(); ++r) {
            const QRectF riga(o.rett.left() + MargineTesto, inizio + r * passo, o.rett.width() - 2 * MargineTesto,
                              passo);
            // Only the lines of this slice: a text outside it would still be in the file.
            if (riga.bottom() <= fetta.top() + Tolleranza || riga.top() >= fetta.bottom() - Tolleranza)
                continue;
            QString testo = o.righe.at(r);
            testo.replace(QLatin1String("[DATE]"), m_data);
            pittore.drawText(riga, int(orizzontale | Qt::AlignVCenter | Qt::TextSingleLine), testo);
        }
        break;
    }
    case OggettoReport::Tipo::Immagine: {
        if (o.immagine.isNull())
            break;
        const QSizeF dimensioni = QSizeF(o.immagine.size()).scaled(o.rett.size(), Qt::KeepAspectRatio);
        QRectF cornice(QPointF(), dimensioni);
        cornice.moveCenter(o.rett.center());
        pittore.setRenderHint(QPainter::SmoothPixmapTransform);
        pittore.drawImage(cornice, o.immagine);
        break;
    }
    case OggettoReport::Tipo::Linea:
        pittore.setPen(QPen(o.colore, o.spessore));
        pittore.drawLine(o.rett.topLeft(), o.rett.bottomRight());
        break;
    case OggettoReport::Tipo::Rettangolo:
        pittore.setPen(QPen(o.colore, o.spessore));
        pittore.setBrush(o.riempimento.isValid() ? QBrush(o.riempimento) : QBrush());
        pittore.drawRect(o.rett);
        break;
    }
    pittore.restore();
}

bool Report::stampa(QPrinter &stampante)
{
    stampante.setFullPage(false);
    if (!stampante.setPageLayout(impaginazione()))
        return stampaFallita(stampante, "la stampante rifiuta il formato della pagina");
    prepara();
    QPainter pittore;
    if (!pittore.begin(&stampante))
        return stampaFallita(stampante, "la stampante non accetta il disegno");
    for (int p = 0; p < m_pagine; ++p) {
        if (p > 0 && !stampante.newPage())
            return stampaFallita(stampante, "la stampante rifiuta una nuova pagina");
        disegna(pittore, p);
    }
    return pittore.end() || stampaFallita(stampante, "la stampa non si è conclusa");
}

} // namespace qv
