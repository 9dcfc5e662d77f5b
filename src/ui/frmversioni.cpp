#include "frmversioni.h"

#include "core/date.h"
#include "ui/frmguida.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QRegularExpression>

namespace qv {

TfrmVersioni::TfrmVersioni(const QList<Riga> &righe, QWidget *parent)
    : DialogoFisso(QStringLiteral(" Versioni precedenti della scheda"), QSize(720, 440), QColor(0x5D, 0x85, 0xA6),
                   Qt::white, parent)
{
    setObjectName(QStringLiteral("frmVersioni"));
    QWidget *box = riquadroBianco(this, QRect(14, 14, 692, 360));
    lblSpiegazione = etichetta(box, QStringLiteral("lblSpiegazione"),
                               QStringLiteral("Le versioni che la scheda aveva prima di ogni salvataggio, dalla più "
                                              "recente. Scegliere quella da riportare nella scheda e premere Salva "
                                              "per rimetterla in archivio."),
                               QRect(12, 8, 668, 40), carattere(QStringLiteral("Verdana"), 10));
    lblSpiegazione->setWordWrap(true);
    lstVersioni = new QTreeWidget(box);
    lstVersioni->setObjectName(QStringLiteral("lstVersioni"));
    lstVersioni->setGeometry(12, 56, 668, 292);
    lstVersioni->setFont(carattere(QStringLiteral("Verdana"), 10));
    lstVersioni->setRootIsDecorated(false);
    lstVersioni->setUniformRowHeights(true);
    lstVersioni->setHeaderLabels({QStringLiteral("Data e ora"), QStringLiteral("Diversa dalla scheda sullo schermo in")});
    lstVersioni->header()->setStretchLastSection(true);
    lstVersioni->setColumnWidth(0, 170);
    for (const Riga &r : righe) {
        auto *voce = new QTreeWidgetItem(lstVersioni);
        voce->setText(0, testoData(r.quando));
        const QString diverse = r.differenze.isEmpty() ? QStringLiteral("nessun campo: è uguale alla scheda")
                                                       : r.differenze.join(QStringLiteral(", "));
        voce->setText(1, diverse);
        voce->setToolTip(1, diverse);
    }
    lstVersioni->setCurrentItem(lstVersioni->topLevelItem(0));

    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(14, 392, 126, 32), 10);
    btnMostra = pulsante(this, QStringLiteral("btnMostra"), QStringLiteral("Mostra nella scheda"),
                         QRect(526, 392, 180, 32), 10);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmVersioni::btnChiudiClick);
    connect(btnMostra, &QPushButton::clicked, this, &TfrmVersioni::btnMostraClick);
    // A double click or Enter on a line shows it, as the button does.
    connect(lstVersioni, &QTreeWidget::itemActivated, this, &TfrmVersioni::btnMostraClick);
    setTabOrder(lstVersioni, btnChiudi);
    setTabOrder(btnChiudi, btnMostra);
    lstVersioni->setFocus();
}

QString TfrmVersioni::testoData(const QDateTime &quando)
{
    const QDateTime locale = quando.toLocalTime();
    return scriviData(locale.date()) + QStringLiteral("  ") + locale.toString(QStringLiteral("HH:mm:ss"));
}

int TfrmVersioni::scelta() const
{
    QTreeWidgetItem *voce = lstVersioni->currentItem();
    return voce ? lstVersioni->indexOfTopLevelItem(voce) : -1;
}

void TfrmVersioni::btnMostraClick()
{
    if (scelta() >= 0)
        accept();
}

void TfrmVersioni::btnChiudiClick()
{
    reject();
}

QString infoVersioneMostrata(const QDateTime &quando)
{
    const QDateTime locale = quando.toLocalTime();
    return QStringLiteral("La scheda mostra la versione del %1 alle %2: premere Salva per rimetterla in archivio.")
        .arg(scriviData(locale.date()), locale.toString(QStringLiteral("HH:mm")));
}

QString nomeCampoSchermo(const QWidget *schermo, const QString &campo)
{
    static const QRegularExpression allegato(QStringLiteral("^(File|Desc)0(\\d)$"));
    if (const auto m = allegato.match(campo); m.hasMatch())
        return (m.captured(1) == QLatin1String("File") ? QStringLiteral("Allegato %1")
                                                        : QStringLiteral("Descrizione allegato %1"))
            .arg(m.captured(2));
    if (const auto *c = schermo->findChild<QCheckBox *>(QStringLiteral("chk") + campo))
        return c->text();
    const QLabel *l = schermo->findChild<QLabel *>(QStringLiteral("lbl") + campo + QStringLiteral("Etichetta"));
    if (!l)
        return campo;
    const auto nome = [](const QLabel *e) { return e->text().section(u':', 0, 0).trimmed(); };
    const QString proprio = nome(l);
    // Two fields with one label (a place of birth, a codice fiscale) are told
    // apart by the heading of the box each lies in.
    const QWidget *pannello = l->parentWidget();
    bool doppio = false;
    for (const QLabel *altro : pannello->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        doppio = doppio || (altro != l && altro->objectName().endsWith(QLatin1String("Etichetta")) && nome(altro) == proprio);
    if (!doppio)
        return proprio;
    for (const QWidget *riquadro : pannello->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!riquadro->objectName().startsWith(QLatin1String("shp")) || !riquadro->geometry().contains(l->geometry().center()))
            continue;
        for (const QLabel *titolo : pannello->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            if (titolo->objectName().startsWith(QLatin1String("int")) && riquadro->geometry().contains(titolo->geometry().center()))
                return QStringLiteral("%1 (%2)").arg(proprio, titolo->text().toLower());
    }
    return proprio;
}

} // namespace qv
