#include "guidapdf.h"

#include "core/filesicuro.h"
#include "ui/testiguida.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qv {

namespace {

// Lengths on the page are in device pixels of the PDF writer; the text layout
// takes its block margins in pixels of a 96 dpi screen and scales them itself.
constexpr int Risoluzione = 300;

qreal punti(qreal pt)
{
    return pt * Risoluzione / 72.0;
}

qreal puntiLayout(qreal pt)
{
    return pt * 96 / 72.0;
}

qreal millimetri(qreal mm)
{
    return mm * Risoluzione / 25.4;
}

// Text keeps 2 cm from every edge: the page margins are 2 cm but 1 cm at the
// bottom, where the lowest centimetre of the printable area holds the footer.
const QMarginsF MarginiPagina(20, 20, 20, 10); // mm
constexpr qreal AltezzaPiede = 10;              // mm

const QString NomeProgramma = QStringLiteral("Quadrivela");
const QString Sottotitolo = QStringLiteral("Guida all'utilizzo del software");

const QColor ColoreNome(0x1F, 0x3F, 0x6E);
const QColor ColoreSottotitolo(0x4A, 0x5A, 0x6E);
const QColor ColoreTitolo(0xA3, 0x1F, 0x34);
const QColor ColoreTesto(0x1A, 0x1A, 0x1A);
const QColor ColorePiede(0x6B, 0x72, 0x80);

QFont carattere(bool conGrazie, qreal pt, bool grassetto = false)
{
    QFont f;
    if (conGrazie) {
        f.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        f.setStyleHint(QFont::Serif);
    } else {
        f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPointSizeF(pt);
    f.setBold(grassetto);
    return f;
}

QTextCharFormat formatoCarattere(const QFont &f, const QColor &colore)
{
    QTextCharFormat fmt;
    fmt.setFont(f, QTextCharFormat::FontPropertiesAll);
    fmt.setForeground(colore);
    return fmt;
}

QTextBlockFormat formatoBlocco(Qt::Alignment allineamento, qreal ptSopra, qreal ptSotto)
{
    QTextBlockFormat fmt;
    fmt.setAlignment(allineamento);
    fmt.setTopMargin(puntiLayout(ptSopra));
    fmt.setBottomMargin(puntiLayout(ptSotto));
    return fmt;
}

// The heading of the first page (its second block is the subtitle, underlined
// by disegnaPagina), the guide's title and its paragraphs.
void componi(QTextDocument &doc)
{
    QTextCursor c(&doc);
    c.setBlockFormat(formatoBlocco(Qt::AlignLeft, 0, 2));
    c.insertText(NomeProgramma, formatoCarattere(carattere(false, 30, true), ColoreNome));

    c.insertBlock(formatoBlocco(Qt::AlignLeft, 0, 8));
    c.insertText(Sottotitolo, formatoCarattere(carattere(false, 15), ColoreSottotitolo));

    c.insertBlock(formatoBlocco(Qt::AlignLeft, 22, 12));
    c.insertText(TitoloGuidaGenerale, formatoCarattere(carattere(false, 16, true), ColoreTitolo));

    QTextBlockFormat paragrafo = formatoBlocco(Qt::AlignJustify, 0, 7);
    paragrafo.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
    const QTextCharFormat testo = formatoCarattere(carattere(true, 11), ColoreTesto);
    for (const QString &p : paragrafiGuidaGenerale()) {
        c.insertBlock(paragrafo);
        c.insertText(p, testo);
    }
}

// Draws page `pagina` of a document laid out in pages of height `altezza`. Each
// line goes on the page the layout put it on and nowhere else: drawing whole
// blocks under a clip would hide copies of the neighbouring pages' lines in the
// file, where text extraction and search would still find them.
void disegnaPagina(QPainter &p, const QTextDocument &doc, int pagina, qreal altezza)
{
    const qreal cima = pagina * altezza;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout *layout = b.layout();
        const QPointF origine = layout->position() - QPointF(0, cima);
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine riga = layout->lineAt(i);
            const qreal centro = layout->position().y() + riga.y() + riga.height() / 2;
            if (centro >= cima && centro < cima + altezza)
                riga.draw(&p, origine);
        }
    }
    if (pagina == 0) {
        const QTextLayout *sottotitolo = doc.begin().next().layout();
        const qreal y = sottotitolo->position().y() + sottotitolo->boundingRect().bottom() + punti(3);
        p.save();
        p.setPen(QPen(ColoreSottotitolo, punti(0.6)));
        p.drawLine(QPointF(0, y), QPointF(doc.pageSize().width(), y));
        p.restore();
    }
}

void disegnaPiede(QPainter &p, const QRectF &area, int pagina, int pagine)
{
    p.save();
    p.setPen(QPen(ColorePiede, punti(0.5)));
    p.drawLine(area.topLeft(), area.topRight());
    p.setFont(carattere(false, 8.5));
    const QRectF testo = area.adjusted(0, millimetri(1), 0, 0);
    p.drawText(testo, Qt::AlignLeft | Qt::AlignVCenter, NomeProgramma + QStringLiteral(" – ") + Sottotitolo);
    p.drawText(testo, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Pagina %1 di %2").arg(pagina).arg(pagine));
    p.restore();
}

bool fallisci(QString *errore, const QString &motivo)
{
    if (errore)
        *errore = motivo;
    return false;
}

} // namespace

bool scriviGuidaPdf(const QString &percorso, QString *errore)
{
    const QFileInfo info(percorso);
    if (!QDir().mkpath(info.absolutePath()))
        return fallisci(errore, QStringLiteral("impossibile creare la cartella %1").arg(info.absolutePath()));

    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return fallisci(errore, file.errorString());

    QPdfWriter pdf(&file);
    pdf.setResolution(Risoluzione);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, MarginiPagina,
                                  QPageLayout::Millimeter));
    pdf.setTitle(NomeProgramma + QStringLiteral(" - ") + Sottotitolo);
    pdf.setCreator(NomeProgramma);

    const QRectF area = pdf.pageLayout().paintRectPixels(Risoluzione);
    const qreal larghezza = area.width();
    const qreal altezzaTesto = area.height() - millimetri(AltezzaPiede);
    const QRectF piede(0, area.height() - millimetri(AltezzaPiede) / 2, larghezza, millimetri(AltezzaPiede) / 2);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(larghezza, altezzaTesto));
    componi(doc);
    const int pagine = doc.pageCount();

    QPainter p;
    if (!p.begin(&pdf))
        return fallisci(errore, QStringLiteral("impossibile scrivere il documento PDF"));
    for (int i = 0; i < pagine; ++i) {
        if (i > 0 && !pdf.newPage()) {
            p.end();
            return fallisci(errore, QStringLiteral("impossibile aggiungere una pagina al documento PDF"));
        }
        disegnaPagina(p, doc, i, altezzaTesto);
        disegnaPiede(p, piede, i + 1, pagine);
    }
    p.end();

    if (!file.commit())
        return fallisci(errore, file.errorString());
    sincronizzaCartella(percorso);
    return true;
}

} // namespace qv
