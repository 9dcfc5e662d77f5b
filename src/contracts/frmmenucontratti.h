#pragma once
// The entrance to the contract archive: the year whose contracts are opened,
// the monthly statistics, the guide and the way back to the main menu. The
// menu decides where to go only when it closes, by its state token.

#include "ui/finestre.h"

#include <QLineEdit>
#include <QPushButton>

namespace qv {

class ComportamentiCampi;

class TfrmMenuContratti : public SchermoArea
{
    Q_OBJECT
public:
    explicit TfrmMenuContratti(QWidget *parent = nullptr);

    QLabel *lblInformazioni;
    QLabel *intAnnoFatture, *titAnnoFatture, *intAnnoRiepStats;
    QLineEdit *txtAnnoFatture;
    QPushButton *btnApriFatture, *btnApriRiepStats;
    Figura *imgIntestazione, *imgPersona, *imgGrafico, *imgSottotitolo, *imgGuida, *imgEsci;
    QLabel *lblMemory;

    static inline const QString TokenAvvio = QStringLiteral("avvio");
    static inline const QString TokenContratti = QStringLiteral("contratti");
    static inline const QString TokenStatistiche = QStringLiteral("stat_contratti");

public slots:
    void btnApriFattureClick();
    void btnApriRiepStatsClick();
    void imgEsciClick();
    void imgGuidaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    ComportamentiCampi *m_comportamenti = nullptr;
};

} // namespace qv
