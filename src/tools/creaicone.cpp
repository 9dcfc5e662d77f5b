// Renders the program's icon, drawn once as a picture of its own, into the
// sizes the desktop's icon themes look for, and copies the drawing itself for
// the scalable size: creaicone <drawing.svg> <folder>.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: creaicone <disegno.svg> <cartella>\n");
        return 2;
    }
    QSvgRenderer disegno(QString::fromLocal8Bit(argv[1]));
    if (!disegno.isValid()) {
        std::fprintf(stderr, "creaicone: disegno non leggibile: %s\n", argv[1]);
        return 1;
    }
    const QDir cartella(QString::fromLocal8Bit(argv[2]));
    if (!cartella.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "creaicone: impossibile creare %s\n", argv[2]);
        return 1;
    }
    for (int lato : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage icona(lato, lato, QImage::Format_ARGB32_Premultiplied);
        icona.fill(Qt::transparent);
        QPainter p(&icona);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        disegno.render(&p, QRectF(0, 0, lato, lato));
        p.end();
        QSaveFile f(cartella.filePath(QStringLiteral("quadrivela-%1.png").arg(lato)));
        if (!f.open(QIODevice::WriteOnly) || !icona.save(&f, "PNG") || !f.commit()) {
            std::fprintf(stderr, "creaicone: impossibile scrivere l'icona di %d pixel\n", lato);
            return 1;
        }
    }
    QFile sorgente(QString::fromLocal8Bit(argv[1]));
    QSaveFile copia(cartella.filePath(QStringLiteral("quadrivela.svg")));
    if (!sorgente.open(QIODevice::ReadOnly) || !copia.open(QIODevice::WriteOnly)
        || copia.write(sorgente.readAll()) < 0 || !copia.commit()) {
        std::fprintf(stderr, "creaicone: impossibile copiare il disegno\n");
        return 1;
    }
    return 0;
}
