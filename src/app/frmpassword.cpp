#include "frmpassword.h"

#include "app/frmavvio.h"
#include "ui/frmguida.h"
#include "ui/mnemonici.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"
#include "ui/campi.h"
#include "storage/archiviopassword.h"
#include "storage/ini.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace qv {

namespace {

const QString MsgPasswordErrata = QStringLiteral("Attenzione: password errata.");
const QString MsgErroreLettura = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString MsgVecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString MsgNonConfermata = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString MsgErroreModifica = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
// A folder that can only be read is no reason to reinstall anything.
const QString MsgPasswordSolaLettura = QStringLiteral(
    "Attenzione: la cartella del programma è in sola lettura: la nuova password non può essere memorizzata.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString MsgModificaRiuscita = QStringLiteral("Modifica della password completata con successo.");

const QColor Cremisi(0xDC, 0x14, 0x3C);

QLineEdit *campoPassword(QWidget *parent, const QString &nome, const QRect &g)
{
    QLineEdit *e = creaCampo(parent, nome, g, 255, carattere(QStringLiteral("Verdana"), 14, true));
    e->setEchoMode(QLineEdit::Password);
    return e;
}

QLabel *memoria(QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QStringLiteral("lblMemory"));
    l->hide();
    return l;
}

// The white title box with the logo, a title picture and two lines of text.
void intestazione(QWidget *parent, const QString &titolo, QLabel *&rigo1, const QString &testo1, QLabel *&rigo2,
                  const QString &testo2)
{
    QWidget *box = riquadroBianco(parent, QRect(12, 12, parent->width() - 24, 104));
    new Figura(QStringLiteral("imgLogo"), QStringLiteral(":/img/logo.svg"), QRect(8, 4, 96, 96), box);
    new Figura(QStringLiteral("imgTitolo"), titolo, QRect(118, 10, 300, 40), box);
    const QFont f = carattere(QStringLiteral("Verdana"), 10);
    rigo1 = etichetta(box, QStringLiteral("lblRigo01"), testo1, QRect(122, 54, box->width() - 130, 20), f);
    rigo2 = etichetta(box, QStringLiteral("lblRigo02"), testo2, QRect(122, 74, box->width() - 130, 20), f);
}

} // namespace

FinestraFissa::FinestraFissa(const QString &titolo, const QSize &area, QWidget *parent)
    : SfondoSfumato(QColor(0x5D, 0x85, 0xA6), Qt::white, parent)
{
    impostaFormati();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(titolo);
    setFixedSize(area);
}

void FinestraFissa::showEvent(QShowEvent *e)
{
    // Centred when first shown; shown again, it comes back where it was.
    if (!m_posta) {
        adattaAllArea(this);
        m_posta = true;
    }
    chiediPulsantiTitolo(this, SenzaPulsanti);
    assegnaMnemonici(this);
    SfondoSfumato::showEvent(e);
}

// ---------------------------------------------------------------- login

TfrmPassword::TfrmPassword(QWidget *parent)
    : FinestraFissa(QStringLiteral(" Quadrivela - Accesso"), QSize(600, 372), parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    intestazione(this, QStringLiteral(":/img/titolo_password.svg"), lblRigo01,
                 QStringLiteral("E' possibile proteggere l'accesso al programma"), lblRigo02,
                 QStringLiteral("con una password di propria scelta."));

    QWidget *avviso = riquadroBianco(this, QRect(12, 126, 576, 66));
    const QFont f12 = carattere(QStringLiteral("Verdana"), 12);
    lblRigo03 = etichetta(avviso, QStringLiteral("lblRigo03"),
                          QStringLiteral("Per il primo accesso dopo ogni installazione del software,"),
                          QRect(10, 8, 556, 24), f12, Cremisi);
    lblRigo04 = etichetta(avviso, QStringLiteral("lblRigo04"),
                          QStringLiteral("usare la password \"mirtillobianco\" (senza le virgolette)."),
                          QRect(10, 34, 556, 24), f12, Cremisi);

    new Figura(QStringLiteral("imgLucchetto"), QStringLiteral(":/img/lucchetto.svg"), QRect(36, 214, 64, 64), this);
    lblRigo05 = etichetta(this, QStringLiteral("lblRigo05"), QStringLiteral("Immettere la password e premere OK."),
                          QRect(124, 206, 440, 24), f12);
    txtPassword = campoPassword(this, QStringLiteral("txtPassword"), QRect(124, 238, 310, 32));
    cmdOK = pulsante(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), QRect(448, 237, 110, 34));
    cmdOK->setEnabled(false);

    cmdEsci = pulsante(this, QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QRect(124, 310, 140, 34));
    btnCambiaPassword = pulsante(this, QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia Password"),
                                 QRect(280, 310, 200, 34));
    lblMemory = memoria(this);

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    static const DefCampo campi[] = {{"txtPassword", nullptr}};
    new ComportamentiCampi(this, campi);
    // Installed after the field behaviours, so it sees Enter first.
    txtPassword->installEventFilter(this);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::showEvent(QShowEvent *e)
{
    FinestraFissa::showEvent(e);
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent *e)
{
    // There is no close button; a close asked by the window system (Alt+F4)
    // does what "Esci" does.
    e->accept();
    cmdEsciClick();
}

bool TfrmPassword::eventFilter(QObject *o, QEvent *e)
{
    if (o == txtPassword) {
        if (e->type() == QEvent::KeyRelease) {
            txtPasswordChange();
        } else if (e->type() == QEvent::KeyPress
                   && ComportamentiCampi::tastoInvio(static_cast<QKeyEvent *>(e)->key())) {
            if (!trimmed(txtPassword->text()).isEmpty())
                cmdOKClick();
            return true;
        }
    }
    return FinestraFissa::eventFilter(o, e);
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!trimmed(txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick()
{
    Servizi &s = Servizi::correnti();
    QString errore;
    const std::optional<QString> memorizzata = leggiPassword(cartellaProgramma().archivioPassword(), &errore);
    if (!memorizzata) {
        // Another copy rewriting the store is not a damaged installation.
        s.messaggio(this, TipoMessaggio::Semplice, errore == MsgFileOccupato ? MsgFileOccupato : MsgErroreLettura);
        return;
    }
    lblMemory->setText(*memorizzata);
    if (passwordNormalizzata(txtPassword->text()) != lblMemory->text()) {
        s.messaggio(this, TipoMessaggio::Avviso, MsgPasswordErrata);
        txtPassword->clear();
        txtPassword->setFocus(Qt::OtherFocusReason);
        return;
    }
    passaA(Schermi::per(QStringLiteral("TfrmAvvio")), this);
}

void TfrmPassword::cmdEsciClick()
{
    hide();
    Schermi::terminaApplicazione();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    passaA(Schermi::per(QStringLiteral("TfrmCambiaPassword")), this);
}

// ---------------------------------------------------------------- change

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent)
    : FinestraFissa(QStringLiteral(" Modifica Password"), QSize(600, 372), parent)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    intestazione(this, QStringLiteral(":/img/titolo_cambia.svg"), lblRigo01,
                 QStringLiteral("Per cambiare la password, compilare i campi"), lblRigo02,
                 QStringLiteral("sottostanti e premere il pulsante OK."));

    const QFont f = carattere(QStringLiteral("Verdana"), 11);
    struct Riga { const char *nome; const char *etichetta; QLineEdit *TfrmCambiaPassword::*membro; };
    static const Riga righe[] = {
        {"txtPasswordOld", "Vecchia PW:", &TfrmCambiaPassword::txtPasswordOld},
        {"txtPasswordNew", "Nuova PW:", &TfrmCambiaPassword::txtPasswordNew},
        {"txtConferma", "Conferma nuova PW:", &TfrmCambiaPassword::txtConferma},
    };
    int y = 140;
    for (const Riga &r : righe) {
        etichetta(this, QStringLiteral("lbl") + QLatin1String(r.nome).mid(3), QString::fromUtf8(r.etichetta),
                  QRect(110, y + 5, 170, 24), f)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        this->*(r.membro) = campoPassword(this, QLatin1String(r.nome), QRect(292, y, 270, 32));
        y += 46;
    }
    new Figura(QStringLiteral("imgChiave"), QStringLiteral(":/img/chiave.svg"), QRect(30, 168, 64, 64), this);

    cmdEsci = pulsante(this, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), QRect(292, 310, 130, 34));
    cmdOK = pulsante(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), QRect(432, 310, 130, 34));
    cmdOK->setEnabled(false);
    lblMemory = memoria(this);

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);

    // Enter moves round the three fields and never presses OK.
    static const DefCampo campi[] = {
        {"txtPasswordOld", "txtPasswordNew"},
        {"txtPasswordNew", "txtConferma"},
        {"txtConferma", "txtPasswordOld"},
    };
    new ComportamentiCampi(this, campi);

    for (QLineEdit *e : {txtPasswordOld, txtPasswordNew, txtConferma})
        connect(e, &QLineEdit::textChanged, this, &TfrmCambiaPassword::campiChange);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::showEvent(QShowEvent *e)
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    lblMemory->clear();
    FinestraFissa::showEvent(e);
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *e)
{
    e->accept();
    auto *login = qobject_cast<TfrmPassword *>(Schermi::per(QStringLiteral("TfrmPassword")));
    if (!login)
        return;
    login->txtPassword->clear();
    login->lblMemory->clear();
    passaA(login, this);
    login->txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        cmdEsciClick();
        return;
    }
    FinestraFissa::keyPressEvent(e);
}

void TfrmCambiaPassword::campiChange()
{
    cmdOK->setEnabled(!trimmed(txtPasswordOld->text()).isEmpty() && !trimmed(txtPasswordNew->text()).isEmpty()
                      && !trimmed(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    Servizi &s = Servizi::correnti();
    const QString store = cartellaProgramma().archivioPassword();
    QString errore;
    const std::optional<QString> memorizzata = leggiPassword(store, &errore);
    if (!memorizzata) {
        s.messaggio(this, TipoMessaggio::Semplice, errore == MsgFileOccupato ? MsgFileOccupato : MsgErroreModifica);
        return;
    }
    if (passwordNormalizzata(txtPasswordOld->text()) != *memorizzata) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgVecchiaErrata);
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (trimmed(txtPasswordNew->text()) != trimmed(txtConferma->text())) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgNonConfermata);
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Characters the cipher cannot keep could never be matched at the login.
    if (!passwordMemorizzabile(txtPasswordNew->text())) {
        s.messaggio(this, TipoMessaggio::Semplice, MsgCaratteriNonAmmessi);
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!scriviPassword(store, txtPasswordNew->text(), &errore)) {
        s.messaggio(this, TipoMessaggio::Semplice,
                    errore == MsgFileOccupato      ? MsgFileOccupato
                    : errore == MotivoSolaLettura ? MsgPasswordSolaLettura
                                                  : MsgErroreModifica);
        return;
    }
    s.messaggio(this, TipoMessaggio::Semplice, MsgModificaRiuscita);
    close();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    close();
}

} // namespace qv
