#include "anteprima.h"
#include "mnemonici.h"

#include "ui/finestre.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

namespace {

// Qt's own pictures for these commands, as its print support ships them.
QIcon icona(const char *nome)
{
    QIcon i;
    for (const char *misura : {"-24.png", "-32.png"})
        i.addFile(QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/%1%2")
                      .arg(QLatin1String(nome), QLatin1String(misura)));
    return i;
}

} // namespace

FinestraAnteprima::FinestraAnteprima(QPrinter &stampante, std::function<void(QPrinter *)> disegna,
                                     std::function<bool(QPrinter &)> stampa, QWidget *parent)
    : QDialog(parent), m_stampante(stampante), m_stampa(std::move(stampa))
{
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_anteprima = new QPrintPreviewWidget(&stampante, this);
    connect(m_anteprima, &QPrintPreviewWidget::paintRequested, this,
            [disegna = std::move(disegna)](QPrinter *p) { disegna(p); });

    auto *barra = new QToolBar(this);
    barra->setIconSize(QSize(24, 24));
    const auto aggiungi = [this, barra](const char *nome, const QIcon &figura, const QString &testo, auto &&clic) {
        QAction *a = barra->addAction(figura, testo);
        a->setObjectName(QLatin1String(nome));
        a->setToolTip(testo);
        connect(a, &QAction::triggered, this, clic);
        return a;
    };

    aggiungi("adattaLarghezza", icona("zoom-fit-width"), QStringLiteral("Adatta alla larghezza"),
             [this] { m_anteprima->fitToWidth(); });
    aggiungi("adattaPagina", icona("zoom-fit-page"), QStringLiteral("Adatta alla pagina"),
             [this] { m_anteprima->fitInView(); });
    aggiungi("ingrandisci", icona("zoom-in"), QStringLiteral("Ingrandisci"), [this] { m_anteprima->zoomIn(); });
    aggiungi("riduci", icona("zoom-out"), QStringLiteral("Riduci"), [this] { m_anteprima->zoomOut(); });
    barra->addSeparator();

    aggiungi("primaPagina", icona("go-first"), QStringLiteral("Prima pagina"), [this] { vaiA(1); });
    aggiungi("paginaPrecedente", icona("go-previous"), QStringLiteral("Pagina precedente"),
             [this] { vaiA(m_anteprima->currentPage() - 1); });
    m_pagina = new QSpinBox(barra);
    m_pagina->setObjectName(QStringLiteral("pagina"));
    m_pagina->setToolTip(QStringLiteral("Pagina corrente"));
    barra->addWidget(m_pagina);
    m_totale = new QLabel(barra);
    m_totale->setObjectName(QStringLiteral("totalePagine"));
    barra->addWidget(m_totale);
    aggiungi("paginaSuccessiva", icona("go-next"), QStringLiteral("Pagina successiva"),
             [this] { vaiA(m_anteprima->currentPage() + 1); });
    aggiungi("ultimaPagina", icona("go-last"), QStringLiteral("Ultima pagina"),
             [this] { vaiA(m_anteprima->pageCount()); });
    barra->addSeparator();

    auto *modi = new QActionGroup(this);
    const struct { const char *nome, *figura, *testo; QPrintPreviewWidget::ViewMode modo; } kModi[] = {
        {"paginaSingola", "view-pages-single", "Una pagina", QPrintPreviewWidget::SinglePageView},
        {"pagineAffiancate", "view-pages-facing", "Due pagine affiancate", QPrintPreviewWidget::FacingPagesView},
        {"miniature", "view-pages-overview", "Tutte le pagine in miniatura", QPrintPreviewWidget::AllPagesView},
    };
    for (const auto &m : kModi) {
        QAction *a = aggiungi(m.nome, icona(m.figura), QString::fromUtf8(m.testo), [this, modo = m.modo] {
            m_anteprima->setViewMode(modo);
        });
        a->setCheckable(true);
        a->setChecked(m.modo == QPrintPreviewWidget::SinglePageView);
        modi->addAction(a);
    }
    barra->addSeparator();

    aggiungi("schermoIntero", style()->standardIcon(QStyle::SP_TitleBarMaxButton), QStringLiteral("Schermo intero"),
             [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    aggiungi("stampa", icona("printer"), QStringLiteral("Stampa"), [this] {
        if (m_stampa(m_stampante)) {
            m_anteprima->print();
            accept();
        }
    });
    aggiungi("chiudi", style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Chiudi"),
             [this] { reject(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(m_anteprima, 1);

    connect(m_anteprima, &QPrintPreviewWidget::previewChanged, this, &FinestraAnteprima::aggiornaPagine);
    connect(m_pagina, &QSpinBox::valueChanged, this, &FinestraAnteprima::vaiA);
    resize(1000, 760);
}

void FinestraAnteprima::showEvent(QShowEvent *e)
{
    assegnaMnemonici(this);
    // As large as it may be up to its own size, on the screen it opens on,
    // centred on the window that opened it.
    if (!e->spontaneous()) {
        if (QWidget *p = parentWidget(); p && p->isVisible())
            adattaAllArea(this, p->window()->frameGeometry().center());
        else
            adattaAllArea(this);
    }
    QDialog::showEvent(e);
}

QAction *FinestraAnteprima::azione(const QString &nome) const
{
    return findChild<QAction *>(nome);
}

void FinestraAnteprima::vaiA(int pagina)
{
    m_anteprima->setCurrentPage(std::clamp(pagina, 1, std::max(1, m_anteprima->pageCount())));
    aggiornaPagine();
}

void FinestraAnteprima::aggiornaPagine()
{
    const QSignalBlocker blocco(m_pagina);
    m_pagina->setRange(1, std::max(1, m_anteprima->pageCount()));
    m_pagina->setValue(m_anteprima->currentPage());
    m_totale->setText(QStringLiteral(" / %1 ").arg(m_anteprima->pageCount()));
}

} // namespace qv
