#pragma once
// The input box as the program shows it: Italian buttons, and wide enough
// that its caption stands whole in the title bar beside the buttons the
// window manager adds; a long prompt wraps instead of widening the box. What
// is typed there is filtered as in every field (applicaFiltro).

class QInputDialog;
class QString;

namespace qv {

void preparaRichiesta(QInputDialog &dialogo, const QString &titolo, const QString &richiesta,
                      const QString &iniziale);

// The width a window needs to show `titolo` whole in its title bar.
int larghezzaPerTitolo(const QString &titolo);

} // namespace qv
