#include "mnemonici.h"

#include "ui/finestre.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

namespace qv {

namespace {

// Where a button keeps its letter once given, and whether Alt and the letter
// reach it through a shortcut of the window rather than its own text.
const char *const ProprietaLettera = "qvMnemonico";
const char *const ProprietaScorciatoia = "qvScorciatoia";

bool lettera(QChar c)
{
    const char16_t l = c.toLower().unicode();
    return l >= u'a' && l <= u'z';
}

// The letter a text marks with a single "&" ("&&" is an ampersand), lower case.
QChar segnata(const QString &testo)
{
    for (qsizetype i = 0; i + 1 < testo.size(); ++i) {
        if (testo.at(i) != u'&')
            continue;
        if (testo.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return testo.at(i + 1).toLower();
    }
    return {};
}

// A button whose text is what the user sees of it, and so carries its letter.
QAbstractButton *conTesto(QWidget *w)
{
    auto *b = qobject_cast<QAbstractButton *>(w);
    return b && !qobject_cast<QToolButton *>(b) ? b : nullptr;
}

// The places in `nome` of the letters that may be a button's: the initials
// of its words first, then the others.
QList<qsizetype> candidati(const QString &nome)
{
    QList<qsizetype> iniziali, altre;
    for (qsizetype i = 0; i < nome.size(); ++i) {
        if (!lettera(nome.at(i)))
            continue;
        const bool inizio = i == 0 || !nome.at(i - 1).isLetterOrNumber();
        (inizio ? iniziali : altre).append(i);
    }
    return iniziali + altre;
}

// Where `c` is in `testo`: at the start of a word if it is there, else its first place; -1 when it is not.
qsizetype posto(const QString &testo, QChar c)
{
    for (const qsizetype i : candidati(testo))
        if (testo.at(i).toLower() == c)
            return i;
    return -1;
}

void segna(QAbstractButton *b, const QString &testo, QChar c)
{
    QString t = testo;
    t.replace(QStringLiteral("&"), QStringLiteral("&&"));
    if (const qsizetype i = posto(t, c); i >= 0)
        t.insert(i, u'&');
    b->setText(t);
}

// The keys a tooltip names at its end: "Salva (Ctrl+S)", "Guida (F1)".
const QRegularExpression &tastiNominati()
{
    static const QRegularExpression tasti(QStringLiteral(" \\(([^()]*(Ctrl|Alt|Esc|F1|Pag)[^()]*)\\)$"));
    return tasti;
}

// What a button does, for its tooltip: its tooltip without the keys it
// names at its end ("Salva" from "Salva (Ctrl+S)"), else its hint on the
// info line up to its colon or full stop, else its text.
QString descrizione(const QWidget *pulsante)
{
    if (QString t = pulsante->toolTip(); !t.isEmpty())
        return t.remove(tastiNominati());
    if (const QString h = pulsante->property("suggerimento").toString(); !h.isEmpty()) {
        static const QRegularExpression fine(QStringLiteral("(:.*|\\.)$"));
        return QString(h).remove(fine);
    }
    const auto *b = qobject_cast<const QAbstractButton *>(pulsante);
    return b ? QString(b->text()).remove(u'&') : QString();
}

// Alt and the letter through a shortcut of the window, named by the tooltip.
void scorciatoia(QWidget *finestra, QWidget *w, QChar c)
{
    w->setProperty(ProprietaScorciatoia, true);
    const QString tasto = QStringLiteral("Alt+") + c.toUpper();
    auto *s = new QShortcut(QKeySequence(tasto), finestra);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, w, [w] {
        if (!w->isVisible() || !w->isEnabled())
            return;
        if (auto *f = qobject_cast<Figura *>(w))
            f->premi();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->click();
    });
    // Beside the keys the tooltip names already, "Salva (Ctrl+S, Alt+S)".
    const QString suggerimento = w->toolTip();
    if (suggerimento.isEmpty())
        w->setToolTip(QStringLiteral("%1 (%2)").arg(descrizione(w).isEmpty() ? nomePulsante(w) : descrizione(w), tasto));
    else if (suggerimento.contains(tastiNominati()))
        w->setToolTip(suggerimento.chopped(1) + QStringLiteral(", ") + tasto + u')');
    else
        w->setToolTip(suggerimento + QStringLiteral(" (") + tasto + u')');
}

} // namespace

QString nomePulsante(const QWidget *pulsante)
{
    if (const auto *b = qobject_cast<const QAbstractButton *>(pulsante); b && !b->text().isEmpty()) {
        QString t = b->text();
        t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        t.remove(u'&');
        return t.replace(u'\x01', u'&');
    }
    // A picture says what its control's name says: "btnDuplica", "cmdEsportaXlsx".
    const QString oggetto = pulsante->objectName();
    qsizetype inizio = 0;
    while (inizio < oggetto.size() && oggetto.at(inizio).isLower())
        ++inizio;
    QString nome;
    for (qsizetype i = inizio; i < oggetto.size(); ++i) {
        if (i > inizio && oggetto.at(i).isUpper() && oggetto.at(i - 1).isLower())
            nome += u' ';
        nome += oggetto.at(i);
    }
    if (!nome.isEmpty())
        return nome;
    return descrizione(pulsante);
}

QChar mnemonico(const QWidget *pulsante)
{
    const QString data = pulsante->property(ProprietaLettera).toString();
    if (!data.isEmpty())
        return data.at(0);
    if (auto *b = qobject_cast<const QAbstractButton *>(pulsante); b && !qobject_cast<const QToolButton *>(b))
        return segnata(b->text());
    return {};
}

QList<QWidget *> pulsantiFinestra(const QWidget *finestra)
{
    // A button that is a part of another control (a grid's corner, a
    // calendar's arrows, a tool bar's overflow) is that control's.
    const auto parte = [finestra](const QWidget *w) {
        if (w->objectName().startsWith(QLatin1String("qt_")))
            return true;
        for (const QWidget *p = w->parentWidget(); p && p != finestra; p = p->parentWidget())
            if (qobject_cast<const QAbstractItemView *>(p) || qobject_cast<const QCalendarWidget *>(p)
                || qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p))
                return true;
        return false;
    };
    QList<QWidget *> out;
    for (QWidget *w : finestra->findChildren<QWidget *>()) {
        if (w->window() != finestra || parte(w))
            continue;
        const auto *f = qobject_cast<Figura *>(w);
        if ((f && f->cliccabile()) || qobject_cast<QAbstractButton *>(w))
            out.append(w);
    }
    // The buttons proper ("btn", "cmd") before the pictures that do what
    // they do (the main menu's area picture and description).
    std::stable_sort(out.begin(), out.end(), [](const QWidget *a, const QWidget *b) {
        const auto proprio = [](const QWidget *w) {
            return w->objectName().startsWith(QLatin1String("btn")) || w->objectName().startsWith(QLatin1String("cmd"));
        };
        return proprio(a) && !proprio(b);
    });
    return out;
}

void assegnaMnemonici(QWidget *finestra)
{
    QSet<QChar> prese;
    for (QLabel *l : finestra->findChildren<QLabel *>())
        if (l->window() == finestra && l->buddy())
            if (const QChar c = segnata(l->text()); !c.isNull())
                prese.insert(c);
    const QList<QWidget *> pulsanti = pulsantiFinestra(finestra);
    QList<QWidget *> senza;
    for (QWidget *w : pulsanti) {
        if (const QChar c = mnemonico(w); !c.isNull()) {
            prese.insert(c);
            // A text set since without its letter gets it back.
            if (QAbstractButton *b = conTesto(w); b && !w->property(ProprietaScorciatoia).toBool()
                                                   && segnata(b->text()).isNull() && !b->text().isEmpty())
                segna(b, nomePulsante(b), c);
        } else {
            senza.append(w);
        }
    }
    // A letter asked for goes first, to the button that asks for it.
    std::stable_sort(senza.begin(), senza.end(), [](const QWidget *a, const QWidget *b) {
        return a->property("mnemonico").isValid() && !b->property("mnemonico").isValid();
    });
    for (QWidget *w : std::as_const(senza)) {
        const QString nome = nomePulsante(w);
        QChar scelta;
        const QString chiesta = w->property("mnemonico").toString().toLower();
        if (!chiesta.isEmpty() && !prese.contains(chiesta.at(0)))
            scelta = chiesta.at(0);
        for (const qsizetype i : candidati(nome)) {
            if (!scelta.isNull())
                break;
            if (!prese.contains(nome.at(i).toLower()))
                scelta = nome.at(i).toLower();
        }
        for (char16_t c = u'a'; c <= u'z' && scelta.isNull(); ++c)
            if (!prese.contains(QChar(c)))
                scelta = QChar(c);
        for (char16_t c = u'0'; c <= u'9' && scelta.isNull(); ++c)
            if (!prese.contains(QChar(c)))
                scelta = QChar(c);
        if (scelta.isNull())
            return; // more buttons than letters and digits
        prese.insert(scelta);
        w->setProperty(ProprietaLettera, QString(scelta));
        QAbstractButton *b = conTesto(w);
        if (b && b->text().isEmpty())
            continue; // its text, when it gets one, carries the letter (testoPulsante)
        if (b && posto(nome, scelta) >= 0)
            segna(b, nome, scelta);
        else
            scorciatoia(finestra, w, scelta);
    }
}

void testoPulsante(QAbstractButton *pulsante, const QString &testo)
{
    const QChar c = mnemonico(pulsante);
    if (c.isNull() || pulsante->property(ProprietaScorciatoia).toBool())
        pulsante->setText(testo);
    else
        segna(pulsante, testo, c);
}

} // namespace qv
