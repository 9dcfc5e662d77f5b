#include "report/stampaelenco.h"

#include "ui/nomestampa.h"
#include "ui/servizi.h"

#include <QPrinter>

namespace qv {

namespace {

const QColor GrigioArdesia(0x70, 0x80, 0x90);

OggettoReport memo(const QString &nome, const QRectF &rettMm, const QFont &carattere, const QColor &colore,
                   const QColor &riempimento, Qt::Alignment allineamento)
{
    OggettoReport o;
    o.nome = nome;
    o.rett = QRectF(mm(rettMm.x()), mm(rettMm.y()), mm(rettMm.width()), mm(rettMm.height()));
    o.carattere = carattere;
    o.colore = colore;
    o.riempimento = riempimento;
    o.allineamento = allineamento;
    return o;
}

QFont carattere(const QString &famiglia, int punti, bool grassetto)
{
    QFont f(famiglia, punti);
    f.setBold(grassetto);
    return f;
}

} // namespace

Report reportElenco(const QString &titolo, const QStringList &righe)
{
    Report report(QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));

    report.aggiungiBanda(Banda::Tipo::Titolo, QStringLiteral("ReportTitle"), mm(8))
        .aggiungi(memo(QStringLiteral("txtTitolo"), QRectF(2, 1, 273, 5),
                       carattere(QStringLiteral("Verdana"), 9, true), Qt::white, GrigioArdesia, Qt::AlignCenter))
        .impostaTesto(titolo);

    Banda &dati = report.aggiungiBanda(Banda::Tipo::Dati, QStringLiteral("MasterData"),
                                       altezzaBandaElenco(int(righe.size())));
    OggettoReport &elenco = dati.aggiungi(memo(QStringLiteral("txtRiepilogo"), QRectF(3, 0, 273, 0),
                                               carattere(QStringLiteral("Courier New"), 8, false), Qt::black,
                                               QColor(), Qt::AlignLeft | Qt::AlignTop));
    elenco.righe = righe;
    elenco.rett.setHeight(altezzaMemoElenco(int(righe.size())));

    report.aggiungiBanda(Banda::Tipo::Piede, QStringLiteral("Footer"), mm(8))
        .aggiungi(memo(QStringLiteral("txtPagina"), QRectF(3, 2, 272, 5),
                       carattere(QStringLiteral("Verdana"), 8, true), Qt::white, GrigioArdesia, Qt::AlignCenter))
        .impostaTesto(QStringLiteral("Stampa eseguita in data [DATE]"));
    return report;
}

bool stampaElenco(QWidget *padre, const QString &titolo, const QStringList &righe, QPrinter &stampante)
{
    Report report = reportElenco(titolo, righe);
    stampante.setPageLayout(report.impaginazione());
    stampante.setDocName(nomeDocumentoStampa(titolo, Servizi::correnti().oggi()));
    if (!Servizi::correnti().dialogoStampa(padre, stampante))
        return false;
    return report.stampa(stampante);
}

bool stampaElenco(QWidget *padre, const QString &titolo, const QStringList &righe)
{
    QPrinter stampante(QPrinter::HighResolution);
    return stampaElenco(padre, titolo, righe, stampante);
}

} // namespace qv
