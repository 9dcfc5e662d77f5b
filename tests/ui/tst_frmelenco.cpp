#include <QApplication>
#include <QTest>

#include "output/elenco.h"
#include "ui/frmelenco.h"
#include "support/serviziprova.h"

using namespace qv;

class TestElencoSchermo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void ordinato();
    void ordinatoConInizioComune();
    void ordineDelFile();
    void invioSulCampoTrova();
    void chiaveTraslitterata();
};

namespace {

// Lines that part only after the twelfth character, by case alone, as prefix
// of one another, by a character outside ASCII, and two equal lines.
const QList<VoceElenco> kVoci = {
    {QStringLiteral("COGNOME12345 Nome2"), 1}, {QStringLiteral("cognome12345 Nome1"), 2},
    {QStringLiteral("Rossi"), 3},              {QStringLiteral("Rossi Mario"), 4},
    {QStringLiteral("ROSSI"), 5},              {QStringLiteral("_nota"), 6},
    {QStringLiteral("Rossì"), 7},              {QStringLiteral("Bianchi"), 8},
    {QStringLiteral("Rossi Mario"), 9},        {QStringLiteral(""), 10},
};

// A list screen that shows the entries above and remembers the card picked.
class Elenco : public TfrmElenco
{
public:
    explicit Elenco(bool ordinato) : TfrmElenco(impostazioni(ordinato), Qt::white, Qt::white) {}
    void FormShow() override { mostraVoci(kVoci); }
    void lstRecordsDblClick() override { scelta = posizioneSelezionata(); }
    int scelta = 0;

private:
    static Impostazioni impostazioni(bool ordinato)
    {
        Impostazioni imp;
        imp.caption = QStringLiteral("Prova");
        imp.ordinato = ordinato;
        return imp;
    }
};

} // namespace

// The screen's order is the order of the list lines, equal lines in file order,
// and every entry keeps the position of its card.
void TestElencoSchermo::ordinato()
{
    ServiziProva servizi;
    Elenco w(true);
    w.lstRecords->setGeometry(0, 0, 600, 500); // room below the last entry
    w.show();

    QStringList attese;
    for (const VoceElenco &v : kVoci)
        attese.append(v.riga);
    ordinaRighe(attese);
    QCOMPARE(w.righe(), attese);

    QList<int> posizioni;
    for (int i = 0; i < w.lstRecords->count(); ++i)
        posizioni.append(w.posizioneVoce(i));
    QCOMPARE(posizioni, (QList<int>{10, 8, 2, 1, 3, 5, 4, 9, 7, 6}));
    QCOMPARE(w.posizioneVoce(10), -1);

    // A double click on an entry picks its card, and so does one below the last
    // entry while an entry is selected; closing the screen empties the list.
    QWidget *area = w.lstRecords->viewport();
    QTest::mouseDClick(area, Qt::LeftButton, {}, w.lstRecords->visualRect(w.lstRecords->model()->index(2, 0)).center());
    QCOMPARE(w.scelta, 2);
    w.lstRecords->setCurrentRow(0);
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, area->height() - 5));
    QCOMPARE(w.scelta, 10);
    // An entry the user has deselected (Ctrl+click) is not picked.
    QTest::mouseClick(area, Qt::LeftButton, Qt::ControlModifier,
                      w.lstRecords->visualRect(w.lstRecords->model()->index(0, 0)).center());
    QCOMPARE(w.lstRecords->currentRow(), -1);
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, area->height() - 5));
    QCOMPARE(w.scelta, -1);
    w.close();
    QCOMPARE(w.lstRecords->count(), 0);
    // On an empty list the screen is still told, with no card selected.
    w.scelta = 0;
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(w.scelta, -1);
}

// Lines that share a long start, and differ inside, just after and far after
// the twenty characters the sort looks at first, or end early, sort as whole lines.
void TestElencoSchermo::ordinatoConInizioComune()
{
    ServiziProva servizi;
    Elenco w(true);
    const QStringList righe = {
        "Data stipula: 03/01/2017  ROSSI MARIO  Rata: 2", "Data stipula: 03/01/2017  rossi mario  Rata: 1",
        "Data stipula: 03/01/2017  ROSSI MARIO  Rata: 1", "Data stipula: 03/01/2016  ROSSI",
        "Data stipula: 03/01/2017  ROSSI MARIA",          "Data stipula: 03/01/2017  ROSSI MARIO",
        "Data stipula: 03/01/2017",                       "Data stipula: 03/01/2017  Rossì",
        "Data stipula: 03/01/2017  ROSSI MARIO  Rata: 1", "Data stipula: 02/12/2017  ZETA",
        "Data stipula: 03/01/2017  ROSSI MARIO  Rata: 10",
    };
    QList<VoceElenco> voci;
    for (int i = 0; i < righe.size(); ++i)
        voci.append({righe.at(i), i + 1});
    w.mostraVoci(voci);

    QStringList attese = righe;
    ordinaRighe(attese);
    QCOMPARE(w.righe(), attese);
    // Equal lines keep the order of their cards.
    const int prima = int(attese.indexOf(QStringLiteral("Data stipula: 03/01/2017  rossi mario  Rata: 1")));
    QCOMPARE(w.posizioneVoce(prima), 2);
    QCOMPARE(w.posizioneVoce(prima + 1), 3);
    QCOMPARE(w.posizioneVoce(prima + 2), 9);
}

void TestElencoSchermo::ordineDelFile()
{
    ServiziProva servizi;
    Elenco w(false);
    w.FormShow();
    QCOMPARE(w.lstRecords->count(), kVoci.size());
    for (int i = 0; i < kVoci.size(); ++i) {
        QCOMPARE(w.lstRecords->testo(i), kVoci.at(i).riga);
        QCOMPARE(w.posizioneVoce(i), kVoci.at(i).posizione);
    }
    w.svuota();
    QCOMPARE(w.lstRecords->count(), 0);
    QCOMPARE(w.posizioneVoce(0), -1);
}

// Enter in the find box moves to Trova without finding; a second Enter presses
// Trova, which finds; Space presses it too.
void TestElencoSchermo::invioSulCampoTrova()
{
    ServiziProva servizi;
    Elenco w(false);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.txtTrova->setFocus();
    QTest::keyClicks(w.txtTrova, QStringLiteral("BIANCHI"));
    QTest::keyClick(w.txtTrova, Qt::Key_Return);
    QVERIFY(w.btnTrova->hasFocus());
    QCOMPARE(w.lstRecords->currentRow(), -1);
    QTest::keyClick(w.btnTrova, Qt::Key_Return);
    QCOMPARE(w.lstRecords->testo(w.lstRecords->currentRow()), QStringLiteral("Bianchi"));
    QVERIFY(w.btnTrova->hasFocus());
    w.lstRecords->setCurrentRow(-1);
    w.lstRecords->clearSelection();
    QTest::keyClick(w.btnTrova, Qt::Key_Space);
    QCOMPARE(w.lstRecords->testo(w.lstRecords->currentRow()), QStringLiteral("Bianchi"));
    QVERIFY(w.isVisible()); // neither key closes the list
}

// The key is a text of the stored files: a letter of another Latin alphabet
// is written as the letter that stands for it, and the user is told.
void TestElencoSchermo::chiaveTraslitterata()
{
    ServiziProva servizi;
    Elenco w(false);
    w.show();
    w.txtTrova->setFocus();
    for (QChar c : QStringLiteral("Rossį"))
        QTest::sendKeyEvent(QTest::Click, w.txtTrova, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(w.txtTrova->text(), QStringLiteral("Rossi"));
    QTRY_COMPARE(servizi.testi(), QStringList{QStringLiteral(
                                      "Attenzione: į è stato scritto come i: lettera fuori dall'alfabeto occidentale "
                                      "(Windows-1252).")});
    w.btnTrova->click();
    QCOMPARE(w.lstRecords->testo(w.lstRecords->currentRow()), QStringLiteral("Rossi"));
}

QTEST_MAIN(TestElencoSchermo)
#include "tst_frmelenco.moc"
