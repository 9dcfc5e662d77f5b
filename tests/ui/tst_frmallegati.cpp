#include <QLabel>
#include <QTest>

#include "ui/frmallegati.h"
#include "support/serviziprova.h"

#include <stdexcept>

using namespace qv;

namespace {

const char *const Etichette[] = {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"};

// An open dialog that fails instead of returning a name.
class ServiziGuasti : public ServiziProva
{
public:
    QString fileDaAprire(QWidget *, const QString &, const QStringList &, const QString &) override
    {
        throw std::runtime_error("finestra non disponibile");
    }
};

} // namespace

class TestAllegati : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void apertura();
    void ordineTab();
    void apriAbilitato_data();
    void apriAbilitato();
    void sfoglia_data();
    void sfoglia();
    void sfogliaGuasto();
    void gomma();
    void apriFile();
    void applica_data();
    void applica();
    void annulla();

private:
    // Opens the dialog from the card with `token` and lets `azione` drive it; returns the dialog's result.
    int usa(const QString &token, const std::function<void(TfrmAllegaCartella *)> &azione);
    QString etichetta(const char *nome) const { return m_schermo->findChild<QLabel *>(QLatin1String(nome))->text(); }
    QStringList etichette() const;

    ServiziProva *m_servizi = nullptr;
    QWidget *m_schermo = nullptr;
};

void TestAllegati::init()
{
    m_servizi = new ServiziProva;
    // The card: no start-up screens exist here, so the dialog writes back into the window that opened it.
    m_schermo = new QWidget;
    for (const char *nome : Etichette) {
        auto *l = new QLabel(m_schermo);
        l->setObjectName(QLatin1String(nome));
        l->hide();
    }
}

void TestAllegati::cleanup()
{
    delete m_schermo;
    delete m_servizi;
}

int TestAllegati::usa(const QString &token, const std::function<void(TfrmAllegaCartella *)> &azione)
{
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *dlg = qobject_cast<TfrmAllegaCartella *>(d);
        if (!dlg)
            return -1;
        azione(dlg);
        return dlg->result();
    });
    return TfrmAllegaCartella::apri(m_schermo, token);
}

QStringList TestAllegati::etichette() const
{
    QStringList out;
    for (const char *nome : Etichette)
        out << etichetta(nome);
    return out;
}

void TestAllegati::apertura()
{
    m_schermo->findChild<QLabel *>(QStringLiteral("lblDesc01"))->setText(QStringLiteral("  Carta d'identità\t"));
    m_schermo->findChild<QLabel *>(QStringLiteral("lblFile02"))->setText(QStringLiteral(" /archivio/contratto.pdf  "));
    m_schermo->findChild<QLabel *>(QStringLiteral("lblDesc03"))->setText(QStringLiteral("Nota senza file"));

    usa(QStringLiteral("anagrafica"), [&](TfrmAllegaCartella *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(d->parentWidget(), m_schermo);
        QCOMPARE(d->lblMemory->text(), QStringLiteral("anagrafica"));
        QCOMPARE(d->txtFile01->text(), QString());
        QCOMPARE(d->txtDesc01->text(), QStringLiteral("Carta d'identità"));
        QCOMPARE(d->txtFile02->text(), QStringLiteral("/archivio/contratto.pdf"));
        QCOMPARE(d->txtDesc02->text(), QString());
        QCOMPARE(d->txtFile03->text(), QString());
        QCOMPARE(d->txtDesc03->text(), QStringLiteral("Nota senza file"));
        QVERIFY(d->txtFile02->isReadOnly());
        QVERIFY(!d->btnApri01->isEnabled());
        QVERIFY(d->btnApri02->isEnabled());
        QVERIFY(!d->btnApri03->isEnabled());
    });
    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmAllegaCartella")});
}

void TestAllegati::ordineTab()
{
    TfrmAllegaCartella d(m_schermo);
    QStringList ordine;
    QWidget *w = d.txtFile01;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            ordine << w->objectName();
        w = w->nextInFocusChain();
    } while (w != d.txtFile01);
    // Each slot's eraser, a picture button, sits between its path and Sfoglia.
    QCOMPARE(ordine, (QStringList{"txtFile01", "imgCancella01", "btnSfoglia01", "btnApri01", "txtDesc01",
                                  "txtFile02", "imgCancella02", "btnSfoglia02", "btnApri02", "txtDesc02",
                                  "txtFile03", "imgCancella03", "btnSfoglia03", "btnApri03", "txtDesc03",
                                  "btnApplica", "btnAnnulla"}));
}

void TestAllegati::apriAbilitato_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<bool>("abilitato");
    QTest::newRow("vuoto") << QString() << false;
    QTest::newRow("solo spazi") << QStringLiteral("   ") << false;
    QTest::newRow("caratteri di controllo") << QStringLiteral("\t\r\n") << false;
    QTest::newRow("percorso") << QStringLiteral("C:\\Documenti\\a.doc") << true;
}

// Whoever changes the path, "Apri" follows it.
void TestAllegati::apriAbilitato()
{
    QFETCH(QString, percorso);
    QFETCH(bool, abilitato);
    TfrmAllegaCartella d(m_schermo);
    d.txtFile03->setText(QStringLiteral("/prima.pdf"));
    d.txtFile03->setText(percorso);
    QCOMPARE(d.btnApri03->isEnabled(), abilitato);
    QVERIFY(!d.btnApri01->isEnabled());
    QVERIFY(!d.btnApri02->isEnabled());
}

void TestAllegati::sfoglia_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("scelto");
    QTest::addColumn<QString>("dopo");
    QTest::newRow("scelta su slot vuoto") << QString() << QStringLiteral("/doc/scansione carta.pdf")
                                          << QStringLiteral("/doc/scansione carta.pdf");
    QTest::newRow("scelta sostituisce") << QStringLiteral("/doc/vecchio.pdf") << QStringLiteral("/doc/nuovo.odt")
                                        << QStringLiteral("/doc/nuovo.odt");
    QTest::newRow("annullata") << QStringLiteral("/doc/vecchio.pdf") << QString() << QStringLiteral("/doc/vecchio.pdf");
}

void TestAllegati::sfoglia()
{
    QFETCH(QString, prima);
    QFETCH(QString, scelto);
    QFETCH(QString, dopo);
    TfrmAllegaCartella d(m_schermo);
    d.txtFile02->setText(prima);
    d.txtDesc02->setText(QStringLiteral("descrizione"));
    m_servizi->prossimoFile(scelto);
    QTest::mouseClick(d.btnSfoglia02, Qt::LeftButton);

    QCOMPARE(m_servizi->titoliFile, QStringList{QStringLiteral("Selezionare il file da allegare:")});
    QCOMPARE(m_servizi->filtriFile, QList<QStringList>{QStringList{QStringLiteral("Tutti i file (*.*)")}});
    QCOMPARE(d.txtFile02->text(), dopo);
    QCOMPARE(d.btnApri02->isEnabled(), !dopo.isEmpty());
    QCOMPARE(d.txtDesc02->text(), QStringLiteral("descrizione"));
    QCOMPARE(d.txtFile01->text(), QString());
    QCOMPARE(d.txtFile03->text(), QString());
}

void TestAllegati::sfogliaGuasto()
{
    delete m_servizi;
    m_servizi = new ServiziGuasti;
    TfrmAllegaCartella d(m_schermo);
    d.txtFile01->setText(QStringLiteral("/doc/vecchio.pdf"));
    QTest::mouseClick(d.btnSfoglia01, Qt::LeftButton);
    QCOMPARE(d.txtFile01->text(), QString());
    QVERIFY(!d.btnApri01->isEnabled());
}

void TestAllegati::gomma()
{
    TfrmAllegaCartella d(m_schermo);
    d.txtFile03->setText(QStringLiteral("/doc/busta paga.pdf"));
    d.txtDesc03->setText(QStringLiteral("Busta paga"));
    QTest::mouseClick(d.imgCancella03, Qt::LeftButton);
    QCOMPARE(d.txtFile03->text(), QString());
    QVERIFY(!d.btnApri03->isEnabled());
    QCOMPARE(d.txtDesc03->text(), QStringLiteral("Busta paga"));
}

// The path goes to the system whole, blanks included, and unchecked.
void TestAllegati::apriFile()
{
    TfrmAllegaCartella d(m_schermo);
    d.txtFile01->setText(QStringLiteral("  /non esiste/contratto firmato.pdf "));
    QTest::mouseClick(d.btnApri01, Qt::LeftButton);
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/non esiste/contratto firmato.pdf"))});
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestAllegati::applica_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("scritto");
    QTest::newRow("anagrafica") << QStringLiteral("anagrafica") << true;
    QTest::newRow("contratti, con spazi") << QStringLiteral(" contratti ") << true;
    QTest::newRow("token sconosciuto") << QStringLiteral("datasca") << false;
}

void TestAllegati::applica()
{
    QFETCH(QString, token);
    QFETCH(bool, scritto);
    m_schermo->findChild<QLabel *>(QStringLiteral("lblFile01"))->setText(QStringLiteral("/doc/da cancellare.pdf"));
    m_schermo->findChild<QLabel *>(QStringLiteral("lblDesc01"))->setText(QStringLiteral("Resta"));
    m_schermo->findChild<QLabel *>(QStringLiteral("lblDesc03"))->setText(QStringLiteral("Vecchia"));
    const QStringList prima = etichette();

    bool chiuso = false;
    const int esito = usa(token, [&](TfrmAllegaCartella *d) {
        connect(d, &QDialog::finished, d, [&] { chiuso = true; });
        QTest::mouseClick(d->imgCancella01, Qt::LeftButton);
        m_servizi->prossimoFile(QStringLiteral("/doc/nuovo.pdf"));
        QTest::mouseClick(d->btnSfoglia02, Qt::LeftButton);
        d->txtDesc02->setText(QStringLiteral("  Contratto firmato\t"));
        d->txtDesc03->setText(QStringLiteral("   "));
        QTest::mouseClick(d->btnApplica, Qt::LeftButton);
    });

    QCOMPARE(chiuso, scritto);
    if (scritto) {
        QCOMPARE(esito, int(QDialog::Accepted));
        QCOMPARE(etichette(), (QStringList{QString(), QStringLiteral("Resta"), QStringLiteral("/doc/nuovo.pdf"),
                                           QStringLiteral("Contratto firmato"), QString(), QString()}));
    } else {
        QCOMPARE(etichette(), prima);
    }
}

void TestAllegati::annulla()
{
    m_schermo->findChild<QLabel *>(QStringLiteral("lblFile02"))->setText(QStringLiteral("/doc/vecchio.pdf"));
    m_schermo->findChild<QLabel *>(QStringLiteral("lblDesc02"))->setText(QStringLiteral(" Vecchio "));
    const QStringList prima = etichette();
    const int esito = usa(QStringLiteral("anagrafica"), [&](TfrmAllegaCartella *d) {
        m_servizi->prossimoFile(QStringLiteral("/doc/nuovo.pdf"));
        QTest::mouseClick(d->btnSfoglia02, Qt::LeftButton);
        d->txtDesc01->setText(QStringLiteral("Nuova"));
        QTest::mouseClick(d->btnAnnulla, Qt::LeftButton);
    });
    QCOMPARE(esito, int(QDialog::Rejected));
    QCOMPARE(etichette(), prima);
}

QTEST_MAIN(TestAllegati)
#include "tst_frmallegati.moc"
