#include "pulsantititolo.h"

#include "finestre.h"

#include <QWidget>

#include <windows.h>

namespace qv {

void applicaPulsantiTitolo(QWidget *finestra, int pulsanti)
{
    const HWND hwnd = reinterpret_cast<HWND>(finestra->winId());
    if (!hwnd)
        return;
    // The system menu carries the close button; a window without it still
    // gets Alt+F4, which reaches its closeEvent.
    static const struct { int pulsante; LONG_PTR stile; } kPulsanti[] = {
        {BordoRidimensionabile, WS_THICKFRAME},
        {PulsanteChiudi, WS_SYSMENU},
        {PulsanteRiduci, WS_MINIMIZEBOX},
        {PulsanteIngrandisci, WS_MAXIMIZEBOX},
    };
    LONG_PTR stile = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR prima = stile;
    for (const auto &p : kPulsanti)
        stile = (pulsanti & p.pulsante) ? (stile | p.stile) : (stile & ~p.stile);
    // Minimise or maximise alone would show both boxes: they need the system menu.
    if (pulsanti & (PulsanteRiduci | PulsanteIngrandisci))
        stile |= WS_SYSMENU;
    stile |= WS_CAPTION;
    if (stile == prima)
        return;
    SetWindowLongPtrW(hwnd, GWL_STYLE, stile);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace qv
