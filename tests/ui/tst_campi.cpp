#include <QTest>

#include "core/importo.h"
#include "ui/campi.h"
#include "ui/frmcalendario.h"
#include "support/serviziprova.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

using namespace qv;

namespace {

const DefCampo kCampi[] = {
    {"txtDipendente", "txtCodFisc"},
    {"txtCodFisc", "txtPartitaIva", Maiuscole},
    {"txtPartitaIva", "txtStipendio", SoloCifre},
    {"txtStipendio", "txtDataSca", Importo},
    {"txtDataSca", "txtEmail", DataCalendario, "datasca"},
    {"txtEmail", "txtDipendente", TrimDigitando},
    {"txtIban", nullptr, Maiuscole | Codice},
    {"txtIvaDitta", nullptr, SoloCifre | Codice},
};

// Texts of the info line.
const QString MsgUnaVirgola = QStringLiteral(
    "L'importo ha già la virgola dei decimali: le migliaia si separano con il punto, come in 1.250,50.");
const QString MsgSoloImporto = QStringLiteral(
    "In questo campo vanno soltanto le cifre da 0 a 9, il punto delle migliaia e la virgola dei decimali.");
const QString MsgPuntoNeiDecimali =
    QStringLiteral("Dopo la virgola dei decimali non si può inserire il punto delle migliaia.");
const QString NotaEuro =
    QStringLiteral("Il simbolo dell'euro e gli spazi non fanno parte dell'importo: sono stati tolti.");
QString daControllare(const char *testo)
{
    return QStringLiteral("Un carattere dell'importo non è stato accettato: controllare \"%1\" e correggerlo "
                          "prima di salvare.")
        .arg(QLatin1String(testo));
}
QString dataInesistente(const char *letta)
{
    return QStringLiteral("La data %1 non esiste: correggerla prima di salvare.").arg(QLatin1String(letta));
}
QString nonData(const char *testo)
{
    return QStringLiteral("\"%1\" non è una data: scrivere giorno, mese e anno, come 21/12/2026, 21-12-26 o "
                          "21122026.")
        .arg(QLatin1String(testo));
}
QString ambiguo(const char *testo)
{
    return QStringLiteral("L'importo \"%1\" non è chiaro: il punto separa le migliaia (1.250,50), i decimali "
                          "vanno dopo la virgola.")
        .arg(QLatin1String(testo));
}

// Types a text key by key, as a keyboard of its alphabet would send it.
void digita(QWidget *w, const QString &testo)
{
    for (QChar c : testo)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

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
        campo("txtIban")->setMaxLength(27);
        campo("txtIvaDitta")->setMaxLength(11);
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
    void dateDigitate_data();
    void dateDigitate();
    void dataCorretta();
    void digitazioneVeloce();
    void calendarioDigitato();
    void vie_data();
    void vie();
    void traslitterate_data();
    void traslitterate();
    void traslitterateInUnaVisita();
    void importi_data();
    void importi();
    void svistaCorretta();
    void calendarioSullaDataDelCampo();
    void tastiDiModificaPassano();
    void fuoriCodificaSenzaRigaInfo();
    void posizioniIndefinite_data();
    void posizioniIndefinite();
    void testoCaricatoMostraInizio();

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
    d->setText(QStringLiteral("01/01/2016"));
    d->setFocus();

    // A letter opens the picker with the field's token; Annulla leaves the field as it was.
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

    // F4 opens it too; Importa without touching the calendar writes the
    // date the field held. Enter on an empty field opens it, and Importa
    // writes today's date there.
    m_servizi->quandoDialogo([](QDialog *dlg) {
        qobject_cast<TfrmCalendario *>(dlg)->btnImportaData->click();
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_F4);
    QCOMPARE(d->text(), QStringLiteral("01/01/2016"));
    d->clear();
    m_servizi->quandoDialogo([](QDialog *dlg) {
        qobject_cast<TfrmCalendario *>(dlg)->btnImportaData->click();
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_Return);
    QCOMPARE(d->text(), QStringLiteral("15/03/2017"));

    // Backspace and Delete empty a date the user has not typed without
    // opening the picker; in a date being typed they take one character away.
    QTest::keyClick(d, Qt::Key_Backspace);
    QCOMPARE(d->text(), QString());
    d->setText(QStringLiteral("x"));
    QTest::keyClick(d, Qt::Key_Delete);
    QCOMPARE(d->text(), QString());
    QTest::keyClicks(d, "21/12");
    QTest::keyClick(d, Qt::Key_Backspace);
    QCOMPARE(d->text(), QStringLiteral("21/1"));
    QTest::keyClick(d, Qt::Key_Home);
    QTest::keyClick(d, Qt::Key_Delete);
    QCOMPARE(d->text(), QStringLiteral("1/1"));
    QCOMPARE(m_servizi->dialoghiEseguiti.size(), 3);

    // Alt+Down and a double click open the picker as well.
    d->setText(QStringLiteral("01/01/2016"));
    for (int i = 0; i < 2; ++i)
        m_servizi->quandoDialogo([](QDialog *dlg) {
            qobject_cast<TfrmCalendario *>(dlg)->calAppuntamenti->setSelectedDate(QDate(2016, 1, 2));
            qobject_cast<TfrmCalendario *>(dlg)->btnImportaData->click();
            return dlg->result();
        });
    QTest::keyClick(d, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(d->text(), QStringLiteral("02/01/2016"));
    d->clear();
    QTest::mouseDClick(d, Qt::LeftButton);
    QCOMPARE(d->text(), QStringLiteral("02/01/2016"));
    QCOMPARE(m_servizi->dialoghiEseguiti.size(), 5);

    // An unknown token writes nothing and keeps the picker open.
    d->clear();
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

// Dates as people type them: the field shows the date as "dd/mm/yyyy" once
// Enter or Tab ends it, Enter moving on; a date that cannot be read, or a day
// that does not exist, stays as typed, marked, with the reason on the info
// line, and Enter does not move on.
void TestCampi::dateDigitate_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<int>("tasto"); // what ends the date
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("info"); // empty: taken
    const int invio = Qt::Key_Return, tab = Qt::Key_Tab;
    QTest::newRow("otto cifre, Invio") << "21122026" << invio << "21/12/2026" << "";
    QTest::newRow("barre, Tab") << "21/12/2026" << tab << "21/12/2026" << "";
    QTest::newRow("trattini, anno corto, Invio") << "21-12-26" << invio << "21/12/2026" << "";
    QTest::newRow("punti, Tab") << "21.12.2026" << tab << "21/12/2026" << "";
    QTest::newRow("cifre singole, Invio") << "1/2/2026" << invio << "01/02/2026" << "";
    QTest::newRow("spazi, Invio del tastierino") << "21 12 2026" << int(Qt::Key_Enter) << "21/12/2026" << "";
    QTest::newRow("31 febbraio, Invio") << "31/02/2026" << invio << "31/02/2026" << dataInesistente("31/02/2026");
    QTest::newRow("giorno 32, Tab") << "32012026" << tab << "32012026" << dataInesistente("32/01/2026");
    QTest::newRow("mese 13, Invio") << "1-13-26" << invio << "1-13-26" << dataInesistente("01/13/2026");
    QTest::newRow("senza anno, Invio") << "21/12" << invio << "21/12" << nonData("21/12");
    QTest::newRow("sette cifre, Tab") << "2112026" << tab << "2112026" << nonData("2112026");
}

void TestCampi::dateDigitate()
{
    QFETCH(QString, digitato);
    QFETCH(int, tasto);
    QFETCH(QString, atteso);
    QFETCH(QString, info);
    QLineEdit *d = m_s->campo("txtDataSca");
    d->setText(QStringLiteral("15/03/2017"));
    // Reached by Tab, the date is selected: what is typed takes its place.
    m_s->campo("txtStipendio")->setFocus();
    QTest::keyClick(m_s->campo("txtStipendio"), Qt::Key_Tab);
    QVERIFY(d->hasFocus());
    m_s->info.clear();
    QTest::keyClicks(d, digitato);
    QCOMPARE(d->text(), digitato);
    QTest::keyClick(d, Qt::Key(tasto));
    QCOMPARE(d->text(), atteso);
    QCOMPARE(m_s->info, info);
    QCOMPARE(rifiutoSegnato(d), !info.isEmpty());
    // Enter stays on a refused date; Tab leaves it all the same.
    QCOMPARE(d->hasFocus(), !info.isEmpty() && tasto != Qt::Key_Tab);
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestCampi::dataCorretta()
{
    // A refused date is mended where it was typed: the mark goes with the
    // first change, and the mended date is taken.
    QLineEdit *d = m_s->campo("txtDataSca");
    d->clear();
    d->setFocus();
    QTest::keyClicks(d, "31/02/2026");
    QTest::keyClick(d, Qt::Key_Return);
    QVERIFY(rifiutoSegnato(d));
    QTest::keyClick(d, Qt::Key_Home);
    QTest::keyClick(d, Qt::Key_Delete);
    QVERIFY(!rifiutoSegnato(d));
    QTest::keyClick(d, Qt::Key_Delete);
    QTest::keyClicks(d, "28");
    QCOMPARE(m_s->info, dataInesistente("31/02/2026"));
    QTest::keyClick(d, Qt::Key_Return);
    QCOMPARE(d->text(), QStringLiteral("28/02/2026"));
    QVERIFY(!rifiutoSegnato(d));
    QCOMPARE(m_s->info, QString()); // the reason goes once the date is mended
    QVERIFY(m_s->campo("txtEmail")->hasFocus());

    // Pasted, a date is written the same way; a text that is no date is refused whole.
    d->clear();
    d->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral(" 21.12.2026\r\n"));
    QTest::keyClick(d, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d->text(), QStringLiteral("21/12/2026"));
    QGuiApplication::clipboard()->setText(QStringLiteral("21 dicembre 2026"));
    QTest::keyClick(d, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(d, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d->text(), QStringLiteral("21/12/2026"));
    QVERIFY(rifiutoSegnato(d));
    QCOMPARE(m_s->info, QStringLiteral("In un campo data vanno soltanto cifre e separatori (/ - . o spazio), come "
                                       "in 21/12/2026."));

    // A click elsewhere in the window ends the date being typed, as a button
    // reading the fields would find it; a loaded date keeps its form.
    d->setText(QStringLiteral("1/2/2017"));
    m_s->campo("txtEmail")->setFocus();
    QCOMPARE(d->text(), QStringLiteral("1/2/2017"));
    d->setFocus();
    d->selectAll();
    QTest::keyClicks(d, "3.4.26");
    QTest::mouseClick(m_s, Qt::LeftButton, Qt::NoModifier, QPoint(230, 5));
    QCOMPARE(d->text(), QStringLiteral("03/04/2026"));
    QVERIFY(d->hasFocus());

    // A loaded date that the save refused and marked stays marked when the
    // field is passed through, until it is mended.
    d->setText(QStringLiteral("31/02/2017"));
    segnaRifiuto(d, true);
    m_s->campo("txtEmail")->setFocus();
    QVERIFY(rifiutoSegnato(d));
    d->setText(QStringLiteral("28/02/2017"));
    QVERIFY(!rifiutoSegnato(d));
}

// Keys go where the focus is when each arrives, as the keyboard sends them.
static void digita(const QString &tasti)
{
    for (QChar c : tasti) {
        QWidget *w = QApplication::focusWidget();
        QVERIFY(w);
        if (c == u'\n')
            QTest::keyClick(w, Qt::Key_Return);
        else if (c == u'\t')
            QTest::keyClick(w, Qt::Key_Tab);
        else
            QTest::keyClick(w, c.toLatin1());
    }
}

void TestCampi::digitazioneVeloce()
{
    // A date typed on without a pause: every character lands where it belongs.
    QLineEdit *d = m_s->campo("txtDataSca");
    d->clear();
    m_s->campo("txtEmail")->clear();
    m_s->campo("txtStipendio")->setFocus();
    digita(QStringLiteral("125\n21-12-26\nrossi@esempio.it\n"));
    QCOMPARE(m_s->campo("txtStipendio")->text(), QStringLiteral("125,00"));
    QCOMPARE(d->text(), QStringLiteral("21/12/2026"));
    QCOMPARE(m_s->campo("txtEmail")->text(), QStringLiteral("rossi@esempio.it"));
    QVERIFY(m_s->campo("txtDipendente")->hasFocus());
    m_s->campo("txtStipendio")->setFocus();
    digita(QStringLiteral("\t1.2.2026\tm@e.it"));
    QCOMPARE(d->text(), QStringLiteral("01/02/2026"));
    QCOMPARE(m_s->campo("txtEmail")->text(), QStringLiteral("m@e.it"));
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
}

// The picker takes a date typed while it is open: shown at its top, the
// calendar on that day as soon as it can be read, taken by Enter or Importa;
// a day that does not exist is refused there, the picker stays open.
void TestCampi::calendarioDigitato()
{
    QLineEdit *d = m_s->campo("txtDataSca");
    d->setText(QStringLiteral("01/01/2016"));
    d->setFocus();
    // What the picker showed at each step, read back after it closed.
    QStringList etichette;
    QList<QDate> giorniMostrati;
    QStringList digitate;
    QList<int> risultati;
    QStringList tagliate; // texts wider than their label
    auto guarda = [&](TfrmCalendario *cal) {
        etichette << cal->lblCampo001->text();
        if (QFontMetrics(cal->lblCampo001->font()).horizontalAdvance(etichette.last()) > cal->lblCampo001->width())
            tagliate << etichette.last();
        giorniMostrati << cal->calAppuntamenti->selectedDate();
        digitate << cal->digitata();
        risultati << cal->result();
    };
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        auto *cal = qobject_cast<TfrmCalendario *>(dlg);
        auto *giorni = cal->calAppuntamenti->findChild<QTableView *>();
        QTest::keyClicks(giorni, "21-12-2");
        guarda(cal); // not a date yet
        QTest::keyClicks(giorni, "6");
        guarda(cal);
        QTest::keyClick(giorni, Qt::Key_Return);
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_F4);
    QCOMPARE(etichette, (QStringList{"Data: 21-12-2", "Data: 21-12-26"}));
    QCOMPARE(giorniMostrati, (QList<QDate>{QDate(2016, 1, 1), QDate(2026, 12, 21)}));
    QCOMPARE(d->text(), QStringLiteral("21/12/2026"));

    // Impossible, refused and mended with Backspace; a letter is no part of it.
    etichette.clear();
    digitate.clear();
    risultati.clear();
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        auto *cal = qobject_cast<TfrmCalendario *>(dlg);
        auto *giorni = cal->calAppuntamenti->findChild<QTableView *>();
        QTest::keyClicks(giorni, "31x022026");
        QTest::keyClick(giorni, Qt::Key_Return);
        guarda(cal);
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(giorni, Qt::Key_Backspace);
        QTest::keyClicks(giorni, "1012026");
        cal->btnImportaData->click();
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_F4);
    QCOMPARE(etichette, QStringList{"31/02/2026 non esiste"});
    QCOMPARE(digitate, QStringList{"31022026"});
    QCOMPARE(risultati, QList<int>{0});
    QCOMPARE(d->text(), QStringLiteral("31/01/2026"));

    // What cannot be read is refused the same way, however long it was typed.
    etichette.clear();
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        auto *cal = qobject_cast<TfrmCalendario *>(dlg);
        auto *giorni = cal->calAppuntamenti->findChild<QTableView *>();
        QTest::keyClicks(giorni, "21 / 12 / 202");
        guarda(cal);
        QTest::keyClick(giorni, Qt::Key_Enter);
        guarda(cal);
        cal->btnAnnulla->click();
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_F4);
    QCOMPARE(etichette, (QStringList{"Data: 21 / 12 / 202", "Non valida: 21 / 12 / 202"}));
    QCOMPARE(d->text(), QStringLiteral("31/01/2026"));
    QCOMPARE(tagliate, QStringList());

    // A day chosen on the calendar takes the place of what was typed.
    etichette.clear();
    digitate.clear();
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        auto *cal = qobject_cast<TfrmCalendario *>(dlg);
        auto *giorni = cal->calAppuntamenti->findChild<QTableView *>();
        QTest::keyClicks(giorni, "21/12");
        cal->calAppuntamenti->setSelectedDate(QDate(2026, 1, 30));
        guarda(cal);
        QTest::keyClick(giorni, Qt::Key_Return);
        return dlg->result();
    });
    QTest::keyClick(d, Qt::Key_A);
    QCOMPARE(etichette, QStringList{"Importare una data:"});
    QCOMPARE(digitate, QStringList{QString()});
    QCOMPARE(d->text(), QStringLiteral("30/01/2026"));
    QCOMPARE(m_servizi->dialoghiEseguiti.size(), 4);
}

// Every way a text can enter a field goes through the same rule.
void TestCampi::vie_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("via");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("inserito");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<bool>("avviso"); // the info line says why
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    QTest::newRow("cifre, incollato misto") << "txtPartitaIva" << "incollato" << "" << "IT-99x" << "" << true;
    QTest::newRow("cifre, menu Incolla") << "txtPartitaIva" << "menu" << "0123" << "x7" << "0123" << true;
    QTest::newRow("cifre, incollate cifre") << "txtPartitaIva" << "menu" << "0123" << "456" << "0123456" << false;
    QTest::newRow("cifre, trascinato") << "txtPartitaIva" << "trascinato" << "" << "12a" << "" << true;
    QTest::newRow("cifre, metodo di immissione") << "txtPartitaIva" << "composto" << "1" << "²" << "1" << true;
    QTest::newRow("maiuscole, incollato") << "txtCodFisc" << "incollato" << "" << " rssmra80 " << "RSSMRA80" << false;
    QTest::newRow("maiuscole, trascinato") << "txtCodFisc" << "trascinato" << "" << "abc" << "ABC" << false;
    QTest::newRow("trim, menu Incolla") << "txtEmail" << "menu" << "" << "  m@esempio.it\n" << "m@esempio.it" << false;
    QTest::newRow("codifica, incollato") << "txtDipendente" << "incollato" << "Rossi" << "Жанна" << "Rossi" << true;
    QTest::newRow("codifica, digitato") << "txtDipendente" << "digitato" << "Rossi" << "ж" << "Rossi" << true;
    QTest::newRow("codifica, emoji composta") << "txtDipendente" << "composto" << "" << emoji << "" << true;
    QTest::newRow("codifica, emoji digitata") << "txtDipendente" << "digitato" << "" << emoji << "" << true;
    // Codes go in whole as they are printed, longer than the field until their
    // blanks go; a partita IVA loses its country code.
    const QString ibanStampato = QStringLiteral("IT60 X054 2811 1010 0000 0123 456");
    const QString iban = QStringLiteral("IT60X0542811101000000123456");
    QTest::newRow("codice, IBAN incollato") << "txtIban" << "incollato" << "" << ibanStampato << iban << true;
    QTest::newRow("codice, IBAN trascinato") << "txtIban" << "trascinato" << "" << ibanStampato << iban << true;
    QTest::newRow("codice, IBAN dal menu del campo") << "txtIban" << "contestuale" << "" << ibanStampato << iban << true;
    QTest::newRow("codice, più lungo del campo") << "txtIban" << "incollato" << "" << ibanStampato + QStringLiteral(" 78")
                                                 << iban << true;
    QTest::newRow("cifre, cella con a capo") << "txtPartitaIva" << "incollato" << "" << "30\r\n" << "30" << true;
    QTest::newRow("codice, spazio digitato") << "txtIban" << "digitato" << "IT60" << " " << "IT60" << true;
    QTest::newRow("codice, partita IVA con IT") << "txtIvaDitta" << "incollato" << "" << "IT 01234567890" << "01234567890" << true;
    QTest::newRow("codice, partita IVA a gruppi") << "txtIvaDitta" << "incollato" << "" << "012.345.678-90" << "01234567890" << true;
    QTest::newRow("codice, partita IVA con lettere") << "txtIvaDitta" << "incollato" << "" << "IT0123456789X" << "" << true;
    QTest::newRow("una riga, tabulazioni e a capo") << "txtDipendente" << "incollato" << "Sig. " << "Rossi\tMario\r\nBologna"
                                                    << "Sig. Rossi Mario Bologna" << true;
    QTest::newRow("una riga, a capo finale di una cella") << "txtDipendente" << "incollato" << "" << "Rossi Mario\n"
                                                          << "Rossi Mario " << false;
    QTest::newRow("codifica, € e accenti") << "txtDipendente" << "incollato" << "" << "Perché 5 € Œ" << "Perché 5 € Œ" << false;
    QTest::newRow("data, trascinata con i punti") << "txtDataSca" << "trascinato" << "" << "1.2.2026" << "01/02/2026" << false;
    QTest::newRow("data, menu Incolla") << "txtDataSca" << "contestuale" << "" << "21-12-26" << "21/12/2026" << false;
    QTest::newRow("data, metodo di immissione") << "txtDataSca" << "composto" << "21" << "é" << "21" << true;
}

void TestCampi::vie()
{
    QFETCH(QString, campo);
    QFETCH(QString, via);
    QFETCH(QString, prima);
    QFETCH(QString, inserito);
    QFETCH(QString, atteso);
    QFETCH(bool, avviso);
    QLineEdit *e = m_s->campo(campo.toLatin1().constData());
    e->setText(prima);
    e->setFocus();
    e->end(false);
    m_s->info.clear();
    if (via == QLatin1String("ctrl+a")) {
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(e, inserito);
    } else if (via == QLatin1String("digitato")) {
        // One key press for the whole character, as the keyboard sends it.
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, inserito, Qt::NoModifier);
    } else if (via == QLatin1String("incollato")) {
        QGuiApplication::clipboard()->setText(inserito);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else if (via == QLatin1String("contestuale")) {
        // The field's own context menu, and its "Incolla".
        QGuiApplication::clipboard()->setText(inserito);
        QContextMenuEvent richiesta(QContextMenuEvent::Keyboard, QPoint(4, 4), e->mapToGlobal(QPoint(4, 4)));
        QCoreApplication::sendEvent(e, &richiesta);
        QMenu *menu = e->findChild<QMenu *>();
        QVERIFY(menu);
        QAction *incolla = nullptr;
        for (QAction *a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste"))
                incolla = a;
        QVERIFY(incolla);
        incolla->trigger();
        menu->close();
    } else if (via == QLatin1String("menu")) {
        // What the context menu's "Incolla" does.
        QGuiApplication::clipboard()->setText(inserito);
        e->paste();
    } else if (via == QLatin1String("trascinato")) {
        e->clearFocus();
        QMimeData dati;
        dati.setText(inserito);
        const QPoint punto(e->width() - 4, e->height() / 2);
        QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &entra);
        QDragMoveEvent sopra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &sopra);
        QDropEvent rilascio(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &rilascio);
    } else {
        QInputMethodEvent composto;
        composto.setCommitString(inserito);
        QCoreApplication::sendEvent(e, &composto);
    }
    QCOMPARE(e->text(), atteso);
    QCOMPARE(!m_s->info.isEmpty(), avviso);
    // Leaving the field keeps what was typed (an amount keeps its three decimals).
    m_s->campo(campo == QLatin1String("txtDipendente") ? "txtEmail" : "txtDipendente")->setFocus();
    QCOMPARE(e->text(), atteso);
    QVERIFY(m_servizi->messaggi.isEmpty()); // the info line says it; no message box on a screen that has one
}

// A letter of another Latin alphabet is written as the code page's letter
// that stands for it, by every way a text enters a field, and the info line
// says what became what; a character with no such letter is refused.
void TestCampi::traslitterate_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("via");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("inserito");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("info");
    const QString unaS = QStringLiteral("Ș è stato scritto come S: lettera fuori dall'alfabeto occidentale (Windows-1252).");
    const QString dueST = QStringLiteral(
        "Ș è stato scritto come S, ț come t: lettere fuori dall'alfabeto occidentale (Windows-1252).");
    const QString rifiutoZ = motivoRifiuto(QStringLiteral("Ж"), Semplice);
    QTest::newRow("digitato") << "txtDipendente" << "digitato" << "Popescu " << "Ș" << "Popescu S" << unaS;
    QTest::newRow("digitato tasto per tasto") << "txtDipendente" << "tasti" << "Popescu " << "Ștefan Buț"
                                              << "Popescu Stefan But" << dueST;
    QTest::newRow("incollato") << "txtDipendente" << "incollato" << "Popescu " << "Ștefan Buț" << "Popescu Stefan But" << dueST;
    QTest::newRow("Incolla del menu") << "txtDipendente" << "menu" << "Popescu " << "Ștefan Buț" << "Popescu Stefan But" << dueST;
    QTest::newRow("menu del campo") << "txtDipendente" << "contestuale" << "Popescu " << "Ștefan Buț"
                                    << "Popescu Stefan But" << dueST;
    QTest::newRow("trascinato") << "txtDipendente" << "trascinato" << "Popescu " << "Ștefan Buț" << "Popescu Stefan But" << dueST;
    QTest::newRow("metodo di immissione") << "txtDipendente" << "composto" << "Popescu " << "Ș" << "Popescu S" << unaS;
    QTest::newRow("accento a parte, nessun cambio") << "txtDipendente" << "incollato" << "" << "Jose\u0301" << "José" << "";
    QTest::newRow("maiuscole") << "txtCodFisc" << "tasti" << "" << "ștefan" << "STEFAN"
                               << "ș è stato scritto come s: lettera fuori dall'alfabeto occidentale (Windows-1252).";
    QTest::newRow("codice a gruppi") << "txtIban" << "incollato" << "" << "RO49 AAAA 1B31 ĂĂ" << "RO49AAAA1B31AA"
                                     << "Ă è stato scritto come A: lettera fuori dall'alfabeto occidentale (Windows-1252).";
    QTest::newRow("importo: lettera e poi rifiuto") << "txtStipendio" << "incollato" << "" << "Ș" << "" << MsgSoloImporto;
    QTest::newRow("nessuna lettera latina") << "txtDipendente" << "incollato" << "Rossi " << "Жанна" << "Rossi " << rifiutoZ;
    QTest::newRow("rifiutato intero") << "txtDipendente" << "incollato" << "" << "Ștefan Жанна" << "" << rifiutoZ;
    QTest::newRow("molte lettere") << "txtDipendente" << "incollato" << "" << "ĂăĄąĆćČčĎ" << "AaAaCcCcD"
                                   << QStringLiteral("Ă è stato scritto come A, ă come a, Ą come A, ą come a, Ć come C, "
                                                     "ć come c e altre 3 allo stesso modo: lettere fuori dall'alfabeto "
                                                     "occidentale (Windows-1252).");
}

void TestCampi::traslitterate()
{
    QFETCH(QString, campo);
    QFETCH(QString, via);
    QFETCH(QString, prima);
    QFETCH(QString, inserito);
    QFETCH(QString, atteso);
    QFETCH(QString, info);
    QLineEdit *e = m_s->campo(campo.toLatin1().constData());
    e->setText(prima);
    e->setFocus();
    e->end(false);
    m_s->info.clear();
    QGuiApplication::clipboard()->setText(inserito);
    if (via == QLatin1String("digitato")) {
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, inserito, Qt::NoModifier);
    } else if (via == QLatin1String("tasti")) {
        digita(e, inserito);
    } else if (via == QLatin1String("incollato")) {
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else if (via == QLatin1String("menu")) {
        e->paste();
    } else if (via == QLatin1String("contestuale")) {
        QContextMenuEvent richiesta(QContextMenuEvent::Keyboard, QPoint(4, 4), e->mapToGlobal(QPoint(4, 4)));
        QCoreApplication::sendEvent(e, &richiesta);
        QMenu *menu = e->findChild<QMenu *>();
        QVERIFY(menu);
        for (QAction *a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste"))
                a->trigger();
        menu->close();
    } else if (via == QLatin1String("trascinato")) {
        QMimeData dati;
        dati.setText(inserito);
        const QPoint punto(e->width() - 4, e->height() / 2);
        QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &entra);
        QDragMoveEvent sopra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &sopra);
        QDropEvent rilascio(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &rilascio);
    } else {
        QInputMethodEvent composto;
        composto.setCommitString(inserito);
        QCoreApplication::sendEvent(e, &composto);
    }
    QCOMPARE(e->text(), atteso);
    QCOMPARE(m_s->info, info);
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestCampi::traslitterateInUnaVisita()
{
    // The info line names every letter written otherwise while the field is
    // being edited, each once; the next visit starts afresh.
    QLineEdit *e = m_s->campo("txtDipendente");
    e->setFocus();
    digita(e, QStringLiteral("Ștefan Țurcanu, "));
    digita(e, QStringLiteral("Ștefan"));
    QCOMPARE(e->text(), QStringLiteral("Stefan Turcanu, Stefan"));
    QCOMPARE(m_s->info, QStringLiteral("Ș è stato scritto come S, Ț come T: lettere fuori dall'alfabeto occidentale "
                                       "(Windows-1252)."));
    m_s->campo("txtEmail")->setFocus();
    e->setFocus();
    e->end(false);
    digita(e, QStringLiteral(" Ł"));
    QCOMPARE(m_s->info, QStringLiteral("Ł è stato scritto come L: lettera fuori dall'alfabeto occidentale (Windows-1252)."));
    // A text the program puts in starts afresh too.
    e->setText(QStringLiteral("Bu"));
    e->end(false);
    digita(e, QStringLiteral("ț"));
    QCOMPARE(e->text(), QStringLiteral("But"));
    QCOMPARE(m_s->info, QStringLiteral("ț è stato scritto come t: lettera fuori dall'alfabeto occidentale (Windows-1252)."));
}

// Amounts as people type and paste them: the dot separates the thousands; a
// slip (a second comma, a dot among the decimals, a letter) is refused with a
// beep, the reason and the field marked, and what was typed on after it stays
// as typed, marked, until the user corrects it.
void TestCampi::importi_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("inserito");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("uscita");     // the text once the field is left
    QTest::addColumn<QString>("infoUscita"); // the info line then
    QTest::addColumn<bool>("segnato");       // the field marked once left
    QTest::newRow("digitato, punto delle migliaia") << "digitato" << "" << "1.250,50" << "1.250,50" << "" << "1.250,50" << "" << false;
    QTest::newRow("digitato, milioni") << "digitato" << "" << "1.234.567" << "1.234.567" << "" << "1.234.567,00" << "" << false;
    QTest::newRow("digitato, Ctrl+A su 0,00") << "ctrl+a" << "0,00" << "1300,125" << "1300,125" << "" << "1.300,125" << "" << false;
    QTest::newRow("digitato, 1,250,50") << "digitato" << "" << "1,250,50" << "1,25050" << MsgUnaVirgola << "1,25050"
                                        << daControllare("1,25050") << true;
    QTest::newRow("digitato, 1,2,3") << "digitato" << "" << "1,2,3" << "1,23" << MsgUnaVirgola << "1,23"
                                     << daControllare("1,23") << true;
    QTest::newRow("digitato, punto tra i decimali") << "digitato" << "" << "1,25.0" << "1,250" << MsgPuntoNeiDecimali
                                                    << "1,250" << daControllare("1,250") << true;
    QTest::newRow("digitato, lettera") << "digitato" << "" << "1o0" << "10" << MsgSoloImporto << "10"
                                       << daControllare("10") << true;
    QTest::newRow("digitato, punto decimale inglese") << "digitato" << "" << "1250.50" << "1250.50" << "" << "1250.50"
                                                      << ambiguo("1250.50") << true;
    QTest::newRow("incollato, euro e punti") << "incollato" << "" << "€ 1.250,50" << "1.250,50" << NotaEuro << "1.250,50"
                                             << NotaEuro << false;
    QTest::newRow("incollato, 1,250,50") << "incollato" << "" << "1,250,50" << "" << MsgUnaVirgola << "0,00"
                                         << MsgUnaVirgola << false;
    QTest::newRow("incollato, nessun importo") << "incollato" << "12" << "dodici euro" << "12" << MsgSoloImporto
                                               << "12,00" << MsgSoloImporto << false;
    QTest::newRow("incollato, accanto alle cifre") << "incollato" << "12" << "3,45" << "123,45" << "" << "123,45" << "" << false;
    QTest::newRow("trascinato, euro in coda") << "trascinato" << "" << "1.250 €" << "1.250" << NotaEuro << "1.250,00"
                                              << NotaEuro << false;
}

void TestCampi::importi()
{
    QFETCH(QString, via);
    QFETCH(QString, prima);
    QFETCH(QString, inserito);
    QFETCH(QString, atteso);
    QFETCH(QString, info);
    QFETCH(QString, uscita);
    QFETCH(QString, infoUscita);
    QFETCH(bool, segnato);
    QLineEdit *e = m_s->campo("txtStipendio");
    e->setText(prima);
    e->setFocus();
    e->end(false);
    m_s->info.clear();
    if (via == QLatin1String("digitato")) {
        QTest::keyClicks(e, inserito);
    } else if (via == QLatin1String("ctrl+a")) {
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(e, inserito);
    } else if (via == QLatin1String("incollato")) {
        QGuiApplication::clipboard()->setText(inserito);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else {
        e->clearFocus(); // the field left: its text is formatted, so put it back
        e->setText(prima);
        QMimeData dati;
        dati.setText(inserito);
        const QPoint punto(e->width() - 4, e->height() / 2);
        QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &entra);
        QDropEvent rilascio(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e, &rilascio);
        e->setFocus();
    }
    QCOMPARE(e->text(), atteso);
    QCOMPARE(m_s->info, info);
    QCOMPARE(rifiutoSegnato(e), info != NotaEuro && !info.isEmpty());
    if (rifiutoSegnato(e))
        QCOMPARE(e->palette().color(QPalette::Base), QColor(0xFF, 0xC4, 0xC4));
    m_s->campo("txtDipendente")->setFocus();
    QCOMPARE(e->text(), uscita);
    QCOMPARE(m_s->info, infoUscita);
    QCOMPARE(rifiutoSegnato(e), segnato);
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestCampi::svistaCorretta()
{
    // The slip marked, then corrected: Backspace takes the mark away and the amount is formatted again.
    QLineEdit *e = m_s->campo("txtStipendio");
    e->clear();
    e->setFocus();
    QTest::keyClicks(e, "1,250,50");
    QVERIFY(rifiutoSegnato(e));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->text(), QStringLiteral("1,"));
    QVERIFY(!rifiutoSegnato(e));
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, ".250,50");
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("1.250,50"));
    QVERIFY(!rifiutoSegnato(e));
    // A card loaded into the screen starts afresh.
    e->setFocus();
    QTest::keyClicks(e, ",");
    QVERIFY(rifiutoSegnato(e));
    e->setText(QStringLiteral("99,00"));
    QVERIFY(!rifiutoSegnato(e));
    QVERIFY(!importoDubbio(e));
}

void TestCampi::calendarioSullaDataDelCampo()
{
    // The picker opens on the field's own date, however far from today.
    QLineEdit *d = m_s->campo("txtDataSca");
    d->setText(QStringLiteral("20/06/2025"));
    TfrmCalendario cal(m_s);
    cal.lblMemory->setText(QStringLiteral("datasca"));
    cal.mostraDataDelCampo();
    QCOMPARE(cal.calAppuntamenti->selectedDate(), QDate(2025, 6, 20));
    QCOMPARE(cal.calAppuntamenti->yearShown(), 2025);
    QCOMPARE(cal.calAppuntamenti->monthShown(), 6);
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));

    // Enter on the calendar imports the chosen day, as "Importa" does.
    auto *giorni = cal.calAppuntamenti->findChild<QTableView *>();
    QVERIFY(giorni);
    giorni->setFocus();
    QTest::keyClick(giorni, Qt::Key_Right);
    QTest::keyClick(giorni, Qt::Key_Return);
    QCOMPARE(d->text(), QStringLiteral("21/06/2025"));
    QCOMPARE(cal.result(), int(QDialog::Accepted));

    // A double click on a day does the same.
    TfrmCalendario cal2(m_s);
    cal2.lblMemory->setText(QStringLiteral("datasca"));
    cal2.mostraDataDelCampo();
    QCOMPARE(cal2.calAppuntamenti->selectedDate(), QDate(2025, 6, 21));
    cal2.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal2));
    cal2.calAppuntamenti->setSelectedDate(QDate(2025, 6, 10));
    auto *giorni2 = cal2.calAppuntamenti->findChild<QTableView *>();
    const QPoint punto = giorni2->visualRect(giorni2->currentIndex()).center();
    QTest::mouseDClick(giorni2->viewport(), Qt::LeftButton, Qt::NoModifier, punto);
    QCOMPARE(d->text(), QStringLiteral("10/06/2025"));
    QCOMPARE(cal2.result(), int(QDialog::Accepted));

    // A field whose text is no date opens on today.
    d->setText(QStringLiteral("x"));
    TfrmCalendario cal3(m_s);
    cal3.lblMemory->setText(QStringLiteral("datasca"));
    cal3.mostraDataDelCampo();
    QCOMPARE(cal3.calAppuntamenti->selectedDate(), QDate(2017, 3, 15));
}

void TestCampi::tastiDiModificaPassano()
{
    // Home, End, selection with Shift and the arrows, Ctrl+A, Ctrl+C, Ctrl+X
    // and Ctrl+Z all reach a digit field.
    QLineEdit *e = m_s->campo("txtPartitaIva");
    e->setText(QStringLiteral("0123"));
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClicks(e, "9");
    QCOMPARE(e->text(), QStringLiteral("90123"));
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(e, "7");
    QCOMPARE(e->text(), QStringLiteral("90127"));
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("90123"));
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(e->selectedText(), QStringLiteral("90123"));
    QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("90123"));
    QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(e->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("90123"));
    // In a date field, copying does not open the picker.
    QLineEdit *d = m_s->campo("txtDataSca");
    d->setText(QStringLiteral("01/02/2017"));
    d->setFocus();
    QTest::keyClick(d, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(d, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("01/02/2017"));
}

void TestCampi::fuoriCodificaSenzaRigaInfo()
{
    // A screen without an info line says it with a short message; other refusals stay silent.
    m_s->comportamenti->suggerimento = nullptr;
    QLineEdit *e = m_s->campo("txtDipendente");
    e->setText(QStringLiteral("Rossi "));
    e->setFocus();
    e->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("Жанна"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("Rossi "));
    QTRY_COMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
    QVERIFY(m_servizi->ultimoTesto().startsWith(QStringLiteral("Attenzione: il carattere \"Ж\" non è ammesso")));
    QTest::keyClicks(m_s->campo("txtPartitaIva"), "x");
    QTest::qWait(10);
    QCOMPARE(m_servizi->messaggi.size(), 1);
    // A letter written otherwise is told the same way, naming it as it came.
    e->setFocus();
    e->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("Ștefan"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("Rossi Stefan"));
    QTRY_COMPARE(m_servizi->messaggi.size(), 2);
    QCOMPARE(m_servizi->ultimoTesto(), QStringLiteral("Attenzione: Ș è stato scritto come S: lettera fuori "
                                                      "dall'alfabeto occidentale (Windows-1252)."));
}

void TestCampi::posizioniIndefinite_data()
{
    QTest::addColumn<int>("codice");
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QTest::addRow("U+%04X", c) << c;
}

void TestCampi::posizioniIndefinite()
{
    // The positions Windows-1252 leaves undefined are refused like any other
    // character it cannot hold, typed or pasted, with the same reason.
    QFETCH(int, codice);
    const QString c{QChar(char16_t(codice))};
    QCOMPARE(qv::motivoRifiuto(QStringLiteral("Rossi") + c, 0),
             qv::motivoRifiuto(QStringLiteral("Rossi\u0141"), 0).replace(QChar(0x0141), c));
    m_s->comportamenti->suggerimento = nullptr;
    QLineEdit *e = m_s->campo("txtDipendente");
    e->setText(QStringLiteral("Rossi "));
    e->setFocus();
    e->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("Ma") + c + QStringLiteral("rio"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QKeyEvent premuto(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
    QApplication::sendEvent(e, &premuto);
    QCOMPARE(e->text(), QStringLiteral("Rossi "));
    QTRY_VERIFY(!m_servizi->messaggi.isEmpty());
    QVERIFY(m_servizi->ultimoTesto().startsWith(QStringLiteral("Attenzione: il carattere \"") + c
                                                + QStringLiteral("\" non è ammesso")));
}

void TestCampi::testoCaricatoMostraInizio()
{
    // A long text put into a field shows its beginning, with or without the focus;
    // a text typed keeps the cursor where it was typed.
    const QString indirizzo = QStringLiteral("Vicolo Stretto all'angolo Via Santa Brigida, quartiere San Ferdinando");
    QLineEdit *e = m_s->campo("txtDipendente");
    e->setText(indirizzo);
    QCOMPARE(e->cursorPosition(), 0);
    e->setFocus();
    e->setText(QStringLiteral("Piazza dei Cavalieri di Vittorio Veneto, scala B"));
    QCOMPARE(e->cursorPosition(), 0);
    e->end(false);
    QTest::keyClicks(e, "b");
    QCOMPARE(e->cursorPosition(), e->text().size());
    // The focus mark's neighbours: an amount formatted when left also shows its start.
    QLineEdit *s = m_s->campo("txtStipendio");
    s->setFocus();
    QTest::keyClicks(s, "7");
    e->setFocus();
    QCOMPARE(s->text(), QStringLiteral("7,00"));
    QCOMPARE(s->cursorPosition(), 0);
}

QTEST_MAIN(TestCampi)
#include "tst_campi.moc"
