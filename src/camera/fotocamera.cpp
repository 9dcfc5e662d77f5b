// The camera on QtMultimedia, built as a module of its own beside the
// executable and loaded by the services the first time a camera is switched
// on: the program does not load the multimedia libraries (and the sound and
// network ones they bring) at start-up. The services talk to it through the
// plain Qt object below, by name: it depends on nothing of the program.
#include <QCamera>
#include <QImage>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QObject>
#include <QVideoFrame>
#include <QVideoSink>

#include <memory>

namespace {

// Frames may arrive on another thread; each one is handed to the thread of
// this object before it becomes a picture.
class FotocameraMultimedia : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~FotocameraMultimedia() override { spegni(); }

    Q_INVOKABLE bool accendi()
    {
        if (m_camera)
            return true;
        const QCameraDevice dispositivo = QMediaDevices::defaultVideoInput();
        if (dispositivo.isNull())
            return false;
        m_camera = std::make_unique<QCamera>(dispositivo);
        m_sessione.setCamera(m_camera.get());
        m_sessione.setVideoSink(&m_sink);
        QObject::connect(&m_sink, &QVideoSink::videoFrameChanged, this,
                         [this](const QVideoFrame &frame) {
                             const QImage img = frame.toImage();
                             if (!img.isNull())
                                 emit fotogramma(img);
                         },
                         Qt::QueuedConnection);
        m_camera->start();
        return m_camera->isActive() || m_camera->error() == QCamera::NoError;
    }

    Q_INVOKABLE void spegni()
    {
        if (!m_camera)
            return;
        m_camera->stop();
        QObject::disconnect(&m_sink, nullptr, this, nullptr);
        m_sessione.setCamera(nullptr);
        m_camera.reset();
    }

    Q_INVOKABLE bool accesa() const { return m_camera != nullptr; }

signals:
    void fotogramma(const QImage &immagine);

private:
    std::unique_ptr<QCamera> m_camera;
    QMediaCaptureSession m_sessione;
    QVideoSink m_sink;
};

} // namespace

extern "C" Q_DECL_EXPORT QObject *qvCreaFotocamera(QObject *padre)
{
    return new FotocameraMultimedia(padre);
}

#include "fotocamera.moc"
