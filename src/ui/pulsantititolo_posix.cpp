#include "pulsantititolo.h"

#include "finestre.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef QV_XCB
#include <xcb/xcb.h>
#include <cstdlib>
#endif

namespace qv {

#ifdef QV_XCB
namespace {

// The window manager hints of the Motif protocol, which window managers read
// for the decorations and the actions a window allows.
constexpr uint32_t MwmFunzioni = 1, MwmDecorazioni = 2;
constexpr uint32_t FunzRidimensiona = 2, FunzSposta = 4, FunzRiduci = 8, FunzIngrandisci = 16, FunzChiudi = 32;
constexpr uint32_t DecBordo = 2, DecRidimensiona = 4, DecTitolo = 8, DecMenu = 16, DecRiduci = 32, DecIngrandisci = 64;

} // namespace
#endif

void applicaPulsantiTitolo(QWidget *finestra, int pulsanti)
{
#ifdef QV_XCB
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *c = x11->connection();
    // Each button: the action it allows and the decoration that shows it.
    static const struct { int pulsante; uint32_t funzione, decorazione; } kPulsanti[] = {
        {BordoRidimensionabile, FunzRidimensiona, DecRidimensiona},
        {PulsanteChiudi, FunzChiudi, DecMenu},
        {PulsanteRiduci, FunzRiduci, DecRiduci},
        {PulsanteIngrandisci, FunzIngrandisci, DecIngrandisci},
    };
    uint32_t funzioni = FunzSposta, decorazioni = DecBordo | DecTitolo;
    for (const auto &p : kPulsanti)
        if (pulsanti & p.pulsante) {
            funzioni |= p.funzione;
            decorazioni |= p.decorazione;
        }
    const uint32_t hints[5] = {MwmFunzioni | MwmDecorazioni, funzioni, decorazioni, 0, 0};
    static const char nome[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t *atomo =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof(nome) - 1, nome), nullptr);
    if (!atomo)
        return;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(finestra->winId()), atomo->atom, atomo->atom, 32, 5,
                        hints);
    xcb_flush(c);
    free(atomo);
#else
    Q_UNUSED(finestra);
    Q_UNUSED(pulsanti);
#endif
}

} // namespace qv
