#pragma once
// The main menu's quiet notice of the contracts that end soon: how many
// employee contracts expire within the next 30 days and how many collaboration
// contracts of the current year end within them, each opening its list. The
// archives are read in the background each time the menu is shown; nothing is
// shown when nothing ends soon or an archive is missing or cannot be read.

#include <QDate>
#include <QFrame>

#include <optional>

class QLabel;
class QPushButton;

namespace qv {

inline constexpr int GiorniScadenza = 30;

struct ScadenzeVicine
{
    std::optional<int> dipendenti; // no value: the archive is missing or cannot be read
    std::optional<int> contratti;
};

// Counts from the archives themselves, on any thread: the employee cards whose
// contract expires from `oggi` to `giorni` days later (by the expired list's
// rule: not expired today, expired the day after the last), and the contracts
// of the year file in force today that are no longer in force the day after
// the last (by the valid list's rule). A missing archive is not created.
ScadenzeVicine contaScadenzeVicine(const QString &archivioDipendenti, const QString &archivioContratti,
                                   const QDate &oggi, int giorni = GiorniScadenza);

class PannelloScadenze : public QFrame
{
    Q_OBJECT
public:
    explicit PannelloScadenze(QWidget *parent);

    QLabel *lblScadenze;
    QPushButton *btnScadenzeDipendenti, *btnScadenzeContratti;

    // Reads the archives again in the background; the panel follows when the
    // answer comes back. The main menu's showing asks for it by itself.
    void aggiorna();
    // Whether a read is still under way.
    bool inLettura() const { return m_inAttesa > 0; }

    // The texts of the two lines.
    static QString testoDipendenti(int quanti);
    static QString testoContratti(int quanti, int anno);

public slots:
    // The registry with its list of contracts expiring or expired.
    void btnScadenzeDipendentiClick();
    // The contract archive of the current year with its list of contracts in force.
    void btnScadenzeContrattiClick();

signals:
    void aggiornato();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void mostra(const ScadenzeVicine &scadenze, int anno);

    int m_generazione = 0;
    int m_inAttesa = 0;
};

} // namespace qv
