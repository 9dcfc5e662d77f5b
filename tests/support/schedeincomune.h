#pragma once
// What the employee card screen and the contract screen do alike with their
// archive beside other copies of the program: the texts they show and the
// checks of a card changed by another copy, of an archive that can only be
// read and of one that vanished. `Schermo` is either screen, `R` its card.

#include "app/frmavvio.h"
#include "storage/archivio.h"
#include "support/fileprova.h"
#include "support/serviziprova.h"
#include "ui/frmricerca.h"
#include "ui/frmversioni.h"
#include "storage/storico.h"
#include "ui/schermi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTest>

#include <functional>

namespace qv::prova {

inline const QString Inserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString Salvata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString SchedaCambiata = QStringLiteral(
    "Attenzione: dopo l'apertura di questa scheda un'altra copia del programma ne ha salvato una versione "
    "diversa.\r\n\r\n"
    "Sovrascrivi: salva la scheda così come appare ora e annulla le modifiche dell'altra copia.\r\n"
    "Ricarica: mostra la scheda come è ora in archivio; le modifiche fatte qui vanno perse.\r\n"
    "Annulla: torna alla scheda senza salvare nulla.");
inline const QString SolaLettura = QStringLiteral(
    "Attenzione: l'archivio è in sola lettura: le schede possono essere consultate ma non salvate.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// The question of a card left with changes, its buttons and the answers
// (NonModificata: the card was not changed, so nothing is asked).
inline const QString SchedaModificata = QStringLiteral("La scheda corrente è stata modificata. Salvare le modifiche?");
inline const QStringList PulsantiModificata = {QStringLiteral("Salva"), QStringLiteral("Non salvare"),
                                              QStringLiteral("Annulla")};
enum RispostaModificata { NonModificata = -2, ConEscape = -1, ConSalva = 0, ConNonSalvare = 1, ConAnnulla = 2 };

// The rows of verificaSchedaCambiata: no other copy, then each answer.
inline void righeSchedaCambiata()
{
    QTest::addColumn<bool>("altraCopia");
    QTest::addColumn<int>("risposta"); // -1: Escape
    QTest::newRow("nessun'altra copia") << false << -1;
    QTest::newRow("sovrascrivi") << true << 0;
    QTest::newRow("ricarica") << true << 1;
    QTest::newRow("annulla") << true << 2;
    QTest::newRow("escape") << true << -1;
}

// The screen shows card 2 of the three in `archivio`. Another copy saves
// `altra` there when `altraCopia`; the user here types `valore` into `campo`
// (the card's `membro`) and presses Salva, answering `risposta` (-1: Escape)
// when asked. The other cards and the journal are never touched; each answer
// leaves its own bytes on the disk and its own card on the screen.
template <typename Schermo, typename R>
void verificaSchedaCambiata(Schermo *s, ServiziProva &servizi, const QString &archivio, R altra,
                            QLineEdit *campo, QString R::*membro, const QString &valore, bool altraCopia,
                            int risposta)
{
    constexpr int D = R::Dimensione;
    s->cmdPrimoClick();
    s->cmdAvantiClick();
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(s->schedaCaricata(), leggiFile(archivio).mid(D, D));

    altra.Note = QStringLiteral("scritta dall'altra copia");
    if (altraCopia) {
        Archivio<R> b(archivio);
        b.apri();
        b.scrivi(2, altra);
    }
    const QByteArray prima = leggiFile(archivio);
    campo->setText(valore);
    const QByteArray schermo = codificaScheda(s->schedaCorrente());
    if (risposta >= 0)
        servizi.scegli(risposta);
    servizi.azzera();
    s->btnSalvaClick();

    const QByteArray dopo = leggiFile(archivio);
    QCOMPARE(dopo.size(), 3 * D);
    QCOMPARE(dopo.left(D), prima.left(D));
    QCOMPARE(dopo.mid(2 * D), prima.mid(2 * D));
    QVERIFY(!QFile::exists(FileArchivio::percorsoGiornale(archivio)));
    if (!altraCopia) {
        QCOMPARE(servizi.testi(), QStringList{Salvata});
        QVERIFY(servizi.pulsantiScelte.isEmpty());
        QCOMPARE(dopo.mid(D, D), schermo);
        QCOMPARE(s->schedaCaricata(), schermo);
        return;
    }
    QCOMPARE(servizi.messaggi.constFirst().genere, MessaggioMostrato::Genere::Scelta);
    QCOMPARE(servizi.messaggi.constFirst().testo, SchedaCambiata);
    QCOMPARE(servizi.pulsantiScelte, (QList<QStringList>{{"Sovrascrivi", "Ricarica", "Annulla"}}));
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
    switch (risposta) {
    case 0: // the screen's card wins
        QCOMPARE(servizi.testi(), (QStringList{SchedaCambiata, Salvata}));
        QCOMPARE(dopo.mid(D, D), schermo);
        QCOMPARE(s->schedaCaricata(), schermo);
        break;
    case 1: // the other copy's card is kept and shown; the edit here is gone
        QCOMPARE(servizi.testi(), QStringList{SchedaCambiata});
        QCOMPARE(dopo, prima);
        QCOMPARE(s->txtNote->text(), altra.Note);
        QCOMPARE(campo->text(), altra.*membro);
        QCOMPARE(s->schedaCaricata(), codificaScheda(altra));
        // Shown as it is now stored, it saves without a question.
        servizi.azzera();
        campo->setText(valore);
        s->btnSalvaClick();
        QCOMPARE(servizi.testi(), QStringList{Salvata});
        altra.*membro = valore;
        QCOMPARE(leggiFile(archivio).mid(D, D), codificaScheda(altra));
        break;
    default: // back to the screen: nothing written, the edit still there
        QCOMPARE(servizi.testi(), QStringList{SchedaCambiata});
        QCOMPARE(dopo, prima);
        QCOMPARE(campo->text(), valore);
        QCOMPARE(s->txtNote->text(), QString());
        // The next Salva asks again.
        servizi.azzera();
        s->btnSalvaClick();
        QCOMPARE(servizi.testi(), QStringList{SchedaCambiata});
        QCOMPARE(leggiFile(archivio), prima);
        break;
    }
}

// An archive of three cards that can only be read (guasti::negaScrittura
// already set): the cards are browsed and shown (card 2 with `atteso` in
// `campo` and `file01` as its first attachment), the info line says why nothing can be saved, Salva and
// Duplica say so and change nothing, and a new card filled by `compila` is
// refused the same way.
template <typename Schermo>
void verificaSolaLettura(Schermo *s, ServiziProva &servizi, const QLineEdit *campo, const QString &atteso,
                         const QString &file01, const std::function<void()> &compila)
{
    s->cmdUltimoClick();
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("3"));
    s->cmdIndietroClick();
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(campo->text(), atteso);
    QCOMPARE(s->lblFile01->text(), file01);
    QCOMPARE(s->panInfo->text(),
             QStringLiteral("Archivio in sola lettura: le schede possono essere consultate ma non salvate."));
    QVERIFY(servizi.messaggi.isEmpty());

    s->txtNote->setText(QStringLiteral("non salvabile"));
    s->btnSalvaClick();
    s->btnDuplicaClick();
    QCOMPARE(servizi.testi(), (QStringList{SolaLettura, SolaLettura}));
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(s->lblFile01->text(), file01); // Duplica changed nothing
    QCOMPARE(s->txtNote->text(), QStringLiteral("non salvabile"));

    // Leaving the changed card asks first; the answer Salva meets the same refusal.
    servizi.azzera();
    servizi.scegli(ConSalva);
    s->btnNuovoClick();
    QCOMPARE(servizi.testi(), (QStringList{SchedaModificata, SolaLettura}));
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
    servizi.azzera();
    servizi.scegli(ConNonSalvare);
    s->btnNuovoClick();
    compila();
    s->btnSalvaClick();
    QCOMPARE(servizi.testi(), (QStringList{SchedaModificata, SolaLettura}));
    QCOMPARE(s->lblPosizione->text(), QString());
}

// The rows of verificaArchivioScomparso: each answer.
inline void righeArchivioScomparso()
{
    QTest::addColumn<bool>("si");
    QTest::newRow("no") << false;
    QTest::newRow("sì") << true;
}

// The archive vanished while card 2 was on the screen (moved or deleted by
// hand): Salva asks before making it again; No creates nothing, Sì makes it
// with the screen's card as its first.
template <typename Schermo>
void verificaArchivioScomparso(Schermo *s, ServiziProva &servizi, const QString &archivio, bool si)
{
    s->cmdPrimoClick();
    s->cmdAvantiClick();
    QVERIFY(QFile::remove(archivio));
    s->txtNote->setText(QStringLiteral("ancora qui"));
    servizi.rispondi(si);
    s->btnSalvaClick();
    QCOMPARE(servizi.messaggi.constFirst().genere, MessaggioMostrato::Genere::Domanda);
    QCOMPARE(servizi.messaggi.constFirst().testo,
             QStringLiteral("Attenzione: l'archivio \"%1\" non esiste più: è stato spostato o cancellato mentre la "
                            "scheda era aperta.\r\n\r\nSi vuole creare di nuovo l'archivio e inserirvi la scheda "
                            "corrente come prima scheda?")
                 .arg(QDir::toNativeSeparators(archivio)));
    QCOMPARE(s->txtNote->text(), QStringLiteral("ancora qui"));
    if (!si) {
        QCOMPARE(servizi.messaggi.size(), 1);
        QVERIFY(!QFileInfo::exists(archivio));
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
        return;
    }
    QCOMPARE(servizi.testi().mid(1), QStringList{Inserita});
    QCOMPARE(leggiFile(archivio), codificaScheda(s->schedaCorrente()));
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("1"));
}

// No archive yet, in a folder that takes no new file (guasti::negaScrittura
// already set): shown again by `mostra`, the screen says at once that
// nothing can be saved; a card filled by `compila` is refused with the
// message, and no file is made.
template <typename Schermo>
void verificaCartellaSenzaArchivio(Schermo *s, ServiziProva &servizi, const QString &archivio,
                                   const std::function<void()> &mostra, const std::function<void()> &compila)
{
    QVERIFY(!QFileInfo::exists(archivio));
    s->hide();
    mostra();
    QCOMPARE(s->panInfo->text(),
             QStringLiteral("Archivio in sola lettura: le schede possono essere consultate ma non salvate."));
    QVERIFY(servizi.messaggi.isEmpty());
    compila();
    s->btnSalvaClick();
    QCOMPARE(servizi.testi(), QStringList{SolaLettura});
    QVERIFY(!QFileInfo::exists(archivio));
}


// Opens card `posizione` from the screen's search the way the user does: Trova,
// Cerca with no filter, a double click on that card's entry.
template <typename Schermo>
void apriDallaRicerca(Schermo *s, ServiziProva &servizi, int posizione)
{
    servizi.quandoDialogo([posizione](QDialog *d) {
        auto *ricerca = qobject_cast<TfrmRicerca *>(d);
        ricerca->btnCercaClick();
        for (int i = 0; i < ricerca->lstRecords->count(); ++i)
            if (ricerca->lstRecords->posizione(i) == posizione)
                ricerca->lstRecords->setCurrentRow(i);
        emit ricerca->lstRecords->doppioClic();
        return 0;
    });
    s->btnTrovaClick();
}

// The rows of verificaLasciaScheda: each way of leaving a card with each answer.
inline void righeLasciaScheda()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<int>("risposta");
    const std::pair<const char *, int> risposte[] = {
        {"non modificata", NonModificata}, {"Salva", ConSalva}, {"Non salvare", ConNonSalvare},
        {"Annulla", ConAnnulla}, {"Escape", ConEscape}};
    for (const char *modo : {"freccia", "Nuovo", "Duplica", "ricerca", "Esci", "chiusura", "fine del programma"})
        for (const auto &[nome, risposta] : risposte)
            QTest::newRow(QByteArray(modo) + ", " + nome) << QString::fromUtf8(modo) << risposta;
}

// The screen shows card 2 of the three in `archivio` and, unless `risposta`
// is NonModificata, the user changes its notes; then leaves it by `modo`
// (an arrow to card 3, Nuovo, Duplica, card 3 opened from the search, Esci,
// the window's close, the main menu closed for the program's end), answering
// `risposta` to the one question. Salva stores the change and leaves; Non
// salvare leaves and writes nothing; Annulla and Escape stay on the card with
// the change; an unchanged card leaves without a question.
template <typename Schermo, typename R>
void verificaLasciaScheda(Schermo *s, ServiziProva &servizi, const QString &archivio, const QString &modo,
                          int risposta)
{
    constexpr int D = R::Dimensione;
    s->cmdPrimoClick();
    s->cmdAvantiClick();
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
    const QString nome = s->txtDipendente->text();
    const QByteArray prima = leggiFile(archivio);
    const bool modificata = risposta != NonModificata;
    if (modificata)
        s->txtNote->setText(QStringLiteral("da non perdere"));
    const QByteArray schermo = codificaScheda(s->schedaCorrente());
    if (risposta >= 0)
        servizi.scegli(risposta);
    servizi.azzera();
    const int terminazioni = servizi.terminazioni;

    if (modo == QLatin1String("freccia"))
        s->cmdAvantiClick();
    else if (modo == QLatin1String("Nuovo"))
        s->btnNuovoClick();
    else if (modo == QLatin1String("Duplica"))
        s->btnDuplicaClick();
    else if (modo == QLatin1String("ricerca"))
        apriDallaRicerca(s, servizi, 3);
    else if (modo == QLatin1String("Esci"))
        s->btnEsciClick();
    else if (modo == QLatin1String("chiusura"))
        s->close();
    else
        Schermi::di<TfrmAvvio>()->close();

    int domande = 0;
    for (const MessaggioMostrato &m : std::as_const(servizi.messaggi))
        domande += m.genere == MessaggioMostrato::Genere::Scelta;
    QCOMPARE(domande, modificata ? 1 : 0);
    if (modificata) {
        QCOMPARE(servizi.messaggi.constFirst().testo, SchedaModificata);
        QCOMPARE(servizi.pulsantiScelte, QList<QStringList>{PulsantiModificata});
    }
    const QByteArray dopo = leggiFile(archivio);
    if (risposta == ConSalva) {
        QCOMPARE(servizi.testi().value(1), Salvata);
        QCOMPARE(dopo.left(D), prima.left(D));
        QCOMPARE(dopo.mid(D, D), schermo);
        QCOMPARE(dopo.mid(2 * D), prima.mid(2 * D));
    } else {
        QCOMPARE(dopo, prima);
    }

    const bool fine = modo == QLatin1String("fine del programma");
    if (risposta == ConAnnulla || risposta == ConEscape) {
        QVERIFY(s->isVisible());
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(s->txtNote->text(), QStringLiteral("da non perdere"));
        QCOMPARE(servizi.terminazioni, terminazioni);
        // Asked again at the next try.
        servizi.azzera();
        s->btnNuovoClick();
        QCOMPARE(servizi.testi(), QStringList{SchedaModificata});
        return;
    }
    const QString note = risposta == NonModificata ? QString() : QStringLiteral("da non perdere");
    if (modo == QLatin1String("freccia") || modo == QLatin1String("ricerca")) {
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(s->txtNote->text(), QString());
    } else if (modo == QLatin1String("Nuovo")) {
        QCOMPARE(s->lblPosizione->text(), QString());
        QCOMPARE(s->txtDipendente->text(), QString());
        QCOMPARE(s->txtNote->text(), QString());
    } else if (modo == QLatin1String("Duplica")) {
        // The copy takes the fields as they stand, changed or not.
        QCOMPARE(s->lblPosizione->text(), QString());
        QCOMPARE(s->txtDipendente->text(), nome);
        QCOMPARE(s->txtNote->text(), note);
    } else {
        QVERIFY(!s->isVisible());
        QCOMPARE(servizi.terminazioni, terminazioni + (fine ? 1 : 0));
        if (!fine)
            QVERIFY(Schermi::di<TfrmAvvio>()->isVisible());
        return;
    }
    QVERIFY(s->isVisible());
    // What the screen shows now is its starting point: leaving it asks nothing.
    servizi.azzera();
    s->btnNuovoClick();
    QCOMPARE(servizi.testi(), QStringList());
}

// "Versioni precedenti" on card 1 of the three in `archivio`, a card that
// saves without questions: three saves of changed notes, dated by the
// services' clock, leave three earlier versions, listed newest first, each
// with the time a save replaced it and what that save changed, before and
// after (the newest against the card in the archive, not the unsaved edit on
// the screen), long values cut in the list and whole below it; the oldest,
// chosen, fills the fields (nothing written yet) and Salva stores it as the
// card, its replaced version kept in turn.
// A new card and a card never changed have none; a history that cannot be
// written does not stop Salva, and the info line says so.
template <typename Schermo, typename R>
void verificaVersioniPrecedenti(Schermo *s, ServiziProva &servizi, const QString &archivio)
{
    constexpr int D = R::Dimensione;
    const QDateTime inizio(QDate(2017, 3, 15), QTime(10, 30));
    s->cmdPrimoClick();
    const QByteArray originale = leggiFile(archivio).left(D);
    const QString noteOriginali = s->txtNote->text();
    QVERIFY(noteOriginali.size() < 24);
    const QString lunga = QStringLiteral("versione 3: una nota lunga che la riga accorcia");
    const QStringList note{QStringLiteral("versione 1"), QStringLiteral("versione 2"), lunga};
    for (int i = 1; i <= 3; ++i) {
        servizi.orologio = inizio.addSecs(3600 * i);
        s->txtNote->setText(note.at(i - 1));
        servizi.azzera();
        s->btnSalvaClick();
        QCOMPARE(servizi.testi(), QStringList{Salvata});
    }
    const QByteArray salvata = leggiFile(archivio).left(D);
    // An edit not saved yet is no change of any version.
    s->txtNote->setText(QStringLiteral("non salvata"));

    QList<QStringList> righe;
    QStringList intestazione;
    QString dettaglio;
    servizi.quandoDialogo([&](QDialog *d) {
        auto *v = qobject_cast<TfrmVersioni *>(d);
        if (!v)
            return int(QDialog::Rejected);
        for (int i = 0; i < v->lstVersioni->topLevelItemCount(); ++i)
            righe << QStringList{v->lstVersioni->topLevelItem(i)->text(0), v->lstVersioni->topLevelItem(i)->text(1)};
        intestazione << v->lstVersioni->headerItem()->text(0) << v->lstVersioni->headerItem()->text(1);
        dettaglio = v->txtModifiche->toPlainText();
        v->lstVersioni->setCurrentItem(v->lstVersioni->topLevelItem(2));
        v->btnMostra->click();
        return v->result();
    });
    servizi.azzera();
    s->btnVersioniClick();
    QCOMPARE(servizi.dialoghiEseguiti, QStringList{QStringLiteral("TfrmVersioni")});
    QCOMPARE(nomeCampoSchermo(s, QStringLiteral("Note")), QStringLiteral("Note"));
    QCOMPARE(intestazione, (QStringList{QStringLiteral("Sostituita il"), QStringLiteral("Modifiche (campo: prima → dopo)")}));
    const QString prima = noteOriginali.isEmpty() ? QStringLiteral("(vuoto)") : QStringLiteral("«%1»").arg(noteOriginali);
    const QStringList modifiche{
        QStringLiteral("Note: «versione 2» → «versione 3: una nota lu…»"),
        QStringLiteral("Note: «versione 1» → «versione 2»"),
        QStringLiteral("Note: %1 → «versione 1»").arg(prima),
    };
    QCOMPARE(righe.size(), 3);
    for (int i = 0; i < 3; ++i) {
        // Newest first: the version saved over by the third save, at its time.
        QCOMPARE(righe[i][0], TfrmVersioni::testoData(inizio.addSecs(3600 * (3 - i))));
        QCOMPARE(righe[i][1], modifiche.at(i));
    }
    // Below the list, the line chosen with its values whole.
    QCOMPARE(dettaglio, QStringLiteral("Note: «versione 2» → «%1»").arg(lunga));
    QCOMPARE(s->txtNote->text(), noteOriginali);
    QCOMPARE(s->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(s->panInfo->text(), infoVersioneMostrata(inizio.addSecs(3600)));
    QCOMPARE(leggiFile(archivio).left(D), salvata);

    // Salva stores it; the version it replaced is kept, so going back can be undone.
    servizi.orologio = inizio.addSecs(4 * 3600);
    servizi.azzera();
    s->btnSalvaClick();
    QCOMPARE(servizi.testi(), QStringList{Salvata});
    QCOMPARE(leggiFile(archivio).left(D), originale);
    QList<VersioneScheda> versioni;
    QVERIFY(versioniScheda(archivio, D, 1, versioni));
    QCOMPARE(versioni.size(), 4);
    QCOMPARE(versioni.constLast().byte, salvata);
    QCOMPARE(versioni.constLast().quando, inizio.addSecs(4 * 3600));

    // Card 2 was never changed; a new card is not stored yet.
    servizi.azzera();
    s->cmdAvantiClick();
    s->btnVersioniClick();
    s->btnNuovoClick();
    s->btnVersioniClick();
    QCOMPARE(servizi.testi(),
             (QStringList{QStringLiteral("La scheda non ha versioni precedenti: non è stata modificata dopo il suo "
                                         "inserimento in archivio."),
                          QStringLiteral("Attenzione: le versioni precedenti esistono soltanto per le schede già "
                                         "inserite in archivio.")}));
    QVERIFY(servizi.dialoghiEseguiti.isEmpty());

    // A history that cannot be written: the card is saved all the same.
    QVERIFY(QFile::remove(percorsoStorico(archivio)));
    QVERIFY(QDir().mkdir(percorsoStorico(archivio)));
    s->cmdPrimoClick();
    s->txtNote->setText(QStringLiteral("senza storico"));
    servizi.azzera();
    s->btnSalvaClick();
    QCOMPARE(servizi.testi(), QStringList{Salvata});
    QVERIFY(s->panInfo->text().startsWith(
        QStringLiteral("Attenzione: la scheda è stata salvata, ma la sua versione precedente non è stata conservata")));
    s->txtNote->setText(QStringLiteral("senza storico"));
    QCOMPARE(leggiFile(archivio).left(D), codificaScheda(s->schedaCorrente()));
}

} // namespace qv::prova
