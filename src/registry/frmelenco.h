#pragma once
// The base of every list screen: the list of one line per card in a fixed
// font, the quick find box above it and the printing of the list. Each screen
// supplies its lines, its title and its own layout around the list.

#include "app/finestre.h"

#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

namespace qv {

// One list entry: its line and the position (1-based) of the card it shows.
struct VoceElenco
{
    QString riga;
    int posizione;
};

class TfrmElenco : public DialogoFisso
{
    Q_OBJECT
public:
    struct Impostazioni
    {
        QString caption;
        QString titoloStampa;
        bool ordinato = true;          // entries in ascending order of their lines
        int larghezzaVoci = 1600;      // entries are this wide, so long lines scroll sideways
        bool invioSuTrova = true;      // Enter in the find box moves to "Trova"
    };

    TfrmElenco(const Impostazioni &imp, const QColor &alto, const QColor &basso, QWidget *parent = nullptr);

    QLabel *lblTrova01, *lblTrova02;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    QListWidget *lstRecords;
    QPushButton *btnStampa;

    // Replaces the entries (sorted when the screen is) and gives them their width.
    void mostraVoci(QList<VoceElenco> voci);
    void svuota() { lstRecords->clear(); }
    // The entries' lines in the order shown.
    QStringList righe() const;
    // The card position of an entry, or of the selected one; -1 for none.
    int posizioneVoce(int riga) const;
    int posizioneSelezionata() const { return posizioneVoce(lstRecords->currentRow()); }
    QString titoloStampa() const { return m_imp.titoloStampa; }

public slots:
    void btnTrovaClick();
    void btnStampaClick();

protected:
    // Places the two find labels, the find box and the list inside `area` of `pannello`.
    void disponiElenco(QWidget *pannello, const QRect &area);
    // What every screen does when shown: the last find key and the find box are emptied.
    void azzeraTrova();
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    Impostazioni m_imp;
    QString m_ultimaChiave;
};

} // namespace qv
