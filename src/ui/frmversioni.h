#pragma once
// "Versioni precedenti" of both card screens: the earlier versions of the
// card shown, as its archive's history keeps them (storage/storico.h), newest
// first, each with its date and time and the fields in which it differs from
// the card on the screen. The version chosen goes into the screen's fields;
// Salva then stores it the usual way, so that going back is itself a version
// that can be undone.

#include "storage/storico.h"
#include "ui/finestre.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>

namespace qv {

class TfrmVersioni : public DialogoFisso
{
    Q_OBJECT
public:
    struct Riga
    {
        QDateTime quando;
        QStringList differenze; // the names of the fields that differ; empty: the same card
    };

    // `righe` newest first.
    explicit TfrmVersioni(const QList<Riga> &righe, QWidget *parent = nullptr);

    QLabel *lblSpiegazione;
    QTreeWidget *lstVersioni;
    QPushButton *btnChiudi, *btnMostra;

    // The line chosen (an index of `righe`); -1 when none.
    int scelta() const;
    static QString testoData(const QDateTime &quando);

public slots:
    void btnMostraClick();
    void btnChiudiClick();
};

// What the card screens' info line says once a version is in their fields.
QString infoVersioneMostrata(const QDateTime &quando);

// The name the user knows a field of `schermo` by: its label's text without
// the colon (with its box's heading when two fields share the label);
// "Allegato n" and "Descrizione allegato n" for the hidden attachment slots;
// a check box's own text.
QString nomeCampoSchermo(const QWidget *schermo, const QString &campo);

// "Versioni precedenti" on a card screen whose card of the archive at
// `archivio` is shown at `lblPosizione`, `attuale` being the card as its
// fields hold it: the versions are listed, and the one chosen is handed to
// `mostra` with its date. A card not stored yet, or without earlier versions,
// is told so.
template <typename R>
void versioniPrecedenti(QWidget *schermo, const QString &archivio, const QLabel *lblPosizione, const R &attuale,
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
    QList<R> schede;
    QList<TfrmVersioni::Riga> righe;
    for (qsizetype i = versioni.size() - 1; i >= 0; --i) {
        R v = decodificaScheda<R>(versioni.at(i).byte.constData());
        TfrmVersioni::Riga r{versioni.at(i).quando, {}};
        for (const auto &c : R::campi())
            if (trimmed(v.*(c.membro)) != trimmed(attuale.*(c.membro)))
                r.differenze << nomeCampoSchermo(schermo, QLatin1String(c.nome));
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
