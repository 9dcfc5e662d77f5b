#pragma once
// The base of the export screens: a whole archive in a grid, one row per card
// in file order, written on request to a spreadsheet file in the program
// folder, as the .xls sheet or as the .xlsx workbook. Each screen gives its
// column table, its files, its sheet and its guide.

#include "ui/finestre.h"
#include "storage/archivio.h"
#include "output/blocchi.h"
#include "output/cartellaxlsx.h"

#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace qv {

class GrigliaEsportazione;

// The texts of a grid as the archive holds them: for each row, one cell per
// exported column, each a length byte and the field's trimmed Windows-1252
// bytes, back to back in blocks that go back to RiservaBlocchi when the grid
// goes. A row costs its bytes and no more, so a grid of a large archive takes
// about a tenth of the archive's size.
class CelleGriglia
{
public:
    static constexpr qsizetype Blocco = RiservaBlocchi::Dimensione;

    CelleGriglia() = default;
    CelleGriglia(CelleGriglia &&) = default;
    CelleGriglia &operator=(CelleGriglia &&altra)
    {
        RiservaBlocchi::restituisci(m_blocchi);
        m_blocchi = std::move(altra.m_blocchi);
        m_inizio = std::move(altra.m_inizio);
        m_scrittura = std::exchange(altra.m_scrittura, nullptr);
        m_usati = std::exchange(altra.m_usati, 0);
        return *this;
    }
    ~CelleGriglia() { RiservaBlocchi::restituisci(m_blocchi); }

    qsizetype righe() const { return m_inizio.size(); }
    // Starts a row that takes at most `byte` bytes (its cells' capacities plus
    // one each, at most a block).
    void nuovaRiga(qsizetype byte)
    {
        if (m_blocchi.isEmpty() || m_usati + byte > Blocco) {
            m_blocchi.append(RiservaBlocchi::prendi());
            m_scrittura = m_blocchi.last().data();
            m_usati = 0;
        }
        m_inizio.append((m_blocchi.size() - 1) * Blocco + m_usati);
    }
    // Adds a cell to the row started last: at most 255 bytes, as a field holds.
    void aggiungi(QByteArrayView valore)
    {
        const qsizetype n = std::min<qsizetype>(valore.size(), 255);
        m_scrittura[m_usati] = char(n);
        std::memcpy(m_scrittura + m_usati + 1, valore.data(), size_t(n));
        m_usati += n + 1;
    }
    // The bytes of cell `colonna` of row `riga`.
    QByteArrayView cella(qsizetype riga, qsizetype colonna) const
    {
        const char *p = inizioRiga(riga);
        for (qsizetype c = 0; c < colonna; ++c)
            p = dopo(p);
        return QByteArrayView(p + 1, static_cast<unsigned char>(*p));
    }
    // The cells of a row one after the other: the first, then the one after
    // each (as many as the row has).
    const char *inizioRiga(qsizetype riga) const
    {
        const qsizetype inizio = m_inizio.at(riga);
        return m_blocchi.at(inizio / Blocco).constData() + inizio % Blocco;
    }
    static const char *dopo(const char *cella) { return cella + static_cast<unsigned char>(*cella) + 1; }
    static QByteArrayView byte(const char *cella) { return QByteArrayView(cella + 1, static_cast<unsigned char>(*cella)); }

private:
    QList<QByteArray> m_blocchi;
    QList<qsizetype> m_inizio; // where each row starts, counted across the blocks
    char *m_scrittura = nullptr;
    qsizetype m_usati = 0;
};

// One column of the table of an export screen. The first column is the
// card's position, in the grid only; every other one is a field of the card
// and a column of the .xlsx workbook, in the same order. The columns with a
// sheet width are also the columns of the .xls sheet; a column without a grid
// width is not shown in the grid.
struct ColonnaGriglia
{
    const char *nome;
    const char *intestazione;
    int larghezzaGriglia; // 0: not in the grid
    int larghezzaFoglio;  // 0: not in the .xls sheet
    bool solaLettura;
    TipoCella tipo = TipoCella::Testo; // how the .xlsx workbook writes its cells
};

// A grid column of a record's field: the column and the field it shows
// (nullptr for the position column).
template <typename R>
struct ColonnaCampo
{
    ColonnaGriglia colonna;
    QString R::*campo;
};

class TfrmEsporta : public DialogoFisso
{
    Q_OBJECT
public:
    struct Impostazioni
    {
        QString caption;
        QString nomeFoglio;
        QString titoloGuida;
        QString testoGuida;
        std::function<QString()> percorsoFoglio;   // the .xls sheet
        std::function<QString()> percorsoCartella; // the .xlsx workbook
        QString oggetto;                           // what the workbook holds, among its properties
    };
    // The grid's columns, and how the rows of the archive's cards (the bytes
    // of the exported columns, in order) are added to `righe`; a failure is
    // thrown, keeping the rows added.
    struct Griglia
    {
        QList<ColonnaGriglia> colonne;
        std::function<void(CelleGriglia &righe)> leggi;
    };

    TfrmEsporta(const Impostazioni &imp, Griglia griglia, QWidget *parent);

    QWidget *shpStrumenti;
    Figura *cmdEsporta, *cmdEsportaXlsx, *cmdGuida, *cmdEsci;
    // One row per card in file order; the texts live in the grid's model, where
    // the editable columns can be changed before exporting.
    QTableView *grdRecords;
    QLabel *panInfo;

    // The grid column of a column name ("colNote"), or -1 (also for a column
    // the grid does not show).
    int colonna(const QString &nome) const;

    // The composing of each file alone, for measuring what it costs: the .xls
    // sheet handed a block at a time to nothing (its size is returned), the
    // .xlsx workbook written as it is to `percorso`.
    qint64 componiFoglio() const;
    bool componiCartella(const QString &percorso) const;

    // The grid of every card of the archive at the path `archivio` gives
    // (none for no path), through a column table of its fields.
    template <typename R, size_t N>
    static Griglia griglia(const ColonnaCampo<R> (&tabella)[N], std::function<QString()> archivio)
    {
        Griglia g;
        QList<PosizioneCampo> campi;
        for (const ColonnaCampo<R> &c : tabella) {
            g.colonne.append(c.colonna);
            if (c.campo)
                campi.append(posizioneCampo<R>(c.campo));
        }
        g.leggi = [campi, archivio](CelleGriglia &righe) {
            const QString percorso = archivio();
            if (percorso.isEmpty())
                return; // a screen opened without its archive shows no rows
            // The cards are streamed from the file and only the shown fields'
            // bytes are kept: no card is decoded into texts.
            qsizetype massimo = 0;
            for (const PosizioneCampo &c : campi)
                massimo += std::min(c.capacita, 255) + 1;
            FileArchivio a(percorso, R::Dimensione);
            a.apri();
            a.scorri([&](int, const char *dati) {
                righe.nuovaRiga(massimo);
                for (const PosizioneCampo &c : campi)
                    righe.aggiungi(byteCampo(dati + c.offset, c.capacita));
                return true;
            });
            a.chiudi();
        };
        return g;
    }

public slots:
    void FormShow();
    void cmdEsportaClick();
    void cmdEsportaXlsxClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    // Asks, writes the file for `percorso` through `scrivi` (the rows written
    // so far are told to the progress function it gets, which answers false to
    // stop) and offers to open it; `descrizione` and `filtro` name the file
    // when it must go elsewhere.
    // The .xls sheet asks first and says it is done as it always did; the
    // .xlsx workbook asks only before a large export and names the file it wrote.
    using Scrittura = std::function<bool(const QString &percorso, const AvanzamentoScrittura &avanzamento)>;
    enum class Formato { Foglio, Cartella };
    void esporta(Formato formato, const QString &percorso, const QString &filtro, const Scrittura &scrivi);
    QList<ColonnaFoglio> colonneFoglio() const;
    QList<ColonnaCartella> colonneCartella() const;
    ProprietaCartella proprieta() const;

    Impostazioni m_imp;
    Griglia m_def;
    QString m_suggerimento; // the hint the info line showed last
    GrigliaEsportazione *m_griglia;
};

} // namespace qv
