#include <QTest>

#include "storage/schede.h"

using namespace qv;

class TestSchede : public QObject
{
    Q_OBJECT
private slots:
    void offsets_data();
    void offsets();
    void codificaCampi_data();
    void codificaCampi();
    void recordDipendente();
    void flagRescisso();
    void recordDanneggiato();
};

void TestSchede::offsets_data()
{
    // Offsets as the files of other installations have them.
    QTest::addColumn<bool>("contratto");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("offset");
    const std::pair<const char *, int> dip[] = {
        {"Dipendente", 0}, {"Cittadinanza", 51}, {"Stipendio", 102}, {"Luogo", 115},
        {"DataNasc", 166}, {"CodFisc", 177}, {"PartitaIva", 194}, {"Indirizzo", 206},
        {"Citta", 327}, {"Prov", 378}, {"Cap", 381}, {"Qualifiche", 392}, {"Familiari", 513},
        {"Iban", 764}, {"Note", 792}, {"DataSca", 1043}, {"Preavviso", 1054}, {"Recapito", 1058},
        {"Email", 1109}, {"File01", 1160}, {"File02", 1411}, {"File03", 1662}, {"Desc01", 1913},
        {"Desc02", 2164}, {"Desc03", 2415}};
    const std::pair<const char *, int> con[] = {
        {"DataStipula", 0}, {"LuogoStipula", 11}, {"NomeDitta", 62}, {"SedeDitta", 113},
        {"ProvDitta", 164}, {"IvaDitta", 167}, {"ComuneReg", 179}, {"ProvReg", 230},
        {"NumReg", 233}, {"Legale", 264}, {"LuogoNascLeg", 315}, {"DataNascLeg", 366},
        {"CodFiscLeg", 377}, {"Attivita", 394}, {"Foro", 645}, {"Dipendente", 696},
        {"Cittadinanza", 747}, {"Luogo", 798}, {"DataNasc", 849}, {"CodFisc", 860},
        {"Recapito", 877}, {"Indirizzo", 928}, {"Citta", 1049}, {"Prov", 1100}, {"Cap", 1103},
        {"Stipendio", 1114}, {"Iban", 1127}, {"Qualifiche", 1155}, {"Prestazioni", 1276},
        {"DataInizio", 1527}, {"DataFine", 1538}, {"Durata", 1549}, {"SedeLavoro", 1600},
        {"Motivo", 1651}, {"Note", 1772}, {"Rescisso", 2023}, {"File01", 2026}, {"File02", 2277},
        {"File03", 2528}, {"Desc01", 2779}, {"Desc02", 3030}, {"Desc03", 3281}};
    for (auto [n, o] : dip)
        QTest::addRow("dip %s", n) << false << QString(n) << o;
    for (auto [n, o] : con)
        QTest::addRow("con %s", n) << true << QString(n) << o;
}

void TestSchede::offsets()
{
    QFETCH(bool, contratto);
    QFETCH(QString, campo);
    QFETCH(int, offset);
    QCOMPARE(contratto ? offsetCampo<TSchedaContratto>(campo) : offsetCampo<TSchedaDipendente>(campo), offset);
}

void TestSchede::codificaCampi_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("byte"); // length byte and text, capacity 5
    QTest::addColumn<QString>("riletto");
    QTest::newRow("vuoto") << "" << QByteArray("\x00", 1) << "";
    QTest::newRow("solo spazi") << "  \t " << QByteArray("\x00", 1) << "";
    QTest::newRow("spazi attorno") << "  ab  " << QByteArray("\x02" "ab") << "ab";
    QTest::newRow("esatto") << "abcde" << QByteArray("\x05" "abcde") << "abcde";
    QTest::newRow("troppo lungo") << "abcdefg" << QByteArray("\x05" "abcde") << "abcde";
    QTest::newRow("euro e accenti") << "€ à" << QByteArray("\x03\x80\x20\xE0") << "€ à";
    QTest::newRow("fuori codepage") << "a\u4E2D" << QByteArray("\x02" "a?") << "a?";
}

void TestSchede::codificaCampi()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, byte);
    QByteArray campo(6, '\xAA');
    codificaCampo(testo, 5, campo.data());
    QCOMPARE(campo.left(byte.size()), byte);
    QCOMPARE(campo.mid(byte.size()), QByteArray(6 - byte.size(), '\0')); // unused bytes are zeros
    QFETCH(QString, riletto);
    QCOMPARE(decodificaCampo(campo.constData(), 5), riletto);
}

void TestSchede::recordDipendente()
{
    TSchedaDipendente s;
    s.Dipendente = "Rossi Mario";
    s.Stipendio = "1250,00";
    s.DataSca = "31/12/2017";
    s.Note = QString(300, 'x');
    s.Desc03 = "ultimo";
    const QByteArray b = codificaScheda(s);
    QCOMPARE(b.size(), 2666);
    QCOMPARE(b.mid(0, 12), QByteArray("\x0BRossi Mario"));
    QCOMPARE(b.mid(102, 8), QByteArray("\x07" "1250,00"));
    QCOMPARE(b.mid(1043, 11), QByteArray("\x0A" "31/12/2017"));
    QCOMPARE(quint8(b.at(792)), quint8(250));
    QCOMPARE(b.mid(2415, 7), QByteArray("\x06ultimo"));

    const TSchedaDipendente r = decodificaScheda<TSchedaDipendente>(b.constData());
    QCOMPARE(r.Dipendente, s.Dipendente);
    QCOMPARE(r.Note, QString(250, 'x'));
    QCOMPARE(r.Desc03, s.Desc03);
    QCOMPARE(r.Cittadinanza, QString());
}

void TestSchede::flagRescisso()
{
    TSchedaContratto c;
    c.Rescisso = TSchedaContratto::testoRescisso(true);
    QCOMPARE(codificaScheda(c).mid(2023, 3), QByteArray("\x02\x53\xEC"));
    c.Rescisso = TSchedaContratto::testoRescisso(false);
    QCOMPARE(codificaScheda(c).mid(2023, 3), QByteArray("\x02\x4E\x6F"));
    QCOMPARE(codificaScheda(c).size(), 3532);

    QByteArray b = codificaScheda(c);
    QCOMPARE(decodificaScheda<TSchedaContratto>(b.constData()).rescisso(), std::optional<bool>(false));
    b.replace(2023, 3, QByteArray("\x02\x53\xEC"));
    QCOMPARE(decodificaScheda<TSchedaContratto>(b.constData()).rescisso(), std::optional<bool>(true));
    b.replace(2023, 3, QByteArray("\x01X\x00", 3));
    QCOMPARE(decodificaScheda<TSchedaContratto>(b.constData()).rescisso(), std::nullopt);
}

void TestSchede::recordDanneggiato()
{
    // A length byte above the capacity is read as the capacity, never past the field.
    QByteArray b(TSchedaDipendente::Dimensione, 'Z');
    b[0] = char(0xFF);
    b[2665 - 250] = char(0xFF); // Desc03, the last field
    const TSchedaDipendente r = decodificaScheda<TSchedaDipendente>(b.constData());
    QCOMPARE(r.Dipendente, QString(50, 'Z'));
    QCOMPARE(r.Desc03, QString(250, 'Z'));
    QCOMPARE(r.Prov, QStringLiteral("ZZ")); // length byte 'Z' (90) cut to the capacity 2
}

QTEST_GUILESS_MAIN(TestSchede)
#include "tst_schede.moc"
