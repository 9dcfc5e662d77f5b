#include "tastiera.h"

#include "ui/finestre.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace qv {

namespace {

// A piece of the layout: a framed box with the controls inside it, or a
// control on its own (then its own area and itself).
struct Blocco
{
    QRect area;
    QList<QWidget *> controlli;
};

// Boxes drawn edge to edge may overlap by their borders, and still follow one another.
constexpr int Tolleranza = 4;

using Bordo = std::function<int(const QRect &)>;

// The blocks in bands along one direction: a block that begins where every
// block before it has ended (give or take the tolerance) begins a new band.
QList<QList<Blocco>> inFasce(QList<Blocco> blocchi, const Bordo &inizio, const Bordo &fine)
{
    std::stable_sort(blocchi.begin(), blocchi.end(),
                     [&](const Blocco &a, const Blocco &b) { return inizio(a.area) < inizio(b.area); });
    QList<QList<Blocco>> fasce;
    int limite = 0;
    for (const Blocco &b : std::as_const(blocchi)) {
        if (fasce.isEmpty() || inizio(b.area) >= limite - Tolleranza) {
            fasce.append(QList<Blocco>());
            limite = fine(b.area);
        } else {
            limite = std::max(limite, fine(b.area));
        }
        fasce.last().append(b);
    }
    return fasce;
}

// Reads the blocks into `ordine`: rows first, then the columns of a row, and
// so on inward; blocks that overlap both ways go by their top left corners.
void leggi(const QList<Blocco> &blocchi, QList<QWidget *> &ordine)
{
    if (blocchi.size() == 1) {
        ordine += blocchi.constFirst().controlli;
        return;
    }
    const Bordo alto = [](const QRect &r) { return r.top(); };
    const Bordo basso = [](const QRect &r) { return r.top() + r.height(); };
    const Bordo sinistra = [](const QRect &r) { return r.left(); };
    const Bordo destra = [](const QRect &r) { return r.left() + r.width(); };
    for (const auto &[inizio, fine] : {std::pair(alto, basso), std::pair(sinistra, destra)}) {
        const QList<QList<Blocco>> fasce = inFasce(blocchi, inizio, fine);
        if (fasce.size() > 1) {
            for (const QList<Blocco> &f : fasce)
                leggi(f, ordine);
            return;
        }
    }
    QList<Blocco> resto = blocchi;
    std::stable_sort(resto.begin(), resto.end(), [](const Blocco &a, const Blocco &b) {
        return std::pair(a.area.top(), a.area.left()) < std::pair(b.area.top(), b.area.left());
    });
    for (const Blocco &b : std::as_const(resto))
        ordine += b.controlli;
}

bool prendeTab(const QWidget *w)
{
    return w->focusPolicy() & Qt::TabFocus;
}

// The controls of `contenitore` that Tab reaches; a control's own parts are not counted.
QList<QWidget *> controlliTab(QWidget *contenitore)
{
    QList<QWidget *> out;
    for (QWidget *w : contenitore->findChildren<QWidget *>()) {
        if (!prendeTab(w) || w->isWindow())
            continue;
        bool parte = false;
        for (QWidget *p = w->parentWidget(); p && p != contenitore && !parte; p = p->parentWidget())
            parte = prendeTab(p);
        if (!parte)
            out.append(w);
    }
    return out;
}

const Scorciatoia kScorciatoie[] = {
    {"btnNuovo", Qt::CTRL | Qt::Key_N, "Ctrl+N", "Nuovo", false},
    {"btnSalva", Qt::CTRL | Qt::Key_S, "Ctrl+S", "Salva", false},
    {"btnTrova", Qt::CTRL | Qt::Key_F, "Ctrl+F", "Trova", false},
    {"btnStampa", Qt::CTRL | Qt::Key_P, "Ctrl+P", "Stampa", false},
    {"btnVersioni", Qt::CTRL | Qt::Key_H, "Ctrl+H", "Versioni precedenti", false},
    {"cmdPrimo", Qt::CTRL | Qt::Key_PageUp, "Ctrl+PagSu", "Prima scheda", false},
    {"cmdIndietro", QKeyCombination(Qt::Key_PageUp), "PagSu", "Scheda precedente", true},
    {"cmdAvanti", QKeyCombination(Qt::Key_PageDown), "PagGiù", "Scheda successiva", true},
    {"cmdUltimo", Qt::CTRL | Qt::Key_PageDown, "Ctrl+PagGiù", "Ultima scheda", false},
    {"btnGuida", QKeyCombination(Qt::Key_F1), "F1", "Guida", false},
    {"btnEsci", QKeyCombination(Qt::Key_Escape), "Esc", "Esci", false},
};

} // namespace

QList<QWidget *> ordinaTabulazione(QWidget *contenitore)
{
    const QList<QWidget *> controlli = controlliTab(contenitore);
    QList<Blocco> riquadri;
    for (QWidget *w : contenitore->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->objectName().startsWith(QLatin1String("shp")))
            riquadri.append({w->geometry(), {}});
    QList<Blocco> sciolti;
    for (QWidget *w : controlli) {
        const QRect area(w->mapTo(contenitore, QPoint()), w->size());
        // The largest box the control's centre lies in holds it.
        Blocco *casa = nullptr;
        for (Blocco &r : riquadri)
            if (r.area.contains(area.center())
                && (!casa || qint64(r.area.width()) * r.area.height() > qint64(casa->area.width()) * casa->area.height()))
                casa = &r;
        if (casa)
            casa->controlli.append(w);
        else
            sciolti.append({area, {w}});
    }
    QList<Blocco> blocchi = sciolti;
    for (Blocco &r : riquadri) {
        if (r.controlli.isEmpty())
            continue;
        QList<Blocco> dentro;
        for (QWidget *w : std::as_const(r.controlli))
            dentro.append({QRect(w->mapTo(contenitore, QPoint()), w->size()), {w}});
        QList<QWidget *> letti;
        leggi(dentro, letti);
        blocchi.append({r.area, letti});
    }
    QList<QWidget *> ordine;
    if (!blocchi.isEmpty())
        leggi(blocchi, ordine);
    for (qsizetype i = 1; i < ordine.size(); ++i)
        QWidget::setTabOrder(ordine.at(i - 1), ordine.at(i));
    return ordine;
}

std::span<const Scorciatoia> scorciatoieSchede()
{
    return kScorciatoie;
}

void comandiDaTastiera(QWidget *schermo, QWidget *pannello)
{
    ordinaTabulazione(pannello);
    for (const Scorciatoia &s : kScorciatoie) {
        auto *f = schermo->findChild<Figura *>(QLatin1String(s.controllo));
        if (!f || !f->cliccabile())
            continue;
        auto *scorciatoia = new QShortcut(QKeySequence(s.tasto), schermo);
        scorciatoia->setContext(Qt::WindowShortcut);
        scorciatoia->setAutoRepeat(s.ripete);
        QObject::connect(scorciatoia, &QShortcut::activated, f, [f] {
            if (f->isVisible())
                f->premi();
        });
        const QString azione = QString::fromUtf8(s.azione);
        f->setToolTip(QStringLiteral("%1 (%2)").arg(azione, QString::fromUtf8(s.nomeTasto)));
        // Its mnemonic is Ctrl's letter where the action has it (Alt+S for Salva, Alt+P for Stampa).
        const QChar lettera = QChar(char16_t(s.tasto.key())).toLower();
        if (lettera.isLetter() && azione.contains(lettera, Qt::CaseInsensitive))
            f->setProperty("mnemonico", QString(lettera));
    }
}

} // namespace qv
