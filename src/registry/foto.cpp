#include "foto.h"

#include "core/filesicuro.h"
#include "ui/disegno.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "registry/frmwebcam.h"
#include "registry/frmzoom.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>

namespace qv {

RiquadroFoto::RiquadroFoto(const QString &nome, const QRect &geometria, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(nome);
    setGeometry(geometria);
}

void RiquadroFoto::impostaImmagine(const QImage &immagine)
{
    m_immagine = immagine;
    update();
}

void RiquadroFoto::paintEvent(QPaintEvent *)
{
    if (m_immagine.isNull())
        return;
    const QSizeF area = QSizeF(m_immagine.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    QRectF destinazione(QPointF(), area);
    destinazione.moveCenter(QRectF(rect()).center());
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(destinazione, m_immagine);
}

// A left click belongs to the picture: it does not reach the control underneath.
void RiquadroFoto::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        e->accept();
    else
        QWidget::mousePressEvent(e);
}

void RiquadroFoto::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    e->accept();
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}

QImage disegnoFoto(const QString &risorsa)
{
    static QHash<QString, QImage> resi;
    auto it = resi.constFind(risorsa);
    if (it != resi.constEnd())
        return *it;
    QImage img(DimensioniFoto, QImage::Format_RGB32);
    img.fill(Qt::white);
    const Disegno svg(risorsa);
    QRectF area(QPointF(), QSizeF(svg.misura()).scaled(QSizeF(DimensioniFoto), Qt::KeepAspectRatio));
    area.moveCenter(QRectF(img.rect()).center());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.disegna(&p, area);
    p.end();
    resi.insert(risorsa, img);
    return img;
}

FileImmagine leggiImmagine(const QString &percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray byte = file.readAll();
    file.close();
    QBuffer buffer(&byte);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lettore(&buffer); // the format is decided by the content
    const QByteArray formato = lettore.format(); // known only before the reading
    FileImmagine letto;
    letto.immagine = lettore.read();
    if (!letto.immagine.isNull() && formato == "jpeg")
        letto.jpeg = byte;
    return letto;
}

bool scriviImmagine(const QImage &immagine, const QString &percorso, const QByteArray &jpeg)
{
    QByteArray formato = QFileInfo(percorso).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(formato))
        formato = "jpg";
    if (!jpeg.isEmpty() && (formato == "jpg" || formato == "jpeg"))
        return scriviFileSicuro(percorso, jpeg);
    QByteArray dati;
    QBuffer buffer(&dati);
    return !immagine.isNull() && buffer.open(QIODevice::WriteOnly) && immagine.save(&buffer, formato.constData())
        && scriviFileSicuro(percorso, dati);
}

QString chiediFileFoto(QWidget *padre)
{
    return Servizi::correnti().fileDaSalvare(
        padre, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        {QStringLiteral("File Jpeg (*.jpg)")}, QStringLiteral("Foto.jpg"), QStringLiteral("jpg"));
}

const FotoScheda::DefPulsante FotoScheda::Pulsanti[5] = {
    {&FotoScheda::btnZoomFoto, "btnZoomFoto", ":/img/foto_zoom.svg", QRect(22, 350, 22, 22),
     &FotoScheda::btnZoomFotoClick, "Visualizza la foto nelle sue dimensioni reali."},
    {&FotoScheda::btnCancFoto, "btnCancFoto", ":/img/foto_cancella.svg", QRect(378, 350, 22, 22),
     &FotoScheda::btnCancFotoClick, "Cancella la foto."},
    {&FotoScheda::btnCaricaFoto, "btnCaricaFoto", ":/img/foto_carica.svg", QRect(22, 380, 157, 40),
     &FotoScheda::btnCaricaFotoClick, "Carica una foto esistente."},
    {&FotoScheda::btnAcquisisciFoto, "btnAcquisisciFoto", ":/img/foto_acquisisci.svg", QRect(191, 380, 157, 40),
     &FotoScheda::btnAcquisisciFotoClick, "Acquisisci la foto da WebCam."},
    {&FotoScheda::btnSalvaFoto, "btnSalvaFoto", ":/img/foto_salva.svg", QRect(359, 380, 42, 40),
     &FotoScheda::btnSalvaFotoClick, "Salva la foto su disco."},
};

FotoScheda::FotoScheda(QWidget *pannello, QWidget *schermo)
    : QObject(schermo), m_schermo(schermo)
{
    shpFoto = new QFrame(pannello);
    shpFoto->setObjectName(QStringLiteral("shpFoto"));
    shpFoto->setGeometry(22, 86, 378, 286);
    shpFoto->setStyleSheet(QStringLiteral("#shpFoto { background: #D3E2EE; }"));

    imgFoto = new RiquadroFoto(QStringLiteral("imgFoto"), QRect(QPoint(28, 92), DimensioniFoto), pannello);
    imgBianco = new RiquadroFoto(QStringLiteral("imgBianco"), QRect(QPoint(28, 92), DimensioniFoto), pannello);
    imgBianco->impostaImmagine(disegnoFoto(QStringLiteral(":/img/segnaposto.svg")));
    imgBianco->hide();

    for (const DefPulsante &d : Pulsanti) {
        auto *b = new Figura(QLatin1String(d.nome), QLatin1String(d.risorsa), d.geometria, pannello, true);
        this->*(d.membro) = b;
        connect(b, &Figura::clicked, this, d.clic);
    }
    nuova();
}

QString FotoScheda::suggerimento(const QObject *controllo) const
{
    for (const DefPulsante &d : Pulsanti)
        if (controllo && controllo == this->*(d.membro))
            return QString::fromUtf8(d.suggerimento);
    return QString();
}

void FotoScheda::mostraSegnaposto()
{
    imgFoto->impostaImmagine(imgBianco->immagine());
}

void FotoScheda::nuova()
{
    mostraSegnaposto();
    m_posizione = 0;
    fissa();
}

void FotoScheda::carica(int posizione)
{
    mostraFile(cartellaProgramma().foto(posizione));
    m_posizione = posizione;
    fissa();
}

bool FotoScheda::mostraFile(const QString &percorso)
{
    const FileImmagine letto = leggiImmagine(percorso);
    if (letto.immagine.isNull()) {
        mostraSegnaposto();
        return false;
    }
    imgFoto->impostaImmagine(letto.immagine);
    m_jpeg = letto.jpeg;
    m_chiaveJpeg = letto.immagine.cacheKey();
    return true;
}

bool FotoScheda::segnaposto(const QImage &immagine) const
{
    return immagine.isNull() || immagine.cacheKey() == imgBianco->immagine().cacheKey();
}

QByteArray FotoScheda::jpegDi(const QImage &immagine) const
{
    return immagine.cacheKey() == m_chiaveJpeg ? m_jpeg : QByteArray();
}

QImage FotoScheda::foto() const
{
    const QImage mostrata = imgFoto->immagine();
    return segnaposto(mostrata) ? QImage() : mostrata;
}

bool FotoScheda::cambiata() const
{
    return imgFoto->immagine().cacheKey() != m_archiviata;
}

void FotoScheda::salva(int posizione)
{
    // The file of a card saved where its photo was loaded from stays as it is
    // when the photo did not change; at a new position it is written anew.
    if (posizione == m_posizione && !cambiata())
        return;
    const QString percorso = cartellaProgramma().foto(posizione);
    const QImage mostrata = imgFoto->immagine();
    bool riuscita;
    if (segnaposto(mostrata)) {
        // No photo: no file, also none left over from another card.
        riuscita = !QFileInfo::exists(percorso) || QFile::remove(percorso);
    } else {
        riuscita = scriviImmagine(mostrata, percorso, jpegDi(mostrata));
    }
    if (!riuscita)
        mostraSegnaposto();
    m_posizione = posizione;
    fissa();
}

void FotoScheda::btnCaricaFotoClick()
{
    const QString file = Servizi::correnti().fileDaAprire(
        m_schermo, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        {QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")}, QString());
    // A file that cannot be read shows the placeholder and leaves the stored photo as it is.
    if (!file.isEmpty() && !mostraFile(file))
        fissa();
}

void FotoScheda::btnAcquisisciFotoClick()
{
    eseguiDialogo(new TfrmWebCam(m_schermo));
}

void FotoScheda::btnSalvaFotoClick()
{
    const QString file = chiediFileFoto(m_schermo);
    const QImage mostrata = imgFoto->immagine();
    if (!file.isEmpty() && !scriviImmagine(mostrata, file, jpegDi(mostrata))) {
        mostraSegnaposto();
        fissa();
    }
}

void FotoScheda::btnCancFotoClick()
{
    mostraSegnaposto();
}

void FotoScheda::btnZoomFotoClick()
{
    auto *zoom = new TfrmZoom(m_schermo);
    zoom->imgFoto->impostaImmagine(imgFoto->immagine());
    eseguiDialogo(zoom);
}

} // namespace qv
