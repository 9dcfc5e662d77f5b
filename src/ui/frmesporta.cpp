#include "frmesporta.h"

#include "ui/cartellascrivibile.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "output/foglio.h"
#include "core/testo.h"
#include "ui/filtrocampo.h"

#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

namespace qv {

namespace {

const QString InfoIniziale = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString MsgConferma = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString MsgRiuscita = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString MsgErrore = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il file di Excel non sia già aperto.");

} // namespace

// The grid's rows: for each card the trimmed texts of the exported columns, in
// column order, kept as the archive's bytes; a cell changed in the grid keeps
// its new text beside them. The position column is the row number.
class GrigliaEsportazione : public QAbstractTableModel
{
public:
    GrigliaEsportazione(const QList<ColonnaGriglia> &colonne, QObject *parent)
        : QAbstractTableModel(parent), m_colonne(colonne)
    {
    }

    void imposta(CelleGriglia &&nuove)
    {
        beginResetModel();
        m_celle = std::move(nuove);
        m_cambiate.clear();
        endResetModel();
    }

    // Writes the cells of row `riga` as they stand: changed or as read.
    void celle(qsizetype riga, RigaFoglio &out) const
    {
        const char *cella = m_celle.inizioRiga(riga);
        for (qsizetype c = 1; c < m_colonne.size(); ++c, cella = CelleGriglia::dopo(cella)) {
            const auto cambiata = m_cambiate.isEmpty() ? m_cambiate.cend() : m_cambiate.constFind(chiave(riga, c));
            if (cambiata != m_cambiate.cend())
                out.testo(*cambiata);
            else
                out.byte(CelleGriglia::byte(cella));
        }
    }
    qsizetype righe() const { return m_celle.righe(); }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_celle.righe());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_colonne.size());
    }

    QVariant data(const QModelIndex &i, int role) const override
    {
        // The view also asks for no cell at all (Ctrl+C with no current cell).
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || !checkIndex(i, CheckIndexOption::IndexIsValid))
            return {};
        if (i.column() == 0)
            return QString::number(i.row() + 1);
        const auto cambiata = m_cambiate.constFind(chiave(i.row(), i.column()));
        if (cambiata != m_cambiate.cend())
            return *cambiata;
        const QByteArrayView b = m_celle.cella(i.row(), i.column() - 1);
        return fromCp1252(b.data(), b.size());
    }

    bool setData(const QModelIndex &i, const QVariant &valore, int role) override
    {
        if (role != Qt::EditRole || !checkIndex(i, CheckIndexOption::IndexIsValid) || !(flags(i) & Qt::ItemIsEditable))
            return false;
        m_cambiate.insert(chiave(i.row(), i.column()), valore.toString());
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex &i) const override
    {
        const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!checkIndex(i, CheckIndexOption::IndexIsValid))
            return Qt::NoItemFlags;
        return m_colonne.at(i.column()).solaLettura ? base : base | Qt::ItemIsEditable;
    }

    QVariant headerData(int sezione, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole || sezione < 0 || sezione >= m_colonne.size())
            return {};
        return QString::fromUtf8(m_colonne.at(sezione).intestazione);
    }

private:
    static qint64 chiave(qsizetype riga, qsizetype colonna) { return (qint64(riga) << 16) | colonna; }

    QList<ColonnaGriglia> m_colonne;
    CelleGriglia m_celle;
    QHash<qint64, QString> m_cambiate; // (row, column) of the cells changed in the grid
};

// A cell of the grid takes in what a field of the program takes in: a letter
// of another Latin alphabet is written as the code page's letter that stands
// for it, a character the stored files cannot hold is refused, and the info
// line says so.
class EditoreCella : public QStyledItemDelegate
{
public:
    EditoreCella(QLabel *rigaInfo, QObject *parent) : QStyledItemDelegate(parent), m_rigaInfo(rigaInfo) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &opzioni, const QModelIndex &indice) const override
    {
        QWidget *editore = QStyledItemDelegate::createEditor(parent, opzioni, indice);
        if (auto *campo = qobject_cast<QLineEdit *>(editore)) {
            const QPointer<QLabel> riga = m_rigaInfo;
            applicaFiltro(campo, Semplice, [riga](const QString &motivo, bool) {
                if (riga)
                    riga->setText(motivo);
            });
        }
        return editore;
    }

private:
    QPointer<QLabel> m_rigaInfo;
};

TfrmEsporta::TfrmEsporta(const Impostazioni &imp, Griglia griglia, QWidget *parent)
    : DialogoFisso(imp.caption, QSize(862, 560), QColor(0xD3, 0xD3, 0xD3), QColor(0xD3, 0xD3, 0xD3), parent),
      m_imp(imp), m_def(std::move(griglia))
{
    shpStrumenti = new QWidget(this);
    shpStrumenti->setObjectName(QStringLiteral("shpStrumenti"));
    shpStrumenti->setGeometry(0, 0, 862, 60);
    shpStrumenti->setAttribute(Qt::WA_StyledBackground);
    shpStrumenti->setStyleSheet(QStringLiteral("#shpStrumenti { background: white; border-bottom: 1px solid #A9A9A9; }"));

    struct Pulsante { Figura *TfrmEsporta::*membro; const char *nome, *risorsa; QRect geometria;
                      const char *suggerimento; void (TfrmEsporta::*clic)(); };
    const Pulsante pulsanti[] = {
        {&TfrmEsporta::cmdEsporta, "cmdEsporta", "all_excel", {14, 8, 44, 44},
         "Esporta l'archivio in formato Microsoft Excel.", &TfrmEsporta::cmdEsportaClick},
        {&TfrmEsporta::cmdGuida, "cmdGuida", "ana_guida", {618, 16, 110, 28},
         "Visualizza la pagina della guida sensibile al contesto.", &TfrmEsporta::cmdGuidaClick},
        {&TfrmEsporta::cmdEsci, "cmdEsci", "ana_esci", {738, 16, 110, 28},
         "Esci da questo ambiente di lavoro.", &TfrmEsporta::cmdEsciClick},
    };
    for (const Pulsante &d : pulsanti) {
        auto *f = new Figura(QLatin1String(d.nome), QStringLiteral(":/img/%1.svg").arg(QLatin1String(d.risorsa)),
                             d.geometria, shpStrumenti, true);
        f->setProperty("suggerimento", QString::fromUtf8(d.suggerimento));
        connect(f, &Figura::clicked, this, d.clic);
        this->*(d.membro) = f;
    }

    m_griglia = new GrigliaEsportazione(m_def.colonne, this);
    grdRecords = new QTableView(this);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setModel(m_griglia);
    grdRecords->setGeometry(14, 74, 834, 432);
    grdRecords->setFont(carattere(QStringLiteral("Verdana"), 9));
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->verticalHeader()->setDefaultSectionSize(21);
    grdRecords->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grdRecords->horizontalHeader()->setHighlightSections(false);
    grdRecords->setStyleSheet(QStringLiteral(
        "QTableView { background: white; alternate-background-color: #EEF2F7; gridline-color: #C8C8C8; }"
        "QHeaderView::section { background: #E4E4E4; border: none; border-right: 1px solid #C0C0C0;"
        " border-bottom: 1px solid #A9A9A9; padding: 2px 4px; font-weight: bold; }"));
    for (int i = 0; i < m_def.colonne.size(); ++i)
        grdRecords->setColumnWidth(i, m_def.colonne.at(i).larghezzaGriglia);

    auto *barra = new QWidget(this);
    barra->setObjectName(QStringLiteral("shpInfo"));
    barra->setGeometry(0, 520, 862, 40);
    barra->setAttribute(Qt::WA_StyledBackground);
    barra->setStyleSheet(QStringLiteral("#shpInfo { background: #6A5ACD; }"));
    panInfo = etichetta(barra, QStringLiteral("panInfo"), InfoIniziale, QRect(14, 0, 834, 40),
                        carattere(QStringLiteral("Tahoma"), 12), Qt::white);
    panInfo->setWordWrap(true);
    grdRecords->setItemDelegate(new EditoreCella(panInfo, grdRecords));

    // Moving over a picture button shows its hint, over anything else empties the info line.
    for (QWidget *w : {static_cast<QWidget *>(this), shpStrumenti, static_cast<QWidget *>(cmdEsporta),
                       static_cast<QWidget *>(cmdGuida), static_cast<QWidget *>(cmdEsci), barra,
                       static_cast<QWidget *>(grdRecords), grdRecords->viewport()}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    // The dialog opens on its grid; Tab reaches the picture buttons above it.
    grdRecords->setFocus();
}

int TfrmEsporta::colonna(const QString &nome) const
{
    for (int i = 0; i < m_def.colonne.size(); ++i)
        if (nome == QLatin1String(m_def.colonne.at(i).nome))
            return i;
    return -1;
}

void TfrmEsporta::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    FormShow();
}

bool TfrmEsporta::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        const QVariant h = o->property("suggerimento");
        panInfo->setText(h.isValid() ? h.toString() : QString());
    }
    return DialogoFisso::eventFilter(o, e);
}

void TfrmEsporta::FormShow()
{
    // The rows of an earlier show go first: only one grid is held at a time.
    m_griglia->imposta({});
    CelleGriglia righe;
    try {
        m_def.leggi(righe);
    } catch (const ErroreArchivio &e) {
        // The grid keeps the rows filled so far.
        segnalaErroreArchivio(this, e);
    } catch (...) {
        // The grid keeps the rows filled so far.
    }
    m_griglia->imposta(std::move(righe));
}

void TfrmEsporta::cmdEsportaClick()
{
    Servizi &s = Servizi::correnti();
    try {
        if (!s.domanda(this, MsgConferma))
            return;
        QList<ColonnaFoglio> colonne;
        for (const ColonnaGriglia &c : std::as_const(m_def.colonne))
            if (c.larghezzaFoglio > 0)
                colonne.append({QString::fromUtf8(c.intestazione), c.larghezzaFoglio});
        const QString percorso = percorsoDaScrivere(this, m_imp.percorsoFoglio(), QStringLiteral("il file di Excel"),
                                                    QStringLiteral("Cartella di lavoro di Microsoft Excel (*.xls)"));
        if (percorso.isEmpty())
            return;
        const auto celle = [this](qsizetype riga, RigaFoglio &out) { m_griglia->celle(riga, out); };
        if (!scriviFoglio(percorso, m_imp.nomeFoglio, colonne, m_griglia->righe(), celle)) {
            s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
            return;
        }
        if (s.domanda(this, MsgRiuscita))
            TMisc::Open(u'"' + percorso + u'"', this);
    } catch (...) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
    }
}

void TfrmEsporta::cmdGuidaClick()
{
    mostraGuida(this, m_imp.titoloGuida, m_imp.testoGuida);
}

void TfrmEsporta::cmdEsciClick()
{
    reject();
}

} // namespace qv
