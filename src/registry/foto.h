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

// An image file read whole, in any format the image library recognises,
// whatever its extension: the bitmap (null when the file cannot be read or
// decoded) and, for a JPEG, the file's bytes, which can be stored again as
// they are.
struct FileImmagine
{
    QImage immagine;
    QByteArray jpeg;
};
FileImmagine leggiImmagine(const QString &percorso);

// Writes a bitmap in the format its extension names (JPEG for ".jpg" and for
// any extension the library cannot write); `jpeg`, the JPEG file the bitmap
// was read from, is written as it is where the target is a JPEG file. The
// bytes go to a temporary file that replaces the target only once complete,
// so a failed write never leaves a broken photo behind.
bool scriviImmagine(const QImage &immagine, const QString &percorso, const QByteArray &jpeg = QByteArray());

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

    // Shows the placeholder picture in imgFoto: the card has no photo.
    void mostraSegnaposto();
    // A new card: the placeholder, and no photo stored for it yet.
    void nuova();
    // Shows the photo of the card at `posizione`; the placeholder when it is missing or unreadable.
    void carica(int posizione);
    // Stores the photo shown as the photo of the card at `posizione`, once
    // the card is saved there. An unchanged photo leaves the file as it is; a
    // JPEG file the user chose is stored byte for byte, any other picture
    // (a bitmap, a webcam snapshot) as JPEG; a card without a photo has no
    // file (the placeholder is never stored). When the file cannot be written
    // the box shows the placeholder, the old file stays and nothing is reported.
    void salva(int posizione);

    // The card's photo as the box shows it; a null image for the placeholder.
    QImage foto() const;
    // Whether the photo shown differs from the card's stored one (as loaded
    // or last saved; none for a new card). A failure that puts the
    // placeholder in the box is no change: the stored photo stays.
    bool cambiata() const;

public slots:
    void btnCaricaFotoClick();
    void btnAcquisisciFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

private:
    // Shows an image file, or the placeholder when it cannot be read; false then.
    bool mostraFile(const QString &percorso);
    // Whether the picture is the placeholder (or none at all).
    bool segnaposto(const QImage &immagine) const;
    // The JPEG bytes the picture was read from; empty when it must be encoded.
    QByteArray jpegDi(const QImage &immagine) const;
    // The stored photo is taken to be what the box shows now.
    void fissa() { m_archiviata = imgFoto->immagine().cacheKey(); }

    QWidget *m_schermo;
    // The picture the box showed once the card's photo was loaded or stored
    // (by its cache key, which no other picture ever takes), and the card it
    // belongs to (0: a new card).
    qint64 m_archiviata = 0;
    int m_posizione = 0;
    // The JPEG file a picture shown was read from (the picture by its cache key).
    QByteArray m_jpeg;
    qint64 m_chiaveJpeg = 0;
};

} // namespace qv
