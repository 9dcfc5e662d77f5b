#pragma once
// The print preview window: the pages as they will be printed, with zoom,
// page navigation, one page, two facing pages or all pages as thumbnails,
// full screen, print and close. The layout itself cannot be changed here: the
// report decides paper and orientation.

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSpinBox;

namespace qv {

class FinestraAnteprima : public QDialog
{
    Q_OBJECT
public:
    // `stampa` offers the print dialog for the printer and tells whether to print.
    FinestraAnteprima(QPrinter &stampante, std::function<void(QPrinter *)> disegna,
                      std::function<bool(QPrinter &)> stampa, QWidget *parent = nullptr);

    QPrintPreviewWidget *anteprima() const { return m_anteprima; }
    QAction *azione(const QString &nome) const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void vaiA(int pagina);
    void aggiornaPagine();

    QPrinter &m_stampante;
    std::function<bool(QPrinter &)> m_stampa;
    QPrintPreviewWidget *m_anteprima;
    QSpinBox *m_pagina;
    QLabel *m_totale;
};

} // namespace qv
