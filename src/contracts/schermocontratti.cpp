#include "schermocontratti.h"

#include "contracts/frmcontratti.h"
#include "ui/schermi.h"
#include "core/testo.h"

namespace qv {

TfrmContratti *schermoContratti(const QWidget *dialogo)
{
    if (auto *s = Schermi::di<TfrmContratti>())
        return s;
    return dialogo && dialogo->parentWidget() ? qobject_cast<TfrmContratti *>(dialogo->parentWidget()->window())
                                              : nullptr;
}

QString archivioContratti(const QWidget *dialogo)
{
    const TfrmContratti *schermo = schermoContratti(dialogo);
    return schermo ? trimmed(schermo->lblFile->text()) : QString();
}

void apriSchedaContratto(QWidget *dialogo, int posizione)
{
    if (TfrmContratti *schermo = schermoContratti(dialogo); schermo && schermo->lasciaScheda(dialogo))
        schermo->apriScheda(posizione);
}

} // namespace qv
