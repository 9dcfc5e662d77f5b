#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/schermi.h"
#include "registry/frmallegaexcel.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const QString Conferma = QStringLiteral(
    "Questa operazione aprirà il foglio di Excel allegato alla scheda corrente.\r\n\r\n"
    "Si conferma l'apertura del file .XLS?");
const QString Errore = QStringLiteral(
    "Attenzione: il sistema non permette di aprire il file.\n\r\n\r"
    "Accertarsi che la cartella di installazione del software sia accessibile in lettura e scrittura.");

// The worksheet name and, to the end of the file, the header row alone; "à" is the Windows-1252 byte E0.
const QByteArray NomeFoglio = "<x:Name>Riepilogo attivit\xE0 svolte</x:Name>";
const QByteArray FineFoglio =
    "<table x:str><tr>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Data</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Ora inizio</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Ora fine</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Attivit\xE0 svolta</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Tot. ore</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Note</td>"
    "</tr></table></body></html>";

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
    void rispostaNo();
    void cartellaInaccessibile();

private:
    struct Esito { bool chiuso = false; QString titolo; QString token; };
    // Opens the dialog from the card for `posizione` and presses "Apri file .XLS".
    Esito apriFoglio(const QString &posizione);
    QString foglio(int n) const { return m_dir->filePath(QStringLiteral("Dipendente_%1.xls").arg(n)); }
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

    const QByteArray creato = contenuto(foglio(3));
    QVERIFY(creato.startsWith("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""));
    QCOMPARE(creato.count(NomeFoglio), 1);
    QVERIFY2(creato.endsWith(FineFoglio), creato.constData());
    QVERIFY(!creato.contains('\r') && !creato.contains('\n'));

    // What the user wrote into the sheet is kept: the second time the file is only opened.
    QFile f(foglio(3));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html>lavori di marzo</html>");
    f.close();
    m_servizi->azzera();
    QVERIFY(apriFoglio(QStringLiteral("3")).chiuso);
    QCOMPARE(contenuto(foglio(3)), QByteArray("<html>lavori di marzo</html>"));
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(foglio(3))});
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
