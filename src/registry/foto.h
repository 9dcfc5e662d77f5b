#pragma once
// The employee's photo: the picture control every photo is shown in, the
// photo box of the card screen with its five buttons, and the file helpers
// the box and the webcam dialog share.

#include "ui/finestre.h"

#include <QFrame>
#include <QImage>
#include <QRect>
#include <QStringList>

namespace qv {

// A picture holding a bitmap, drawn scaled to fit the control keeping its
// proportions and centred; a left click emits clicked().
class RiquadroFoto : public QWidget
{
    Q_OBJECT
public:
    RiquadroFoto(const QString &nome, const QRect &geometria, QWidget *parent);
    QImage immagine() const { return m_immagine; }
    void impostaImmagine(const QImage &immagine);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    QImage m_immagine;
};

// The size of every photo picture: the card's box and the webcam pictures.
inline constexpr QSize DimensioniFoto(366, 274);

// A drawing of the resources rendered once into a bitmap of the photo size,
// whole and centred.
QImage disegnoFoto(const QString &risorsa);

// Reads an image file in any format the image library recognises, whatever
// its extension; a null image when it cannot be read or decoded.
QImage leggiImmagine(const QString &percorso);

// Writes a bitmap in the format its extension names (JPEG for ".jpg" and for
// any extension the library cannot write). The bitmap goes to a temporary
// file that replaces the target only once complete, so a failed write never
// leaves a broken photo behind.
bool scriviImmagine(const QImage &immagine, const QString &percorso);

// The save dialog of the photos: proposes "Foto.jpg"; empty when cancelled.
QString chiediFileFoto(QWidget *padre);

// The photo box of the card screen: the light blue frame with the picture
// `imgFoto`, the hidden placeholder `imgBianco` and the five buttons around it.
class FotoScheda : public QObject
{
    Q_OBJECT
public:
    // Builds the box inside `pannello`; `schermo` owns the dialogs it opens.
    FotoScheda(QWidget *pannello, QWidget *schermo);

    QFrame *shpFoto;
    RiquadroFoto *imgFoto;
    RiquadroFoto *imgBianco;
    Figura *btnZoomFoto;
    Figura *btnCancFoto;
    Figura *btnCaricaFoto;
    Figura *btnAcquisisciFoto;
    Figura *btnSalvaFoto;

    // The buttons of the box: picture, place, click and the hint they write into the info line.
    struct DefPulsante
    {
        Figura *FotoScheda::*membro;
        const char *nome;
        const char *risorsa;
        QRect geometria;
        void (FotoScheda::*clic)();
        const char *suggerimento;
    };
    static const DefPulsante Pulsanti[5];

    // The hint of one of the buttons; empty for any other control.
    QString suggerimento(const QObject *controllo) const;

    // Shows the placeholder picture in imgFoto.
    void mostraSegnaposto();
    // Shows the photo of the card at `posizione`; the placeholder when it is missing or unreadable.
    void carica(int posizione);
    // Writes the photo shown as the photo of the card at `posizione`; when that
    // fails the box shows the placeholder and nothing is reported.
    void salva(int posizione);

public slots:
    void btnCaricaFotoClick();
    void btnAcquisisciFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

private:
    // Shows an image file, or the placeholder when it cannot be read.
    void mostraFile(const QString &percorso);

    QWidget *m_schermo;
};

} // namespace qv
