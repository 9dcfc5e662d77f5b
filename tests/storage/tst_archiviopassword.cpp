#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "storage/archiviopassword.h"
#include "support/fileprova.h"

using namespace qv::prova;

class TestArchivioPassword : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void lettura_data();
    void lettura();
    void scrittura();
    void memorizzabile_data();
    void memorizzabile();
    void archivioIniziale();
    void archivioInizialeNonSovrascrive();

private:
    QTemporaryDir m_dir;
    QString m_percorso;
};

void TestArchivioPassword::init()
{
    QVERIFY(m_dir.isValid());
    m_percorso = m_dir.filePath(QStringLiteral("unins000.dll"));
    QFile::remove(m_percorso);
}

void TestArchivioPassword::lettura_data()
{
    QTest::addColumn<QByteArray>("dati"); // a null array: no file
    QTest::addColumn<bool>("valido");
    QTest::addColumn<QString>("password");

    QTest::newRow("no file") << QByteArray() << true << QString();
    QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=53EABA\r\n") << true << QString();
    QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=53EABA\r\n") << true << QString();
    QTest::newRow("stored") << QByteArray("[Accesso]\r\nValore=53EABA\r\n") << true << QStringLiteral("ABC");
    QTest::newRow("lower case, odd digit, other case of names")
        << QByteArray("[ACCESSO]\nvalore = 53eaba7 \n") << true << QStringLiteral("ABC");
    QTest::newRow("blanks around the plain password are dropped")
        << QByteArray("[Accesso]\r\nValore=3202EF9C20\r\n") << true << QStringLiteral("ABC");
    QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=53XABA\r\n") << false << QString();
}

void TestArchivioPassword::lettura()
{
    QFETCH(QByteArray, dati);
    QFETCH(bool, valido);
    QFETCH(QString, password);

    if (!dati.isNull())
        QVERIFY(scriviFile(m_percorso, dati));
    QString errore;
    const std::optional<QString> letta = qv::leggiPassword(m_percorso, &errore);
    QCOMPARE(letta, valido ? std::optional<QString>(password) : std::nullopt);
    QCOMPARE(errore.isEmpty(), valido);
}

void TestArchivioPassword::scrittura()
{
    const QByteArray altro = "; note\n[Altro]\nk=v\n";
    QVERIFY(scriviFile(m_percorso, altro + "[Accesso]\nValore=53EABA\n"));

    QString errore;
    QVERIFY2(qv::scriviPassword(m_percorso, QStringLiteral("  mirtilloBianco \t"), &errore), qPrintable(errore));
    QCOMPARE(leggiFile(m_percorso), altro + "[Accesso]\nValore=5F5B8419C40244FEE619206D7DCE\n");
    QCOMPARE(qv::leggiPassword(m_percorso), std::optional<QString>(QStringLiteral("MIRTILLOBIANCO")));

    // A password that could not be matched again is refused and the store is kept.
    QVERIFY(!qv::scriviPassword(m_percorso, QStringLiteral("prezzo€"), &errore));
    QVERIFY(!errore.isEmpty());
    QCOMPARE(qv::leggiPassword(m_percorso), std::optional<QString>(QStringLiteral("MIRTILLOBIANCO")));

    // A store that cannot be read is not overwritten.
    QVERIFY(QFile::remove(m_percorso));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("unins000.dll")));
    errore.clear();
    QVERIFY(!qv::leggiPassword(m_percorso, &errore));
    QVERIFY(!errore.isEmpty());
    QVERIFY(!qv::scriviPassword(m_percorso, QStringLiteral("abc")));
    QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("unins000.dll")));
}

void TestArchivioPassword::memorizzabile_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ammessa");

    QTest::newRow("letters and digits") << QStringLiteral("abc123") << true;
    QTest::newRow("accented Latin-1 letters") << QStringLiteral("perché ÿ") << true;
    QTest::newRow("255 characters") << QString(255, u'a') << true;
    QTest::newRow("255 characters and blanks around") << QStringLiteral("  ") + QString(255, u'a') + QStringLiteral(" ") << true;
    QTest::newRow("256 characters") << QString(256, u'a') << false;
    QTest::newRow("euro sign") << QStringLiteral("10€") << false;
    QTest::newRow("Greek letter") << QStringLiteral("Ω") << false;
}

void TestArchivioPassword::memorizzabile()
{
    QFETCH(QString, password);
    QFETCH(bool, ammessa);
    QCOMPARE(qv::passwordMemorizzabile(password), ammessa);
    if (ammessa) {
        QVERIFY(qv::scriviPassword(m_percorso, password));
        QCOMPARE(qv::leggiPassword(m_percorso), std::optional<QString>(qv::passwordNormalizzata(password)));
    }
}

void TestArchivioPassword::archivioIniziale()
{
    QString errore;
    QVERIFY2(qv::creaArchivioPassword(m_percorso, &errore), qPrintable(errore));
    QCOMPARE(leggiFile(m_percorso), QByteArray("[Accesso]\r\nValore=5F5B8419C40244FEE619206D7DCE\r\n"));
    // The password announced on the login screen opens it, typed as announced.
    QCOMPARE(qv::leggiPassword(m_percorso),
             std::optional<QString>(qv::passwordNormalizzata(QString::fromLatin1(qv::kPasswordIniziale))));

    QVERIFY(!qv::creaArchivioPassword(m_dir.filePath(QStringLiteral("manca/unins000.dll")), &errore));
    QVERIFY(!errore.isEmpty());
}

void TestArchivioPassword::archivioInizialeNonSovrascrive()
{
    // A store holding a changed password, even one the program could not read.
    const QByteArray cambiato = "[Accesso]\nValore=zz\n";
    QVERIFY(scriviFile(m_percorso, cambiato));
    QVERIFY(qv::creaArchivioPassword(m_percorso));
    QCOMPARE(leggiFile(m_percorso), cambiato);
}

QTEST_GUILESS_MAIN(TestArchivioPassword)
#include "tst_archiviopassword.moc"
