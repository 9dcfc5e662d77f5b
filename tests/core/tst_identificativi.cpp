#include <QTest>

#include "core/identificativi.h"

#include <QSet>

// Check characters and check digits below were worked out by hand from the
// official tables, not with the routines under test.
class TestIdentificativi : public QObject
{
    Q_OBJECT
private slots:
    void codFisc_data();
    void codFisc();
    void partitaIva_data();
    void partitaIva();
    void tabellaUffici_data();
    void tabellaUffici();
    void tabellaUfficiCompleta();
    void lettereInCifre();
    void iban_data();
    void iban();
};

void TestIdentificativi::codFisc_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<bool>("valido");

    QTest::newRow("textbook") << "RSSMRA80A01H501U" << true;
    QTest::newRow("wrong check letter") << "RSSMRA80A01H501A" << false;
    // Omocodia: 8 -> U and 0 -> L at positions 7-8 move the check letter from U to C.
    QTest::newRow("omocodia 7-8") << "RSSMRAULA01H501C" << true;
    QTest::newRow("omocodia 7-8, old letter") << "RSSMRAULA01H501U" << false;
    QTest::newRow("omocodia, every digit") << "RSSMRAULALMHRLMD" << true;
    QTest::newRow("digit as 16th") << "RSSMRA80A01H5010" << false;
    QTest::newRow("digit as 16th, all digits") << "0000000000000000" << false;
    // No fiscal code holds anything but A-Z and 0-9: the signs between 9 and A,
    // though they would weigh as much as the 0 they replace, make it wrong.
    QTest::newRow("colon for a zero") << "RSSMRA80A01H5:1U" << false;
    QTest::newRow("at sign for a zero") << "RSSMRA80A01H5@1U" << false;
    QTest::newRow("question mark for a zero") << "RSSMRA80A01H5?1U" << false;
    QTest::newRow("blank inside") << "RSSMRA80A01H5 1U" << false;
    QTest::newRow("lower case") << "rssmra80a01h501u" << false;
    QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ80A01H501U") << false;
    QTest::newRow("15 characters") << "RSSMRA80A01H501" << false;
    QTest::newRow("17 characters") << "RSSMRA80A01H501UU" << false;
    QTest::newRow("empty") << QString() << false;
}

void TestIdentificativi::codFisc()
{
    QFETCH(QString, codice);
    QFETCH(bool, valido);
    QCOMPARE(qv::ControllaCodFisc(codice), valido);
}

namespace {
QString rilasciata(const char *ufficio)
{
    return QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di %1.").arg(QString::fromUtf8(ufficio));
}
QString senzaUfficio(const char *codice)
{
    return QStringLiteral("Il codice dell'Ufficio IVA (%1) non corrisponde a nessun ufficio della tabella.")
        .arg(QLatin1String(codice));
}
} // namespace

void TestIdentificativi::partitaIva_data()
{
    QTest::addColumn<QString>("piva");
    QTest::addColumn<bool>("valida");
    QTest::addColumn<QString>("ufficio"); // what the message says of the office

    QTest::newRow("Torino") << "12345670017" << true << rilasciata("Torino");
    QTest::newRow("Bologna 1") << "12345670371" << true << rilasciata("Bologna 1");
    QTest::newRow("120 Bologna 2") << "12345671205" << true << rilasciata("Bologna 2");
    QTest::newRow("101 Bologna 2") << "12345671015" << true << rilasciata("Bologna 2");
    QTest::newRow("Monza") << "98765430966" << true << rilasciata("Monza (Milano 2)");
    // A code with no office: the code itself is named.
    QTest::newRow("103 no office") << "12345671031" << true << senzaUfficio("103");
    QTest::newRow("000 no office") << "12345670009" << true << senzaUfficio("000");
    QTest::newRow("all zeros") << "00000000000" << true << senzaUfficio("000");
    QTest::newRow("wrong last digit") << "12345670018" << false << "";
    QTest::newRow("last digit off by 9") << "12345670010" << false << "";
    QTest::newRow("letter among 11") << "12345A70017" << false << "";
    QTest::newRow("blank among 11") << "1234567001 " << false << "";
    QTest::newRow("non-Latin digit") << QStringLiteral("1234567001\u0667") << false << "";
    QTest::newRow("10 digits") << "1234567001" << false << "";
    QTest::newRow("12 digits") << "123456700170" << false << "";
}

void TestIdentificativi::partitaIva()
{
    QFETCH(QString, piva);
    QFETCH(bool, valida);
    QFETCH(QString, ufficio);

    QCOMPARE(qv::ControllaPartitaIva(piva), valida);
    if (valida)
        QCOMPARE(qv::MsgPartitaIvaValida(piva),
                 QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n") + ufficio);
}

void TestIdentificativi::tabellaUffici_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("ufficio");

    QTest::newRow("first") << "001" << "Torino";
    QTest::newRow("accent") << "040" << QStringLiteral("Forlì");
    QTest::newRow("Aquila") << "066" << "Aquila";
    QTest::newRow("Prato") << "097" << "Prato (Firenze 2)";
    QTest::newRow("Chiavari") << "099" << "Chiavari (Genova 2)";
    QTest::newRow("last of the run") << "102" << "Napoli 2";
    QTest::newRow("121") << "121" << "Napoli 2";
    // Codes are compared as text: no padding, no trimming.
    QTest::newRow("unpadded") << "1" << "";
    QTest::newRow("blank padded") << " 01" << "";
    QTest::newRow("four digits") << "0001" << "";
}

void TestIdentificativi::tabellaUffici()
{
    QFETCH(QString, codice);
    QFETCH(QString, ufficio);
    QCOMPARE(qv::UfficioIva(codice), ufficio);
}

void TestIdentificativi::tabellaUfficiCompleta()
{
    // Exactly 001-102, 120 and 121 have an office; every other code has none.
    QSet<QString> conUfficio;
    for (int n = 0; n < 1000; ++n) {
        const QString codice = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!qv::UfficioIva(codice).isEmpty())
            conUfficio.insert(codice);
    }
    QSet<QString> attesi{QStringLiteral("120"), QStringLiteral("121")};
    for (int n = 1; n <= 102; ++n)
        attesi.insert(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
    QCOMPARE(conUfficio, attesi);
}

void TestIdentificativi::lettereInCifre()
{
    QCOMPARE(qv::LettereInCifre(QStringLiteral("A0Z9M")), QStringLiteral("10035922"));
    // Only A-Z are letters here: lower case and other characters pass through.
    QCOMPARE(qv::LettereInCifre(QStringLiteral("a.É")), QStringLiteral("a.É"));
    QCOMPARE(qv::LettereInCifre(QString()), QString());
}

void TestIdentificativi::iban_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("resto");
    QTest::addColumn<bool>("valido");

    QTest::newRow("Italian example") << "IT60X0542811101000000123456" << 1 << true;
    QTest::newRow("last digit 7") << "IT60X0542811101000000123457" << 28 << false;
    QTest::newRow("check digits 00") << "IT00X0542811101000000123456" << 38 << false;
    QTest::newRow("lower case") << "it60x0542811101000000123456" << 1 << true;
    QTest::newRow("French") << "FR1420041010050500013M02606" << 1 << true;
    QTest::newRow("German, 22 chars") << "DE89370400440532013000" << 1 << true;
    // The remainder does not skip blanks; the check does.
    QTest::newRow("blank inside") << "IT60X0542811101000000 123456" << 0 << true;
    QTest::newRow("printed in groups") << "IT60 X054 2811 1010 0000 0123 456" << 0 << true;
    QTest::newRow("IBAN prefix") << "IBANIT60X0542811101000000123456" << 1 << true;
    // "IBAN" is a prefix only at the start: inside the account part it is part of the number.
    QTest::newRow("IBAN inside the account") << "IT66X1778242969FHU6FGZIBANW" << 1 << true;
    QTest::newRow("IBAN inside, prefixed") << "IBANIT66X1778242969FHU6FGZIBANW" << 1 << true;
    QTest::newRow("iban prefix, grouped") << "iban IT60 X054 2811 1010 0000 0123 456" << 0 << true;
    QTest::newRow("dot inside") << "IT60X05428.1101000000123456" << 0 << false;
    QTest::newRow("accented letter") << QStringLiteral("IT60X0542811101000000123È56") << 0 << false;
    QTest::newRow("empty") << QString() << 0 << false;
    QTest::newRow("only IBAN") << "IBAN" << 0 << false;
    // The first nine digits, 970000000, leave nothing to carry into the next piece.
    QTest::newRow("carry 0") << "000097000000012345678" << 27 << false;
    QTest::newRow("shorter than four") << "1" << 1 << true;
}

void TestIdentificativi::iban()
{
    QFETCH(QString, testo);
    QFETCH(int, resto);
    QFETCH(bool, valido);

    QCOMPARE(qv::RestoIban(testo), resto);
    QCOMPARE(qv::ControllaIban(testo), valido);
}

QTEST_GUILESS_MAIN(TestIdentificativi)
#include "tst_identificativi.moc"
