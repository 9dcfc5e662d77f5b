#include "frmallegaexcel.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"
#include "output/cartellaxlsx.h"

#include <QFileInfo>
#include <QFrame>

namespace qv {

namespace {

const QString MsgConferma = QStringLiteral(
    "Questa operazione aprirà il foglio di Excel allegato alla scheda corrente.\r\n\r\n"
    "Si conferma l'apertura del file .XLS?");
const QString MsgErrore = QStringLiteral(
    "Attenzione: il sistema non permette di aprire il file.\n\r\n\r"
    "Accertarsi che la cartella di installazione del software sia accessibile in lettura e scrittura.");

// The sheet made for a card that has none: a workbook with the header row
// alone, each column with the format of what is written in it (widths in
// characters).
const QString NomeFoglio = QStringLiteral("Riepilogo attività svolte");
const QList<ColonnaCartella> ColonneFoglio = {
    {QStringLiteral("Data"), TipoCella::Data, 12},
    {QStringLiteral("Ora inizio"), TipoCella::Ora, 12},
    {QStringLiteral("Ora fine"), TipoCella::Ora, 12},
    {QStringLiteral("Attività svolta"), TipoCella::Testo, 50},
    {QStringLiteral("Tot. ore"), TipoCella::Importo, 10},
    {QStringLiteral("Note"), TipoCella::Testo, 50},
};

// The lines of the white box, from the top; the separator comes before the fourth.
struct Riga { QLabel *TfrmAllegaExcel::*membro; const char *nome; const char *testo; };
const Riga kRighe[] = {
    {&TfrmAllegaExcel::lblInfo02, "lblInfo02", "Fare clic sul pulsante in calce"},
    {&TfrmAllegaExcel::lblInfo01, "lblInfo01", "per aprire il file .XLS"},
    {&TfrmAllegaExcel::lblInfo03, "lblInfo03", "allegato alla scheda."},
    {&TfrmAllegaExcel::lblInfo04, "lblInfo04", "E' possibile accedere al foglio di Excel"},
    {&TfrmAllegaExcel::lblInfo05, "lblInfo05", "ogni volta che si desidera al fine di"},
    {&TfrmAllegaExcel::lblInfo06, "lblInfo06", "aggiornare i dati."},
};

} // namespace

TfrmAllegaExcel::TfrmAllegaExcel(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Allega foglio di Excel"), QSize(377, 292), QColor(0x48, 0xA2, 0x48), Qt::white,
                   parent)
{
    setObjectName(QStringLiteral("frmAllegaExcel"));
    QWidget *box = riquadroBianco(this, QRect(18, 18, 340, 207));
    imgExcel = new Figura(QStringLiteral("imgExcel"), QStringLiteral(":/img/all_excel.svg"), QRect(12, 10, 44, 44), box);
    imgTitolo = new Figura(QStringLiteral("imgTitolo"), QStringLiteral(":/img/all_titolo_excel.svg"),
                           QRect(64, 14, 264, 36), box);
    imgDecorativo = new Figura(QStringLiteral("imgDecorativo"), QStringLiteral(":/img/all_registro.svg"),
                               QRect(262, 62, 64, 58), box);

    const QFont f = carattere(QStringLiteral("Verdana"), 12);
    int y = 62;
    for (const Riga &r : kRighe) {
        if (&r == &kRighe[3]) {
            shpSeparatore = new QFrame(box);
            shpSeparatore->setObjectName(QStringLiteral("shpSeparatore"));
            shpSeparatore->setGeometry(14, y + 4, 312, 3);
            shpSeparatore->setStyleSheet(QStringLiteral("#shpSeparatore { background: #708090; border: none; }"));
            y += 13;
        }
        this->*r.membro = etichetta(box, QLatin1String(r.nome), QString::fromUtf8(r.testo), QRect(14, y, 316, 20), f);
        y += 20;
    }

    btnAnnulla = pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(18, 245, 145, 28), 10);
    btnStampa = pulsante(this, QStringLiteral("btnStampa"), QStringLiteral("Apri file .XLS"),
                         QRect(213, 245, 145, 28), 10);
    setTabOrder(btnAnnulla, btnStampa);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaExcel::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmAllegaExcel::btnStampaClick);
}

int TfrmAllegaExcel::apri(QWidget *schermo, const QString &posizione)
{
    auto *dialogo = new TfrmAllegaExcel(schermo);
    dialogo->lblMemory->setText(trimmed(posizione));
    return eseguiDialogo(dialogo);
}

void TfrmAllegaExcel::btnAnnullaClick()
{
    reject();
}

void TfrmAllegaExcel::btnStampaClick()
{
    Servizi &s = Servizi::correnti();
    if (!s.domanda(this, MsgConferma))
        return;
    try {
        bool numero = false;
        const int posizione = trimmed(lblMemory->text()).toInt(&numero);
        if (!numero) {
            s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
            return;
        }
        // A sheet is created once, with its header row, as an .xlsx workbook;
        // an existing sheet holds the user's work and is never rewritten, also
        // the .xls sheet of earlier days, which keeps being the card's.
        QString percorso = cartellaProgramma().foglioLavoro(posizione);
        if (!QFileInfo::exists(percorso)) {
            percorso = cartellaProgramma().foglioLavoroXlsx(posizione);
            const ProprietaCartella proprieta{NomeFoglio, QStringLiteral("Lavori svolti"), s.adesso()};
            if (!QFileInfo::exists(percorso)
                && !scriviCartella(percorso, NomeFoglio, ColonneFoglio, 0, {}, proprieta)) {
                s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
                return;
            }
        }
        TMisc::Open(u'"' + percorso + u'"', this);
        accept();
    } catch (...) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
    }
}

} // namespace qv
