#include "foto.h"

#include "core/filesicuro.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "registry/frmwebcam.h"
#include "registry/frmzoom.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

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
    QSvgRenderer svg(risorsa);
    QRectF area(QPointF(), QSizeF(svg.defaultSize()).scaled(QSizeF(DimensioniFoto), Qt::KeepAspectRatio));
    area.moveCenter(QRectF(img.rect()).center());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, area);
    p.end();
    resi.insert(risorsa, img);
    return img;
}

QImage leggiImmagine(const QString &percorso)
{
    QImageReader lettore(percorso);
    lettore.setDecideFormatFromContent(true);
    return lettore.read();
}

bool scriviImmagine(const QImage &immagine, const QString &percorso)
{
    QByteArray formato = QFileInfo(percorso).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(formato))
        formato = "jpg";
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
    mostraSegnaposto();
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

void FotoScheda::carica(int posizione)
{
    mostraFile(cartellaProgramma().foto(posizione));
}

void FotoScheda::mostraFile(const QString &percorso)
{
    const QImage foto = leggiImmagine(percorso);
    if (foto.isNull())
        mostraSegnaposto();
    else
        imgFoto->impostaImmagine(foto);
}

void FotoScheda::salva(int posizione)
{
    if (!scriviImmagine(imgFoto->immagine(), cartellaProgramma().foto(posizione)))
        mostraSegnaposto();
}

void FotoScheda::btnCaricaFotoClick()
{
    const QString file = Servizi::correnti().fileDaAprire(
        m_schermo, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        {QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")}, QString());
    if (!file.isEmpty())
        mostraFile(file);
}

void FotoScheda::btnAcquisisciFotoClick()
{
    eseguiDialogo(new TfrmWebCam(m_schermo));
}

void FotoScheda::btnSalvaFotoClick()
{
    const QString file = chiediFileFoto(m_schermo);
    if (!file.isEmpty() && !scriviImmagine(imgFoto->immagine(), file))
        mostraSegnaposto();
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
