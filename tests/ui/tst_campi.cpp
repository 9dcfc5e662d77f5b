#include <QTest>

#include "ui/campi.h"
#include "ui/frmcalendario.h"
#include "support/serviziprova.h"

using namespace qv;

namespace {

const DefCampo kCampi[] = {
    {"txtDipendente", "txtCodFisc"},
    {"txtCodFisc", "txtPartitaIva", Maiuscole},
    {"txtPartitaIva", "txtStipendio", SoloCifre},
    {"txtStipendio", "txtDataSca", Importo},
    {"txtDataSca", nullptr, DataCalendario, "datasca"},
    {"txtEmail", "txtDipendente", TrimDigitando},
};

// A small screen with one field of each kind, declared like the card screens do.
struct Schermo : QWidget
{
    Schermo()
    {
        int y = 10;
        for (const DefCampo &d : kCampi) {
            creaCampo(this, QLatin1String(d.campo), QRect(10, y, 200, 22), 50, font());
            y += 34;
        }
        comportamenti = new ComportamentiCampi(this, kCampi);
        comportamenti->suggerimento = [this](const QString &t) { info = t; };
        resize(240, y);
    }
    QLineEdit *campo(const char *n) { return findChild<QLineEdit *>(QLatin1String(n)); }
    QWidget *segno(const char *n) { return findChild<QWidget *>(QLatin1String(n)); }
    ComportamentiCampi *comportamenti;
    QString info;
};

} // namespace

class TestCampi : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { delete m_s; }
    void segnoEInvio();
    void maiuscoleETrim();
    void filtri_data();
    void filtri();
    void importoAllUscita();
    void dataDaCalendario();

private:
    ServiziProva *m_servizi = nullptr;
    Schermo *m_s = nullptr;
};

void TestCampi::init()
{
    delete m_servizi;
    m_servizi = new ServiziProva;
    m_s = new Schermo;
    m_s->show();
    QApplication::setActiveWindow(m_s);
    QVERIFY(QTest::qWaitForWindowActive(m_s));
}

void TestCampi::segnoEInvio()
{
    // The mark lies 4 pixels out on every side and shows only while its field has the focus.
    QCOMPARE(m_s->segno("effCodFisc")->geometry(), m_s->campo("txtCodFisc")->geometry().adjusted(-4, -4, 4, 4));
    m_s->campo("txtDipendente")->setFocus();
    QVERIFY(m_s->segno("effDipendente")->isVisible());
    QVERIFY(!m_s->segno("effCodFisc")->isVisible());
    QTest::keyClicks(m_s->campo("txtDipendente"), "Rossi");
    QTest::keyClick(m_s->campo("txtDipendente"), Qt::Key_Return);
    QCOMPARE(m_s->campo("txtDipendente")->text(), QStringLiteral("Rossi")); // Enter changes nothing else
    QVERIFY(m_s->campo("txtCodFisc")->hasFocus());
    QVERIFY(!m_s->segno("effDipendente")->isVisible());
    QVERIFY(m_s->segno("effCodFisc")->isVisible());
    // The last field of the chain goes back to the first.
    m_s->campo("txtEmail")->setFocus();
    QTest::keyClick(m_s->campo("txtEmail"), Qt::Key_Enter);
    QVERIFY(m_s->campo("txtDipendente")->hasFocus());
}

void TestCampi::maiuscoleETrim()
{
    QLineEdit *cf = m_s->campo("txtCodFisc");
    cf->setFocus();
    QTest::keyClicks(cf, "rssm ");
    QCOMPARE(cf->text(), QStringLiteral("RSSM")); // a blank at the end goes at once
    QTest::keyClick(cf, Qt::Key_Left);
    QTest::keyClick(cf, Qt::Key_Space);
    QCOMPARE(cf->text(), QStringLiteral("RSS M")); // a blank between letters stays
    cf->end(false);
    QTest::sendKeyEvent(QTest::Click, cf, Qt::Key_Udiaeresis, QStringLiteral("ü"), Qt::NoModifier);
    QVERIFY(cf->text().endsWith(QStringLiteral("ü"))); // accented letters stay as typed

    QLineEdit *mail = m_s->campo("txtEmail");
    mail->setFocus();
    QTest::keyClicks(mail, " Mario@Esempio.it ");
    QCOMPARE(mail->text(), QStringLiteral("Mario@Esempio.it")); // trimmed, case kept
}

void TestCampi::filtri_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("cifre: lettere scartate") << "txtPartitaIva" << "0a1b2,3 4" << "01234";
    QTest::newRow("importo: cifre e virgola") << "txtStipendio" << "12a,5x." << "12,5";
}

void TestCampi::filtri()
{
    QFETCH(QString, campo);
    QFETCH(QString, digitato);
    QFETCH(QString, atteso);
    QLineEdit *e = m_s->campo(campo.toLatin1().constData());
    e->setFocus();
    QTest::keyClicks(e, digitato);
    QCOMPARE(e->text(), atteso);
    // Arrows, Backspace and Delete still work.
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Right);
    QTest::keyClick(e, Qt::Key_Delete);
    QCOMPARE(e->text().size(), atteso.size() - 2);
}

void TestCampi::importoAllUscita()
{
    // Reached with Enter, the field's text is selected: typing replaces "0,00".
    QLineEdit *e = m_s->campo("txtStipendio");
    e->setText(QStringLiteral("0,00"));
    m_s->campo("txtPartitaIva")->setFocus();
    QTest::keyClick(m_s->campo("txtPartitaIva"), Qt::Key_Return);
    QVERIFY(e->hasFocus());
    QTest::keyClicks(e, "125");
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("125,00"));
    e->setFocus();
    e->clear();
    m_s->campo("txtDipendente")->setFocus();
    QCOMPARE(e->text(), QStringLiteral("0,00"));

    // A message box opening over the screen (the window loses the focus) is not
    // leaving the field: what the screen saved is what the field still shows,
    // and the mark stays. The screen then moves the focus while its window is
    // inactive, with no focus event: once the window is back, the field is
    // left all the same, formatted and without its mark.
    e->setFocus();
    e->setText(QStringLiteral("12,5"));
    QWidget riquadro;
    riquadro.show();
    QApplication::setActiveWindow(&riquadro);
    QVERIFY(QTest::qWaitForWindowActive(&riquadro));
    QCOMPARE(e->text(), QStringLiteral("12,5"));
    QVERIFY(m_s->segno("effStipendio")->isVisible());
    m_s->campo("txtCodFisc")->setFocus();
    riquadro.hide();
    QApplication::setActiveWindow(m_s);
    QVERIFY(QTest::qWaitForWindowActive(m_s));
    QVERIFY(m_s->campo("txtCodFisc")->hasFocus());
    QCOMPARE(e->text(), QStringLiteral("12,50"));
    QVERIFY(!m_s->segno("effStipendio")->isVisible());
    QVERIFY(m_s->segno("effCodFisc")->isVisible());
}

void TestCampi::dataDaCalendario()
{
    QLineEdit *d = m_s->campo("txtDataSca");
    QVERIFY(d->isReadOnly());
    d->setText(QStringLiteral("01/01/2016"));
    d->setFocus();

    // Any key opens the picker with the field's token; Annulla leaves the field as it was.
    QString token;
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        auto *cal = qobject_cast<TfrmCalendario *>(dlg);
        token = cal->lblMemory->text();
        cal->btnAnnulla->click();
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_A);
    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmCalendario")});
    QCOMPARE(token, QStringLiteral("datasca"));
    QCOMPARE(d->text(), QStringLiteral("01/01/2016"));

    // Enter opens it too; Importa without touching the calendar writes today's date.
    m_servizi->quandoDialogo([](QDialog *dlg) {
        qobject_cast<TfrmCalendario *>(dlg)->btnImportaData->click();
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_Return);
    QCOMPARE(d->text(), QStringLiteral("15/03/2017"));

    // Backspace and Delete empty the field without opening the picker.
    QTest::keyClick(d, Qt::Key_Backspace);
    QCOMPARE(d->text(), QString());
    d->setText(QStringLiteral("x"));
    QTest::keyClick(d, Qt::Key_Delete);
    QCOMPARE(d->text(), QString());
    QCOMPARE(m_servizi->dialoghiEseguiti.size(), 2);

    // An unknown token writes nothing and keeps the picker open.
    auto *cal = new TfrmCalendario(m_s);
    cal->lblMemory->setText(QStringLiteral("altro"));
    cal->btnImportaData->click();
    QCOMPARE(cal->result(), 0);
    QCOMPARE(d->text(), QString());
    delete cal;

    // The mouse over a date field puts the hint on the info line.
    QTest::mouseMove(d);
    QCOMPARE(m_s->info, SuggerimentoData);
}

QTEST_MAIN(TestCampi)
#include "tst_campi.moc"
