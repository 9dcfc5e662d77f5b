// Renders the program's vector pictures into bitmaps, for a build that has no
// vector renderer at run time: rasterizza <pictures.qrc> <folder>.
// Each "img/<name>.svg" of the resource list becomes "<folder>/img/<name>.png"
// at three times its own size (sharp at every screen scale up to 3); the program's icon also becomes "<folder>/quadrivela.ico"
// with the sizes Windows asks for, and "<folder>/quadrivela.rc" names it.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int kScala = 3;

QImage rendi(QSvgRenderer &svg, QSize misura)
{
    QImage img(misura, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&p, QRectF(img.rect()));
    p.end();
    return img;
}

bool scrivi(const QString &percorso, const QByteArray &dati)
{
    QSaveFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size() && f.commit();
}

void lit16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xff)).append(char(v >> 8));
}

void lit32(QByteArray &b, quint32 v)
{
    lit16(b, quint16(v & 0xffff));
    lit16(b, quint16(v >> 16));
}

// An icon file whose images are PNG streams, which every Windows since Vista reads.
QByteArray icona(QSvgRenderer &svg)
{
    const QList<int> lati{16, 20, 24, 32, 40, 48, 64, 256};
    QList<QByteArray> png;
    for (int lato : lati) {
        QByteArray dati;
        QBuffer buf(&dati);
        buf.open(QIODevice::WriteOnly);
        rendi(svg, QSize(lato, lato)).convertToFormat(QImage::Format_ARGB32).save(&buf, "PNG");
        png.append(dati);
    }
    QByteArray out;
    lit16(out, 0);
    lit16(out, 1);
    lit16(out, quint16(lati.size()));
    quint32 posizione = 6 + 16 * quint32(lati.size());
    for (qsizetype i = 0; i < lati.size(); ++i) {
        const int lato = lati[i] >= 256 ? 0 : lati[i];
        out.append(char(lato)).append(char(lato)).append(char(0)).append(char(0));
        lit16(out, 1);
        lit16(out, 32);
        lit32(out, quint32(png[i].size()));
        lit32(out, posizione);
        posizione += quint32(png[i].size());
    }
    for (const QByteArray &p : png)
        out.append(p);
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: rasterizza <quadrivela.qrc> <cartella>\n");
        return 2;
    }
    QFile elenco(QString::fromLocal8Bit(argv[1]));
    if (!elenco.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rasterizza: elenco non leggibile: %s\n", argv[1]);
        return 1;
    }
    const QString base = QFileInfo(elenco.fileName()).absolutePath();
    const QDir uscita(QString::fromLocal8Bit(argv[2]));
    if (!uscita.mkpath(QStringLiteral("img"))) {
        std::fprintf(stderr, "rasterizza: impossibile creare %s\n", argv[2]);
        return 1;
    }
    static const QRegularExpression voce(QStringLiteral("<file>(img/[^<]+)\\.svg</file>"));
    for (auto m = voce.globalMatch(QString::fromUtf8(elenco.readAll())); m.hasNext();) {
        const QString nome = m.next().captured(1);
        QSvgRenderer svg(base + QLatin1Char('/') + nome + QStringLiteral(".svg"));
        if (!svg.isValid()) {
            std::fprintf(stderr, "rasterizza: disegno non leggibile: %s.svg\n", qPrintable(nome));
            return 1;
        }
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        rendi(svg, svg.defaultSize() * kScala).save(&buf, "PNG");
        if (!scrivi(uscita.filePath(nome + QStringLiteral(".png")), png)) {
            std::fprintf(stderr, "rasterizza: impossibile scrivere %s.png\n", qPrintable(nome));
            return 1;
        }
        if (nome == QLatin1String("img/applicazione")) {
            const QString ico = uscita.filePath(QStringLiteral("quadrivela.ico"));
            const QByteArray rc = "IDI_ICON1 ICON \"" + ico.toUtf8() + "\"\n";
            if (!scrivi(ico, icona(svg)) || !scrivi(uscita.filePath(QStringLiteral("quadrivela.rc")), rc)) {
                std::fprintf(stderr, "rasterizza: impossibile scrivere l'icona del programma\n");
                return 1;
            }
        }
    }
    return 0;
}
