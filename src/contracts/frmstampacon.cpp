#include "frmstampacon.h"

#include "core/importo.h"
#include "core/testo.h"
#include "ui/cartellascrivibile.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QFrame>
#include <QKeyEvent>

namespace qv {

namespace {

const QString MsgConferma = QStringLiteral(
    "Questa procedura creerà un documento in formato RTF contenente il contratto di collaborazione.\r\n\r\n"
    "Si conferma la creazione del file?");
const QString MsgRiuscita = QStringLiteral(
    "Il file del contratto di collaborazione è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
const QString MsgErrore = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il documento non sia già aperto.");

// The fields a contract may hardly do without, and how the question names them.
struct Necessario
{
    const char *campo;
    const char *nome;
};
constexpr Necessario kNecessari[] = {
    {"txtIban", "l'IBAN del Collaboratore"},
    {"txtStipendio", "il compenso mensile"},
};

// The six lines of the white panel, three above the separator and three below.
constexpr const char *kTesti[] = {
    "Fare clic sul pulsante in calce",
    "per esportare il documento",
    "in formato RTF.",
    "Il testo del documento potrà quindi",
    "essere personalizzato prima di",
    "procedere alla stampa su carta.",
};

constexpr int kLarghezza = 452;
constexpr int kAltezza = 290;

} // namespace

TfrmStampaCon::TfrmStampaCon(QWidget *parent)
    : DialogoFisso(QStringLiteral(" Esporta e stampa contratto di collaborazione"), QSize(kLarghezza, kAltezza),
                   QColor(0xE4, 0xE9, 0xEF), QColor(0xC9, 0xD5, 0xE1), parent)
{
    setObjectName(QStringLiteral("frmStampaCon"));

    panBianco = new QFrame(this);
    panBianco->setObjectName(QStringLiteral("panBianco"));
    panBianco->setGeometry(10, 10, kLarghezza - 20, 210);
    panBianco->setStyleSheet(
        QStringLiteral("#panBianco { background: white; border: 1px solid #B8C4D0; border-radius: 4px; }"));

    imgDocumento = new Figura(QStringLiteral("imgDocumento"), QStringLiteral(":/img/con_documento.svg"),
                              QRect(14, 16, 64, 64), panBianco);
    imgStampa = new Figura(QStringLiteral("imgStampa"), QStringLiteral(":/img/con_stampante.svg"),
                           QRect(14, 124, 64, 64), panBianco);

    auto *linea = new QFrame(panBianco);
    linea->setObjectName(QStringLiteral("shpSeparatore"));
    linea->setGeometry(14, 104, kLarghezza - 48, 1);
    linea->setStyleSheet(QStringLiteral("background: #A9B9C9;"));

    const QFont f = carattere(QStringLiteral("Verdana"), 12);
    QLabel **etichette[] = {&lblTesto01, &lblTesto02, &lblTesto03, &lblTesto04, &lblTesto05, &lblTesto06};
    for (int i = 0; i < 6; ++i) {
        const int y = (i < 3 ? 18 : 126) + 24 * (i % 3);
        *etichette[i] = etichetta(panBianco, QStringLiteral("lblTesto%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                                  QString::fromUtf8(kTesti[i]), QRect(92, y, kLarghezza - 122, 24), f);
    }

    // Reading order and tab order: Annulla, then the export.
    btnAnnulla = pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                          QRect(kLarghezza - 340, 236, 130, 38), 10);
    btnStampa = pulsante(this, QStringLiteral("btnStampa"), QStringLiteral("Esporta e stampa"),
                         QRect(kLarghezza - 200, 236, 190, 38), 10);
    setTabOrder(btnAnnulla, btnStampa);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaCon::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaCon::btnStampaClick);
    btnStampa->setFocus();
}

CampiContratto TfrmStampaCon::campiDa(const QWidget *schermo)
{
    CampiContratto out;
    if (!schermo)
        return out;
    for (const QString &nome : campiDocumentoContratto()) {
        const QWidget *w = schermo->findChild<QWidget *>(nome);
        if (!w)
            continue;
        QVariant testo = w->property("text");
        if (!testo.isValid())
            testo = w->property("plainText");
        out.insert(nome, trimmed(testo.toString()));
    }
    return out;
}

bool TfrmStampaCon::confermaDatiMancanti(QWidget *schermo)
{
    const CampiContratto valori = campiDa(schermo);
    QStringList mancano;
    QWidget *primo = nullptr;
    for (const Necessario &n : kNecessari) {
        const QString nome = QLatin1String(n.campo);
        const QString valore = valori.value(nome);
        // A fee of nothing is no fee: a new card shows "0,00".
        const bool manca = nome == QLatin1String("txtStipendio") ? formattaImporto(valore) == QLatin1String("0,00")
                                                                  : valore.isEmpty();
        if (!manca)
            continue;
        mancano << QString::fromUtf8(n.nome);
        if (!primo && schermo)
            primo = schermo->findChild<QWidget *>(nome);
    }
    if (mancano.isEmpty())
        return true;
    const QString testo = (mancano.size() == 1 ? QStringLiteral("Attenzione: nel contratto non è indicato ")
                                               : QStringLiteral("Attenzione: nel contratto non sono indicati "))
        + mancano.join(QStringLiteral(" e ")) + QStringLiteral(".\r\n\r\nSi vuole creare ugualmente il documento?");
    if (Servizi::correnti().domanda(schermo, testo, false))
        return true;
    if (primo)
        primo->setFocus(Qt::OtherFocusReason);
    return false;
}

QWidget *TfrmStampaCon::schermoContratti() const
{
    if (QWidget *c = Schermi::per(QStringLiteral("TfrmContratti")))
        return c;
    return parentWidget() ? parentWidget()->window() : nullptr;
}

CampiContratto TfrmStampaCon::campi() const
{
    return campiDa(schermoContratti());
}

void TfrmStampaCon::btnAnnullaClick()
{
    reject();
}

void TfrmStampaCon::btnStampaClick()
{
    Servizi &s = Servizi::correnti();
    try {
        if (!s.domanda(this, MsgConferma))
            return;
        const QString percorso =
            percorsoDaScrivere(this, cartellaProgramma().documentoContratto(),
                               QStringLiteral("il documento del contratto"), QStringLiteral("Documento RTF (*.rtf)"));
        if (percorso.isEmpty())
            return;
        // The document is replaced only once the new one is whole: a failed
        // export leaves the previous document as it was.
        if (!scriviDocumentoContratto(percorso, campi())) {
            s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
            return;
        }
        // The document is written: the dialog's work is done, whatever the answer.
        if (s.domanda(this, MsgRiuscita))
            TMisc::Open(u'"' + percorso + u'"', this);
        accept();
    } catch (...) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgErrore);
    }
}

void TfrmStampaCon::keyPressEvent(QKeyEvent *e)
{
    // Enter presses the button that has the focus; Escape is Annulla.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto *b = qobject_cast<QPushButton *>(focusWidget())) {
            e->accept();
            b->click();
            return;
        }
    } else if (e->key() == Qt::Key_Escape) {
        e->accept();
        btnAnnullaClick();
        return;
    }
    DialogoFisso::keyPressEvent(e);
}

} // namespace qv
