#pragma once
// The base of the search screens: a panel of up to ten filter fields, each
// with its focus mark and the field Enter moves to, and "Cerca", which lists
// the cards of an archive whose fields hold every filled filter; then the
// results panel with its count, the quick find, "Stampa" and "Chiudi".

#include "ui/campi.h"
#include "ui/frmelenco.h"
#include "core/testo.h"

#include <algorithm>
#include <initializer_list>
#include <span>

namespace qv {

// A filter of a search over cards of record type R: its field, its label and
// the card field it is matched against. A screen lists its filters in tab order.
template <typename R>
struct FiltroScheda
{
    DefCampo campo;
    const char16_t *etichetta;
    QString R::*dato;
};

// A filled filter: its place in the screen's table and its text as typed,
// with A-Z turned into a-z.
struct FiltroAttivo
{
    int indice;
    QString chiave;
};

// The entries of the cards of the archive at `percorso` whose fields hold
// every filter of `attivi` (A-Z taken as a-z), each with the line `riga`
// builds. The filters are matched on the records' bytes: a key with a
// character that Windows-1252 lacks is in no card. Archive failures are
// thrown as ErroreArchivio.
template <typename R, size_t N>
VociElenco cercaSchede(const QString &percorso, const FiltroScheda<R> (&filtri)[N],
                       const QList<FiltroAttivo> &attivi, const RigaScheda<R> &riga)
{
    struct Chiave
    {
        PosizioneCampo posto;
        QByteArray byte;
    };
    QList<Chiave> chiavi;
    bool nessuna = false;
    for (const FiltroAttivo &a : attivi) {
        nessuna = nessuna || !primoFuoriCp1252(a.chiave).isEmpty();
        chiavi.append({posizioneCampo<R>(filtri[a.indice].dato), toCp1252(a.chiave)});
    }
    VociElenco voci;
    scorriSchede<R>(percorso, {}, [&](int posizione, const R &, const char *dati) {
        if (nessuna)
            return;
        for (const Chiave &k : std::as_const(chiavi))
            if (!containsAZ(byteCampo(dati + k.posto.offset, k.posto.capacita), QByteArrayView(k.byte)))
                return;
        riga.aggiungi(voci, posizione, dati);
    });
    return voci;
}

class TfrmRicerca : public TfrmElenco
{
    Q_OBJECT
public:
    // A filter field: its behaviour and its label.
    struct CampoFiltro
    {
        DefCampo campo;
        QString etichetta;
    };
    template <typename R, size_t N>
    static QList<CampoFiltro> campiFiltro(const FiltroScheda<R> (&filtri)[N])
    {
        QList<CampoFiltro> out;
        for (const FiltroScheda<R> &f : filtri)
            out.append({f.campo, QString::fromUtf16(f.etichetta)});
        return out;
    }

    // `trovate` is the count line with %1 for the number of entries and
    // their noun: "1 scheda", "3 schede".
    TfrmRicerca(const Impostazioni &imp, const QList<CampoFiltro> &filtri, const QString &trovate,
                QWidget *parent);

    // Criteria panel.
    QWidget *panAvvio;
    QLabel *lblRigo04, *lblRigo05, *lblRigo06;
    QPushButton *btnAnnulla, *btnCerca;
    QLabel *lblAttendere, *lblConta, *lblMemory;

    // Results panel.
    QWidget *panContainer;
    QLabel *imgIntestazione, *lblDoppioClic, *lblTrovate;
    QPushButton *btnChiudi;

    // The filter fields in tab order.
    QLineEdit *filtro(int indice) const { return m_filtri.at(indice); }

public slots:
    void FormShow() override;
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    void btnChiudiClick();

protected:
    // Points a screen's named members at its filter fields, in tab order.
    void assegnaFiltri(std::initializer_list<QLineEdit **> campi)
    {
        Q_ASSERT(qsizetype(campi.size()) == m_filtri.size());
        int i = 0;
        for (QLineEdit **c : campi)
            *c = filtro(i++);
    }
    // The entries of the cards that match every filled filter; failures are thrown.
    virtual VociElenco cerca(const QList<FiltroAttivo> &attivi) = 0;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QList<QLineEdit *> m_filtri;
    QString m_trovate;
    ComportamentiCampi *m_campi;
};

} // namespace qv
