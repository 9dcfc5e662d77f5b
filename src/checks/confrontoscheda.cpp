#include "confrontoscheda.h"

#include "core/codicefiscale.h"
#include "core/testo.h"
#include "ui/frmelenco.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QFileInfo>
#include <QLineEdit>

namespace qv {

bool confermaCodiciFiscali(QWidget *schermo, const QList<CodiceDellaScheda> &codici)
{
    Servizi &s = Servizi::correnti();
    QStringList righe;  // the disagreements, under their one heading
    QStringList avvisi; // codes that cannot be, and codes on other cards
    QLineEdit *primo = nullptr;
    for (const CodiceDellaScheda &c : codici) {
        const QString codice = upperAZ(trimmed(c.campo->text()));
        const QString chi = c.chi.isEmpty() ? QString() : QStringLiteral(" (") + c.chi + u')';
        QStringList discordanze;
        QStringList questi;
        if (const QString difetto = difettoCodiceFiscale(codice); !difetto.isEmpty()) {
            questi << QStringLiteral("Attenzione: il codice fiscale ") + codice + chi
                          + QStringLiteral(" non è un codice fiscale possibile: ") + difetto + u'.';
        } else if (!codice.isEmpty()) {
            discordanze = discordanzeCodiceFiscale(codice, c.dati, s.oggi());
            if (!c.altreSchede.isEmpty())
                questi << QStringLiteral("Attenzione: il codice fiscale ") + codice + chi
                              + (c.altreSchede.size() == 1 ? QStringLiteral(" è già nella scheda ")
                                                           : QStringLiteral(" è già nelle schede "))
                              + c.altreSchede.join(QStringLiteral(", ")) + u'.';
        }
        if (discordanze.isEmpty() && questi.isEmpty())
            continue;
        if (!primo)
            primo = c.campo;
        for (const QString &d : discordanze)
            righe << (c.chi.isEmpty() ? d : c.chi + QStringLiteral(": ") + d) + u'.';
        avvisi << questi;
    }
    if (!primo)
        return true;
    QStringList parti = avvisi;
    if (!righe.isEmpty())
        parti.prepend(MsgCodFiscDiscorde + QStringLiteral("\r\n\r\n") + righe.join(QStringLiteral("\r\n")));
    const QString testo = parti.join(QStringLiteral("\r\n\r\n")) + QStringLiteral("\r\n\r\n") + DomandaSalvaComunque;
    if (s.domanda(schermo, testo, false))
        return true;
    primo->setFocus(Qt::OtherFocusReason);
    return false;
}

QStringList schedeConCodiceFiscale(const QString &codice, int posizione)
{
    const QString cercato = upperAZ(trimmed(codice));
    const QString percorso = cartellaProgramma().archivioDipendenti();
    QStringList altre;
    if (cercato.isEmpty() || !QFileInfo::exists(percorso))
        return altre;
    scorriSchede<TSchedaDipendente>(percorso, {&TSchedaDipendente::CodFisc, &TSchedaDipendente::Dipendente},
                                    [&](int p, const TSchedaDipendente &scheda, const char *) {
                                        if (p != posizione && upperAZ(trimmed(scheda.CodFisc)) == cercato)
                                            altre << QStringLiteral("%1 (%2)").arg(p).arg(trimmed(scheda.Dipendente));
                                    });
    return altre;
}

} // namespace qv
