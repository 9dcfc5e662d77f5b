#include <QTest>

#include "core/testo.h"

class TestTesto : public QObject
{
    Q_OBJECT
private slots:
    void trimAndCase();
    void cp1252RoundTrip();
    void posizioniIndefinite_data();
    void posizioniIndefinite();
    void containsAZ_data();
    void containsAZ();
};

void TestTesto::trimAndCase()
{
    QCOMPARE(qv::trimmed(QStringLiteral("\t \x01 Rossi Mario \r\n")), QStringLiteral("Rossi Mario"));
    QCOMPARE(qv::trimmed(QStringLiteral("   ")), QString());
    // Only a-z and A-Z change case: accented letters stay as typed.
    QCOMPARE(qv::upperAZ(QStringLiteral("rssmra ü Ü é")), QStringLiteral("RSSMRA ü Ü é"));
    QCOMPARE(qv::lowerAZ(QStringLiteral("ROSSI Ü É ü")), QStringLiteral("rossi Ü É ü"));
    QVERIFY(qv::allDigits(QStringLiteral("0123456789")));
    QVERIFY(!qv::allDigits(QString()));
    QVERIFY(!qv::allDigits(QStringLiteral("12 3")));
}

void TestTesto::cp1252RoundTrip()
{
    // Every byte except the five undefined ones decodes to a character that encodes back to itself.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(qv::toCp1252(qv::fromCp1252(all)), all);
    // Runs of plain letters are widened in wide steps: an accented letter at
    // any place, on either side of a step's edge, decodes as itself.
    for (int dove = 0; dove < 40; ++dove) {
        QByteArray testo(40, 'a');
        testo[dove] = '\xE8';
        QString atteso(40, u'a');
        atteso[dove] = u'è';
        QCOMPARE(qv::fromCp1252(testo), atteso);
    }

    QCOMPARE(qv::toCp1252(QStringLiteral("€àèìòù")), QByteArray("\x80\xE0\xE8\xEC\xF2\xF9"));
    // Characters outside the code page become one "?" each, also outside the BMP.
    QCOMPARE(qv::toCp1252(QStringLiteral("a\u4E2Db") + QString::fromUcs4(U"\U0001F600") + "c"),
             QByteArray("a?b?c"));

    // What a field refuses: the first character the code page cannot hold, whole.
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    QCOMPARE(qv::primoFuoriCp1252(QStringLiteral("Perché costa 5 € ‰ Œ")), QString());
    QCOMPARE(qv::primoFuoriCp1252(QStringLiteral("Łukasz Żółć")), QStringLiteral("Ł"));
    QCOMPARE(qv::primoFuoriCp1252(QStringLiteral("ok ") + emoji + QStringLiteral(" ć")), emoji);
    QCOMPARE(qv::primoFuoriCp1252(QString(QChar(0xD800)) + QStringLiteral("a")), QString(QChar(0xD800)));
    // Characters, not UTF-16 units.
    QCOMPARE(qv::numeroCaratteri(QStringLiteral("RSSMRA80A01H50")), 14);
    QCOMPARE(qv::numeroCaratteri(QStringLiteral("RSSMRA80A01H50") + emoji), 15);
    QCOMPARE(qv::numeroCaratteri(QString()), 0);
}

void TestTesto::posizioniIndefinite_data()
{
    QTest::addColumn<int>("codice");
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QTest::addRow("U+%04X", c) << c;
}

void TestTesto::posizioniIndefinite()
{
    // The five positions the code page leaves undefined are not characters a
    // user may type, wherever they stand in the text...
    QFETCH(int, codice);
    const QString c{QChar(char16_t(codice))};
    QVERIFY(!qv::cp1252Definito(char32_t(codice)));
    QCOMPARE(qv::primoFuoriCp1252(c), c);
    QCOMPARE(qv::primoFuoriCp1252(QStringLiteral("Rossi ") + c + QStringLiteral(" Mario")), c);
    // ...yet a card read from an archive that holds one is written back as it was.
    const QByteArray byte(1, char(codice));
    QCOMPARE(qv::fromCp1252(byte), c);
    QCOMPARE(qv::toCp1252(qv::fromCp1252(byte)), byte);
}

void TestTesto::containsAZ_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<bool>("contiene");
    QTest::newRow("capitals in the text") << "Mario ROSSINI" << "ross" << true;
    QTest::newRow("at the very end") << "Mario Rossi" << "ssi" << true;
    QTest::newRow("longer than the text") << "Ros" << "ross" << false;
    QTest::newRow("accented letters match only themselves") << "FORLÌ" << "forlì" << false;
    QTest::newRow("accented letter as typed") << "Forlì" << "forlì" << true;
    QTest::newRow("empty key") << "Rossi" << "" << true;
    QTest::newRow("empty text") << "" << "r" << false;
}

void TestTesto::containsAZ()
{
    QFETCH(QString, testo);
    QFETCH(QString, chiave);
    QFETCH(bool, contiene);
    QCOMPARE(qv::containsAZ(testo, chiave), contiene);
    // The same answer as turning the text to a-z first.
    QCOMPARE(qv::lowerAZ(testo).contains(chiave), contiene);
}

QTEST_GUILESS_MAIN(TestTesto)
#include "tst_testo.moc"
