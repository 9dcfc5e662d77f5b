#include "frmexpanagrafica.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"
#include "output/foglio.h"
#include "storage/archivio.h"

#include <QEvent>
#include <QHeaderView>

namespace qv {

namespace {

const QString InfoIniziale = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString NomeFoglio = QStringLiteral("Riepilogo Dipendenti");
const QString MsgConferma = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString MsgRiuscita = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString MsgErrore = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il file di Excel non sia già aperto.");
const QString TitoloGuida = QStringLiteral("Esportazione archivio Dipendenti in Microsoft Excel.");
const QString TestoGuida = QStringLiteral(
    "Il pulsante Esporta archivio consente di esportare le schede anagrafiche dei Dipendenti in un foglio di lavoro "
    "di Microsoft Excel, che potrà essere aperto con qualsiasi software in grado di gestire i file in formato .XLS "
    "(ad esempio, Open Office, Libre Office o Microsoft Office).\r\n\r\n"
    "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di Excel. Questa "
    "operazione crea in tempo reale un file in formato .XLS contenente le schede in archivio, che potrà essere "
    "aperto immediatamente rispondendo affermativamente al messaggio di domanda che appare.\r\n\r\n"
    "A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi.");

// The grid columns in order; every column with a record field is also a sheet
// column, in the same order, with its own width in the sheet.
struct Colonna
{
    const char *nome;
    const char *intestazione;
    int larghezzaGriglia;
    int larghezzaFoglio;
    bool solaLettura;
    QString TSchedaDipendente::*campo; // nullptr: the card's position, not exported
};

using S = TSchedaDipendente;
const Colonna kColonne[] = {
    {"colNum", "N.", 60, 0, true, nullptr},
    {"colDipendente", "Cognome e nome", 250, 250, true, &S::Dipendente},
    {"colCittadinanza", "Cittadinanza", 200, 250, true, &S::Cittadinanza},
    {"colStipendio", "Stipendio", 180, 200, false, &S::Stipendio},
    {"colLuogo", "Luogo di nascita", 250, 250, true, &S::Luogo},
    {"colDataNasc", "Data di nascita", 180, 200, false, &S::DataNasc},
    {"colCodFisc", "Codice fiscale", 180, 200, false, &S::CodFisc},
    {"colPartitaIva", "Partita IVA", 150, 180, true, &S::PartitaIva},
    {"colIndirizzo", "Indirizzo di residenza", 250, 250, true, &S::Indirizzo},
    {"colCitta", "Città", 250, 250, true, &S::Citta},
    {"colProv", "Prov.", 100, 150, true, &S::Prov},
    {"colCap", "CAP", 120, 150, false, &S::Cap},
    {"colQualifiche", "Qualifiche", 300, 300, true, &S::Qualifiche},
    {"colFamiliari", "Familiari a carico", 300, 300, true, &S::Familiari},
    {"colIban", "IBAN", 200, 250, false, &S::Iban},
    {"colNote", "Note", 350, 400, true, &S::Note},
    {"colDataSca", "Scadenza contratto", 150, 200, false, &S::DataSca},
    {"colRecapito", "Recapito telefonico", 180, 200, true, &S::Recapito},
    {"colEmail", "E-mail", 250, 250, false, &S::Email},
};
constexpr int kNumColonne = int(std::size(kColonne));

QList<ColonnaFoglio> colonneFoglio()
{
    QList<ColonnaFoglio> out;
    for (const Colonna &c : kColonne)
        if (c.campo)
            out.append({QString::fromUtf8(c.intestazione), c.larghezzaFoglio});
    return out;
}

} // namespace

// The grid's rows: for each card the trimmed texts of the exported columns, in
// column order. The position column is the row number.
class GrigliaDipendenti : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    QList<QStringList> righe;

    void imposta(QList<QStringList> nuove)
    {
        beginResetModel();
        righe = std::move(nuove);
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(righe.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : kNumColonne; }

    QVariant data(const QModelIndex &i, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        return i.column() == 0 ? QString::number(i.row() + 1) : righe.at(i.row()).at(i.column() - 1);
    }

    bool setData(const QModelIndex &i, const QVariant &valore, int role) override
    {
        if (role != Qt::EditRole || !(flags(i) & Qt::ItemIsEditable))
            return false;
        righe[i.row()][i.column() - 1] = valore.toString();
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex &i) const override
    {
        const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return kColonne[i.column()].solaLettura ? base : base | Qt::ItemIsEditable;
    }

    QVariant headerData(int sezione, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole || sezione < 0 || sezione >= kNumColonne)
            return {};
        return QString::fromUtf8(kColonne[sezione].intestazione);
    }
};

TfrmExpAnagrafica::TfrmExpAnagrafica(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Esporta archivio Dipendenti in Microsoft Excel"), QSize(862, 560),
                   QColor(0xD3, 0xD3, 0xD3), QColor(0xD3, 0xD3, 0xD3), parent)
{
    setObjectName(QStringLiteral("frmExpAnagrafica"));

    shpStrumenti = new QWidget(this);
    shpStrumenti->setObjectName(QStringLiteral("shpStrumenti"));
    shpStrumenti->setGeometry(0, 0, 862, 60);
    shpStrumenti->setAttribute(Qt::WA_StyledBackground);
    shpStrumenti->setStyleSheet(QStringLiteral("#shpStrumenti { background: white; border-bottom: 1px solid #A9A9A9; }"));

    struct Pulsante { Figura *TfrmExpAnagrafica::*membro; const char *nome, *risorsa; QRect geometria;
                      const char *suggerimento; void (TfrmExpAnagrafica::*clic)(); };
    const Pulsante pulsanti[] = {
        {&TfrmExpAnagrafica::cmdEsporta, "cmdEsporta", "all_excel", {14, 8, 44, 44},
         "Esporta l'archivio in formato Microsoft Excel.", &TfrmExpAnagrafica::cmdEsportaClick},
        {&TfrmExpAnagrafica::cmdGuida, "cmdGuida", "ana_guida", {618, 16, 110, 28},
         "Visualizza la pagina della guida sensibile al contesto.", &TfrmExpAnagrafica::cmdGuidaClick},
        {&TfrmExpAnagrafica::cmdEsci, "cmdEsci", "ana_esci", {738, 16, 110, 28},
         "Esci da questo ambiente di lavoro.", &TfrmExpAnagrafica::cmdEsciClick},
    };
    for (const Pulsante &d : pulsanti) {
        auto *f = new Figura(QLatin1String(d.nome), QStringLiteral(":/img/%1.svg").arg(QLatin1String(d.risorsa)),
                             d.geometria, shpStrumenti, true);
        f->setProperty("suggerimento", QString::fromUtf8(d.suggerimento));
        connect(f, &Figura::clicked, this, d.clic);
        this->*(d.membro) = f;
    }

    m_griglia = new GrigliaDipendenti(this);
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
    for (int i = 0; i < kNumColonne; ++i)
        grdRecords->setColumnWidth(i, kColonne[i].larghezzaGriglia);

    auto *barra = new QWidget(this);
    barra->setObjectName(QStringLiteral("shpInfo"));
    barra->setGeometry(0, 520, 862, 40);
    barra->setAttribute(Qt::WA_StyledBackground);
    barra->setStyleSheet(QStringLiteral("#shpInfo { background: #6A5ACD; }"));
    panInfo = etichetta(barra, QStringLiteral("panInfo"), InfoIniziale, QRect(14, 0, 834, 40),
                        carattere(QStringLiteral("Tahoma"), 12), Qt::white);

    // Moving over a picture button shows its hint, over anything else empties the info line.
    for (QWidget *w : {static_cast<QWidget *>(this), shpStrumenti, static_cast<QWidget *>(cmdEsporta),
                       static_cast<QWidget *>(cmdGuida), static_cast<QWidget *>(cmdEsci), barra,
                       static_cast<QWidget *>(grdRecords), grdRecords->viewport()}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

int TfrmExpAnagrafica::colonna(const QString &nome)
{
    for (int i = 0; i < kNumColonne; ++i)
        if (nome == QLatin1String(kColonne[i].nome))
            return i;
    return -1;
}

void TfrmExpAnagrafica::showEvent(QShowEvent *e)
{
    DialogoFisso::showEvent(e);
    FormShow();
}

bool TfrmExpAnagrafica::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        const QVariant h = o->property("suggerimento");
        panInfo->setText(h.isValid() ? h.toString() : QString());
    }
    return DialogoFisso::eventFilter(o, e);
}

void TfrmExpAnagrafica::FormShow()
{
    QList<QStringList> righe;
    try {
        ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
        archivio.apri();
        righe.reserve(archivio.conta());
        QList<QString TSchedaDipendente::*> campi;
        for (const Colonna &c : kColonne)
            if (c.campo)
                campi.append(c.campo);
        archivio.perOgni(campi, [&](int, const TSchedaDipendente &s) {
            QStringList valori;
            valori.reserve(campi.size());
            for (QString TSchedaDipendente::*campo : std::as_const(campi))
                valori.append(s.*campo); // fields are read trimmed
            righe.append(std::move(valori));
            return true;
        });
        archivio.chiudi();
    } catch (const ErroreArchivio &e) {
        // The grid keeps the rows filled so far.
        segnalaSeOccupato(this, e);
    } catch (...) {
        // The grid keeps the rows filled so far.
    }
    m_griglia->imposta(std::move(righe));
}

void TfrmExpAnagrafica::cmdEsportaClick()
{
    Servizi &s = Servizi::correnti();
    try {
        if (!s.domanda(this, MsgConferma))
            return;
        const QString percorso = cartellaProgramma().esportazioneDipendenti();
        if (!scriviFoglio(percorso, NomeFoglio, colonneFoglio(), m_griglia->righe)) {
            s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
            return;
        }
        if (s.domanda(this, MsgRiuscita))
            TMisc::Open(u'"' + percorso + u'"');
    } catch (...) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
    }
}

void TfrmExpAnagrafica::cmdGuidaClick()
{
    mostraGuida(this, TitoloGuida, TestoGuida);
}

void TfrmExpAnagrafica::cmdEsciClick()
{
    reject();
}

} // namespace qv
