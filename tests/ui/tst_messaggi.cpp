#include <QTest>

#include "ui/schermi.h"
#include "ui/servizireali.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace qv;

// The real message boxes: a message asks nothing, so OK is the only button
// it offers, whatever its kind, and Escape closes it.
class TestMessaggi : public QObject
{
    Q_OBJECT
private slots:
    void soloOk_data();
    void soloOk();
    void erroreArchivioNelLog_data();
    void erroreArchivioNelLog();
    void fuocoRestituito();
};

// The user reads what to do; the log keeps the failure's kind, path and
// detail, which tell one failure from another behind the same message.
void TestMessaggi::erroreArchivioNelLog_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("log");
    QTest::newRow("scrittura") << int(ErroreArchivio::Tipo::Scrittura) << MsgArchivioInaccessibile
                               << "Archivio, scrittura non riuscita: /cartella/2017.con - la scheda 5 non esiste";
    QTest::newRow("apertura") << int(ErroreArchivio::Tipo::Apertura) << MsgArchivioInaccessibile
                              << "Archivio, apertura non riuscita: /cartella/2017.con - la scheda 5 non esiste";
    QTest::newRow("occupato") << int(ErroreArchivio::Tipo::Occupato) << MsgFileOccupato
                              << "Archivio, in uso da un'altra copia oltre l'attesa: /cartella/2017.con - la scheda 5 non esiste";
}

void TestMessaggi::erroreArchivioNelLog()
{
    QFETCH(int, tipo);
    QFETCH(QString, messaggio);
    QFETCH(QString, log);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(log));
    const ErroreArchivio e(ErroreArchivio::Tipo(tipo), QStringLiteral("/cartella/2017.con"),
                           QStringLiteral("la scheda 5 non esiste"));
    QCOMPARE(testoErroreArchivio(e), messaggio);
}

void TestMessaggi::soloOk_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("icona");
    QTest::newRow("avviso") << int(TipoMessaggio::Avviso) << int(QMessageBox::Warning);
    QTest::newRow("informazione") << int(TipoMessaggio::Informazione) << int(QMessageBox::Information);
    QTest::newRow("errore") << int(TipoMessaggio::Errore) << int(QMessageBox::Critical);
    QTest::newRow("semplice") << int(TipoMessaggio::Semplice) << int(QMessageBox::NoIcon);
}

void TestMessaggi::soloOk()
{
    QFETCH(int, tipo);
    QFETCH(int, icona);
    const QString testo = QStringLiteral("L'archivio non contiene nessuna scheda.");
    QStringList pulsanti;
    int iconaMostrata = -1;
    QString testoMostrato;
    bool chiusoDaEsc = false;
    // The box is read, then closed with Escape, as soon as it shows: the timer
    // fires only in the box's own event loop.
    QTimer controllo;
    connect(&controllo, &QTimer::timeout, this, [&] {
        QMessageBox *box = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                box = b;
        if (!box)
            return;
        controllo.stop();
        for (QAbstractButton *b : box->buttons())
            pulsanti << b->text();
        iconaMostrata = box->icon();
        testoMostrato = box->text();
        QTest::keyClick(box, Qt::Key_Escape);
        chiusoDaEsc = !box->isVisible();
        if (!chiusoDaEsc)
            box->done(0);
    });
    controllo.start(10);
    ServiziReali().messaggio(nullptr, TipoMessaggio(tipo), testo);
    QCOMPARE(pulsanti, QStringList{QStringLiteral("&OK")}); // Alt+O presses it too
    QCOMPARE(iconaMostrata, icona);
    QCOMPARE(testoMostrato, testo);
    QVERIFY(chiusoDaEsc);
}

// Once a message box or a question closes, the field that had the focus has
// it again, in its window active again, whatever the box did with the focus.
void TestMessaggi::fuocoRestituito()
{
    QWidget finestra;
    auto *primo = new QLineEdit(&finestra);
    auto *campo = new QLineEdit(&finestra);
    campo->move(0, 40);
    finestra.show();
    QApplication::setActiveWindow(&finestra);
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    campo->setFocus(Qt::TabFocusReason);
    QVERIFY(campo->hasFocus());

    QStringList pulsanti;
    QTimer controllo;
    connect(&controllo, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        for (QAbstractButton *b : box->buttons())
            pulsanti << b->text();
        // The box takes the keyboard as a window manager gives it, and leaves nothing active.
        QApplication::setActiveWindow(box);
        QTest::keyClick(box, Qt::Key_Escape);
        if (box->isVisible())
            box->done(0);
        QApplication::setActiveWindow(nullptr);
    });
    controllo.start(10);
    ServiziReali().messaggio(primo, TipoMessaggio::Avviso, QStringLiteral("Attenzione: prova."));
    QTRY_COMPARE(QApplication::activeWindow(), &finestra);
    QCOMPARE(QApplication::focusWidget(), campo);

    QVERIFY(!ServiziReali().domanda(&finestra, QStringLiteral("Si vuole continuare?"), true));
    QTRY_COMPARE(QApplication::activeWindow(), &finestra);
    QCOMPARE(QApplication::focusWidget(), campo);
    controllo.stop();
    QCOMPARE(pulsanti, (QStringList{QStringLiteral("&OK"), QStringLiteral("&Sì"), QStringLiteral("&No")}));
}

QTEST_MAIN(TestMessaggi)
#include "tst_messaggi.moc"
