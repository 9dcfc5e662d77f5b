#include "frmguida.h"

#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QFrame>

namespace qv {

TfrmGuida::TfrmGuida(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572), Qt::white,
                   QColor(0xBF, 0xD8, 0xEF), parent)
{
    setObjectName(QStringLiteral("frmGuida"));
    QWidget *box = riquadroBianco(this, QRect(12, 10, 646, 81));
    imgLogo = new Figura(QStringLiteral("imgLogo"), QStringLiteral(":/img/logo_guida.svg"), QRect(29, 6, 587, 69), box);

    lblTitolo = etichetta(this, QStringLiteral("lblTitolo"), QStringLiteral("Argomento della guida."),
                          QRect(22, 100, 625, 30), carattere(QStringLiteral("Arial"), 16, true), QColor(0xDC, 0x14, 0x3C));

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setGeometry(22, 136, 625, 350);
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setFont(carattere(QStringLiteral("Verdana"), 12, true));

    imgPDF = new Figura(QStringLiteral("imgPDF"), QStringLiteral(":/img/pdf.svg"), QRect(22, 508, 27, 27), this, true);
    lnkWeb = new Collegamento(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), this);
    lnkWeb->setGeometry(56, 508, 330, 27);
    collegaIcona(imgPDF, lnkWeb);

    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(527, 504, 120, 34));

    connect(lnkWeb, &Collegamento::clicked, this, &TfrmGuida::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
}

void TfrmGuida::lnkWebClick()
{
    lnkWeb->colora(Collegamento::BluScuro);
    TMisc::Open(u'"' + cartellaProgramma().guida() + u'"', this);
}

void TfrmGuida::btnChiudiClick()
{
    accept();
}

void mostraGuida(QWidget *schermo, const QString &titolo, const QString &testo)
{
    auto *dlg = new TfrmGuida(schermo);
    dlg->lblTitolo->setText(titolo);
    dlg->txtGuida->setPlainText(testo);
    eseguiDialogo(dlg);
}

void collegaIcona(Figura *icona, Collegamento *link)
{
    QObject::connect(icona, &Figura::premuto, link, [link] { link->colora(Collegamento::Arancione); });
    QObject::connect(icona, &Figura::rilasciato, link, [link] { link->colora(Collegamento::BluScuro); });
    QObject::connect(icona, &Figura::clicked, link, &Collegamento::clicked);
}

QWidget *riquadroBianco(QWidget *parent, const QRect &geometria)
{
    auto *box = new QFrame(parent);
    box->setObjectName(QStringLiteral("shpRiquadro"));
    box->setGeometry(geometria);
    box->setStyleSheet(QStringLiteral("#shpRiquadro { background: white; border: 1px solid #B8C4D0; border-radius: 4px; }"));
    return box;
}

QPushButton *pulsante(QWidget *parent, const QString &nome, const QString &testo, const QRect &geometria, int punti)
{
    auto *b = new Pulsante(testo, parent);
    b->setObjectName(nome);
    b->setGeometry(geometria);
    b->setFont(carattere(QStringLiteral("Verdana"), punti));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace qv
