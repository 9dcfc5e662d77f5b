#include "finestre.h"
#include "disegno.h"

#include "pulsantititolo.h"
#include "mnemonici.h"

#include <QGuiApplication>
#include <QVariant>
#include <QAbstractButton>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <utility>

#include <algorithm>

namespace qv {

namespace {

// Room for the window manager's title bar and borders, which are not known
// before a window is first shown.
constexpr int CorniceAlto = 32, CorniceLato = 6;

} // namespace

void chiediPulsantiTitolo(QWidget *finestra, int pulsanti)
{
    finestra->setProperty("qvPulsantiTitolo", pulsanti);
    applicaPulsantiTitolo(finestra, pulsanti);
}

int pulsantiTitoloChiesti(const QWidget *finestra)
{
    const QVariant v = finestra->property("qvPulsantiTitolo");
    return v.isValid() ? v.toInt() : -1;
}

namespace {

// The frame the window manager puts round a window: the real one once the
// window has been shown framed, an allowance before.
QMargins cornice(const QWidget *finestra)
{
    const QRect esterno = finestra->frameGeometry(), interno = finestra->geometry();
    if (finestra->isVisible() && esterno != interno)
        return QMargins(interno.left() - esterno.left(), interno.top() - esterno.top(),
                        esterno.right() - interno.right(), esterno.bottom() - interno.bottom());
    return QMargins(CorniceLato, CorniceAlto, CorniceLato, CorniceLato);
}

} // namespace

QRect areaUtile(const QWidget *finestra)
{
    QScreen *schermo = finestra->screen();
    if (!schermo)
        schermo = QGuiApplication::primaryScreen();
    return schermo ? schermo->availableGeometry() : QRect();
}

void adattaAllArea(QWidget *finestra, std::optional<QPoint> centro)
{
    const QRect area = areaUtile(finestra);
    if (!area.isValid())
        return;
    const QMargins m = cornice(finestra);
    const QSize dimensione = finestra->size().boundedTo(area.marginsRemoved(m).size());
    if (dimensione != finestra->size())
        finestra->resize(dimensione);
    // The whole window, frame included, centred and inside the area: it never
    // opens with its title bar or a side off the screen.
    QRect r = QRect(QPoint(), dimensione).marginsAdded(m);
    r.moveCenter(centro.value_or(area.center()));
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width() + 1)));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height() + 1)));
    finestra->move(r.topLeft());
}

void impostaFormati()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

namespace {

void sfumatura(QPainter &p, const QRect &r, const QColor &alto, const QColor &basso)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, alto);
    g.setColorAt(1, basso);
    p.fillRect(r, g);
}

} // namespace

void dipingiSfumatura(QWidget *w, const QColor &alto, const QColor &basso)
{
    QPainter p(w);
    sfumatura(p, w->rect(), alto, basso);
}

QFont carattere(const QString &famiglia, int punti, bool grassetto, bool sottolineato)
{
    QFont f(famiglia);
    f.setPointSize(punti);
    f.setBold(grassetto);
    f.setUnderline(sottolineato);
    return f;
}

SfondoSfumato::SfondoSfumato(const QColor &alto, const QColor &basso, QWidget *parent)
    : QWidget(parent), m_alto(alto), m_basso(basso)
{
}

void SfondoSfumato::impostaColori(const QColor &alto, const QColor &basso)
{
    m_alto = alto;
    m_basso = basso;
    update();
}

void SfondoSfumato::paintEvent(QPaintEvent *)
{
    dipingiSfumatura(this, m_alto, m_basso);
}

SchermoArea::SchermoArea(const QString &titolo, const QColor &alto, const QColor &basso, QWidget *parent)
    : QWidget(parent, Qt::Window), m_pannello(new QWidget(this)), m_alto(alto), m_basso(basso)
{
    impostaFormati();
    setWindowTitle(titolo);
    m_pannello->setObjectName(QStringLiteral("panContainer"));
    m_pannello->setFixedSize(LarghezzaPannello, AltezzaPannello);
    setMinimumSize(LarghezzaPannello, AltezzaPannello);
    resize(1024, 740);
}

void SchermoArea::mostra()
{
    showMaximized();
    raise();
    activateWindow();
}

void SchermoArea::paintEvent(QPaintEvent *)
{
    dipingiSfumatura(this, m_alto, m_basso);
}

void SchermoArea::resizeEvent(QResizeEvent *)
{
    m_pannello->move(std::max(0, (width() - LarghezzaPannello) / 2), std::max(0, (height() - AltezzaPannello) / 2));
}

void SchermoArea::showEvent(QShowEvent *e)
{
    assegnaMnemonici(this);
    QWidget::showEvent(e);
}

namespace {

// Presses the closing control of a window, as Escape does.
bool premiChiusura(const QWidget *finestra)
{
    QWidget *chiusura = controlloChiusura(finestra);
    if (auto *b = qobject_cast<QAbstractButton *>(chiusura))
        b->click();
    else if (auto *f = qobject_cast<Figura *>(chiusura))
        f->premi();
    return chiusura != nullptr;
}

} // namespace

void SchermoArea::keyPressEvent(QKeyEvent *e)
{
    if (m_escChiude && e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        if (!premiChiusura(this))
            close();
        return;
    }
    QWidget::keyPressEvent(e);
}

DialogoFisso::DialogoFisso(const QString &titolo, const QSize &area, const QColor &alto, const QColor &basso,
                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_alto(alto), m_basso(basso)
{
    impostaFormati();
    setWindowTitle(titolo);
    setFixedSize(area);
    setModal(true);
}

void DialogoFisso::centra()
{
    if (QWidget *p = parentWidget(); p && p->isVisible())
        adattaAllArea(this, p->window()->frameGeometry().center());
    else
        adattaAllArea(this);
}

void DialogoFisso::massimizza(QWidget *pannello)
{
    m_pannello = pannello;
    pannello->setFixedSize(SchermoArea::LarghezzaPannello, SchermoArea::AltezzaPannello);
    setWindowFlags(Qt::Window);
    setMinimumSize(SchermoArea::LarghezzaPannello, SchermoArea::AltezzaPannello);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowState(Qt::WindowMaximized);
}

void DialogoFisso::paintEvent(QPaintEvent *)
{
    dipingiSfumatura(this, m_alto, m_basso);
}

void DialogoFisso::showEvent(QShowEvent *e)
{
    assegnaMnemonici(this);
    // A maximised dialog keeps the ordinary title bar of a window.
    if (!m_pannello) {
        centra();
        chiediPulsantiTitolo(this, m_pulsantiTitolo);
    }
    QDialog::showEvent(e);
}

void DialogoFisso::resizeEvent(QResizeEvent *e)
{
    if (m_pannello)
        m_pannello->move(std::max(0, (width() - m_pannello->width()) / 2),
                         std::max(0, (height() - m_pannello->height()) / 2));
    QDialog::resizeEvent(e);
}

QWidget *controlloChiusura(const QWidget *finestra)
{
    for (QAbstractButton *b : finestra->findChildren<QAbstractButton *>())
        if (b->window() == finestra && b->isVisible() && b->isEnabled()
            && TestiChiusura.contains(QString(b->text()).remove(u'&')))
            return b;
    for (Figura *f : finestra->findChildren<Figura *>())
        if (f->window() == finestra && f->isVisible() && f->isEnabled()
            && std::any_of(TestiChiusura.begin(), TestiChiusura.end(),
                           [f](const QString &t) { return f->objectName().endsWith(t); }))
            return f;
    return nullptr;
}

QWidget *DialogoFisso::pulsanteChiusura() const
{
    return controlloChiusura(this);
}

void DialogoFisso::keyPressEvent(QKeyEvent *e)
{
    // Enter never closes a dialog by itself (a focused button takes it first).
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    // Escape does what the dialog's own closing button does, and nothing without one.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        premiChiusura(this);
        return;
    }
    QDialog::keyPressEvent(e);
}

Pulsante::Pulsante(const QString &testo, QWidget *parent)
    : QPushButton(testo, parent)
{
    // Enter presses the button that has the focus, in every window.
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
}

namespace {

// The focus ring of a button: the yellow of the fields' focus mark, edged in
// the program's dark blue, along the inside of the control.
void dipingiAnelloFuoco(QWidget *w)
{
    QPainter p(w);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(w->rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(QColor(0xFF, 0xC8, 0x00), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(0x1F, 0x3A, 0x5F), 1));
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 2, 2);
}

} // namespace

void Pulsante::paintEvent(QPaintEvent *e)
{
    QPushButton::paintEvent(e);
    if (hasFocus())
        dipingiAnelloFuoco(this);
}

Figura::Figura(const QString &nome, const QString &risorsa, const QRect &geometria, QWidget *parent, bool cliccabile)
    : QWidget(parent), m_cliccabile(cliccabile)
{
    setObjectName(nome);
    setGeometry(geometria);
    if (cliccabile) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }
    impostaRisorsa(risorsa);
}

Figura::~Figura() = default;

void Figura::premi()
{
    if (m_cliccabile && isEnabled())
        emit clicked();
}

void Figura::impostaRisorsa(const QString &risorsa)
{
    m_disegno.reset();
    m_immagine = QImage();
    m_risorsa = risorsa;
    update();
}

void Figura::caricaRisorsa()
{
    const QString risorsa = std::exchange(m_risorsa, QString());
    if (risorsa.endsWith(QStringLiteral(".svg")))
        m_disegno = std::make_unique<Disegno>(risorsa);
    else
        m_immagine.load(risorsa);
}

void Figura::impostaImmagine(const QImage &immagine)
{
    m_disegno.reset();
    m_risorsa.clear();
    m_immagine = immagine;
    update();
}

void Figura::paintEvent(QPaintEvent *)
{
    if (!m_risorsa.isEmpty())
        caricaRisorsa();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_disegno && m_disegno->valido())
        m_disegno->disegna(&p, QRectF(rect()));
    else if (!m_immagine.isNull())
        p.drawImage(QRectF(rect()), m_immagine);
    p.end();
    if (hasFocus())
        dipingiAnelloFuoco(this);
}

void Figura::keyPressEvent(QKeyEvent *e)
{
    const bool tasto = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    if (m_cliccabile && tasto && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        e->accept();
        if (!e->isAutoRepeat())
            premi();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Figura::focusInEvent(QFocusEvent *e)
{
    update();
    QWidget::focusInEvent(e);
}

void Figura::focusOutEvent(QFocusEvent *e)
{
    update();
    QWidget::focusOutEvent(e);
}

void Figura::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        emit premuto();
    QWidget::mousePressEvent(e);
}

void Figura::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        emit rilasciato();
        if (m_cliccabile && rect().contains(e->position().toPoint()))
            emit clicked();
    }
    QWidget::mouseReleaseEvent(e);
}

// A picture button keeps the mouse moves over it: passed on, they would reach
// the window behind it, which would take the button's hint off the info line.
void Figura::mouseMoveEvent(QMouseEvent *e)
{
    if (m_cliccabile)
        e->accept();
    else
        QWidget::mouseMoveEvent(e);
}

Collegamento::Collegamento(const QString &nome, const QString &testo, QWidget *parent)
    : QLabel(testo, parent)
{
    setObjectName(nome);
    setFont(carattere(QStringLiteral("Tahoma"), 14, false, true));
    setCursor(Qt::PointingHandCursor);
    colora(BluScuro);
}

void Collegamento::colora(const QColor &colore)
{
    m_colore = colore;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colore);
    setPalette(pal);
}

void Collegamento::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        colora(Arancione);
    QLabel::mousePressEvent(e);
}

void Collegamento::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        colora(BluScuro);
        if (rect().contains(e->position().toPoint()))
            emit clicked();
    }
    QLabel::mouseReleaseEvent(e);
}

QLabel *etichetta(QWidget *parent, const QString &nome, const QString &testo, const QRect &geometria,
                  const QFont &font, const QColor &colore)
{
    auto *l = new QLabel(testo, parent);
    l->setObjectName(nome);
    l->setGeometry(geometria);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colore);
    l->setPalette(pal);
    return l;
}

} // namespace qv
