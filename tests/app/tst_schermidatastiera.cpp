// Every screen by the keyboard: each button carries a mnemonic, Alt and a
// letter no other button of its screen has (underlined in a button's text,
// named in a picture's tooltip), and pressing it presses the button; Escape
// closes every screen opened from another back to it (asking first about a
// changed card); the focus comes back to the field it came from once a
// dialog has closed.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/frmavvio.h"
#include "app/frmcopia.h"
#include "checks/frmcalcolacf.h"
#include "checks/frmcontrolli.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmmenucontratti.h"
#include "contracts/frmmenuriepilogo.h"
#include "contracts/frmriepilogo.h"
#include "contracts/frmstatistiche.h"
#include "contracts/frmvalidi.h"
#include "registry/frmanagrafica.h"
#include "registry/frmscadute.h"
#include "ui/anteprima.h"
#include "ui/finestre.h"
#include "ui/frmversioni.h"
#include "ui/mnemonici.h"
#include "ui/schermi.h"
#include "ui/schermoscheda.h"
#include "support/serviziprova.h"

#include <functional>
#include <memory>

using namespace qv;

namespace {

// The windows the start-up order does not hold, made as their openers make them.
struct Altra
{
    const char *nome;
    std::function<QWidget *()> crea;
};

QPrinter &stampante()
{
    static QPrinter p;
    return p;
}

const Altra kAltre[] = {
    {"versioni precedenti", [] { return new TfrmVersioni({{QDateTime(QDate(2017, 3, 1), QTime(9, 0)), {}}}); }},
    {"calcolo del codice fiscale", [] { return new TfrmCalcolaCF; }},
    {"copia di sicurezza", [] { return new TfrmCopia; }},
    {"dipendenti in scadenza", [] { return new TfrmScadenzeVicine; }},
    {"contratti in scadenza", [] { return new TfrmContrattiInScadenza; }},
    {"anteprima di stampa",
     [] { return new FinestraAnteprima(stampante(), [](QPrinter *) {}, [](QPrinter &) { return false; }); }},
};

// What is wrong with the mnemonics of `finestra`; empty when nothing.
QStringList difetti(QWidget *finestra)
{
    QStringList out;
    QHash<QChar, QString> usate;
    for (QWidget *w : pulsantiFinestra(finestra)) {
        const QString nome = w->objectName().isEmpty() ? nomePulsante(w) : w->objectName();
        const QChar c = mnemonico(w);
        if (c.isNull()) {
            out << nome + QStringLiteral(": nessuna lettera");
            continue;
        }
        if (usate.contains(c))
            out << QStringLiteral("%1 e %2: la stessa lettera %3").arg(usate.value(c), nome, c);
        usate.insert(c, nome);
        const auto *b = qobject_cast<QAbstractButton *>(w);
        const bool testo = b && !qobject_cast<const QToolButton *>(b) && !b->text().isEmpty()
            && b->text().contains(u'&');
        const QString tasto = QStringLiteral("Alt+") + c.toUpper();
        if (b && !qobject_cast<const QToolButton *>(b) && !b->text().isEmpty() && !testo
            && !w->toolTip().contains(tasto))
            out << nome + QStringLiteral(": la lettera non è segnata nel testo né nel suggerimento");
        if (!b && !w->toolTip().contains(tasto))
            out << nome + QStringLiteral(": il suggerimento non nomina ") + tasto;
    }
    return out;
}

} // namespace

class TestSchermiDaTastiera : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void mnemoniciUnici();
    void altPreme();
    void escTornaIndietro_data();
    void escTornaIndietro();
    void escSullaSchedaCambiata();
    void fuocoDopoIlDialogo();

private:
    std::unique_ptr<ServiziProva> m_servizi;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSchermiDaTastiera::init()
{
    m_servizi = std::make_unique<ServiziProva>();
    m_dir = std::make_unique<QTemporaryDir>();
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
}

void TestSchermiDaTastiera::cleanup()
{
    Schermi::distruggiTutti();
    m_dir.reset();
    m_servizi.reset();
}

// Every screen of the program, shown as the program shows it, then every
// other window; shown twice, a screen keeps its letters.
void TestSchermiDaTastiera::mnemoniciUnici()
{
    QList<QWidget *> finestre = Schermi::tutti();
    std::vector<std::unique_ptr<QWidget>> altre;
    for (const Altra &a : kAltre) {
        altre.emplace_back(a.crea());
        finestre << altre.back().get();
    }
    for (QWidget *w : std::as_const(finestre)) {
        const QString nome = QString::fromLatin1(w->metaObject()->className());
        w->show();
        QCoreApplication::processEvents();
        QVERIFY2(!pulsantiFinestra(w).isEmpty() || nome == QLatin1String("qv::TfrmZoom"), qPrintable(nome));
        const QStringList d = difetti(w);
        QVERIFY2(d.isEmpty(), qPrintable(nome + QStringLiteral(": ") + d.join(QStringLiteral("; "))));
        const auto lettere = [w] {
            QStringList out;
            for (QWidget *p : pulsantiFinestra(w)) {
                const auto *b = qobject_cast<QAbstractButton *>(p);
                out << QString(mnemonico(p)) + (b ? b->text() : QString()) + p->toolTip();
            }
            return out;
        };
        const QStringList prima = lettere();
        w->hide();
        w->show();
        QCOMPARE(lettere(), prima);
        w->hide();
    }
    // A few letters as the user sees them.
    auto *a = Schermi::di<TfrmAnagrafica>();
    QCOMPARE(mnemonico(a->btnSalva), QChar(u's'));
    QCOMPARE(a->btnSalva->toolTip(), QStringLiteral("Salva (Ctrl+S, Alt+S)"));
    QCOMPARE(mnemonico(a->btnNuovo), QChar(u'n'));
    QCOMPARE(mnemonico(a->btnStampa), QChar(u'p'));
    QCOMPARE(a->btnLavori->text(), QStringLiteral("&Lavori svolti"));
    auto *m = Schermi::di<TfrmMenuContratti>();
    QVERIFY(m->btnApriFatture->text().contains(u'&'));
    QVERIFY(m->btnApriRiepStats->text().contains(u'&'));
    QVERIFY(mnemonico(m->btnApriFatture) != mnemonico(m->btnApriRiepStats));
}

// Alt and the letter press the button, a picture as a push button.
void TestSchermiDaTastiera::altPreme()
{
    // On `schermo` shown and active, Alt and the letter of `pulsante`, typed in `campo`.
    const auto premi = [](SchermoArea *schermo, QWidget *pulsante, QWidget *campo) {
        schermo->mostra();
        QApplication::setActiveWindow(schermo);
        if (!QTest::qWaitForWindowActive(schermo))
            return false;
        const QChar c = mnemonico(pulsante);
        QTest::keyClick(campo, Qt::Key(Qt::Key_A + (c.unicode() - u'a')), Qt::AltModifier);
        return true;
    };
    auto *menu = Schermi::di<TfrmMenuContratti>();
    QVERIFY(premi(menu, menu->btnApriRiepStats, menu->txtAnnoFatture));
    QTRY_VERIFY(Schermi::di<TfrmStatistiche>()->isVisible());
    QVERIFY(!menu->isVisible());

    auto *a = Schermi::di<TfrmAnagrafica>();
    QVERIFY(premi(a, a->btnGuida, a->txtDipendente));
    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmGuida")});
}

void TestSchermiDaTastiera::escTornaIndietro_data()
{
    QTest::addColumn<QString>("schermo");
    QTest::newRow("archivio contratti (l'anno)") << "TfrmMenuContratti";
    QTest::newRow("statistiche") << "TfrmStatistiche";
    QTest::newRow("riepilogo contratti") << "TfrmMenuRiepilogo";
    QTest::newRow("anagrafica") << "TfrmAnagrafica";
}

// Escape, wherever the focus is, closes the screen back to the main menu.
void TestSchermiDaTastiera::escTornaIndietro()
{
    QFETCH(QString, schermo);
    auto *avvio = Schermi::di<TfrmAvvio>();
    auto *s = static_cast<SchermoArea *>(Schermi::per(schermo));
    QVERIFY(s);
    s->mostra();
    QApplication::setActiveWindow(s);
    QVERIFY(QTest::qWaitForWindowActive(s));
    QWidget *fuoco = QApplication::focusWidget() ? QApplication::focusWidget() : s;
    QTest::keyClick(fuoco, Qt::Key_Escape);
    QTRY_VERIFY(!s->isVisible());
    QVERIFY(avvio->isVisible());
    QVERIFY(m_servizi->messaggi.isEmpty());

    // The main menu is no screen to go back from: Escape leaves the program running.
    QApplication::setActiveWindow(avvio);
    QVERIFY(QTest::qWaitForWindowActive(avvio));
    QTest::keyClick(avvio, Qt::Key_Escape);
    QVERIFY(avvio->isVisible());
    QCOMPARE(m_servizi->terminazioni, 0);
}

// Escape on a changed card asks before leaving it, as its Esci does.
void TestSchermiDaTastiera::escSullaSchedaCambiata()
{
    auto *c = Schermi::di<TfrmContratti>();
    c->impostaAnno(m_dir->filePath(QStringLiteral("2017.con")), QStringLiteral("2017"));
    c->mostra();
    QApplication::setActiveWindow(c);
    QVERIFY(QTest::qWaitForWindowActive(c));
    c->txtNote->setText(QStringLiteral("da non perdere"));
    QTest::keyClick(c->txtNote, Qt::Key_Escape);
    QCOMPARE(m_servizi->testi(), QStringList{DomandaSchedaModificata});
    QVERIFY(c->isVisible()); // Escape at the question stays on the card
    QCOMPARE(c->txtNote->text(), QStringLiteral("da non perdere"));
}

// The focus comes back to the field the dialog was opened from, in its window
// active again, whatever the dialog did with the focus.
void TestSchermiDaTastiera::fuocoDopoIlDialogo()
{
    auto *a = Schermi::di<TfrmAnagrafica>();
    a->mostra();
    QApplication::setActiveWindow(a);
    QVERIFY(QTest::qWaitForWindowActive(a));
    a->txtCodFisc->setFocus(Qt::TabFocusReason);
    a->txtCodFisc->setText(QStringLiteral("RSSMRA80A01H501U"));
    QVERIFY(a->txtCodFisc->hasFocus());
    m_servizi->quandoDialogo([](QDialog *d) {
        d->show();
        QApplication::setActiveWindow(d);
        if (!QTest::qWaitForWindowActive(d))
            return -1;
        if (auto *campo = d->findChild<QLineEdit *>())
            campo->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : d, Qt::Key_Escape);
        return int(QDialog::Rejected);
    });
    a->btnCodFiscClick();
    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmCodFisc")});
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(a));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(a->txtCodFisc));
}

QTEST_MAIN(TestSchermiDaTastiera)
#include "tst_schermidatastiera.moc"
