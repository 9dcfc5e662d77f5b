#pragma once
// Taking the employee's photo with the webcam: the live picture on the left,
// the snapshot on the right, and the snapshot imported into the card's photo.

#include "ui/finestre.h"

#include <QFrame>
#include <QPushButton>

namespace qv {

class Fotocamera;
class RiquadroFoto;

class TfrmWebCam : public DialogoFisso
{
    Q_OBJECT
public:
    explicit TfrmWebCam(QWidget *parent = nullptr);

    QFrame *panCamera;
    RiquadroFoto *imgCamera;
    QFrame *panTarget;
    RiquadroFoto *imgTarget;
    QPushButton *btnAccendi;
    QPushButton *btnCattura;
    QPushButton *btnSalvaFotogramma;
    QPushButton *btnSpegni;
    QPushButton *btnImportaFoto;
    QPushButton *btnChiudi;
    Fotocamera *camCamera;
    RiquadroFoto *imgBianco;

    // The two pictures in their frames, with the drawing each shows at first.
    struct DefRiquadro
    {
        QFrame *TfrmWebCam::*pannello;
        RiquadroFoto *TfrmWebCam::*figura;
        const char *nomePannello;
        const char *nomeFigura;
        QPoint posizione;
        const char *disegno;
    };
    static const DefRiquadro Riquadri[2];

    // The buttons, in tab order.
    struct DefPulsante
    {
        QPushButton *TfrmWebCam::*membro;
        const char *nome;
        const char *testo;
        QRect geometria;
        void (TfrmWebCam::*clic)();
    };
    static const DefPulsante Pulsanti[6];

    // Every way of closing the dialog (Chiudi or Escape, the title bar,
    // Importa) ends here and switches the camera off.
    void done(int risultato) override;

public slots:
    void btnAccendiClick();
    void btnSpegniClick();
    void camCameraSampleBufferReady(const QImage &fotogramma);
    void btnCatturaClick();
    void btnSalvaFotogrammaClick();
    void btnImportaFotoClick();
    void btnChiudiClick();
};

} // namespace qv
