#pragma once
// The photo enlarged: a maximised window with the photo in its centred panel;
// a click on the photo or on the panel closes it.

#include <QDialog>

class QFrame;

namespace qv {

class RiquadroFoto;

class TfrmZoom : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget *parent = nullptr);

    QFrame *panContainer;
    RiquadroFoto *imgFoto;

public slots:
    void imgFotoClick();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
    void keyPressEvent(QKeyEvent *) override;
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
};

} // namespace qv
