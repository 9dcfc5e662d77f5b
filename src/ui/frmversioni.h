#pragma once
// "Versioni precedenti" of both card screens: the earlier versions of the
// card shown, as its archive's history keeps them (storage/storico.h), newest
// first, each with the date and time at which a save replaced it and what that
// save changed: every field that differs from the card that took its place
// (the next newer version, or for the newest the card now in the archive),
// with the value before and after. The version chosen goes into the screen's
// fields; Salva then stores it the usual way, so that going back is itself a
// version that can be undone.

#include "storage/storico.h"
#include "ui/finestre.h"
#include "ui/salvascheda.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>

namespace qv {

class TfrmVersioni : public DialogoFisso
{
    Q_OBJECT
public:
    // A field that a save changed: its name on the screen, its value before and after.
    struct Modifica
    {
        QString campo, prima, dopo;
    };
    struct Riga
    {
        QDateTime quando;           // when the version was replaced
        QList<Modifica> modifiche;  // empty: only blanks changed
    };

    // `righe` newest first.
    explicit TfrmVersioni(const QList<Riga> &righe, QWidget *parent = nullptr);

    QLabel *lblSpiegazione;
    QTreeWidget *lstVersioni;
    // Every change of the line chosen, one a line, with its values whole.
    QPlainTextEdit *txtModifiche;
    QPushButton *btnChiudi, *btnMostra;

    // The line chosen (an index of `righe`); -1 when none.
    int scelta() const;
    static QString testoData(const QDateTime &quando);
    // What the list says of a version's changes: "Note: «prima» → «dopo»" for
    // each field, the values cut to `lunghezza` characters ("…" where cut),
    // an empty value as "(vuoto)"; joined by "; ".
    static QString testoModifiche(const QList<Modifica> &modifiche, int lunghezza = 24);

private:
    QList<Riga> m_righe;
    void mostraModifiche();

public slots:
    void btnMostraClick();
    void btnChiudiClick();
};

// What the card screens' info line says once a version, replaced at `quando`, is in their fields.
QString infoVersioneMostrata(const QDateTime &quando);

// The name the user knows a field of `schermo` by: its label's text without
// the colon (with its box's heading when two fields share the label);
// "Allegato n" and "Descrizione allegato n" for the hidden attachment slots;
// a check box's own text.
QString nomeCampoSchermo(const QWidget *schermo, const QString &campo);

// "Versioni precedenti" on a card screen whose card of the archive at
// `archivio` is shown at `lblPosizione`: the versions are listed, and the one
// chosen is handed to `mostra` with the time it was replaced. A card not
// stored yet, or without earlier versions, is told so.
template <typename R>
void versioniPrecedenti(QWidget *schermo, const QString &archivio, const QLabel *lblPosizione,
                        const std::function<void(const R &, const QDateTime &)> &mostra)
{
    Servizi &s = Servizi::correnti();
    const QString posizione = trimmed(lblPosizione->text());
    if (posizione.isEmpty()) {
        s.messaggio(schermo, TipoMessaggio::Avviso,
                    QStringLiteral("Attenzione: le versioni precedenti esistono soltanto per le schede già "
                                   "inserite in archivio."));
        return;
    }
    QList<VersioneScheda> versioni;
    QString errore;
    if (!versioniScheda(archivio, R::Dimensione, posizione.toInt(), versioni, &errore)) {
        s.messaggio(schermo, TipoMessaggio::Errore,
                    QStringLiteral("Attenzione: le versioni precedenti della scheda non si possono leggere (%1).")
                        .arg(errore));
        return;
    }
    if (versioni.isEmpty()) {
        s.messaggio(schermo, TipoMessaggio::Informazione,
                    QStringLiteral("La scheda non ha versioni precedenti: non è stata modificata dopo il suo "
                                   "inserimento in archivio."));
        return;
    }
    // The newest version was replaced by the card the archive holds now.
    R dopo;
    try {
        dopo = leggiSchedaArchivio<R>(archivio, posizione.toInt()).scheda;
    } catch (const ErroreArchivio &e) {
        s.messaggio(schermo, TipoMessaggio::Errore, testoErroreArchivio(e));
        return;
    }
    QList<R> schede;
    QList<TfrmVersioni::Riga> righe;
    for (qsizetype i = versioni.size() - 1; i >= 0; --i) {
        R v = decodificaScheda<R>(versioni.at(i).byte.constData());
        TfrmVersioni::Riga r{versioni.at(i).quando, {}};
        for (const auto &c : R::campi()) {
            const QString prima = trimmed(v.*(c.membro)), poi = trimmed(dopo.*(c.membro));
            if (prima != poi)
                r.modifiche.append({nomeCampoSchermo(schermo, QLatin1String(c.nome)), prima, poi});
        }
        dopo = v;
        schede << v;
        righe << r;
    }
    auto *dlg = new TfrmVersioni(righe, schermo);
    int scelta = -1;
    QObject::connect(dlg, &QDialog::accepted, dlg, [&scelta, dlg] { scelta = dlg->scelta(); });
    eseguiDialogo(dlg);
    if (scelta >= 0)
        mostra(schede.at(scelta), righe.at(scelta).quando);
}

} // namespace qv
