#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "ui/anteprima.h"

using namespace qv;

class TestAnteprima : public QObject
{
    Q_OBJECT
private slots:
    void pagineEComandi();
};

// Three pages: the window counts them, moves between them, shows them in
// three ways, prints only once the print dialog is confirmed, and offers no
// way to change the layout.
void TestAnteprima::pagineEComandi()
{
    QTemporaryDir dir;
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(dir.filePath(QStringLiteral("anteprima.pdf")));
    int disegni = 0;
    const auto disegna = [&](QPrinter *p) {
        ++disegni;
        QPainter pittore(p);
        for (int n = 1; n <= 3; ++n) {
            if (n > 1)
                p->newPage();
            pittore.drawText(100, 100, QStringLiteral("Pagina %1").arg(n));
        }
    };
    QList<bool> risposte = {false, true};
    FinestraAnteprima w(stampante, disegna, [&](QPrinter &) { return risposte.takeFirst(); });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.anteprima()->pageCount(), 3);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("totalePagine"))->text(), QStringLiteral(" / 3 "));

    const auto esegui = [&w](const char *nome) {
        QAction *a = w.azione(QLatin1String(nome));
        QVERIFY2(a, nome);
        a->trigger();
    };
    esegui("ultimaPagina");
    QCOMPARE(w.anteprima()->currentPage(), 3);
    QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("pagina"))->value(), 3);
    esegui("paginaPrecedente");
    QCOMPARE(w.anteprima()->currentPage(), 2);
    esegui("primaPagina");
    QCOMPARE(w.anteprima()->currentPage(), 1);
    w.findChild<QSpinBox *>(QStringLiteral("pagina"))->setValue(2);
    QCOMPARE(w.anteprima()->currentPage(), 2);

    esegui("miniature");
    QCOMPARE(w.anteprima()->viewMode(), QPrintPreviewWidget::AllPagesView);
    esegui("pagineAffiancate");
    QCOMPARE(w.anteprima()->viewMode(), QPrintPreviewWidget::FacingPagesView);
    const qreal zoom = w.anteprima()->zoomFactor();
    esegui("ingrandisci");
    QVERIFY(w.anteprima()->zoomFactor() > zoom);
    esegui("schermoIntero");
    QVERIFY(w.windowState() & Qt::WindowFullScreen);
    esegui("schermoIntero");
    QVERIFY(!(w.windowState() & Qt::WindowFullScreen));

    // Only the commands above: nothing that changes paper or orientation.
    // Each with its picture and its Italian hint.
    QStringList nomi;
    for (const QAction *a : w.findChildren<QAction *>())
        if (!a->objectName().isEmpty()) {
            nomi.append(a->objectName());
            QVERIFY2(!a->icon().pixmap(24, 24).isNull(), qPrintable(a->objectName()));
            QVERIFY(!a->toolTip().isEmpty());
        }
    nomi.sort();
    QCOMPARE(nomi, (QStringList{"adattaLarghezza", "adattaPagina", "chiudi", "ingrandisci", "miniature",
                                "paginaPrecedente", "paginaSingola", "paginaSuccessiva", "pagineAffiancate",
                                "primaPagina", "riduci", "schermoIntero", "stampa", "ultimaPagina"}));

    // Print refused in its dialog: nothing printed, the window stays.
    const int prima = disegni;
    esegui("stampa");
    QCOMPARE(disegni, prima);
    QVERIFY(w.isVisible());
    esegui("stampa");
    QCOMPARE(disegni, prima + 1);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("anteprima.pdf"))).size() > 0);
}

QTEST_MAIN(TestAnteprima)
#include "tst_anteprima.moc"
