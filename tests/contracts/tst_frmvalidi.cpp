#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "contracts/frmvalidi.h"
#include "support/contrattiprova.h"

#include <algorithm>
#include <memory>
#include <numeric>

using namespace qv;
using namespace qv::prova;

class TestValidi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void regola_data();
    void regola();
    void righe();
    void ognunoInUnaSola();
    void schedaIlleggibile();
    void archivioMancante();
    void sceltaSchedeUguali();
    void ordineTabulazione();
    void stampa();

private:
    QString anno() const { return cartellaProgramma().archivioContratti(2017); }
    std::unique_ptr<TfrmElencoContratti> apri(bool rescissi);
    // The card positions each list shows, in the order shown.
    QList<int> posizioni(bool rescissi);

    ServiziPdf *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    SchermoContrattiProva *m_contratti = nullptr;
};

void TestValidi::init()
{
    m_dir = new QTemporaryDir;
    m_servizi = new ServiziPdf(m_dir->filePath(QStringLiteral("stampa.pdf")));
    impostaCartellaProgramma(m_dir->path());
    m_contratti = new SchermoContrattiProva(anno());
}

void TestValidi::cleanup()
{
    delete m_contratti;
    delete m_servizi;
    delete m_dir;
}

std::unique_ptr<TfrmElencoContratti> TestValidi::apri(bool rescissi)
{
    std::unique_ptr<TfrmElencoContratti> w(rescissi ? static_cast<TfrmElencoContratti *>(new TfrmRescissi(m_contratti))
                                                    : new TfrmValidi(m_contratti));
    w->show();
    return w;
}

QList<int> TestValidi::posizioni(bool rescissi)
{
    auto w = apri(rescissi);
    QList<int> out;
    for (int i = 0; i < w->lstRecords->count(); ++i)
        out.append(w->posizioneVoce(i));
    return out;
}

void TestValidi::regola_data()
{
    QTest::addColumn<QString>("rescisso");
    QTest::addColumn<QString>("inizio");
    QTest::addColumn<QString>("fine");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<bool>("scaduto");
    // Today is 15/03/2017.
    QTest::newRow("scade oggi") << "No" << "01/01/2017" << "15/03/2017" << true << false;
    QTest::newRow("scaduto ieri") << "No" << "01/01/2017" << "14/03/2017" << false << true;
    QTest::newRow("scade domani") << "No" << "01/01/2017" << "16/03/2017" << true << false;
    QTest::newRow("inizia in futuro") << "No" << "01/01/2018" << "31/12/2018" << true << false;
    QTest::newRow("rescisso, fine lontana") << "Sì" << "01/01/2017" << "31/12/2030" << false << true;
    QTest::newRow("rescisso, fine illeggibile") << "Sì" << "01/01/2017" << "" << false << true;
    QTest::newRow("flag ignoto, scaduto") << "Forse" << "01/01/2016" << "01/01/2017" << false << true;
    QTest::newRow("flag vuoto, in corso") << "" << "01/01/2017" << "15/03/2018" << false << false;
}

void TestValidi::regola()
{
    QFETCH(QString, rescisso);
    QFETCH(QString, inizio);
    QFETCH(QString, fine);
    QFETCH(bool, valido);
    QFETCH(bool, scaduto);
    archiviaContratti(anno(), {contratto("ROSSI MARIO", "01/01/2017", inizio, fine, rescisso)});
    QCOMPARE(posizioni(false), valido ? QList<int>{1} : QList<int>{});
    QCOMPARE(posizioni(true), scaduto ? QList<int>{1} : QList<int>{});
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestValidi::righe()
{
    // The valid list shows the instalment, the other the whole reason; the
    // name is 30 characters wide on the first, 28 on the second.
    TSchedaContratto v = contratto("COGNOMEMOLTOLUNGO NOMEALTRETTANTOLUNGO", "02/01/2017", "02/01/2017", "31/12/2017");
    TSchedaContratto r = v;
    r.Rescisso = QStringLiteral("Sì");
    r.Motivo = QStringLiteral("Recesso anticipato del collaboratore per motivi personali e familiari documentati");
    archiviaContratti(anno(), {v, r});
    QCOMPARE(apri(false)->righe(), QStringList{QStringLiteral(
        "Data stipula: 02/01/2017  COGNOMEMOLTOLUNGO NOMEALTRETTA  C.F. RSSMRA70A01H501U  Tel. 06 1234567    "
        "  Da: 02/01/2017  A: 31/12/2017  Rata: € 1.250,00")});
    QCOMPARE(apri(true)->righe(), QStringList{QStringLiteral(
        "Stipula: 02/01/2017  COGNOMEMOLTOLUNGO NOMEALTRET  C.F. RSSMRA70A01H501U  Tel. 06 1234567    "
        "  Da: 02/01/2017  A: 31/12/2017  ") + r.Motivo});
}

void TestValidi::ognunoInUnaSola()
{
    // Cards flagged "Sì" or "No" around today: each in exactly one list, both in file order.
    QList<TSchedaContratto> schede;
    const QDate oggi(2017, 3, 15);
    for (int i = 0; i < 24; ++i) {
        const QString fine = oggi.addDays((i * 7) % 11 - 5).toString(QStringLiteral("dd/MM/yyyy"));
        schede.append(contratto(QStringLiteral("NOME %1").arg(25 - i), "01/01/2017", "01/01/2017", fine,
                                i % 3 == 0 ? QStringLiteral("Sì") : QStringLiteral("No")));
    }
    archiviaContratti(anno(), schede);
    const QList<int> validi = posizioni(false), scaduti = posizioni(true);
    QVERIFY(!validi.isEmpty() && !scaduti.isEmpty());
    QVERIFY(std::is_sorted(validi.begin(), validi.end()));
    QVERIFY(std::is_sorted(scaduti.begin(), scaduti.end()));
    QList<int> tutte = validi + scaduti;
    std::sort(tutte.begin(), tutte.end());
    QList<int> attese(24);
    std::iota(attese.begin(), attese.end(), 1);
    QCOMPARE(tutte, attese);
}

void TestValidi::schedaIlleggibile()
{
    // A card whose end date cannot be read is passed over; the cards after it are still listed.
    archiviaContratti(anno(), {contratto("PRIMO", "01/01/2017", "01/01/2017", "01/01/2018"),
                               contratto("SECONDO", "01/01/2017", "01/01/2017", "01/01/2016"),
                               contratto("GUASTO", "01/01/2017", "01/01/2017", "31/02/2017"),
                               contratto("VUOTO", "01/01/2017", "01/01/2017", ""),
                               contratto("TERZO", "01/01/2017", "01/01/2017", "01/01/2019"),
                               contratto("QUARTO", "01/01/2017", "01/01/2017", "01/01/2015")});
    QCOMPARE(posizioni(false), (QList<int>{1, 5}));
    QCOMPARE(posizioni(true), (QList<int>{2, 6}));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestValidi::archivioMancante()
{
    for (bool rescissi : {false, true}) {
        QFile::remove(anno());
        auto w = apri(rescissi);
        QCOMPARE(w->lstRecords->count(), 0);
        QVERIFY(QFileInfo(anno()).isFile());
        QCOMPARE(QFileInfo(anno()).size(), 0);
        QVERIFY(w->txtTrova->hasFocus() || !QApplication::activeWindow());
    }
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestValidi::sceltaSchedeUguali()
{
    // Cards 1 and 3 give the same line on either list; only their town differs.
    for (bool rescissi : {false, true}) {
        QFile::remove(anno());
        TSchedaContratto a = contratto("NERI PAOLO", "01/03/2017", "01/03/2017", rescissi ? "01/03/2017" : "01/03/2018");
        TSchedaContratto b = a;
        a.Citta = QStringLiteral("Roma");
        b.Citta = QStringLiteral("Milano");
        archiviaContratti(anno(), {a, contratto("ALFA ADA", "05/03/2017", "05/03/2017", "01/03/2018", "Sì"), b});
        for (int attesa : {1, 3}) {
            auto w = apri(rescissi);
            QCOMPARE(w->lstRecords->count(), rescissi ? 3 : 2);
            QCOMPARE(w->righe().at(0), w->righe().constLast());
            const int riga = w->posizioneVoce(0) == attesa ? 0 : w->lstRecords->count() - 1;
            w->lstRecords->setCurrentRow(riga);
            emit w->lstRecords->doppioClic();
            QCOMPARE(m_contratti->testo("lblPosizione"), QString::number(attesa));
            QCOMPARE(m_contratti->testo("txtCitta"), attesa == 1 ? QStringLiteral("Roma") : QStringLiteral("Milano"));
            QVERIFY(!w->isVisible());
            QCOMPARE(w->lstRecords->count(), 0);
        }
    }
    // A double click without a selected line closes the list and loads nothing.
    m_contratti->findChild<QLabel *>("lblPosizione")->clear();
    auto w = apri(false);
    emit w->lstRecords->doppioClic();
    QVERIFY(!w->isVisible());
    QVERIFY(m_contratti->testo("lblPosizione").isEmpty());
}

void TestValidi::ordineTabulazione()
{
    archiviaContratti(anno(), {contratto("ROSSI MARIO", "01/03/2017", "01/03/2017", "01/03/2018")});
    auto w = apri(false);
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(w->txtTrova->hasFocus());
    for (const char *nome : {"lstRecords", "btnStampa", "btnTrova", "btnChiudi", "txtTrova"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(nome));
    }
    QCOMPARE(w->lblRigo03->text(), QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."));
    QCOMPARE(w->findChild<QLabel *>("lblRigo01"), w->lblRigo01);
    QCOMPARE(w->lblRigo03->palette().color(QPalette::WindowText), QColor(0xDC, 0x14, 0x3C));
}

void TestValidi::stampa()
{
    if (!ServiziPdf::pdftotext())
        QSKIP("pdftotext is not installed: the printed list is not read back.");
    archiviaContratti(anno(), {contratto("ROSSI MARIO", "01/03/2017", "01/03/2017", "01/03/2018")});
    const struct { bool rescissi; const char *caption, *titolo; int righe; } attese[] = {
        {false, " Riepilogo contratti in corso di validità", "Riepilogo contratti in corso di validità", 1},
        {true, " Riepilogo contratti scaduti o rescissi", "Riepilogo contratti scaduti o rescissi", 0},
    };
    for (const auto &a : attese) {
        auto w = apri(a.rescissi);
        QCOMPARE(w->windowTitle(), QString::fromUtf8(a.caption));
        QCOMPARE(w->lstRecords->count(), a.righe);
        QTest::mouseClick(w->btnStampa, Qt::LeftButton); // at once, also for an empty list
        QStringList attese{QString::fromUtf8(a.titolo)};
        if (a.righe == 1)
            attese.append(QStringLiteral("Data stipula: 01/03/2017 ROSSI MARIO C.F. RSSMRA70A01H501U Tel. 06 1234567 "
                                         "Da: 01/03/2017 A: 01/03/2018 Rata: € 1.250,00"));
        attese.append(QStringLiteral("Stampa eseguita in data 15/03/2017"));
        QCOMPARE(m_servizi->righeStampate(), attese);
    }
    QCOMPARE(m_servizi->stampe, 2);
    QVERIFY(m_servizi->messaggi.isEmpty());
}

QTEST_MAIN(TestValidi)
#include "tst_frmvalidi.moc"
