#include "archiviopassword.h"

#include "core/testo.h"
#include "crypt.h"
#include "ini.h"

#include <QFileInfo>

namespace qv {

namespace {

const QString kSezione = QStringLiteral("Accesso");
const QString kChiave = QStringLiteral("Valore");
constexpr qsizetype kLunghezzaMassima = 255;

} // namespace

QString passwordNormalizzata(const QString &digitata)
{
    return trimmed(upperAZ(digitata));
}

bool passwordMemorizzabile(const QString &digitata)
{
    const QString password = passwordNormalizzata(digitata);
    if (password.size() > kLunghezzaMassima)
        return false;
    for (const QChar c : password)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

std::optional<QString> leggiPassword(const QString &percorso, QString *errore)
{
    const std::optional<FileIni> ini = FileIni::leggi(percorso, errore);
    if (!ini)
        return std::nullopt;
    const std::optional<QString> chiaro = DecifraPassword(ini->valore(kSezione, kChiave));
    if (!chiaro) {
        if (errore)
            *errore = QStringLiteral("%1: la password memorizzata non è un numero esadecimale").arg(percorso);
        return std::nullopt;
    }
    return trimmed(*chiaro);
}

bool scriviPassword(const QString &percorso, const QString &digitata, QString *errore)
{
    if (!passwordMemorizzabile(digitata)) {
        if (errore)
            *errore = QStringLiteral("la password contiene caratteri non ammessi o supera i 255 caratteri");
        return false;
    }
    std::optional<FileIni> ini = FileIni::leggi(percorso, errore);
    if (!ini)
        return false;
    ini->imposta(kSezione, kChiave, CifraPassword(passwordNormalizzata(digitata)));
    return ini->salva(errore);
}

bool creaArchivioPassword(const QString &percorso, QString *errore)
{
    return QFileInfo::exists(percorso) || scriviPassword(percorso, QString::fromLatin1(kPasswordIniziale), errore);
}

} // namespace qv
