#include "cartellascrivibile.h"

#include "servizi.h"
#include "storage/sololettura.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

QString percorsoDaScrivere(QWidget *padre, const QString &percorso, const QString &descrizione,
                           const QString &filtro)
{
    if (!percorsoSolaLettura(percorso))
        return percorso;
    Servizi &s = Servizi::correnti();
    const QFileInfo info(percorso);
    s.messaggio(padre, TipoMessaggio::Semplice,
                QStringLiteral("Attenzione: la cartella del programma è in sola lettura: %1 non può essere creato "
                               "lì.\n\r\n\rScegliere in quale cartella salvarlo.")
                    .arg(descrizione));
    return s.fileDaSalvare(padre, QStringLiteral("Salva con nome"), {filtro}, QDir::home().filePath(info.fileName()),
                           info.suffix());
}

} // namespace qv
