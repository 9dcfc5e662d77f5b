#include "finestre.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace qv {

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
    QRect rif;
    if (QWidget *p = parentWidget(); p && p->isVisible())
        rif = p->window()->frameGeometry();
    else if (QScreen *s = QGuiApplication::primaryScreen())
        rif = s->availableGeometry();
    if (rif.isValid())
        move(rif.center() - QPoint(width() / 2, height() / 2));
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
    if (!m_pannello)
        centra();
    QDialog::showEvent(e);
}

void DialogoFisso::resizeEvent(QResizeEvent *e)
{
    if (m_pannello)
        m_pannello->move(std::max(0, (width() - m_pannello->width()) / 2),
                         std::max(0, (height() - m_pannello->height()) / 2));
    QDialog::resizeEvent(e);
}

void DialogoFisso::keyPressEvent(QKeyEvent *e)
{
    // Enter never closes a screen by itself; Escape closes only where a screen says so.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

Figura::Figura(const QString &nome, const QString &risorsa, const QRect &geometria, QWidget *parent, bool cliccabile)
    : QWidget(parent), m_cliccabile(cliccabile)
{
    setObjectName(nome);
    setGeometry(geometria);
    if (cliccabile)
        setCursor(Qt::PointingHandCursor);
    impostaRisorsa(risorsa);
}

void Figura::impostaRisorsa(const QString &risorsa)
{
    delete m_svg;
    m_svg = nullptr;
    m_immagine = QImage();
    if (!risorsa.isEmpty()) {
        if (risorsa.endsWith(QStringLiteral(".svg")))
            m_svg = new QSvgRenderer(risorsa, this);
        else
            m_immagine.load(risorsa);
    }
    update();
}

void Figura::impostaImmagine(const QImage &immagine)
{
    delete m_svg;
    m_svg = nullptr;
    m_immagine = immagine;
    update();
}

void Figura::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_svg && m_svg->isValid())
        m_svg->render(&p, QRectF(rect()));
    else if (!m_immagine.isNull())
        p.drawImage(QRectF(rect()), m_immagine);
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
