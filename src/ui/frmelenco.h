#pragma once
// The base of every list screen: the list of one line per card in a fixed
// font, the quick find box above it and the printing of the list. Each screen
// supplies its lines, its title and its own layout around the list.

#include "ui/finestre.h"
#include "storage/archivio.h"

#include <QLineEdit>
#include <QList>
#include <QListView>
#include <QPushButton>
#include <QStringList>

#include <functional>
#include <optional>

class QStringListModel;

namespace qv {

// One list entry: its line and the position (1-based) of the card it shows.
struct VoceElenco
{
    QString riga;
    int posizione;
};

// The list of a list screen: one line per entry, held as one list of texts,
// so that the entries of a whole large archive are shown and dropped at once.
class ListaVoci : public QListView
{
    Q_OBJECT
public:
    explicit ListaVoci(QWidget *parent = nullptr);

    int count() const;
    int currentRow() const;           // the selected entry, -1 when none is
    void setCurrentRow(int riga);     // selects the entry and scrolls to it
    QString testo(int riga) const;
    QStringList righe() const;
    void imposta(const QStringList &righe);
    void clear() { imposta({}); }

signals:
    // A double click anywhere in the list, on an entry or below the last one:
    // the screen then works on the selected entry, if any.
    void doppioClic();

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    QStringListModel *m_modello;
};

// Reads every card of the archive at `percorso` in file order, decoding only
// `campi`, and adds an entry for each card that `riga` gives a line to (no
// value: not listed). Archive failures are thrown as ErroreArchivio; the
// entries added before stay in `voci`. No path (a screen opened without its
// archive) lists nothing.
template <typename R, typename F>
void leggiVoci(const QString &percorso, const QList<QString R::*> &campi, QList<VoceElenco> &voci, F &&riga)
{
    if (percorso.isEmpty())
        return;
    Archivio<R> archivio(percorso);
    archivio.apri();
    archivio.perOgni(campi, [&](int posizione, const R &scheda) {
        if (std::optional<QString> r = riga(scheda))
            voci.append({std::move(*r), posizione});
        return true;
    });
    archivio.chiudi();
}

class TfrmElenco : public DialogoFisso
{
    Q_OBJECT
public:
    struct Impostazioni
    {
        QString caption;
        QString titoloStampa;
        // Prints the title and the lines shown; the list screens print through
        // the report engine, which sits above these shared screen pieces.
        std::function<bool(QWidget *padre, const QString &titolo, const QStringList &righe)> stampa;
        bool ordinato = true;          // entries in ascending order of their lines
        int larghezzaVoci = 1600;      // entries are this wide, so long lines scroll sideways
        bool invioSuTrova = true;      // Enter in the find box moves to "Trova"
    };

    TfrmElenco(const Impostazioni &imp, const QColor &alto, const QColor &basso, QWidget *parent = nullptr);

    QLabel *lblTrova01, *lblTrova02;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    ListaVoci *lstRecords;
    QPushButton *btnStampa;

    // Replaces the entries (sorted when the screen is) and gives them their width.
    void mostraVoci(QList<VoceElenco> voci);
    void svuota();
    // The entries' lines in the order shown.
    QStringList righe() const;
    // The card position of an entry, or of the selected one; -1 for none.
    int posizioneVoce(int riga) const;
    int posizioneSelezionata() const { return posizioneVoce(lstRecords->currentRow()); }
    QString titoloStampa() const { return m_imp.titoloStampa; }

public slots:
    // What each screen does when shown: fill its list, or get its search ready.
    virtual void FormShow() = 0;
    // A double click on an entry.
    virtual void lstRecordsDblClick() = 0;
    void btnTrovaClick();
    // Prints the lines shown under the screen's title; a screen may ask or refuse first.
    virtual void btnStampaClick();

protected:
    void showEvent(QShowEvent *e) override;
    // The list is emptied when the screen closes.
    void closeEvent(QCloseEvent *e) override;
    // The slate heading strip with white capitals across the top of `pannello`.
    static QLabel *intestazione(QWidget *pannello, const QString &testo);
    // Places the two find labels, the find box and the list inside `area` of `pannello`.
    void disponiElenco(QWidget *pannello, const QRect &area);
    // What every screen does when shown: the last find key and the find box are emptied.
    void azzeraTrova();
    // Gives the two find labels and the double-click hint `doppioClic` the names
    // lblRigo01 to lblRigo03, the last one crimson.
    void rinominaRighe(QLabel *doppioClic, QLabel *&rigo01, QLabel *&rigo02, QLabel *&rigo03);
    static void coloraTesto(QLabel *etichetta, const QColor &colore);
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    Impostazioni m_imp;
    QList<int> m_posizioni; // the card position of each entry, in the order shown
    QString m_ultimaChiave;
};

// A list screen that fills its list when shown: a heading strip, the find
// box and the list, the double-click hint, "Stampa" and "Chiudi". A double
// click opens the card of the selected entry and closes the screen.
class TfrmListaSchede : public TfrmElenco
{
    Q_OBJECT
public:
    TfrmListaSchede(const Impostazioni &imp, const QString &banner, QWidget *parent);

    QLabel *imgIntestazione;
    QLabel *lblDoppioClic;
    QPushButton *btnChiudi;

public slots:
    void FormShow() override;
    void btnChiudiClick();
    void lstRecordsDblClick() override;

protected:
    // Adds the entries of the listed cards to `voci`; a failure is thrown and
    // ends the filling silently, keeping the entries added.
    virtual void leggi(QList<VoceElenco> &voci) = 0;
    // Loads the card at `posizione` into the screen the list serves; a failure is thrown.
    virtual void apri(int posizione) = 0;
};

} // namespace qv
