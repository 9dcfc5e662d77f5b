#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/foto.h"
#include "registry/frmanagrafica.h"
#include "registry/frmstampaana.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

// The pictures a PDF file holds (their masks not counted); -1 without pdfimages.
int immaginiPdf(const QString &percorso)
{
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    if (pdfimages.isEmpty())
        return -1;
    QProcess p;
    p.start(pdfimages, {QStringLiteral("-list"), percorso});
    p.waitForFinished(30000);
    int n = 0;
    for (const QString &riga : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
        if (riga.simplified().section(u' ', 2, 2) == QLatin1String("image"))
            ++n;
    return n;
}

} // namespace

class TestStampaAna : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void testi_data();
    void testi();
    void stampa_data();
    void stampa();
    void annullaOStampaRifiutata();
    void senzaSchermoScheda();

private:
    DialogoStampaScheda *crea(bool anteprima, QWidget *padre);
    // The text of the PDF, or an empty text when pdftotext is missing.
    QString testoPdf(const QString &percorso);

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmAnagrafica *m_a = nullptr;
};

void TestStampaAna::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
    m_a = Schermi::di<TfrmAnagrafica>();
    m_a->txtDipendente->setText(QStringLiteral("  Rossi Mario "));
    m_a->txtStipendio->setText(QStringLiteral("1.250,00"));
    m_a->txtEmail->setText(QStringLiteral("mario@esempio.it"));
    m_a->txtPreavviso->setText(QStringLiteral("PREAVVISO30"));
}

void TestStampaAna::cleanup()
{
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

DialogoStampaScheda *TestStampaAna::crea(bool anteprima, QWidget *padre)
{
    DialogoStampaScheda *d = anteprima ? static_cast<DialogoStampaScheda *>(new TfrmAnteprimaAna(padre))
                                       : new TfrmStampaAna(padre);
    d->stampante.setOutputFormat(QPrinter::PdfFormat);
    d->stampante.setOutputFileName(m_dir->filePath(QStringLiteral("scheda.pdf")));
    return d;
}

QString TestStampaAna::testoPdf(const QString &percorso)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QString();
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

void TestStampaAna::testi_data()
{
    QTest::addColumn<bool>("anteprima");
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("opzione");
    QTest::newRow("stampa") << false << " Stampa scheda" << "Stampa" << "Stampa dati senza foto.";
    QTest::newRow("anteprima") << true << " Anteprima di stampa" << "Mostra anteprima" << "Anteprima dati senza foto.";
}

void TestStampaAna::testi()
{
    QFETCH(bool, anteprima);
    QFETCH(QString, didascalia);
    QFETCH(QString, pulsante);
    QFETCH(QString, opzione);
    std::unique_ptr<DialogoStampaScheda> d(crea(anteprima, m_a));
    QCOMPARE(d->windowTitle(), didascalia);
    QCOMPARE(d->btnStampa->text(), pulsante);
    QCOMPARE(d->optDue->text(), opzione);
    QCOMPARE(d->size(), QSize(364, 361));
    QCOMPARE(d->findChild<QLabel *>(QStringLiteral("lblIstruz04")), d->lblIstruz04);
    // "con" is chosen at start; the option buttons switch the token.
    QVERIFY(d->optUno->isChecked());
    QCOMPARE(d->lblMemory->text(), QStringLiteral("con"));
    d->optDue->click();
    QCOMPARE(d->lblMemory->text(), QStringLiteral("senza"));
    d->optUno->click();
    QCOMPARE(d->lblMemory->text(), QStringLiteral("con"));
}

void TestStampaAna::stampa_data()
{
    QTest::addColumn<bool>("anteprima");
    QTest::addColumn<bool>("senza");
    QTest::addColumn<bool>("conFoto");  // the card shows a photo, not the placeholder
    QTest::addColumn<double>("primaRiga");
    QTest::addColumn<double>("passo");
    QTest::newRow("stampa con foto") << false << false << true << 104.0 << 9.0;
    QTest::newRow("stampa con segnaposto") << false << false << false << 104.0 << 9.0;
    QTest::newRow("stampa senza foto") << false << true << true << 24.0 << 10.0;
    QTest::newRow("anteprima con foto") << true << false << true << 104.0 << 9.0;
    QTest::newRow("anteprima senza foto") << true << true << true << 24.0 << 10.0;
}

void TestStampaAna::stampa()
{
    QFETCH(bool, anteprima);
    QFETCH(bool, senza);
    QFETCH(bool, conFoto);
    QFETCH(double, primaRiga);
    QFETCH(double, passo);

    QImage foto(40, 30, QImage::Format_RGB32);
    foto.fill(Qt::red);
    if (conFoto)
        m_a->foto->imgFoto->impostaImmagine(foto);
    else
        m_a->foto->mostraSegnaposto();

    std::unique_ptr<DialogoStampaScheda> d(crea(anteprima, m_a));
    d->FormShow();
    // The placeholder of the photo box is no photo: nothing goes into the frame.
    QCOMPARE(d->imgLogo->immagine(), conFoto ? foto : QImage());
    if (senza)
        d->optDue->click();
    d->btnStampaClick();

    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(m_servizi->anteprime, anteprima ? 1 : 0);
    Report &r = senza ? d->repScheda : d->repFoto;
    QCOMPARE(r.pagine(), 1);
    QCOMPARE(r.collocazioni().constFirst().y, 0.0);
    for (int n : {1, 2, 18}) {
        const QString suffisso = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        QCOMPARE(r.oggetto(QStringLiteral("titCampo") + suffisso)->rett.top(), mm(primaRiga + passo * (n - 1)));
        QCOMPARE(r.oggetto(QStringLiteral("txtCampo") + suffisso)->rett,
                 QRectF(mm(60), mm(primaRiga + passo * (n - 1)), mm(128), mm(6)));
    }
    QCOMPARE(r.oggetto(QStringLiteral("txtCampo01"))->righe, QStringList{QStringLiteral("Rossi Mario")});
    QCOMPARE(r.oggetto(QStringLiteral("txtCampo03"))->righe, QStringList{QStringLiteral("€ 1.250,00")});
    QCOMPARE(r.oggetto(QStringLiteral("txtCampo12"))->righe, QStringList{QString()});
    QCOMPARE(r.oggetto(QStringLiteral("shpAppunti")) != nullptr, senza);
    QCOMPARE(r.oggetto(QStringLiteral("imgFoto")) != nullptr, !senza);
    if (!senza)
        QCOMPARE(r.oggetto(QStringLiteral("imgFoto"))->immagine, conFoto ? foto : QImage());
    const QString calce = r.oggetto(QStringLiteral("txtCalce"))->righe.join(QLatin1Char('\n'));
    QVERIFY2(QRegularExpression(QStringLiteral("^Stampa eseguita in data 15/03/2017 alle ore 10.30.00$"))
                 .match(calce).hasMatch(), qPrintable(calce));

    const QString pdf = d->stampante.outputFileName();
    QVERIFY(QFile::exists(pdf));
    const QString testo = testoPdf(pdf);
    if (testo.isEmpty())
        QSKIP("pdftotext is not available");
    for (const char *atteso : {"SCHEDA DATI ANAGRAFICI DIPENDENTE", "Cognome e nome:", "Rossi Mario", "€ 1.250,00",
                               "E-mail:", "mario@esempio.it", "Scadenza contratto:", "Stampa eseguita in data 15/03/2017"})
        QVERIFY2(testo.contains(QString::fromUtf8(atteso)), atteso);
    QVERIFY(!testo.contains(QStringLiteral("PREAVVISO30")));
    QCOMPARE(testo.contains(QStringLiteral("SPAZIO PER APPUNTI:")), senza);
    // The folder icon, and the photo only when the card has one.
    const int immagini = immaginiPdf(pdf);
    if (immagini >= 0)
        QCOMPARE(immagini, !senza && conFoto ? 2 : 1);
}

void TestStampaAna::annullaOStampaRifiutata()
{
    std::unique_ptr<DialogoStampaScheda> d(crea(false, m_a));
    d->btnAnnullaClick();
    QCOMPARE(d->result(), int(QDialog::Rejected));

    m_servizi->stampaConfermata(false);
    d.reset(crea(false, m_a));
    d->btnStampaClick();
    QCOMPARE(d->result(), int(QDialog::Accepted));  // closes anyway
    QVERIFY(!QFile::exists(d->stampante.outputFileName()));
}

void TestStampaAna::senzaSchermoScheda()
{
    // Without the card screen the fields are read from the opener's window by name.
    Schermi::distruggiTutti();
    QWidget finestra;
    auto *nome = new QLineEdit(QStringLiteral("Bianchi Anna"), &finestra);
    nome->setObjectName(QStringLiteral("txtDipendente"));
    std::unique_ptr<DialogoStampaScheda> d(crea(false, &finestra));
    d->FormShow();  // no photo: the blank placeholder, which prints nothing
    QCOMPARE(d->imgLogo->immagine(), d->imgBianco->immagine());
    QVERIFY(d->imgBianco->immagine().isNull());
    d->btnStampaClick();
    QCOMPARE(d->repFoto.oggetto(QStringLiteral("txtCampo01"))->righe, QStringList{QStringLiteral("Bianchi Anna")});
    QCOMPARE(d->repFoto.oggetto(QStringLiteral("txtCampo02"))->righe, QStringList{QString()});
    QCOMPARE(d->repFoto.oggetto(QStringLiteral("imgFoto"))->immagine, d->imgBianco->immagine());
}

QTEST_MAIN(TestStampaAna)
#include "tst_frmstampaana.moc"
