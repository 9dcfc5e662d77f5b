#pragma once
// The base of every list screen: the list of one line per card in a fixed
// font, the quick find box above it and the printing of the list. Each screen
// supplies its lines, its title and its own layout around the list.

#include "ui/finestre.h"
#include "storage/archivio.h"
#include "output/blocchi.h"
#include "output/elenco.h"

#include <QLineEdit>
#include <QList>
#include <QListView>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <span>
#include <utility>
#include <optional>

namespace qv {

// One list entry: its line and the position (1-based) of the card it shows.
struct VoceElenco
{
    QString riga;
    int posizione;
};

// The entries of a list: each line in Windows-1252 bytes (the archives' code
// page, one byte per character, so a line takes as many bytes as it has
// characters) with the position of its card, the lines back to back in blocks
// that go back to RiservaBlocchi when the list goes. A list of a large archive
// holds its lines and nothing else.
class VociElenco
{
public:
    VociElenco() = default;
    VociElenco(VociElenco &&) = default;
    VociElenco &operator=(VociElenco &&altra)
    {
        RiservaBlocchi::restituisci(m_blocchi);
        m_blocchi = std::move(altra.m_blocchi);
        m_inizi = std::move(altra.m_inizi);
        m_scrittura = std::exchange(altra.m_scrittura, nullptr);
        m_usati = std::exchange(altra.m_usati, 0);
        return *this;
    }
    ~VociElenco() { RiservaBlocchi::restituisci(m_blocchi); }

    qsizetype size() const { return m_inizi.size(); }
    bool isEmpty() const { return m_inizi.isEmpty(); }
    QByteArrayView riga(qsizetype i) const
    {
        const Inizio &v = m_inizi.at(i);
        return QByteArrayView(m_blocchi.at(v.blocco).constData() + v.byte, v.lunghezza);
    }
    QString testo(qsizetype i) const;
    int posizione(qsizetype i) const { return m_inizi.at(i).posizione; }
    // Starts an entry of `lunghezza` bytes; where its line is to be written.
    char *nuova(int posizione, qsizetype lunghezza)
    {
        if (m_blocchi.isEmpty() || m_usati + lunghezza > m_blocchi.constLast().size()) {
            m_blocchi.append(lunghezza <= RiservaBlocchi::Dimensione ? RiservaBlocchi::prendi()
                                                                      : QByteArray(lunghezza, Qt::Uninitialized));
            m_scrittura = m_blocchi.last().data();
            m_usati = 0;
        }
        m_inizi.append({int(m_blocchi.size() - 1), int(m_usati), int(lunghezza), posizione});
        char *d = m_scrittura + m_usati;
        m_usati += lunghezza;
        return d;
    }
    // An entry from its line as text (every character in Windows-1252).
    void aggiungi(const QString &riga, int posizione);

private:
    struct Inizio
    {
        int blocco, byte, lunghezza, posizione;
    };
    QList<QByteArray> m_blocchi;
    QList<Inizio> m_inizi;
    char *m_scrittura = nullptr;
    qsizetype m_usati = 0;
};

// The line of a card built from its record's bytes: the layout of the line
// and the card fields its columns show, in order.
template <typename R>
class RigaScheda
{
public:
    RigaScheda(std::span<const ColonnaElenco> colonne, std::initializer_list<QString R::*> campi) : m_forma(colonne)
    {
        for (QString R::*c : campi)
            m_campi.append(posizioneCampo<R>(c));
    }
    // Adds the entry of the card at `posizione`, whose record is `dati`.
    void aggiungi(VociElenco &voci, int posizione, const char *dati) const
    {
        QByteArrayView valori[kMassimoCampi];
        const qsizetype n = std::min<qsizetype>(m_campi.size(), kMassimoCampi);
        for (qsizetype i = 0; i < n; ++i)
            valori[i] = byteCampo(dati + m_campi.at(i).offset, m_campi.at(i).capacita);
        const std::span<const QByteArrayView> v(valori, size_t(n));
        m_forma.scrivi(v, voci.nuova(posizione, m_forma.lunghezza(v)));
    }

private:
    static constexpr qsizetype kMassimoCampi = 16;
    FormaRigaByte m_forma;
    QList<PosizioneCampo> m_campi;
};

// The list of a list screen: one line per entry, the lines held as the bytes
// of VociElenco and made texts only for the entries that the list paints.
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
    // The entries of `voci` in the order of `ordine` (indices into `voci`).
    void imposta(VociElenco &&voci, QList<qsizetype> &&ordine);
    // The card position of the entry shown in row `riga`; -1 for none.
    int posizione(int riga) const;
    void clear() { imposta(VociElenco(), {}); }

signals:
    // A double click anywhere in the list, on an entry or below the last one:
    // the screen then works on the selected entry, if any. Enter on the entry
    // that has the focus frame selects it and does the same; with no entry
    // there, Enter does nothing.
    void doppioClic();

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    class Modello;
    Modello *m_modello;
};

// Reads every card of the archive at `percorso` in file order and hands
// `visita(posizione, scheda, dati)` each card with only `campi` decoded (the
// others left empty) and its record's bytes, both valid during the call only.
// Archive failures are thrown as ErroreArchivio. No path (a screen opened
// without its archive) reads nothing.
template <typename R, typename F>
void scorriSchede(const QString &percorso, const QList<QString R::*> &campi, F &&visita)
{
    if (percorso.isEmpty())
        return;
    struct Letto
    {
        QString R::*membro;
        PosizioneCampo posto;
    };
    QList<Letto> letti;
    for (QString R::*c : campi)
        letti.append({c, posizioneCampo<R>(c)});
    FileArchivio archivio(percorso, R::Dimensione);
    archivio.apri();
    // One card is filled again for every record, reusing its texts' buffers.
    R scheda;
    archivio.scorri([&](int posizione, const char *dati) {
        for (const Letto &l : std::as_const(letti))
            decodificaCampo(dati + l.posto.offset, l.posto.capacita, scheda.*(l.membro));
        visita(posizione, std::as_const(scheda), dati);
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
    void mostraVoci(VociElenco voci);
    void mostraVoci(const QList<VoceElenco> &voci);
    void svuota();
    // The entries' lines in the order shown.
    QStringList righe() const;
    // The card position of an entry, or of the selected one; -1 for none.
    int posizioneVoce(int riga) const { return lstRecords->posizione(riga); }
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
    virtual void leggi(VociElenco &voci) = 0;
    // Loads the card at `posizione` into the screen the list serves; a failure is thrown.
    virtual void apri(int posizione) = 0;
};

} // namespace qv
