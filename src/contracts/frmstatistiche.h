#pragma once
// The monthly contract statistics: the user picks a year, the contracts of
// that year's archive are counted by the month of their signing date and the
// twelve counts are shown as three-dimensional bars or pie, and printed.

#include "ui/finestre.h"

#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace qv {

class ComportamentiCampi;
class VistaGrafico;
struct SerieGrafico;

class TfrmStatistiche : public SchermoArea
{
    Q_OBJECT
public:
    explicit TfrmStatistiche(QWidget *parent = nullptr);

    // The year panel.
    QWidget *panAvvio;
    QLineEdit *txtAnno;
    QLabel *lblApri;
    QPushButton *btnApri;
    Figura *imgGuida, *imgEsci, *imgGrafico;
    QLabel *lblFile;
    QLabel *memGennaio, *memFebbraio, *memMarzo, *memAprile, *memMaggio, *memGiugno, *memLuglio, *memAgosto,
        *memSettembre, *memOttobre, *memNovembre, *memDicembre;

    // The chart panel.
    QWidget *panContainer;
    QLabel *lblTitolo, *lblRigo04, *lblRigo05;
    VistaGrafico *ChartStats;
    Figura *cmdGuida;
    QPushButton *btnTorta, *btnBarre, *btnStampa, *btnEsci;
    QLabel *panInfo;

    // The chart's one series.
    SerieGrafico &Series1();

    static inline const QString MsgAnno =
        QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    static inline const QString DomandaStampa = QStringLiteral("Si vuole stampare il presente grafico statistico?");
    static inline const QString TitoloCopie = QStringLiteral("Numero copie da stampare");
    static inline const QString RichiestaCopie = QStringLiteral("Copie:");
    static inline const QString MsgStampaFallita =
        QStringLiteral("Attenzione: non è stato possibile stampare il grafico sulla stampante scelta.");

    // The number of copies an answer of the copies box asks for: blanks
    // around it do not count; empty or anything but digits is one copy.
    static int copieRichieste(const QString &risposta);

public slots:
    void btnApriClick();
    void btnBarreClick();
    void btnTortaClick();
    void btnStampaClick();
    void imgGuidaClick();
    void btnEsciClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    std::array<QLabel *, 12> mesi() const;

    ComportamentiCampi *m_comportamenti = nullptr;
};

} // namespace qv
