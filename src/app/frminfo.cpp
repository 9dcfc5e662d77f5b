#include "frminfo.h"

#include "ui/frmguida.h"
#include "app/produttore.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QDir>
#include <QFontMetrics>

namespace qv {

TfrmInfo::TfrmInfo(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Informazioni su Quadrivela"), QSize(640, 300), Qt::black, Qt::white, parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    QWidget *box = riquadroBianco(this, QRect(14, 14, 612, 210));
    imgLogo = new Figura(QStringLiteral("imgLogo"), QStringLiteral(":/img/logo_info.svg"), QRect(12, 8, 587, 69), box);
    lblVersione = etichetta(box, QStringLiteral("lblVersione"),
                            QStringLiteral("Quadrivela %1 - Anagrafica Dipendenti e Archivio Contratti\n"
                                           "Per informazioni e assistenza scrivere a:")
                                .arg(QLatin1String(QV_VERSIONE)),
                            QRect(40, 88, 540, 50), carattere(QStringLiteral("Verdana"), 10));
    imgEmail = new Figura(QStringLiteral("imgEmail"), QStringLiteral(":/img/email.svg"), QRect(40, 150, 27, 27), box, true);
    lnkWeb = new Collegamento(QStringLiteral("lnkWeb"), EmailProduttore, box);
    lnkWeb->setGeometry(76, 150, 400, 27);
    collegaIcona(imgEmail, lnkWeb);
    // The log, on a line of its own (a long path loses its middle).
    const QString registro = QDir::toNativeSeparators(cartellaProgramma().diario());
    lblRegistro = etichetta(box, QStringLiteral("lblRegistro"), QString(), QRect(40, 180, 560, 28),
                            carattere(QStringLiteral("Verdana"), 8));
    lblRegistro->setText(QStringLiteral("In caso di problemi inviare all'assistenza il registro degli errori:\n")
                         + QFontMetrics(lblRegistro->font()).elidedText(registro, Qt::ElideMiddle, lblRegistro->width()));
    lblRegistro->setToolTip(registro);

    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(506, 244, 120, 34));

    connect(lnkWeb, &Collegamento::clicked, this, &TfrmInfo::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
    // Enter closes the dialog as it opens; Tab reaches the link's icon.
    btnChiudi->setFocus();
}

QString TfrmInfo::comandoEmail()
{
    return u'"' + QStringLiteral("mailto:") + EmailProduttore + QStringLiteral("?subject=")
        + QStringLiteral("Software Quadrivela") + QStringLiteral("&body=")
        + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:") + u'"';
}

void TfrmInfo::lnkWebClick()
{
    lnkWeb->colora(Collegamento::BluScuro);
    TMisc::Open(comandoEmail(), this);
}

void TfrmInfo::btnChiudiClick()
{
    accept();
}

} // namespace qv
