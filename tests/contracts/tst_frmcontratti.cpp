#include <QCheckBox>
#include <QClipboard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "checks/frmcontrolli.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmmenucontratti.h"
#include "contracts/frmvalidi.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "storage/impostazioni.h"
#include "ui/frmallegati.h"
#include "ui/frmcalendario.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "support/fileprova.h"
#include "support/schedeincomune.h"
#include "support/serviziprova.h"

using namespace qv;
using namespace qv::prova;

namespace {

const QString Vuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString Inaccessibile = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i privilegi "
    "di scrittura nella cartella di installazione del programma.");

TSchedaContratto contratto(int n)
{
    TSchedaContratto s;
    s.DataStipula = QStringLiteral("0%1/02/2017").arg(n);
    s.LuogoStipula = QStringLiteral("Bologna");
    s.NomeDitta = QStringLiteral("Ditta %1").arg(n);
    s.Dipendente = QStringLiteral("Collaboratore %1").arg(n);
    s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    s.Stipendio = QStringLiteral("1200,5");
    s.DataInizio = QStringLiteral("01/03/2017");
    s.DataFine = QStringLiteral("28/02/2018");
    s.Rescisso = QStringLiteral("No");
    s.File01 = QStringLiteral("/tmp/firmato%1.pdf").arg(n);
    s.Desc01 = QStringLiteral("Contratto firmato");
    return s;
}

// The same contract with a collaborator its codice fiscale matches: saved without questions.
TSchedaContratto contrattoRossi(int n)
{
    TSchedaContratto s = contratto(n);
    s.Dipendente = QStringLiteral("Rossi Mario");
    return s;
}


} // namespace

class TestContratti : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(quadrivela); }
    void init();
    void cleanup();
    void nuovaSchedaDalMenu();
    void dittaRicordataAllaChiusura();
    void dittaNonScrivibile();
    void dittaInCartellaSolaLettura();
    void navigazione_data();
    void navigazione();
    void obbligatori_data();
    void obbligatori();
    void salvaNuovaEPoiSovrascrive();
    void bandieraRescisso();
    void bandieraSconosciuta();
    void duplica();
    void importaSullaScheda3();
    void allegati();
    void pulsantiDiControllo_data();
    void pulsantiDiControllo();
    void campiEDate();
    void dateDigitate_data();
    void dateDigitate();
    void dateDigitateDiSeguito();
    void suggerimenti();
    void guastoDiScrittura();
    void domandeSulleDate_data();
    void domandeSulleDate();
    void unaDomandaPerTutteLeDate();
    void codiciIncollati_data();
    void codiciIncollati();
    void importoConIPunti();
    void schedaCambiataDaUnAltraCopia_data();
    void schedaCambiataDaUnAltraCopia();
    void archivioInSolaLettura();
    void cartellaSenzaArchivioInSolaLettura();
    void archivioScomparso_data();
    void archivioScomparso();
    void lasciaScheda_data();
    void lasciaScheda();
    void cosaContaComeModifica();
    void infoDellaSchedaAperta();
    void versioniPrecedenti();
    void altroAnnoConLaSchedaAperta();

private:
    void riempi(int quante, TSchedaContratto (*crea)(int) = contratto);
    void apriAnno(const QString &anno = QStringLiteral("2017"));
    void compila();
    QString fileAnno() const { return cartellaProgramma().archivioContratti(2017); }

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmContratti *m_c = nullptr;
    TfrmMenuContratti *m_menu = nullptr;
};

void TestContratti::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
    m_c = Schermi::di<TfrmContratti>();
    m_menu = Schermi::di<TfrmMenuContratti>();
    apriAnno();
}

void TestContratti::cleanup()
{
    guasti::negaScrittura(false);
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

// The road of the user: main menu, contract menu, the year, "Apri".
void TestContratti::apriAnno(const QString &anno)
{
    if (m_c->isVisible())
        m_c->close();
    Schermi::di<TfrmAvvio>()->imgContrattiClick();
    m_menu->txtAnnoFatture->setText(anno);
    m_menu->btnApriFattureClick();
    QVERIFY(m_c->isVisible());
}

void TestContratti::riempi(int quante, TSchedaContratto (*crea)(int))
{
    ArchivioContratti a(fileAnno());
    a.apri();
    for (int i = 1; i <= quante; ++i)
        a.accoda(crea(i));
}

void TestContratti::compila()
{
    m_c->txtLuogoStipula->setText(QStringLiteral("Bologna"));
    m_c->txtNomeDitta->setText(QStringLiteral("Rossi Srl"));
    m_c->txtDipendente->setText(QStringLiteral("  Bianchi Anna "));
    m_c->txtCodFisc->setText(QStringLiteral("BNCNNA85M41A944B"));
    m_c->txtDataInizio->setText(QStringLiteral("01/04/2017"));
    m_c->txtDataFine->setText(QStringLiteral("31/03/2018"));
}

void TestContratti::nuovaSchedaDalMenu()
{
    QCOMPARE(m_c->windowTitle(), QStringLiteral(" Quadrivela - Archivio contratti anno 2017"));
    QCOMPARE(m_c->lblFile->text(), fileAnno());
    QVERIFY(!QFile::exists(fileAnno())); // the menu neither opens nor creates the year file
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("15/03/2017"));
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("0,00"));
    QCOMPARE(m_c->panInfo->text(), QStringLiteral("Pronto per archiviare un nuovo contratto..."));

    // A stored card shown last time, and another day: the menu opens a new card
    // with today's date and the company block remembered in the settings file.
    riempi(2);
    m_c->cmdUltimoClick();
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("2"));
    m_c->chkRescisso->setChecked(true);
    m_c->txtNomeDitta->setText(QStringLiteral("  Verdi Spa "));
    m_servizi->scegli(ConNonSalvare);
    m_c->close();
    QCOMPARE(m_servizi->testi(), QStringList{SchedaModificata});
    m_servizi->orologio = QDateTime(QDate(2018, 1, 9), QTime(8, 0));
    apriAnno();
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("09/01/2018"));
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Verdi Spa"));
    QCOMPARE(m_c->txtLuogoStipula->text(), QStringLiteral("Bologna")); // from card 2, remembered on close
    QCOMPARE(m_c->txtDipendente->text(), QString());
    QCOMPARE(m_c->lblPosizione->text(), QString());
    QCOMPARE(m_c->lblFile01->text(), QString());
    QVERIFY(!m_c->chkRescisso->isChecked());

    // Nuovo keeps the company block, empties the rest and moves to the name.
    QApplication::setActiveWindow(m_c);
    m_c->cmdPrimoClick();
    m_c->txtNote->setText(QStringLiteral("nota"));
    m_servizi->scegli(ConNonSalvare);
    m_c->btnNuovoClick();
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Ditta 1"));
    QCOMPARE(m_c->txtNote->text(), QString());
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("0,00"));
    QCOMPARE(m_c->lblPosizione->text(), QString());
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("09/01/2018"));
    QVERIFY(m_c->txtDipendente->hasFocus());
}

void TestContratti::dittaRicordataAllaChiusura()
{
    // Without saving: the fourteen fields go to their keys, trimmed; the
    // collaborator's data do not.
    int i = 0;
    for (const ChiaveDitta &k : kChiaviDitta)
        m_c->findChild<QLineEdit *>(QLatin1String(k.controllo))->setText(QStringLiteral(" valore %1 ").arg(i++));
    m_c->txtDipendente->setText(QStringLiteral("non ricordato"));
    m_servizi->scegli(ConNonSalvare);
    QTest::mouseClick(m_c->btnEsci, Qt::LeftButton);
    QVERIFY(!m_c->isVisible());
    QVERIFY(Schermi::di<TfrmAvvio>()->isVisible());
    QCOMPARE(m_servizi->testi(), QStringList{SchedaModificata});

    const QByteArray ini = leggiFile(cartellaProgramma().impostazioni());
    QVERIFY(ini.contains("[Ditta Emittente]\r\nLuogo Stipula=valore 0\r\nNome Ditta=valore 1\r\n"));
    QVERIFY(ini.contains("Foro Competente=valore 13"));
    QVERIFY(!ini.contains("non ricordato"));
    const auto letti = leggiDatiDitta(cartellaProgramma().impostazioni());
    QVERIFY(letti);
    QCOMPARE(letti->at(4), QStringLiteral("valore 4"));

    // The title bar's close goes the same way. A company block changed on a
    // new card alone is no change to ask about: it is remembered.
    apriAnno();
    QCOMPARE(m_c->txtIvaDitta->text(), QStringLiteral("valore 4"));
    m_c->txtForo->setText(QStringLiteral("Roma"));
    m_servizi->azzera();
    m_c->close();
    QVERIFY(m_servizi->messaggi.isEmpty());
    QCOMPARE(leggiDatiDitta(cartellaProgramma().impostazioni())->at(13), QStringLiteral("Roma"));
}

void TestContratti::dittaNonScrivibile()
{
    // A folder in the settings file's place cannot be written: the screen still
    // closes to the main menu, and the user is told.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quadrivela.ini")));
    m_c->txtNomeDitta->setText(QStringLiteral("Rossi Srl"));
    m_c->close();
    QVERIFY(!m_c->isVisible());
    QVERIFY(Schermi::di<TfrmAvvio>()->isVisible());
    QCOMPARE(m_servizi->messaggi.size(), 1);
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
    QVERIFY(m_servizi->ultimoTesto().startsWith(
        QStringLiteral("Attenzione: non è stato possibile memorizzare i dati della Ditta nel file Quadrivela.ini")));
    QVERIFY(QFileInfo(cartellaProgramma().impostazioni()).isDir());
    // Opened again, the screen shows the block as it stood.
    apriAnno();
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Rossi Srl"));
}

// A program folder that can only be read: leaving the screen with a changed
// company block says so in one message, writes nothing, and the block stays
// for the rest of the run; an unchanged block says nothing.
void TestContratti::dittaInCartellaSolaLettura()
{
    const QString ini = cartellaProgramma().impostazioni();
    m_c->txtNomeDitta->setText(QStringLiteral("Vecchia Srl"));
    m_c->close();
    const QByteArray prima = leggiFile(ini);
    const QStringList cartella = contenuto(m_dir->path());
    guasti::negaScrittura(true);
    apriAnno();
    m_c->close();
    QVERIFY(m_servizi->messaggi.isEmpty());

    apriAnno();
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Vecchia Srl"));
    m_c->txtNomeDitta->setText(QStringLiteral("Nuova Srl"));
    m_c->close();
    QVERIFY(!m_c->isVisible());
    QVERIFY(Schermi::di<TfrmAvvio>()->isVisible());
    QCOMPARE(m_servizi->testi(),
             QStringList{"Attenzione: la cartella del programma è in sola lettura: i dati della Ditta non possono "
                         "essere memorizzati nel file Quadrivela.ini.\n\r\n\rSaranno proposti fino alla chiusura "
                         "del programma; alla prossima apertura saranno proposti quelli memorizzati in precedenza."});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
    QCOMPARE(leggiFile(ini), prima);
    QCOMPARE(contenuto(m_dir->path()), cartella);

    // Opened again, the block typed is still there; leaving with it again says nothing new.
    apriAnno();
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Nuova Srl"));
    m_c->close();
    QCOMPARE(m_servizi->messaggi.size(), 1);
    apriAnno();
    m_c->txtForo->setText(QStringLiteral("Bologna"));
    m_c->close();
    QCOMPARE(m_servizi->messaggi.size(), 2);

    // Once the folder can be written, the block goes to the file.
    guasti::negaScrittura(false);
    apriAnno();
    m_c->close();
    QCOMPARE(m_servizi->messaggi.size(), 2);
    const auto letti = leggiDatiDitta(ini);
    QVERIFY(letti);
    QCOMPARE(letti->at(1), QStringLiteral("Nuova Srl"));
    QCOMPARE(letti->at(13), QStringLiteral("Bologna"));
}

void TestContratti::navigazione_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<QString>("posizione"); // before the click
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("dopo");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("vuoto, primo") << 0 << "" << "cmdPrimo" << "" << Vuoto;
    QTest::newRow("vuoto, indietro") << 0 << "" << "cmdIndietro" << "" << Vuoto;
    QTest::newRow("vuoto, avanti") << 0 << "" << "cmdAvanti" << "" << Vuoto;
    QTest::newRow("vuoto, ultimo") << 0 << "" << "cmdUltimo" << "" << Vuoto;
    QTest::newRow("vuoto, avanti da una posizione") << 0 << "4" << "cmdAvanti" << "" << Vuoto;
    QTest::newRow("vuoto, indietro da una posizione") << 0 << "4" << "cmdIndietro" << "4" << Vuoto;
    QTest::newRow("nuova, primo") << 3 << "" << "cmdPrimo" << "1" << "";
    QTest::newRow("nuova, indietro") << 3 << "" << "cmdIndietro" << "1" << "";
    QTest::newRow("nuova, avanti") << 3 << "" << "cmdAvanti" << "1" << "";
    QTest::newRow("nuova, ultimo") << 3 << "" << "cmdUltimo" << "3" << "";
    QTest::newRow("primo") << 3 << "2" << "cmdPrimo" << "1" << "";
    QTest::newRow("indietro") << 3 << "3" << "cmdIndietro" << "2" << "";
    QTest::newRow("avanti") << 3 << "1" << "cmdAvanti" << "2" << "";
    QTest::newRow("ultimo") << 3 << "1" << "cmdUltimo" << "3" << "";
    QTest::newRow("indietro sulla prima") << 3 << "1" << "cmdIndietro" << "1" << "";
    QTest::newRow("avanti sull'ultima") << 3 << "3" << "cmdAvanti" << "3" << "";
}

void TestContratti::navigazione()
{
    QFETCH(int, schede);
    QFETCH(QString, posizione);
    QFETCH(QString, pulsante);
    QFETCH(QString, dopo);
    QFETCH(QString, messaggio);
    riempi(schede);
    if (!posizione.isEmpty() && schede > 0)
        m_c->caricaScheda(contratto(posizione.toInt()), posizione.toInt());
    else
        m_c->lblPosizione->setText(posizione);
    // The changed notes are asked about only when the arrow leads to a card.
    m_c->txtNote->setText(QStringLiteral("non salvata"));
    m_servizi->scegli(ConNonSalvare);
    QTest::mouseClick(m_c->findChild<Figura *>(pulsante), Qt::LeftButton);

    QCOMPARE(m_c->lblPosizione->text(), dopo);
    QStringList attesi;
    if (dopo != posizione && !dopo.isEmpty())
        attesi << SchedaModificata;
    if (!messaggio.isEmpty())
        attesi << messaggio;
    QCOMPARE(m_servizi->testi(), attesi);
    // A year without a file gets an empty one.
    QVERIFY(QFile::exists(fileAnno()));
    QCOMPARE(QFileInfo(fileAnno()).size(), qint64(schede) * TSchedaContratto::Dimensione);
    if (dopo != posizione && !dopo.isEmpty()) {
        QCOMPARE(m_c->txtDipendente->text(), QStringLiteral("Collaboratore ") + dopo);
        QCOMPARE(m_c->lblFile01->text(), QStringLiteral("/tmp/firmato%1.pdf").arg(dopo));
        QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.200,50")); // shown as every amount
        QCOMPARE(m_c->txtNote->text(), QString());
    } else {
        QCOMPARE(m_c->txtNote->text(), QStringLiteral("non salvata")); // nothing happened
    }
}

void TestContratti::obbligatori_data()
{
    QTest::addColumn<QStringList>("vuoti");
    QTest::addColumn<QString>("primo");
    QTest::addColumn<QString>("cosa");
    QTest::newRow("data stipula") << QStringList{"txtDataStipula", "txtDataFine"} << "txtDataStipula" << "la data di stipula";
    QTest::newRow("luogo") << QStringList{"txtLuogoStipula", "txtCodFisc"} << "txtLuogoStipula" << "il luogo di stipula";
    QTest::newRow("ditta") << QStringList{"txtNomeDitta", "txtDipendente"} << "txtNomeDitta" << "la denominazione della Ditta";
    QTest::newRow("dipendente") << QStringList{"txtDipendente", "txtDataInizio"} << "txtDipendente" << "cognome e nome del Dipendente";
    QTest::newRow("codice fiscale") << QStringList{"txtCodFisc", "txtDataFine"} << "txtCodFisc" << "il codice fiscale del Dipendente";
    QTest::newRow("decorrenza") << QStringList{"txtDataInizio", "txtDataFine"} << "txtDataInizio" << "la data di decorrenza del contratto";
    QTest::newRow("scadenza, solo blank") << QStringList{"txtDataFine"} << "txtDataFine" << "la data di scadenza del contratto";
}

void TestContratti::obbligatori()
{
    QFETCH(QStringList, vuoti);
    QFETCH(QString, primo);
    QFETCH(QString, cosa);
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    compila();
    for (const QString &n : vuoti)
        m_c->findChild<QLineEdit *>(n)->setText(QStringLiteral("   "));
    m_c->txtNote->setFocus();
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{QStringLiteral("Attenzione: per salvare il contratto è necessario indicare ") + cosa + u'.'});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);
    QVERIFY(m_c->findChild<QLineEdit *>(primo)->hasFocus());
    QVERIFY(!QFile::exists(fileAnno()));
    QCOMPARE(m_c->lblPosizione->text(), QString());
}

void TestContratti::salvaNuovaEPoiSovrascrive()
{
    riempi(5);
    const QByteArray prima = leggiFile(fileAnno());
    compila();
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{Inserita});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Informazione);
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("6"));
    QCOMPARE(m_c->txtDipendente->text(), QStringLiteral("  Bianchi Anna ")); // the fields are not reloaded
    QByteArray dopo = leggiFile(fileAnno());
    QCOMPARE(dopo.size(), 6 * TSchedaContratto::Dimensione);
    QCOMPARE(dopo.left(prima.size()), prima);
    QCOMPARE(dopo.mid(17660, 11), QByteArray("\x0A" "15/03/2017"));
    QCOMPARE(dopo.mid(17660 + 696, 13), QByteArray("\x0C" "Bianchi Anna"));
    QCOMPARE(dopo.mid(17660 + 1114, 5), QByteArray("\x04" "0,00"));
    QCOMPARE(dopo.mid(17660 + 2023, 3), QByteArray("\x02No"));

    m_servizi->azzera();
    m_c->txtNote->setText(QStringLiteral("seconda volta"));
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{Salvata});
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("6"));
    dopo = leggiFile(fileAnno());
    QCOMPARE(dopo.size(), 6 * TSchedaContratto::Dimensione);
    QCOMPARE(dopo.left(prima.size()), prima);
    ArchivioContratti a(fileAnno());
    a.apri();
    QCOMPARE(a.leggi(6).Note, QStringLiteral("seconda volta"));
}

void TestContratti::bandieraRescisso()
{
    compila();
    m_c->chkRescisso->setChecked(true);
    m_c->btnSalvaClick();
    QCOMPARE(leggiFile(fileAnno()).mid(2023, 3), QByteArray("\x02\x53\xEC"));
    QVERIFY(m_c->chkRescisso->isChecked());
    m_c->chkRescisso->setChecked(false);
    m_c->btnSalvaClick();
    QCOMPARE(leggiFile(fileAnno()).mid(2023, 3), QByteArray("\x02No"));
}

void TestContratti::bandieraSconosciuta()
{
    // Card 2's flag holds neither "Sì" nor "No": the box stays as card 1 left it.
    TSchedaContratto uno = contratto(1), due = contratto(2);
    uno.Rescisso = TSchedaContratto::testoRescisso(true);
    due.Rescisso = QStringLiteral("Forse");
    ArchivioContratti a(fileAnno());
    a.apri();
    a.accoda(uno);
    a.accoda(due);
    a.chiudi();
    m_c->cmdPrimoClick();
    QVERIFY(m_c->chkRescisso->isChecked());
    m_c->cmdAvantiClick();
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("2"));
    QVERIFY(m_c->chkRescisso->isChecked());
    m_c->chkRescisso->setChecked(false);
    m_servizi->scegli(ConNonSalvare);
    m_c->cmdIndietroClick();
    QCOMPARE(m_servizi->testi(), QStringList{SchedaModificata}); // the box is part of the card
    m_c->cmdAvantiClick();
    QVERIFY(m_c->chkRescisso->isChecked());
}

void TestContratti::duplica()
{
    m_c->btnDuplicaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{"Attenzione: la duplicazione di un contratto può avvenire soltanto dopo che questo è stato "
                         "inserito in archivio."});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Avviso);

    riempi(5);
    const QByteArray prima = leggiFile(fileAnno());
    m_c->apriScheda(4);
    m_c->chkRescisso->setChecked(true);
    m_c->txtMotivo->setText(QStringLiteral("Dimissioni"));
    m_servizi->azzera();
    // Card 4 keeps what is stored; the copy takes the changes.
    m_servizi->scegli(ConNonSalvare);
    m_c->btnDuplicaClick();
    QCOMPARE(m_servizi->testi(),
             (QStringList{SchedaModificata,
                          "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                          "premere Salva per inserire la scheda in archivio."}));
    QCOMPARE(m_c->lblPosizione->text(), QString());
    QCOMPARE(m_c->lblFile01->text(), QString());
    QCOMPARE(m_c->lblDesc01->text(), QString());
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("04/02/2017")); // the signing date is kept
    QVERIFY(m_c->chkRescisso->isChecked());

    m_c->btnSalvaClick();
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("6"));
    const QByteArray dopo = leggiFile(fileAnno());
    QCOMPARE(dopo.left(prima.size()), prima);
    TSchedaContratto attesa = contratto(4);
    attesa.File01.clear();
    attesa.Desc01.clear();
    attesa.Rescisso = TSchedaContratto::testoRescisso(true);
    attesa.Motivo = QStringLiteral("Dimissioni");
    QCOMPARE(dopo.mid(5 * TSchedaContratto::Dimensione), codificaScheda(attesa));
}

void TestContratti::importaSullaScheda3()
{
    TSchedaDipendente d;
    d.Dipendente = QStringLiteral("Neri Luca");
    d.Cittadinanza = QStringLiteral("italiana");
    d.Stipendio = QStringLiteral("1500,00");
    d.Luogo = QStringLiteral("Parma");
    d.DataNasc = QStringLiteral("02/02/1990");
    d.CodFisc = QStringLiteral("NRELCU90B02G337X");
    d.PartitaIva = QStringLiteral("12345678901");
    d.Indirizzo = QStringLiteral("Via Roma 1");
    d.Citta = QStringLiteral("Parma");
    d.Prov = QStringLiteral("PR");
    d.Cap = QStringLiteral("43121");
    d.Qualifiche = QStringLiteral("Grafico");
    d.Iban = QStringLiteral("IT60X0542811101000000123456");
    d.Recapito = QStringLiteral("0521 000000");
    d.Note = QStringLiteral("nota del registro");
    ArchivioDipendenti ad(cartellaProgramma().archivioDipendenti());
    ad.apri();
    ad.accoda(d);
    ad.chiudi();

    riempi(5);
    m_c->apriScheda(3);
    m_c->txtNote->setText(QStringLiteral("nota del contratto"));
    QString token;
    m_servizi->quandoDialogo([&](QDialog *dlg) {
        auto *t = qobject_cast<TfrmTrovaAnagrafica *>(dlg);
        token = t->lblMemory->text();
        t->btnCercaClick();
        t->lstRecords->setCurrentRow(0);
        t->lstRecordsDblClick();
        return 1;
    });
    QTest::mouseClick(m_c->btnImporta, Qt::LeftButton);
    QCOMPARE(token, QStringLiteral("contratti"));
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(m_c->txtDipendente->text(), QStringLiteral("Neri Luca"));
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.500,00"));
    QCOMPARE(m_c->txtRecapito->text(), QStringLiteral("0521 000000"));
    QCOMPARE(m_c->txtIban->text(), d.Iban);
    QCOMPARE(m_c->txtNote->text(), QStringLiteral("nota del contratto"));
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Ditta 3"));
    QCOMPARE(m_c->lblFile01->text(), QStringLiteral("/tmp/firmato3.pdf"));

    const QByteArray prima = leggiFile(fileAnno());
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->ultimoTesto(), Salvata);
    const QByteArray dopo = leggiFile(fileAnno());
    constexpr int D = TSchedaContratto::Dimensione;
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(dopo.left(2 * D), prima.left(2 * D));
    QCOMPARE(dopo.mid(3 * D), prima.mid(3 * D));
    QCOMPARE(decodificaScheda<TSchedaContratto>(dopo.constData() + 2 * D).CodFisc, d.CodFisc);
}

void TestContratti::allegati()
{
    riempi(1);
    m_c->cmdPrimoClick();
    QString token, ricevuto;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *dlg = qobject_cast<TfrmAllegaCartella *>(d);
        token = dlg->lblMemory->text();
        ricevuto = dlg->txtFile01->text();
        dlg->txtFile03->setText(QStringLiteral("/tmp/documento identità.pdf"));
        dlg->txtDesc03->setText(QStringLiteral(" Documento "));
        dlg->btnApplica->click();
        return 1;
    });
    m_c->btnFileClick();
    QCOMPARE(token, QStringLiteral("contratti"));
    QCOMPARE(ricevuto, QStringLiteral("/tmp/firmato1.pdf"));
    QCOMPARE(m_c->lblFile03->text(), QStringLiteral("/tmp/documento identità.pdf"));
    QCOMPARE(m_c->lblDesc03->text(), QStringLiteral("Documento"));
    // The employee card is not touched.
    QCOMPARE(Schermi::per(QStringLiteral("TfrmAnagrafica"))->findChild<QLabel *>("lblFile03")->text(), QString());

    // Closed otherwise, the dialog changes nothing.
    m_servizi->quandoDialogo([](QDialog *d) {
        qobject_cast<TfrmAllegaCartella *>(d)->txtDesc03->setText(QStringLiteral("mai"));
        d->reject();
        return 0;
    });
    m_c->btnFileClick();
    QCOMPARE(m_c->lblDesc03->text(), QStringLiteral("Documento"));

    m_c->btnSalvaClick();
    ArchivioContratti a(fileAnno());
    a.apri();
    QCOMPARE(a.leggi(1).File03, QStringLiteral("/tmp/documento identità.pdf"));
    QCOMPARE(a.leggi(1).File01, QStringLiteral("/tmp/firmato1.pdf"));
}

void TestContratti::pulsantiDiControllo_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("dialogo");
    QTest::addColumn<QString>("ricevuto");
    QTest::newRow("undici cifre") << "btnCodFisc" << "txtCodFisc" << " 12345678903 " << "TfrmPartitaIva" << "12345678903";
    QTest::newRow("vuoto") << "btnCodFisc" << "txtCodFisc" << "" << "TfrmCodFisc" << "";
    QTest::newRow("con una lettera") << "btnCodFisc" << "txtCodFisc" << "12345A" << "TfrmCodFisc" << "12345A";
    QTest::newRow("legale, cifre") << "btnCodFiscLeg" << "txtCodFiscLeg" << "0123" << "TfrmPartitaIva" << "0123";
    QTest::newRow("legale, codice") << "btnCodFiscLeg" << "txtCodFiscLeg" << "RSSMRA80A01H501U" << "TfrmCodFisc" << "RSSMRA80A01H501U";
    QTest::newRow("partita IVA") << "btnIvaDitta" << "txtIvaDitta" << "00000000000" << "TfrmPartitaIva" << "00000000000";
    QTest::newRow("IBAN") << "btnIban" << "txtIban" << "IT60X0542811101000000123456" << "TfrmIban" << "IT60X0542811101000000123456";
}

void TestContratti::pulsantiDiControllo()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, campo);
    QFETCH(QString, valore);
    QFETCH(QString, dialogo);
    QFETCH(QString, ricevuto);
    m_c->findChild<QLineEdit *>(campo)->setText(valore);
    QString testo;
    m_servizi->quandoDialogo([&](QDialog *d) {
        testo = qobject_cast<DialogoControllo *>(d)->campo()->text();
        return 0;
    });
    QTest::mouseClick(m_c->findChild<Figura *>(pulsante), Qt::LeftButton);
    QCOMPARE(m_servizi->dialoghiEseguiti, QStringList{dialogo});
    QCOMPARE(testo, ricevuto);
    QCOMPARE(m_c->findChild<QLineEdit *>(campo)->text(), valore); // the dialogs never write back
}

void TestContratti::campiEDate()
{
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    // Capacities and key rules.
    QCOMPARE(m_c->txtMotivo->maxLength(), 120);
    QCOMPARE(m_c->txtIban->maxLength(), 27);
    m_c->txtIvaDitta->setFocus();
    QTest::keyClicks(m_c->txtIvaDitta, QStringLiteral("12a3"));
    QCOMPARE(m_c->txtIvaDitta->text(), QStringLiteral("123"));
    m_c->txtProv->setFocus();
    QTest::keyClicks(m_c->txtProv, QStringLiteral("rm"));
    QCOMPARE(m_c->txtProv->text(), QStringLiteral("RM"));
    m_c->txtStipendio->setFocus();
    m_c->txtStipendio->clear();
    // The dot separates the thousands; the amount is formatted as every amount is shown.
    QTest::keyClicks(m_c->txtStipendio, QStringLiteral("1.250,5"));
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.250,5"));
    QTest::keyClick(m_c->txtStipendio, Qt::Key_Return);
    QVERIFY(m_c->txtIban->hasFocus());
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.250,50"));
    QVERIFY(m_c->findChild<QWidget *>("effIban")->isVisible());

    // Enter in the notes goes back to the signing date, where F4 opens the
    // date picker for that field; "Importa" writes its date.
    m_c->txtNote->setFocus();
    QTest::keyClick(m_c->txtNote, Qt::Key_Return);
    QVERIFY(m_c->txtDataStipula->hasFocus());
    QString token;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *cal = qobject_cast<TfrmCalendario *>(d);
        token = cal->lblMemory->text();
        cal->calAppuntamenti->setSelectedDate(QDate(2017, 5, 2));
        cal->btnImportaDataClick();
        return 1;
    });
    QTest::keyClick(m_c->txtDataStipula, Qt::Key_F4);
    QCOMPARE(token, QStringLiteral("datastipula"));
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("02/05/2017"));
    // The other two date fields name their own fields; a letter opens the picker there.
    for (auto [campo, atteso] : {std::pair{m_c->txtDataInizio, "datainizio"}, std::pair{m_c->txtDataFine, "datafine"}}) {
        m_servizi->quandoDialogo([&](QDialog *d) {
            auto *cal = qobject_cast<TfrmCalendario *>(d);
            token = cal->lblMemory->text();
            cal->btnImportaDataClick();
            return 1;
        });
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_A);
        QCOMPARE(token, QLatin1String(atteso));
        QCOMPARE(campo->text(), QStringLiteral("15/03/2017"));
    }
    // Backspace empties a date field without the picker; the eraser too.
    const int dialoghi = m_servizi->dialoghiEseguiti.size();
    QTest::keyClick(m_c->txtDataFine, Qt::Key_Backspace);
    QCOMPARE(m_c->txtDataFine->text(), QString());
    QTest::mouseClick(m_c->delDataInizio, Qt::LeftButton);
    QCOMPARE(m_c->txtDataInizio->text(), QString());
    QTest::mouseClick(m_c->delDataStipula, Qt::LeftButton);
    QCOMPARE(m_c->txtDataStipula->text(), QString());
    QCOMPARE(m_servizi->dialoghiEseguiti.size(), dialoghi);

    // The guide shows the contract area's title.
    QString titolo;
    m_servizi->quandoDialogo([&](QDialog *d) {
        titolo = qobject_cast<TfrmGuida *>(d)->lblTitolo->text();
        return 0;
    });
    QTest::mouseClick(m_c->btnGuida, Qt::LeftButton);
    QCOMPARE(titolo, QStringLiteral("Applicazione Archivio Contratti."));
}

// The contract dates and the birth dates typed as people type them, then Salva clicked at
// once: the year file holds them as "dd/mm/yyyy"; a day that does not exist
// is refused, marked, and nothing is written.
void TestContratti::dateDigitate_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("salvato"); // empty: refused, with the name of the date
    QTest::newRow("stipula, punti e anno corto") << "txtDataStipula" << "1.3.17" << "01/03/2017";
    QTest::newRow("stipula, barre") << "txtDataStipula" << "02/03/2017" << "02/03/2017";
    QTest::newRow("decorrenza, otto cifre") << "txtDataInizio" << "01042017" << "01/04/2017";
    QTest::newRow("scadenza, trattini e anno corto") << "txtDataFine" << "31-03-18" << "31/03/2018";
    QTest::newRow("scadenza, cifre singole") << "txtDataFine" << "1/4/2018" << "01/04/2018";
    QTest::newRow("stipula inesistente") << "txtDataStipula" << "29022017" << "la data di stipula";
    QTest::newRow("decorrenza senza anno") << "txtDataInizio" << "1/4" << "la data di decorrenza";
    QTest::newRow("scadenza inesistente") << "txtDataFine" << "31/04/2018" << "la data di scadenza";
    // The birth dates are date fields like the others.
    QTest::newRow("nascita, anno corto") << "txtDataNasc" << "1/8/85" << "01/08/1985";
    QTest::newRow("nascita del legale, otto cifre") << "txtDataNascLeg" << "01021960" << "01/02/1960";
    QTest::newRow("nascita inesistente") << "txtDataNasc" << "31/02/2024" << "la data di nascita del Dipendente";
    QTest::newRow("nascita del legale, mese 13")
        << "txtDataNascLeg" << "12/13/2024" << "la data di nascita del Legale Rappresentante";
    QTest::newRow("nascita del legale, zeri") << "txtDataNascLeg" << "0/0/0" << "la data di nascita del Legale Rappresentante";
}

void TestContratti::dateDigitate()
{
    QFETCH(QString, campo);
    QFETCH(QString, digitato);
    QFETCH(QString, salvato);
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    compila();
    auto *e = m_c->findChild<QLineEdit *>(campo);
    e->clear();
    e->setFocus();
    QTest::keyClicks(e, digitato);
    QTest::mouseClick(m_c->btnSalva, Qt::LeftButton);
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    if (!salvato.contains(u'/')) {
        QCOMPARE(m_servizi->testi(),
                 QStringList{QStringLiteral("Attenzione: ") + salvato + u' ' + digitato
                             + QStringLiteral(" non esiste.\n\r\n\rPer poter salvare il contratto è necessario "
                                              "indicare una data valida nel formato gg/mm/aaaa.")});
        QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Semplice);
        QCOMPARE(e->text(), digitato);
        QVERIFY(rifiutoSegnato(e));
        QVERIFY(e->hasFocus());
        QVERIFY(!QFile::exists(fileAnno()) || QFileInfo(fileAnno()).size() == 0);
        return;
    }
    QCOMPARE(m_servizi->testi(), QStringList{Inserita});
    QCOMPARE(e->text(), salvato);
    ArchivioContratti a(fileAnno());
    a.apri();
    QCOMPARE(a.leggi(1).*(campoScheda<TSchedaContratto>(campo.mid(3))->membro), salvato);
}

void TestContratti::dateDigitateDiSeguito()
{
    // The terms typed on without a pause, Enter after each: the two dates are
    // taken and every key lands in its field, as the keyboard sends it to the focus.
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    m_c->txtPrestazioni->setFocus();
    for (const char *tasti : {"Sviluppo", "\n", "01042017", "\n", "31-03-18", "\n", "dodici mesi", "\n", "Bologna"}) {
        QWidget *w = QApplication::focusWidget();
        if (*tasti == '\n')
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::keyClicks(w, QString::fromLatin1(tasti));
    }
    QCOMPARE(m_c->txtPrestazioni->text(), QStringLiteral("Sviluppo"));
    QCOMPARE(m_c->txtDataInizio->text(), QStringLiteral("01/04/2017"));
    QCOMPARE(m_c->txtDataFine->text(), QStringLiteral("31/03/2018"));
    QCOMPARE(m_c->txtDurata->text(), QStringLiteral("dodici mesi"));
    QCOMPARE(m_c->txtSedeLavoro->text(), QStringLiteral("Bologna"));
    // The signing date, Enter: the date is kept and the place of signing is next.
    m_c->txtDataStipula->setFocus();
    QTest::keyClick(m_c->txtDataStipula, Qt::Key_Return);
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("15/03/2017"));
    QVERIFY(m_c->txtLuogoStipula->hasFocus());
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
}

// The mouse comes over a control, then moves on it (delivered like a real
// move: to the control when it follows the mouse, else to the first parent
// that does).
static void entra(QWidget *w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(w, &e);
}

static void muovi(QWidget *w)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void TestContratti::suggerimenti()
{
    const struct { const char *controllo; const char *testo; } casi[] = {
        {"btnNuovo", "Prepara la schermata per l'inserimento di un nuovo contratto."},
        {"btnEsporta", "Esporta l'archivio annuale dei contratti in Microsoft Excel."},
        {"cmdUltimo", "Visualizza l'ultimo contratto in archivio."},
        {"btnCodFiscLeg", "Controlla il codice fiscale."},
        {"chkRescisso", "Spunta questa casella per indicare che il contratto è stato rescisso."},
        {"txtDataFine", "Scrivi la data, come 21/12/2026 o 21122026, oppure premi F4 o fai doppio clic per "
                        "sceglierla dal calendario."},
        {"delDataInizio", "Cancella la data."},
    };
    for (const auto &c : casi) {
        QWidget *w = m_c->findChild<QWidget *>(QLatin1String(c.controllo));
        QVERIFY2(w, c.controllo);
        m_c->panInfo->setText(QStringLiteral("prima"));
        entra(w);
        muovi(w);
        QCOMPARE(m_c->panInfo->text(), QString::fromUtf8(c.testo));
    }
    // An ordinary text field leaves the line as it is; the background, its
    // boxes and the decorations empty it.
    entra(m_c->txtNote);
    muovi(m_c->txtNote);
    QCOMPARE(m_c->panInfo->text(), QStringLiteral("Cancella la data."));
    muovi(m_c->findChild<QWidget *>("shpDitta"));
    QCOMPARE(m_c->panInfo->text(), QString());
    m_c->panInfo->setText(QStringLiteral("prima"));
    entra(m_c->imgIntestazione);
    muovi(m_c->imgIntestazione);
    QCOMPARE(m_c->panInfo->text(), QString());
}

void TestContratti::guastoDiScrittura()
{
    // A write that fails halfway: the message, the fields and the position
    // stay, and every stored card is byte-identical.
    riempi(3);
    const QByteArray prima = leggiFile(fileAnno());
    m_c->apriScheda(2);
    m_c->txtDipendente->setText(QStringLiteral("Modificato"));
    guasti::simulaDiscoPieno(100);
    m_c->btnSalvaClick();
    guasti::simulaDiscoPieno(-1);
    QCOMPARE(m_servizi->testi(), QStringList{Inaccessibile});
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Errore);
    QCOMPARE(m_c->txtDipendente->text(), QStringLiteral("Modificato"));
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(leggiFile(fileAnno()), prima);

    // A folder in the year file's place: saving, browsing and duplicating report it and keep the screen.
    m_servizi->scegli(ConNonSalvare);
    apriAnno(QStringLiteral("2019"));
    m_servizi->azzera();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("2019.con")));
    compila();
    m_c->txtDataStipula->setText(QStringLiteral("15/03/2019"));
    m_c->btnSalvaClick();
    m_c->cmdAvantiClick();
    QCOMPARE(m_servizi->testi(), (QStringList{Inaccessibile, Inaccessibile}));
    QCOMPARE(m_c->txtDipendente->text(), QStringLiteral("  Bianchi Anna "));
    QCOMPARE(m_c->lblPosizione->text(), QString());
    QVERIFY(QFileInfo(cartellaProgramma().archivioContratti(2019)).isDir());
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, m_c->apriScheda(1));
}

// Dates that cannot be right are put to the user in a question whose
// default is to go back: Sì stores the card as it stands, No writes nothing.
void TestContratti::domandeSulleDate_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("problema"); // empty: no question
    QTest::addColumn<bool>("si");
    struct Caso { const char *nome, *campo, *valore, *problema; };
    const Caso casi[] = {
        {"scadenza prima della decorrenza", "txtDataFine", "31/03/2017",
         "la data di scadenza 31/03/2017 precede la data di decorrenza 01/04/2017"},
        {"stipula in un altro anno", "txtDataStipula", "30/12/2016",
         "la data di stipula 30/12/2016 non è dell'anno 2017 dell'archivio aperto: il contratto non comparirà "
         "nelle statistiche né nel riepilogo del 2017"},
        {"nascita nel futuro", "txtDataNasc", "01/01/2018", "la data di nascita del Dipendente 01/01/2018 è nel futuro"},
        {"meno di 14 anni alla stipula", "txtDataNasc", "16/03/2003",
         "con la data di nascita del Dipendente 16/03/2003, alla stipula avrebbe meno di 14 anni"},
        {"legale nel futuro", "txtDataNascLeg", "02/02/2020",
         "la data di nascita del Legale Rappresentante 02/02/2020 è nel futuro"},
        {"14 anni compiuti il giorno della stipula", "txtDataNasc", "15/03/2003", ""},
        {"scadenza il giorno della decorrenza", "txtDataFine", "01/04/2017", ""},
    };
    for (const Caso &c : casi)
        for (bool si : {true, false})
            if (si || *c.problema)
                QTest::newRow(QStringLiteral("%1, %2").arg(QString::fromUtf8(c.nome), si ? "sì" : "no").toUtf8())
                    << c.campo << c.valore << QString::fromUtf8(c.problema) << si;
}

void TestContratti::domandeSulleDate()
{
    QFETCH(QString, campo);
    QFETCH(QString, valore);
    QFETCH(QString, problema);
    QFETCH(bool, si);
    compila();
    m_c->findChild<QLineEdit *>(campo)->setText(valore);
    m_servizi->rispondi(si);
    m_c->btnSalvaClick();
    // A birth date other than the code's is then asked about too, with No as its default.
    if (problema.isEmpty()) {
        QCOMPARE(m_servizi->testi().constLast(), Inserita);
        QVERIFY(!m_servizi->testi().constFirst().contains(QLatin1String("una data sembra errata")));
    } else {
        QCOMPARE(m_servizi->testi().constFirst(),
                 QStringLiteral("Attenzione: una data sembra errata:\r\n\r\n- ") + problema
                     + QStringLiteral(".\r\n\r\nSalvare comunque il contratto in archivio?"));
        QVERIFY(!m_servizi->siPredefiniti.contains(true));
    }
    if (si || problema.isEmpty()) {
        QCOMPARE(m_servizi->testi().constLast(), Inserita);
        QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(leggiFile(fileAnno()), codificaScheda(m_c->schedaCorrente())); // stored as it stands
        ArchivioContratti a(fileAnno());
        a.apri();
        QCOMPARE(a.leggi(1).*(campoScheda<TSchedaContratto>(campo.mid(3))->membro), valore);
    } else {
        QCOMPARE(m_servizi->testi().size(), 1);
        QVERIFY(!QFile::exists(fileAnno()));
        QCOMPARE(m_c->lblPosizione->text(), QString());
        QCOMPARE(m_c->findChild<QLineEdit *>(campo)->text(), valore);
    }
}

void TestContratti::unaDomandaPerTutteLeDate()
{
    compila();
    m_c->txtDataStipula->setText(QStringLiteral("02/01/2018"));
    m_c->txtDataFine->setText(QStringLiteral("01/01/2017"));
    m_c->txtDataNasc->setText(QStringLiteral("10/10/2010"));
    m_servizi->rispondi(false);
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{QStringLiteral(
                 "Attenzione: alcune date sembrano errate:\r\n"
                 "\r\n- la data di scadenza 01/01/2017 precede la data di decorrenza 01/04/2017;"
                 "\r\n- la data di stipula 02/01/2018 non è dell'anno 2017 dell'archivio aperto: il contratto non "
                 "comparirà nelle statistiche né nel riepilogo del 2017;"
                 "\r\n- con la data di nascita del Dipendente 10/10/2010, alla stipula avrebbe meno di 14 anni."
                 "\r\n\r\nSalvare comunque il contratto in archivio?")});
    QVERIFY(!QFile::exists(fileAnno()));
}

// Codes pasted the way they are printed go in whole, without their blanks,
// dots and dashes; other fields take pasted lines as one.
void TestContratti::codiciIncollati_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("info");
    const QString separatori = QStringLiteral("Gli spazi, i punti e i trattini non fanno parte del codice: sono stati tolti.");
    QTest::newRow("IBAN stampato") << "txtIban" << "IT60 X054 2811 1010 0000 0123 456"
                                   << "IT60X0542811101000000123456" << separatori;
    QTest::newRow("codice fiscale") << "txtCodFisc" << "rss-mra.80a01 h501u" << "RSSMRA80A01H501U" << separatori;
    QTest::newRow("codice fiscale del legale") << "txtCodFiscLeg" << "RSS MRA 80A01 H501U\n" << "RSSMRA80A01H501U"
                                               << separatori;
    QTest::newRow("partita IVA con IT") << "txtIvaDitta" << "IT 012.345-678 90" << "01234567890"
                                        << "Il prefisso IT (la sigla dell'Italia) non fa parte della partita IVA: è "
                                           "stato tolto, restano le 11 cifre.";
    QTest::newRow("motivo da un foglio") << "txtMotivo" << "Fine\tlavori\r\nanticipata" << "Fine lavori anticipata"
                                         << "Le tabulazioni e gli a capo del testo incollato sono diventati spazi.";
}

void TestContratti::codiciIncollati()
{
    QFETCH(QString, campo);
    QFETCH(QString, incollato);
    QFETCH(QString, atteso);
    QFETCH(QString, info);
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    QLineEdit *e = m_c->findChild<QLineEdit *>(campo);
    e->setFocus();
    QGuiApplication::clipboard()->setText(incollato);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), atteso);
    QCOMPARE(m_c->panInfo->text(), info);
}

void TestContratti::importoConIPunti()
{
    // Saved while the fee field still has the focus: the thousands dots never reach the card.
    compila();
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    m_c->txtStipendio->setFocus();
    m_c->txtStipendio->selectAll();
    QTest::keyClicks(m_c->txtStipendio, QStringLiteral("1.234.567,89"));
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{Inserita});
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.234.567,89"));
    QCOMPARE(leggiFile(fileAnno()).mid(1114, 11), QByteArray("\x0A" "1234567,89"));
    // Shown the same way once read back, also an amount the card holds unformatted.
    m_c->txtNote->setText(QStringLiteral("x")); // not saved: asked about, and left
    m_servizi->scegli(ConNonSalvare);
    TSchedaContratto vecchia = contratto(2);
    vecchia.Stipendio = QStringLiteral("2500");
    {
        ArchivioContratti a(fileAnno());
        a.apri();
        a.accoda(vecchia);
    }
    m_c->cmdPrimoClick();
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.234.567,89"));
    m_c->cmdUltimoClick();
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("2.500,00"));
    QVERIFY(!m_c->schedaModificata());
    // An amount too long for the card's field is refused, never cut.
    m_servizi->azzera();
    m_c->txtStipendio->setFocus();
    m_c->txtStipendio->selectAll();
    QTest::keyClicks(m_c->txtStipendio, QStringLiteral("1.234.567.890,12"));
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{QStringLiteral("Attenzione: l'importo 1.234.567.890,12 è troppo grande per l'archivio, che ne "
                                        "tiene al più 12 caratteri senza i punti delle migliaia.\r\n\r\nLa scheda "
                                        "non è stata salvata.")});
    {
        ArchivioContratti a(fileAnno());
        a.apri();
        QCOMPARE(a.leggi(2).Stipendio, QStringLiteral("2500"));
    }

    // A dot that does not separate the thousands is not an amount: nothing is written.
    m_servizi->azzera();
    m_c->txtStipendio->selectAll();
    QTest::keyClicks(m_c->txtStipendio, QStringLiteral("1250.50"));
    const QByteArray prima = leggiFile(fileAnno());
    m_c->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{QStringLiteral("Attenzione: l'importo \"1250.50\" non è chiaro: il punto separa le migliaia "
                                        "(1.250,50), i decimali vanno dopo la virgola."
                                        "\r\n\r\nLa scheda non è stata salvata.")});
    QCOMPARE(leggiFile(fileAnno()), prima);
    QVERIFY(m_c->txtStipendio->hasFocus());
    QVERIFY(rifiutoSegnato(m_c->txtStipendio));
}

// Another copy of the program saves contract 2 (its notes) while this screen
// shows it; the user here changes the telephone number and presses Salva.
void TestContratti::schedaCambiataDaUnAltraCopia_data()
{
    righeSchedaCambiata();
}

void TestContratti::schedaCambiataDaUnAltraCopia()
{
    QFETCH(bool, altraCopia);
    QFETCH(int, risposta);
    riempi(3, contrattoRossi);
    verificaSchedaCambiata(m_c, *m_servizi, fileAnno(), contrattoRossi(2), m_c->txtRecapito,
                           &TSchedaContratto::Recapito, QStringLiteral("051 765432"), altraCopia, risposta);
}

// A year file on a folder that can only be read: the contracts are browsed,
// shown and listed, the info line says why nothing can be saved, and Salva
// and Duplica say so and write nothing.
void TestContratti::archivioInSolaLettura()
{
    riempi(3, contrattoRossi);
    const QByteArray prima = leggiFile(fileAnno());
    const QStringList cartella = contenuto(m_dir->path());
    guasti::negaScrittura(true);
    verificaSolaLettura(m_c, *m_servizi, m_c->txtDataStipula, QStringLiteral("02/02/2017"),
                        QStringLiteral("/tmp/firmato2.pdf"), [this] { compila(); });
    if (QTest::currentTestFailed())
        return;

    // The list of valid contracts shows the three.
    int righe = -1;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *w = qobject_cast<TfrmValidi *>(d);
        w->show();
        righe = w->lstRecords->count();
        return 0;
    });
    m_c->btnValidiClick();
    QCOMPARE(righe, 3);
    QCOMPARE(leggiFile(fileAnno()), prima);
    QCOMPARE(contenuto(m_dir->path()), cartella);
}

void TestContratti::cartellaSenzaArchivioInSolaLettura()
{
    guasti::negaScrittura(true);
    verificaCartellaSenzaArchivio(m_c, *m_servizi, fileAnno(), [this] { m_c->mostra(); },
                                  [this] { compila(); });
}

// The year file vanished while its contract was on the screen (moved or
// deleted by hand): Salva asks before making it again; No creates nothing.
void TestContratti::archivioScomparso_data()
{
    righeArchivioScomparso();
}

void TestContratti::archivioScomparso()
{
    QFETCH(bool, si);
    riempi(3, contrattoRossi);
    verificaArchivioScomparso(m_c, *m_servizi, fileAnno(), si);
}

// Leaving a changed contract asks whether to save it, whichever way it is
// left; an unchanged one is left without a word.
void TestContratti::lasciaScheda_data()
{
    righeLasciaScheda();
}

void TestContratti::lasciaScheda()
{
    QFETCH(QString, modo);
    QFETCH(int, risposta);
    riempi(3, contrattoRossi);
    verificaLasciaScheda<TfrmContratti, TSchedaContratto>(m_c, *m_servizi, fileAnno(), modo, risposta);
}

// What makes a card changed: on a new card, what the user typed, not the
// date of today nor the remembered company block (kept by Nuovo and stored
// when the screen is left); on a stored card any field, the company block
// and the box included, but not an amount the field only normalised.
void TestContratti::cosaContaComeModifica()
{
    QVERIFY(!m_c->schedaModificata());
    m_c->txtNomeDitta->setText(QStringLiteral("Nuova Ditta Srl"));
    m_c->txtLegale->setText(QStringLiteral("Neri Anna"));
    QVERIFY(!m_c->schedaModificata());
    m_c->btnNuovoClick();
    QVERIFY(m_servizi->messaggi.isEmpty());
    QCOMPARE(m_c->txtNomeDitta->text(), QStringLiteral("Nuova Ditta Srl"));
    m_c->txtDataStipula->setText(QStringLiteral("14/03/2017"));
    QVERIFY(m_c->schedaModificata());
    m_servizi->scegli(ConNonSalvare);
    m_c->btnNuovoClick();
    QCOMPARE(m_servizi->testi(), QStringList{SchedaModificata});
    QCOMPARE(m_c->txtDataStipula->text(), QStringLiteral("15/03/2017"));

    riempi(2);
    m_c->cmdPrimoClick();
    QVERIFY(!m_c->schedaModificata());
    m_c->txtNomeDitta->setText(QStringLiteral("Altra Ditta"));
    QVERIFY(m_c->schedaModificata());
    m_c->txtNomeDitta->setText(QStringLiteral("Ditta 1 ")); // a blank at the end is no change
    QVERIFY(!m_c->schedaModificata());
    m_c->chkRescisso->setChecked(true);
    QVERIFY(m_c->schedaModificata());
    m_c->chkRescisso->setChecked(false);

    // The fee stored as "1200,5" shows as "1.200,50", and stays so once its field is left.
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.200,50"));
    QApplication::setActiveWindow(m_c);
    QVERIFY(QTest::qWaitForWindowActive(m_c));
    m_c->txtStipendio->setFocus();
    m_c->txtIban->setFocus();
    QCOMPARE(m_c->txtStipendio->text(), QStringLiteral("1.200,50"));
    QCOMPARE(m_c->schedaCorrente().Stipendio, QStringLiteral("1200,5")); // an unchanged amount keeps its bytes
    QVERIFY(!m_c->schedaModificata());
    m_c->txtStipendio->setText(QStringLiteral("1200,51"));
    QVERIFY(m_c->schedaModificata());
    m_c->txtStipendio->setText(QStringLiteral("1.200,5x"));
    QVERIFY(m_c->schedaModificata());
}

// A contract opened from a list no longer says the screen is ready for a new one.
void TestContratti::infoDellaSchedaAperta()
{
    riempi(3);
    QCOMPARE(m_c->panInfo->text(), TfrmContratti::InfoIniziale);
    m_servizi->quandoDialogo([](QDialog *d) {
        auto *validi = qobject_cast<TfrmValidi *>(d);
        validi->FormShow();
        validi->lstRecords->setCurrentRow(1);
        emit validi->lstRecords->doppioClic();
        return 0;
    });
    m_c->btnValidiClick();
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(m_c->panInfo->text(), QString());
}

void TestContratti::versioniPrecedenti()
{
    riempi(3, contrattoRossi);
    verificaVersioniPrecedenti<TfrmContratti, TSchedaContratto>(m_c, *m_servizi, fileAnno());
}

// The screen, still showing card 5 of 2017, is handed 2016 (as the contract
// menu and the main menu's band hand a year over): Salva never writes card 5
// of 2016, which does not exist, nor any other card of it, and 2017 stays as
// it was; the fields are kept and go to 2016 as a new card.
void TestContratti::altroAnnoConLaSchedaAperta()
{
    riempi(5, contrattoRossi);
    const QString anno2016 = cartellaProgramma().archivioContratti(2016);
    QVERIFY(scriviFile(anno2016, codificaScheda(contratto(1)) + codificaScheda(contratto(2))));
    const QByteArray prima2016 = leggiFile(anno2016), prima2017 = leggiFile(fileAnno());
    m_c->cmdUltimoClick();
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("5"));
    m_c->txtNote->setText(QStringLiteral("scritta prima del cambio d'anno"));

    m_c->impostaAnno(anno2016, QStringLiteral("2016"));
    QCOMPARE(m_c->lblPosizione->text(), QString());
    QCOMPARE(m_c->txtNote->text(), QStringLiteral("scritta prima del cambio d'anno"));
    m_servizi->azzera();
    m_c->btnSalvaClick();
    // Its date of 2017 in the archive of 2016 is asked about, as for any card.
    QCOMPARE(m_servizi->testi().size(), 2);
    QVERIFY(m_servizi->testi().at(0).contains(QStringLiteral("non è dell'anno 2016 dell'archivio aperto")));
    QCOMPARE(m_servizi->testi().at(1), Inserita);
    QCOMPARE(leggiFile(fileAnno()), prima2017);
    QCOMPARE(leggiFile(anno2016), prima2016 + codificaScheda(m_c->schedaCorrente()));
    QCOMPARE(m_c->schedaCorrente().Note, QStringLiteral("scritta prima del cambio d'anno"));
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("3"));

    // The same year handed again keeps the card where it is.
    m_c->impostaAnno(anno2016, QStringLiteral("2016"));
    QCOMPARE(m_c->lblPosizione->text(), QStringLiteral("3"));
}

QTEST_MAIN(TestContratti)
#include "tst_frmcontratti.moc"
