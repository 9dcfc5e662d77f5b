#pragma once
// The contract summary's parameter screen: the year, the kind of service and
// the day-and-month interval of the signing dates, checked before the result
// screen lists the contracts.

#include "ui/finestre.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace qv {

class ComportamentiCampi;

class TfrmMenuRiepilogo : public SchermoArea
{
    Q_OBJECT
public:
    explicit TfrmMenuRiepilogo(QWidget *parent = nullptr);

    QFrame *shpSfondo;
    Figura *imgRiepilogo;
    QLabel *lblTitolo;
    QLabel *lblInfo01, *Label1, *lblInfo02, *lblCampo01, *lblCampo02, *lblCampo03;
    QLabel *lblAnno, *lblTipologia;
    QLineEdit *txtAnno, *txtTipologia;
    QGroupBox *grpDataInizio, *grpDataFine;
    QComboBox *txtGiornoInizio, *txtMeseInizio, *txtGiornoFine, *txtMeseFine;
    QLabel *lblAnnoInizio, *lblAnnoFine;
    QLabel *lblDataInizio, *lblDataFine, *lblFile;
    QPushButton *btnEsci, *btnVisualizza;
    QLabel *lblAttendere;

    // The month names of the drop-downs, January first.
    static const QStringList &mesi();

public slots:
    void FormShow();
    void btnVisualizzaMouseDown();
    void btnVisualizzaClick();
    void btnEsciClick();
    // The year typed is the year of both ends of the interval.
    void txtAnnoChange();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QGroupBox *gruppoData(const QString &nome, const QString &titolo, int x, QComboBox *&giorno, QComboBox *&mese,
                          QLabel *&anno, QLabel *&data);
    // The checks of "Visualizza riepilogo" in their order; false after the first that fails.
    bool controlla();

    ComportamentiCampi *m_campi;
    // The four drop-downs with their focus marks and the control Enter moves to.
    struct Tendina
    {
        QComboBox *campo;
        QWidget *segno;
        QWidget *successivo;
    };
    QList<Tendina> m_tendine;
};

} // namespace qv
