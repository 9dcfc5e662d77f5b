#include <QTest>

#include "core/codicefiscale.h"
#include "core/confrontocf.h"
#include "core/identificativi.h"

using namespace qv;

namespace {

// Today for every reading: the century of a two-digit year depends on it.
const QDate Oggi(2017, 3, 15);

QDate d(int a, int m, int g) { return QDate(a, m, g); }

} // namespace

class TestCodiceFiscale : public QObject
{
    Q_OBJECT
private slots:
    void lettere_data();
    void lettere();
    void codici_data();
    void codici();
    void omocodia_data();
    void omocodia();
    void secolo_data();
    void secolo();
    void impossibili_data();
    void impossibili();
    void ricerche_data();
    void ricerche();
    void altriNomi_data();
    void altriNomi();
    void nomiUfficiali_data();
    void nomiUfficiali();
    void luogoScritto();
    void cognomeENome();
};

// The letters of surnames and names as published worked examples give them.
void TestCodiceFiscale::lettere_data()
{
    QTest::addColumn<bool>("cognome");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    const struct { bool cognome; const char *testo, *atteso; } casi[] = {
        {true, "Rossi", "RSS"},      {true, "Costa", "CST"},      {true, "Fiò", "FIO"},
        {true, "Palumbo", "PLM"},    {true, "Covino", "CVN"},     {true, "Gori", "GRO"},
        {true, "Lieto", "LTI"},      {true, "Fo", "FOX"},         {true, "Riva", "RVI"},
        {true, "Re", "REX"},         {true, "Giordano", "GRD"},   {true, "De Luca", "DLC"},
        {true, "D'Acunto", "DCN"},   {true, "Dell'Anno", "DLL"},  {true, "Di Biagio", "DBG"},
        {true, "DE LUCA", "DLC"},    {true, "  d'acunto ", "DCN"},
        {false, "Marco", "MRC"},     {false, "Luca", "LCU"},      {false, "Ugo", "GUO"},
        {false, "Vincenzo", "VCN"},  {false, "Marta", "MRT"},     {false, "Sara", "SRA"},
        {false, "Al", "LAX"},        {false, "Alessandro", "LSN"}, {false, "Franco", "FNC"},
        {false, "Barbara", "BBR"},   {false, "Samantha", "SNT"},  {false, "Matteo", "MTT"},
    };
    for (const auto &c : casi)
        QTest::newRow(c.testo) << c.cognome << QString::fromUtf8(c.testo) << QString::fromLatin1(c.atteso);
}

void TestCodiceFiscale::lettere()
{
    QFETCH(bool, cognome);
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(cognome ? codiceCognome(testo) : codiceNome(testo), atteso);
}

// Whole codes of published worked examples, computed and read back.
void TestCodiceFiscale::codici_data()
{
    QTest::addColumn<QString>("cognome");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QChar>("sesso");
    QTest::addColumn<QDate>("nascita");
    QTest::addColumn<QString>("luogo");
    QTest::addColumn<QString>("provincia");
    QTest::addColumn<QString>("codice");
    QTest::newRow("Mario Rossi, Roma") << "Rossi" << "Mario" << QChar(u'M') << d(1980, 1, 1) << "Roma" << "RM"
                                       << "RSSMRA80A01H501U";
    QTest::newRow("Franco Rossi, Milano, four consonants")
        << "Rossi" << "Franco" << QChar(u'M') << d(1980, 12, 31) << "Milano" << "MI" << "RSSFNC80T31F205U";
    QTest::newRow("Matteo Moretti, 1925") << "Moretti" << "Matteo" << QChar(u'M') << d(1925, 4, 9) << "milano" << ""
                                          << "MRTMTT25D09F205Z";
    QTest::newRow("Samantha Miller, United States, woman")
        << "Miller" << "Samantha" << QChar(u'F') << d(1982, 9, 25) << "Stati Uniti d'America" << "EE"
        << "MLLSNT82P65Z404U";
    QTest::newRow("Barbara Rossi, Napoli, woman")
        << "Rossi" << "Barbara" << QChar(u'F') << d(1969, 3, 8) << "Napoli" << "NA" << "RSSBBR69C48F839A";
}

void TestCodiceFiscale::codici()
{
    QFETCH(QString, cognome);
    QFETCH(QString, nome);
    QFETCH(QChar, sesso);
    QFETCH(QDate, nascita);
    QFETCH(QString, luogo);
    QFETCH(QString, provincia);
    QFETCH(QString, codice);

    const QString catastale = CodiceCatastale(luogo, provincia, nascita);
    QCOMPARE(catastale, codice.mid(11, 4));
    QCOMPARE(CalcolaCodiceFiscale({cognome, nome, sesso, nascita, catastale}), codice);

    const std::optional<DatiAnagrafici> letto = LeggiCodiceFiscale(codice.toLower(), Oggi);
    QVERIFY(letto);
    QCOMPARE(letto->sesso, sesso);
    QCOMPARE(letto->nascita, nascita);
    QCOMPARE(letto->codiceCatastale, catastale);
    QVERIFY(letto->cognome.isEmpty() && letto->nome.isEmpty());
    QCOMPARE(SessoDaCodiceFiscale(codice), sesso);
}

// Digits replaced by L M N P Q R S T U V read as the digits they stand for.
void TestCodiceFiscale::omocodia_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("originale");
    QTest::newRow("last digit") << "RSSMRA80A01H50MU" << "RSSMRA80A01H501U";
    QTest::newRow("every digit") << "RSSMRAULALMHRLMX" << "RSSMRA80A01H501U";
    QTest::newRow("woman abroad") << "MLLSNT82P65Z4LQU" << "MLLSNT82P65Z404U";
    QTest::newRow("year and day") << "MRTMTTNRDLVF205Z" << "MRTMTT25D09F205Z";
}

void TestCodiceFiscale::omocodia()
{
    QFETCH(QString, codice);
    QFETCH(QString, originale);
    const auto letto = LeggiCodiceFiscale(codice, Oggi);
    const auto atteso = LeggiCodiceFiscale(originale, Oggi);
    QVERIFY(letto && atteso);
    QCOMPARE(letto->sesso, atteso->sesso);
    QCOMPARE(letto->nascita, atteso->nascita);
    QCOMPARE(letto->codiceCatastale, atteso->codiceCatastale);
    // With its own check letter the variant is a valid code of the same person.
    QString valido = codice.left(15);
    valido += CarattereControlloCodFisc(valido);
    QVERIFY(ControllaCodFisc(valido));
    QCOMPARE(SessoDaCodiceFiscale(valido), atteso->sesso);
}

// Neither in the future nor a hundred years or more before today.
void TestCodiceFiscale::secolo_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QDate>("oggi");
    QTest::addColumn<QDate>("nascita");
    QTest::newRow("earlier this year") << "RSSMRA17A01H501X" << Oggi << d(2017, 1, 1);
    QTest::newRow("today") << "RSSMRA17C15H501X" << Oggi << d(2017, 3, 15);
    QTest::newRow("tomorrow, a century ago") << "RSSMRA17C16H501X" << Oggi << d(1917, 3, 16);
    QTest::newRow("last century") << "RSSMRA99T31H501X" << Oggi << d(1999, 12, 31);
    QTest::newRow("29 February 2000") << "RSSMRA00B69H501X" << Oggi << d(2000, 2, 29);
}

void TestCodiceFiscale::secolo()
{
    QFETCH(QString, codice);
    QFETCH(QDate, oggi);
    QFETCH(QDate, nascita);
    const auto letto = LeggiCodiceFiscale(codice, oggi);
    QVERIFY(letto);
    QCOMPARE(letto->nascita, nascita);
}

// Layouts no person can have: nothing, even with the right check letter.
void TestCodiceFiscale::impossibili_data()
{
    QTest::addColumn<QString>("primi15");
    QTest::addColumn<QDate>("oggi");
    QTest::newRow("month letter F") << "RSSMRA80F01H501" << Oggi;
    QTest::newRow("month letter Z") << "RSSMRA80Z01H501" << Oggi;
    QTest::newRow("day 00") << "RSSMRA80A00H501" << Oggi;
    QTest::newRow("day 32") << "RSSMRA80A32H501" << Oggi;
    QTest::newRow("day 40") << "RSSMRA80A40H501" << Oggi;
    QTest::newRow("day 72") << "RSSMRA80A72H501" << Oggi;
    QTest::newRow("31 April") << "RSSMRA80D31H501" << Oggi;
    QTest::newRow("30 February, woman") << "RSSMRA80B70H501" << Oggi;
    QTest::newRow("29 February 1981") << "RSSMRA81B29H501" << Oggi;
    QTest::newRow("29 February 1900") << "RSSMRA00B29H501" << d(2000, 1, 1);
    QTest::newRow("cadastral code of digits") << "RSSMRA80A011501" << Oggi;
    QTest::newRow("cadastral code with O") << "RSSMRA80A01H5O1" << Oggi;
    QTest::newRow("digit in the surname") << "R5SMRA80A01H501" << Oggi;
    QTest::newRow("letter for a digit outside omocodia") << "RSSMRA8AA01H501" << Oggi;
    QTest::newRow("blank inside") << "RSSMRA80A01 501" << Oggi;
}

void TestCodiceFiscale::impossibili()
{
    QFETCH(QString, primi15);
    QFETCH(QDate, oggi);
    const QChar controllo = CarattereControlloCodFisc(primi15);
    if (!controllo.isNull())
        QVERIFY(ControllaCodFisc(primi15 + controllo));
    QVERIFY(!LeggiCodiceFiscale(primi15 + controllo, oggi));
    QVERIFY(!LeggiCodiceFiscale(primi15 + u'A', oggi));
    // Only the century makes 29 February 1900 impossible: some century has it.
    if (oggi == Oggi)
        QVERIFY(SessoDaCodiceFiscale(primi15 + controllo).isNull());
    QVERIFY(!LeggiCodiceFiscale(primi15, oggi)); // 15 characters
}

// Look-ups of the table: names folded, a place valid on the date asked.
void TestCodiceFiscale::ricerche_data()
{
    QTest::addColumn<QString>("luogo");
    QTest::addColumn<QString>("provincia");
    QTest::addColumn<QDate>("data");
    QTest::addColumn<QString>("codice");
    QTest::newRow("Roma") << "Roma" << "RM" << d(1980, 1, 1) << "H501";
    QTest::newRow("upper case, any date") << "ROMA" << "" << QDate() << "H501";
    QTest::newRow("accent") << "Forlì" << "FC" << d(1985, 9, 21) << "D704";
    QTest::newRow("accent as apostrophe") << "FORLI'" << "" << d(1985, 9, 21) << "D704";
    QTest::newRow("apostrophe and accent") << "citta sant angelo" << "pe" << d(1970, 1, 1) << "C750";
    QTest::newRow("merged comune before the merger") << "Corigliano Calabro" << "CS" << d(1980, 5, 1) << "D005";
    QTest::newRow("merged comune after it") << "Corigliano Calabro" << "CS" << d(2019, 1, 1) << "";
    QTest::newRow("the new comune") << "Corigliano-Rossano" << "CS" << d(2019, 1, 1) << "M403";
    QTest::newRow("the new comune before it existed") << "Corigliano Rossano" << "" << d(1980, 5, 1) << "";
    QTest::newRow("two provinces, none given") << "Samone" << "" << d(1980, 1, 1) << "";
    QTest::newRow("two provinces, one given") << "Samone" << "TN" << d(1980, 1, 1) << "H754";
    QTest::newRow("wrong province") << "Roma" << "MI" << d(1980, 1, 1) << "";
    QTest::newRow("province in brackets") << "Samone (TN)" << "" << d(1980, 1, 1) << "H754";
    QTest::newRow("foreign state") << "Francia" << "EE" << d(1980, 1, 1) << "Z110";
    QTest::newRow("state with two names") << "Birmania" << "" << d(1980, 1, 1) << "Z206";
    QTest::newRow("unknown") << "Parigi" << "" << d(1980, 1, 1) << "";
}

void TestCodiceFiscale::ricerche()
{
    QFETCH(QString, luogo);
    QFETCH(QString, provincia);
    QFETCH(QDate, data);
    QFETCH(QString, codice);
    QCOMPARE(CodiceCatastale(luogo, provincia, data), codice);
    if (!codice.isEmpty()) {
        QVERIFY(chiaveLuogo(LuogoDaCodice(codice, data)).contains(chiaveLuogo(separaProvincia(luogo).nome))
                || LuogoDaCodice(codice, data).contains(u'/'));
    }
    // The table as a whole: every comune and state, old ones with their last day.
    QVERIFY(tabellaLuoghi().size() > 9000);
    QCOMPARE(LuogoDaCodice(QStringLiteral("D005"), d(1980, 5, 1)), QStringLiteral("Corigliano Calabro"));
    QCOMPARE(LuogoDaCodice(QStringLiteral("D005"), d(2020, 1, 1)), QString());
    QCOMPARE(LuogoDaCodice(QStringLiteral("d005"), QDate()), QStringLiteral("Corigliano Calabro"));
    QCOMPARE(LuogoDaCodice(QStringLiteral("Z404"), d(1982, 9, 25)), QStringLiteral("Stati Uniti d'America"));
    QCOMPARE(LuogoDaCodice(QStringLiteral("C744"), QDate()), QStringLiteral("Città della Pieve"));
    QCOMPARE(LuogoDaCodice(QStringLiteral("X999"), QDate()), QString());
}

// The names people use: short and bilingual names of comuni, everyday names
// of states, and places that were Italian until 1947 by their names of then
// and of now; after that day the place says what it is now.
void TestCodiceFiscale::altriNomi_data()
{
    QTest::addColumn<QString>("luogo");
    QTest::addColumn<QDate>("data");
    QTest::addColumn<QString>("codice"); // empty: none on that day
    QTest::addColumn<QString>("ora");    // what luogoNonPiuItaliano adds
    QTest::newRow("Reggio Emilia") << "Reggio Emilia" << d(1980, 1, 1) << "H223" << "";
    QTest::newRow("Reggio Calabria") << "reggio calabria" << d(1980, 1, 1) << "H224" << "";
    QTest::newRow("Bozen") << "Bozen" << d(1980, 1, 1) << "A952" << "";
    QTest::newRow("Bozen (BZ)") << "Bozen (BZ)" << d(1980, 1, 1) << "A952" << "";
    QTest::newRow("Brixen, from ISTAT's bilingual names") << "Brixen" << d(1980, 1, 1) << "B160" << "";
    QTest::newRow("Aoste") << "Aoste" << d(1980, 1, 1) << "A326" << "";
    QTest::newRow("Stati Uniti") << "Stati Uniti" << d(1980, 1, 1) << "Z404" << "";
    QTest::newRow("USA") << "USA" << d(1980, 1, 1) << "Z404" << "";
    QTest::newRow("Fiume before 1947") << "Fiume" << d(1930, 5, 1) << "D620" << "";
    QTest::newRow("Rijeka before 1947") << "Rijeka" << d(1930, 5, 1) << "D620" << "";
    QTest::newRow("Pola before 1947") << "Pola" << d(1935, 1, 1) << "G778" << "";
    QTest::newRow("Zara before 1947") << "Zara" << d(1940, 1, 1) << "M149" << "";
    QTest::newRow("Fiume after 1947")
        << "Fiume" << d(1960, 1, 1) << ""
        << "Fiume fu un comune italiano fino al 16/09/1947; oggi è Rijeka, in Croazia: per chi vi è nato dopo, "
           "indicare lo stato estero";
    QTest::newRow("Zara (ZA) after 1947")
        << "Zara (ZA)" << d(1950, 1, 1) << ""
        << "Zara fu un comune italiano fino al 16/09/1947; oggi è Zadar, in Croazia: per chi vi è nato dopo, "
           "indicare lo stato estero";
    QTest::newRow("a comune merged since says nothing more") << "Corigliano Calabro" << d(2019, 1, 1) << "" << "";
}

void TestCodiceFiscale::altriNomi()
{
    QFETCH(QString, luogo);
    QFETCH(QDate, data);
    QFETCH(QString, codice);
    QFETCH(QString, ora);
    QCOMPARE(CodiceCatastale(luogo, QString(), data), codice);
    const LuogoScritto scritto = separaProvincia(luogo);
    QCOMPARE(luogoNonPiuItaliano(scritto.nome, scritto.provincia, data), ora);
    // The place keeps its own name ("Bolzano", "Reggio nell'Emilia"): the other names only find it.
    if (!codice.isEmpty())
        QVERIFY(!LuogoDaCodice(codice, data).contains(u'/'));
}

// Comuni in use today are named as ISTAT names them now, with their current
// province, read back from the code and found by that name; an old name, an
// old province or a wrong case is not what the code reads as.
void TestCodiceFiscale::nomiUfficiali_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QDate>("data");
    QTest::addColumn<QString>("luogo");     // as the code reads back
    QTest::addColumn<QString>("vecchio");   // what the table said before, never the answer again
    const QDate nato(1990, 6, 1);
    // Renamed, or moved to another province, keeping their code.
    QTest::newRow("B733") << "B733" << nato << "Caravino (TO)" << "Masino (AO)";
    QTest::newRow("C178") << "C178" << nato << "Castello del Matese (CE)" << "Castello D'alife (BN)";
    QTest::newRow("C556") << "C556" << nato << "Cervignano del Friuli (UD)" << "Cervignano (UD)";
    QTest::newRow("C868") << "C868" << nato << "Colleretto Giacosa (TO)" << "Colleretto Parella (AO)";
    QTest::newRow("D801") << "D801" << nato << "Villa di Briano (CE)" << "Frignano Piccolo (NA)";
    QTest::newRow("D884") << "D884" << nato << "Gallo Matese (CE)" << "Gallo (CB)";
    QTest::newRow("F203") << "F203" << nato << "Mignano Monte Lungo (CE)" << "Mignano (NA)";
    QTest::newRow("G541") << "G541" << nato << "Piana di Monte Verna (CE)" << "Piana Di Caiazzo (BN)";
    QTest::newRow("G596") << "G596" << nato << "Piedimonte Matese (CE)" << "Piedimonte D'alife (BN)";
    QTest::newRow("H939") << "H939" << nato << "San Gregorio Matese (CE)" << "San Gregorio (BN)";
    QTest::newRow("I126") << "I126" << nato << "San Ponso (TO)" << "San Ponso Canavese (AO)";
    QTest::newRow("I702") << "I702" << nato << "Settimo Vittone (TO)" << "Settimo Tavagnasco (AO)";
    QTest::newRow("L247") << "L247" << nato << "Torre Canavese (TO)" << "Torre Bairo (AO)";
    QTest::newRow("L379") << "L379" << nato << "Trentola Ducenta (CE)" << "Trentola (NA)";
    QTest::newRow("E379 provincia") << "E379" << nato << "Ivrea (TO)" << "Ivrea (AO)";
    QTest::newRow("G015 provincia di oggi") << "G015" << nato << "Olbia (SS)" << "Olbia (OT)";
    // Written in ISTAT's own case and letters.
    QTest::newRow("A157") << "A157" << nato << "Albiano d'Ivrea (TO)" << "Albiano D'ivrea (AO)";
    QTest::newRow("L144") << "L144" << nato << "Terzo d'Aquileia (UD)" << "Terzo D'aquileia (UD)";
    QTest::newRow("A579") << "A579" << nato << "Baia e Latina (CE)" << "Baia E Latina (NA)";
    QTest::newRow("B704") << "B704" << nato << "Capriati a Volturno (CE)" << "Capriati A Volturno (CB)";
    QTest::newRow("I352") << "I352" << nato << "Sant'Oreste (RM)" << "Sant'oreste (VT)";
    QTest::newRow("C641") << "C641" << nato << "Chiopris-Viscone (UD)" << "Chiopris-viscone (UD)";
    QTest::newRow("I122") << "I122" << nato << "San Polo Matese (CB)" << "San Polomatese (CB)";
    QTest::newRow("M273") << "M273" << nato << "Santa Maria la Carità (NA)" << "Santa Maria la CaritĂ (NA)";
    // Two languages: the Italian name.
    QTest::newRow("A952") << "A952" << nato << "Bolzano (BZ)" << "Bolzano/Bozen (BZ)";
    QTest::newRow("D312") << "D312" << nato << "Doberdò del Lago (GO)" << "Doberdò del Lago-Doberdob (GO)";
    // No longer in use: the particles in the same case as ISTAT writes them.
    QTest::newRow("A121 soppresso") << "A121" << nato << "Alano di Piave (BL)" << "Alano Di Piave (BL)";
}

void TestCodiceFiscale::nomiUfficiali()
{
    QFETCH(QString, codice);
    QFETCH(QDate, data);
    QFETCH(QString, luogo);
    QFETCH(QString, vecchio);
    const Luogo *l = luogoPerCodice(codice, data);
    QVERIFY(l);
    QCOMPARE(l->descrizione(), luogo);
    QCOMPARE(descriviLuogoNascita(codice, data), QStringLiteral("a ") + luogo);
    // Found by its name, with or without its province, in any case.
    const LuogoScritto scritto = separaProvincia(luogo);
    QCOMPARE(CodiceCatastale(luogo, QString(), data), codice);
    QCOMPARE(CodiceCatastale(scritto.nome.toUpper(), scritto.provincia, data), codice);
    // The birthplace field offers it, and no longer the old form.
    static const QStringList offerti = nomiLuoghi();
    QVERIFY(offerti.contains(luogo));
    QVERIFY(!offerti.contains(vecchio));
}

void TestCodiceFiscale::luogoScritto()
{
    const struct { const char *testo, *nome, *provincia; } casi[] = {
        {"Roma (RM)", "Roma", "RM"},
        {"  Reggio nell'Emilia(re) ", "Reggio nell'Emilia", "RE"},
        {"Corigliano-Rossano - (CS)", "Corigliano-Rossano", "CS"},
        {"Roma", "Roma", ""},
        {"Parigi (Francia)", "Parigi (Francia)", ""},
    };
    for (const auto &c : casi) {
        const LuogoScritto l = separaProvincia(QString::fromUtf8(c.testo));
        QCOMPARE(l.nome, QString::fromUtf8(c.nome));
        QCOMPARE(l.provincia, QString::fromLatin1(c.provincia));
    }
    QVERIFY(nomiLuoghi().contains(QStringLiteral("Roma (RM)")));
    QVERIFY(nomiLuoghi().contains(QStringLiteral("Francia")));
    QVERIFY(nomiLuoghi().contains(QStringLiteral("Corigliano Calabro (CS)")));
}

// The card's "Cognome e nome" split for the computation; a particle keeps its surname.
void TestCodiceFiscale::cognomeENome()
{
    const struct { const char *testo, *cognome, *nome; } casi[] = {
        {"Rossi Mario", "Rossi", "Mario"},
        {" De Luca  Anna Maria ", "De Luca", "Anna Maria"},
        {"Della Valle Giorgio", "Della Valle", "Giorgio"},
        {"De Sica", "De", "Sica"}, // two words: nothing says the name is missing
        {"D'Angelo Niccolò", "D'Angelo", "Niccolò"},
        {"Rossi", "Rossi", ""},
        {"", "", ""},
    };
    for (const auto &c : casi) {
        const CognomeNome cn = separaCognomeNome(QString::fromUtf8(c.testo));
        QCOMPARE(cn.cognome, QString::fromUtf8(c.cognome));
        QCOMPARE(cn.nome, QString::fromUtf8(c.nome));
    }
}

QTEST_GUILESS_MAIN(TestCodiceFiscale)
#include "tst_codicefiscale.moc"
