#include "frmelenco.h"

#include "app/frmguida.h"
#include "app/servizi.h"
#include "output/elenco.h"
#include "registry/campi.h"
#include "report/stampaelenco.h"

#include <QKeyEvent>

#include <algorithm>

namespace qv {

TfrmElenco::TfrmElenco(const Impostazioni &imp, const QColor &alto, const QColor &basso, QWidget *parent)
    : DialogoFisso(imp.caption, QSize(862, 560), alto, basso, parent), m_imp(imp)
{
    const QFont f = carattere(QStringLiteral("Verdana"), 9);
    lblTrova01 = etichetta(this, QStringLiteral("lblTrova01"),
                           QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco "
                                          "da cercare e premere il pulsante Trova."),
                           QRect(), f);
    lblTrova02 = etichetta(this, QStringLiteral("lblTrova02"),
                           QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di "
                                          "ricerca, fare di nuovo clic su Trova."),
                           QRect(), f);
    txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(carattere(QStringLiteral("Verdana"), 12, true));
    btnTrova = pulsante(this, QStringLiteral("btnTrova"), QStringLiteral("Trova"), QRect());

    lstRecords = new QListWidget(this);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setFont(carattere(QStringLiteral("Courier New"), 12));
    // Plain black on white, without the style's decorations, so the columns line up.
    lstRecords->setStyleSheet(QStringLiteral("QListWidget { color: black; background: white; }"));
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    btnStampa = pulsante(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QRect());

    if (m_imp.invioSuTrova)
        txtTrova->installEventFilter(this);
    connect(btnTrova, &QPushButton::clicked, this, &TfrmElenco::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmElenco::btnStampaClick);
}

void TfrmElenco::disponiElenco(QWidget *pannello, const QRect &area)
{
    const int x = area.x(), y = area.y(), w = area.width();
    lblTrova01->setParent(pannello);
    lblTrova01->setGeometry(x, y, w, 18);
    lblTrova02->setParent(pannello);
    lblTrova02->setGeometry(x, y + 18, w, 18);
    txtTrova->setParent(pannello);
    txtTrova->setGeometry(x, y + 42, w - 134, 30);
    btnTrova->setParent(pannello);
    btnTrova->setGeometry(x + w - 124, y + 41, 124, 32);
    lstRecords->setParent(pannello);
    lstRecords->setGeometry(x, y + 82, w, area.height() - 82);
}

void TfrmElenco::mostraVoci(QList<VoceElenco> voci)
{
    if (m_imp.ordinato)
        std::stable_sort(voci.begin(), voci.end(),
                         [](const VoceElenco &a, const VoceElenco &b) { return lessRiga(a.riga, b.riga); });
    lstRecords->clear();
    const int altezza = lstRecords->fontMetrics().height() + 2;
    for (const VoceElenco &v : voci) {
        auto *item = new QListWidgetItem(v.riga, lstRecords);
        item->setData(Qt::UserRole, v.posizione);
        item->setSizeHint(QSize(m_imp.larghezzaVoci, altezza));
    }
}

QStringList TfrmElenco::righe() const
{
    QStringList out;
    out.reserve(lstRecords->count());
    for (int i = 0; i < lstRecords->count(); ++i)
        out.append(lstRecords->item(i)->text());
    return out;
}

int TfrmElenco::posizioneVoce(int riga) const
{
    const QListWidgetItem *item = lstRecords->item(riga);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TfrmElenco::azzeraTrova()
{
    m_ultimaChiave.clear();
    txtTrova->clear();
}

void TfrmElenco::btnTrovaClick()
{
    const EsitoTrova esito = trovaVoce(righe(), lstRecords->currentRow(), txtTrova->text(), m_ultimaChiave);
    if (esito.listaVuota) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Semplice, kListaVuota.toString());
        return;
    }
    if (QListWidgetItem *item = lstRecords->item(esito.selezionata)) {
        lstRecords->setCurrentItem(item);
        lstRecords->scrollToItem(item);
    }
    m_ultimaChiave = esito.ultimaChiave;
}

void TfrmElenco::btnStampaClick()
{
    stampaElenco(this, m_imp.titoloStampa, righe());
}

bool TfrmElenco::eventFilter(QObject *o, QEvent *e)
{
    if (o == txtTrova && e->type() == QEvent::KeyPress
        && ComportamentiCampi::tastoInvio(static_cast<QKeyEvent *>(e)->key())) {
        btnTrova->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return DialogoFisso::eventFilter(o, e);
}

} // namespace qv
