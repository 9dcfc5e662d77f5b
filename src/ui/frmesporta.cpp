#include "frmesporta.h"

#include "ui/cartellascrivibile.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "output/foglio.h"
#include "core/importo.h"
#include "core/testo.h"
#include "ui/filtrocampo.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <optional>

namespace qv {

namespace {

const QString InfoIniziale = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString MsgConferma = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString MsgRiuscita = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
// The workbook's closing question says where the file went.
QString riuscitaCartella(const QString &percorso)
{
    const QFileInfo f(percorso);
    return QStringLiteral("Le schede in archivio sono state esportate con successo nel file %1, nella cartella %2."
                          "\r\n\r\nSi vuole aprire il file di Excel?")
        .arg(f.fileName(), QDir::toNativeSeparators(f.absolutePath()));
}
const QString MsgAvanzamento = QStringLiteral("Esportazione delle schede in corso...");
const QString InfoAnnullata = QStringLiteral("Esportazione annullata: il file di Excel non è stato scritto.");
// An export of more cards than these shows its progress.
constexpr qsizetype SchedeConAvanzamento = 5000;
const QString MsgErrore = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il file di Excel non sia già aperto.");

// Tab, Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab leave the grid, forward or
// back, as in the other programs of the desktop; the arrows move inside it.
std::optional<bool> tabulazione(const QKeyEvent *k)
{
    if (k->key() == Qt::Key_Backtab)
        return false;
    if (k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::AltModifier))
        return !(k->modifiers() & Qt::ShiftModifier);
    return std::nullopt;
}

} // namespace

// The grid's rows: for each card the trimmed texts of its fields, in the
// table's order, kept as the archive's bytes; a cell changed in the grid keeps
// its new text beside them. The position column is the row number. The grid
// shows the columns that have a grid width.
class GrigliaEsportazione : public QAbstractTableModel
{
public:
    GrigliaEsportazione(const QList<ColonnaGriglia> &colonne, QObject *parent)
        : QAbstractTableModel(parent), m_colonne(colonne)
    {
        for (int c = 0; c < m_colonne.size(); ++c) {
            if (m_colonne.at(c).larghezzaGriglia > 0)
                m_mostrate.append(c);
            m_nelFoglio.append(c > 0 && m_colonne.at(c).larghezzaFoglio > 0);
        }
    }

    void imposta(CelleGriglia &&nuove)
    {
        beginResetModel();
        m_celle = std::move(nuove);
        m_cambiate.clear();
        endResetModel();
    }

    // Writes the cells of row `riga` as they stand, changed or as read: those
    // of the .xls sheet's columns (`soloFoglio`) or of every field.
    template <typename Riga>
    void celle(qsizetype riga, Riga &out, bool soloFoglio) const
    {
        const char *cella = m_celle.inizioRiga(riga);
        for (qsizetype c = 1; c < m_colonne.size(); ++c, cella = CelleGriglia::dopo(cella)) {
            if (soloFoglio && !m_nelFoglio.at(c))
                continue;
            const auto cambiata = m_cambiate.isEmpty() ? m_cambiate.cend() : m_cambiate.constFind(chiave(riga, c));
            if (cambiata != m_cambiate.cend())
                out.testo(*cambiata);
            else
                out.byte(CelleGriglia::byte(cella));
        }
    }
    qsizetype righe() const { return m_celle.righe(); }
    // The table's column shown in grid column `colonna`.
    int colonnaTabella(int colonna) const { return m_mostrate.value(colonna, -1); }
    int colonnaGriglia(int colonnaTabella) const { return int(m_mostrate.indexOf(colonnaTabella)); }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_celle.righe());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_mostrate.size());
    }

    QVariant data(const QModelIndex &i, int role) const override
    {
        // The view also asks for no cell at all (Ctrl+C with no current cell).
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || !checkIndex(i, CheckIndexOption::IndexIsValid))
            return {};
        const int c = colonnaTabella(i.column());
        if (c == 0)
            return QString::number(i.row() + 1);
        const auto cambiata = m_cambiate.constFind(chiave(i.row(), c));
        if (cambiata != m_cambiate.cend())
            return *cambiata;
        const QByteArrayView b = m_celle.cella(i.row(), c - 1);
        // An amount is shown as everywhere ("1.234.567,89"), and edited as the archive holds it.
        if (role == Qt::DisplayRole && m_colonne.at(c).tipo == TipoCella::Importo)
            return mostraImporto(fromCp1252(b.data(), b.size()));
        return fromCp1252(b.data(), b.size());
    }

    bool setData(const QModelIndex &i, const QVariant &valore, int role) override
    {
        if (role != Qt::EditRole || !checkIndex(i, CheckIndexOption::IndexIsValid) || !(flags(i) & Qt::ItemIsEditable))
            return false;
        m_cambiate.insert(chiave(i.row(), colonnaTabella(i.column())), valore.toString());
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex &i) const override
    {
        const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!checkIndex(i, CheckIndexOption::IndexIsValid))
            return Qt::NoItemFlags;
        return m_colonne.at(colonnaTabella(i.column())).solaLettura ? base : base | Qt::ItemIsEditable;
    }

    QVariant headerData(int sezione, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole || sezione < 0 || sezione >= m_mostrate.size())
            return {};
        return QString::fromUtf8(m_colonne.at(colonnaTabella(sezione)).intestazione);
    }

private:
    static qint64 chiave(qsizetype riga, qsizetype colonna) { return (qint64(riga) << 16) | colonna; }

    QList<ColonnaGriglia> m_colonne;
    QList<int> m_mostrate;   // the table's columns the grid shows, in order
    QList<bool> m_nelFoglio; // for each column of the table, whether the .xls sheet has it
    CelleGriglia m_celle;
    QHash<qint64, QString> m_cambiate; // (row, table column) of the cells changed in the grid
};

// A cell of the grid takes in what a field of the program takes in: a letter
// of another Latin alphabet is written as the code page's letter that stands
// for it, a character the stored files cannot hold is refused, and the info
// line says so.
class EditoreCella : public QStyledItemDelegate
{
public:
    // `esci(avanti)` moves the focus out of the grid, after the cell being
    // edited is taken in, when Tab is pressed in it.
    EditoreCella(QLabel *rigaInfo, std::function<void(bool avanti)> esci, QObject *parent)
        : QStyledItemDelegate(parent), m_rigaInfo(rigaInfo), m_esci(std::move(esci))
    {
    }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *editore = qobject_cast<QWidget *>(o);
        if (editore && e->type() == QEvent::KeyPress) {
            if (const auto avanti = tabulazione(static_cast<QKeyEvent *>(e))) {
                emit commitData(editore);
                emit closeEditor(editore, NoHint);
                m_esci(*avanti);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

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
    std::function<void(bool)> m_esci;
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

    // Each picture button with its mnemonic (Alt and the letter), which its tooltip names.
    struct Pulsante { Figura *TfrmEsporta::*membro; const char *nome, *risorsa; QRect geometria;
                      const char *suggerimento, *titolo, *lettera; void (TfrmEsporta::*clic)(); };
    const Pulsante pulsanti[] = {
        {&TfrmEsporta::cmdEsporta, "cmdEsporta", "all_excel", {14, 8, 44, 44},
         "Esporta l'archivio in formato Microsoft Excel.", "Esporta in Excel (.xls)", "e",
         &TfrmEsporta::cmdEsportaClick},
        {&TfrmEsporta::cmdEsportaXlsx, "cmdEsportaXlsx", "all_excel_xlsx", {66, 8, 44, 44},
         "Esporta in Excel (.xlsx): importi e date come numeri e date, pronti per i calcoli.",
         "Esporta in Excel (.xlsx)", "x", &TfrmEsporta::cmdEsportaXlsxClick},
        {&TfrmEsporta::cmdGuida, "cmdGuida", "ana_guida", {618, 16, 110, 28},
         "Visualizza la pagina della guida sensibile al contesto.", "Guida", "g", &TfrmEsporta::cmdGuidaClick},
        {&TfrmEsporta::cmdEsci, "cmdEsci", "ana_esci", {738, 16, 110, 28},
         "Esci da questo ambiente di lavoro.", "Esci", "s", &TfrmEsporta::cmdEsciClick},
    };
    for (const Pulsante &d : pulsanti) {
        auto *f = new Figura(QLatin1String(d.nome), QStringLiteral(":/img/%1.svg").arg(QLatin1String(d.risorsa)),
                             d.geometria, shpStrumenti, true);
        f->setProperty("suggerimento", QString::fromUtf8(d.suggerimento));
        f->setToolTip(QString::fromUtf8(d.titolo));
        f->setProperty("mnemonico", QString::fromUtf8(d.lettera));
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
    for (int i = 0; i < m_griglia->columnCount(); ++i)
        grdRecords->setColumnWidth(i, m_def.colonne.at(m_griglia->colonnaTabella(i)).larghezzaGriglia);

    auto *barra = new QWidget(this);
    barra->setObjectName(QStringLiteral("shpInfo"));
    barra->setGeometry(0, 520, 862, 40);
    barra->setAttribute(Qt::WA_StyledBackground);
    barra->setStyleSheet(QStringLiteral("#shpInfo { background: #6A5ACD; }"));
    panInfo = etichetta(barra, QStringLiteral("panInfo"), InfoIniziale, QRect(14, 0, 834, 40),
                        carattere(QStringLiteral("Tahoma"), 12), Qt::white);
    panInfo->setWordWrap(true);
    grdRecords->setTabKeyNavigation(false);
    grdRecords->setItemDelegate(new EditoreCella(
        panInfo, [this](bool avanti) { focusNextPrevChild(avanti); }, grdRecords));

    // Moving over a picture button shows its hint, over anything else empties the info line.
    for (QWidget *w : {static_cast<QWidget *>(this), shpStrumenti, static_cast<QWidget *>(cmdEsporta),
                       static_cast<QWidget *>(cmdEsportaXlsx), static_cast<QWidget *>(cmdGuida),
                       static_cast<QWidget *>(cmdEsci), barra,
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
            return m_griglia->colonnaGriglia(i);
    return -1;
}

void TfrmEsporta::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    FormShow();
}

bool TfrmEsporta::eventFilter(QObject *o, QEvent *e)
{
    if (o == grdRecords && e->type() == QEvent::KeyPress) {
        if (const auto avanti = tabulazione(static_cast<QKeyEvent *>(e))) {
            focusNextPrevChild(*avanti);
            return true;
        }
    }
    // Over a picture button the line shows its hint; over anything else it
    // is emptied of a hint or of its opening words, while a notice (an export
    // stopped, a character refused in a cell) stays until the next hint.
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        const QVariant h = o->property("suggerimento");
        if (h.isValid()) {
            m_suggerimento = h.toString();
            panInfo->setText(m_suggerimento);
        } else if (panInfo->text() == m_suggerimento || panInfo->text() == InfoIniziale) {
            panInfo->clear();
        }
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

QList<ColonnaFoglio> TfrmEsporta::colonneFoglio() const
{
    QList<ColonnaFoglio> colonne;
    for (const ColonnaGriglia &c : m_def.colonne)
        if (c.larghezzaFoglio > 0)
            colonne.append({QString::fromUtf8(c.intestazione), c.larghezzaFoglio});
    return colonne;
}

QList<ColonnaCartella> TfrmEsporta::colonneCartella() const
{
    QList<ColonnaCartella> colonne;
    for (qsizetype c = 1; c < m_def.colonne.size(); ++c)
        colonne.append({QString::fromUtf8(m_def.colonne.at(c).intestazione), m_def.colonne.at(c).tipo});
    return colonne;
}

ProprietaCartella TfrmEsporta::proprieta() const
{
    return {m_imp.nomeFoglio, m_imp.oggetto, Servizi::correnti().adesso()};
}

void TfrmEsporta::cmdEsportaClick()
{
    esporta(Formato::Foglio, m_imp.percorsoFoglio(), QStringLiteral("Cartella di lavoro di Microsoft Excel (*.xls)"),
            [this](const QString &percorso, const AvanzamentoScrittura &avanzamento) {
                const auto celle = [this](qsizetype riga, RigaFoglio &out) { m_griglia->celle(riga, out, true); };
                return scriviFoglio(percorso, m_imp.nomeFoglio, colonneFoglio(), m_griglia->righe(), celle, nullptr,
                                    avanzamento);
            });
}

void TfrmEsporta::cmdEsportaXlsxClick()
{
    esporta(Formato::Cartella, m_imp.percorsoCartella(), QStringLiteral("Cartella di lavoro di Excel (*.xlsx)"),
            [this](const QString &percorso, const AvanzamentoScrittura &avanzamento) {
                const auto celle = [this](qsizetype riga, RigaCartella &out) { m_griglia->celle(riga, out, false); };
                return scriviCartella(percorso, m_imp.nomeFoglio, colonneCartella(), m_griglia->righe(), celle,
                                      proprieta(), avanzamento);
            });
}

qint64 TfrmEsporta::componiFoglio() const
{
    qint64 byte = 0;
    const auto celle = [this](qsizetype riga, RigaFoglio &out) { m_griglia->celle(riga, out, true); };
    qv::componiFoglio(m_imp.nomeFoglio, colonneFoglio(), m_griglia->righe(), celle,
                      [&byte](QByteArrayView blocco) { byte += blocco.size(); });
    return byte;
}

bool TfrmEsporta::componiCartella(const QString &percorso) const
{
    const auto celle = [this](qsizetype riga, RigaCartella &out) { m_griglia->celle(riga, out, false); };
    return qv::componiCartella(percorso, m_imp.nomeFoglio, colonneCartella(), m_griglia->righe(), celle,
                               proprieta());
}

void TfrmEsporta::esporta(Formato formato, const QString &destinazione, const QString &filtro, const Scrittura &scrivi)
{
    Servizi &s = Servizi::correnti();
    const bool grande = m_griglia->righe() > SchedeConAvanzamento;
    try {
        // The workbook asks about the time only when it will take some.
        if ((formato == Formato::Foglio || grande) && !s.domanda(this, MsgConferma))
            return;
        const QString percorso = percorsoDaScrivere(this, destinazione, QStringLiteral("il file di Excel"), filtro);
        if (percorso.isEmpty())
            return;
        // A large archive takes a while: a progress window shows how far the
        // export is and can stop it, which leaves the file as it was.
        std::unique_ptr<Avanzamento> avanzamento;
        if (grande)
            avanzamento = s.avanzamento(this, MsgAvanzamento);
        bool fermata = false;
        const auto passo = [&](qsizetype fatte) {
            fermata = avanzamento && !avanzamento->aggiorna(fatte, m_griglia->righe());
            return !fermata;
        };
        const bool scritto = scrivi(percorso, passo);
        avanzamento.reset();
        if (fermata) {
            panInfo->setText(InfoAnnullata);
            return;
        }
        if (!scritto) {
            s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
            return;
        }
        if (s.domanda(this, formato == Formato::Foglio ? MsgRiuscita : riuscitaCartella(percorso)))
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
