#include "richiesta.h"

#include "ui/filtrocampo.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>

#include <algorithm>

namespace qv {

int larghezzaPerTitolo(const QString &titolo)
{
    // Window managers draw captions about as large as a bold system font and
    // put the icon and up to three buttons beside them.
    QFont f = QApplication::font();
    f.setBold(true);
    const QFontMetrics m(f);
    return int(m.horizontalAdvance(titolo) * 1.15) + 4 * m.height() + 140;
}

void preparaRichiesta(QInputDialog &dialogo, const QString &titolo, const QString &richiesta,
                      const QString &iniziale)
{
    dialogo.setWindowTitle(titolo);
    dialogo.setLabelText(richiesta);
    dialogo.setTextValue(iniziale);
    dialogo.setOkButtonText(QStringLiteral("OK"));
    dialogo.setCancelButtonText(QStringLiteral("Annulla"));
    // What is typed there takes in what a field of the program takes in.
    if (auto *campo = dialogo.findChild<QLineEdit *>())
        applicaFiltro(campo, Semplice);
    // The box sizes itself to its contents: the prompt gets the width.
    const QMargins m = dialogo.layout() ? dialogo.layout()->contentsMargins() : QMargins();
    for (QLabel *l : dialogo.findChildren<QLabel *>()) {
        l->setWordWrap(true);
        l->setMinimumWidth(larghezzaPerTitolo(titolo) - m.left() - m.right());
    }
}

} // namespace qv
