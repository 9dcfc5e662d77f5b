#include "campi.h"

#include "ui/schermi.h"
#include "ui/finestre.h"
#include "core/importo.h"
#include "core/testo.h"
#include "ui/frmcalendario.h"
#include "ui/servizi.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace qv {

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
        if (v.comportamenti & DataCalendario) {
            campo->setReadOnly(true);
            campo->setMouseTracking(true);
            campo->setCursor(Qt::PointingHandCursor);
        }
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
    if (!(v.comportamenti & Importo)) {
        segnaRifiuto(v.campo, false);
    } else if (const QString motivo = motivoImportoDaCorreggere(v.campo); !motivo.isEmpty()) {
        // A slip while typing ("1,250,50") or a dot out of its place
        // ("1250.50"): the amount stays as typed, marked, until corrected.
        segnaRifiuto(v.campo, true);
        QApplication::beep();
        if (suggerimento)
            suggerimento(motivo);
        else
            avvisoSenzaRigaInfo(v.campo, motivo, true);
    } else {
        v.campo->setText(formattaImporto(v.campo->text()));
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
        break;
    case QEvent::FocusOut:
        // A message box or a menu opening over the screen leaves the field the
        // screen's current one: it keeps its mark and its text as typed.
        if (const auto r = static_cast<QFocusEvent *>(evento)->reason();
            r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
            lascia(*v);
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

    if (v.comportamenti & DataCalendario) {
        // Copying the date or selecting it is not asking for another one.
        if (e->modifiers() & Qt::ControlModifier)
            return false;
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
            v.campo->clear();
        else
            apriCalendario(m_schermo, v.token);
        return true;
    }
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
