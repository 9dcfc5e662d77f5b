#include "schermocontratti.h"

#include "ui/schermi.h"
#include "core/testo.h"
#include "storage/archivio.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace qv {

QWidget *schermoContratti(const QWidget *dialogo)
{
    if (QWidget *s = Schermi::per(QStringLiteral("TfrmContratti")))
        return s;
    return dialogo && dialogo->parentWidget() ? dialogo->parentWidget()->window() : nullptr;
}

QString archivioContratti(const QWidget *dialogo)
{
    const QWidget *schermo = schermoContratti(dialogo);
    const QLabel *file = schermo ? schermo->findChild<QLabel *>(QStringLiteral("lblFile")) : nullptr;
    return file ? trimmed(file->text()) : QString();
}

void apriSchedaContratto(const QWidget *dialogo, int posizione)
{
    ArchivioContratti archivio(archivioContratti(dialogo));
    archivio.apri();
    const TSchedaContratto scheda = archivio.leggi(posizione);
    archivio.chiudi();
    if (QWidget *schermo = schermoContratti(dialogo))
        caricaSchedaContratto(schermo, scheda, posizione);
}

void caricaSchedaContratto(QWidget *schermo, const TSchedaContratto &scheda, int posizione)
{
    // Each field has its control named after it: an edit field, the rescission
    // box, or a hidden label for the attachments.
    for (const auto &c : TSchedaContratto::campi()) {
        const QString nome = QLatin1String(c.nome);
        const QString valore = trimmed(scheda.*(c.membro));
        if (auto *campo = schermo->findChild<QLineEdit *>(QStringLiteral("txt") + nome)) {
            campo->setText(valore);
        } else if (auto *casella = schermo->findChild<QCheckBox *>(QStringLiteral("chk") + nome)) {
            if (const std::optional<bool> r = scheda.rescisso())
                casella->setChecked(*r);
        } else if (auto *etichetta = schermo->findChild<QLabel *>(QStringLiteral("lbl") + nome)) {
            etichetta->setText(valore);
        }
    }
    if (auto *p = schermo->findChild<QLabel *>(QStringLiteral("lblPosizione")))
        p->setText(QString::number(posizione));
}

} // namespace qv
