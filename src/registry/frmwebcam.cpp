#include "frmwebcam.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "registry/foto.h"

namespace qv {

namespace {

// The webcam drawing: the live picture before the camera starts, and the snapshot's fallback.
constexpr char DisegnoWebcam[] = ":/img/foto_webcam.svg";

const QString MsgNessunaWebcam = QStringLiteral(
    "Attenzione: nessuna WebCam trovata.\r\n\r\n"
    "Collegare una WebCam al computer, accertarsi che non sia in uso da parte di un altro programma e riprovare.");

} // namespace

const TfrmWebCam::DefRiquadro TfrmWebCam::Riquadri[2] = {
    {&TfrmWebCam::panCamera, &TfrmWebCam::imgCamera, "panCamera", "imgCamera", QPoint(16, 16), DisegnoWebcam},
    {&TfrmWebCam::panTarget, &TfrmWebCam::imgTarget, "panTarget", "imgTarget", QPoint(408, 16),
     ":/img/foto_fotocamera.svg"},
};

// Chiudi, last, closes without importing anything; Escape presses it.
const TfrmWebCam::DefPulsante TfrmWebCam::Pulsanti[6] = {
    {&TfrmWebCam::btnAccendi, "btnAccendi", "Accendi WebCam", QRect(16, 312, 382, 34), &TfrmWebCam::btnAccendiClick},
    {&TfrmWebCam::btnCattura, "btnCattura", "Acquisisci foto", QRect(408, 312, 188, 34), &TfrmWebCam::btnCatturaClick},
    {&TfrmWebCam::btnSalvaFotogramma, "btnSalvaFotogramma", "Salva foto su disco", QRect(603, 312, 188, 34),
     &TfrmWebCam::btnSalvaFotogrammaClick},
    {&TfrmWebCam::btnSpegni, "btnSpegni", "Spegni WebCam", QRect(16, 352, 382, 34), &TfrmWebCam::btnSpegniClick},
    {&TfrmWebCam::btnImportaFoto, "btnImportaFoto", "Importa foto acquisita", QRect(408, 352, 254, 34),
     &TfrmWebCam::btnImportaFotoClick},
    {&TfrmWebCam::btnChiudi, "btnChiudi", "Chiudi", QRect(672, 352, 118, 34), &TfrmWebCam::btnChiudiClick},
};

TfrmWebCam::TfrmWebCam(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Acquisisci foto da WebCam"), QSize(807, 405), QColor(0x4F, 0x73, 0x97), Qt::white,
                   parent)
{
    setObjectName(QStringLiteral("frmWebCam"));
    // The one dialog with a sizeable border: it may grow, never shrink below its controls.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowContextHelpButtonHint | Qt::WindowCloseButtonHint);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_pulsantiTitolo = PulsanteChiudi | PulsanteRiduci | BordoRidimensionabile;

    for (const DefRiquadro &d : Riquadri) {
        auto *pannello = new QFrame(this);
        pannello->setObjectName(QLatin1String(d.nomePannello));
        pannello->setGeometry(QRect(d.posizione, QSize(382, 290)));
        pannello->setStyleSheet(QStringLiteral("#%1 { background: white; border: 1px solid #1F3A5F; }")
                                    .arg(QLatin1String(d.nomePannello)));
        auto *figura = new RiquadroFoto(QLatin1String(d.nomeFigura), QRect(QPoint(8, 8), DimensioniFoto), pannello);
        figura->impostaImmagine(disegnoFoto(QLatin1String(d.disegno)));
        this->*(d.pannello) = pannello;
        this->*(d.figura) = figura;
    }

    QWidget *precedente = nullptr;
    for (const DefPulsante &d : Pulsanti) {
        QPushButton *b = pulsante(this, QLatin1String(d.nome), QString::fromUtf8(d.testo), d.geometria);
        this->*(d.membro) = b;
        connect(b, &QPushButton::clicked, this, d.clic);
        if (precedente)
            setTabOrder(precedente, b);
        precedente = b;
    }
    btnAccendi->setFocus();

    camCamera = Servizi::correnti().fotocamera().release();
    camCamera->setParent(this);
    camCamera->setObjectName(QStringLiteral("camCamera"));
    connect(camCamera, &Fotocamera::fotogramma, this, &TfrmWebCam::camCameraSampleBufferReady);

    imgBianco = new RiquadroFoto(QStringLiteral("imgBianco"), QRect(QPoint(8, 8), DimensioniFoto), panTarget);
    imgBianco->impostaImmagine(disegnoFoto(QLatin1String(DisegnoWebcam)));
    imgBianco->hide();
}

void TfrmWebCam::btnAccendiClick()
{
    if (!camCamera->accendi())
        Servizi::correnti().messaggio(this, TipoMessaggio::Avviso, MsgNessunaWebcam);
}

void TfrmWebCam::btnSpegniClick()
{
    camCamera->spegni();
}

void TfrmWebCam::camCameraSampleBufferReady(const QImage &fotogramma)
{
    imgCamera->impostaImmagine(fotogramma);
}

void TfrmWebCam::btnCatturaClick()
{
    imgTarget->impostaImmagine(imgCamera->immagine());
}

void TfrmWebCam::btnSalvaFotogrammaClick()
{
    const QString file = chiediFileFoto(this);
    if (!file.isEmpty() && !scriviImmagine(imgTarget->immagine(), file))
        imgTarget->impostaImmagine(imgBianco->immagine());
}

void TfrmWebCam::btnImportaFotoClick()
{
    camCamera->spegni();
    // The card screen's photo; without the long-lived card screen, the window that opened the dialog.
    QWidget *schermo = Schermi::per(QStringLiteral("TfrmAnagrafica"));
    if (!schermo && parentWidget())
        schermo = parentWidget()->window();
    if (auto *foto = schermo ? schermo->findChild<RiquadroFoto *>(QStringLiteral("imgFoto")) : nullptr)
        foto->impostaImmagine(imgTarget->immagine());
    accept();
}

void TfrmWebCam::btnChiudiClick()
{
    reject();
}

void TfrmWebCam::done(int risultato)
{
    camCamera->spegni();
    DialogoFisso::done(risultato);
}

} // namespace qv
