#include <QTest>

#include "core/testo.h"
#include "core/traslitterazione.h"

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
    void letteraOccidentale_data();
    void letteraOccidentale();
    void ogniLetteraScrittaInCp1252();
    void traslittera();
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

void TestTesto::letteraOccidentale_data()
{
    QTest::addColumn<QString>("lettera");
    QTest::addColumn<QString>("scritta");

    // Letters with marks the code page lacks lose those marks.
    QTest::newRow("Romanian S comma below") << QStringLiteral("Ș") << QStringLiteral("S");
    QTest::newRow("Romanian t comma below") << QStringLiteral("ț") << QStringLiteral("t");
    QTest::newRow("Turkish G breve") << QStringLiteral("Ğ") << QStringLiteral("G");
    QTest::newRow("Turkish capital I with dot") << QStringLiteral("İ") << QStringLiteral("I");
    QTest::newRow("Hungarian O double acute") << QStringLiteral("Ő") << QStringLiteral("O");
    QTest::newRow("Hungarian u double acute") << QStringLiteral("ű") << QStringLiteral("u");
    QTest::newRow("Czech c caron") << QStringLiteral("č") << QStringLiteral("c");
    QTest::newRow("Polish z acute") << QStringLiteral("ź") << QStringLiteral("z");
    // ... and keep those it has: a second mark goes, the first stays.
    QTest::newRow("Pinyin u diaeresis acute") << QStringLiteral("ǘ") << QStringLiteral("ü");
    QTest::newRow("Vietnamese e circumflex dot below") << QStringLiteral("ệ") << QStringLiteral("ê");
    QTest::newRow("Angstrom sign") << QStringLiteral("\u212B") << QStringLiteral("Å");
    // Letters that are no letter with marks: the short table.
    QTest::newRow("Polish L stroke") << QStringLiteral("Ł") << QStringLiteral("L");
    QTest::newRow("Polish l stroke") << QStringLiteral("ł") << QStringLiteral("l");
    QTest::newRow("Turkish dotless i") << QStringLiteral("ı") << QStringLiteral("i");
    QTest::newRow("Croatian D stroke") << QStringLiteral("Đ") << QStringLiteral("D");
    QTest::newRow("Croatian d stroke") << QStringLiteral("đ") << QStringLiteral("d");
    QTest::newRow("Maltese h stroke") << QStringLiteral("ħ") << QStringLiteral("h");
    // No Latin letter under it, or already in the code page: nothing.
    QTest::newRow("Cyrillic") << QStringLiteral("Ж") << QString();
    QTest::newRow("Cyrillic with breve") << QStringLiteral("й") << QString();
    QTest::newRow("Greek with accent") << QStringLiteral("ά") << QString();
    QTest::newRow("not equal is no letter") << QStringLiteral("≠") << QString();
    QTest::newRow("combining accent alone") << QStringLiteral("\u0301") << QString();
    QTest::newRow("emoji") << QString::fromUcs4(U"\U0001F600") << QString();
    QTest::newRow("e acute is in the code page") << QStringLiteral("é") << QString();
    QTest::newRow("S caron is in the code page") << QStringLiteral("Š") << QString();
    QTest::newRow("O stroke is in the code page") << QStringLiteral("Ø") << QString();
}

void TestTesto::letteraOccidentale()
{
    QFETCH(QString, lettera);
    QFETCH(QString, scritta);
    QCOMPARE(qv::letteraOccidentale(lettera.toUcs4().constFirst()), scritta);
}

void TestTesto::ogniLetteraScrittaInCp1252()
{
    // Whatever a letter is written as is one letter the code page holds, and
    // only letters it cannot hold are written as another.
    for (char32_t c = 0x80; c <= 0x2FFFF; ++c) {
        const QString l = qv::letteraOccidentale(c);
        if (l.isEmpty())
            continue;
        QVERIFY2(!qv::cp1252Definito(c), qPrintable(QString::number(c, 16)));
        QCOMPARE(l.size(), 1);
        QVERIFY2(qv::cp1252Definito(l.at(0).unicode()) && l.at(0).isLetter(), qPrintable(QString::number(c, 16)));
    }
    // Every letter of the European Latin alphabets has one: Latin Extended-A but
    // for the few that are two letters in one or no Latin letter with a mark.
    for (char32_t c = 0x100; c <= 0x17F; ++c) {
        const bool senza = c == 0x132 || c == 0x133 || c == 0x138 || c == 0x149 || c == 0x14A || c == 0x14B
            || c == 0x152 || c == 0x153 || c == 0x160 || c == 0x161 || c == 0x178 || c == 0x17D || c == 0x17E
            || c == 0x17F;
        QVERIFY2(qv::letteraOccidentale(c).isEmpty() == senza, qPrintable(QString::number(c, 16)));
    }
}

void TestTesto::traslittera()
{
    QList<qv::Traslitterazione> cambi;
    QCOMPARE(qv::traslittera(QStringLiteral("Popescu Ștefan"), &cambi), QStringLiteral("Popescu Stefan"));
    QCOMPARE(cambi, (QList<qv::Traslitterazione>{{QStringLiteral("Ș"), QStringLiteral("S")}}));
    // Each change once, in the order of the text, after those already told.
    QCOMPARE(qv::traslittera(QStringLiteral("Łukasz Łódź, Țurcanu ștefan"), &cambi),
             QStringLiteral("Lukasz Lódz, Turcanu stefan"));
    QCOMPARE(cambi, (QList<qv::Traslitterazione>{{QStringLiteral("Ș"), QStringLiteral("S")},
                                                 {QStringLiteral("Ł"), QStringLiteral("L")},
                                                 {QStringLiteral("ź"), QStringLiteral("z")},
                                                 {QStringLiteral("Ț"), QStringLiteral("T")},
                                                 {QStringLiteral("ș"), QStringLiteral("s")}}));
    // An accent apart from its letter joins it; a letter of the code page is no change.
    cambi.clear();
    QCOMPARE(qv::traslittera(QStringLiteral("Jose\u0301 S\u0326tefan"), &cambi), QStringLiteral("José Stefan"));
    QCOMPARE(cambi, (QList<qv::Traslitterazione>{{QStringLiteral("Ș"), QStringLiteral("S")}}));
    // What has no Latin letter under it stays, to be refused.
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    QCOMPARE(qv::traslittera(QStringLiteral("Жanna ő ") + emoji), QStringLiteral("Жanna o ") + emoji);
    QCOMPARE(qv::traslittera(QStringLiteral("Perché € 5")), QStringLiteral("Perché € 5"));
    QCOMPARE(qv::traslittera(QString()), QString());
}

QTEST_GUILESS_MAIN(TestTesto)
#include "tst_testo.moc"
