#include "schermoscheda.h"

#include "ui/schermi.h"

#include <QEvent>
#include <QFocusEvent>

#include <algorithm>
#include <utility>

namespace qv {

QWidget *controlloCampo(const QWidget *radice, const QString &campo)
{
    if (auto *e = radice->findChild<QLineEdit *>(QStringLiteral("txt") + campo))
        return e;
    return radice->findChild<QLabel *>(QStringLiteral("lbl") + campo);
}

int cartaDellaFreccia(Freccia freccia, int conta, const QString &posizione)
{
    if (conta <= 0)
        return 0;
    const bool nuova = posizione.isEmpty();
    const int p = posizione.toInt();
    switch (freccia) {
    case Freccia::Primo: return 1;
    case Freccia::Ultimo: return conta;
    case Freccia::Avanti: return nuova ? 1 : (p < conta ? p + 1 : 0);
    case Freccia::Indietro: return nuova ? 1 : (p > 1 ? std::min(p - 1, conta) : 0);
    }
    return 0;
}

QFrame *riquadro(QWidget *parent, const char *nome, const QRect &g, const char *colore)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(nome));
    f->setGeometry(g);
    f->setStyleSheet(QStringLiteral("#%1 { background: %2; border: 1px solid #9FB3C8; border-radius: 3px; }")
                         .arg(QLatin1String(nome), QLatin1String(colore)));
    return f;
}

RigaInfo::RigaInfo(QWidget *schermo, QWidget *pannello, const QString &testoIniziale)
    : QObject(schermo), m_schermo(schermo), m_pannello(pannello)
{
    auto *barra = new QFrame(pannello);
    barra->setObjectName(QStringLiteral("shpInfo"));
    barra->setGeometry(0, 652, 995, 40);
    barra->setStyleSheet(QStringLiteral("#shpInfo { background: #3030DD; }"));
    m_panInfo = etichetta(barra, QStringLiteral("panInfo"), testoIniziale, QRect(16, 0, 963, 40),
                          carattere(QStringLiteral("Tahoma"), 12), Qt::white);
    // A text longer than the line (why a character was refused, which letters
    // were written otherwise) goes on to a second line rather than being cut.
    m_panInfo->setWordWrap(true);
}

void RigaInfo::collega()
{
    for (QWidget *w : m_pannello->findChildren<QWidget *>()) {
        if (w == m_panInfo)
            continue;
        // An edit field is watched for its focus and its keys alone.
        if (qobject_cast<QLineEdit *>(w)) {
            w->installEventFilter(this);
            continue;
        }
        if (w->property("suggerimento").isNull())
            w->setMouseTracking(true);
        else // its moves stay with it, or the panel behind would empty the line
            w->setAttribute(Qt::WA_NoMousePropagation);
        w->installEventFilter(this);
    }
    m_pannello->setMouseTracking(true);
    m_pannello->installEventFilter(this);
    m_schermo->setMouseTracking(true);
    m_schermo->installEventFilter(this);
}

void RigaInfo::suggerisci(const QString &suggerimento)
{
    m_suggerimento = suggerimento;
    m_panInfo->setText(suggerimento);
}

void RigaInfo::togli(const QString &testo)
{
    if (!testo.isEmpty() && m_panInfo->text() == testo)
        m_panInfo->clear();
}

void RigaInfo::notaScheda(const QString &nota)
{
    m_nota = nota;
    m_panInfo->setText(nota);
}

void RigaInfo::schedaCambiata()
{
    togli(std::exchange(m_nota, QString()));
}

bool RigaInfo::eventFilter(QObject *o, QEvent *e)
{
    // Typing into a field, or coming into it, the hint of the button last
    // pointed at or reached no longer applies (what the line says about the
    // field itself, a refused character, stays).
    if (qobject_cast<QLineEdit *>(o)) {
        if (e->type() == QEvent::KeyPress
            || (e->type() == QEvent::FocusIn
                && static_cast<QFocusEvent *>(e)->reason() != Qt::ActiveWindowFocusReason))
            togli(m_suggerimento);
        return false;
    }
    // A button reached by Tab says what it does, as under the mouse; the
    // focus coming back after a message box leaves the line as it is.
    if (e->type() == QEvent::FocusIn) {
        const auto motivo = static_cast<QFocusEvent *>(e)->reason();
        const QVariant h = o->property("suggerimento");
        if (h.isValid() && (motivo == Qt::TabFocusReason || motivo == Qt::BacktabFocusReason))
            suggerisci(h.toString());
        return false;
    }
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        const QVariant h = o->property("suggerimento");
        if (h.isValid())
            suggerisci(h.toString());
        // Only a move over the background empties it: the mouse coming back
        // after a menu or a message box leaves what the line says (a refused
        // paste's reason) until the mouse moves on.
        else if (o != m_panInfo && e->type() == QEvent::MouseMove)
            m_panInfo->clear();
    }
    return false;
}

void duplicaScheda(QWidget *schermo, const QString &percorso, QLabel *lblPosizione,
                   std::initializer_list<QLabel *> allegati, const QString &avviso, QWidget *primoCampo,
                   const std::function<void()> &azzera, const std::function<bool()> &lascia)
{
    Servizi &s = Servizi::correnti();
    if (trimmed(lblPosizione->text()).isEmpty()) {
        s.messaggio(schermo, TipoMessaggio::Avviso, avviso);
        return;
    }
    // Said now rather than after the user has edited the copy. Any other
    // failure is left to the save, which reports it.
    if (FileArchivio::soloLettura(percorso)) {
        s.messaggio(schermo, TipoMessaggio::Avviso, MsgArchivioSolaLettura);
        return;
    }
    if (lascia && !lascia())
        return;
    for (QLabel *l : allegati)
        l->clear();
    lblPosizione->clear();
    if (azzera)
        azzera();
    primoCampo->setFocus(Qt::OtherFocusReason);
    s.messaggio(schermo, TipoMessaggio::Informazione,
                QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                               "Al termine premere Salva per inserire la scheda in archivio."));
}

void segnalaSolaLettura(QLabel *panInfo, bool solaLettura)
{
    if (solaLettura)
        panInfo->setText(InfoSolaLettura);
}

void infoSchedaMostrata(QLabel *panInfo, bool solaLettura, const QString &infoNuova)
{
    if (solaLettura)
        panInfo->setText(InfoSolaLettura);
    else if (panInfo->text() == infoNuova)
        panInfo->clear();
}

bool lasciaSchedaModificata(QWidget *padre, bool modificata, const std::function<bool()> &salva)
{
    if (!modificata)
        return true;
    switch (Servizi::correnti().scelta(padre, DomandaSchedaModificata, PulsantiSchedaModificata, RestaSullaScheda,
                                       RestaSullaScheda)) {
    case SalvaModifiche:
        return salva();
    case NonSalvare:
        return true;
    default:
        return false;
    }
}

} // namespace qv
