#pragma once
// The program's own pictures (banners, buttons, icons, the photo placeholder),
// stored as resources ":/img/<name>.svg". Where the vector drawings can be
// rendered at run time they are; a build without that renderer carries each
// picture rasterized at build time, large enough for every scale a screen
// shows it at, under the same name with ".png".

#include <QIcon>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;

namespace qv {

class Disegno
{
public:
    explicit Disegno(const QString &risorsa);
    ~Disegno();
    Disegno(const Disegno &) = delete;
    Disegno &operator=(const Disegno &) = delete;

    bool valido() const;
    // The picture's own size, in pixels at scale 1.
    QSize misura() const;
    void disegna(QPainter *p, const QRectF &dove) const;

    struct Dati;

private:
    std::unique_ptr<Dati> m_dati;
};

// The picture as an icon, sharp at every size a window or a menu asks for.
QIcon iconaDisegno(const QString &risorsa);

} // namespace qv
