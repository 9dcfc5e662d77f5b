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
    const QString mostrato = mostraImporto(testo);
    if (mostrato != importo->text())
        importo->setText(mostrato);
    if (const int capacita = capacitaImporto(importo); capacita > 0 && valoreDelTesto(importo).size() > capacita) {
        // Never cut: the archive would hold another amount.
        s.messaggio(schermo, TipoMessaggio::Avviso,
                    QStringLiteral("Attenzione: l'importo %1 è troppo grande per l'archivio, che ne tiene al più %2 "
                                   "caratteri senza i punti delle migliaia.\r\n\r\nLa scheda non è stata salvata.")
                        .arg(mostrato)
                        .arg(capacita));
        importo->setFocus(Qt::OtherFocusReason);
        segnaRifiuto(importo, true);
        return false;
    }
    if (problemi.isEmpty())
        return true;
    return s.domanda(schermo, domandaDate(problemi, cosa), false);
}

bool dataEsistente(QWidget *schermo, QLineEdit *campo, const QString &quale, const QString &cosa, bool facoltativa)
{
    if (leggiData(campo->text()) || (facoltativa && trimmed(campo->text()).isEmpty()))
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
