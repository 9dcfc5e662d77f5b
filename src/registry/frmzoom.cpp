#include "frmzoom.h"

#include "ui/finestre.h"
#include "registry/foto.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qv {

namespace {

constexpr QSize Pannello(995, 692);
constexpr QSize Foto(969, 669);

} // namespace

TfrmZoom::TfrmZoom(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    impostaFormati();
    setObjectName(QStringLiteral("frmZoom"));
    setWindowTitle(QStringLiteral(" Fare clic sulla foto per chiudere questa finestra"));
    setModal(true);

    panContainer = new QFrame(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setFixedSize(Pannello);
    panContainer->setStyleSheet(QStringLiteral("#panContainer { background: white; border: 1px solid #B8C4D0; }"));
    panContainer->setCursor(Qt::PointingHandCursor);
    panContainer->installEventFilter(this);

    imgFoto = new RiquadroFoto(QStringLiteral("imgFoto"),
                               QRect(QPoint((Pannello.width() - Foto.width()) / 2, (Pannello.height() - Foto.height()) / 2),
                                     Foto),
                               panContainer);
    connect(imgFoto, &RiquadroFoto::clicked, this, &TfrmZoom::imgFotoClick);

    setMinimumSize(Pannello);
    setWindowState(Qt::WindowMaximized);
}

void TfrmZoom::imgFotoClick()
{
    accept();
}

bool TfrmZoom::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == panContainer && evento->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
        imgFotoClick();
    return QDialog::eventFilter(oggetto, evento);
}

void TfrmZoom::keyPressEvent(QKeyEvent *e)
{
    // Enter does nothing; Escape closes the window like a click on the photo.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        imgFotoClick();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfrmZoom::paintEvent(QPaintEvent *)
{
    dipingiSfumatura(this, QColor(0x9D, 0xB5, 0xCA), Qt::white);
}

void TfrmZoom::resizeEvent(QResizeEvent *)
{
    panContainer->move(std::max(0, (width() - Pannello.width()) / 2), std::max(0, (height() - Pannello.height()) / 2));
}

} // namespace qv
