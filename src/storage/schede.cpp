#include "schede.h"

#include "core/testo.h"

#include <cstring>
#include <numeric>

namespace qv {

namespace {

using D = TSchedaDipendente;
using C = TSchedaContratto;

constexpr CampoScheda<D> kCampiDipendente[] = {
    {"Dipendente", 50, &D::Dipendente},     {"Cittadinanza", 50, &D::Cittadinanza},
    {"Stipendio", 12, &D::Stipendio},       {"Luogo", 50, &D::Luogo},
    {"DataNasc", 10, &D::DataNasc},         {"CodFisc", 16, &D::CodFisc},
    {"PartitaIva", 11, &D::PartitaIva},     {"Indirizzo", 120, &D::Indirizzo},
    {"Citta", 50, &D::Citta},               {"Prov", 2, &D::Prov},
    {"Cap", 10, &D::Cap},                   {"Qualifiche", 120, &D::Qualifiche},
    {"Familiari", 250, &D::Familiari},      {"Iban", 27, &D::Iban},
    {"Note", 250, &D::Note},                {"DataSca", 10, &D::DataSca},
    {"Preavviso", 3, &D::Preavviso},        {"Recapito", 50, &D::Recapito},
    {"Email", 50, &D::Email},               {"File01", 250, &D::File01},
    {"File02", 250, &D::File02},            {"File03", 250, &D::File03},
    {"Desc01", 250, &D::Desc01},            {"Desc02", 250, &D::Desc02},
    {"Desc03", 250, &D::Desc03},
};

constexpr CampoScheda<C> kCampiContratto[] = {
    {"DataStipula", 10, &C::DataStipula},   {"LuogoStipula", 50, &C::LuogoStipula},
    {"NomeDitta", 50, &C::NomeDitta},       {"SedeDitta", 50, &C::SedeDitta},
    {"ProvDitta", 2, &C::ProvDitta},        {"IvaDitta", 11, &C::IvaDitta},
    {"ComuneReg", 50, &C::ComuneReg},       {"ProvReg", 2, &C::ProvReg},
    {"NumReg", 30, &C::NumReg},             {"Legale", 50, &C::Legale},
    {"LuogoNascLeg", 50, &C::LuogoNascLeg}, {"DataNascLeg", 10, &C::DataNascLeg},
    {"CodFiscLeg", 16, &C::CodFiscLeg},     {"Attivita", 250, &C::Attivita},
    {"Foro", 50, &C::Foro},                 {"Dipendente", 50, &C::Dipendente},
    {"Cittadinanza", 50, &C::Cittadinanza}, {"Luogo", 50, &C::Luogo},
    {"DataNasc", 10, &C::DataNasc},         {"CodFisc", 16, &C::CodFisc},
    {"Recapito", 50, &C::Recapito},         {"Indirizzo", 120, &C::Indirizzo},
    {"Citta", 50, &C::Citta},               {"Prov", 2, &C::Prov},
    {"Cap", 10, &C::Cap},                   {"Stipendio", 12, &C::Stipendio},
    {"Iban", 27, &C::Iban},                 {"Qualifiche", 120, &C::Qualifiche},
    {"Prestazioni", 250, &C::Prestazioni},  {"DataInizio", 10, &C::DataInizio},
    {"DataFine", 10, &C::DataFine},         {"Durata", 50, &C::Durata},
    {"SedeLavoro", 50, &C::SedeLavoro},     {"Motivo", 120, &C::Motivo},
    {"Note", 250, &C::Note},                {"Rescisso", 2, &C::Rescisso},
    {"File01", 250, &C::File01},            {"File02", 250, &C::File02},
    {"File03", 250, &C::File03},            {"Desc01", 250, &C::Desc01},
    {"Desc02", 250, &C::Desc02},            {"Desc03", 250, &C::Desc03},
};

template <typename R, std::size_t N>
constexpr int dimensione(const CampoScheda<R> (&campi)[N])
{
    int n = 0;
    for (const auto &c : campi)
        n += c.capacita + 1;
    return n;
}

static_assert(dimensione(kCampiDipendente) == TSchedaDipendente::Dimensione);
static_assert(dimensione(kCampiContratto) == TSchedaContratto::Dimensione);

} // namespace

std::span<const CampoScheda<D>> TSchedaDipendente::campi() { return kCampiDipendente; }
std::span<const CampoScheda<C>> TSchedaContratto::campi() { return kCampiContratto; }

QString TSchedaContratto::testoRescisso(bool rescisso)
{
    return rescisso ? QStringLiteral("Sì") : QStringLiteral("No");
}

std::optional<bool> TSchedaContratto::rescisso() const
{
    if (Rescisso == QStringLiteral("Sì"))
        return true;
    if (Rescisso == QStringLiteral("No"))
        return false;
    return std::nullopt;
}

void codificaCampo(const QString &testo, int capacita, char *dest)
{
    const QByteArray b = toCp1252(trimmed(testo));
    const int n = int(std::min<qsizetype>(b.size(), capacita));
    dest[0] = char(static_cast<unsigned char>(n));
    std::memcpy(dest + 1, b.constData(), size_t(n));
    std::memset(dest + 1 + n, 0, size_t(capacita - n));
}

QString decodificaCampo(const char *src, int capacita)
{
    const QByteArrayView b = byteCampo(src, capacita);
    return fromCp1252(b.data(), b.size());
}

void decodificaCampo(const char *src, int capacita, QString &dest)
{
    const QByteArrayView b = byteCampo(src, capacita);
    fromCp1252(b.data(), b.size(), dest);
}

} // namespace qv
