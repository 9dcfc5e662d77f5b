#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/foto.h"
#include "registry/frmzoom.h"
#include "support/bancofoto.h"

using namespace qv;

namespace {

const QString TitoloApri = QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap.");
const QString TitoloSalva = QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.");

QImage tinta(const QColor &colore, const QSize &dimensioni = QSize(80, 60))
{
    QImage img(dimensioni, QImage::Format_RGB32);
    img.fill(colore);
    return img;
}

// JPEG changes the pixels a little: the colour in the middle tells the pictures apart.
bool somiglia(const QImage &img, const QColor &colore)
{
    if (img.isNull())
        return false;
    const QColor c = img.pixelColor(img.width() / 2, img.height() / 2);
    return qAbs(c.red() - colore.red()) < 24 && qAbs(c.green() - colore.green()) < 24
        && qAbs(c.blue() - colore.blue()) < 24;
}

// A JPEG as a camera writes it: high quality and a comment, so that encoding
// its picture again never gives the same bytes.
QByteArray jpegDiProva(const QColor &colore)
{
    QImage img(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixelColor(x, y, colore.darker(100 + (x * 7 + y * 3) % 10));
    QByteArray byte;
    QBuffer buffer(&byte);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter scrittore(&buffer, "jpeg");
    scrittore.setQuality(97);
    scrittore.setText(QStringLiteral("Description"), QStringLiteral("Ritratto"));
    scrittore.write(img);
    return byte;
}

QByteArray leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void scrivi(const QString &percorso, const QByteArray &byte)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(byte), byte.size());
}

} // namespace

class TestFoto : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void segnapostoEPulsanti();
    void caricaDaFile_data();
    void caricaDaFile();
    void salvaConDialogo_data();
    void salvaConDialogo();
    void fotoDellaScheda();
    void byteConservati_data();
    void byteConservati();
    void senzaFoto_data();
    void senzaFoto();
    void scritturaFallita();
    void zoom_data();
    void zoom();

private:
    QString percorso(const QString &nome) const { return m_banco.cartella->filePath(nome); }
    QImage foto() const { return m_banco.foto->imgFoto->immagine(); }
    QImage segnaposto() const { return m_banco.foto->imgBianco->immagine(); }

    BancoFoto m_banco;
};

// The pictures live in the screens' static library, which a test must pull in by name.
void TestFoto::initTestCase()
{
    Q_INIT_RESOURCE(quadrivela);
}

void TestFoto::init()
{
    m_banco.prepara();
}

void TestFoto::cleanup()
{
    m_banco.smonta();
}

void TestFoto::segnapostoEPulsanti()
{
    // The box opens on the placeholder, rendered once to the size of the box.
    QCOMPARE(segnaposto().size(), QSize(366, 274));
    QCOMPARE(foto(), segnaposto());
    QVERIFY(m_banco.foto->imgBianco->isHidden());
    QCOMPARE(m_banco.foto->imgFoto->geometry(), QRect(28, 92, 366, 274));
    QCOMPARE(disegnoFoto(QStringLiteral(":/img/segnaposto.svg")), segnaposto());
    // Not a blank bitmap: the drawing is really there.
    QVERIFY(segnaposto().pixelColor(183, 137) != segnaposto().pixelColor(2, 2));

    // Each button carries its hint; every other control none.
    QCOMPARE(m_banco.foto->suggerimento(m_banco.foto->btnCaricaFoto), QStringLiteral("Carica una foto esistente."));
    QCOMPARE(m_banco.foto->suggerimento(m_banco.foto->btnZoomFoto),
             QStringLiteral("Visualizza la foto nelle sue dimensioni reali."));
    QCOMPARE(m_banco.foto->suggerimento(m_banco.foto->imgFoto), QString());
    QCOMPARE(m_banco.foto->suggerimento(nullptr), QString());
    // Buttons lie over the frame and the picture, so they can be clicked.
    for (Figura *b : {m_banco.foto->btnZoomFoto, m_banco.foto->btnCancFoto}) {
        QCOMPARE(b->parentWidget()->childAt(b->geometry().center()), b);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }

    m_banco.foto->imgFoto->impostaImmagine(tinta(Qt::red));
    m_banco.foto->btnCancFoto->clicked();
    QCOMPARE(foto(), segnaposto());
}

void TestFoto::caricaDaFile_data()
{
    QTest::addColumn<QString>("nome");      // the file chosen; empty: the dialog cancelled
    QTest::addColumn<QString>("contenuto"); // "JPG" or "BMP" image, "rotto", or "" for no file
    QTest::addColumn<QString>("atteso");    // "foto", "segnaposto" or "invariata"
    QTest::newRow("jpeg") << "ritratto.jpg" << "JPG" << "foto";
    QTest::newRow("bitmap") << "ritratto.bmp" << "BMP" << "foto";
    QTest::newRow("bitmap chiamata .jpg") << "ritratto.jpg" << "BMP" << "foto";
    QTest::newRow("file illeggibile") << "rotta.jpg" << "rotto" << "segnaposto";
    QTest::newRow("file mancante") << "mancante.jpg" << "" << "segnaposto";
    QTest::newRow("annullato") << "" << "" << "invariata";
}

void TestFoto::caricaDaFile()
{
    QFETCH(QString, nome);
    QFETCH(QString, contenuto);
    QFETCH(QString, atteso);
    if (contenuto == QLatin1String("rotto")) {
        QFile f(percorso(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8 non una foto");
    } else if (!contenuto.isEmpty()) {
        QVERIFY(tinta(Qt::red).save(percorso(nome), contenuto.toLatin1().constData()));
    }
    if (!nome.isEmpty())
        m_banco.servizi->prossimoFile(percorso(nome));
    const QImage prima = tinta(Qt::green, QSize(30, 20));
    m_banco.foto->imgFoto->impostaImmagine(prima);

    m_banco.foto->btnCaricaFoto->clicked();

    QCOMPARE(m_banco.servizi->titoliFile, QStringList{TitoloApri});
    QCOMPARE(m_banco.servizi->filtriFile.constFirst(),
             (QStringList{QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")}));
    if (atteso == QLatin1String("foto")) {
        QCOMPARE(foto().size(), QSize(80, 60));
        QVERIFY(somiglia(foto(), Qt::red));
    } else if (atteso == QLatin1String("segnaposto")) {
        QCOMPARE(foto(), segnaposto());
    } else {
        QCOMPARE(foto(), prima);
    }
    QVERIFY(m_banco.servizi->messaggi.isEmpty());
}

void TestFoto::salvaConDialogo_data()
{
    QTest::addColumn<QString>("nome");   // typed in the dialog; empty: cancelled
    QTest::addColumn<QString>("scritto"); // the file expected; empty: none
    QTest::newRow("nome senza estensione") << "ritratto" << "ritratto.jpg";
    QTest::newRow("nome con estensione") << "ritratto.jpg" << "ritratto.jpg";
    QTest::newRow("annullato") << QString() << QString();
    QTest::newRow("cartella mancante") << "manca/ritratto.jpg" << QString();
}

void TestFoto::salvaConDialogo()
{
    QFETCH(QString, nome);
    QFETCH(QString, scritto);
    if (!nome.isEmpty())
        m_banco.servizi->prossimoFile(percorso(nome));
    m_banco.foto->imgFoto->impostaImmagine(tinta(Qt::blue));

    m_banco.foto->btnSalvaFoto->clicked();

    QCOMPARE(m_banco.servizi->titoliFile, QStringList{TitoloSalva});
    QCOMPARE(m_banco.servizi->filtriFile.constFirst(), QStringList{QStringLiteral("File Jpeg (*.jpg)")});
    QCOMPARE(m_banco.servizi->nomiIniziali, QStringList{QStringLiteral("Foto.jpg")});
    QVERIFY(m_banco.servizi->messaggi.isEmpty());
    if (!scritto.isEmpty()) {
        QImageReader lettore(percorso(scritto));
        QCOMPARE(lettore.format(), QByteArray("jpeg"));
        QVERIFY(somiglia(lettore.read(), Qt::blue));
        QVERIFY(somiglia(foto(), Qt::blue));
    } else if (nome.isEmpty()) {
        QCOMPARE(QDir(m_banco.cartella->path()).entryList(QDir::Files), QStringList());
        QVERIFY(somiglia(foto(), Qt::blue));
    } else {
        // A failed write shows the placeholder and says nothing.
        QCOMPARE(foto(), segnaposto());
    }
}

void TestFoto::fotoDellaScheda()
{
    // No photo for card 3: the placeholder, and saving writes no file for it.
    m_banco.foto->imgFoto->impostaImmagine(tinta(Qt::red));
    m_banco.foto->carica(3);
    QCOMPARE(foto(), segnaposto());
    QCOMPARE(m_banco.foto->foto(), QImage());
    m_banco.foto->salva(3);
    QVERIFY(!QFile::exists(cartellaProgramma().foto(3)));

    // A photo written for card 4 comes back when the card is loaded again.
    m_banco.foto->imgFoto->impostaImmagine(tinta(Qt::red));
    m_banco.foto->salva(4);
    m_banco.foto->mostraSegnaposto();
    m_banco.foto->carica(4);
    QVERIFY(somiglia(foto(), Qt::red));
    QCOMPARE(m_banco.foto->foto(), foto());
    QCOMPARE(QDir(m_banco.cartella->path()).entryList(QDir::Files), QStringList{"4.jpg"});
}

// What a save stores as the card's photo file: the bytes of a JPEG file as
// they are (the user's file, or the card's own file when the photo did not
// change), any other picture encoded as JPEG. "Salva foto su disco" writes
// the same bytes.
void TestFoto::byteConservati_data()
{
    QTest::addColumn<QString>("origine");  // how the photo got into the box
    QTest::addColumn<bool>("cambiata");    // a change from the card's stored photo
    QTest::addColumn<bool>("identica");    // the fixture's bytes stored as they are; else a JPEG of red
    QTest::newRow("jpeg scelto") << "ritratto.jpg" << true << true;
    QTest::newRow("jpeg chiamato .bmp") << "ritratto.bmp" << true << true;
    QTest::newRow("foto della scheda, ricaricata") << "1.jpg" << false << true;
    QTest::newRow("bitmap scelta") << "bitmap.bmp" << true << false;
    QTest::newRow("foto della webcam") << "webcam" << true << false;
}

void TestFoto::byteConservati()
{
    QFETCH(QString, origine);
    QFETCH(bool, cambiata);
    QFETCH(bool, identica);
    const QByteArray originale = jpegDiProva(Qt::red);
    FotoScheda *f = m_banco.foto;
    if (origine == QLatin1String("1.jpg")) {
        scrivi(cartellaProgramma().foto(1), originale);
        f->carica(1);
    } else if (origine == QLatin1String("webcam")) {
        f->imgFoto->impostaImmagine(tinta(Qt::red, QSize(160, 120)));
    } else {
        if (origine.startsWith(QLatin1String("bitmap")))
            QVERIFY(tinta(Qt::red, QSize(160, 120)).save(percorso(origine), "BMP"));
        else
            scrivi(percorso(origine), originale);
        m_banco.servizi->prossimoFile(percorso(origine));
        f->btnCaricaFoto->clicked();
    }
    QVERIFY(somiglia(foto(), Qt::red));
    QCOMPARE(f->cambiata(), cambiata);

    f->salva(1);
    QVERIFY(!f->cambiata());
    const QByteArray scritta = leggi(cartellaProgramma().foto(1));
    if (identica) {
        QCOMPARE(scritta.size(), originale.size());
        QVERIFY(scritta == originale);
    } else {
        QVERIFY(scritta != originale);
        QBuffer buffer(const_cast<QByteArray *>(&scritta));
        QImageReader lettore(&buffer);
        QCOMPARE(lettore.format(), QByteArray("jpeg"));
        QVERIFY(somiglia(lettore.read(), Qt::red));
    }
    // Saved again unchanged, or at another position (its archive made again): the same bytes.
    f->salva(1);
    f->salva(2);
    QCOMPARE(leggi(cartellaProgramma().foto(1)), scritta);
    QCOMPARE(leggi(cartellaProgramma().foto(2)), scritta);
    // Loaded again and saved: still the same bytes.
    f->carica(1);
    f->salva(1);
    QCOMPARE(leggi(cartellaProgramma().foto(1)), scritta);

    m_banco.servizi->prossimoFile(percorso(QStringLiteral("copia.jpg")));
    f->btnSalvaFoto->clicked();
    QCOMPARE(leggi(percorso(QStringLiteral("copia.jpg"))), scritta);
}

// The placeholder is never a photo: no file is written for it, a photo the
// user cleared has its file removed, and a file the user did not touch stays
// as it is, even one that cannot be shown.
void TestFoto::senzaFoto_data()
{
    QTest::addColumn<QString>("file");    // the card's photo file before: "", "foto" or "rotta"
    QTest::addColumn<QString>("azione");  // what happens on the screen
    QTest::addColumn<bool>("cambiata");
    QTest::addColumn<QString>("dopo");    // the file after the save
    QTest::newRow("scheda nuova") << "" << "nuova" << false << "";
    QTest::newRow("scheda nuova, foto rimasta di un'altra") << "foto" << "nuova" << false << "";
    QTest::newRow("scheda senza foto") << "" << "carica" << false << "";
    QTest::newRow("foto illeggibile") << "rotta" << "carica" << false << "rotta";
    QTest::newRow("foto illeggibile, cancellata") << "rotta" << "cancella" << false << "rotta";
    QTest::newRow("foto cancellata") << "foto" << "cancella" << true << "";
    QTest::newRow("scheda senza foto, cancellata") << "" << "cancella" << false << "";
    QTest::newRow("scelto un file illeggibile") << "foto" << "file illeggibile" << false << "foto";
    QTest::newRow("cancellata, poi un file illeggibile") << "foto" << "cancella e file illeggibile" << false << "foto";
}

void TestFoto::senzaFoto()
{
    QFETCH(QString, file);
    QFETCH(QString, azione);
    QFETCH(bool, cambiata);
    QFETCH(QString, dopo);
    const QByteArray contenuti[] = {QByteArray(), jpegDiProva(Qt::blue), QByteArray("\xFF\xD8 non una foto")};
    const auto contenuto = [&](const QString &nome) {
        return contenuti[nome == QLatin1String("foto") ? 1 : nome == QLatin1String("rotta") ? 2 : 0];
    };
    const QString mia = cartellaProgramma().foto(3);
    if (!file.isEmpty())
        scrivi(mia, contenuto(file));
    scrivi(percorso(QStringLiteral("rotta.jpg")), contenuti[2]);
    FotoScheda *f = m_banco.foto;

    if (azione == QLatin1String("nuova")) {
        f->carica(3);
        f->nuova();
    } else {
        f->carica(3);
        if (azione.startsWith(QLatin1String("cancella")))
            f->btnCancFoto->clicked();
        if (azione.endsWith(QLatin1String("file illeggibile"))) {
            m_banco.servizi->prossimoFile(percorso(QStringLiteral("rotta.jpg")));
            f->btnCaricaFoto->clicked();
        }
    }
    QCOMPARE(foto(), segnaposto());
    QCOMPARE(f->foto(), QImage());
    QCOMPARE(f->cambiata(), cambiata);

    f->salva(3);
    QCOMPARE(QFile::exists(mia), !dopo.isEmpty());
    if (!dopo.isEmpty())
        QCOMPARE(leggi(mia), contenuto(dopo));
    QVERIFY(!f->cambiata());
    QVERIFY(m_banco.servizi->messaggi.isEmpty());
}

void TestFoto::scritturaFallita()
{
    QVERIFY(tinta(Qt::red).save(cartellaProgramma().foto(1), "JPG"));

    // A bitmap too wide for JPEG cannot be encoded: the old photo stays whole.
    m_banco.foto->imgFoto->impostaImmagine(tinta(Qt::blue, QSize(70000, 2)));
    m_banco.foto->salva(1);
    QCOMPARE(foto(), segnaposto());
    QVERIFY(somiglia(QImage(cartellaProgramma().foto(1)), Qt::red));
    QCOMPARE(QDir(m_banco.cartella->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"1.jpg"});

    // The program folder is gone: the placeholder, no message.
    m_banco.foto->imgFoto->impostaImmagine(tinta(Qt::blue));
    impostaCartellaProgramma(m_banco.cartella->filePath(QStringLiteral("manca")));
    m_banco.foto->salva(2);
    QCOMPARE(foto(), segnaposto());
    QVERIFY(m_banco.servizi->messaggi.isEmpty());
}

void TestFoto::zoom_data()
{
    QTest::addColumn<bool>("sullaFoto");
    QTest::newRow("clic sulla foto") << true;
    QTest::newRow("clic sul pannello") << false;
}

void TestFoto::zoom()
{
    QFETCH(bool, sullaFoto);
    const QImage foto = tinta(Qt::darkCyan, QSize(640, 480));
    m_banco.foto->imgFoto->impostaImmagine(foto);
    bool visto = false;
    m_banco.servizi->quandoDialogo([&](QDialog *d) {
        auto *z = qobject_cast<TfrmZoom *>(d);
        if (!z)
            return -1;
        visto = true;
        [&] {
            QCOMPARE(z->parentWidget(), m_banco.schermo);
            QVERIFY(z->windowState() & Qt::WindowMaximized);
            QCOMPARE(z->windowTitle(), QStringLiteral(" Fare clic sulla foto per chiudere questa finestra"));
            QCOMPARE(z->imgFoto->immagine(), foto);
            QCOMPARE(z->imgFoto->size(), QSize(969, 669));
            QCOMPARE(z->panContainer->size(), QSize(995, 692));
            // A right click does not close it; a left click does.
            QTest::mouseClick(z->imgFoto, Qt::RightButton);
            QCOMPARE(z->result(), int(QDialog::Rejected));
            QSignalSpy chiuso(z, &QDialog::finished);
            if (sullaFoto)
                QTest::mouseClick(z->imgFoto, Qt::LeftButton);
            else
                QTest::mouseClick(z->panContainer, Qt::LeftButton, {}, QPoint(4, 4));
            QCOMPARE(chiuso.size(), 1);
        }();
        return z->result();
    });
    m_banco.foto->btnZoomFoto->clicked();
    QVERIFY(visto);
    QCOMPARE(m_banco.servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmZoom")});
    QCOMPARE(m_banco.foto->imgFoto->immagine(), foto);
}

QTEST_MAIN(TestFoto)
#include "tst_foto.moc"
