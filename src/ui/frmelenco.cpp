#include "frmelenco.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "output/elenco.h"
#include "ui/campi.h"
#include "core/testo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstring>
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

QString VociElenco::testo(qsizetype i) const
{
    const QByteArrayView r = riga(i);
    return fromCp1252(r.data(), r.size());
}

void VociElenco::aggiungi(const QString &riga, int posizione)
{
    const QByteArray b = toCp1252(riga);
    std::memcpy(nuova(posizione, b.size()), b.constData(), size_t(b.size()));
}

// The entries in the order shown; a row's text is made when the list asks for it.
class ListaVoci::Modello : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void imposta(VociElenco &&voci, QList<qsizetype> &&ordine)
    {
        beginResetModel();
        m_voci = std::move(voci);
        m_ordine = std::move(ordine);
        endResetModel();
    }
    qsizetype voce(int riga) const { return riga >= 0 && riga < m_ordine.size() ? m_ordine.at(riga) : -1; }
    const VociElenco &voci() const { return m_voci; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_ordine.size()); }
    QVariant data(const QModelIndex &i, int role) const override
    {
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || !checkIndex(i, CheckIndexOption::IndexIsValid))
            return {};
        return m_voci.testo(m_ordine.at(i.row()));
    }

private:
    VociElenco m_voci;
    QList<qsizetype> m_ordine;
};

ListaVoci::ListaVoci(QWidget *parent) : QListView(parent), m_modello(new Modello(this))
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
    const qsizetype v = m_modello->voce(riga);
    return v < 0 ? QString() : m_modello->voci().testo(v);
}

QStringList ListaVoci::righe() const
{
    QStringList out;
    out.reserve(count());
    for (int r = 0; r < count(); ++r)
        out.append(testo(r));
    return out;
}

int ListaVoci::posizione(int riga) const
{
    const qsizetype v = m_modello->voce(riga);
    return v < 0 ? -1 : m_modello->voci().posizione(v);
}

void ListaVoci::mouseDoubleClickEvent(QMouseEvent *e)
{
    QListView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton)
        emit doppioClic();
}

void ListaVoci::keyPressEvent(QKeyEvent *e)
{
    if (!ComportamentiCampi::tastoInvio(e->key()) || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QListView::keyPressEvent(e);
        return;
    }
    // The list's own: the window behind it never takes Enter from here.
    e->accept();
    const QModelIndex corrente = currentIndex();
    if (!corrente.isValid())
        return;
    if (currentRow() != corrente.row())
        selectionModel()->select(corrente, QItemSelectionModel::ClearAndSelect);
    emit doppioClic();
}

void ListaVoci::imposta(const QStringList &righe)
{
    VociElenco voci;
    QList<qsizetype> ordine;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        voci.aggiungi(righe.at(i), -1);
        ordine.append(i);
    }
    imposta(std::move(voci), std::move(ordine));
}

void ListaVoci::imposta(VociElenco &&voci, QList<qsizetype> &&ordine)
{
    m_modello->imposta(std::move(voci), std::move(ordine));
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
    // The key is looked for in texts of the stored files: it takes in what their fields take in.
    applicaFiltro(txtTrova, Semplice);
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

void TfrmElenco::mostraVoci(const QList<VoceElenco> &voci)
{
    VociElenco v;
    for (const VoceElenco &voce : voci)
        v.aggiungi(voce.riga, voce.posizione);
    mostraVoci(std::move(v));
}

void TfrmElenco::mostraVoci(VociElenco voci)
{
    // Sorted through keys that hold 32 bytes of each line, taken after
    // the start that every line shares (a label such as "Data stipula: "), so
    // that most comparisons never reach the lines themselves; lines with equal
    // keys are compared from the end of their keys on. Equal lines keep the
    // order of their cards in the archive.
    constexpr qsizetype kChiave = 32;
    const qsizetype n = voci.size();
    qsizetype comune = 0;
    if (m_imp.ordinato && n > 0) {
        const QByteArrayView prima = voci.riga(0);
        comune = prima.size();
        for (qsizetype v = 1; v < n && comune > 0; ++v) {
            const QByteArrayView r = voci.riga(v);
            const qsizetype m = std::min(comune, r.size());
            qsizetype i = 0;
            while (i < m && r[i] == prima[i])
                ++i;
            comune = i;
        }
    }
    struct Chiave
    {
        std::array<quint64, kChiave / 8> inizio{};
        qsizetype voce;
    };
    QList<Chiave> chiavi(m_imp.ordinato ? n : 0);
    for (qsizetype v = 0; v < chiavi.size(); ++v) {
        Chiave &k = chiavi[v];
        k.voce = v;
        const QByteArrayView r = voci.riga(v);
        for (qsizetype c = 0; c < kChiave && comune + c < r.size(); ++c)
            k.inizio[c / 8] |= quint64(codiceOrdineByte(static_cast<unsigned char>(r[comune + c]))) << (56 - 8 * (c % 8));
    }
    std::sort(chiavi.begin(), chiavi.end(), [&voci, comune](const Chiave &a, const Chiave &b) {
        if (a.inizio != b.inizio)
            return a.inizio < b.inizio;
        const QByteArrayView ra = voci.riga(a.voce), rb = voci.riga(b.voce);
        const qsizetype da = std::min({comune + kChiave, ra.size(), rb.size()});
        const int c = confrontaRighe(ra, rb, da);
        return c != 0 ? c < 0 : voci.posizione(a.voce) < voci.posizione(b.voce);
    });
    QList<qsizetype> ordine;
    ordine.reserve(n);
    if (m_imp.ordinato)
        for (const Chiave &k : std::as_const(chiavi))
            ordine.append(k.voce);
    else
        for (qsizetype v = 0; v < n; ++v)
            ordine.append(v);
    chiavi = {};
    svuota();
    // The entries are as wide as the screen gives them, and never narrower than
    // the longest line: its last field (a fee, a note) can always be scrolled to.
    qsizetype lunga = -1;
    for (qsizetype i = 0; i < n; ++i)
        if (lunga < 0 || voci.riga(i).size() > voci.riga(lunga).size())
            lunga = i;
    const int larghezzaRiga = lunga < 0 ? 0 : lstRecords->fontMetrics().horizontalAdvance(voci.testo(lunga)) + 12;
    static_cast<VoceUniforme *>(lstRecords->itemDelegate())->impostaLarghezza(std::max(m_imp.larghezzaVoci, larghezzaRiga));
    lstRecords->imposta(std::move(voci), std::move(ordine));
}

void TfrmElenco::svuota()
{
    lstRecords->clear();
}

QStringList TfrmElenco::righe() const
{
    return lstRecords->righe();
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
    VociElenco voci;
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
