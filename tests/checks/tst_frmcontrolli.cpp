#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>

#include "checks/frmcontrolli.h"
#include "core/confrontocf.h"
#include "core/identificativi.h"
#include "support/serviziprova.h"

using namespace qv;
using Genere = MessaggioMostrato::Genere;

namespace {

enum Tipo { CodFisc, PartitaIva, Iban };

DialogoControllo *crea(int tipo)
{
    switch (tipo) {
    case CodFisc: return new TfrmCodFisc;
    case PartitaIva: return new TfrmPartitaIva;
    default: return new TfrmIban;
    }
}

QString ufficio(const QString &nome)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                          "E' stato rilasciato dall'Ufficio IVA del Comune di ") + nome + u'.';
}

const QString CfValido = QStringLiteral("RSSMRA80A01H501U");
// The verdict on a valid code, with what the code says under it.
QString cfValido(const char *dice)
{
    return MsgCodFiscValido + QStringLiteral("\r\n\r\n") + QString::fromUtf8(dice);
}
const QString IbanValido = QStringLiteral("IT60X0542811101000000123456");

} // namespace

class TestControlli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init() { m_servizi = new ServiziProva; }
    void cleanup();
    void forma_data();
    void forma();
    void verdetto_data();
    void verdetto();
    void rilascioMaiuscole_data();
    void rilascioMaiuscole();
    void partitaIvaSoloCifre();
    void codiciIncollati_data();
    void codiciIncollati();
    void apertura_data();
    void apertura();

private:
    bool mostra(int tipo);

    ServiziProva *m_servizi = nullptr;
    DialogoControllo *m_dlg = nullptr;
};

void TestControlli::cleanup()
{
    delete m_dlg;
    m_dlg = nullptr;
    delete m_servizi;
}

bool TestControlli::mostra(int tipo)
{
    m_dlg = crea(tipo);
    m_dlg->show();
    QApplication::setActiveWindow(m_dlg);
    return QTest::qWaitForWindowActive(m_dlg);
}

void TestControlli::forma_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("lunghezza");
    QTest::addColumn<QString>("lunghezzaErrata");
    QTest::newRow("codice fiscale") << int(CodFisc) << " Controllo codice fiscale" << QSize(478, 254) << "txtCodFisc"
                                    << 16 << MsgCodFiscLunghezza;
    QTest::newRow("partita IVA") << int(PartitaIva) << " Controllo partita IVA" << QSize(480, 254) << "txtPartitaIva"
                                 << 11 << MsgPartitaIvaLunghezza;
    QTest::newRow("IBAN") << int(Iban) << " Controllo IBAN" << QSize(608, 270) << "txtIban" << 27 << MsgIbanLunghezza;
}

void TestControlli::forma()
{
    QFETCH(int, tipo);
    QFETCH(QString, titolo);
    QFETCH(QSize, area);
    QFETCH(QString, campo);
    QFETCH(int, lunghezza);
    QFETCH(QString, lunghezzaErrata);
    QVERIFY(mostra(tipo));
    DialogoControllo *d = m_dlg;
    QCOMPARE(d->windowTitle(), titolo);
    QCOMPARE(d->size(), area);
    QCOMPARE(d->campo()->objectName(), campo);
    QCOMPARE(d->campo()->maxLength(), lunghezza);
    QVERIFY(d->campo()->hasFocus()); // on show

    // Enter moves to Controlla, Tab goes on to Chiudi and back.
    QTest::keyClick(d->campo(), Qt::Key_Return);
    QVERIFY(d->btnControlla->hasFocus());
    QTest::keyClick(d->btnControlla, Qt::Key_Tab);
    QVERIFY(d->btnChiudi->hasFocus());
    QTest::keyClick(d->btnChiudi, Qt::Key_Backtab);
    QVERIFY(d->btnControlla->hasFocus());
    QVERIFY(m_servizi->messaggi.isEmpty());

    // A second Enter presses Controlla: the empty field is too short.
    QTest::keyClick(d->btnControlla, Qt::Key_Return);
    QCOMPARE(m_servizi->testi(), QStringList{lunghezzaErrata});
    QVERIFY(d->isVisible());
    QVERIFY(d->campo()->hasFocus());

    // Escape closes it as Chiudi does, without a word.
    QTest::keyClick(d->campo(), Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(m_servizi->messaggi.size(), 1);
}

void TestControlli::verdetto_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("digitato"); // typed key by key, or put in as the opener does
    QTest::addColumn<QString>("campoDopo");
    QTest::addColumn<Genere>("genere");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<bool>("chiuso");

    const Genere I = Genere::Informazione, A = Genere::Avviso;
    const QString Roma = cfValido("Nato il 01/01/1980 a Roma (RM)");
    QTest::newRow("cf valido") << int(CodFisc) << CfValido << false << CfValido << I << Roma << true;
    QTest::newRow("cf valido, donna nata all'estero")
        << int(CodFisc) << "MLLSNT82P65Z404U" << false << "MLLSNT82P65Z404U" << I
        << cfValido("Nata il 25/09/1982 all'estero (Stati Uniti d'America)") << true;
    QTest::newRow("cf omocodico") << int(CodFisc) << "RSSMRA80A01H50MM" << false << "RSSMRA80A01H50MM" << I << Roma
                                  << true;
    QTest::newRow("cf di un luogo sconosciuto")
        << int(CodFisc) << "RSSMRA80A01Y999X" << false << "RSSMRA80A01Y999X" << I
        << cfValido("Nato il 01/01/1980 in un luogo sconosciuto (codice catastale Y999)") << true;
    // The check letter is right, but no month F and no 31 April.
    QTest::newRow("cf mese impossibile") << int(CodFisc) << "RSSMRA80F01H501G" << false << "RSSMRA80F01H501G" << A
                                         << MsgCodFiscImpossibile << true;
    QTest::newRow("cf giorno impossibile") << int(CodFisc) << "RSSMRA80D31H501D" << false << "RSSMRA80D31H501D" << A
                                           << MsgCodFiscImpossibile << true;
    QTest::newRow("cf errato") << int(CodFisc) << "RSSMRA80A01H501A" << false << "RSSMRA80A01H501A" << A
                               << MsgCodFiscErrato << true;
    QTest::newRow("cf minuscolo digitato") << int(CodFisc) << "rssmra80a01h501u" << true << CfValido << I
                                           << Roma << true;
    QTest::newRow("cf 15 caratteri") << int(CodFisc) << "RSSMRA80A01H501" << true << "RSSMRA80A01H501" << A
                                     << MsgCodFiscLunghezza << false;
    QTest::newRow("cf non rifilato prima del controllo") << int(CodFisc) << " RSSMRA80A01H501U" << false
                                                          << " RSSMRA80A01H501U" << A << MsgCodFiscLunghezza << false;
    // Characters are counted, not UTF-16 units: 14 and an emoji are 16 units, 15 characters.
    QTest::newRow("cf 14 caratteri e un'emoji") << int(CodFisc) << "RSSMRA80A01H50" + QString::fromUcs4(U"\U0001F600")
                                                << false << "RSSMRA80A01H50" + QString::fromUcs4(U"\U0001F600") << A
                                                << MsgCodFiscLunghezza << false;
    // No fiscal code holds a sign, not even one that weighs what a 0 does.
    QTest::newRow("cf con due punti") << int(CodFisc) << "RSSMRA80A01H5:1U" << false << "RSSMRA80A01H5:1U" << A
                                      << MsgCodFiscErrato << true;
    QTest::newRow("cf minuscolo dall'apertura") << int(CodFisc) << "rssmra80a01h501u" << false << "rssmra80a01h501u"
                                                << I << Roma << true;

    QTest::newRow("piva Torino") << int(PartitaIva) << "12345670017" << true << "12345670017" << I
                                 << ufficio("Torino") << true;
    QTest::newRow("piva 120 Bologna 2") << int(PartitaIva) << "01234561205" << true << "01234561205" << I
                                        << ufficio("Bologna 2") << true;
    QTest::newRow("piva ufficio 103 sconosciuto") << int(PartitaIva) << "07654321038" << true << "07654321038" << I
                                                  << QStringLiteral(
                                                         "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                                         "Il codice dell'Ufficio IVA (103) non corrisponde a nessun "
                                                         "ufficio della tabella.")
                                                  << true;
    QTest::newRow("piva errata") << int(PartitaIva) << "12345670018" << true << "12345670018" << A
                                 << MsgPartitaIvaErrata << true;
    QTest::newRow("piva 10 cifre") << int(PartitaIva) << "1234567001" << true << "1234567001" << A
                                   << MsgPartitaIvaLunghezza << false;
    QTest::newRow("piva con lettera dall'apertura") << int(PartitaIva) << "1234567001a" << false << "1234567001a" << A
                                                    << MsgPartitaIvaErrata << true;
    QTest::newRow("piva 16 cifre dall'apertura") << int(PartitaIva) << "1234567001712345" << false
                                                 << "1234567001712345" << A << MsgPartitaIvaLunghezza << false;

    QTest::newRow("iban valido") << int(Iban) << IbanValido << false << IbanValido << I << MsgIbanValido << true;
    QTest::newRow("iban errato") << int(Iban) << "IT60X0542811101000000123457" << false
                                 << "IT60X0542811101000000123457" << A << MsgIbanErrato << true;
    QTest::newRow("iban minuscolo digitato") << int(Iban) << "it60x0542811101000000123456" << true << IbanValido << I
                                             << MsgIbanValido << true;
    QTest::newRow("iban rifilato prima del controllo") << int(Iban) << "  " + IbanValido + "\t" << false
                                                        << "  " + IbanValido + "\t" << I << MsgIbanValido << true;
    QTest::newRow("iban con IBAN nel conto") << int(Iban) << "IT66X1778242969FHU6FGZIBANW" << true
                                             << "IT66X1778242969FHU6FGZIBANW" << I << MsgIbanValido << true;
    QTest::newRow("iban 26 caratteri") << int(Iban) << "IT60X054281110100000012345" << true
                                       << "IT60X054281110100000012345" << A << MsgIbanLunghezza << false;
}

void TestControlli::verdetto()
{
    QFETCH(int, tipo);
    QFETCH(QString, testo);
    QFETCH(bool, digitato);
    QFETCH(QString, campoDopo);
    QFETCH(Genere, genere);
    QFETCH(QString, messaggio);
    QFETCH(bool, chiuso);
    QVERIFY(mostra(tipo));
    DialogoControllo *d = m_dlg;
    if (digitato)
        QTest::keyClicks(d->campo(), testo);
    else
        d->impostaTesto(testo);
    QCOMPARE(d->campo()->text(), campoDopo);

    d->btnControlla->setFocus();
    d->btnControlla->click();
    QCOMPARE(m_servizi->testi(), QStringList{messaggio});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, genere);
    QCOMPARE(d->isVisible(), !chiuso);
    if (chiuso)
        QCOMPARE(d->result(), int(QDialog::Accepted));
    else
        QVERIFY(d->campo()->hasFocus());
}

void TestControlli::rilascioMaiuscole_data()
{
    QTest::addColumn<int>("tipo");
    QTest::newRow("codice fiscale") << int(CodFisc);
    QTest::newRow("IBAN") << int(Iban);
}

void TestControlli::rilascioMaiuscole()
{
    QFETCH(int, tipo);
    QVERIFY(mostra(tipo));
    QLineEdit *e = m_dlg->campo();
    // Letters turn upper case; blanks, dots and dashes are no part of a code
    // and go wherever they are typed.
    QTest::keyClicks(e, QStringLiteral(" abc "));
    QCOMPARE(e->text(), QStringLiteral("ABC"));
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Space);
    QCOMPARE(e->text(), QStringLiteral("ABC"));
    QTest::keyClicks(e, QStringLiteral("."));
    QCOMPARE(e->text(), QStringLiteral("ABC"));
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClicks(e, QStringLiteral("-x"));
    QCOMPARE(e->text(), QStringLiteral("ABCX"));
    // A pasted text is rewritten at the release of its keys.
    e->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral(" it60x "));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("IT60X"));
}

void TestControlli::partitaIvaSoloCifre()
{
    QVERIFY(mostra(PartitaIva));
    QLineEdit *e = m_dlg->campo();
    QTest::keyClicks(e, QStringLiteral("1a2B-3 ,4"));
    QCOMPARE(e->text(), QStringLiteral("1234"));

    // The arrows move, digits go in at the cursor.
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClicks(e, QStringLiteral("9"));
    QCOMPARE(e->text(), QStringLiteral("12934"));
    QCOMPARE(e->cursorPosition(), 3);

    // Editing and selection keys work as in every field.
    QTest::keyClick(e, Qt::Key_Home);
    QCOMPARE(e->cursorPosition(), 0);
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(e->selectedText(), QStringLiteral("4"));
    QTest::keyClick(e, Qt::Key_End);
    // Digits are pasted; a paste with anything else leaves the field as it was.
    QGuiApplication::clipboard()->setText(QStringLiteral("55"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("1293455"));
    QGuiApplication::clipboard()->setText(QStringLiteral("IT-99x"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    e->paste(); // the context menu's "Incolla"
    QCOMPARE(e->text(), QStringLiteral("1293455"));
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("12934"));
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(e->selectedText(), QStringLiteral("12934"));
    QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12934"));
    QTest::keyClick(e, Qt::Key_Right);
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_Left);
    QCOMPARE(e->cursorPosition(), 3);

    // Backspace and Delete edit.
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Right);
    QTest::keyClick(e, Qt::Key_Delete);
    QCOMPARE(e->text(), QStringLiteral("123"));
    // Tab moves on to "Controlla".
    QTest::keyClick(e, Qt::Key_Tab);
    QVERIFY(m_dlg->btnControlla->hasFocus());
    e->setFocus();

    // The field is never rewritten on a key release.
    m_dlg->impostaTesto(QStringLiteral(" 12a "));
    QTest::keyClick(e, Qt::Key_Right);
    QCOMPARE(e->text(), QStringLiteral(" 12a "));
}

void TestControlli::apertura_data()
{
    QTest::addColumn<int>("pulsante"); // the card button: codice fiscale, partita IVA or IBAN
    QTest::addColumn<QString>("testoCampo");
    QTest::addColumn<QString>("dialogo");
    QTest::addColumn<QString>("testo");
    QTest::newRow("cf di 11 cifre") << int(CodFisc) << " 12345670017 " << "TfrmPartitaIva" << "12345670017";
    QTest::newRow("cf di 16 cifre") << int(CodFisc) << "1234567001712345" << "TfrmPartitaIva" << "1234567001712345";
    QTest::newRow("cf con una lettera") << int(CodFisc) << "12345A" << "TfrmCodFisc" << "12345A";
    QTest::newRow("cf vuoto") << int(CodFisc) << "  " << "TfrmCodFisc" << "";
    QTest::newRow("cf minuscolo") << int(CodFisc) << "\trssmra80a01h501u " << "TfrmCodFisc" << "rssmra80a01h501u";
    QTest::newRow("piva") << int(PartitaIva) << " 1234567001a " << "TfrmPartitaIva" << "1234567001a";
    QTest::newRow("iban") << int(Iban) << " " + IbanValido + "\r\n" << "TfrmIban" << IbanValido;
}

void TestControlli::apertura()
{
    QFETCH(int, pulsante);
    QFETCH(QString, testoCampo);
    QFETCH(QString, dialogo);
    QFETCH(QString, testo);
    QWidget schermo;
    QPointer<QDialog> aperto;
    QWidget *padre = nullptr;
    QString nelCampo;
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        aperto = dlg;
        padre = dlg->parentWidget();
        if (auto *c = qobject_cast<DialogoControllo *>(dlg))
            nelCampo = c->campo()->text();
        return int(QDialog::Rejected);
    });
    using Apri = void (*)(QWidget *, const QString &);
    const Apri apri[] = {apriControlloCodFisc, apriControlloPartitaIva, apriControlloIban};
    apri[pulsante](&schermo, testoCampo);

    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{dialogo});
    QCOMPARE(nelCampo, testo);
    QCOMPARE(padre, &schermo);
    QVERIFY(aperto.isNull()); // destroyed once it has run
}

// A code pasted as it is printed goes in whole and is checked: the blanks,
// dots and dashes go before the field's length counts; the IT of a partita
// IVA goes too, and the user is told.
void TestControlli::codiciIncollati_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QStringList>("messaggi"); // shown on pasting, then on checking
    QTest::newRow("IBAN stampato") << int(Iban) << "IT60 X054 2811 1010 0000 0123 456" << IbanValido
                                   << QStringList{MsgIbanValido};
    QTest::newRow("codice fiscale a gruppi") << int(CodFisc) << "RSS-MRA 80A01.H501U" << CfValido
                                             << QStringList{cfValido("Nato il 01/01/1980 a Roma (RM)")};
    QTest::newRow("partita IVA con IT")
        << int(PartitaIva) << "IT 00743110157" << "00743110157"
        << QStringList{QStringLiteral("Attenzione: il prefisso IT (la sigla dell'Italia) non fa parte della partita "
                                      "IVA: è stato tolto, restano le 11 cifre."),
                       ufficio(QStringLiteral("Milano 1"))};
    QTest::newRow("partita IVA a gruppi") << int(PartitaIva) << "007.431.101-57" << "00743110157"
                                          << QStringList{ufficio(QStringLiteral("Milano 1"))};
}

void TestControlli::codiciIncollati()
{
    QFETCH(int, tipo);
    QFETCH(QString, incollato);
    QFETCH(QString, atteso);
    QFETCH(QStringList, messaggi);
    QVERIFY(mostra(tipo));
    QGuiApplication::clipboard()->setText(incollato);
    QTest::keyClick(m_dlg->campo(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_dlg->campo()->text(), atteso);
    QCoreApplication::processEvents(); // the message of a dialog without an info line comes once the field is done
    m_dlg->btnControlla->click();
    QCOMPARE(m_servizi->testi(), messaggi);
}

QTEST_MAIN(TestControlli)
#include "tst_frmcontrolli.moc"
