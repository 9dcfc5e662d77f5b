#include "frmelenco.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "output/elenco.h"
#include "ui/campi.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringListModel>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>

namespace qv {

namespace {

// Every entry is one line of the same size, wide enough for the longest lines
// to scroll sideways; the list then lays out even a hundred thousand entries at once.
class VoceUniforme : public QStyledItemDelegate
{
public:
    VoceUniforme(int larghezza, QObject *parent) : QStyledItemDelegate(parent), m_larghezza(larghezza) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return QSize(m_larghezza, option.fontMetrics.height() + 2);
    }
    void impostaLarghezza(int larghezza) { m_larghezza = larghezza; }

private:
    int m_larghezza;
};

} // namespace

ListaVoci::ListaVoci(QWidget *parent) : QListView(parent), m_modello(new QStringListModel(this))
{
    setModel(m_modello);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int ListaVoci::count() const
{
    return m_modello->rowCount();
}

int ListaVoci::currentRow() const
{
    // The selected entry: one that the user has deselected is not picked, even
    // though it keeps the focus frame.
    const QModelIndexList scelte = selectionModel()->selectedIndexes();
    return scelte.isEmpty() ? -1 : scelte.constFirst().row();
}

void ListaVoci::setCurrentRow(int riga)
{
    const QModelIndex i = m_modello->index(riga, 0);
    setCurrentIndex(i);
    if (i.isValid())
        scrollTo(i);
}

QString ListaVoci::testo(int riga) const
{
    return m_modello->index(riga, 0).data().toString();
}

QStringList ListaVoci::righe() const
{
    return m_modello->stringList();
}

void ListaVoci::mouseDoubleClickEvent(QMouseEvent *e)
{
    QListView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton)
        emit doppioClic();
}

void ListaVoci::imposta(const QStringList &righe)
{
    m_modello->setStringList(righe);
}

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

    lstRecords = new ListaVoci(this);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setFont(carattere(QStringLiteral("Courier New"), 12));
    // Plain black on white, without the style's decorations, so the columns line up.
    lstRecords->setStyleSheet(QStringLiteral("QListView { color: black; background: white; }"));
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->setUniformItemSizes(true);
    lstRecords->setItemDelegate(new VoceUniforme(m_imp.larghezzaVoci, lstRecords));

    btnStampa = pulsante(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QRect());

    if (m_imp.invioSuTrova)
        txtTrova->installEventFilter(this);
    connect(btnTrova, &QPushButton::clicked, this, &TfrmElenco::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmElenco::btnStampaClick);
    connect(lstRecords, &ListaVoci::doppioClic, this, &TfrmElenco::lstRecordsDblClick);
}

void TfrmElenco::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    // Only when the screen is opened, not when the window system shows it again.
    if (!e->spontaneous())
        FormShow();
}

void TfrmElenco::closeEvent(QCloseEvent *e)
{
    svuota();
    DialogoFisso::closeEvent(e);
}

QLabel *TfrmElenco::intestazione(QWidget *pannello, const QString &testo)
{
    QLabel *l = etichetta(pannello, QStringLiteral("imgIntestazione"), testo, QRect(14, 12, 834, 52),
                          carattere(QStringLiteral("Verdana"), 20, true), Qt::white);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0x70, 0x80, 0x90)); // slate grey
    l->setPalette(p);
    return l;
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
    // Sorted through keys that hold twenty characters of each line, taken
    // after the start that every line shares (a label such as "Data stipula: "),
    // so that most comparisons never reach the lines themselves; lines with
    // equal keys are compared from the end of their keys on. Equal lines keep
    // the order of their cards in the archive.
    constexpr qsizetype kChiave = 20;
    qsizetype comune = 0;
    if (m_imp.ordinato && !voci.isEmpty()) {
        const QString &prima = voci.constFirst().riga;
        comune = prima.size();
        for (const VoceElenco &v : std::as_const(voci)) {
            const qsizetype n = std::min(comune, v.riga.size());
            qsizetype i = 0;
            while (i < n && v.riga.at(i) == prima.at(i))
                ++i;
            comune = i;
        }
    }
    struct Chiave
    {
        std::array<quint64, kChiave / 4> inizio{};
        qsizetype voce;
    };
    QList<Chiave> ordine(voci.size());
    for (qsizetype i = 0; i < voci.size(); ++i) {
        Chiave &k = ordine[i];
        k.voce = i;
        const QString &r = voci.at(i).riga;
        for (qsizetype c = 0; m_imp.ordinato && c < kChiave && comune + c < r.size(); ++c)
            k.inizio[c / 4] |= quint64(codiceOrdine(r.at(comune + c).unicode())) << (48 - 16 * (c % 4));
    }
    if (m_imp.ordinato)
        std::sort(ordine.begin(), ordine.end(), [&voci, comune](const Chiave &a, const Chiave &b) {
            if (a.inizio != b.inizio)
                return a.inizio < b.inizio;
            const VoceElenco &va = voci.at(a.voce), &vb = voci.at(b.voce);
            const qsizetype da = std::min({comune + kChiave, va.riga.size(), vb.riga.size()});
            const int c = confrontaRighe(va.riga, vb.riga, da);
            return c != 0 ? c < 0 : va.posizione < vb.posizione;
        });
    QStringList righe;
    righe.reserve(voci.size());
    svuota();
    // The entries are as wide as the screen gives them, and never narrower than
    // the longest line: its last field (a fee, a note) can always be scrolled to.
    qsizetype lunga = -1;
    for (qsizetype i = 0; i < voci.size(); ++i)
        if (lunga < 0 || voci.at(i).riga.size() > voci.at(lunga).riga.size())
            lunga = i;
    const int larghezzaRiga = lunga < 0 ? 0 : lstRecords->fontMetrics().horizontalAdvance(voci.at(lunga).riga) + 12;
    static_cast<VoceUniforme *>(lstRecords->itemDelegate())->impostaLarghezza(std::max(m_imp.larghezzaVoci, larghezzaRiga));
    m_posizioni.reserve(voci.size());
    for (const Chiave &k : std::as_const(ordine)) {
        VoceElenco &v = voci[k.voce];
        righe.append(std::move(v.riga));
        m_posizioni.append(v.posizione);
    }
    lstRecords->imposta(righe);
}

void TfrmElenco::svuota()
{
    lstRecords->clear();
    m_posizioni.clear();
}

QStringList TfrmElenco::righe() const
{
    return lstRecords->righe();
}

int TfrmElenco::posizioneVoce(int riga) const
{
    return riga >= 0 && riga < m_posizioni.size() ? m_posizioni.at(riga) : -1;
}

void TfrmElenco::azzeraTrova()
{
    m_ultimaChiave.clear();
    txtTrova->clear();
}

void TfrmElenco::rinominaRighe(QLabel *doppioClic, QLabel *&rigo01, QLabel *&rigo02, QLabel *&rigo03)
{
    rigo01 = lblTrova01;
    rigo02 = lblTrova02;
    rigo03 = doppioClic;
    rigo01->setObjectName(QStringLiteral("lblRigo01"));
    rigo02->setObjectName(QStringLiteral("lblRigo02"));
    rigo03->setObjectName(QStringLiteral("lblRigo03"));
    coloraTesto(rigo03, QColor(0xDC, 0x14, 0x3C)); // crimson
}

void TfrmElenco::coloraTesto(QLabel *etichetta, const QColor &colore)
{
    QPalette p = etichetta->palette();
    p.setColor(QPalette::WindowText, colore);
    etichetta->setPalette(p);
}

void TfrmElenco::btnTrovaClick()
{
    const EsitoTrova esito = trovaVoce(righe(), lstRecords->currentRow(), txtTrova->text(), m_ultimaChiave);
    if (esito.listaVuota) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Semplice, kListaVuota.toString());
        return;
    }
    if (esito.selezionata >= 0)
        lstRecords->setCurrentRow(esito.selezionata);
    m_ultimaChiave = esito.ultimaChiave;
}

void TfrmElenco::btnStampaClick()
{
    if (m_imp.stampa)
        m_imp.stampa(this, m_imp.titoloStampa, righe());
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

TfrmListaSchede::TfrmListaSchede(const Impostazioni &imp, const QString &banner, QWidget *parent)
    : TfrmElenco(imp, QColor(0xB0, 0xC4, 0xDE), Qt::white, parent)
{
    imgIntestazione = intestazione(this, banner);
    disponiElenco(this, QRect(14, 74, 834, 420));
    lblDoppioClic = etichetta(this, QStringLiteral("lblDoppioClic"),
                              QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                              QRect(14, 510, 560, 32), carattere(QStringLiteral("Verdana"), 9));
    btnStampa->setGeometry(590, 510, 124, 32);
    btnChiudi = pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(724, 510, 124, 32));

    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    setTabOrder(btnChiudi, btnTrova);

    connect(btnChiudi, &QPushButton::clicked, this, &TfrmListaSchede::btnChiudiClick);
}

void TfrmListaSchede::FormShow()
{
    azzeraTrova();
    QList<VoceElenco> voci;
    try {
        leggi(voci);
    } catch (const ErroreArchivio &e) {
        // An archive that cannot be read shows the cards found so far.
        segnalaErroreArchivio(this, e);
    } catch (...) {
        // Nor does anything else stop the screen from showing them.
    }
    mostraVoci(std::move(voci));
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmListaSchede::btnChiudiClick()
{
    close();
}

// Each entry remembers the card it was built from, so the pick loads exactly
// that card even when another card gives the same line.
void TfrmListaSchede::lstRecordsDblClick()
{
    try {
        const int posizione = posizioneSelezionata();
        if (posizione > 0)
            apri(posizione);
    } catch (const ErroreArchivio &e) {
        // The screen closes without loading anything further.
        segnalaErroreArchivio(this, e);
    } catch (...) {
        // The screen closes without loading anything further.
    }
    close();
}

} // namespace qv
