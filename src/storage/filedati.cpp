#include "filedati.h"

#include "schede.h"
#include "storico.h"

#include <QRegularExpression>

namespace qv {

namespace {

using G = GenereFileCopia;

// The data files of the program folder by their names, and the word each
// kind is written with in the copy's description.
struct RegolaDati
{
    const char *modello;
    G genere;
    const char *parola;
};

const RegolaDati kRegole[] = {
    {R"(^Dipendenti\.pro$)", G::Dipendenti, "dipendenti"},
    {R"(^\d{4}\.con$)", G::Contratti, "contratti"},
    {R"(^(Dipendenti\.pro|\d{4}\.con)\.storico$)", G::Storico, "storico"},
    {R"(^\d+\.jpg$)", G::Foto, "foto"},
    {R"(^Dipendente_\d+\.xlsx?$)", G::FoglioLavoro, "foglio"},
    {R"(^Quadrivela\.ini$)", G::Impostazioni, "impostazioni"},
    {R"(^unins000\.dll$)", G::Password, "password"},
    {R"(^((Dipendenti|Contratti_Lavoro)\.xlsx?|Contratto_Collaborazione\.rtf)$)", G::Esportazione, "esportazione"},
};
constexpr char kParolaAllegato[] = "allegato";

} // namespace

std::optional<GenereFileCopia> genereFileDati(const QString &nome)
{
    for (const RegolaDati &r : kRegole)
        if (QRegularExpression(QLatin1String(r.modello)).match(nome).hasMatch())
            return r.genere;
    return std::nullopt;
}

int dimensioneScheda(GenereFileCopia genere, const QString &nome)
{
    const bool dipendenti = nome.startsWith(QLatin1String("Dipendenti"));
    switch (genere) {
    case G::Dipendenti:
    case G::Contratti:
    case G::Storico:
        return dipendenti ? TSchedaDipendente::Dimensione : TSchedaContratto::Dimensione;
    default:
        return 0;
    }
}

QString parolaGenere(GenereFileCopia genere)
{
    for (const RegolaDati &r : kRegole)
        if (r.genere == genere)
            return QLatin1String(r.parola);
    return QLatin1String(kParolaAllegato);
}

std::optional<GenereFileCopia> generePerParola(const QString &p)
{
    for (const RegolaDati &r : kRegole)
        if (p == QLatin1String(r.parola))
            return r.genere;
    if (p == QLatin1String(kParolaAllegato))
        return G::Allegato;
    return std::nullopt;
}

QStringList fileScrittiDalProgramma(const CartellaProgramma &c)
{
    const QStringList percorsi = {
        c.archivioDipendenti(),
        c.archivioContratti(2026),
        percorsoStorico(c.archivioDipendenti()),
        percorsoStorico(c.archivioContratti(2026)),
        c.foto(1),
        c.foglioLavoro(1),
        c.foglioLavoroXlsx(1),
        c.impostazioni(),
        c.archivioPassword(),
        c.esportazioneDipendenti(),
        c.esportazioneContratti(),
        c.cartellaDipendenti(),
        c.cartellaContratti(),
        c.documentoContratto(),
    };
    QStringList nomi;
    for (const QString &p : percorsi)
        nomi << p.mid(c.dir().size() + 1);
    return nomi;
}

} // namespace qv
