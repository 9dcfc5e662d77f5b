#include "campi.h"

#include "ui/schermi.h"
#include "core/importo.h"
#include "core/testo.h"
#include "ui/frmcalendario.h"
#include "ui/servizi.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace qv {

namespace {

const QString MsgSoloCifre = QStringLiteral("In questo campo si possono inserire soltanto le cifre da 0 a 9.");
const QString MsgSoloImporto =
    QStringLiteral("In questo campo si possono inserire soltanto le cifre da 0 a 9 e la virgola dei decimali.");
const QString MsgUnaVirgola = QStringLiteral("L'importo ha già la virgola dei decimali: non se ne può inserire una seconda.");
const QString MsgCodifica = QStringLiteral(
    "Il carattere \"%1\" non è ammesso: l'archivio può conservare soltanto le lettere, le cifre e i simboli "
    "dell'alfabeto occidentale (Windows-1252).");

// Marks a field whose text the field's rule is rewriting while the user edits it.
constexpr char ProprietaRiscritto[] = "qvRiscritto";

// The field's rule, applied by the edit field itself to every change of its
// text by the user, whichever way the text arrives.
class FiltroCampo : public QValidator
{
public:
    using Avviso = std::function<void(const QString &, const QString &)>;

    FiltroCampo(QLineEdit *campo, int comportamenti, Avviso avviso)
        : QValidator(campo), m_campo(campo), m_comportamenti(comportamenti), m_avviso(std::move(avviso)),
          m_accettato(campo->text())
    {
        connect(campo, &QLineEdit::textChanged, this, [this](const QString &t) { m_accettato = t; });
    }

    State validate(QString &testo, int &cursore) const override
    {
        // What the user puts in an upper-case or trimmed field is rewritten at
        // once, typed, pasted, dropped or composed alike; a text the program
        // puts in stays as it is until the next key is released there.
        if ((m_comportamenti & (Maiuscole | TrimDigitando)) && m_campo->isModified()) {
            const QStringView parte = trimmedView(testo);
            const qsizetype inizio = parte.isEmpty() ? 0 : parte.data() - testo.constData();
            QString nuovo = parte.toString();
            if (m_comportamenti & Maiuscole)
                nuovo = upperAZ(nuovo);
            if (nuovo != testo) {
                cursore = int(std::clamp<qsizetype>(cursore - inizio, 0, nuovo.size()));
                testo = nuovo;
                // The field puts the rewritten text back as if set anew: the
                // cursor stays where the user is typing (mostraInizio).
                m_campo->setProperty(ProprietaRiscritto, true);
            }
        }
        QString carattere;
        const QString motivo = motivoRifiuto(testo, m_comportamenti, &carattere);
        if (motivo.isEmpty())
            return Acceptable;
        // Told only when the user tries to change the text, not when the field
        // asks about a text it already holds (one loaded from an older card).
        if (m_avviso && m_campo->isModified() && testo != m_accettato)
            m_avviso(motivo, carattere);
        return Invalid;
    }

private:
    QLineEdit *m_campo;
    int m_comportamenti;
    Avviso m_avviso;
    QString m_accettato;
};

// Without an info line, only a character that could not be stored is worth a
// message; it is shown once the field has finished with the refused text.
void avvisoSenzaRigaInfo(QLineEdit *campo, const QString &motivo, const QString &carattere)
{
    if (carattere.isEmpty())
        return;
    QTimer::singleShot(0, campo, [campo, motivo] {
        Servizi::correnti().messaggio(campo->window(), TipoMessaggio::Avviso,
                                      QStringLiteral("Attenzione: ") + motivo.left(1).toLower() + motivo.mid(1));
    });
}

} // namespace

QString motivoRifiuto(const QString &testo, int comportamenti, QString *carattere)
{
    const QString fuori = primoFuoriCp1252(testo);
    if (carattere)
        *carattere = fuori;
    if (!fuori.isEmpty())
        return MsgCodifica.arg(fuori);
    if (comportamenti & (SoloCifre | Importo)) {
        int virgole = 0;
        for (QChar c : testo) {
            if (c == u',' && (comportamenti & Importo))
                ++virgole;
            else if (c < u'0' || c > u'9')
                return (comportamenti & Importo) ? MsgSoloImporto : MsgSoloCifre;
        }
        if (virgole > 1)
            return MsgUnaVirgola;
    }
    return QString();
}

void applicaFiltro(QLineEdit *campo, int comportamenti, std::function<void(const QString &, const QString &)> avviso)
{
    if (!avviso)
        avviso = [campo](const QString &motivo, const QString &carattere) {
            avvisoSenzaRigaInfo(campo, motivo, carattere);
        };
    delete campo->validator();
    campo->setValidator(new FiltroCampo(campo, comportamenti, std::move(avviso)));
}

void mostraInizio(QLineEdit *campo)
{
    // setText() leaves the text unmodified and the cursor at its end: a long
    // text would show its end.
    QObject::connect(campo, &QLineEdit::textChanged, campo, [campo] {
        if (campo->property(ProprietaRiscritto).toBool())
            campo->setProperty(ProprietaRiscritto, QVariant());
        else if (!campo->isModified())
            campo->setCursorPosition(0);
    });
    campo->setCursorPosition(0);
}

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
        applicaFiltro(campo, d.comportamenti, [this, campo](const QString &motivo, const QString &carattere) {
            if (suggerimento)
                suggerimento(motivo);
            else
                avvisoSenzaRigaInfo(campo, motivo, carattere);
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
    if (v.comportamenti & Importo)
        v.campo->setText(formattaImporto(v.campo->text()));
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
    eseguiDialogo(dlg);
}

} // namespace qv
