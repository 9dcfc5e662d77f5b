#pragma once
// The main menu's quiet notice of the contracts that end soon: how many
// employee contracts expire within the next 30 days and how many collaboration
// contracts of the current year end within them, each opening the list of
// exactly those cards. The archives are read in the background each time the
// menu is shown; nothing is shown when nothing ends soon or an archive is
// missing or cannot be read. The same band reminds of a safety copy when the
// last one is older than the days set (app/copiasicurezza.h); a click makes it.

#include "storage/scadenze.h"

#include <QDate>
#include <QFrame>

#include <optional>

class QLabel;
class QPushButton;

namespace qv {

class PannelloScadenze : public QFrame
{
    Q_OBJECT
public:
    explicit PannelloScadenze(QWidget *parent);

    QLabel *lblScadenze;
    QPushButton *btnScadenzeDipendenti, *btnScadenzeContratti;
    QPushButton *btnPromemoriaCopia;

    // Reads the archives again in the background; the panel follows when the
    // answer comes back. The main menu's showing asks for it by itself.
    void aggiorna();
    // Whether a read is still under way.
    bool inLettura() const { return m_inAttesa > 0; }

    // The texts of the two lines.
    static QString testoDipendenti(int quanti);
    static QString testoContratti(int quanti, int anno);

public slots:
    // The registry with the list of the employee cards counted.
    void btnScadenzeDipendentiClick();
    // The contract archive of the current year with the list of the contracts counted.
    void btnScadenzeContrattiClick();
    // The safety copy, in the folder of the last one.
    void btnPromemoriaCopiaClick();

signals:
    void aggiornato();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void mostra(const ScadenzeVicine &scadenze, int anno, const std::optional<QString> &promemoria);

    int m_generazione = 0;
    int m_inAttesa = 0;
};

} // namespace qv
