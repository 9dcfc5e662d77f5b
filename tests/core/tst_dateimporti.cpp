#include <QTest>

#include "core/date.h"
#include "core/importo.h"

class TestDateImporti : public QObject
{
    Q_OBJECT
private slots:
    void date_data();
    void date();
    void dateDigitate_data();
    void dateDigitate();
    void importi_data();
    void importi();
    void importiMostrati_data();
    void importiMostrati();
    void statoImporti_data();
    void statoImporti();
};

void TestDateImporti::date_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QDate>("attesa"); // invalid: refused
    QTest::newRow("normale") << "15/03/2017" << QDate(2017, 3, 15);
    QTest::newRow("bisestile") << "29/02/2016" << QDate(2016, 2, 29);
    QTest::newRow("non bisestile") << "29/02/2017" << QDate();
    QTest::newRow("31 febbraio") << "31/02/2017" << QDate();
    QTest::newRow("mese 13") << "01/13/2017" << QDate();
    QTest::newRow("giorno 0") << "00/01/2017" << QDate();
    QTest::newRow("cifre singole") << "1/2/2017" << QDate(2017, 2, 1);
    QTest::newRow("spazi attorno") << " 01/02/2017 " << QDate(2017, 2, 1);
    QTest::newRow("anno corto") << "01/02/17" << QDate();
    QTest::newRow("lettere") << "0a/02/2017" << QDate();
    QTest::newRow("vuota") << "" << QDate();
    QTest::newRow("trattini") << "01-02-2017" << QDate();
    QTest::newRow("coda") << "01/02/2017x" << QDate();
}

void TestDateImporti::date()
{
    QFETCH(QString, testo);
    QFETCH(QDate, attesa);
    const std::optional<QDate> d = qv::leggiData(testo);
    QCOMPARE(d.has_value(), attesa.isValid());
    if (d) {
        QCOMPARE(*d, attesa);
        QCOMPARE(qv::scriviData(*d), attesa.toString("dd/MM/yyyy"));
    }
}

// Dates as people type them; what was read is named even when no such day exists.
void TestDateImporti::dateDigitate_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("letto"); // "dd/mm/yyyy"; empty when nothing was read
    using D = qv::DataDigitata;
    QTest::newRow("otto cifre") << "21122026" << int(D::Valida) << "21/12/2026";
    QTest::newRow("barre") << "21/12/2026" << int(D::Valida) << "21/12/2026";
    QTest::newRow("trattini, anno corto") << "21-12-26" << int(D::Valida) << "21/12/2026";
    QTest::newRow("punti") << "21.12.2026" << int(D::Valida) << "21/12/2026";
    QTest::newRow("cifre singole") << "1/2/2026" << int(D::Valida) << "01/02/2026";
    QTest::newRow("spazi") << "21 12 2026" << int(D::Valida) << "21/12/2026";
    QTest::newRow("spazi attorno ai separatori") << " 21 / 12 / 2026 " << int(D::Valida) << "21/12/2026";
    QTest::newRow("separatori misti") << "1.2-26" << int(D::Valida) << "01/02/2026";
    QTest::newRow("sei cifre") << "211226" << int(D::Valida) << "21/12/2026";
    QTest::newRow("anno 69") << "31/12/69" << int(D::Valida) << "31/12/2069";
    QTest::newRow("anno 70") << "01/01/70" << int(D::Valida) << "01/01/1970";
    QTest::newRow("anno 00") << "29/02/00" << int(D::Valida) << "29/02/2000";
    QTest::newRow("bisestile") << "29.02.2028" << int(D::Valida) << "29/02/2028";
    QTest::newRow("31 febbraio") << "31/02/2026" << int(D::Inesistente) << "31/02/2026";
    QTest::newRow("giorno 32") << "32/01/2026" << int(D::Inesistente) << "32/01/2026";
    QTest::newRow("non bisestile") << "29022027" << int(D::Inesistente) << "29/02/2027";
    QTest::newRow("mese 13") << "1-13-26" << int(D::Inesistente) << "01/13/2026";
    QTest::newRow("giorno 0") << "0/1/2026" << int(D::Inesistente) << "00/01/2026";
    QTest::newRow("anno 0") << "01/01/0000" << int(D::Inesistente) << "01/01/0000";
    QTest::newRow("vuota") << "  " << int(D::Vuota) << "";
    QTest::newRow("senza anno") << "21/12" << int(D::Illeggibile) << "";
    QTest::newRow("anno di tre cifre") << "21/12/202" << int(D::Illeggibile) << "";
    QTest::newRow("anno di una cifra") << "21/12/6" << int(D::Illeggibile) << "";
    QTest::newRow("giorno di tre cifre") << "211/12/2026" << int(D::Illeggibile) << "";
    QTest::newRow("sette cifre") << "1122026" << int(D::Illeggibile) << "";
    QTest::newRow("quattro parti") << "21/12/20/26" << int(D::Illeggibile) << "";
    QTest::newRow("lettere") << "21 dic 2026" << int(D::Illeggibile) << "";
    QTest::newRow("virgole") << "21,12,2026" << int(D::Illeggibile) << "";
    QTest::newRow("separatore in coda") << "21.12.2026." << int(D::Illeggibile) << "";
    QTest::newRow("separatore in testa") << "/21/12/2026" << int(D::Illeggibile) << "";
}

void TestDateImporti::dateDigitate()
{
    QFETCH(QString, digitato);
    QFETCH(int, stato);
    QFETCH(QString, letto);
    const qv::DataDigitata d = qv::leggiDataDigitata(digitato);
    QCOMPARE(int(d.stato), stato);
    QCOMPARE(d.testo, letto);
    QCOMPARE(d.data.isValid(), stato == qv::DataDigitata::Valida);
    if (d.data.isValid()) {
        // What was read is what every other date field holds and checks.
        QCOMPARE(qv::scriviData(d.data), letto);
        QCOMPARE(qv::leggiData(letto), std::optional<QDate>(d.data));
    }
    for (QChar c : digitato)
        QVERIFY(qv::carattereData(c) || stato == qv::DataDigitata::Illeggibile);
}

void TestDateImporti::importi_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("risultato");
    QTest::newRow("intero") << "125" << "125,00";
    QTest::newRow("un decimale") << "12,5" << "12,50";
    QTest::newRow("tre decimali") << "12,345" << "12,345";
    QTest::newRow("quattro decimali") << "1,2345" << "1,2345";
    QTest::newRow("cinque, arrotonda su") << "1,23455" << "1,2346";
    QTest::newRow("cinque, arrotonda giu") << "1,23454" << "1,2345";
    QTest::newRow("quasi zero") << "0,00004" << "0,00";
    QTest::newRow("vuoto") << "" << "0,00";
    QTest::newRow("solo spazi") << "   " << "0,00";
    QTest::newRow("due virgole") << "1,2,3" << "0,00";
    QTest::newRow("solo virgola") << "," << "0,00";
    QTest::newRow("virgola iniziale") << ",5" << "0,50";
    QTest::newRow("virgola finale") << "7," << "7,00";
    QTest::newRow("zeri finali") << "3,10" << "3,10";
    QTest::newRow("zeri iniziali") << "0012" << "12,00";
    QTest::newRow("migliaia") << "1250" << "1250,00";
    QTest::newRow("lettere") << "12a" << "0,00";
    QTest::newRow("punto fuori posto") << "12.5" << "0,00";
    QTest::newRow("punto delle migliaia") << "1.250,50" << "1250,50";
    QTest::newRow("milioni") << "1.234.567,8" << "1234567,80";
    QTest::newRow("migliaia senza decimali") << "1.250" << "1250,00";
    QTest::newRow("quindici cifre") << "123456789012,34" << "123456789012,34";
    QTest::newRow("zero") << "0" << "0,00";
}

void TestDateImporti::importi()
{
    QFETCH(QString, digitato);
    QFETCH(QString, risultato);
    QCOMPARE(qv::formattaImporto(digitato), risultato);
}

// Every amount is shown with the thousands dots and at least two decimals,
// and read back as the archives hold it.
void TestDateImporti::importiMostrati_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("mostrato");
    QTest::addColumn<QString>("archivio");
    QTest::newRow("milioni digitati coi punti") << "1.234.567,89" << "1.234.567,89" << "1234567,89";
    QTest::newRow("milioni dall'archivio") << "1234567,89" << "1.234.567,89" << "1234567,89";
    QTest::newRow("migliaia intere") << "2500" << "2.500,00" << "2500";
    QTest::newRow("mille") << "1000,5" << "1.000,50" << "1000,5";
    QTest::newRow("sotto mille") << "999,99" << "999,99" << "999,99";
    QTest::newRow("zero") << "0,00" << "0,00" << "0,00";
    QTest::newRow("tre decimali restano") << "12345,678" << "12.345,678" << "12345,678";
    QTest::newRow("dodici cifre") << "123456789012" << "123.456.789.012,00" << "123456789012";
    QTest::newRow("spazi attorno") << " 1800 " << "1.800,00" << "1800";
    QTest::newRow("vuoto") << "" << "" << "";
    QTest::newRow("non un importo") << "1,250,50" << "1,250,50" << "1,250,50";
    QTest::newRow("punto fuori posto") << "1250.50" << "1250.50" << "1250.50";
}

void TestDateImporti::importiMostrati()
{
    QFETCH(QString, testo);
    QFETCH(QString, mostrato);
    QFETCH(QString, archivio);
    QCOMPARE(qv::mostraImporto(testo), mostrato);
    QCOMPARE(qv::importoArchivio(testo), archivio);
    // What is shown reads back as the same amount.
    if (qv::statoImporto(testo) == qv::StatoImporto::Valido)
        QCOMPARE(qv::formattaImporto(qv::importoArchivio(mostrato)), qv::formattaImporto(testo));
}

void TestDateImporti::statoImporti_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("stato");
    using S = qv::StatoImporto;
    QTest::newRow("vuoto") << "" << int(S::Valido);
    QTest::newRow("migliaia e decimali") << "1.250,50" << int(S::Valido);
    QTest::newRow("milioni") << "12.345.678" << int(S::Valido);
    QTest::newRow("virgola iniziale") << ",5" << int(S::Valido);
    QTest::newRow("gruppo non finito") << "1.25" << int(S::Migliaia);
    QTest::newRow("decimale inglese") << "1250.50" << int(S::Migliaia);
    QTest::newRow("primo gruppo lungo") << "1250.500" << int(S::Migliaia);
    QTest::newRow("due punti") << "1..250" << int(S::Migliaia);
    QTest::newRow("punto iniziale") << ".250" << int(S::Migliaia);
    QTest::newRow("punto prima della virgola") << "1.,5" << int(S::Migliaia);
    QTest::newRow("seconda virgola") << "1,250,50" << int(S::SecondaVirgola);
    QTest::newRow("punto nei decimali") << "1,250.50" << int(S::PuntoDopoVirgola);
    QTest::newRow("lettera") << "12o" << int(S::Carattere);
    QTest::newRow("segno") << "-5" << int(S::Carattere);
    QTest::newRow("spazio") << "1 250" << int(S::Carattere);
}

void TestDateImporti::statoImporti()
{
    QFETCH(QString, testo);
    QFETCH(int, stato);
    QCOMPARE(int(qv::statoImporto(testo)), stato);
}

QTEST_GUILESS_MAIN(TestDateImporti)
#include "tst_dateimporti.moc"
