#include "frmsplash.h"

#include "ui/frmguida.h"
#include "app/produttore.h"
#include "ui/servizi.h"

namespace qv {

TfrmSplash::TfrmSplash(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Quadrivela - ") + NomeProduttore, QSize(661, 467), Qt::white,
                   QColor(0x35, 0x25, 0x25), parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    imgLogo = new Figura(QStringLiteral("imgLogo"), QStringLiteral(":/img/crediti.svg"), QRect(18, 12, 625, 380), this);
    // The link sits on a white box: dark blue on the dark lower gradient would not read.
    QWidget *box = riquadroBianco(this, QRect(18, 404, 370, 44));
    imgWeb = new Figura(QStringLiteral("imgWeb"), QStringLiteral(":/img/web.svg"), QRect(10, 8, 27, 27), box, true);
    lnkWeb = new Collegamento(QStringLiteral("lnkWeb"), SitoProduttoreBreve, box);
    lnkWeb->setGeometry(46, 8, 310, 27);
    collegaIcona(imgWeb, lnkWeb);

    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(523, 409, 120, 34));

    connect(lnkWeb, &Collegamento::clicked, this, &TfrmSplash::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
    // Enter closes the dialog as it opens; Tab reaches the link's icon.
    btnChiudi->setFocus();
}

void TfrmSplash::lnkWebClick()
{
    lnkWeb->colora(Collegamento::BluScuro);
    TMisc::Open(SitoProduttore, this);
}

void TfrmSplash::btnChiudiClick()
{
    accept();
}

} // namespace qv
