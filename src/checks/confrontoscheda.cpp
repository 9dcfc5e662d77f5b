#include "confrontoscheda.h"

#include "ui/servizi.h"

#include <QLineEdit>

namespace qv {

bool confermaCodiciFiscali(QWidget *schermo, const QList<CodiceDellaScheda> &codici)
{
    Servizi &s = Servizi::correnti();
    QStringList righe;
    QLineEdit *primo = nullptr;
    for (const CodiceDellaScheda &c : codici) {
        const QStringList discordanze = discordanzeCodiceFiscale(c.campo->text(), c.dati, s.oggi());
        if (discordanze.isEmpty())
            continue;
        if (!primo)
            primo = c.campo;
        for (const QString &d : discordanze)
            righe << (c.chi.isEmpty() ? d : c.chi + QStringLiteral(": ") + d) + u'.';
    }
    if (righe.isEmpty())
        return true;
    const QString testo = MsgCodFiscDiscorde + QStringLiteral("\r\n\r\n") + righe.join(QStringLiteral("\r\n"))
                          + QStringLiteral("\r\n\r\n") + DomandaSalvaComunque;
    if (s.domanda(schermo, testo, false))
        return true;
    primo->setFocus(Qt::OtherFocusReason);
    return false;
}

} // namespace qv
