#include "frmmenucontratti.h"

#include "contracts/frmcontratti.h"
#include "core/testo.h"
#include "ui/campi.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/schermoscheda.h"
#include "ui/servizi.h"
#include "ui/testiguida.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace qv {

namespace {

const QString MsgAnno = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
const QColor Blu(0x1F, 0x3A, 0x5F);

// The year field: digits only, Enter moves to "Apri" without pressing it.
const DefCampo kAnno[] = {{"txtAnnoFatture", "btnApriFatture", SoloCifre}};

bool annoValido(const QString &anno)
{
    if (anno.size() != 4)
        return false;
    for (QChar c : anno)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

TfrmMenuContratti::TfrmMenuContratti(QWidget *parent)
    : SchermoArea(QStringLiteral(" Quadrivela - Archivio Contratti"), QColor(0x5D, 0x85, 0xA6), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmMenuContratti"));
    QWidget *p = pannello();

    auto *sfondo = new QFrame(p);
    sfondo->setObjectName(QStringLiteral("shpSfondo"));
    sfondo->setGeometry(4, 4, 986, 684);
    sfondo->setStyleSheet(QStringLiteral("#shpSfondo { background: white; border: 1px solid bisque; }"));

    imgIntestazione = new Figura(QStringLiteral("imgIntestazione"), QStringLiteral(":/img/ana_contratti_intestazione.svg"),
                                 QRect(40, 34, 420, 70), p);
    imgGuida = new Figura(QStringLiteral("imgGuida"), QStringLiteral(":/img/guida.svg"), QRect(900, 30, 29, 28), p, true);
    imgEsci = new Figura(QStringLiteral("imgEsci"), QStringLiteral(":/img/esci.svg"), QRect(944, 30, 26, 28), p, true);

    auto *riga = new QFrame(p);
    riga->setObjectName(QStringLiteral("shpInformazioni"));
    riga->setGeometry(40, 116, 915, 52);
    riga->setStyleSheet(QStringLiteral("#shpInformazioni { background: #D3E2EE; border: 1px solid #9FB3C8; border-radius: 3px; }"));
    lblInformazioni = etichetta(riga, QStringLiteral("lblInformazioni"),
                                QStringLiteral("In questo ambiente è possibile registrare i contratti di lavoro stipulati "
                                               "con i propri Dipendenti e visualizzare grafici statistici di quelli archiviati."),
                                QRect(14, 4, 887, 44), carattere(QStringLiteral("Verdana"), 10), Blu);
    lblInformazioni->setWordWrap(true);

    imgPersona = new Figura(QStringLiteral("imgPersona"), QStringLiteral(":/img/area_contratti.svg"),
                            QRect(60, 236, 289, 253), p);

    // The year's contract archive.
    QFrame *archivio = riquadro(p, "shpArchivio", QRect(400, 236, 540, 150), "#D3E2EE");
    intAnnoFatture = etichetta(archivio, QStringLiteral("intAnnoFatture"), QStringLiteral("Archivio contratti:"),
                               QRect(20, 12, 400, 24), carattere(QStringLiteral("Verdana"), 12, true), Blu);
    titAnnoFatture = etichetta(archivio, QStringLiteral("titAnnoFatture"), QStringLiteral("Anno:"), QRect(20, 68, 100, 40),
                               carattere(QStringLiteral("Verdana"), 20, true), Blu);
    txtAnnoFatture = new QLineEdit(archivio);
    txtAnnoFatture->setObjectName(QStringLiteral("txtAnnoFatture"));
    txtAnnoFatture->setGeometry(124, 70, 100, 36);
    txtAnnoFatture->setFont(carattere(QStringLiteral("Verdana"), 14, true));
    txtAnnoFatture->setAlignment(Qt::AlignCenter);
    txtAnnoFatture->setMaxLength(4);
    btnApriFatture = pulsante(archivio, QStringLiteral("btnApriFatture"), QStringLiteral("Apri"), QRect(250, 70, 110, 36));

    // The monthly statistics.
    QFrame *statistiche = riquadro(p, "shpStatistiche", QRect(400, 406, 540, 110), "white");
    imgGrafico = new Figura(QStringLiteral("imgGrafico"), QStringLiteral(":/img/con_grafico.svg"), QRect(20, 42, 48, 48),
                            statistiche);
    intAnnoRiepStats = etichetta(statistiche, QStringLiteral("intAnnoRiepStats"), QStringLiteral("Statistiche contratti:"),
                                 QRect(20, 12, 400, 24), carattere(QStringLiteral("Verdana"), 12, true), Blu);
    btnApriRiepStats = pulsante(statistiche, QStringLiteral("btnApriRiepStats"), QStringLiteral("Apri"),
                                QRect(250, 50, 110, 36));

    imgSottotitolo = new Figura(QStringLiteral("imgSottotitolo"), QStringLiteral(":/img/sottotitolo.svg"),
                                QRect(17, 628, 961, 22), p);

    lblMemory = new QLabel(TokenAvvio, this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    setTabOrder(txtAnnoFatture, btnApriFatture);
    setTabOrder(btnApriFatture, btnApriRiepStats);
    // Enter presses a focused "Apri".
    for (QPushButton *b : {btnApriFatture, btnApriRiepStats})
        b->setAutoDefault(true);

    m_comportamenti = new ComportamentiCampi(this, kAnno);

    connect(btnApriFatture, &QPushButton::clicked, this, &TfrmMenuContratti::btnApriFattureClick);
    connect(btnApriRiepStats, &QPushButton::clicked, this, &TfrmMenuContratti::btnApriRiepStatsClick);
    connect(imgEsci, &Figura::clicked, this, &TfrmMenuContratti::imgEsciClick);
    connect(imgGuida, &Figura::clicked, this, &TfrmMenuContratti::imgGuidaClick);
}

void TfrmMenuContratti::showEvent(QShowEvent *e)
{
    SchermoArea::showEvent(e);
    if (e->spontaneous())
        return;
    txtAnnoFatture->setText(QString::number(Servizi::correnti().oggi().year()).rightJustified(4, u'0'));
    lblMemory->setText(TokenAvvio);
    txtAnnoFatture->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuContratti::btnApriFattureClick()
{
    // Four digits: a year typed with a blank or pasted with letters in it would
    // name a file of another year.
    const QString anno = trimmed(txtAnnoFatture->text());
    if (txtAnnoFatture->text().size() != 4 || !annoValido(anno)) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Avviso, MsgAnno);
        txtAnnoFatture->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (auto *contratti = Schermi::di<TfrmContratti>())
        contratti->impostaAnno(cartellaProgramma().archivioContratti(anno.toInt()), anno);
    lblMemory->setText(TokenContratti);
    close();
}

void TfrmMenuContratti::btnApriRiepStatsClick()
{
    lblMemory->setText(TokenStatistiche);
    close();
}

void TfrmMenuContratti::imgEsciClick()
{
    close();
}

void TfrmMenuContratti::imgGuidaClick()
{
    mostraGuida(this, QStringLiteral("Applicazione Archivio Contratti."), testoGuida(paragrafiGuidaContratti()));
}

void TfrmMenuContratti::closeEvent(QCloseEvent *e)
{
    e->accept();
    const QString token = trimmed(lblMemory->text());
    QWidget *prossimo = nullptr;
    if (token == TokenContratti)
        prossimo = Schermi::per(QStringLiteral("TfrmContratti"));
    else if (token == TokenStatistiche)
        prossimo = Schermi::per(QStringLiteral("TfrmStatistiche"));
    // The main menu, also for a screen that is not there.
    if (!prossimo)
        prossimo = Schermi::per(QStringLiteral("TfrmAvvio"));
    if (prossimo)
        passaA(prossimo, this);
}

} // namespace qv
