#include <QTest>

#include "storage/scadenze.h"

using namespace qv;

// The rule of the contracts that end soon, today being 15/03/2017: the main
// menu's notice counts by it and the lists it opens show the cards it picks.
class TestScadenze : public QObject
{
    Q_OBJECT
private slots:
    void regola_data();
    void regola();
};

namespace {
// No value: the date cannot be read.
enum Esito { No, Si, Illeggibile };
} // namespace

void TestScadenze::regola_data()
{
    QTest::addColumn<QString>("fine");       // DataSca of a card, DataFine of a contract
    QTest::addColumn<int>("preavviso");      // employee cards only
    QTest::addColumn<QString>("rescisso");   // contracts only
    QTest::addColumn<int>("giorni");
    QTest::addColumn<int>("dipendente");
    QTest::addColumn<int>("contratto");
    const QString no = QStringLiteral("No");

    QTest::newRow("ieri") << "14/03/2017" << 0 << no << 30 << int(No) << int(No);
    QTest::newRow("oggi") << "15/03/2017" << 0 << no << 30 << int(Si) << int(Si);
    QTest::newRow("30esimo giorno") << "14/04/2017" << 0 << no << 30 << int(Si) << int(Si);
    QTest::newRow("31esimo giorno") << "15/04/2017" << 0 << no << 30 << int(No) << int(No);
    QTest::newRow("preavviso iniziato, fine lontana") << "24/04/2017" << 40 << no << 30 << int(No) << int(No);
    QTest::newRow("preavviso non iniziato, fine vicina") << "04/04/2017" << 0 << no << 30 << int(Si) << int(Si);
    QTest::newRow("altro orizzonte: solo oggi") << "16/03/2017" << 0 << no << 0 << int(No) << int(No);
    QTest::newRow("data vuota") << "" << 0 << no << 30 << int(Illeggibile) << int(Illeggibile);
    QTest::newRow("data impossibile") << "31/02/2017" << 0 << no << 30 << int(Illeggibile) << int(Illeggibile);
    QTest::newRow("rescisso") << "20/03/2017" << 0 << "Sì" << 30 << int(Si) << int(No);
    QTest::newRow("rescisso, data vuota") << "" << 0 << "Sì" << 30 << int(Illeggibile) << int(No);
    QTest::newRow("stato ignoto") << "20/03/2017" << 0 << "Forse" << 30 << int(Si) << int(No);
}

void TestScadenze::regola()
{
    QFETCH(QString, fine);
    QFETCH(int, preavviso);
    QFETCH(QString, rescisso);
    QFETCH(int, giorni);
    QFETCH(int, dipendente);
    QFETCH(int, contratto);
    const QDate oggi(2017, 3, 15);
    const auto esito = [](std::optional<bool> v) { return !v ? Illeggibile : *v ? Si : No; };

    TSchedaDipendente d;
    d.DataSca = fine;
    d.Preavviso = QString::number(preavviso);
    QCOMPARE(int(esito(scadeEntro(d, oggi, giorni))), dipendente);

    TSchedaContratto c;
    c.DataFine = fine;
    c.Rescisso = rescisso;
    QCOMPARE(int(esito(terminaEntro(c, oggi, giorni))), contratto);
}

QTEST_APPLESS_MAIN(TestScadenze)
#include "tst_scadenze.moc"
