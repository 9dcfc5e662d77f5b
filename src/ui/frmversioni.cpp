#include "frmversioni.h"

#include "core/date.h"
#include "ui/frmguida.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QRegularExpression>

namespace qv {

TfrmVersioni::TfrmVersioni(const QList<Riga> &righe, QWidget *parent)
    : DialogoFisso(QStringLiteral(" Versioni precedenti della scheda"), QSize(720, 440), QColor(0x5D, 0x85, 0xA6),
                   Qt::white, parent),
      m_righe(righe)
{
    setObjectName(QStringLiteral("frmVersioni"));
    QWidget *box = riquadroBianco(this, QRect(14, 14, 692, 360));
    lblSpiegazione = etichetta(box, QStringLiteral("lblSpiegazione"),
                               QStringLiteral("Le versioni che la scheda aveva prima di ogni salvataggio, dalla più "
                                              "recente, con la data e l'ora in cui sono state sostituite e ciò che "
                                              "è cambiato allora (campo: prima → dopo). Scegliere quella da "
                                              "riportare nella scheda e premere Salva per rimetterla in archivio."),
                               QRect(12, 6, 668, 48), carattere(QStringLiteral("Verdana"), 9));
    lblSpiegazione->setWordWrap(true);
    lstVersioni = new QTreeWidget(box);
    lstVersioni->setObjectName(QStringLiteral("lstVersioni"));
    lstVersioni->setGeometry(12, 58, 668, 196);
    lstVersioni->setFont(carattere(QStringLiteral("Verdana"), 10));
    lstVersioni->setRootIsDecorated(false);
    lstVersioni->setUniformRowHeights(true);
    lstVersioni->setHeaderLabels({QStringLiteral("Sostituita il"), QStringLiteral("Modifiche (campo: prima → dopo)")});
    lstVersioni->header()->setStretchLastSection(true);
    lstVersioni->setColumnWidth(0, 170);
    for (const Riga &r : righe) {
        auto *voce = new QTreeWidgetItem(lstVersioni);
        voce->setText(0, testoData(r.quando));
        voce->setText(1, testoModifiche(r.modifiche));
    }
    txtModifiche = new QPlainTextEdit(box);
    txtModifiche->setObjectName(QStringLiteral("txtModifiche"));
    txtModifiche->setGeometry(12, 262, 668, 86);
    txtModifiche->setFont(carattere(QStringLiteral("Verdana"), 9));
    txtModifiche->setReadOnly(true);
    txtModifiche->setTabChangesFocus(true);
    connect(lstVersioni, &QTreeWidget::currentItemChanged, this, &TfrmVersioni::mostraModifiche);
    lstVersioni->setCurrentItem(lstVersioni->topLevelItem(0));
    mostraModifiche();

    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(14, 392, 126, 32), 10);
    btnMostra = pulsante(this, QStringLiteral("btnMostra"), QStringLiteral("Mostra nella scheda"),
                         QRect(526, 392, 180, 32), 10);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmVersioni::btnChiudiClick);
    connect(btnMostra, &QPushButton::clicked, this, &TfrmVersioni::btnMostraClick);
    // A double click or Enter on a line shows it, as the button does.
    connect(lstVersioni, &QTreeWidget::itemActivated, this, &TfrmVersioni::btnMostraClick);
    setTabOrder(lstVersioni, txtModifiche);
    setTabOrder(txtModifiche, btnChiudi);
    setTabOrder(btnChiudi, btnMostra);
    lstVersioni->setFocus();
}

QString TfrmVersioni::testoModifiche(const QList<Modifica> &modifiche, int lunghezza)
{
    if (modifiche.isEmpty())
        return QStringLiteral("nessun campo cambiato (soltanto spazi)");
    const auto valore = [lunghezza](const QString &v) {
        const QString semplice = v.simplified();
        if (semplice.isEmpty())
            return QStringLiteral("(vuoto)");
        const QString breve = semplice.size() > lunghezza ? semplice.left(lunghezza - 1).trimmed() + u'…' : semplice;
        return QStringLiteral("«%1»").arg(breve);
    };
    QStringList parti;
    for (const Modifica &m : modifiche)
        parti << QStringLiteral("%1: %2 → %3").arg(m.campo, valore(m.prima), valore(m.dopo));
    return parti.join(QStringLiteral("; "));
}

void TfrmVersioni::mostraModifiche()
{
    const int i = scelta();
    if (i < 0 || i >= m_righe.size()) {
        txtModifiche->clear();
        return;
    }
    // The values whole, a change a line.
    QStringList righe;
    for (const Modifica &m : m_righe.at(i).modifiche)
        righe << testoModifiche({m}, 1000);
    txtModifiche->setPlainText(righe.isEmpty() ? testoModifiche({}) : righe.join(u'\n'));
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
    return QStringLiteral("La scheda mostra la versione sostituita il %1 alle %2: premere Salva per rimetterla in "
                          "archivio.")
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
