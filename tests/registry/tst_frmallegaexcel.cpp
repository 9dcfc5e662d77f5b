#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/frmallegaexcel.h"
#include "support/cartellaprova.h"
#include "support/serviziprova.h"

using namespace qv;
using namespace qv::prova;

namespace {

const QString Conferma = QStringLiteral(
    "Questa operazione aprirà il foglio di Excel allegato alla scheda corrente.\r\n\r\n"
    "Si conferma l'apertura del file .XLS?");
const QString Errore = QStringLiteral(
    "Attenzione: il sistema non permette di aprire il file.\n\r\n\r"
    "Accertarsi che la cartella di installazione del software sia accessibile in lettura e scrittura.");

using G = MessaggioMostrato::Genere;

} // namespace

class TestAllegaExcel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void creatoUnaVolta();
    void foglioXlsEsistente();
    void rispostaNo();
    void cartellaInaccessibile();

private:
    struct Esito { bool chiuso = false; QString titolo; QString token; };
    // Opens the dialog from the card for `posizione` and presses "Apri file .XLS".
    Esito apriFoglio(const QString &posizione);
    QString foglio(int n) const { return m_dir->filePath(QStringLiteral("Dipendente_%1.xlsx").arg(n)); }
    QString foglioXls(int n) const { return m_dir->filePath(QStringLiteral("Dipendente_%1.xls").arg(n)); }
    static QByteArray contenuto(const QString &percorso);

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    QWidget *m_schermo = nullptr;
};

void TestAllegaExcel::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    m_schermo = new QWidget;
}

void TestAllegaExcel::cleanup()
{
    delete m_schermo;
    delete m_dir;
    delete m_servizi;
}

TestAllegaExcel::Esito TestAllegaExcel::apriFoglio(const QString &posizione)
{
    Esito e;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *dlg = qobject_cast<TfrmAllegaExcel *>(d);
        if (!dlg)
            return -1;
        e.titolo = dlg->windowTitle();
        e.token = dlg->lblMemory->text();
        connect(dlg, &QDialog::finished, dlg, [&] { e.chiuso = true; });
        QTest::mouseClick(dlg->btnStampa, Qt::LeftButton);
        return dlg->result();
    });
    TfrmAllegaExcel::apri(m_schermo, posizione);
    return e;
}

QByteArray TestAllegaExcel::contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestAllegaExcel::creatoUnaVolta()
{
    const Esito primo = apriFoglio(QStringLiteral(" 3 "));
    QCOMPARE(primo.titolo, QStringLiteral(" Allega foglio di Excel"));
    QCOMPARE(primo.token, QStringLiteral("3"));
    QVERIFY(primo.chiuso);
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi[0].genere, G::Domanda);
    QCOMPARE(m_servizi->messaggi[0].testo, Conferma);
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(foglio(3))});

    // A workbook with the header row alone, as a spreadsheet program reads it
    // after LibreOffice opened and saved it.
    QVERIFY(contenuto(foglio(3)).startsWith("PK"));
    QVERIFY(!QFile::exists(foglioXls(3)));
    const CartellaLetta letta = leggiCartella(foglio(3), m_dir->filePath(QStringLiteral("lettura")));
    QVERIFY2(letta.errore.isEmpty(), qPrintable(letta.errore));
    for (const QJsonObject &f : {letta.originale, letta.libreoffice}) {
        QCOMPARE(f.value("fogli").toArray(), QJsonArray{QStringLiteral("Riepilogo attività svolte")});
        QCOMPARE(righe(f).size(), 1);
        QCOMPARE(intestazioni(f), (QStringList{"Data", "Ora inizio", "Ora fine", "Attività svolta", "Tot. ore", "Note"}));
        QCOMPARE(f.value("grassetto").toArray(), (QJsonArray{true, true, true, true, true, true}));
        QCOMPARE(f.value("proprieta").toObject().value("autore").toString(), QStringLiteral("Quadrivela"));
    }
    QCOMPARE(letta.originale.value("bloccato").toString(), QStringLiteral("A2"));
    const QJsonObject larghezze = letta.originale.value("larghezze").toObject();
    QVERIFY(larghezze.value("D").toDouble() > larghezze.value("A").toDouble());

    // What the user wrote into the sheet is kept: the second time the file is only opened.
    QFile f(foglio(3));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("PK lavori di marzo");
    f.close();
    m_servizi->azzera();
    QVERIFY(apriFoglio(QStringLiteral("3")).chiuso);
    QCOMPARE(contenuto(foglio(3)), QByteArray("PK lavori di marzo"));
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(foglio(3))});
}

// The .xls sheet a card got in earlier days stays the card's sheet: it is
// opened as it is, and no workbook is made beside it.
void TestAllegaExcel::foglioXlsEsistente()
{
    QFile f(foglioXls(4));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html>lavori di febbraio</html>");
    f.close();
    QVERIFY(apriFoglio(QStringLiteral("4")).chiuso);
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(foglioXls(4))});
    QCOMPARE(contenuto(foglioXls(4)), QByteArray("<html>lavori di febbraio</html>"));
    QVERIFY(!QFile::exists(foglio(4)));
}

void TestAllegaExcel::rispostaNo()
{
    m_servizi->rispondi(false);
    QVERIFY(!apriFoglio(QStringLiteral("5")).chiuso);
    QCOMPARE(m_servizi->testi(), QStringList{Conferma});
    QVERIFY(!QFile::exists(foglio(5)));
    QVERIFY(m_servizi->aperti.isEmpty());
}

void TestAllegaExcel::cartellaInaccessibile()
{
    impostaCartellaProgramma(m_dir->filePath(QStringLiteral("non esiste")));
    QVERIFY(!apriFoglio(QStringLiteral("7")).chiuso);
    QCOMPARE(m_servizi->messaggi.size(), 2);
    QCOMPARE(m_servizi->messaggi[1].genere, G::Semplice);
    QCOMPARE(m_servizi->messaggi[1].testo, Errore);
    QVERIFY(m_servizi->aperti.isEmpty());
}

QTEST_MAIN(TestAllegaExcel)
#include "tst_frmallegaexcel.moc"
