#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "contracts/frmexpcontratti.h"
#include "contracts/frmtrovacontratti.h"
#include "contracts/frmvalidi.h"
#include "support/contrattiprova.h"

#include <memory>

using namespace qv;
using namespace qv::prova;

class TestTrovaContratti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void cerca_data();
    void cerca();
    void riga();
    void archivioMancante();
    void archivioInaccessibile();
    void invioESegni();
    void sceltaSchedeUguali();
    void sceltaSenzaToken();
    void stampa();
    void senzaAnno();
    void dalloSchermoContratti();

private:
    QString anno() const { return cartellaProgramma().archivioContratti(2017); }
    // The search opened by the stand-in contract screen, with the state token.
    std::unique_ptr<TfrmTrovaContratti> apri(const QString &token = QStringLiteral("contratti"));
    void cinqueContratti();

    ServiziPdf *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    SchermoContrattiProva *m_contratti = nullptr;
};

void TestTrovaContratti::init()
{
    m_dir = new QTemporaryDir;
    m_servizi = new ServiziPdf(m_dir->filePath(QStringLiteral("stampa.pdf")));
    impostaCartellaProgramma(m_dir->path());
    // Blanks around the path in lblFile are not part of it.
    m_contratti = new SchermoContrattiProva(QStringLiteral(" ") + anno() + QStringLiteral("  "));
}

void TestTrovaContratti::cleanup()
{
    delete m_contratti;
    delete m_servizi;
    delete m_dir;
}

std::unique_ptr<TfrmTrovaContratti> TestTrovaContratti::apri(const QString &token)
{
    auto w = std::make_unique<TfrmTrovaContratti>(m_contratti);
    w->lblMemory->setText(token);
    w->show();
    return w;
}

void TestTrovaContratti::cinqueContratti()
{
    QList<TSchedaContratto> schede = {
        contratto("ROSSI MARIO", "15/03/2017", "01/03/2017", "28/02/2018"),
        contratto("BIANCHI ANNA", "03/01/2016", "03/01/2016", "31/12/2016"),
        contratto("ÈRCOLI LUCA", "20/05/2017", "01/06/2017", "31/05/2018"),
        contratto("DE ROSSI PAOLO", "10/02/2017", "10/02/2016", "10/02/2017"),
        contratto("VERDI ROSSANA", "03/11/2017", "01/12/2017", "30/11/2018"),
    };
    schede[0].Citta = QStringLiteral("Roma");
    schede[3].Citta = QStringLiteral("Roma");
    archiviaContratti(anno(), schede);
}

void TestTrovaContratti::cerca_data()
{
    QTest::addColumn<QStringList>("filtri"); // "field=text" pairs
    QTest::addColumn<QString>("conta");
    QTest::addColumn<QStringList>("trovati");
    const QStringList tutti{"BIANCHI ANNA", "VERDI ROSSANA", "DE ROSSI PAOLO", "ROSSI MARIO", "ÈRCOLI LUCA"};
    // Sorted by the whole line, so by the signing date's day first.
    QTest::newRow("nessun filtro, ordinati") << QStringList{} << "0" << tutti;
    QTest::newRow("solo spazi") << QStringList{"txtNote=   ", "txtCitta= "} << "0" << tutti;
    QTest::newRow("anno di decorrenza") << QStringList{"txtDataInizio=/2017"} << "1"
                                        << QStringList{"VERDI ROSSANA", "ROSSI MARIO", "ÈRCOLI LUCA"};
    QTest::newRow("giorno o mese 03") << QStringList{"txtDataStipula=03/"} << "1"
                                      << QStringList{"BIANCHI ANNA", "VERDI ROSSANA", "ROSSI MARIO"};
    QTest::newRow("parte del nome") << QStringList{"txtDipendente=ross"} << "1"
                                    << QStringList{"VERDI ROSSANA", "DE ROSSI PAOLO", "ROSSI MARIO"};
    QTest::newRow("spazio iniziale") << QStringList{"txtDipendente= rossi"} << "1" << QStringList{"DE ROSSI PAOLO"};
    QTest::newRow("accentata minuscola") << QStringList{"txtDipendente=èrcoli"} << "1" << QStringList{};
    QTest::newRow("accentata maiuscola") << QStringList{"txtDipendente=Èrcoli"} << "1" << QStringList{"ÈRCOLI LUCA"};
    QTest::newRow("due filtri") << QStringList{"txtDipendente=ross", "txtCitta=roma"} << "2"
                                << QStringList{"DE ROSSI PAOLO", "ROSSI MARIO"};
    QTest::newRow("scadenza") << QStringList{"txtDataFine=2018", "txtDataStipula=2017"} << "2"
                              << QStringList{"VERDI ROSSANA", "ROSSI MARIO", "ÈRCOLI LUCA"};
}

void TestTrovaContratti::cerca()
{
    QFETCH(QStringList, filtri);
    QFETCH(QString, conta);
    QFETCH(QStringList, trovati);
    cinqueContratti();
    auto w = apri();
    QVERIFY(w->panAvvio->isVisible());
    QVERIFY(!w->panContainer->isVisible());
    for (const QString &f : filtri)
        w->findChild<QLineEdit *>(f.section(u'=', 0, 0))->setText(f.section(u'=', 1));
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);

    QCOMPARE(w->lblConta->text(), conta);
    QStringList nomi;
    for (const QString &r : w->righe())
        nomi.append(r.mid(26, 30).trimmed());
    QCOMPARE(nomi, trovati);
    // One card in the singular.
    const char *const quante[] = {"0 schede", "1 scheda", "2 schede", "3 schede", "4 schede", "5 schede"};
    QCOMPARE(w->lblTrovate->text(), QStringLiteral("Il presente elenco contiene %1.").arg(QLatin1String(quante[trovati.size()])));
    QVERIFY(w->panContainer->isVisible());
    QVERIFY(!w->panAvvio->isVisible());
    QVERIFY(w->txtTrova->text().isEmpty());
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestTrovaContratti::riga()
{
    // The name and the telephone are cut to their widths; the instalment is not.
    TSchedaContratto s = contratto("COGNOMEMOLTOLUNGO NOMEALTRETTANTOLUNGO", "01/02/2017", "01/02/2017", "31/01/2018");
    s.Recapito = QStringLiteral("+39 06 12345678 int. 4");
    s.Stipendio = QStringLiteral("12345678,50");
    archiviaContratti(anno(), {s});
    auto w = apri();
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QCOMPARE(w->righe(), QStringList{QStringLiteral(
        "Data stipula: 01/02/2017  COGNOMEMOLTOLUNGO NOMEALTRETTA  C.F. RSSMRA70A01H501U  Tel. +39 06 1234567"
        "  Da: 01/02/2017  A: 31/01/2018  Rata: € 12.345.678,50")});
    QCOMPARE(w->posizioneVoce(0), 1);
}

void TestTrovaContratti::archivioMancante()
{
    auto w = apri();
    QCOMPARE(w->lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
    QCOMPARE(w->lblConta->text(), QStringLiteral("0"));
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QVERIFY(QFileInfo(anno()).isFile());
    QCOMPARE(QFileInfo(anno()).size(), 0);
    QCOMPARE(w->lstRecords->count(), 0);
    QCOMPARE(w->lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestTrovaContratti::archivioInaccessibile()
{
    // A folder in the year file's place cannot be opened as a file.
    QVERIFY(QDir().mkpath(anno()));
    auto w = apri();
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi.at(0).genere, MessaggioMostrato::Genere::Semplice);
    QCOMPARE(m_servizi->messaggi.at(0).testo, MsgArchivioInaccessibile);
    QVERIFY(w->panAvvio->isVisible());
    QVERIFY(!w->panContainer->isVisible());
}

void TestTrovaContratti::invioESegni()
{
    auto w = apri();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(w->txtDataStipula->hasFocus());
    QVERIFY(w->findChild<QWidget *>("effDataStipula")->isVisible());

    // Enter walks the ten filters in their order and wraps round; only the focused one shows its mark.
    const char *const giro[] = {"DataStipula", "Dipendente", "DataNasc", "CodFisc", "DataInizio", "DataFine",
                                "Citta", "Qualifiche", "Prestazioni", "Note", "DataStipula"};
    for (int i = 1; i < int(std::size(giro)); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txt") + QLatin1String(giro[i]));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("eff") + QLatin1String(giro[i]))->isVisible());
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("eff") + QLatin1String(giro[i - 1]))->isVisible());
    }
    // A date filter is typed and edited like any text: no date picker opens.
    QTest::keyClicks(w->txtDataInizio, "03/2017");
    QTest::keyClick(w->txtDataInizio, Qt::Key_Backspace);
    QTest::keyClick(w->txtDataInizio, Qt::Key_Home);
    QTest::keyClick(w->txtDataInizio, Qt::Key_Delete);
    QCOMPARE(w->txtDataInizio->text(), QStringLiteral("3/201"));
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());

    QVERIFY(!w->lblAttendere->isVisible());
    QTest::mousePress(w->btnCerca, Qt::LeftButton);
    QVERIFY(w->lblAttendere->isVisible());
    QTest::mouseRelease(w->btnCerca, Qt::LeftButton);
    QVERIFY(w->txtTrova->hasFocus());
    // Enter in the find box moves to "Trova" without pressing it.
    QTest::keyClick(w->txtTrova, Qt::Key_Return);
    QVERIFY(w->btnTrova->hasFocus());
    QVERIFY(m_servizi->messaggi.isEmpty());
    w->close();
    QVERIFY(!w->lblAttendere->isVisible());
}

void TestTrovaContratti::sceltaSchedeUguali()
{
    // Cards 2 and 4 give the same line; only their unlisted fields differ.
    TSchedaContratto a = contratto("NERI PAOLO", "01/03/2017", "01/03/2017", "28/02/2018", "Sì");
    a.Citta = QStringLiteral("Roma");
    a.Motivo = QStringLiteral("Trasferimento");
    a.File01 = QStringLiteral("/documenti/neri.pdf");
    a.Desc03 = QStringLiteral("Lettera");
    TSchedaContratto b = contratto("NERI PAOLO", "01/03/2017", "01/03/2017", "28/02/2018");
    b.Citta = QStringLiteral("Milano");
    archiviaContratti(anno(), {contratto("ZETA UGO", "02/03/2017", "02/03/2017", "01/03/2018"), a,
                               contratto("ALFA ADA", "05/03/2017", "05/03/2017", "01/03/2018"), b});

    const struct { int posizione; const char *citta; bool rescisso; const char *allegato; } attese[] = {
        {2, "Roma", true, "/documenti/neri.pdf"}, {4, "Milano", false, ""}};
    for (const auto &attesa : attese) {
        auto w = apri();
        QTest::mouseClick(w->btnCerca, Qt::LeftButton);
        QCOMPARE(w->righe().at(0), w->righe().at(1));
        const int riga = w->posizioneVoce(0) == attesa.posizione ? 0 : 1;
        QCOMPARE(w->posizioneVoce(riga), attesa.posizione);
        w->lstRecords->setCurrentRow(riga);
        emit w->lstRecords->doppioClic();
        QCOMPARE(m_contratti->testo("lblPosizione"), QString::number(attesa.posizione));
        QCOMPARE(m_contratti->testo("txtCitta"), QLatin1String(attesa.citta));
        QCOMPARE(m_contratti->testo("txtDipendente"), QStringLiteral("NERI PAOLO"));
        QCOMPARE(m_contratti->testo("txtDataFine"), QStringLiteral("28/02/2018"));
        QCOMPARE(m_contratti->chkRescisso->isChecked(), attesa.rescisso);
        QCOMPARE(m_contratti->testo("lblFile01"), QLatin1String(attesa.allegato));
        QVERIFY(!w->isVisible());
        QCOMPARE(w->lstRecords->count(), 0);
    }
    QCOMPARE(m_contratti->testo("txtMotivo"), QString()); // the second pick replaced the first card's reason
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestTrovaContratti::sceltaSenzaToken()
{
    // Without the token, or without a selected line, the double click loads nothing and closes.
    archiviaContratti(anno(), {contratto("ROSSI MARIO", "15/03/2017", "01/03/2017", "28/02/2018")});
    for (bool seleziona : {true, false}) {
        auto w = apri(seleziona ? QString() : QStringLiteral("contratti"));
        QTest::mouseClick(w->btnCerca, Qt::LeftButton);
        if (seleziona)
            w->lstRecords->setCurrentRow(0);
        emit w->lstRecords->doppioClic();
        QVERIFY(!w->isVisible());
        QVERIFY(m_contratti->testo("txtDipendente").isEmpty());
        QVERIFY(m_contratti->testo("lblPosizione").isEmpty());
    }
}

void TestTrovaContratti::stampa()
{
    if (!ServiziPdf::pdftotext())
        QSKIP("pdftotext is not installed: the printed list is not read back.");
    cinqueContratti();
    auto w = apri();
    w->txtDipendente->setText(QStringLiteral("ross"));
    QTest::mouseClick(w->btnCerca, Qt::LeftButton);
    QTest::mouseClick(w->btnStampa, Qt::LeftButton);
    QCOMPARE(m_servizi->stampe, 1);
    // The title, the lines in the order shown and the day of printing; no count line.
    const QStringList righe = m_servizi->righeStampate();
    QCOMPARE(righe.size(), 5);
    QCOMPARE(righe.at(0), QStringLiteral("Riepilogo contratti registrati"));
    const char *const nomi[] = {"03/11/2017 VERDI ROSSANA", "10/02/2017 DE ROSSI PAOLO", "15/03/2017 ROSSI MARIO"};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(righe.at(i + 1).startsWith(QStringLiteral("Data stipula: ") + QString::fromUtf8(nomi[i])),
                 qPrintable(righe.at(i + 1)));
    QCOMPARE(righe.at(4), QStringLiteral("Stampa eseguita in data 15/03/2017"));
}

// Opened with no year chosen (no contract screen behind them), the search, the
// lists and the export show nothing, say nothing and create no file.
void TestTrovaContratti::senzaAnno()
{
    TfrmTrovaContratti trova;
    trova.show();
    QTest::mouseClick(trova.btnCerca, Qt::LeftButton);
    QCOMPARE(trova.lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
    TfrmValidi validi;
    validi.show();
    TfrmRescissi rescissi;
    rescissi.show();
    TfrmExpContratti esporta;
    esporta.show();
    QCOMPARE(validi.lstRecords->count() + rescissi.lstRecords->count(), 0);
    QCOMPARE(esporta.grdRecords->model()->rowCount(), 0);
    QVERIFY(m_servizi->messaggi.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{});
}

// The contract screen's buttons open the search with its token, the two lists
// and the export; a pick in the search shows that card on the contract screen.
void TestTrovaContratti::dalloSchermoContratti()
{
    cinqueContratti();
    m_servizi->quandoDialogo([](QDialog *d) {
        auto *trova = qobject_cast<TfrmTrovaContratti *>(d);
        if (!trova || trova->lblMemory->text() != QLatin1String("contratti"))
            return 0;
        trova->show();
        trova->txtDipendente->setText(QStringLiteral("verdi"));
        QTest::mouseClick(trova->btnCerca, Qt::LeftButton);
        trova->lstRecords->setCurrentRow(0);
        emit trova->lstRecords->doppioClic();
        return trova->isVisible() ? 0 : 1;
    });
    m_contratti->btnTrovaClick();
    QCOMPARE(m_contratti->testo("txtDipendente"), QStringLiteral("VERDI ROSSANA"));
    QCOMPARE(m_contratti->testo("lblPosizione"), QStringLiteral("5"));

    m_contratti->btnValidiClick();
    m_contratti->btnRescissiClick();
    m_contratti->btnEsportaClick();
    QCOMPARE(m_servizi->dialoghiEseguiti,
             (QStringList{"TfrmTrovaContratti", "TfrmValidi", "TfrmRescissi", "TfrmExpContratti"}));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

QTEST_MAIN(TestTrovaContratti)
#include "tst_frmtrovacontratti.moc"
