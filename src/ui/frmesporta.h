#pragma once
// The base of the export screens: a whole archive in a grid, one row per card
// in file order, written on request to a spreadsheet file in the program
// folder. Each screen gives its column table, its file, its sheet and its guide.

#include "ui/finestre.h"
#include "storage/archivio.h"

#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTableView>

#include <functional>

namespace qv {

class GrigliaEsportazione;

// One grid column. The columns with a sheet width are also the sheet's
// columns, in the same order; the first column is the card's position.
struct ColonnaGriglia
{
    const char *nome;
    const char *intestazione;
    int larghezzaGriglia;
    int larghezzaFoglio; // 0: not exported (the position column)
    bool solaLettura;
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
        std::function<QString()> percorsoFoglio;
    };
    // The grid's columns, and how the rows of the archive's cards (the texts
    // of the exported columns, in order) are added to `righe`; a failure is
    // thrown, keeping the rows added.
    struct Griglia
    {
        QList<ColonnaGriglia> colonne;
        std::function<void(QList<QStringList> &righe)> leggi;
    };

    TfrmEsporta(const Impostazioni &imp, Griglia griglia, QWidget *parent);

    QWidget *shpStrumenti;
    Figura *cmdEsporta, *cmdGuida, *cmdEsci;
    // One row per card in file order; the texts live in the grid's model, where
    // the editable columns can be changed before exporting.
    QTableView *grdRecords;
    QLabel *panInfo;

    // The grid column of a column name ("colNote"), or -1.
    int colonna(const QString &nome) const;

    // The grid of every card of the archive at the path `archivio` gives
    // (none for no path), through a column table of its fields.
    template <typename R, size_t N>
    static Griglia griglia(const ColonnaCampo<R> (&tabella)[N], std::function<QString()> archivio)
    {
        Griglia g;
        QList<QString R::*> campi;
        for (const ColonnaCampo<R> &c : tabella) {
            g.colonne.append(c.colonna);
            if (c.campo)
                campi.append(c.campo);
        }
        g.leggi = [campi, archivio](QList<QStringList> &righe) {
            const QString percorso = archivio();
            if (percorso.isEmpty())
                return; // a screen opened without its archive shows no rows
            Archivio<R> a(percorso);
            a.apri();
            righe.reserve(a.conta());
            a.perOgni(campi, [&](int, const R &s) {
                QStringList valori;
                valori.reserve(campi.size());
                for (QString R::*campo : campi)
                    valori.append(s.*campo); // fields are read trimmed
                righe.append(std::move(valori));
                return true;
            });
            a.chiudi();
        };
        return g;
    }

public slots:
    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    Impostazioni m_imp;
    Griglia m_def;
    GrigliaEsportazione *m_griglia;
};

} // namespace qv
