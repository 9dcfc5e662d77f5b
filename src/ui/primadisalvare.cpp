#include "primadisalvare.h"

#include "core/controllodate.h"
#include "core/date.h"
#include "core/importo.h"
#include "core/testo.h"
#include "ui/filtrocampo.h"
#include "ui/servizi.h"

namespace qv {

bool primaDiSalvare(QWidget *schermo, QLineEdit *importo, const QStringList &problemi, const QString &cosa)
{
    Servizi &s = Servizi::correnti();
    const QString testo = trimmed(importo->text());
    if (const QString motivo = motivoImportoDaCorreggere(importo); !motivo.isEmpty()) {
        s.messaggio(schermo, TipoMessaggio::Avviso,
                    QStringLiteral("Attenzione: ") + motivo.left(1).toLower() + motivo.mid(1)
                        + QStringLiteral("\r\n\r\nLa scheda non è stata salvata."));
        importo->setFocus(Qt::OtherFocusReason);
        segnaRifiuto(importo, true);
        return false;
    }
    if (testo.contains(u'.'))
        importo->setText(formattaImporto(testo));
    if (problemi.isEmpty())
        return true;
    return s.domanda(schermo, domandaDate(problemi, cosa), false);
}

bool dataEsistente(QWidget *schermo, QLineEdit *campo, const QString &quale, const QString &cosa)
{
    if (leggiData(campo->text()))
        return true;
    Servizi::correnti().messaggio(schermo, TipoMessaggio::Semplice,
                                  QStringLiteral("Attenzione: ") + quale + u' ' + trimmed(campo->text())
                                      + QStringLiteral(" non esiste.\n\r\n\rPer poter salvare ") + cosa
                                      + QStringLiteral(" è necessario indicare una data valida nel formato "
                                                       "gg/mm/aaaa."));
    campo->setFocus(Qt::OtherFocusReason);
    segnaRifiuto(campo, true);
    return false;
}

} // namespace qv
