#include <QTest>

#include "storage/crypt.h"

using qv::CifraPassword;
using qv::DecifraPassword;

class TestCrypt : public QObject
{
    Q_OBJECT
private slots:
    void cifratura_data();
    void cifratura();
    void andataRitorno();
    void decifratura_data();
    void decifratura();
};

void TestCrypt::cifratura_data()
{
    QTest::addColumn<QString>("chiaro");
    QTest::addColumn<QString>("cifrato");

    // Fixed vectors: the store delivered with the program and every store
    // written since depend on the key schedule staying as it is.
    QTest::newRow("initial password") << QStringLiteral("MIRTILLOBIANCO") << QStringLiteral("5F5B8419C40244FEE619206D7DCE");
    QTest::newRow("ABC") << QStringLiteral("ABC") << QStringLiteral("53EABA");
    QTest::newRow("blanks are enciphered too") << QStringLiteral(" ABC ") << QStringLiteral("3202EF9C20");
    QTest::newRow("empty") << QString() << QString();
}

void TestCrypt::cifratura()
{
    QFETCH(QString, chiaro);
    QFETCH(QString, cifrato);
    QCOMPARE(CifraPassword(chiaro), cifrato);
    QCOMPARE(DecifraPassword(cifrato), std::optional<QString>(chiaro));
}

void TestCrypt::andataRitorno()
{
    // Texts of every length from 1 to 255 that together use every 8-bit character.
    for (int n = 1; n <= 255; ++n) {
        QString chiaro;
        for (int i = 0; i < n; ++i)
            chiaro += QChar(char16_t((i * 97 + n * 31) % 256));
        const QString cifrato = CifraPassword(chiaro);
        QCOMPARE(cifrato.size(), 2 * n);
        for (const QChar c : cifrato)
            QVERIFY2((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'), qPrintable(cifrato));
        QCOMPARE(DecifraPassword(cifrato), std::optional<QString>(chiaro));
    }
}

void TestCrypt::decifratura_data()
{
    QTest::addColumn<QString>("cifrato");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<QString>("chiaro");

    QTest::newRow("lower-case digits") << QStringLiteral("53eaba") << true << QStringLiteral("ABC");
    QTest::newRow("mixed case") << QStringLiteral("53EaBa") << true << QStringLiteral("ABC");
    QTest::newRow("trailing odd digit ignored") << QStringLiteral("53EABA7") << true << QStringLiteral("ABC");
    QTest::newRow("trailing odd character never read") << QStringLiteral("53EABAZ") << true << QStringLiteral("ABC");
    QTest::newRow("single digit") << QStringLiteral("5") << true << QString();
    QTest::newRow("pair with a letter past F") << QStringLiteral("53EG") << false << QString();
    QTest::newRow("pair with a blank") << QStringLiteral("53 E") << false << QString();
    QTest::newRow("pair with a sign") << QStringLiteral("-1") << false << QString();
    QTest::newRow("full-width digit") << QStringLiteral("５3") << false << QString();
    QTest::newRow("0x prefix") << QStringLiteral("0x53") << false << QString();
}

void TestCrypt::decifratura()
{
    QFETCH(QString, cifrato);
    QFETCH(bool, valido);
    QFETCH(QString, chiaro);
    QCOMPARE(DecifraPassword(cifrato), valido ? std::optional<QString>(chiaro) : std::nullopt);
}

QTEST_GUILESS_MAIN(TestCrypt)
#include "tst_crypt.moc"
