#include <QCalendarWidget>
#include <QCompleter>
#include <QTemporaryDir>
#include <QTest>

#include "checks/confrontoscheda.h"
#include "checks/frmcalcolacf.h"
#include "checks/frmcontrolli.h"
#include "contracts/frmcontratti.h"
#include "registry/frmanagrafica.h"
#include "storage/archivio.h"
#include "support/serviziprova.h"
#include "ui/filtrocampo.h"
#include "ui/frmcalendario.h"
#include "ui/schermi.h"

using namespace qv;
using Genere = MessaggioMostrato::Genere;

namespace {

const QString Inserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");

QString domanda(const QStringList &righe)
{
    return MsgCodFiscDiscorde + QStringLiteral("\r\n\r\n") + righe.join(QStringLiteral("\r\n"))
           + QStringLiteral("\r\n\r\n") + DomandaSalvaComunque;
}

} // namespace

class TestCalcolaCF : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void precompilaEImporta();
    void datiMancanti();
    void calendarioETasti();
    void dalControllo();
    void domandaAlSalvataggio_data();
    void domandaAlSalvataggio();
    void contratto();

private:
    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmAnagrafica *m_a = nullptr;
};

void TestCalcolaCF::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
    m_a = Schermi::di<TfrmAnagrafica>();
    m_a->mostra();
    QApplication::setActiveWindow(m_a);
    QVERIFY(QTest::qWaitForWindowActive(m_a));
}

void TestCalcolaCF::cleanup()
{
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

// The card's data fill the dialog; the code appears once the sex is known,
// and "Importa" puts it into the card's field.
void TestCalcolaCF::precompilaEImporta()
{
    m_a->txtDipendente->setText(QStringLiteral("Miller Samantha"));
    m_a->txtLuogo->setText(QStringLiteral("stati uniti d'america"));
    m_a->txtDataNasc->setText(QStringLiteral("25/9/1982"));
    bool visto = false;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *dlg = qobject_cast<TfrmCalcolaCF *>(d);
        visto = dlg != nullptr;
        if (!dlg)
            return int(QDialog::Rejected);
        [&] {
            QCOMPARE(dlg->parentWidget(), m_a);
            QCOMPARE(dlg->txtCognome->text(), QStringLiteral("Miller"));
            QCOMPARE(dlg->txtNome->text(), QStringLiteral("Samantha"));
            QCOMPARE(dlg->txtDataNasc->text(), QStringLiteral("25/09/1982"));
            QCOMPARE(dlg->txtLuogo->text(), QStringLiteral("stati uniti d'america"));
            QVERIFY(!dlg->optMaschio->isChecked() && !dlg->optFemmina->isChecked());
            QCOMPARE(dlg->codice(), QString());
            QCOMPARE(dlg->lblStato->text(), QStringLiteral("Indicare il sesso."));
            QVERIFY(dlg->completamento->model()->rowCount() > 9000);
            dlg->optFemmina->setChecked(true);
            QCOMPARE(dlg->codice(), QStringLiteral("MLLSNT82P65Z404U"));
            QCOMPARE(dlg->lblStato->text(),
                     QStringLiteral("Nata il 25/09/1982 all'estero (Stati Uniti d'America)"));
        }();
        dlg->btnImporta->click();
        return dlg->result();
    });
    m_a->btnCalcolaCFClick();
    QVERIFY(visto);
    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{QStringLiteral("TfrmCalcolaCF")});
    QCOMPARE(m_a->txtCodFisc->text(), QStringLiteral("MLLSNT82P65Z404U"));
    QVERIFY(m_servizi->messaggi.isEmpty());

    // A different code already in the field is replaced only on yes; the sex
    // comes from it.
    m_a->txtCodFisc->setText(QStringLiteral("MLLSNT82P65Z4LQC"));
    for (bool si : {false, true}) {
        m_servizi->rispondi(si);
        m_servizi->quandoDialogo([&](QDialog *d) {
            auto *dlg = static_cast<TfrmCalcolaCF *>(d);
            if (!dlg->optFemmina->isChecked())
                return -1;
            dlg->btnImporta->click();
            return dlg->result();
        });
        m_a->btnCalcolaCFClick();
        QCOMPARE(m_a->txtCodFisc->text(), si ? QStringLiteral("MLLSNT82P65Z404U") : QStringLiteral("MLLSNT82P65Z4LQC"));
    }
    QCOMPARE(m_servizi->messaggi.size(), 2);
    QCOMPARE(m_servizi->messaggi.constFirst().genere, Genere::Domanda);
    QVERIFY(m_servizi->ultimoTesto().contains(QStringLiteral("MLLSNT82P65Z4LQC")));
}

// What is missing or wrong is said, in the dialog and when importing.
void TestCalcolaCF::datiMancanti()
{
    m_servizi->orologio = QDateTime(QDate(2024, 1, 1), QTime(9, 0));
    QLineEdit destinazione;
    TfrmCalcolaCF dlg;
    dlg.impostaDestinazione(&destinazione);
    dlg.precompila(QStringLiteral("Rossi Mario"), QStringLiteral("Samone"), QStringLiteral("01/01/1980"));
    dlg.optMaschio->setChecked(true);
    QCOMPARE(dlg.lblStato->text(), QStringLiteral("Più comuni si chiamano Samone (TO, TN): indicare la provincia tra parentesi."));
    dlg.btnImporta->click();
    QCOMPARE(m_servizi->testi(), QStringList{QStringLiteral("Attenzione: il codice fiscale non può essere calcolato.\r\n\r\n"
                                                            "Più comuni si chiamano Samone (TO, TN): indicare la "
                                                            "provincia tra parentesi.")});
    QVERIFY(destinazione.text().isEmpty());

    const struct { const char *luogo, *data, *stato; } casi[] = {
        {"Samone (TN)", "01/01/1980", "Nato il 01/01/1980 a Samone (TN)"},
        {"Corigliano Calabro (CS)", "31/12/2019",
         "Il luogo di nascita Corigliano Calabro (CS) non risulta tra i comuni e gli stati esteri esistenti alla data di nascita."},
        {"Roma", "31/02/1980", "La data di nascita 31/02/1980 non esiste: indicarla nel formato gg/mm/aaaa."},
        {"Roma", "1/2/85", "Nato il 01/02/1985 a Roma (RM)"}, // read as typed, before the field is left
        {"Reggio Emilia", "01/02/1985", "Nato il 01/02/1985 a Reggio nell'Emilia (RE)"},
        {"Fiume", "01/02/1930", "Nato il 01/02/1930 a Fiume (FU)"},
        {"Fiume", "01/02/1985",
         "Il luogo di nascita Fiume non risulta tra i comuni e gli stati esteri esistenti alla data di nascita: Fiume fu "
         "un comune italiano fino al 16/09/1947; oggi è Rijeka, in Croazia: per chi vi è nato dopo, indicare lo stato "
         "estero."},
        {"Roma", "29/2/23", "La data di nascita 29/02/2023 non esiste: indicarla nel formato gg/mm/aaaa."},
        {"Roma", "02/01/2024", "La data di nascita è successiva alla data odierna."},
        {"", "01/01/1980", "Indicare il luogo di nascita."},
        {"Roma", "", "Indicare la data di nascita."},
    };
    for (const auto &c : casi) {
        dlg.txtLuogo->setText(QString::fromUtf8(c.luogo));
        dlg.txtDataNasc->setText(QString::fromLatin1(c.data));
        QCOMPARE(dlg.lblStato->text(), QString::fromUtf8(c.stato));
    }
    dlg.txtNome->setText(QStringLiteral(" ' "));
    QCOMPARE(dlg.lblStato->text(), QStringLiteral("Indicare il nome."));
    dlg.txtCognome->clear();
    QCOMPARE(dlg.lblStato->text(), QStringLiteral("Indicare il cognome."));
}

// Enter moves on, the date comes from the picker, Escape closes.
void TestCalcolaCF::calendarioETasti()
{
    TfrmCalcolaCF dlg(m_a);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QVERIFY(dlg.txtCognome->hasFocus());
    QTest::keyClicks(dlg.txtCognome, QStringLiteral("D'Angelo"));
    QTest::keyClick(dlg.txtCognome, Qt::Key_Return);
    QVERIFY(dlg.txtNome->hasFocus());
    dlg.txtNome->setText(QStringLiteral("Niccolò"));
    QTest::keyClick(dlg.txtNome, Qt::Key_Return);
    QVERIFY(dlg.optMaschio->hasFocus());
    QTest::keyClick(dlg.optMaschio, Qt::Key_Space);
    QVERIFY(dlg.optMaschio->isChecked());
    QTest::keyClick(dlg.optMaschio, Qt::Key_Return);
    QVERIFY(dlg.txtDataNasc->hasFocus());

    m_servizi->quandoDialogo([](QDialog *d) {
        auto *cal = qobject_cast<TfrmCalendario *>(d);
        if (!cal)
            return -1;
        cal->calAppuntamenti->setSelectedDate(QDate(1985, 9, 21));
        cal->btnImportaData->click();
        return cal->result();
    });
    dlg.btnCalendario->clicked();
    QCOMPARE(dlg.txtDataNasc->text(), QStringLiteral("21/09/1985"));
    QTest::keyClick(dlg.txtDataNasc, Qt::Key_Return);
    QVERIFY(dlg.txtLuogo->hasFocus());
    dlg.txtLuogo->setText(QStringLiteral("Forlì (FC)"));
    QCOMPARE(dlg.codice().left(15), QStringLiteral("DNGNCL85P21D704"));
    QTest::keyClick(dlg.txtLuogo, Qt::Key_Return);
    QVERIFY(dlg.btnImporta->hasFocus());
    // Typed, the date is written as "dd/mm/yyyy" on Enter, as in every date
    // field; a day that does not exist stays as typed, marked, and Enter stays.
    dlg.txtDataNasc->setFocus();
    dlg.txtDataNasc->selectAll();
    QTest::keyClick(dlg.txtDataNasc, Qt::Key_Delete);
    QTest::keyClicks(dlg.txtDataNasc, QStringLiteral("31/02/1985"));
    QTest::keyClick(dlg.txtDataNasc, Qt::Key_Return);
    QCOMPARE(dlg.txtDataNasc->text(), QStringLiteral("31/02/1985"));
    QVERIFY(rifiutoSegnato(dlg.txtDataNasc));
    QVERIFY(dlg.txtDataNasc->hasFocus());
    QCOMPARE(dlg.panInfo->text(), QStringLiteral("La data 31/02/1985 non esiste: correggerla prima di salvare."));
    dlg.txtDataNasc->selectAll();
    QTest::keyClick(dlg.txtDataNasc, Qt::Key_Delete);
    QTest::keyClicks(dlg.txtDataNasc, QStringLiteral("21.9.85"));
    QTest::keyClick(dlg.txtDataNasc, Qt::Key_Return);
    QCOMPARE(dlg.txtDataNasc->text(), QStringLiteral("21/09/1985"));
    QVERIFY(dlg.txtLuogo->hasFocus());
    QCOMPARE(dlg.codice().left(15), QStringLiteral("DNGNCL85P21D704"));
    dlg.btnImporta->setFocus();
    QTest::keyClick(dlg.btnImporta, Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

// From the check dialog, the computed code goes into its own field.
void TestCalcolaCF::dalControllo()
{
    TfrmCodFisc controllo;
    m_servizi->quandoDialogo([](QDialog *d) {
        auto *dlg = qobject_cast<TfrmCalcolaCF *>(d);
        if (!dlg)
            return -1;
        dlg->txtCognome->setText(QStringLiteral("Moretti"));
        dlg->txtNome->setText(QStringLiteral("Matteo"));
        dlg->optMaschio->setChecked(true);
        dlg->txtDataNasc->setText(QStringLiteral("09/04/1925"));
        dlg->txtLuogo->setText(QStringLiteral("Milano (MI)"));
        dlg->btnImporta->click();
        return dlg->result();
    });
    controllo.btnCalcola->click();
    QCOMPARE(controllo.txtCodFisc->text(), QStringLiteral("MRTMTT25D09F205Z"));
}

void TestCalcolaCF::domandaAlSalvataggio_data()
{
    QTest::addColumn<QString>("dipendente");
    QTest::addColumn<QString>("luogo");
    QTest::addColumn<QString>("nascita");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QStringList>("righe"); // empty: no question
    const QString cf = QStringLiteral("RSSMRA80A01H501U");
    const QString data = QStringLiteral("Il codice fiscale indica nato il 01/01/1980, la scheda indica 01/01/1981.");
    const QString luogo = QStringLiteral("Il codice fiscale indica nato a Roma (RM), la scheda indica Milano.");
    const QString nome = QStringLiteral(
        "Il codice fiscale indica per cognome e nome le lettere RSSMRA, la scheda indica BNCMRA (Bianchi Mario).");
    QTest::newRow("agrees") << "Rossi Mario" << "Roma (RM)" << "01/01/1980" << cf << QStringList();
    QTest::newRow("name first") << "Mario Rossi" << "ROMA" << "1/1/1980" << cf << QStringList();
    QTest::newRow("nothing to compare") << "Rossi" << "" << "" << cf << QStringList();
    QTest::newRow("unknown birthplace") << "Rossi Mario" << "Parigi" << "01/01/1980" << cf << QStringList();
    QTest::newRow("check letter wrong") << "Bianchi Mario" << "Milano" << "01/01/1981"
                                        << "RSSMRA80A01H501A" << QStringList();
    QTest::newRow("date") << "Rossi Mario" << "Roma" << "01/01/1981" << cf << QStringList{data};
    QTest::newRow("century") << "Rossi Mario" << "Roma" << "01/01/1880" << cf << QStringList();
    QTest::newRow("birthplace") << "Rossi Mario" << "Milano" << "01/01/1980" << cf << QStringList{luogo};
    QTest::newRow("name") << "Bianchi Mario" << "Roma" << "01/01/1980" << cf << QStringList{nome};
    QTest::newRow("all three") << "Bianchi Mario" << "Milano" << "01/01/1981" << cf << QStringList{data, luogo, nome};
    QTest::newRow("woman, years apart")
        << "Verdi Anna" << "Napoli" << "12/05/1986" << "VRDNNA68E52F839B"
        << QStringList{QStringLiteral("Il codice fiscale indica nata il 12/05/1968, la scheda indica 12/05/1986.")};
    QTest::newRow("woman, birthplace")
        << "Verdi Anna" << "Milano" << "12/05/1968" << "VRDNNA68E52F839B"
        << QStringList{QStringLiteral("Il codice fiscale indica nata a Napoli (NA), la scheda indica Milano.")};
}

void TestCalcolaCF::domandaAlSalvataggio()
{
    QFETCH(QString, dipendente);
    QFETCH(QString, luogo);
    QFETCH(QString, nascita);
    QFETCH(QString, codice);
    QFETCH(QStringList, righe);
    m_a->txtDipendente->setText(dipendente);
    m_a->txtLuogo->setText(luogo);
    m_a->txtDataNasc->setText(nascita);
    m_a->txtCodFisc->setText(codice);
    m_a->txtDataSca->setText(QStringLiteral("31/12/2017"));

    auto conta = [this] {
        ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
        archivio.apri();
        return archivio.conta();
    };
    if (righe.isEmpty()) {
        m_a->btnSalvaClick();
        // Nothing is said about the code's agreement with the card.
        QCOMPARE(m_servizi->testi().constLast(), Inserita);
        for (const QString &t : m_servizi->testi())
            QVERIFY2(!t.contains(QLatin1String("codice fiscale indica")), qPrintable(t));
        return;
    }
    // No: back to the code, nothing saved. Yes: saved as ever.
    m_servizi->rispondi(false);
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{domanda(righe)});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, Genere::Domanda);
    QVERIFY(m_a->txtCodFisc->hasFocus());
    QVERIFY(m_a->lblPosizione->text().isEmpty());
    QCOMPARE(conta(), 0);
    m_servizi->azzera();
    m_servizi->rispondi(true);
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), (QStringList{domanda(righe), Inserita}));
    QCOMPARE(conta(), 1);
}

// The contract card holds two codes: each is compared with its own person.
void TestCalcolaCF::contratto()
{
    auto *c = Schermi::di<TfrmContratti>();
    c->impostaAnno(m_dir->filePath(QStringLiteral("2017.con")), QStringLiteral("2017"));
    c->mostra();
    QApplication::setActiveWindow(c);
    QVERIFY(QTest::qWaitForWindowActive(c));
    c->txtLuogoStipula->setText(QStringLiteral("Roma"));
    c->txtNomeDitta->setText(QStringLiteral("Ditta"));
    c->txtDipendente->setText(QStringLiteral("Rossi Mario"));
    c->txtLuogo->setText(QStringLiteral("Roma"));
    c->txtDataNasc->setText(QStringLiteral("01/01/1980"));
    c->txtCodFisc->setText(QStringLiteral("RSSMRA80A01H501U"));
    c->txtLegale->setText(QStringLiteral("Moretti Matteo"));
    c->txtLuogoNascLeg->setText(QStringLiteral("Milano"));
    c->txtDataNascLeg->setText(QStringLiteral("09/04/1952"));
    c->txtCodFiscLeg->setText(QStringLiteral("MRTMTT25D09F205Z"));
    c->txtDataInizio->setText(QStringLiteral("01/04/2017"));
    c->txtDataFine->setText(QStringLiteral("31/03/2018"));
    m_servizi->azzera();
    m_servizi->rispondi(false);
    c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{domanda({QStringLiteral("Legale rappresentante: Il codice fiscale indica nato il 09/04/1925, "
                                                 "la scheda indica 09/04/1952.")})});
    QVERIFY(c->txtCodFiscLeg->hasFocus());
    QVERIFY(c->lblPosizione->text().isEmpty());

    // The buttons beside both fields fill their own field.
    m_servizi->azzera();
    c->txtCodFiscLeg->clear();
    m_servizi->quandoDialogo([](QDialog *d) {
        auto *dlg = static_cast<TfrmCalcolaCF *>(d);
        if (dlg->txtCognome->text() != QLatin1String("Moretti") || dlg->txtLuogo->text() != QLatin1String("Milano"))
            return -1;
        dlg->optMaschio->setChecked(true);
        dlg->txtDataNasc->setText(QStringLiteral("09/04/1925"));
        dlg->btnImporta->click();
        return dlg->result();
    });
    c->btnCalcolaCFLegClick();
    QCOMPARE(c->txtCodFiscLeg->text(), QStringLiteral("MRTMTT25D09F205Z"));
    QCOMPARE(c->txtCodFisc->text(), QStringLiteral("RSSMRA80A01H501U"));
    m_servizi->quandoDialogo([](QDialog *d) {
        auto *dlg = static_cast<TfrmCalcolaCF *>(d);
        return dlg->txtCognome->text() == QLatin1String("Rossi") ? int(QDialog::Accepted) : -1;
    });
    c->btnCalcolaCFClick();
    QCOMPARE(m_servizi->dialoghiEseguiti, (QStringList{QStringLiteral("TfrmCalcolaCF"), QStringLiteral("TfrmCalcolaCF")}));
}

QTEST_MAIN(TestCalcolaCF)
#include "tst_frmcalcolacf.moc"
