#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/foto.h"
#include "registry/frmwebcam.h"
#include "support/bancofoto.h"

using namespace qv;

namespace {

QImage tinta(const QColor &colore)
{
    QImage img(320, 240, QImage::Format_RGB32);
    img.fill(colore);
    return img;
}

const QString DisegnoFotocamera = QStringLiteral(":/img/foto_fotocamera.svg");
const QString DisegnoWebcam = QStringLiteral(":/img/foto_webcam.svg");

} // namespace

class TestWebCam : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void aspetto();
    void fotogrammiECattura();
    void importa_data();
    void importa();
    void chiusura_data();
    void chiusura();
    void senzaFotocamera();
    void salvaFotogramma_data();
    void salvaFotogramma();

private:
    // Opens the dialog from the card's photo box and lets `azione` drive it.
    void usa(const std::function<void(TfrmWebCam *, FotocameraProva *)> &azione);
    QImage fotoScheda() const { return m_banco.foto->imgFoto->immagine(); }

    BancoFoto m_banco;
};

// The pictures live in the screens' static library, which a test must pull in by name.
void TestWebCam::initTestCase()
{
    Q_INIT_RESOURCE(quadrivela);
}

void TestWebCam::init()
{
    m_banco.prepara();
}

void TestWebCam::cleanup()
{
    m_banco.smonta();
}

void TestWebCam::usa(const std::function<void(TfrmWebCam *, FotocameraProva *)> &azione)
{
    bool usato = false;
    m_banco.servizi->quandoDialogo([&](QDialog *d) {
        auto *w = qobject_cast<TfrmWebCam *>(d);
        if (!w)
            return -1;
        usato = true;
        // The dialog works the camera the services handed out, switched off at first.
        [&] {
            QCOMPARE(w->camCamera, static_cast<Fotocamera *>(m_banco.servizi->ultimaFotocamera));
            QVERIFY(!m_banco.servizi->ultimaFotocamera->accesa());
            azione(w, m_banco.servizi->ultimaFotocamera);
        }();
        return w->result();
    });
    m_banco.foto->btnAcquisisciFoto->clicked();
    QVERIFY(usato);
    QCOMPARE(m_banco.servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmWebCam")});
}

void TestWebCam::aspetto()
{
    usa([&](TfrmWebCam *w, FotocameraProva *) {
        QCOMPARE(w->parentWidget(), m_banco.schermo);
        QCOMPARE(w->windowTitle(), QStringLiteral(" Acquisisci foto da WebCam"));
        QCOMPARE(w->size(), QSize(807, 405));
        QVERIFY(w->maximumWidth() > 807); // a sizeable border
        QCOMPARE(w->imgCamera->immagine(), disegnoFoto(DisegnoWebcam));
        QCOMPARE(w->imgTarget->immagine(), disegnoFoto(DisegnoFotocamera));
        QVERIFY(w->imgBianco->isHidden());
        // Tab order: Accendi, Acquisisci, Salva, Spegni, Importa, then Chiudi.
        const QList<QPushButton *> ordine{w->btnAccendi, w->btnCattura, w->btnSalvaFotogramma, w->btnSpegni,
                                          w->btnImportaFoto, w->btnChiudi};
        for (qsizetype i = 0; i + 1 < ordine.size(); ++i)
            QCOMPARE(ordine[i]->nextInFocusChain(), ordine[i + 1]);
        // Each caption shows whole, inside the dialog.
        for (QPushButton *b : ordine) {
            QVERIFY2(QFontMetrics(b->font()).horizontalAdvance(b->text()) + 16 <= b->width(), qPrintable(b->text()));
            QVERIFY(QRect(QPoint(), w->size()).contains(b->geometry()));
        }
        QCOMPARE(w->btnChiudi->text(), QStringLiteral("Chiudi"));
    });
}

void TestWebCam::fotogrammiECattura()
{
    usa([&](TfrmWebCam *w, FotocameraProva *cam) {
        w->btnAccendi->click();
        QVERIFY(cam->accesa());
        cam->invia(tinta(Qt::red));
        QCOMPARE(w->imgCamera->immagine(), tinta(Qt::red));
        w->btnCattura->click();
        QCOMPARE(w->imgTarget->immagine(), tinta(Qt::red));
        // A later frame moves the live picture only; the snapshot stays frozen.
        cam->invia(tinta(Qt::blue));
        QCOMPARE(w->imgCamera->immagine(), tinta(Qt::blue));
        QCOMPARE(w->imgTarget->immagine(), tinta(Qt::red));
        w->btnSpegni->click();
        QVERIFY(!cam->accesa());
    });
    QCOMPARE(fotoScheda(), m_banco.foto->imgBianco->immagine());
}

void TestWebCam::importa_data()
{
    QTest::addColumn<bool>("cattura");
    QTest::newRow("dopo la cattura") << true;
    QTest::newRow("senza cattura") << false;
}

void TestWebCam::importa()
{
    QFETCH(bool, cattura);
    usa([&](TfrmWebCam *w, FotocameraProva *cam) {
        w->btnAccendi->click();
        cam->invia(tinta(Qt::red));
        if (cattura)
            w->btnCattura->click();
        cam->invia(tinta(Qt::blue));
        w->btnImportaFoto->click();
        QVERIFY(!cam->accesa());
        QCOMPARE(w->result(), int(QDialog::Accepted));
    });
    QCOMPARE(fotoScheda(), cattura ? tinta(Qt::red) : disegnoFoto(DisegnoFotocamera));
    // A new photo of the card, stored as JPEG when the card is saved.
    QVERIFY(m_banco.foto->cambiata());
    m_banco.foto->salva(1);
    QImageReader lettore(cartellaProgramma().foto(1));
    QCOMPARE(lettore.format(), QByteArray("jpeg"));
    QCOMPARE(lettore.read().size(), fotoScheda().size());
}

void TestWebCam::chiusura_data()
{
    QTest::addColumn<int>("modo");
    QTest::newRow("pulsante di chiusura") << 0;
    QTest::newRow("reject") << 1;
    QTest::newRow("accept") << 2;
    QTest::newRow("done") << 3;
    QTest::newRow("Chiudi") << 4;
    QTest::newRow("Esc") << 5;
}

void TestWebCam::chiusura()
{
    QFETCH(int, modo);
    const QImage prima = m_banco.foto->imgFoto->immagine();
    usa([&](TfrmWebCam *w, FotocameraProva *cam) {
        w->btnAccendi->click();
        cam->invia(tinta(Qt::red));
        w->btnCattura->click();
        QVERIFY(cam->accesa());
        switch (modo) {
        case 0:
            w->show();
            QVERIFY(w->close());
            break;
        case 1: w->reject(); break;
        case 2: w->accept(); break;
        case 3: w->done(7); break;
        case 4: w->btnChiudi->click(); break;
        default:
            w->show();
            QTest::keyClick(w->btnAccendi, Qt::Key_Escape);
            break;
        }
        QVERIFY(!cam->accesa());
        QVERIFY(w->isHidden());
    });
    // Only Importa touches the card's photo.
    QCOMPARE(fotoScheda(), prima);
    QVERIFY(!m_banco.foto->cambiata());
}

void TestWebCam::senzaFotocamera()
{
    usa([&](TfrmWebCam *w, FotocameraProva *cam) {
        cam->presente = false;
        w->btnAccendi->click();
        QVERIFY(!cam->accesa());
        cam->invia(tinta(Qt::red));
        w->btnCattura->click();
        w->btnSpegni->click();
        QCOMPARE(w->imgTarget->immagine(), disegnoFoto(DisegnoWebcam));
        w->btnImportaFoto->click();
    });
    QCOMPARE(fotoScheda(), disegnoFoto(DisegnoWebcam));
    // The dialog says there is no camera, once, and nothing else.
    QCOMPARE(m_banco.servizi->messaggi.size(), 1);
    QCOMPARE(m_banco.servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
    QVERIFY(m_banco.servizi->ultimoTesto().startsWith(QStringLiteral("Attenzione: nessuna WebCam trovata.")));
}

void TestWebCam::salvaFotogramma_data()
{
    QTest::addColumn<QString>("nome");    // typed in the dialog
    QTest::addColumn<bool>("riuscito");
    QTest::newRow("nome senza estensione") << "scatto" << true;
    QTest::newRow("cartella mancante") << "manca/scatto.jpg" << false;
}

void TestWebCam::salvaFotogramma()
{
    QFETCH(QString, nome);
    QFETCH(bool, riuscito);
    m_banco.servizi->prossimoFile(m_banco.cartella->filePath(nome));
    usa([&](TfrmWebCam *w, FotocameraProva *cam) {
        w->btnAccendi->click();
        cam->invia(tinta(Qt::red));
        w->btnCattura->click();
        w->btnSalvaFotogramma->click();
        // A failed write puts the webcam drawing in place of the snapshot.
        QCOMPARE(w->imgTarget->immagine(), riuscito ? tinta(Qt::red) : w->imgBianco->immagine());
        QCOMPARE(w->imgBianco->immagine(), disegnoFoto(DisegnoWebcam));
        QVERIFY(cam->accesa());
    });
    QCOMPARE(m_banco.servizi->titoliFile,
             QStringList{QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.")});
    QCOMPARE(m_banco.servizi->filtriFile.constFirst(), QStringList{QStringLiteral("File Jpeg (*.jpg)")});
    QCOMPARE(m_banco.servizi->nomiIniziali, QStringList{QStringLiteral("Foto.jpg")});
    QVERIFY(m_banco.servizi->messaggi.isEmpty());
    if (riuscito) {
        QImageReader lettore(m_banco.cartella->filePath(QStringLiteral("scatto.jpg")));
        QCOMPARE(lettore.format(), QByteArray("jpeg"));
        QCOMPARE(lettore.read().size(), QSize(320, 240));
    }
}

QTEST_MAIN(TestWebCam)
#include "tst_frmwebcam.moc"
