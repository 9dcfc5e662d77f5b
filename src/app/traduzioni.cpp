#include "traduzioni.h"

#include <cstring>

namespace qv {

namespace {

struct Traduzione
{
    const char *contesto;
    const char *testo;
    const char *italiano;
};

const Traduzione kTraduzioni[] = {
    {"QPrintSettingsOutput", "Pages", "Pagine"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Stampa fronte/retro"},
    {"QPrintSettingsOutput", "Off", "No"},
    {"QPrintSettingsOutput", "Long side binding", "Rilegatura sul lato lungo"},
    {"QPrintSettingsOutput", "Short side binding", "Rilegatura sul lato corto"},
};

} // namespace

QString TraduzioniProgramma::translate(const char *contesto, const char *testo, const char *, int) const
{
    if (!contesto || !testo)
        return QString();
    for (const Traduzione &t : kTraduzioni)
        if (std::strcmp(t.contesto, contesto) == 0 && std::strcmp(t.testo, testo) == 0)
            return QString::fromUtf8(t.italiano);
    return QString();
}

} // namespace qv
