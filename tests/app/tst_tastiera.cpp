// The two card screens and the lists by keyboard alone: Tab reaches every
// button in the order the screen reads, Enter and Space press a button as a
// click does, the shortcuts press theirs (also from a text field and from a
// date field), and Enter in a list opens the entry's card as a double click.

#include <QApplication>
#include <QEnterEvent>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmmenucontratti.h"
#include "contracts/frmtrovacontratti.h"
#include "contracts/frmvalidi.h"
#include "registry/foto.h"
#include "registry/frmanagrafica.h"
#include "registry/frmscadute.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "ui/frmversioni.h"
#include "ui/schermi.h"
#include "ui/schermoscheda.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"

#include <functional>
#include <memory>

using namespace qv;
using namespace qv::prova;

namespace {

// The controls Tab reaches on each card screen, in the order it reaches them.
const QStringList kOrdineAnagrafica = {
    "btnVersioni", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo",
    "btnZoomFoto", "btnCancFoto", "btnCaricaFoto", "btnAcquisisciFoto", "btnSalvaFoto",
    "txtDipendente", "btnLavori", "txtCittadinanza", "txtStipendio", "txtLuogo", "txtDataNasc", "btnCalcolaCF",
    "txtCodFisc", "btnCodFisc", "txtPartitaIva", "btnPartitaIva", "txtIndirizzo", "txtCitta", "txtProv", "txtCap",
    "txtQualifiche", "txtFamiliari", "txtIban", "btnIban", "txtNote",
    "txtDataSca", "delDataSca", "txtPreavviso", "txtRecapito", "txtEmail", "btnEmail",
    "btnNuovo", "btnDuplica", "btnSalva", "btnTrova", "btnAllegati", "btnAnteprima", "btnStampa", "btnScadenze",
    "btnScaduti", "btnEsporta", "btnGuida", "btnEsci",
};
const QStringList kOrdineContratti = {
    "btnVersioni", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo",
    "btnNuovo", "btnDuplica", "btnSalva", "btnImporta", "btnTrova", "btnFile", "btnRTF", "btnValidi", "btnRescissi",
    "btnEsporta", "btnGuida", "btnEsci",
    "txtDataStipula", "delDataStipula", "txtLuogoStipula", "txtNomeDitta", "txtSedeDitta", "txtProvDitta",
    "txtIvaDitta", "btnIvaDitta", "txtComuneReg", "txtProvReg", "txtNumReg", "txtLegale", "txtLuogoNascLeg",
    "txtDataNascLeg", "txtCodFiscLeg", "btnCodFiscLeg", "btnCalcolaCFLeg", "txtAttivita", "txtForo",
    "txtDipendente", "txtCittadinanza", "txtLuogo", "txtDataNasc", "txtCodFisc", "btnCodFisc", "btnCalcolaCF",
    "txtRecapito", "txtIndirizzo", "txtCitta", "txtProv", "txtCap", "txtStipendio", "txtIban", "btnIban",
    "txtQualifiche",
    "txtPrestazioni", "txtDataInizio", "delDataInizio", "txtDataFine", "delDataFine", "txtDurata",
    "txtSedeLavoro", "chkRescisso", "txtMotivo", "txtNote",
};

TSchedaDipendente dipendente(int n)
{
    TSchedaDipendente s;
    s.Dipendente = QStringLiteral("Dipendente %1").arg(n);
    s.Stipendio = QStringLiteral("1000,00");
    s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    s.DataSca = QStringLiteral("0%1/01/2017").arg(n); // expired on the tests' day, 15/03/2017
    s.Preavviso = QStringLiteral("10");
    s.Email = QStringLiteral("dipendente%1@esempio.it").arg(n);
    return s;
}

TSchedaContratto contratto(int n)
{
    TSchedaContratto s;
    s.DataStipula = QStringLiteral("0%1/02/2017").arg(n);
    s.LuogoStipula = QStringLiteral("Bologna");
    s.NomeDitta = QStringLiteral("Ditta %1").arg(n);
    s.Dipendente = QStringLiteral("Collaboratore %1").arg(n);
    s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    s.Stipendio = QStringLiteral("1200,50");
    s.DataInizio = QStringLiteral("01/03/2017");
    s.DataFine = QStringLiteral("28/02/2018");
    s.Rescisso = n == 3 ? QStringLiteral("Sì") : QStringLiteral("No");
    return s;
}

} // namespace

class TestTastiera : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ordineDelTab_data();
    void ordineDelTab();
    void pulsantiDaTastiera_data();
    void pulsantiDaTastiera();
    void scorciatoie_data();
    void scorciatoie();
    void fuocoVisibileESuggerimento();
    void rigaInfoSenzaTestiVecchi();
    void invioNegliElenchi_data();
    void invioNegliElenchi();
    void invioSenzaVoci();
    void menuPrincipale();

private:
    // The screen ("anagrafica" or "contratti") shown and active on card 2 of 3,
    // its files as the tests made them and nothing recorded yet.
    QWidget *prepara(const QString &quale);
    // What the user can see of the screen and of the folder: every text, the
    // photo, the messages, dialogs, file dialogs and addresses, the files.
    QString stato(QWidget *schermo) const;
    void scriviArchivi();

    std::unique_ptr<ServiziProva> m_servizi;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTastiera::init()
{
    m_servizi = std::make_unique<ServiziProva>();
    m_dir = std::make_unique<QTemporaryDir>();
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
}

void TestTastiera::cleanup()
{
    Schermi::distruggiTutti();
    m_dir.reset();
    m_servizi.reset();
}

void TestTastiera::scriviArchivi()
{
    const CartellaProgramma &c = cartellaProgramma();
    for (const QString &f : contenuto(m_dir->path()))
        QFile::remove(QDir(m_dir->path()).filePath(f));
    ArchivioDipendenti a(c.archivioDipendenti());
    a.apri();
    for (int n = 1; n <= 3; ++n)
        a.accoda(dipendente(n));
    a.chiudi();
    QImage rossa(40, 30, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    QVERIFY(rossa.save(c.foto(2), "JPG"));
    const QString anno = QDir(m_dir->path()).filePath(QStringLiteral("2017.con"));
    ArchivioContratti b(anno);
    b.apri();
    for (int n = 1; n <= 3; ++n)
        b.accoda(contratto(n));
    b.chiudi();
}

QWidget *TestTastiera::prepara(const QString &quale)
{
    // Fresh screens: a card changed by the previous press would otherwise be
    // asked about before the card is shown again.
    Schermi::distruggiTutti();
    Schermi::creaTutti();
    scriviArchivi();
    QWidget *schermo = nullptr;
    if (quale == QLatin1String("anagrafica")) {
        auto *a = Schermi::di<TfrmAnagrafica>();
        a->mostra();
        a->cmdUltimoClick();
        a->cmdIndietroClick();
        schermo = a;
    } else {
        auto *c = Schermi::di<TfrmContratti>();
        c->impostaAnno(QDir(m_dir->path()).filePath(QStringLiteral("2017.con")), QStringLiteral("2017"));
        c->mostra();
        c->apriScheda(2);
        schermo = c;
    }
    QApplication::setActiveWindow(schermo);
    if (!QTest::qWaitForWindowActive(schermo))
        return nullptr;
    m_servizi->azzera();
    return schermo;
}

QString TestTastiera::stato(QWidget *schermo) const
{
    QStringList out{schermo->isVisible() ? QStringLiteral("visibile") : QStringLiteral("nascosto")};
    for (QLineEdit *e : schermo->findChildren<QLineEdit *>())
        out << e->objectName() + u'=' + e->text();
    for (QLabel *l : schermo->findChildren<QLabel *>())
        if (l->objectName().startsWith(QLatin1String("lbl")) && !l->objectName().endsWith(QLatin1String("Etichetta")))
            out << l->objectName() + u'=' + l->text();
    for (QCheckBox *c : schermo->findChildren<QCheckBox *>())
        out << c->objectName() + (c->isChecked() ? QStringLiteral("=sì") : QStringLiteral("=no"));
    if (auto *a = qobject_cast<TfrmAnagrafica *>(schermo))
        out << (a->foto->imgFoto->immagine() == a->foto->imgBianco->immagine() ? QStringLiteral("segnaposto")
                                                                                : QStringLiteral("foto"));
    out << m_servizi->testi() << m_servizi->dialoghiEseguiti << m_servizi->titoliFile;
    for (const QUrl &u : m_servizi->aperti)
        out << u.toString();
    for (const QString &f : contenuto(m_dir->path()))
        if (!f.endsWith(QLatin1String(".jpg"))) // a photo is written again at every save
            out << f + u' '
                    + QCryptographicHash::hash(leggiFile(QDir(m_dir->path()).filePath(f)), QCryptographicHash::Md5)
                          .toHex();
    return out.join(u'\n');
}

void TestTastiera::ordineDelTab_data()
{
    QTest::addColumn<QString>("schermo");
    QTest::addColumn<QStringList>("ordine");
    QTest::newRow("scheda anagrafica") << "anagrafica" << kOrdineAnagrafica;
    QTest::newRow("scheda contratto") << "contratti" << kOrdineContratti;
}

// Tab goes through every field and button of the screen as the eye reads it:
// box by box, top to bottom, left to right, each button after its field; and
// from the last one back to the first.
void TestTastiera::ordineDelTab()
{
    QFETCH(QString, schermo);
    QFETCH(QStringList, ordine);
    QWidget *s = prepara(schermo);
    QVERIFY(s);
    QWidget *primo = s->findChild<QWidget *>(ordine.constFirst());
    QVERIFY(primo);
    primo->setFocus(Qt::TabFocusReason);
    QStringList raggiunti{QApplication::focusWidget()->objectName()};
    for (int i = 1; i <= ordine.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        raggiunti << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(raggiunti.mid(0, ordine.size()), ordine);
    QCOMPARE(raggiunti.constLast(), ordine.constFirst());
    QVERIFY(m_servizi->messaggi.isEmpty());
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
}

void TestTastiera::pulsantiDaTastiera_data()
{
    QTest::addColumn<QString>("schermo");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<int>("tasto");
    for (const auto &[schermo, ordine] : {std::pair(QStringLiteral("anagrafica"), kOrdineAnagrafica),
                                          std::pair(QStringLiteral("contratti"), kOrdineContratti)})
        for (const QString &nome : ordine) {
            if (nome.startsWith(QLatin1String("txt")))
                continue;
            QTest::addRow("%s, %s, spazio", qPrintable(schermo), qPrintable(nome)) << schermo << nome << int(Qt::Key_Space);
            if (!nome.startsWith(QLatin1String("chk"))) // Enter ticks no check box
                QTest::addRow("%s, %s, Invio", qPrintable(schermo), qPrintable(nome)) << schermo << nome << int(Qt::Key_Return);
        }
}

// Every button with the focus, pressed by Enter or Space, does what a click on
// it does, and does something.
void TestTastiera::pulsantiDaTastiera()
{
    QFETCH(QString, schermo);
    QFETCH(QString, pulsante);
    QFETCH(int, tasto);

    QWidget *s = prepara(schermo);
    QVERIFY(s);
    const QString prima = stato(s);
    QWidget *b = s->findChild<QWidget *>(pulsante);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    const QString conMouse = stato(s);
    QVERIFY2(conMouse != prima, "il clic non fa nulla");

    s = prepara(schermo);
    QVERIFY(s);
    QCOMPARE(stato(s), prima);
    b = s->findChild<QWidget *>(pulsante);
    b->setFocus(Qt::TabFocusReason);
    QVERIFY(b->hasFocus());
    QTest::keyClick(b, Qt::Key(tasto));
    QCOMPARE(stato(s), conMouse);
}

void TestTastiera::scorciatoie_data()
{
    QTest::addColumn<QString>("schermo");
    QTest::addColumn<QString>("fuoco");
    QTest::addColumn<QKeySequence>("tasti");
    QTest::addColumn<QString>("pulsante"); // empty: the key does nothing there
    QTest::addColumn<QString>("descrizione");
    struct Riga { const char *tasti, *pulsante, *descrizione; };
    const Riga righe[] = {
        {"Ctrl+N", "btnNuovo", "Nuovo (Ctrl+N)"},
        {"Ctrl+S", "btnSalva", "Salva (Ctrl+S)"},
        {"Ctrl+F", "btnTrova", "Trova (Ctrl+F)"},
        {"Ctrl+P", "btnStampa", "Stampa (Ctrl+P)"},
        {"Ctrl+H", "btnVersioni", "Versioni precedenti (Ctrl+H)"},
        {"Ctrl+PgUp", "cmdPrimo", "Prima scheda (Ctrl+PagSu)"},
        {"PgUp", "cmdIndietro", "Scheda precedente (PagSu)"},
        {"PgDown", "cmdAvanti", "Scheda successiva (PagGiù)"},
        {"Ctrl+PgDown", "cmdUltimo", "Ultima scheda (Ctrl+PagGiù)"},
        {"F1", "btnGuida", "Guida (F1)"},
        {"Esc", "btnEsci", "Esci (Esc)"},
    };
    for (const char *schermo : {"anagrafica", "contratti"})
        for (const Riga &r : righe) {
            // The contract screen has no Stampa: Ctrl+P does nothing there.
            const bool nessuno = !qstrcmp(schermo, "contratti") && !qstrcmp(r.pulsante, "btnStampa");
            QTest::addRow("%s, %s", schermo, r.tasti)
                << schermo << "txtNote" << QKeySequence(QLatin1String(r.tasti))
                << (nessuno ? QString() : QLatin1String(r.pulsante)) << QString::fromUtf8(r.descrizione);
        }
    // In a date field any other key opens the date picker: these do not.
    for (const char *tasti : {"PgDown", "Ctrl+PgUp", "Esc"})
        QTest::addRow("anagrafica, %s nel campo della data", tasti)
            << "anagrafica" << "txtDataSca" << QKeySequence(QLatin1String(tasti))
            << QString::fromLatin1(tasti[0] == 'P' ? "cmdAvanti" : tasti[0] == 'C' ? "cmdPrimo" : "btnEsci")
            << QString();
    QTest::addRow("contratti, PgUp nel campo della data")
        << "contratti" << "txtDataFine" << QKeySequence(QStringLiteral("PgUp")) << "cmdIndietro" << QString();
    QTest::addRow("contratti, Esc sulla casella") << "contratti" << "chkRescisso" << QKeySequence(QStringLiteral("Esc"))
                                                 << "btnEsci" << QString();
}

// Each shortcut presses its button wherever the focus is on the screen, text
// and date fields included, and the button's tooltip names it.
void TestTastiera::scorciatoie()
{
    QFETCH(QString, schermo);
    QFETCH(QString, fuoco);
    QFETCH(QKeySequence, tasti);
    QFETCH(QString, pulsante);
    QFETCH(QString, descrizione);

    QWidget *s = prepara(schermo);
    QVERIFY(s);
    const QString prima = stato(s);
    QString atteso = prima;
    if (!pulsante.isEmpty()) {
        auto *b = s->findChild<Figura *>(pulsante);
        QVERIFY(b);
        // The tooltip names the shortcut, then the button's mnemonic: "Salva (Ctrl+S, Alt+S)".
        if (!descrizione.isEmpty())
            QVERIFY2(b->toolTip().startsWith(descrizione.chopped(1) + QStringLiteral(", Alt+")),
                     qPrintable(b->toolTip()));
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        atteso = stato(s);
        QVERIFY(atteso != prima);
        s = prepara(schermo);
        QVERIFY(s);
    }
    QWidget *campo = s->findChild<QWidget *>(fuoco);
    QVERIFY(campo);
    campo->setFocus(Qt::OtherFocusReason);
    QVERIFY(campo->hasFocus());
    QTest::keySequence(campo, tasti);
    QCOMPARE(stato(s), atteso);
}

// The button with the focus wears the ring; reached by Tab, it writes its hint
// on the info line as the mouse over it does.
void TestTastiera::fuocoVisibileESuggerimento()
{
    auto *a = static_cast<TfrmAnagrafica *>(prepara(QStringLiteral("anagrafica")));
    QVERIFY(a);
    const auto anello = [](QWidget *w) {
        const QImage img = w->grab().toImage();
        const QColor c = img.pixelColor(int(1 * img.devicePixelRatio()), img.height() / 2);
        return c.red() > 230 && c.green() > 180 && c.green() < 220 && c.blue() < 60;
    };
    QVERIFY(!anello(a->btnSalva));
    a->btnDuplica->setFocus(Qt::OtherFocusReason);
    a->panInfo->clear();
    QTest::keyClick(a->btnDuplica, Qt::Key_Tab);
    QVERIFY(a->btnSalva->hasFocus());
    QVERIFY(anello(a->btnSalva));
    QCOMPARE(a->panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio."));
    QVERIFY(!anello(a->btnDuplica));
    // The focus given back by a message box leaves what the line says.
    a->panInfo->setText(QStringLiteral("esito"));
    a->btnSalva->clearFocus();
    a->btnSalva->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(a->panInfo->text(), QStringLiteral("esito"));

    // A date refused as Tab leaves it: the button the focus lands on does not
    // hide the reason.
    auto *data = a->findChild<QLineEdit *>(QStringLiteral("txtDataSca"));
    QVERIFY(data);
    data->setFocus(Qt::OtherFocusReason);
    data->selectAll();
    QTest::keyClicks(data, QStringLiteral("31/02/2026"));
    QTest::keyClick(data, Qt::Key_Tab);
    QVERIFY(!data->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(a->panInfo->text(), QStringLiteral("La data 31/02/2026 non esiste: correggerla prima di salvare."));
}

// The info line says nothing that no longer holds: a button's hint goes
// when a field takes the focus or a key is typed into one, and the note of a
// version shown goes once another card is shown or the version saved.
void TestTastiera::rigaInfoSenzaTestiVecchi()
{
    auto *a = static_cast<TfrmAnagrafica *>(prepara(QStringLiteral("anagrafica")));
    QVERIFY(a);
    const QString salva = QStringLiteral("Salva la scheda corrente in archivio.");
    // Reached by Tab, then a field clicked.
    a->btnDuplica->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(a->btnDuplica, Qt::Key_Tab);
    QCOMPARE(a->panInfo->text(), salva);
    a->txtNote->setFocus(Qt::MouseFocusReason);
    QCOMPARE(a->panInfo->text(), QString());
    // Pointed at with the mouse while the focus stays in the field, then typing.
    QEnterEvent sopra(QPointF(5, 5), QPointF(5, 5), a->btnSalva->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(a->btnSalva, &sopra);
    QCOMPARE(a->panInfo->text(), salva);
    QTest::keyClick(a->txtNote, Qt::Key_X);
    QCOMPARE(a->panInfo->text(), QString());
    // What the line says about the field itself stays while typing.
    a->panInfo->setText(QStringLiteral("Il carattere non è ammesso."));
    QTest::keyClick(a->txtNote, Qt::Key_Y);
    QCOMPARE(a->panInfo->text(), QStringLiteral("Il carattere non è ammesso."));

    // A version of card 2 shown, then the next card: the note goes.
    QCOMPARE(a->lblPosizione->text(), QStringLiteral("2"));
    a->txtNote->setText(QStringLiteral("nota nuova"));
    a->btnSalvaClick();
    const auto versione = [&] {
        m_servizi->quandoDialogo([](QDialog *d) {
            auto *v = static_cast<TfrmVersioni *>(d);
            v->lstVersioni->setCurrentItem(v->lstVersioni->topLevelItem(0));
            v->btnMostraClick();
            return int(QDialog::Accepted);
        });
        a->btnVersioniClick();
        return a->panInfo->text().startsWith(QStringLiteral("La scheda mostra la versione sostituita il "));
    };
    QVERIFY(versione());
    QCOMPARE(a->txtNote->text(), QString());
    m_servizi->scegli(NonSalvare);
    a->cmdAvantiClick();
    QCOMPARE(a->lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(a->panInfo->text(), QString());
    // Shown again and saved: the line no longer asks to save it.
    a->cmdIndietroClick();
    QVERIFY(versione());
    m_servizi->rispondi(true);
    a->btnSalvaClick();
    QVERIFY(!a->panInfo->text().startsWith(QStringLiteral("La scheda mostra la versione sostituita il ")));
    QVERIFY(!a->panInfo->text().contains(QStringLiteral("premere Salva")));
    // And a new card after a version shown.
    QVERIFY(versione());
    m_servizi->scegli(NonSalvare);
    a->btnNuovoClick();
    QCOMPARE(a->panInfo->text(), QString());
}

void TestTastiera::invioNegliElenchi_data()
{
    QTest::addColumn<QString>("elenco");
    QTest::newRow("dipendenti in scadenza") << "TfrmSospesi";
    QTest::newRow("dipendenti scaduti") << "TfrmScadute";
    QTest::newRow("trova dipendenti") << "TfrmTrovaAnagrafica";
    QTest::newRow("importa nel contratto") << "TfrmTrovaAnagrafica contratti";
    QTest::newRow("trova contratti") << "TfrmTrovaContratti";
    QTest::newRow("contratti validi") << "TfrmValidi";
    QTest::newRow("contratti rescissi") << "TfrmRescissi";
}

// In every list, End then Enter opens the last entry's card and closes the
// list, as a double click on it does.
void TestTastiera::invioNegliElenchi()
{
    QFETCH(QString, elenco);
    const bool contratti = elenco.contains(QLatin1String("Contratti")) || elenco.contains(QLatin1String("Validi"))
        || elenco.contains(QLatin1String("Rescissi")) || elenco.endsWith(QLatin1String(" contratti"));
    auto *s = prepara(contratti ? QStringLiteral("contratti") : QStringLiteral("anagrafica"));
    QVERIFY(s);
    auto *lblPosizione = s->findChild<QLabel *>(QStringLiteral("lblPosizione"));
    QMetaObject::invokeMethod(s, "btnNuovoClick");
    QVERIFY(lblPosizione->text().isEmpty());

    TfrmElenco *d = nullptr;
    if (elenco == QLatin1String("TfrmSospesi"))
        d = new TfrmSospesi(s);
    else if (elenco == QLatin1String("TfrmScadute"))
        d = new TfrmScadute(s);
    else if (elenco == QLatin1String("TfrmValidi"))
        d = new TfrmValidi(s);
    else if (elenco == QLatin1String("TfrmRescissi"))
        d = new TfrmRescissi(s);
    else if (elenco == QLatin1String("TfrmTrovaContratti")) {
        auto *t = new TfrmTrovaContratti(s);
        t->lblMemory->setText(QStringLiteral("contratti"));
        d = t;
    } else {
        auto *t = new TfrmTrovaAnagrafica(s);
        t->lblMemory->setText(contratti ? QStringLiteral("contratti") : QStringLiteral("anagrafica"));
        d = t;
    }
    std::unique_ptr<TfrmElenco> proprieta(d);
    d->show();
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    if (auto *r = qobject_cast<TfrmRicerca *>(d))
        r->btnCercaClick();
    QVERIFY(d->lstRecords->count() > 0);

    d->lstRecords->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d->lstRecords, Qt::Key_End);
    // The entry with the focus frame, selected or not (a list of one entry
    // shows the frame on it without selecting it).
    const int ultima = d->lstRecords->count() - 1;
    QCOMPARE(d->lstRecords->currentIndex().row(), ultima);
    const int posizione = d->posizioneVoce(ultima);
    QVERIFY(posizione > 0);
    QTest::keyClick(d->lstRecords, Qt::Key_Return);
    QVERIFY(!d->isVisible());
    if (elenco == QLatin1String("TfrmTrovaAnagrafica contratti"))
        QCOMPARE(static_cast<TfrmContratti *>(s)->txtDipendente->text(), dipendente(posizione).Dipendente);
    else
        QCOMPARE(lblPosizione->text(), QString::number(posizione));
    QVERIFY(m_servizi->messaggi.isEmpty());
}

// An empty list takes Enter without closing, and opens nothing.
void TestTastiera::invioSenzaVoci()
{
    auto *a = prepara(QStringLiteral("anagrafica"));
    QVERIFY(a);
    QFile::remove(cartellaProgramma().archivioDipendenti());
    TfrmScadute d(a);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(d.lstRecords->count(), 0);
    d.lstRecords->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.lstRecords, Qt::Key_Return);
    QVERIFY(d.isVisible());
    QCOMPARE(a->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("2"));
}

// The main menu opens on the registry's button, every time; Tab stops once
// per area, and Enter opens the area whose button has the focus.
void TestTastiera::menuPrincipale()
{
    auto *menu = Schermi::di<TfrmAvvio>();
    menu->mostra();
    QApplication::setActiveWindow(menu);
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), menu->btnAnagrafica);
    QTest::keyClick(menu->btnAnagrafica, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), menu->btnContratti);
    QTest::keyClick(menu->btnContratti, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), menu->btnRiepilogo);
    QTest::keyClick(menu->btnRiepilogo, Qt::Key_Backtab);
    QTest::keyClick(menu->btnContratti, Qt::Key_Return);
    QVERIFY(Schermi::di<TfrmMenuContratti>()->isVisible());
    QVERIFY(!menu->isVisible());
    // Shown again, it starts on the registry's button again.
    passaA(menu, Schermi::di<TfrmMenuContratti>());
    QApplication::setActiveWindow(menu);
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), menu->btnAnagrafica);
}

QTEST_MAIN(TestTastiera)
#include "tst_tastiera.moc"
