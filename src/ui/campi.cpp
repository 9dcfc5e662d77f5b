#include "campi.h"

#include "ui/schermi.h"
#include "ui/finestre.h"
#include "core/date.h"
#include "core/importo.h"
#include "core/testo.h"
#include "ui/frmcalendario.h"
#include "ui/servizi.h"

#include <QApplication>
#include <QTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace qv {

namespace {

// Why a date field's text is refused; empty when it is a date or empty.
QString motivoData(const DataDigitata &d, const QString &testo)
{
    switch (d.stato) {
    case DataDigitata::Vuota:
    case DataDigitata::Valida: return QString();
    case DataDigitata::Inesistente:
        return QStringLiteral("La data %1 non esiste: correggerla prima di salvare.").arg(d.testo);
    case DataDigitata::Illeggibile: break;
    }
    return QStringLiteral("\"%1\" non è una data: scrivere giorno, mese e anno, come 21/12/2026, 21-12-26 o "
                          "21122026.")
        .arg(trimmed(testo));
}

// The keys that ask the window for something (Salva, another card, leaving)
// rather than edit a date field's text: with Ctrl, Alt or Meta, but for the
// field's own copy, paste, undo and word moves; Escape, Page Up, Page Down
// and the function keys.
bool tastoDellaFinestra(const QKeyEvent *e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        static const QKeySequence::StandardKey modifiche[] = {
            QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut, QKeySequence::SelectAll,
            QKeySequence::Undo, QKeySequence::Redo, QKeySequence::MoveToPreviousWord, QKeySequence::MoveToNextWord,
            QKeySequence::SelectPreviousWord, QKeySequence::SelectNextWord, QKeySequence::DeleteStartOfWord,
            QKeySequence::DeleteEndOfWord};
        return std::none_of(std::begin(modifiche), std::end(modifiche), [e](auto k) { return e->matches(k); });
    }
    const int k = e->key();
    return k == Qt::Key_Escape || k == Qt::Key_PageUp || k == Qt::Key_PageDown || (k >= Qt::Key_F1 && k <= Qt::Key_F35);
}

// Tells the field behaviours of every mouse press in the program.
class ClicAltrove : public QObject
{
public:
    ClicAltrove(QObject *parent, std::function<void(QObject *)> premuto)
        : QObject(parent), m_premuto(std::move(premuto))
    {
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
            m_premuto(o);
        return false;
    }

private:
    std::function<void(QObject *)> m_premuto;
};

} // namespace

SegnoFuoco::SegnoFuoco(const QString &nome, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(nome);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void SegnoFuoco::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Filled yellow, with a border that shades from yellow to white.
    const QColor giallo(0xFF, 0xE6, 0x00);
    QLinearGradient bordo(0, 0, 0, height());
    bordo.setColorAt(0, giallo);
    bordo.setColorAt(1, Qt::white);
    p.fillRect(rect(), bordo);
    p.fillRect(rect().adjusted(2, 2, -2, -2), QColor(0xFF, 0xF1, 0x4D));
}

QLineEdit *creaCampo(QWidget *parent, const QString &nome, const QRect &g, int lunghezzaMassima, const QFont &font,
                     const QString &nomeSegno)
{
    auto *segno = new SegnoFuoco(nomeSegno.isEmpty() ? QStringLiteral("eff") + nome.mid(3) : nomeSegno, parent);
    segno->setGeometry(g.adjusted(-4, -4, 4, 4));
    auto *campo = new QLineEdit(parent);
    campo->setObjectName(nome);
    campo->setGeometry(g);
    campo->setFont(font);
    if (lunghezzaMassima > 0)
        campo->setMaxLength(lunghezzaMassima);
    segno->stackUnder(campo);
    return campo;
}

QFont carattereCodice()
{
    // At 13 points its capitals stand about as tall as those of Verdana 12.
    return carattere(QStringLiteral("Courier New"), 13, true);
}

bool ComportamentiCampi::tastoInvio(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

ComportamentiCampi::ComportamentiCampi(QWidget *schermo, std::span<const DefCampo> tabella)
    : QObject(schermo), m_schermo(schermo)
{
    for (const DefCampo &d : tabella) {
        auto *campo = schermo->findChild<QLineEdit *>(QLatin1String(d.campo));
        Q_ASSERT_X(campo, "ComportamentiCampi", d.campo);
        if (!campo)
            continue;
        const QString nomeSegno = d.segno ? QString::fromLatin1(d.segno) : QStringLiteral("eff") + QString::fromLatin1(d.campo).mid(3);
        Voce v{campo, schermo->findChild<QWidget *>(nomeSegno),
               d.successivo ? schermo->findChild<QWidget *>(QLatin1String(d.successivo)) : nullptr, d.comportamenti,
               d.token ? QString::fromLatin1(d.token) : QString()};
        if (v.comportamenti & DataCalendario)
            campo->setMouseTracking(true);
        campo->installEventFilter(this);
        m_voci.append(v);
        applicaFiltro(campo, d.comportamenti, [this, campo](const QString &motivo, bool grave) {
            if (suggerimento)
                suggerimento(motivo);
            else
                avvisoSenzaRigaInfo(campo, motivo, grave);
        });
        mostraInizio(campo);
    }
    // When the window comes back (a message box closed), the control that has
    // the focus may have changed meanwhile, without any focus event.
    schermo->window()->installEventFilter(this);
    m_clicAltrove = new ClicAltrove(this, [this](QObject *o) {
        auto *w = qobject_cast<QWidget *>(o);
        if (m_corrente && w && w != m_corrente->campo && w->window() == m_schermo->window()
            && m_corrente->campo->isModified())
            completaData(*m_corrente, false);
    });
}

void ComportamentiCampi::completaDate()
{
    // A date loaded from a card keeps its bytes.
    for (const Voce &v : m_voci)
        if ((v.comportamenti & DataCalendario) && v.campo->isModified())
            completaData(v, false);
}

bool ComportamentiCampi::completaData(const Voce &v, bool avvisa)
{
    // Set while the info line says why the field's date was refused.
    static constexpr char Spiegata[] = "qvDataRifiutata";
    const QString testo = v.campo->text();
    const DataDigitata d = leggiDataDigitata(testo);
    if (d.stato == DataDigitata::Valida || d.stato == DataDigitata::Vuota) {
        if (d.stato == DataDigitata::Valida && d.testo != testo)
            v.campo->setText(d.testo);
        // Mended: the reason goes from the info line.
        if (v.campo->property(Spiegata).toBool() && suggerimento)
            suggerimento(QString());
        v.campo->setProperty(Spiegata, QVariant());
        return true;
    }
    if (!avvisa)
        return false;
    // Kept as typed, so that the user mends it; the save refuses it meanwhile.
    const QString motivo = motivoData(d, testo);
    v.campo->setProperty(Spiegata, true);
    rifiuta(v.campo, motivo);
    return false;
}

void ComportamentiCampi::rifiuta(QLineEdit *campo, const QString &motivo)
{
    segnaRifiuto(campo, true);
    QApplication::beep();
    if (suggerimento) {
        suggerimento(motivo);
        // Refused as the focus moves on (Tab onto a button that says what it
        // does): the reason is said again once the focus has landed.
        QTimer::singleShot(0, this, [this, motivo] {
            if (suggerimento)
                suggerimento(motivo);
        });
    } else {
        avvisoSenzaRigaInfo(campo, motivo, true);
    }
}

const ComportamentiCampi::Voce *ComportamentiCampi::voce(QObject *o) const
{
    for (const Voce &v : m_voci)
        if (v.campo == o)
            return &v;
    return nullptr;
}

void ComportamentiCampi::lascia(const Voce &v)
{
    if (v.segno)
        v.segno->hide();
    if (v.comportamenti & DataCalendario) {
        qApp->removeEventFilter(m_clicAltrove);
        // A date the user typed is checked; one loaded or picked is left as it
        // is, marked while it is no date (the save refused it).
        const auto stato = leggiDataDigitata(v.campo->text()).stato;
        const bool data = v.campo->isModified() ? completaData(v, true)
                                                : stato == DataDigitata::Vuota || stato == DataDigitata::Valida;
        if (data)
            segnaRifiuto(v.campo, false);
    } else if (!(v.comportamenti & Importo)) {
        segnaRifiuto(v.campo, false);
    } else if (const QString motivo = motivoImportoDaCorreggere(v.campo); !motivo.isEmpty()) {
        // A slip while typing ("1,250,50") or a dot out of its place
        // ("1250.50"): the amount stays as typed, marked, until corrected.
        rifiuta(v.campo, motivo);
    } else {
        v.campo->setText(mostraImporto(formattaImporto(v.campo->text())));
    }
    if (m_corrente == &v)
        m_corrente = nullptr;
}

bool ComportamentiCampi::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate && oggetto == m_schermo->window()) {
        if (m_corrente && m_corrente->campo != m_schermo->window()->focusWidget())
            lascia(*m_corrente);
        return false;
    }
    const Voce *v = voce(oggetto);
    if (!v)
        return false;
    switch (evento->type()) {
    case QEvent::FocusIn:
        if (m_corrente && m_corrente != v)
            lascia(*m_corrente);
        m_corrente = v;
        if (v->segno)
            v->segno->show();
        if (v->comportamenti & DataCalendario)
            qApp->installEventFilter(m_clicAltrove);
        break;
    case QEvent::FocusOut:
        // A message box or a menu opening over the screen leaves the field the
        // screen's current one: it keeps its mark and its text as typed.
        if (const auto r = static_cast<QFocusEvent *>(evento)->reason();
            r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
            lascia(*v);
        break;
    case QEvent::ShortcutOverride:
        // A shortcut of the window (Salva, another card) acts on the date as shown.
        if ((v->comportamenti & DataCalendario) && v->campo->isModified()
            && tastoDellaFinestra(static_cast<QKeyEvent *>(evento)))
            completaData(*v, false);
        break;
    case QEvent::MouseButtonDblClick:
        if (v->comportamenti & DataCalendario) {
            apriCalendario(m_schermo, v->token);
            return true;
        }
        break;
    case QEvent::KeyPress:
        return tastoPremuto(*v, static_cast<QKeyEvent *>(evento));
    case QEvent::KeyRelease:
        tastoRilasciato(*v);
        break;
    case QEvent::MouseMove:
        if ((v->comportamenti & DataCalendario) && suggerimento)
            suggerimento(SuggerimentoData);
        break;
    default:
        break;
    }
    return false;
}

bool ComportamentiCampi::tastoPremuto(const Voce &v, QKeyEvent *e)
{
    const int key = e->key();
    // Tab and the modifier keys belong to the window, not to the field.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Shift || key == Qt::Key_Control
        || key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr)
        return false;

    if (v.comportamenti & DataCalendario)
        return tastoData(v, e);
    if (tastoInvio(key)) {
        if (v.successivo)
            v.successivo->setFocus(Qt::TabFocusReason); // like Tab: the whole text is selected
        return true;
    }
    // Every other key reaches the field: editing and selection keys work in
    // every field, and the field's rule (applicaFiltro) refuses a character
    // that may not enter it, however it arrives.
    return false;
}

bool ComportamentiCampi::tastoData(const Voce &v, QKeyEvent *e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers tasti = e->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_F4 || (key == Qt::Key_Down && tasti == Qt::AltModifier)) {
        apriCalendario(m_schermo, v.token);
        return true;
    }
    if (tasti & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // copying, pasting, selecting; a shortcut of the window
    if (tastoInvio(key)) {
        // Enter takes the date and moves on; with no date yet, the picker offers one.
        if (trimmed(v.campo->text()).isEmpty())
            apriCalendario(m_schermo, v.token);
        else if (completaData(v, true) && v.successivo)
            v.successivo->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        // One key takes away a whole date the user has not typed.
        if (v.campo->isModified())
            return false;
        v.campo->setText(QString());
        return true;
    }
    const QString testo = e->text();
    if (!testo.isEmpty() && testo.front().isPrint()) {
        if (std::all_of(testo.begin(), testo.end(), carattereData))
            return false; // digits and separators go into the field
        // A letter is no part of a date: it asks for the calendar, as in the
        // fields where any key opened it.
        apriCalendario(m_schermo, v.token);
        return true;
    }
    // Escape and Page Up are the window's, which reads the date as shown.
    if (tastoDellaFinestra(e) && v.campo->isModified())
        completaData(v, false);
    return false;
}

void ComportamentiCampi::tastoRilasciato(const Voce &v)
{
    if (!(v.comportamenti & (Maiuscole | TrimDigitando)))
        return;
    const QString prima = v.campo->text();
    QString dopo = trimmed(prima);
    if (v.comportamenti & Maiuscole)
        dopo = upperAZ(dopo);
    if (dopo != prima) {
        const int cursore = v.campo->cursorPosition();
        v.campo->setText(dopo);
        v.campo->setCursorPosition(std::min<int>(cursore, dopo.size()));
    }
}

void apriCalendario(QWidget *schermo, const QString &token)
{
    auto *dlg = new TfrmCalendario(schermo);
    dlg->lblMemory->setText(token);
    dlg->mostraDataDelCampo();
    eseguiDialogo(dlg);
}

} // namespace qv
