#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "contracts/frmcontratti.h"
#include "contracts/frmstampacon.h"
#include "output/contratto.h"
#include "storage/sololettura.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"
#include "ui/schermi.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace qv;
using namespace qv::prova;

namespace {

const QString Conferma = QStringLiteral(
    "Questa procedura creerà un documento in formato RTF contenente il contratto di collaborazione.\r\n\r\n"
    "Si conferma la creazione del file?");
const QString Riuscita = QStringLiteral(
    "Il file del contratto di collaborazione è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
const QString Errore = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il documento non sia già aperto.");

using G = MessaggioMostrato::Genere;

} // namespace

// A window with the contract screen's edit fields, standing in for it: the
// dialog reads the fields of the window that opened it by their names.
class TestStampaCon : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void aspetto();
    void campiDalloSchermo();
    void domande_data();
    void domande();
    void seconda();
    void esportazioneFallita_data();
    void esportazioneFallita();
    void cartellaInSolaLettura();
    void annulla();
    void dalloSchermoContratti();
    void datiMancanti_data();
    void datiMancanti();

private:
    QString documento() const { return cartellaProgramma().documentoContratto(); }
    void campo(const char *nome, const QString &testo)
    {
        m_schermo->findChild<QLineEdit *>(QLatin1String(nome))->setText(testo);
    }

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    QWidget *m_schermo = nullptr;
    TfrmStampaCon *m_form = nullptr;
};

void TestStampaCon::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    m_schermo = new QWidget;
    const QStringList nomi = campiDocumentoContratto() << QStringLiteral("txtNote") << QStringLiteral("txtMotivo");
    for (const QString &nome : nomi) {
        auto *e = new QLineEdit(m_schermo);
        e->setObjectName(nome);
    }
    campo("txtDataStipula", QStringLiteral("15/03/2017"));
    campo("txtStipendio", QStringLiteral("0,00"));
    m_form = new TfrmStampaCon(m_schermo);
    m_form->show();
}

void TestStampaCon::cleanup()
{
    delete m_schermo; // and the dialog it owns
    delete m_dir;
    delete m_servizi;
}

void TestStampaCon::aspetto()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral(" Esporta e stampa contratto di collaborazione"));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)));
    const QStringList testi = {QStringLiteral("Fare clic sul pulsante in calce"),
                               QStringLiteral("per esportare il documento"), QStringLiteral("in formato RTF."),
                               QStringLiteral("Il testo del documento potrà quindi"),
                               QStringLiteral("essere personalizzato prima di"),
                               QStringLiteral("procedere alla stampa su carta.")};
    const QLabel *etichette[] = {m_form->lblTesto01, m_form->lblTesto02, m_form->lblTesto03,
                                 m_form->lblTesto04, m_form->lblTesto05, m_form->lblTesto06};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(etichette[i]->text(), testi.at(i));
        QCOMPARE(etichette[i]->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(etichette[i]->font().pointSize(), 12);
        // Each line is whole inside the white panel, below the one before.
        QVERIFY(etichette[i]->fontMetrics().horizontalAdvance(testi.at(i)) <= etichette[i]->width());
        QVERIFY(m_form->panBianco->rect().contains(etichette[i]->geometry()));
        if (i > 0)
            QVERIFY(etichette[i]->y() >= etichette[i - 1]->geometry().bottom());
    }
    QCOMPARE(m_form->btnAnnulla->objectName(), QStringLiteral("btnAnnulla"));
    // Each with its mnemonic: Alt+A, Alt+E.
    QCOMPARE(m_form->btnAnnulla->text(), QStringLiteral("&Annulla"));
    QCOMPARE(m_form->btnStampa->objectName(), QStringLiteral("btnStampa"));
    QCOMPARE(m_form->btnStampa->text(), QStringLiteral("&Esporta e stampa"));
    QCOMPARE(m_form->btnAnnulla->nextInFocusChain(), m_form->btnStampa);
    QCOMPARE(m_form->btnStampa->font().family(), QStringLiteral("Verdana"));
    QVERIFY(m_form->btnStampa->geometry().top() > m_form->panBianco->geometry().bottom());
}

void TestStampaCon::campiDalloSchermo()
{
    // The fields as they stand, stripped, whatever was saved; the fields the
    // document does not use are not read.
    campo("txtDipendente", QStringLiteral("  Rossi Mario  "));
    campo("txtNote", QStringLiteral("non nel documento"));
    const CampiContratto c = m_form->campi();
    QCOMPARE(c.value(QStringLiteral("txtDipendente")), QStringLiteral("Rossi Mario"));
    QCOMPARE(c.value(QStringLiteral("txtDataStipula")), QStringLiteral("15/03/2017"));
    QVERIFY(!c.contains(QStringLiteral("txtNote")));
    QCOMPARE(c.size(), campiDocumentoContratto().size());
    campo("txtDipendente", QStringLiteral("Verdi Anna"));
    QCOMPARE(m_form->campi().value(QStringLiteral("txtDipendente")), QStringLiteral("Verdi Anna"));
    // Without a screen every value is empty.
    QVERIFY(TfrmStampaCon::campiDa(nullptr).isEmpty());
}

void TestStampaCon::domande_data()
{
    QTest::addColumn<bool>("prima");
    QTest::addColumn<bool>("seconda");
    QTest::addColumn<bool>("scritto");
    QTest::addColumn<bool>("aperto");

    QTest::newRow("no to the first question") << false << false << false << false;
    QTest::newRow("no to opening") << true << false << true << false;
    QTest::newRow("yes to both") << true << true << true << true;
}

void TestStampaCon::domande()
{
    QFETCH(bool, prima);
    QFETCH(bool, seconda);
    QFETCH(bool, scritto);
    QFETCH(bool, aperto);

    // An unsaved value typed on the screen goes into the document.
    campo("txtDipendente", QStringLiteral("Bianchi Niccolò"));
    campo("txtNomeDitta", QStringLiteral("ACME} SRL"));
    m_servizi->rispondi(prima);
    m_servizi->rispondi(seconda);
    QTest::mouseClick(m_form->btnStampa, Qt::LeftButton);

    QStringList attesi = {Conferma};
    if (prima)
        attesi << Riuscita;
    QCOMPARE(m_servizi->testi(), attesi);
    for (const MessaggioMostrato &m : std::as_const(m_servizi->messaggi))
        QCOMPARE(m.genere, G::Domanda);
    if (scritto) {
        const QByteArray doc = leggiFile(documento());
        QCOMPARE(doc, documentoContratto(m_form->campi()));
        QVERIFY(doc.contains("Sig. \\b Bianchi Niccol\xF2\\b0 ,"));
        QVERIFY(doc.contains("Ditta \\b ACME\\} SRL\\b0 ,"));
    } else {
        QVERIFY(!QFileInfo::exists(documento()));
    }
    QCOMPARE(contenuto(m_dir->path()), scritto ? QStringList{QStringLiteral("Contratto_Collaborazione.rtf")}
                                                 : QStringList{});
    if (aperto)
        QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(documento())});
    else
        QVERIFY(m_servizi->aperti.isEmpty());
    // Once the document is written the dialog has done its work and closes,
    // whether it was opened or not; No to the first question leaves it open.
    QCOMPARE(m_form->isVisible(), !scritto);
    if (scritto)
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
}

void TestStampaCon::seconda()
{
    // Exporting again replaces the first document with the fields as they are now.
    campo("txtDipendente", QStringLiteral("Rossi Mario"));
    m_servizi->rispondi(true);
    m_servizi->rispondi(false);
    QTest::mouseClick(m_form->btnStampa, Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    // The dialog opened again.
    campo("txtDipendente", QStringLiteral("Verdi Anna"));
    m_servizi->rispondi(true);
    m_servizi->rispondi(false);
    auto *dlg = new TfrmStampaCon(m_schermo);
    dlg->show();
    // Enter presses the button that has the focus.
    dlg->btnStampa->setFocus();
    QTest::keyClick(dlg->btnStampa, Qt::Key_Return);
    const QByteArray doc = leggiFile(documento());
    QVERIFY(doc.contains("Sig. \\b Verdi Anna\\b0 ,"));
    QVERIFY(!doc.contains("Rossi Mario"));
    QCOMPARE(m_servizi->testi(), (QStringList{Conferma, Riuscita, Conferma, Riuscita}));
    QVERIFY(!dlg->isVisible());
}

void TestStampaCon::esportazioneFallita_data()
{
    QTest::addColumn<bool>("discoPieno");
    QTest::newRow("a folder in the document's place") << false;
    QTest::newRow("the disk fills up half way") << true;
}

void TestStampaCon::esportazioneFallita()
{
    QFETCH(bool, discoPieno);
    const QByteArray vecchio = "{\\rtf1 il contratto di ieri\\par }";
    if (discoPieno) {
        QVERIFY(scriviFile(documento(), vecchio));
    } else {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Contratto_Collaborazione.rtf")));
        QVERIFY(scriviFile(documento() + QStringLiteral("/dentro.txt"), vecchio));
    }
    const QStringList prima = contenuto(m_dir->path());

    m_servizi->rispondi(true);
#ifdef Q_OS_UNIX
    rlimit limite{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const rlimit ridotto{1000, limite.rlim_max};
    const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
    if (discoPieno)
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &ridotto), 0);
#else
    if (discoPieno)
        QSKIP("The file size limit exists only on Unix systems.");
#endif
    QTest::mouseClick(m_form->btnStampa, Qt::LeftButton);
#ifdef Q_OS_UNIX
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, gestore);
#endif

    // The message, no second question, nothing opened, the dialog still open,
    // and the old document (or the folder) as it was, no temporary file left.
    QCOMPARE(m_servizi->testi(), (QStringList{Conferma, Errore}));
    QCOMPARE(m_servizi->messaggi.last().genere, G::Semplice);
    QVERIFY(m_servizi->aperti.isEmpty());
    QVERIFY(m_form->isVisible());
    QCOMPARE(contenuto(m_dir->path()), prima);
    QCOMPARE(leggiFile(discoPieno ? documento() : documento() + QStringLiteral("/dentro.txt")), vecchio);
}

// A program folder that can only be read: the user chooses where the
// document goes, and it is the one the program folder would get.
void TestStampaCon::cartellaInSolaLettura()
{
    campo("txtDipendente", QStringLiteral("Bianchi Niccolò"));
    QTemporaryDir altrove;
    const QString scelta = altrove.filePath(QStringLiteral("Contratto Bianchi"));
    guasti::negaScrittura(true);
    m_servizi->rispondi(true);
    m_servizi->rispondi(true);
    m_servizi->prossimoFile(scelta);
    QTest::mouseClick(m_form->btnStampa, Qt::LeftButton);
    guasti::negaScrittura(false);

    QCOMPARE(m_servizi->testi(),
             (QStringList{Conferma,
                          QStringLiteral("Attenzione: la cartella del programma è in sola lettura: il documento del "
                                         "contratto non può essere creato lì.\n\r\n\rScegliere in quale cartella "
                                         "salvarlo."),
                          Riuscita}));
    QCOMPARE(m_servizi->filtriFile.value(0), QStringList{QStringLiteral("Documento RTF (*.rtf)")});
    QCOMPARE(leggiFile(scelta + QStringLiteral(".rtf")), documentoContratto(m_form->campi()));
    QCOMPARE(contenuto(m_dir->path()), QStringList{});
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(scelta + QStringLiteral(".rtf"))});
}

void TestStampaCon::annulla()
{
    QTest::mouseClick(m_form->btnAnnulla, Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->result(), int(QDialog::Rejected));
    QVERIFY(m_servizi->messaggi.isEmpty());
    QCOMPARE(contenuto(m_dir->path()), QStringList{});

    // Escape is Annulla.
    m_form->show();
    QTest::keyClick(m_form, Qt::Key_Escape);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(contenuto(m_dir->path()), QStringList{});
}

void TestStampaCon::dalloSchermoContratti()
{
    // The RTF button of the contract screen: a new card, never saved, with a
    // value typed just now; the year file is neither read nor created.
    Schermi::creaTutti();
    auto *c = Schermi::di<TfrmContratti>();
    QVERIFY(c);
    c->lblFile->setText(cartellaProgramma().archivioContratti(2017));
    c->txtDataStipula->setText(QStringLiteral("15/03/2017"));
    c->txtNomeDitta->setText(QStringLiteral("ACME} SRL"));
    c->txtDipendente->setText(QStringLiteral("Bianchi Niccolò  "));
    c->txtStipendio->setText(QStringLiteral("1250,00"));
    c->txtIban->setText(QStringLiteral("IT60X0542811101000000123456"));
    QVERIFY(c->lblPosizione->text().isEmpty());

    QString classe;
    m_servizi->quandoDialogo([&](QDialog *d) {
        classe = QString::fromLatin1(d->metaObject()->className());
        auto *dlg = qobject_cast<TfrmStampaCon *>(d);
        if (!dlg)
            return int(QDialog::Rejected);
        m_servizi->rispondi(true);
        m_servizi->rispondi(true);
        dlg->btnStampa->click();
        return dlg->result();
    });
    QTest::mouseClick(c->btnRTF, Qt::LeftButton);

    QCOMPARE(classe, QStringLiteral("qv::TfrmStampaCon"));
    const QByteArray doc = leggiFile(documento());
    QVERIFY(doc.contains("Ditta \\b ACME\\} SRL\\b0 ,"));
    QVERIFY(doc.contains("Sig. \\b Bianchi Niccol\xF2\\b0 ,"));
    QVERIFY(doc.contains("\\'80\\b  1.250,00\\b0 "));
    QVERIFY(doc.contains("\\b 15/03/2017\\b0 ."));
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl::fromLocalFile(documento())});
    QCOMPARE(contenuto(m_dir->path()), QStringList{QStringLiteral("Contratto_Collaborazione.rtf")});
    QVERIFY(c->lblPosizione->text().isEmpty());
    QCOMPARE(c->txtDipendente->text(), QStringLiteral("Bianchi Niccolò  "));
    Schermi::distruggiTutti();
}

// A contract without the collaborator's IBAN or without a fee would read "con
// IBAN  intestato al Collaboratore" or "in € 0,00": the RTF button asks first,
// naming what is missing; No leaves the user in the first missing field.
void TestStampaCon::datiMancanti_data()
{
    QTest::addColumn<QString>("iban");
    QTest::addColumn<QString>("stipendio");
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<QString>("domanda"); // empty: none
    QTest::addColumn<QString>("fuoco");   // the field that has the focus after No

    const QString iban = QStringLiteral("IT60X0542811101000000123456");
    const auto testo = [](const char *cosa) {
        return QStringLiteral("Attenzione: nel contratto %1.\r\n\r\nSi vuole creare ugualmente il documento?")
            .arg(QString::fromUtf8(cosa));
    };
    QTest::newRow("both given") << iban << "1250,00" << true << QString() << QString();
    QTest::newRow("no IBAN, yes") << "  " << "1250,00" << true << testo("non è indicato l'IBAN del Collaboratore")
                                  << QString();
    QTest::newRow("no IBAN, no") << "" << "1250,00" << false << testo("non è indicato l'IBAN del Collaboratore")
                                 << "txtIban";
    QTest::newRow("zero fee, no") << iban << "0,00" << false << testo("non è indicato il compenso mensile")
                                  << "txtStipendio";
    QTest::newRow("empty fee, yes") << iban << "" << true << testo("non è indicato il compenso mensile") << QString();
    QTest::newRow("neither, no") << "" << "0" << false
                                 << testo("non sono indicati l'IBAN del Collaboratore e il compenso mensile")
                                 << "txtIban";
}

void TestStampaCon::datiMancanti()
{
    QFETCH(QString, iban);
    QFETCH(QString, stipendio);
    QFETCH(bool, risposta);
    QFETCH(QString, domanda);
    QFETCH(QString, fuoco);

    Schermi::creaTutti();
    auto *c = Schermi::di<TfrmContratti>();
    QVERIFY(c);
    c->show();
    c->lblFile->setText(cartellaProgramma().archivioContratti(2017));
    c->txtDipendente->setText(QStringLiteral("Bianchi Niccolò"));
    c->txtIban->setText(iban);
    c->txtStipendio->setText(stipendio);
    c->txtNote->setFocus();
    m_servizi->rispondi(risposta);
    QTest::mouseClick(c->btnRTF, Qt::LeftButton);

    if (domanda.isEmpty()) {
        QVERIFY(m_servizi->messaggi.isEmpty());
    } else {
        QCOMPARE(m_servizi->testi(), QStringList{domanda});
        QCOMPARE(m_servizi->messaggi.constFirst().genere, G::Domanda);
        QCOMPARE(m_servizi->siPredefiniti, QList<bool>{false}); // Enter answers No
    }
    // Yes goes on to the document dialog; No writes nothing and goes to the field.
    QCOMPARE(m_servizi->dialoghiEseguiti, risposta ? QStringList{QStringLiteral("TfrmStampaCon")} : QStringList{});
    if (!fuoco.isEmpty())
        QCOMPARE(c->focusWidget() ? c->focusWidget()->objectName() : QString(), fuoco);
    QCOMPARE(contenuto(m_dir->path()).contains(QStringLiteral("Contratto_Collaborazione.rtf")), false);
    Schermi::distruggiTutti();
}

QTEST_MAIN(TestStampaCon)
#include "tst_frmstampacon.moc"
