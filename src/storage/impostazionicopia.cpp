#include "impostazionicopia.h"

#include "ini.h"
#include "storico.h"

#include <QFileInfo>

namespace qv {

namespace {

// The keys, once.
constexpr char kCartella[] = "Cartella";
constexpr char kUltima[] = "Ultima copia";
constexpr char kGiorni[] = "Giorni promemoria";
constexpr char kVersioni[] = "Versioni per scheda";
constexpr char kDal[] = "Promemoria dal";

const QString kFormatoData = QStringLiteral("dd/MM/yyyy hh:mm");
const QString kFormatoGiorno = QStringLiteral("dd/MM/yyyy");

int numeroTra(const QString &testo, int minimo, int massimo, int predefinito)
{
    bool ok = false;
    const int n = testo.toInt(&ok);
    return ok && n >= minimo && n <= massimo ? n : predefinito;
}

} // namespace

ImpostazioniCopia leggiImpostazioniCopia(const QString &percorso)
{
    ImpostazioniCopia out;
    out.versioni = VersioniPerSchedaPredefinite;
    const std::optional<FileIni> ini = FileIni::leggi(percorso);
    if (!ini)
        return out;
    const QString sezione = QString::fromLatin1(kSezioneCopia);
    const auto valore = [&](const char *chiave) { return ini->valore(sezione, QString::fromLatin1(chiave)); };
    out.cartella = valore(kCartella);
    out.ultima = QDateTime::fromString(valore(kUltima), kFormatoData);
    out.dal = QDate::fromString(valore(kDal), kFormatoGiorno);
    out.giorni = numeroTra(valore(kGiorni), 1, ImpostazioniCopia::GiorniMassimi, ImpostazioniCopia::GiorniPredefiniti);
    out.versioni = numeroTra(valore(kVersioni), 1, ImpostazioniCopia::VersioniMassime, VersioniPerSchedaPredefinite);
    return out;
}

bool scriviImpostazioniCopia(const QString &percorso, const ImpostazioniCopia &i, QString *errore)
{
    std::optional<FileIni> ini = FileIni::leggi(percorso, errore);
    if (!ini)
        return false;
    const QString sezione = QString::fromLatin1(kSezioneCopia);
    ini->imposta(sezione, QString::fromLatin1(kCartella), i.cartella);
    ini->imposta(sezione, QString::fromLatin1(kUltima), i.ultima.isValid() ? i.ultima.toString(kFormatoData) : QString());
    ini->imposta(sezione, QString::fromLatin1(kGiorni), QString::number(i.giorni));
    ini->imposta(sezione, QString::fromLatin1(kVersioni), QString::number(i.versioni));
    ini->imposta(sezione, QString::fromLatin1(kDal), i.dal.isValid() ? i.dal.toString(kFormatoGiorno) : QString());
    return ini->salva(errore);
}

bool conservaImpostazioniCopia(const QString &attuale, const QString &ripristinato, QString *errore)
{
    if (!QFileInfo::exists(attuale))
        return true;
    const std::optional<FileIni> da = FileIni::leggi(attuale, errore);
    std::optional<FileIni> a = da ? FileIni::leggi(ripristinato, errore) : std::nullopt;
    if (!a)
        return false;
    const QString sezione = QString::fromLatin1(kSezioneCopia);
    for (const char *chiave : {kCartella, kUltima, kDal}) {
        const QString valore = da->valore(sezione, QString::fromLatin1(chiave));
        if (valore != a->valore(sezione, QString::fromLatin1(chiave)))
            a->imposta(sezione, QString::fromLatin1(chiave), valore);
    }
    return a->salva(errore);
}

std::optional<int> giorniDallaCopia(const ImpostazioniCopia &i, const QDate &oggi)
{
    if (!i.ultima.isValid())
        return std::nullopt;
    return int(i.ultima.date().daysTo(oggi));
}

bool copiaDaRicordare(const ImpostazioniCopia &i, const QDate &oggi, bool ciSonoSchede)
{
    if (const std::optional<int> giorni = giorniDallaCopia(i, oggi))
        return *giorni > i.giorni;
    return ciSonoSchede && i.dal.isValid() && i.dal.daysTo(oggi) > i.giorni;
}

} // namespace qv
