#include <QTest>

#include "output/elenco.h"

namespace {

QString riga(std::span<const qv::ColonnaElenco> colonne, const QStringList &valori)
{
    const QList<QStringView> viste(valori.cbegin(), valori.cend());
    return qv::rigaElenco(colonne, std::span(viste.constData(), size_t(viste.size())));
}

// The employee line of the search and expiring-contract lists.
constexpr qv::ColonnaElenco kRigaDipendente[] = {
    {u"", 30}, {u"  C.F. ", 16}, {u"  Scad. ", 10}, {u"  Tel. ", 15}, {u" Note: ", qv::kNonTagliato},
};

// The valid-contract line: a label before the first field, a euro sign in a
// separator and an amount shown as everywhere.
constexpr qv::ColonnaElenco kRigaContratto[] = {
    {u"Data stipula: ", 10}, {u"  ", 30}, {u"  C.F. ", 16}, {u"  Tel. ", 14},
    {u"  Da: ", 10}, {u"  A: ", 10}, {u"  Rata: € ", qv::kNonTagliato, true},
};

const QStringList kVoci = {
    QStringLiteral("Bianchi Anna  Tel. 06 1234567"),
    QStringLiteral("ROSSI MARIO  Tel. 02 7654321"),
    QStringLiteral("Verdi Luca  Note: ex Rossi & C."),
    QStringLiteral("Rossini Carlo  Note: Forlì"),
};

} // namespace

class TestElenco : public QObject
{
    Q_OBJECT
private slots:
    void rigaDipendente_data();
    void rigaDipendente();
    void rigaContratto();
    void ordine();
    void trova_data();
    void trova();
    void trovaRipetuto();
    void trovaListaVuota();
};

void TestElenco::rigaDipendente_data()
{
    QTest::addColumn<QStringList>("valori");
    QTest::addColumn<QString>("riga");

    QTest::newRow("short fields padded")
        << QStringList{QStringLiteral("Rossi Mario"), QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("31/12/2024"),
                       QStringLiteral("06 1234567"), QStringLiteral("nessuna")}
        << QStringLiteral("Rossi Mario                     C.F. RSSMRA80A01H501U  Scad. 31/12/2024"
                          "  Tel. 06 1234567      Note: nessuna");
    QTest::newRow("long fields cut, blanks trimmed first")
        << QStringList{QStringLiteral("  Dell'Acqua Bianchi Maria Antonietta"), QStringLiteral("RSSMRA80A01H501UX"),
                       QStringLiteral(" 01/02/2025 "), QStringLiteral("+39 333 1234567 int. 4"),
                       QStringLiteral("  una nota molto lunga che non viene mai tagliata alla fine della riga \t")}
        << QStringLiteral("Dell'Acqua Bianchi Maria Anton  C.F. RSSMRA80A01H501U  Scad. 01/02/2025"
                          "  Tel. +39 333 1234567 Note: una nota molto lunga che non viene mai tagliata alla fine della riga");
    QTest::newRow("empty card")
        << QStringList{}
        << QStringLiteral("                                C.F.                   Scad.             Tel.                 Note: ");
}

void TestElenco::rigaDipendente()
{
    QFETCH(QStringList, valori);
    QFETCH(QString, riga);
    QCOMPARE(::riga(kRigaDipendente, valori), riga);
}

void TestElenco::rigaContratto()
{
    const QStringList valori = {QStringLiteral("15/03/2024"), QStringLiteral("Verdi Luca"),
                                QStringLiteral("VRDLCU75C15F205X"), QStringLiteral("02 7654321"),
                                QStringLiteral("01/04/2024"), QStringLiteral("31/03/2025"), QStringLiteral("1250")};
    QCOMPARE(riga(kRigaContratto, valori),
             QStringLiteral("Data stipula: 15/03/2024  Verdi Luca                      C.F. VRDLCU75C15F205X"
                            "  Tel. 02 7654321      Da: 01/04/2024  A: 31/03/2025  Rata: € 1.250,00"));
}

void TestElenco::ordine()
{
    // "_" lies between "Z" and "a": only with a-z taken as A-Z does it sort after every name.
    QStringList righe = {QStringLiteral("rossi"), QStringLiteral("_nota"), QStringLiteral("Bianchi"),
                         QStringLiteral("ROSSI"), QStringLiteral("bianca"), QStringLiteral("ROSSA")};
    qv::ordinaRighe(righe);
    // Lines equal but for the case keep their order.
    QCOMPARE(righe, (QStringList{QStringLiteral("bianca"), QStringLiteral("Bianchi"), QStringLiteral("ROSSA"),
                                 QStringLiteral("rossi"), QStringLiteral("ROSSI"), QStringLiteral("_nota")}));
    QVERIFY(qv::lessRiga(QStringLiteral("a"), QStringLiteral("B")));
    // Characters beyond ASCII sort by the codes the archive stores: the
    // apostrophe ’ (0x92) and Š (0x8A) come before é (0xE9) and À (0xC0).
    QVERIFY(qv::lessRiga(QStringLiteral("D’Amico"), QStringLiteral("Dé")));
    QVERIFY(qv::lessRiga(QStringLiteral("Šimić"), QStringLiteral("Àlvaro")));
    QVERIFY(qv::lessRiga(QStringLiteral("€ 10"), QStringLiteral("é")));
    QVERIFY(!qv::lessRiga(QStringLiteral("Rossi"), QStringLiteral("rOSSI")));
    QVERIFY(!qv::lessRiga(QStringLiteral("rOSSI"), QStringLiteral("Rossi")));
}

void TestElenco::trova_data()
{
    QTest::addColumn<int>("selezionata");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("ultimaChiave");
    QTest::addColumn<int>("attesa");
    QTest::addColumn<QString>("nuovaUltima");

    QTest::newRow("capitals find lower case") << -1 << QStringLiteral("LUCA") << QString() << 2 << QStringLiteral("luca");
    QTest::newRow("lower case finds capitals") << -1 << QStringLiteral("mario") << QString() << 1 << QStringLiteral("mario");
    QTest::newRow("new key: first entry tested first") << 2 << QStringLiteral("Tel.") << QStringLiteral("luca") << 0
                                                       << QStringLiteral("tel.");
    QTest::newRow("new key ignores the selection") << 3 << QStringLiteral("ross") << QStringLiteral("forl") << 1
                                                   << QStringLiteral("ross");
    QTest::newRow("same key: next match") << 1 << QStringLiteral("ross") << QStringLiteral("ross") << 2
                                          << QStringLiteral("ross");
    QTest::newRow("same key typed in capitals") << 2 << QStringLiteral("ROSS") << QStringLiteral("ross") << 3
                                                << QStringLiteral("ross");
    QTest::newRow("same key wraps round") << 3 << QStringLiteral("ross") << QStringLiteral("ross") << 1
                                          << QStringLiteral("ross");
    QTest::newRow("only match stays selected") << 0 << QStringLiteral("anna") << QStringLiteral("anna") << 0
                                               << QStringLiteral("anna");
    QTest::newRow("no match keeps the selection") << 2 << QStringLiteral("zeta") << QString() << 2
                                                  << QStringLiteral("zeta");
    QTest::newRow("no match, nothing selected: first") << -1 << QStringLiteral("zeta") << QString() << 0
                                                       << QStringLiteral("zeta");
    QTest::newRow("empty key never matches") << 2 << QString() << QString() << 2 << QString();
    // With its blanks the key is not found: "Verdi" starts its line.
    QTest::newRow("key not trimmed") << 1 << QStringLiteral("  verdi") << QString() << 1 << QStringLiteral("  verdi");
    QTest::newRow("only A-Z folded") << -1 << QStringLiteral("FORLÌ") << QString() << 0 << QStringLiteral("forlÌ");
    QTest::newRow("markup-like text is plain text") << -1 << QStringLiteral("& C.") << QString() << 2
                                                    << QStringLiteral("& c.");
}

void TestElenco::trova()
{
    QFETCH(int, selezionata);
    QFETCH(QString, chiave);
    QFETCH(QString, ultimaChiave);
    QFETCH(int, attesa);
    QFETCH(QString, nuovaUltima);

    const qv::EsitoTrova esito = qv::trovaVoce(kVoci, selezionata, chiave, ultimaChiave);
    QVERIFY(!esito.listaVuota);
    QCOMPARE(esito.selezionata, attesa);
    QCOMPARE(esito.ultimaChiave, nuovaUltima);
}

void TestElenco::trovaRipetuto()
{
    // Clicking Trova again and again with the same key walks the matches and wraps round.
    qv::EsitoTrova esito{false, -1, QString()};
    QList<int> visitate;
    for (int click = 0; click < 5; ++click) {
        esito = qv::trovaVoce(kVoci, esito.selezionata, QStringLiteral("Ross"), esito.ultimaChiave);
        visitate.append(esito.selezionata);
    }
    QCOMPARE(visitate, (QList<int>{1, 2, 3, 1, 2}));

    // A changed key starts again from the top.
    esito = qv::trovaVoce(kVoci, esito.selezionata, QStringLiteral("Tel."), esito.ultimaChiave);
    QCOMPARE(esito.selezionata, 0);
}

void TestElenco::trovaListaVuota()
{
    const qv::EsitoTrova esito = qv::trovaVoce({}, -1, QStringLiteral("rossi"), QStringLiteral("verdi"));
    QVERIFY(esito.listaVuota);
    QCOMPARE(esito.selezionata, -1);
    // Nothing was searched, so the previous key stays.
    QCOMPARE(esito.ultimaChiave, QStringLiteral("verdi"));
}

QTEST_GUILESS_MAIN(TestElenco)
#include "tst_elenco.moc"
