#include "frmanagrafica.h"

#include "ui/frmguida.h"
#include "ui/frmversioni.h"
#include "ui/primadisalvare.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "ui/tastiera.h"
#include "ui/testiguida.h"
#include "checks/confrontoscheda.h"
#include "checks/frmcalcolacf.h"
#include "checks/frmcontrolli.h"
#include "core/controllodate.h"
#include "core/testo.h"
#include "ui/campi.h"
#include "ui/schermoscheda.h"
#include "registry/foto.h"
#include "registry/frmallegaexcel.h"
#include "ui/frmallegati.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmscadute.h"
#include "registry/frmstampaana.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"

#include <QCloseEvent>
#include <QFrame>

namespace qv {

namespace {

// The card's edit fields: label, geometry, tab order, behaviour, successor on
// Enter. The maximum length of each is its record field's capacity.
struct DefCampoScheda
{
    const char *campo;
    const char *etichetta;
    int x, y, larghezza;
    Qt::Alignment allineamento;
    QLineEdit *TfrmAnagrafica::*membro;
};

using A = TfrmAnagrafica;
const DefCampoScheda kCampiScheda[] = {
    {"Dipendente", "Cognome e nome Dipendente:", 420, 114, 266, Qt::AlignLeft, &A::txtDipendente},
    {"Cittadinanza", "Cittadinanza:", 420, 170, 266, Qt::AlignLeft, &A::txtCittadinanza},
    {"Stipendio", "Stipendio: €", 700, 170, 122, Qt::AlignRight, &A::txtStipendio},
    {"Luogo", "Luogo di nascita:", 420, 226, 266, Qt::AlignLeft, &A::txtLuogo},
    {"DataNasc", "Data di nascita:", 700, 226, 122, Qt::AlignHCenter, &A::txtDataNasc},
    {"CodFisc", "Codice fiscale:", 420, 282, 198, Qt::AlignLeft, &A::txtCodFisc},
    {"PartitaIva", "Partita IVA:", 660, 282, 134, Qt::AlignLeft, &A::txtPartitaIva},
    {"Indirizzo", "Indirizzo di residenza e numero civico:", 420, 338, 402, Qt::AlignLeft, &A::txtIndirizzo},
    {"Citta", "Città:", 420, 394, 258, Qt::AlignLeft, &A::txtCitta},
    {"Prov", "Prov.", 692, 394, 46, Qt::AlignLeft, &A::txtProv},
    {"Cap", "CAP:", 752, 394, 70, Qt::AlignLeft, &A::txtCap},
    {"Qualifiche", "Qualifiche:", 32, 458, 374, Qt::AlignLeft, &A::txtQualifiche},
    {"Familiari", "Familiari a carico:", 420, 458, 402, Qt::AlignLeft, &A::txtFamiliari},
    {"Iban", "IBAN:", 32, 514, 346, Qt::AlignLeft, &A::txtIban},
    {"Note", "Note:", 420, 514, 402, Qt::AlignLeft, &A::txtNote},
    {"DataSca", "Scadenza contratto:", 44, 580, 150, Qt::AlignHCenter, &A::txtDataSca},
    {"Preavviso", "Giorni preavviso:", 236, 580, 116, Qt::AlignHCenter, &A::txtPreavviso},
    {"Recapito", "Recapito telefonico:", 384, 580, 186, Qt::AlignLeft, &A::txtRecapito},
    {"Email", "E-mail:", 594, 580, 198, Qt::AlignLeft, &A::txtEmail},
};
constexpr int kAltezzaCampo = 26;

const DefCampo kComportamenti[] = {
    {"txtDipendente", "txtCittadinanza"},
    {"txtCittadinanza", "txtStipendio"},
    {"txtStipendio", "txtLuogo", Importo},
    {"txtLuogo", "txtDataNasc"},
    {"txtDataNasc", "txtCodFisc", DataCalendario, "datanasc"},
    {"txtCodFisc", "txtPartitaIva", Maiuscole | Codice},
    {"txtPartitaIva", "txtIndirizzo", SoloCifre | Codice},
    {"txtIndirizzo", "txtCitta"},
    {"txtCitta", "txtProv"},
    {"txtProv", "txtCap", Maiuscole},
    {"txtCap", "txtQualifiche"},
    {"txtQualifiche", "txtFamiliari"},
    {"txtFamiliari", "txtIban"},
    {"txtIban", "txtNote", Maiuscole | Codice},
    {"txtNote", "txtDataSca"},
    {"txtDataSca", "txtPreavviso", DataCalendario, "datasca"},
    {"txtPreavviso", "txtRecapito", SoloCifre},
    {"txtRecapito", "txtEmail"},
    {"txtEmail", "txtDipendente", TrimDigitando},
};

const DefFigura<TfrmAnagrafica> kPulsanti[] = {
    {"btnNuovo", "ana_nuovo", {852, 90, 110, 28}, "Prepara la schermata per l'inserimento di una nuova scheda.", &A::btnNuovoClick, &A::btnNuovo},
    {"btnDuplica", "ana_duplica", {852, 124, 110, 28}, "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.", &A::btnDuplicaClick, &A::btnDuplica},
    {"btnSalva", "ana_salva", {852, 158, 110, 28}, "Salva la scheda corrente in archivio.", &A::btnSalvaClick, &A::btnSalva},
    {"btnTrova", "ana_trova", {852, 192, 110, 28}, "Trova una scheda in archivio.", &A::btnTrovaClick, &A::btnTrova},
    {"btnAllegati", "ana_allegati", {852, 226, 110, 28}, "Allega file alla scheda corrente.", &A::btnAllegatiClick, &A::btnAllegati},
    {"btnAnteprima", "ana_anteprima", {852, 260, 110, 28}, "Visualizza l'anteprima di stampa.", &A::btnAnteprimaClick, &A::btnAnteprima},
    {"btnStampa", "ana_stampa", {852, 294, 110, 28}, "Stampa la scheda corrente.", &A::btnStampaClick, &A::btnStampa},
    {"btnScadenze", "ana_scadenze", {852, 328, 110, 28}, "Visualizza il riepilogo dei Dipendenti con contratti in scadenza o scaduti.", &A::btnScadenzeClick, &A::btnScadenze},
    {"btnScaduti", "ana_scaduti", {852, 362, 110, 28}, "Visualizza il riepilogo dei Dipendenti con contratti scaduti.", &A::btnScadutiClick, &A::btnScaduti},
    {"btnEsporta", "ana_esporta", {852, 396, 110, 28}, "Esporta l'archivio in un foglio di Microsoft Excel.", &A::btnEsportaClick, &A::btnEsporta},
    {"btnGuida", "ana_guida", {852, 430, 110, 28}, "Visualizza la pagina della guida sensibile al contesto.", &A::btnGuidaClick, &A::btnGuida},
    {"btnEsci", "ana_esci", {852, 464, 110, 28}, "Esci da questa schermata di lavoro.", &A::btnEsciClick, &A::btnEsci},
    {"cmdPrimo", "ana_primo", {600, 24, 37, 39}, "Visualizza la prima scheda in archivio.", &A::cmdPrimoClick, &A::cmdPrimo},
    {"cmdIndietro", "ana_indietro", {641, 24, 37, 39}, "Visualizza la scheda precedente in archivio.", &A::cmdIndietroClick, &A::cmdIndietro},
    {"cmdAvanti", "ana_avanti", {764, 24, 37, 39}, "Visualizza la scheda successiva in archivio.", &A::cmdAvantiClick, &A::cmdAvanti},
    {"cmdUltimo", "ana_ultimo", {805, 24, 37, 39}, "Visualizza l'ultima scheda in archivio.", &A::cmdUltimoClick, &A::cmdUltimo},
    {"btnCodFisc", "ana_controlla", {624, 284, 22, 22}, "Controlla il codice fiscale.", &A::btnCodFiscClick, &A::btnCodFisc},
    {"btnCalcolaCF", "ana_calcola", {624, 257, 22, 22}, "Calcola il codice fiscale dai dati anagrafici.", &A::btnCalcolaCFClick, &A::btnCalcolaCF},
    {"btnPartitaIva", "ana_controlla", {800, 284, 22, 22}, "Controlla il numero di partita IVA.", &A::btnPartitaIvaClick, &A::btnPartitaIva},
    {"btnIban", "ana_controlla", {384, 516, 22, 22}, "Controlla l'IBAN.", &A::btnIbanClick, &A::btnIban},
    {"btnEmail", "ana_email", {798, 582, 22, 22}, "Invia una e-mail all'indirizzo indicato.", &A::btnEmailClick, &A::btnEmail},
    {"delDataSca", "ana_gomma", {200, 582, 22, 22}, "Cancella la data.", &A::delDataScaClick, &A::delDataSca},
    {"btnVersioni", "versioni", {412, 24, 170, 40}, "Mostra le versioni precedenti della scheda corrente, salvate prima di ogni modifica.", &A::btnVersioniClick, &A::btnVersioni},
};


} // namespace

TfrmAnagrafica::TfrmAnagrafica(QWidget *parent)
    : SchermoArea(QStringLiteral(" Quadrivela - Anagrafica Dipendenti e Lavori"), QColor(0x9D, 0xB5, 0xCA), Qt::white,
                  parent)
{
    setObjectName(QStringLiteral("frmAnagrafica"));
    QWidget *p = pannello();
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, QColor(0xC8, 0xD6, 0xE3));
    p->setPalette(pal);

    // Regions: title, record bar, the boxes behind the fields, the toolbar column.
    QFrame *titolo = riquadro(p, "shpTitolo", QRect(22, 14, 378, 64), "white");
    imgIntestazione = new Figura(QStringLiteral("imgIntestazione"), QStringLiteral(":/img/ana_intestazione.svg"),
                                 QRect(9, 2, 360, 60), titolo);
    riquadro(p, "shpRecord", QRect(590, 16, 262, 56), "white");
    riquadro(p, "shpDati", QRect(410, 86, 428, 346), "#D3E2EE");
    riquadro(p, "shpAltri", QRect(22, 430, 816, 116), "white");
    riquadro(p, "shpScadenza", QRect(22, 552, 816, 66), "#D3E2EE");
    auto *colonna = new SfondoSfumato(QColor(0x5D, 0x85, 0xA6), Qt::white, p);
    colonna->setObjectName(QStringLiteral("shpPulsanti"));
    colonna->setGeometry(846, 84, 122, 562);
    imgDecorativo = new Figura(QStringLiteral("imgDecorativo"), QStringLiteral(":/img/ana_decorativo.svg"),
                               QRect(852, 500, 110, 140), p);

    lblPosizione = etichetta(p, QStringLiteral("lblPosizione"), QString(), QRect(681, 24, 78, 39),
                             carattere(QStringLiteral("Verdana"), 14, true), QColor(0x1F, 0x3A, 0x5F));
    lblPosizione->setAlignment(Qt::AlignCenter);

    const QFont fEtichetta = carattere(QStringLiteral("Verdana"), 12);
    const QFont fCampo = carattere(QStringLiteral("Verdana"), 12, true);
    const QFont fCodice = carattereCodice();
    // The identifier fields show in the face of codes.
    const auto codice = [](const QString &nome) {
        for (const DefCampo &c : kComportamenti)
            if (nome == QLatin1String(c.campo))
                return (c.comportamenti & Codice) != 0;
        return false;
    };
    for (const DefCampoScheda &d : kCampiScheda) {
        const auto *campo = campoScheda<TSchedaDipendente>(QLatin1String(d.campo));
        const QString nome = QStringLiteral("txt") + QLatin1String(d.campo);
        etichetta(p, QStringLiteral("lbl") + QLatin1String(d.campo) + QStringLiteral("Etichetta"),
                  QString::fromUtf8(d.etichetta), QRect(d.x, d.y - 22, std::max(d.larghezza, 200), 20), fEtichetta);
        QLineEdit *e = creaCampo(p, nome, QRect(d.x, d.y, d.larghezza, kAltezzaCampo), campo->capacita,
                                 codice(nome) ? fCodice : fCampo);
        e->setAlignment(d.allineamento | Qt::AlignVCenter);
        this->*(d.membro) = e;
    }
    for (QLabel **l : {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03}) {
        *l = new QLabel(p);
        (*l)->hide();
    }
    lblFile01->setObjectName(QStringLiteral("lblFile01"));
    lblFile02->setObjectName(QStringLiteral("lblFile02"));
    lblFile03->setObjectName(QStringLiteral("lblFile03"));
    lblDesc01->setObjectName(QStringLiteral("lblDesc01"));
    lblDesc02->setObjectName(QStringLiteral("lblDesc02"));
    lblDesc03->setObjectName(QStringLiteral("lblDesc03"));

    btnLavori = pulsante(p, QStringLiteral("btnLavori"), QStringLiteral("Lavori svolti"), QRect(700, 104, 122, 33));

    creaFigure<TfrmAnagrafica>(this, p, kPulsanti);
    btnLavori->setProperty("suggerimento",
                           QStringLiteral("Annota in un foglio di Excel le attività lavorative svolte giornalmente."));
    connect(btnLavori, &QPushButton::clicked, this, &TfrmAnagrafica::btnLavoriClick);

    foto = new FotoScheda(p, this);
    for (QWidget *w : p->findChildren<QWidget *>()) {
        const QString h = foto->suggerimento(w);
        if (!h.isEmpty())
            w->setProperty("suggerimento", h);
    }

    m_rigaInfo = new RigaInfo(this, p, InfoIniziale);
    panInfo = m_rigaInfo->panInfo();

    // Tab in screen order (Dipendente, Lavori svolti, the fields, each button
    // beside its field), and the shortcuts.
    comandiDaTastiera(this, p);

    m_comportamenti = new ComportamentiCampi(this, kComportamenti);
    m_comportamenti->suggerimento = [this](const QString &t) { panInfo->setText(t); };

    // Moving over the background empties the info line.
    m_rigaInfo->collega();
    fissaPartenza();
}

TSchedaDipendente TfrmAnagrafica::schedaCorrente() const
{
    return schedaDaiControlli<TSchedaDipendente>(pannello());
}

void TfrmAnagrafica::fissaPartenza()
{
    m_partenza = schedaCorrente();
    m_fotoPartenza = foto->imgFoto->immagine();
    m_rigaInfo->schedaCambiata();
}

bool TfrmAnagrafica::schedaModificata() const
{
    return schedaDiversa(schedaCorrente(), m_partenza, {&TSchedaDipendente::Stipendio})
        || foto->imgFoto->immagine() != m_fotoPartenza;
}

bool TfrmAnagrafica::lasciaScheda(QWidget *padre)
{
    return lasciaSchedaModificata(padre ? padre : this, schedaModificata(), [this] { return salva(); });
}

void TfrmAnagrafica::caricaScheda(const TSchedaDipendente &scheda, int posizione)
{
    schedaNeiControlli(pannello(), scheda);
    lblPosizione->setText(QString::number(posizione));
    m_caricati = codificaScheda(scheda);
    foto->carica(posizione);
    fissaPartenza();
}

void TfrmAnagrafica::mostraScheda(const SchedaLetta<TSchedaDipendente> &letta)
{
    caricaScheda(letta.scheda, letta.posizione);
    m_caricati = letta.byte;
    infoSchedaMostrata(panInfo, letta.solaLettura, InfoIniziale);
}

void TfrmAnagrafica::nuovaScheda()
{
    for (const DefCampoScheda &d : kCampiScheda)
        (this->*(d.membro))->clear();
    txtStipendio->setText(QStringLiteral("0,00"));
    txtPreavviso->setText(QStringLiteral("0"));
    for (QLabel *l : {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})
        l->clear();
    foto->nuova();
    lblPosizione->clear();
    m_caricati.clear();
    fissaPartenza();
    txtDipendente->setFocus(Qt::OtherFocusReason);
}

void TfrmAnagrafica::showEvent(QShowEvent *e)
{
    SchermoArea::showEvent(e);
    if (!e->spontaneous()) {
        nuovaScheda();
        // Said before the user fills a card that could not be saved.
        segnalaSolaLettura(panInfo, FileArchivio::soloLettura(cartellaProgramma().archivioDipendenti()));
    }
}

void TfrmAnagrafica::closeEvent(QCloseEvent *e)
{
    // A screen already hidden was left before: only the one shown asks.
    if (isVisible() && !lasciaScheda()) {
        e->ignore();
        return;
    }
    e->accept();
    passaA(Schermi::per(QStringLiteral("TfrmAvvio")), this);
}

void TfrmAnagrafica::messaggioArchivio(const ErroreArchivio &errore)
{
    Servizi::correnti().messaggio(this, TipoMessaggio::Errore, testoErroreArchivio(errore));
}

void TfrmAnagrafica::btnNuovoClick()
{
    if (lasciaScheda())
        nuovaScheda();
}

void TfrmAnagrafica::naviga(Freccia verso)
{
    std::function<bool()> lascia;
    if (schedaModificata())
        lascia = [this] { return lasciaScheda(); };
    try {
        frecciaSuArchivio<TSchedaDipendente>(this, cartellaProgramma().archivioDipendenti(), verso, lblPosizione,
                                             [this](const SchedaLetta<TSchedaDipendente> &l) { mostraScheda(l); }, true,
                                             lascia);
    } catch (const ErroreArchivio &e) {
        messaggioArchivio(e);
    }
}

void TfrmAnagrafica::cmdPrimoClick() { naviga(Freccia::Primo); }
void TfrmAnagrafica::cmdIndietroClick() { naviga(Freccia::Indietro); }
void TfrmAnagrafica::cmdAvantiClick() { naviga(Freccia::Avanti); }
void TfrmAnagrafica::cmdUltimoClick() { naviga(Freccia::Ultimo); }

void TfrmAnagrafica::btnDuplicaClick()
{
    duplicaScheda(this, cartellaProgramma().archivioDipendenti(), lblPosizione,
                  {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03},
                  QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa "
                                 "è stata inserita in archivio."),
                  txtDipendente,
                  [this] {
                      foto->nuova();
                      m_caricati.clear();
                      fissaPartenza();
                  },
                  [this] { return lasciaScheda(); });
}

void TfrmAnagrafica::btnSalvaClick()
{
    salva();
}

bool TfrmAnagrafica::salva()
{
    Servizi &s = Servizi::correnti();
    m_comportamenti->completaDate();
    struct Obbligatorio { QLineEdit *campo; const char *messaggio; };
    const Obbligatorio obbligatori[] = {
        {txtDipendente, "Attenzione: per salvare la scheda è necessario indicare cognome e nome del Dipendente."},
        {txtStipendio, "Attenzione: per salvare la scheda è necessario indicare l'importo dello stipendio."},
        {txtCodFisc, "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del Dipendente."},
        {txtDataSca, "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del contratto."},
    };
    for (const Obbligatorio &o : obbligatori) {
        if (trimmed(o.campo->text()).isEmpty()) {
            s.messaggio(this, TipoMessaggio::Avviso, QString::fromUtf8(o.messaggio));
            o.campo->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    if (!dataEsistente(this, txtDataSca, QStringLiteral("la data di scadenza"), QStringLiteral("la scheda")))
        return false;
    if (!dataEsistente(this, txtDataNasc, QStringLiteral("la data di nascita del Dipendente"),
                       QStringLiteral("la scheda"), true))
        return false;
    if (trimmed(txtPreavviso->text()).isEmpty()) {
        s.messaggio(this, TipoMessaggio::Avviso,
                    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso."));
        txtPreavviso->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!primaDiSalvare(this, txtStipendio, problemiDateDipendente(txtDataNasc->text(), txtDataSca->text(), s.oggi()),
                        QStringLiteral("la scheda")))
        return false;
    try {
        const QStringList altre = schedeConCodiceFiscale(txtCodFisc->text(), trimmed(lblPosizione->text()).toInt());
        if (!confermaCodiciFiscali(
                this, {{QString(), txtCodFisc, {txtDipendente->text(), txtLuogo->text(), txtDataNasc->text()}, altre}}))
            return false;
        if (!salvaSchedaSchermo<TSchedaDipendente>(
                {this, cartellaProgramma().archivioDipendenti(), lblPosizione, &m_caricati,
                 [this](const SchedaLetta<TSchedaDipendente> &l) { mostraScheda(l); }, [this](int p) { foto->salva(p); },
                 panInfo},
                schedaCorrente()))
            return false;
    } catch (const ErroreArchivio &e) {
        messaggioArchivio(e);
        return false;
    }
    fissaPartenza();
    return true;
}

void TfrmAnagrafica::btnAllegatiClick()
{
    TfrmAllegaCartella::apri(this, QStringLiteral("anagrafica"));
}

void TfrmAnagrafica::btnLavoriClick()
{
    const QString posizione = trimmed(lblPosizione->text());
    if (posizione.isEmpty()) {
        Servizi::correnti().messaggio(
            this, TipoMessaggio::Avviso,
            QStringLiteral("Attenzione: l'abbinamento di un foglio di Excel ad un Dipendente può avvenire soltanto "
                           "dopo che la sua scheda è stata inserita in archivio."));
        return;
    }
    TfrmAllegaExcel::apri(this, posizione);
}

void TfrmAnagrafica::btnCodFiscClick() { apriControlloCodFisc(this, txtCodFisc->text()); }
void TfrmAnagrafica::btnCalcolaCFClick()
{
    apriCalcolaCF(this, txtCodFisc, txtDipendente->text(), txtLuogo->text(), txtDataNasc->text());
}
void TfrmAnagrafica::btnPartitaIvaClick() { apriControlloPartitaIva(this, txtPartitaIva->text()); }
void TfrmAnagrafica::btnIbanClick() { apriControlloIban(this, txtIban->text()); }

void TfrmAnagrafica::btnEmailClick()
{
    TMisc::Open(QStringLiteral("\"mailto:") + trimmed(txtEmail->text()) + u'"', this);
}

void TfrmAnagrafica::btnTrovaClick()
{
    auto *dlg = new TfrmTrovaAnagrafica(this);
    dlg->lblMemory->setText(QStringLiteral("anagrafica"));
    eseguiDialogo(dlg);
}

void TfrmAnagrafica::btnAnteprimaClick()
{
    auto *dlg = new TfrmAnteprimaAna(this);
    dlg->imgLogo->impostaImmagine(foto->foto());
    eseguiDialogo(dlg);
}

void TfrmAnagrafica::btnStampaClick()
{
    auto *dlg = new TfrmStampaAna(this);
    dlg->imgLogo->impostaImmagine(foto->foto());
    eseguiDialogo(dlg);
}

void TfrmAnagrafica::btnScadenzeClick()
{
    eseguiDialogo(new TfrmSospesi(this));
}

void TfrmAnagrafica::btnScadutiClick()
{
    eseguiDialogo(new TfrmScadute(this));
}

void TfrmAnagrafica::btnEsportaClick()
{
    eseguiDialogo(new TfrmExpAnagrafica(this));
}

void TfrmAnagrafica::btnGuidaClick()
{
    mostraGuida(this, QStringLiteral("Applicazione Anagrafica Dipendenti e Lavori."),
                testoGuida(paragrafiGuidaAnagrafica()));
}

void TfrmAnagrafica::btnEsciClick()
{
    close();
}

void TfrmAnagrafica::delDataScaClick()
{
    txtDataSca->clear();
}

void TfrmAnagrafica::btnVersioniClick()
{
    versioniPrecedenti<TSchedaDipendente>(this, cartellaProgramma().archivioDipendenti(), lblPosizione,
                                          [this](const TSchedaDipendente &versione, const QDateTime &quando) {
                                              // The position and the stored bytes stay: Salva overwrites this card.
                                              schedaNeiControlli(pannello(), versione);
                                              m_rigaInfo->notaScheda(infoVersioneMostrata(quando));
                                          });
}

} // namespace qv
