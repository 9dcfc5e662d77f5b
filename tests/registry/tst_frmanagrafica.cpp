#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>

#include "app/frmavvio.h"
#include "core/codicefiscale.h"
#include "ui/schermi.h"
#include "registry/foto.h"
#include "registry/frmallegaexcel.h"
#include "ui/frmallegati.h"
#include "registry/frmanagrafica.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "support/schedeincomune.h"
#include "support/serviziprova.h"
#include "support/fileprova.h"

using namespace qv;

using namespace qv::prova;

namespace {

const QString Vuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");

TSchedaDipendente scheda(int n)
{
    TSchedaDipendente s;
    s.Dipendente = QStringLiteral("Dipendente %1").arg(n);
    s.Stipendio = QStringLiteral("1250,00");
    // Each card its own code (Rossi Mario, born on 1 + n January 1980): the
    // same code on two cards is asked about.
    s.CodFisc = CalcolaCodiceFiscale({QStringLiteral("Rossi"), QStringLiteral("Mario"), u'M', QDate(1980, 1, 1 + n),
                                      QStringLiteral("H501")});
    s.DataSca = QStringLiteral("31/12/2017");
    s.Preavviso = QStringLiteral("30");
    s.File01 = QStringLiteral("/tmp/contratto%1.pdf").arg(n);
    s.Desc01 = QStringLiteral("Contratto firmato");
    return s;
}

// The same card with a name its codice fiscale matches: saved without questions.
TSchedaDipendente schedaRossi(int n)
{
    TSchedaDipendente s = scheda(n);
    s.Dipendente = QStringLiteral("Rossi Mario");
    return s;
}

// Cards that all hold the code of the card compila() fills in.
TSchedaDipendente schedaStessoCodice(int n)
{
    TSchedaDipendente s = schedaRossi(n);
    s.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    return s;
}

} // namespace

class TestAnagrafica : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void navigazione_data();
    void navigazione();
    void salvaNuovaEPoiSovrascrive();
    void duplica();
    void controlliDelSalvataggio_data();
    void controlliDelSalvataggio();
    void dateDigitate_data();
    void dateDigitate();
    void scadenzaDigitataDiSeguito();
    void archivioInaccessibile();
    void fotoMancanteEPoiSalvata();
    void allegati();
    void foglioDiLavoro();
    void chiusuraTornaAlMenu();
    void domandeSulleDate_data();
    void domandeSulleDate();
    void codiceFiscaleImpossibile_data();
    void codiceFiscaleImpossibile();
    void codiceFiscaleDiUnAltraScheda();
    void codiciIncollati_data();
    void codiciIncollati();
    void schedaCambiataDaUnAltraCopia_data();
    void schedaCambiataDaUnAltraCopia();
    void archivioInSolaLettura();
    void cartellaSenzaArchivioInSolaLettura();
    void archivioScomparso_data();
    void archivioScomparso();
    void lasciaScheda_data();
    void lasciaScheda();
    void schedaNuovaEFotoCambiate();
    void infoDellaSchedaAperta();
    void versioniPrecedenti();

private:
    void riempiArchivio(int quante, TSchedaDipendente (*crea)(int) = scheda);
    void compila();

    ServiziProva *m_servizi = nullptr;
    QTemporaryDir *m_dir = nullptr;
    TfrmAnagrafica *m_a = nullptr;
};

void TestAnagrafica::init()
{
    m_servizi = new ServiziProva;
    m_dir = new QTemporaryDir;
    impostaCartellaProgramma(m_dir->path());
    Schermi::creaTutti();
    m_a = Schermi::di<TfrmAnagrafica>();
    m_a->mostra();
}

void TestAnagrafica::cleanup()
{
    guasti::negaScrittura(false);
    Schermi::distruggiTutti();
    delete m_dir;
    delete m_servizi;
}

void TestAnagrafica::riempiArchivio(int quante, TSchedaDipendente (*crea)(int))
{
    ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
    a.apri();
    for (int i = 1; i <= quante; ++i)
        a.accoda(crea(i));
}

void TestAnagrafica::compila()
{
    m_a->txtDipendente->setText(QStringLiteral("  Rossi Mario "));
    m_a->txtCodFisc->setText(QStringLiteral("RSSMRA80A01H501U"));
    m_a->txtDataSca->setText(QStringLiteral("29/02/2016"));
}

void TestAnagrafica::navigazione_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<QString>("posizione"); // before the click
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("dopo");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("vuoto, primo") << 0 << "" << "cmdPrimo" << "" << Vuoto;
    QTest::newRow("vuoto, ultimo") << 0 << "" << "cmdUltimo" << "" << Vuoto;
    QTest::newRow("vuoto, avanti") << 0 << "" << "cmdAvanti" << "" << Vuoto;
    QTest::newRow("vuoto, indietro") << 0 << "" << "cmdIndietro" << "" << Vuoto;
    QTest::newRow("nuova, avanti") << 3 << "" << "cmdAvanti" << "1" << "";
    QTest::newRow("nuova, indietro") << 3 << "" << "cmdIndietro" << "1" << "";
    QTest::newRow("primo") << 3 << "2" << "cmdPrimo" << "1" << "";
    QTest::newRow("ultimo") << 3 << "" << "cmdUltimo" << "3" << "";
    QTest::newRow("avanti") << 3 << "1" << "cmdAvanti" << "2" << "";
    QTest::newRow("indietro") << 3 << "3" << "cmdIndietro" << "2" << "";
    QTest::newRow("avanti sull'ultima") << 3 << "3" << "cmdAvanti" << "3" << "";
    QTest::newRow("indietro sulla prima") << 3 << "1" << "cmdIndietro" << "1" << "";
}

void TestAnagrafica::navigazione()
{
    QFETCH(int, schede);
    QFETCH(QString, posizione);
    QFETCH(QString, pulsante);
    QFETCH(QString, dopo);
    QFETCH(QString, messaggio);
    riempiArchivio(schede);
    if (!posizione.isEmpty())
        m_a->caricaScheda(scheda(posizione.toInt()), posizione.toInt());
    // The changed notes are asked about only when the arrow leads to a card.
    m_a->txtNote->setText(QStringLiteral("non salvata"));
    m_servizi->scegli(ConNonSalvare);
    QTest::mouseClick(m_a->findChild<Figura *>(pulsante), Qt::LeftButton);

    QCOMPARE(m_a->lblPosizione->text(), dopo);
    QStringList attesi;
    if (dopo != posizione && !dopo.isEmpty())
        attesi << SchedaModificata;
    if (!messaggio.isEmpty())
        attesi << messaggio;
    QCOMPARE(m_servizi->testi(), attesi);
    // Browsing creates the archive when it is missing.
    QVERIFY(QFile::exists(cartellaProgramma().archivioDipendenti()));
    if (dopo != posizione && !dopo.isEmpty()) {
        QCOMPARE(m_a->txtDipendente->text(), QStringLiteral("Dipendente ") + dopo);
        QCOMPARE(m_a->lblFile01->text(), QStringLiteral("/tmp/contratto%1.pdf").arg(dopo));
        QCOMPARE(m_a->txtNote->text(), QString());
    } else {
        QCOMPARE(m_a->txtNote->text(), QStringLiteral("non salvata")); // nothing happened
    }
}

void TestAnagrafica::salvaNuovaEPoiSovrascrive()
{
    QCOMPARE(m_a->txtStipendio->text(), QStringLiteral("0,00"));
    QCOMPARE(m_a->txtPreavviso->text(), QStringLiteral("0"));
    compila();
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{Inserita});
    QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("1"));
    const QByteArray b = leggiFile(cartellaProgramma().archivioDipendenti());
    QCOMPARE(b.size(), 2666);
    QCOMPARE(b.left(12), QByteArray("\x0BRossi Mario"));
    QCOMPARE(b.mid(1043, 11), QByteArray("\x0A" "29/02/2016"));
    QVERIFY(!QFile::exists(cartellaProgramma().foto(1))); // no photo, no file

    // The salary typed with or without the thousands dots is shown with
    // them and stored without them, as the record field holds amounts.
    QApplication::setActiveWindow(m_a);
    QVERIFY(QTest::qWaitForWindowActive(m_a));
    for (const char *digitato : {"1234567,89", "1.234.567,89"}) {
        m_servizi->azzera();
        m_a->txtStipendio->setFocus();
        m_a->txtStipendio->selectAll();
        QTest::keyClicks(m_a->txtStipendio, QString::fromLatin1(digitato));
        QTest::keyClick(m_a->txtStipendio, Qt::Key_Tab);
        QCOMPARE(m_a->txtStipendio->text(), QStringLiteral("1.234.567,89"));
        m_a->btnSalvaClick();
        QCOMPARE(leggiFile(cartellaProgramma().archivioDipendenti()).mid(102, 11), QByteArray("\x0A" "1234567,89"));
    }

    m_servizi->azzera();
    m_a->txtNote->setText(QStringLiteral("seconda volta"));
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{Salvata});
    QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("1"));
    ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
    a.apri();
    QCOMPARE(a.conta(), 1);
    QCOMPARE(a.leggi(1).Note, QStringLiteral("seconda volta"));
}

void TestAnagrafica::duplica()
{
    m_a->btnDuplicaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{"Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata "
                         "inserita in archivio."});

    riempiArchivio(8);
    const QByteArray prima = leggiFile(cartellaProgramma().archivioDipendenti());
    m_a->caricaScheda(scheda(7), 7);
    m_servizi->azzera();
    m_a->btnDuplicaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                         "premere Salva per inserire la scheda in archivio."});
    QCOMPARE(m_a->lblPosizione->text(), QString());
    QCOMPARE(m_a->lblFile01->text(), QString());
    QCOMPARE(m_a->lblDesc01->text(), QString());
    QCOMPARE(m_a->txtDipendente->text(), QStringLiteral("Dipendente 7"));

    m_a->btnSalvaClick();
    QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("9"));
    const QByteArray dopo = leggiFile(cartellaProgramma().archivioDipendenti());
    QCOMPARE(dopo.left(prima.size()), prima); // card 7 and every other card untouched
    TSchedaDipendente attesa = scheda(7);
    attesa.File01.clear();
    attesa.Desc01.clear();
    QCOMPARE(dopo.mid(8 * 2666), codificaScheda(attesa));
}

void TestAnagrafica::controlliDelSalvataggio_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<bool>("semplice");
    QTest::newRow("nome") << "txtDipendente" << "   "
                          << "Attenzione: per salvare la scheda è necessario indicare cognome e nome del Dipendente." << false;
    QTest::newRow("stipendio") << "txtStipendio" << " "
                               << "Attenzione: per salvare la scheda è necessario indicare l'importo dello stipendio." << false;
    QTest::newRow("codice fiscale") << "txtCodFisc" << ""
                                    << "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del Dipendente." << false;
    QTest::newRow("scadenza") << "txtDataSca" << ""
                              << "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del contratto." << false;
    QTest::newRow("data inesistente") << "txtDataSca" << "31/02/2017"
                                      << "Attenzione: la data di scadenza 31/02/2017 non esiste.\n\r\n\rPer poter salvare "
                                         "la scheda è necessario indicare una data valida nel formato gg/mm/aaaa." << true;
    QTest::newRow("preavviso") << "txtPreavviso" << ""
                               << "Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso." << false;
}

void TestAnagrafica::controlliDelSalvataggio()
{
    QFETCH(QString, campo);
    QFETCH(QString, valore);
    QFETCH(QString, messaggio);
    QFETCH(bool, semplice);
    QApplication::setActiveWindow(m_a);
    QVERIFY(QTest::qWaitForWindowActive(m_a));
    compila();
    auto *e = m_a->findChild<QLineEdit *>(campo);
    e->setText(valore);
    // A later check never runs before an earlier one fails.
    if (campo != QLatin1String("txtPreavviso"))
        m_a->txtPreavviso->clear();
    m_a->txtNote->setFocus();
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{messaggio});
    QCOMPARE(m_servizi->messaggi.constFirst().genere,
             semplice ? MessaggioMostrato::Genere::Semplice : MessaggioMostrato::Genere::Avviso);
    QVERIFY(e->hasFocus());
    QVERIFY(!QFile::exists(cartellaProgramma().archivioDipendenti()));
}

// The expiry date and the birth date typed as people type them, then Salva
// clicked at once (the field still has the focus): the card holds the date as
// "dd/mm/yyyy"; a day that does not exist is refused, naming the field,
// marked, and nothing is written.
void TestAnagrafica::dateDigitate_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("salvato"); // empty: refused
    const char *sca = "txtDataSca", *nasc = "txtDataNasc";
    QTest::newRow("otto cifre") << sca << "21122026" << "21/12/2026";
    QTest::newRow("barre") << sca << "21/12/2026" << "21/12/2026";
    QTest::newRow("trattini, anno corto") << sca << "21-12-26" << "21/12/2026";
    QTest::newRow("punti") << sca << "21.12.2026" << "21/12/2026";
    QTest::newRow("cifre singole") << sca << "1/2/2026" << "01/02/2026";
    QTest::newRow("31 febbraio") << sca << "31/02/2026" << "";
    QTest::newRow("giorno 32") << sca << "32/01/2026" << "";
    QTest::newRow("senza anno") << sca << "21/12" << "";
    QTest::newRow("nascita, cifre singole, anno corto") << nasc << "1/2/85" << "01/02/1985";
    QTest::newRow("nascita, otto cifre") << nasc << "01021985" << "01/02/1985";
    QTest::newRow("nascita, sei cifre") << nasc << "150385" << "15/03/1985";
    QTest::newRow("nascita, 31 febbraio") << nasc << "31/02/2024" << "";
    QTest::newRow("nascita, 29 febbraio non bisestile") << nasc << "29/02/2023" << "";
    QTest::newRow("nascita, mese 13") << nasc << "12/13/2024" << "";
    QTest::newRow("nascita, zeri") << nasc << "0/0/0" << "";
}

void TestAnagrafica::dateDigitate()
{
    QFETCH(QString, campo);
    QFETCH(QString, digitato);
    QFETCH(QString, salvato);
    QApplication::setActiveWindow(m_a);
    QVERIFY(QTest::qWaitForWindowActive(m_a));
    compila();
    auto *e = m_a->findChild<QLineEdit *>(campo);
    e->clear();
    // Reached with Enter from the field before it, as on the keyboard.
    QLineEdit *prima = e == m_a->txtDataSca ? m_a->txtNote : m_a->txtLuogo;
    prima->setFocus();
    QTest::keyClick(prima, Qt::Key_Return);
    QVERIFY(e->hasFocus());
    QTest::keyClicks(e, digitato);
    QTest::mouseClick(m_a->btnSalva, Qt::LeftButton);
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    const QString quale = e == m_a->txtDataSca ? QStringLiteral("la data di scadenza ")
                                               : QStringLiteral("la data di nascita del Dipendente ");
    if (salvato.isEmpty()) {
        QCOMPARE(m_servizi->testi(),
                 QStringList{QStringLiteral("Attenzione: ") + quale + digitato
                             + QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                                              "indicare una data valida nel formato gg/mm/aaaa.")});
        QCOMPARE(e->text(), digitato);
        QVERIFY(rifiutoSegnato(e));
        QVERIFY(e->hasFocus());
        QVERIFY(!QFile::exists(cartellaProgramma().archivioDipendenti()));
        return;
    }
    // A birth date other than the code's (Rossi Mario's of 1980) is asked about; Sì.
    QCOMPARE(m_servizi->testi().constLast(), Inserita);
    QCOMPARE(e->text(), salvato);
    ArchivioDipendenti a(cartellaProgramma().archivioDipendenti());
    a.apri();
    const TSchedaDipendente letta = a.leggi(1);
    QCOMPARE(e == m_a->txtDataSca ? letta.DataSca : letta.DataNasc, salvato);
}

void TestAnagrafica::scadenzaDigitataDiSeguito()
{
    // Typed on without a pause, from the notes to the notice period: every
    // key lands in its field, as the keyboard sends it to the focus.
    QApplication::setActiveWindow(m_a);
    QVERIFY(QTest::qWaitForWindowActive(m_a));
    m_a->txtNote->setFocus();
    for (const char *tasti : {"nota", "\n", "3.4.27", "\n", "15"}) {
        QWidget *w = QApplication::focusWidget();
        if (*tasti == '\n')
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::keyClicks(w, QString::fromLatin1(tasti));
    }
    QCOMPARE(m_a->txtNote->text(), QStringLiteral("nota"));
    QCOMPARE(m_a->txtDataSca->text(), QStringLiteral("03/04/2027"));
    QCOMPARE(m_a->txtPreavviso->text(), QStringLiteral("15"));
}

void TestAnagrafica::archivioInaccessibile()
{
    // A folder in the archive's place: it exists but cannot be opened as a file.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Dipendenti.pro")));
    compila();
    m_a->btnSalvaClick();
    m_a->cmdPrimoClick();
    const QString atteso = QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i privilegi "
        "di scrittura nella cartella di installazione del programma.");
    QCOMPARE(m_servizi->testi(), (QStringList{atteso, atteso}));
    QCOMPARE(m_servizi->messaggi.constFirst().genere, MessaggioMostrato::Genere::Errore);
    QCOMPARE(m_a->txtDipendente->text(), QStringLiteral("  Rossi Mario "));
    QCOMPARE(m_a->lblPosizione->text(), QString());
    QVERIFY(QFileInfo(cartellaProgramma().archivioDipendenti()).isDir());
}

void TestAnagrafica::fotoMancanteEPoiSalvata()
{
    riempiArchivio(2);
    QImage rossa(40, 30, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    QVERIFY(rossa.save(cartellaProgramma().foto(1), "JPG", 95));
    const QByteArray jpeg = leggiFile(cartellaProgramma().foto(1));
    m_a->cmdPrimoClick();
    QVERIFY(m_a->foto->imgFoto->immagine().pixelColor(20, 15).red() > 200);
    QVERIFY(!m_a->foto->cambiata());
    // Saved with another note, card 1 keeps its photo file byte for byte.
    m_a->txtNote->setText(QStringLiteral("altra nota"));
    m_a->btnSalvaClick();
    QCOMPARE(leggiFile(cartellaProgramma().foto(1)), jpeg);
    // Card 2 has no photo: the placeholder shows, and saving writes no 2.jpg.
    m_a->cmdAvantiClick();
    QCOMPARE(m_a->foto->imgFoto->immagine(), m_a->foto->imgBianco->immagine());
    m_a->btnSalvaClick();
    QVERIFY(!QFile::exists(cartellaProgramma().foto(2)));
    // Clearing the photo of card 1 and saving removes its file.
    m_a->cmdPrimoClick();
    m_a->foto->btnCancFotoClick();
    QVERIFY(m_a->foto->cambiata());
    m_a->btnSalvaClick();
    QVERIFY(!QFile::exists(cartellaProgramma().foto(1)));
    // The duplicate of a card with a photo starts without one; saved, it gets no file.
    QVERIFY(rossa.save(cartellaProgramma().foto(2), "JPG", 95));
    m_a->cmdUltimoClick();
    QVERIFY(m_a->foto->foto().pixelColor(20, 15).red() > 200);
    m_a->btnDuplicaClick();
    QCOMPARE(m_a->foto->foto(), QImage());
    QVERIFY(!m_a->foto->cambiata());
    m_a->btnSalvaClick();
    QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("3"));
    QVERIFY(!QFile::exists(cartellaProgramma().foto(3)));
    QCOMPARE(leggiFile(cartellaProgramma().foto(2)), jpeg);
    // So does a new card.
    m_a->btnNuovoClick();
    QVERIFY(!m_a->foto->cambiata());
    QCOMPARE(m_a->foto->foto(), QImage());
}

void TestAnagrafica::allegati()
{
    riempiArchivio(1);
    m_a->cmdPrimoClick();
    // Annulla changes nothing.
    m_servizi->quandoDialogo([](QDialog *d) {
        auto *dlg = qobject_cast<TfrmAllegaCartella *>(d);
        dlg->txtDesc02->setText(QStringLiteral("mai applicata"));
        dlg->btnAnnulla->click();
        return 0;
    });
    m_a->btnAllegatiClick();
    QCOMPARE(m_a->lblDesc02->text(), QString());

    // The dialog gets the card's slots, and what it applies comes back through save and reload.
    QString token, ricevuto;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *dlg = qobject_cast<TfrmAllegaCartella *>(d);
        token = dlg->lblMemory->text();
        ricevuto = dlg->txtFile01->text();
        dlg->txtFile02->setText(QStringLiteral("/tmp/foglio.ods"));
        dlg->txtDesc02->setText(QStringLiteral("  Presenze  "));
        dlg->btnApplica->click();
        return 1;
    });
    m_a->btnAllegatiClick();
    QCOMPARE(token, QStringLiteral("anagrafica"));
    QCOMPARE(ricevuto, QStringLiteral("/tmp/contratto1.pdf"));
    QCOMPARE(m_a->lblDesc02->text(), QStringLiteral("Presenze"));
    m_a->btnSalvaClick();
    m_a->btnNuovoClick();
    QCOMPARE(m_a->lblFile02->text(), QString());
    m_a->cmdPrimoClick();
    QCOMPARE(m_a->lblFile02->text(), QStringLiteral("/tmp/foglio.ods"));
    QCOMPARE(m_a->lblDesc02->text(), QStringLiteral("Presenze"));
    QCOMPARE(m_a->lblFile01->text(), QStringLiteral("/tmp/contratto1.pdf"));
}

void TestAnagrafica::foglioDiLavoro()
{
    m_a->btnLavoriClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{"Attenzione: l'abbinamento di un foglio di Excel ad un Dipendente può avvenire soltanto "
                         "dopo che la sua scheda è stata inserita in archivio."});
    QVERIFY(m_servizi->dialoghiEseguiti.isEmpty());
    riempiArchivio(3);
    m_a->cmdUltimoClick();
    QString token;
    m_servizi->quandoDialogo([&](QDialog *d) {
        token = qobject_cast<TfrmAllegaExcel *>(d)->lblMemory->text();
        return 0;
    });
    m_a->btnLavoriClick();
    QCOMPARE(token, QStringLiteral("3"));
    // The export button opens the export screen.
    QTest::mouseClick(m_a->btnEsporta, Qt::LeftButton);
    QString tokenTrova;
    m_servizi->quandoDialogo([&](QDialog *d) {
        tokenTrova = qobject_cast<TfrmTrovaAnagrafica *>(d)->lblMemory->text();
        return 0;
    });
    QTest::mouseClick(m_a->btnTrova, Qt::LeftButton);
    QCOMPARE(tokenTrova, QStringLiteral("anagrafica"));
    QTest::mouseClick(m_a->btnAnteprima, Qt::LeftButton);
    QTest::mouseClick(m_a->btnStampa, Qt::LeftButton);
    QTest::mouseClick(m_a->btnScadenze, Qt::LeftButton);
    QTest::mouseClick(m_a->btnScaduti, Qt::LeftButton);
    QCOMPARE(m_servizi->dialoghiEseguiti.mid(1),
             (QStringList{"TfrmExpAnagrafica", "TfrmTrovaAnagrafica", "TfrmAnteprimaAna", "TfrmStampaAna",
                          "TfrmSospesi", "TfrmScadute"}));
}

void TestAnagrafica::chiusuraTornaAlMenu()
{
    m_a->txtDipendente->setText(QStringLiteral("qualcosa"));
    m_servizi->scegli(ConNonSalvare);
    m_a->close();
    QCOMPARE(m_servizi->testi(), QStringList{SchedaModificata});
    QVERIFY(!m_a->isVisible());
    QVERIFY(Schermi::di<TfrmAvvio>()->isVisible());
    // Shown again, it starts with a new empty card.
    Schermi::di<TfrmAvvio>()->imgAnagraficaClick();
    QVERIFY(m_a->isVisible());
    QCOMPARE(m_a->txtDipendente->text(), QString());
    // The e-mail button hands a mailto to the shell.
    m_a->txtEmail->setText(QStringLiteral(" mario@esempio.it "));
    m_a->btnEmailClick();
    QCOMPARE(m_servizi->aperti, QList<QUrl>{QUrl(QStringLiteral("mailto:mario@esempio.it"))});
}

// A birth date that cannot be right is asked about; No (the default) writes nothing.
void TestAnagrafica::domandeSulleDate_data()
{
    QTest::addColumn<QString>("nascita");
    QTest::addColumn<QString>("scadenza");
    QTest::addColumn<QString>("problema"); // empty: no question
    QTest::addColumn<bool>("si");
    for (bool si : {true, false}) {
        const QByteArray r = si ? ", sì" : ", no";
        QTest::newRow("nascita nel futuro" + r) << "16/03/2017" << "31/12/2017"
                                                << "la data di nascita del Dipendente 16/03/2017 è nel futuro" << si;
        QTest::newRow("meno di 14 anni" + r)
            << "01/01/2004" << "31/12/2017"
            << "con la data di nascita del Dipendente 01/01/2004, oggi avrebbe meno di 14 anni" << si;
        QTest::newRow("scadenza prima della nascita" + r)
            << "01/01/1960" << "31/12/1959" << "la scadenza del contratto 31/12/1959 precede la data di nascita 01/01/1960"
            << si;
    }
    QTest::newRow("nascita giusta") << "15/03/2003" << "31/12/2017" << "" << true;
    QTest::newRow("nascita vuota") << "" << "31/12/2017" << "" << true;
}

void TestAnagrafica::domandeSulleDate()
{
    QFETCH(QString, nascita);
    QFETCH(QString, scadenza);
    QFETCH(QString, problema);
    QFETCH(bool, si);
    compila();
    m_a->txtDataNasc->setText(nascita);
    m_a->txtDataSca->setText(scadenza);
    m_servizi->rispondi(si);
    m_a->btnSalvaClick();
    const QString archivio = cartellaProgramma().archivioDipendenti();
    if (!problema.isEmpty()) {
        QCOMPARE(m_servizi->testi().constFirst(),
                 QStringLiteral("Attenzione: una data sembra errata:\r\n\r\n- ") + problema
                     + QStringLiteral(".\r\n\r\nSalvare comunque la scheda in archivio?"));
        // With Sì the code is then held against the new birth date: every such
        // question has No as its default.
        QVERIFY(!m_servizi->siPredefiniti.contains(true));
    }
    if (si) {
        QCOMPARE(m_servizi->testi().constLast(), Inserita);
        QCOMPARE(leggiFile(archivio), codificaScheda(m_a->schedaCorrente()));
        QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("1"));
    } else {
        QCOMPARE(m_servizi->testi().size(), 1);
        QVERIFY(!QFile::exists(archivio));
        QCOMPARE(m_a->lblPosizione->text(), QString());
    }
}

// A code that cannot be a codice fiscale is put to the user, with the reason,
// like one that disagrees with the card: No writes nothing, Sì stores it.
void TestAnagrafica::codiceFiscaleImpossibile_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("troppo corto") << "BNCNNA85" << "ha 8 caratteri invece di 16";
    QTest::newRow("un nome") << "NERIPAOLA" << "ha 9 caratteri invece di 16";
    QTest::newRow("lettera al posto dell'anno") << "RSSMRAX0A01H501U" << "il 7° carattere, X, dovrebbe essere una cifra";
    QTest::newRow("cifra al posto del mese") << "RSSMRA8001H501UA" << "il 9° carattere, 0, dovrebbe essere una lettera";
    QTest::newRow("carattere di controllo")
        << "RSSMRA80A01H501A" << "l'ultimo carattere, quello di controllo, dovrebbe essere U e non A";
    QTest::newRow("sole cifre, non 11") << "1234567" << "un codice di sole cifre ne ha 11, questo ne ha 7";
    QTest::newRow("sole cifre, controllo") << "01234567891"
                                           << "l'ultima delle 11 cifre, quella di controllo, non è esatta";
}

void TestAnagrafica::codiceFiscaleImpossibile()
{
    QFETCH(QString, codice);
    QFETCH(QString, motivo);
    const QString archivio = cartellaProgramma().archivioDipendenti();
    for (bool si : {false, true}) {
        m_servizi->azzera();
        compila();
        m_a->txtCodFisc->setText(codice);
        m_servizi->rispondi(si);
        m_a->btnSalvaClick();
        QCOMPARE(m_servizi->testi().constFirst(),
                 QStringLiteral("Attenzione: il codice fiscale ") + codice
                     + QStringLiteral(" non è un codice fiscale possibile: ") + motivo
                     + QStringLiteral(".\r\n\r\nSi vuole salvare comunque la scheda?"));
        QCOMPARE(m_servizi->siPredefiniti, QList<bool>{false});
        if (!si) {
            QCOMPARE(m_servizi->testi().size(), 1);
            QVERIFY(!QFile::exists(archivio));
            QVERIFY(m_a->txtCodFisc->hasFocus() || !m_a->isActiveWindow());
        }
    }
    QCOMPARE(m_servizi->testi().constLast(), Inserita);
    ArchivioDipendenti a(archivio);
    a.apri();
    QCOMPARE(a.leggi(1).CodFisc, codice);
}

// The same valid code on another card is pointed out, naming that card; the
// user may go on. The card's own stored copy does not count.
void TestAnagrafica::codiceFiscaleDiUnAltraScheda()
{
    riempiArchivio(2, schedaStessoCodice);
    compila();
    m_servizi->rispondi(false);
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             QStringList{QStringLiteral("Attenzione: il codice fiscale RSSMRA80A01H501U è già nelle schede "
                                        "1 (Rossi Mario), 2 (Rossi Mario).\r\n\r\nSi vuole salvare comunque la scheda?")});
    QCOMPARE(leggiFile(cartellaProgramma().archivioDipendenti()).size(), 2 * 2666);

    // Card 2 shown and saved: only card 1 is named; Sì saves it.
    m_servizi->scegli(ConNonSalvare); // the new card is left unsaved
    m_a->cmdUltimoClick();
    m_servizi->azzera();
    m_a->txtNote->setText(QStringLiteral("nota"));
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(),
             (QStringList{QStringLiteral("Attenzione: il codice fiscale RSSMRA80A01H501U è già nella scheda 1 (Rossi "
                                         "Mario).\r\n\r\nSi vuole salvare comunque la scheda?"),
                          Salvata}));

    // Another code, on no other card: nothing is asked.
    m_servizi->azzera();
    m_a->txtDipendente->setText(QStringLiteral("Bianchi Anna"));
    m_a->txtCodFisc->setText(QStringLiteral("BNCNNA85M41A944B"));
    m_a->btnSalvaClick();
    QCOMPARE(m_servizi->testi(), QStringList{Salvata});
}

void TestAnagrafica::codiciIncollati_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("IBAN stampato") << "txtIban" << "it60 x054 2811 1010 0000 0123 456" << "IT60X0542811101000000123456";
    QTest::newRow("codice fiscale") << "txtCodFisc" << "RSS.MRA.80A01.H501U" << "RSSMRA80A01H501U";
    QTest::newRow("partita IVA con IT") << "txtPartitaIva" << "IT01234567890" << "01234567890";
    QTest::newRow("partita IVA a gruppi") << "txtPartitaIva" << "012 345 678 90" << "01234567890";
    QTest::newRow("note da un foglio") << "txtNote" << "prima riga\nseconda\triga" << "prima riga seconda riga";
}

void TestAnagrafica::codiciIncollati()
{
    QFETCH(QString, campo);
    QFETCH(QString, incollato);
    QFETCH(QString, atteso);
    QApplication::setActiveWindow(m_a);
    QVERIFY(QTest::qWaitForWindowActive(m_a));
    QLineEdit *e = m_a->findChild<QLineEdit *>(campo);
    e->setFocus();
    QGuiApplication::clipboard()->setText(incollato);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), atteso);
    QVERIFY(!m_a->panInfo->text().isEmpty()); // the info line says what was dropped
}

// Another copy of the program saves card 2 (its notes) while this screen
// shows it; the user here changes another field and presses Salva.
void TestAnagrafica::schedaCambiataDaUnAltraCopia_data()
{
    righeSchedaCambiata();
}

void TestAnagrafica::schedaCambiataDaUnAltraCopia()
{
    QFETCH(bool, altraCopia);
    QFETCH(int, risposta);
    riempiArchivio(3, schedaRossi);
    verificaSchedaCambiata(m_a, *m_servizi, cartellaProgramma().archivioDipendenti(), schedaRossi(2),
                           m_a->txtCittadinanza, &TSchedaDipendente::Cittadinanza, QStringLiteral("Italiana"),
                           altraCopia, risposta);
}

// A folder that can only be read: the cards are browsed and shown, the info
// line says why nothing can be saved, and Salva and Duplica say so and write nothing.
void TestAnagrafica::archivioInSolaLettura()
{
    const QString archivio = cartellaProgramma().archivioDipendenti();
    riempiArchivio(3, schedaRossi);
    const QByteArray prima = leggiFile(archivio);
    const QStringList cartella = contenuto(m_dir->path());
    guasti::negaScrittura(true);
    verificaSolaLettura(m_a, *m_servizi, m_a->txtDipendente, QStringLiteral("Rossi Mario"),
                        QStringLiteral("/tmp/contratto2.pdf"), [this] { compila(); });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(leggiFile(archivio), prima);
    QCOMPARE(contenuto(m_dir->path()), cartella); // no photo, no journal

    // The search lists every card, and has nothing to say.
    m_servizi->azzera();
    int righe = -1;
    m_servizi->quandoDialogo([&](QDialog *d) {
        auto *dlg = qobject_cast<TfrmTrovaAnagrafica *>(d);
        dlg->btnCercaClick();
        righe = dlg->lstRecords->count();
        return 0;
    });
    m_a->btnTrovaClick();
    QCOMPARE(righe, 3);
    QVERIFY(m_servizi->messaggi.isEmpty());
}

void TestAnagrafica::cartellaSenzaArchivioInSolaLettura()
{
    guasti::negaScrittura(true);
    verificaCartellaSenzaArchivio(m_a, *m_servizi, cartellaProgramma().archivioDipendenti(), [this] { m_a->mostra(); },
                                  [this] { compila(); });
}

// The archive vanished while its card was on the screen (moved or deleted by
// hand): Salva asks before making it again; No creates nothing.
void TestAnagrafica::archivioScomparso_data()
{
    righeArchivioScomparso();
}

void TestAnagrafica::archivioScomparso()
{
    QFETCH(bool, si);
    riempiArchivio(3, schedaRossi);
    QImage verde(40, 30, QImage::Format_RGB32);
    verde.fill(Qt::green);
    QVERIFY(verde.save(cartellaProgramma().foto(2), "JPG", 95));
    verificaArchivioScomparso(m_a, *m_servizi, cartellaProgramma().archivioDipendenti(), si);
    // Card 2 became card 1 with its photo, the same file.
    if (si && !QTest::currentTestFailed())
        QCOMPARE(leggiFile(cartellaProgramma().foto(1)), leggiFile(cartellaProgramma().foto(2)));
}

// Leaving a changed card asks whether to save it, whichever way the card is
// left; an unchanged card is left without a word.
void TestAnagrafica::lasciaScheda_data()
{
    righeLasciaScheda();
}

void TestAnagrafica::lasciaScheda()
{
    QFETCH(QString, modo);
    QFETCH(int, risposta);
    riempiArchivio(3, schedaRossi);
    verificaLasciaScheda<TfrmAnagrafica, TSchedaDipendente>(m_a, *m_servizi, cartellaProgramma().archivioDipendenti(),
                                                            modo, risposta);
}

// A new card counts as changed once the user typed into it; Salva that its
// own checks refuse keeps it on the screen. The photo is part of the card.
void TestAnagrafica::schedaNuovaEFotoCambiate()
{
    // The blank card the screen starts with is no change.
    m_a->btnNuovoClick();
    QVERIFY(m_servizi->messaggi.isEmpty());

    m_a->txtNote->setText(QStringLiteral("appena scritta"));
    m_servizi->scegli(ConSalva);
    m_a->btnNuovoClick();
    QCOMPARE(m_servizi->testi(),
             (QStringList{SchedaModificata,
                          "Attenzione: per salvare la scheda è necessario indicare cognome e nome del Dipendente."}));
    QCOMPARE(m_a->txtNote->text(), QStringLiteral("appena scritta"));
    QVERIFY(!QFile::exists(cartellaProgramma().archivioDipendenti()));

    // A photo taken away, or another one put in, is a change; the stored photo is not.
    riempiArchivio(2, schedaRossi);
    QImage rossa(40, 30, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    QVERIFY(rossa.save(cartellaProgramma().foto(1)));
    m_servizi->scegli(ConNonSalvare);
    m_a->cmdPrimoClick();
    m_servizi->azzera();
    m_a->foto->btnCancFotoClick();
    m_a->cmdAvantiClick();
    QCOMPARE(m_servizi->testi(), QStringList{SchedaModificata});
    QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("1"));
    QVERIFY(m_a->schedaModificata());
    m_a->foto->imgFoto->impostaImmagine(QImage(cartellaProgramma().foto(1)));
    QVERIFY(!m_a->schedaModificata());
}

// A card opened from a list no longer says the screen is ready for a new card.
void TestAnagrafica::infoDellaSchedaAperta()
{
    riempiArchivio(3, schedaRossi);
    QCOMPARE(m_a->panInfo->text(), TfrmAnagrafica::InfoIniziale);
    apriDallaRicerca(m_a, *m_servizi, 2);
    QCOMPARE(m_a->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(m_a->panInfo->text(), QString());
    // A control's hint stays as it is.
    m_a->panInfo->setText(QStringLiteral("Trova una scheda in archivio."));
    apriDallaRicerca(m_a, *m_servizi, 3);
    QCOMPARE(m_a->panInfo->text(), QStringLiteral("Trova una scheda in archivio."));
}

void TestAnagrafica::versioniPrecedenti()
{
    riempiArchivio(3, schedaRossi);
    verificaVersioniPrecedenti<TfrmAnagrafica, TSchedaDipendente>(m_a, *m_servizi,
                                                                  cartellaProgramma().archivioDipendenti());
}

QTEST_MAIN(TestAnagrafica)
#include "tst_frmanagrafica.moc"
