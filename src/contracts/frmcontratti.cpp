#include "frmcontratti.h"

#include "checks/frmcalcolacf.h"
#include "checks/frmcontrolli.h"
#include "contracts/frmexpcontratti.h"
#include "contracts/frmtrovacontratti.h"
#include "contracts/frmvalidi.h"
#include "contracts/frmstampacon.h"
#include "core/date.h"
#include "core/testo.h"
#include "registry/frmtrovaanagrafica.h"
#include "storage/archivio.h"
#include "ui/campi.h"
#include "ui/frmallegati.h"
#include "ui/frmguida.h"
#include "ui/frmversioni.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "ui/tastiera.h"
#include "ui/testiguida.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>

namespace qv {

namespace {

using C = TfrmContratti;

// What a new card puts in a field.
enum class Nuova {
    Oggi,      // today's date
    Invariato, // the company block stays as it is
    Vuoto,     // emptied
    Zero,      // the amount "0,00"
};

// The card's controls in screen order: the field's behaviours (name, Enter
// successor, key rules, date picker token), its label, where it lies (x, y of
// the field, width), its alignment, what a new card puts in it, and the
// member that keeps it. The check box takes part with no member of the edit
// field kind. The capacity of each field is its record field's; the settings
// key of the company block is in the settings file's own table.
struct DefCampoContratto
{
    DefCampo campo;
    const char *etichetta; // UTF-8
    int x, y, larghezza;
    Qt::Alignment allineamento;
    Nuova nuova;
    QLineEdit *C::*membro; // nullptr: the check box chkRescisso
};

constexpr Qt::Alignment Sx = Qt::AlignLeft;
constexpr Qt::Alignment Centro = Qt::AlignHCenter;
constexpr Qt::Alignment Dx = Qt::AlignRight;

// Rows of the three boxes: the company, the collaborator, the contract.
constexpr int R1 = 175, R2 = 220, R3 = 265, R4 = 310, R5 = 355, R6 = 400, R7 = 445;
constexpr int T1 = 531, T2 = 576, T3 = 621;

const DefCampoContratto kCampi[] = {
    {{"txtDataStipula", "txtLuogoStipula", DataCalendario, "datastipula"}, "Data stipula:", 22, R1, 110, Centro, Nuova::Oggi, &C::txtDataStipula},
    {{"txtLuogoStipula", "txtNomeDitta"}, "Luogo stipula:", 170, R1, 312, Sx, Nuova::Invariato, &C::txtLuogoStipula},
    {{"txtNomeDitta", "txtSedeDitta"}, "Denominazione Ditta:", 22, R2, 460, Sx, Nuova::Invariato, &C::txtNomeDitta},
    {{"txtSedeDitta", "txtProvDitta"}, "Sede legale:", 22, R3, 218, Sx, Nuova::Invariato, &C::txtSedeDitta},
    {{"txtProvDitta", "txtIvaDitta", Maiuscole}, "Prov.", 250, R3, 42, Sx, Nuova::Invariato, &C::txtProvDitta},
    {{"txtIvaDitta", "txtComuneReg", SoloCifre | Codice}, "Partita IVA:", 302, R3, 148, Sx, Nuova::Invariato, &C::txtIvaDitta},
    {{"txtComuneReg", "txtProvReg"}, "Registro imprese del Comune:", 22, R4, 218, Sx, Nuova::Invariato, &C::txtComuneReg},
    {{"txtProvReg", "txtNumReg", Maiuscole}, "Prov.", 250, R4, 42, Sx, Nuova::Invariato, &C::txtProvReg},
    {{"txtNumReg", "txtLegale"}, "N. Registro:", 302, R4, 180, Sx, Nuova::Invariato, &C::txtNumReg},
    {{"txtLegale", "txtLuogoNascLeg"}, "Legale Rappresentante:", 22, R5, 228, Sx, Nuova::Invariato, &C::txtLegale},
    {{"txtLuogoNascLeg", "txtDataNascLeg"}, "Luogo di nascita", 260, R5, 222, Sx, Nuova::Invariato, &C::txtLuogoNascLeg},
    {{"txtDataNascLeg", "txtCodFiscLeg", DataCalendario, "datanascleg"}, "Data di nascita:", 22, R6, 122, Centro, Nuova::Invariato, &C::txtDataNascLeg},
    {{"txtCodFiscLeg", "txtAttivita", Maiuscole | Codice}, "Codice fiscale:", 156, R6, 206, Sx, Nuova::Invariato, &C::txtCodFiscLeg},
    {{"txtAttivita", "txtForo"}, "Attività esercitata:", 22, R7, 270, Sx, Nuova::Invariato, &C::txtAttivita},
    {{"txtForo", "txtDipendente"}, "Foro competente:", 302, R7, 180, Sx, Nuova::Invariato, &C::txtForo},

    {{"txtDipendente", "txtCittadinanza"}, "Cognome e nome Dipendente:", 514, R1, 270, Sx, Nuova::Vuoto, &C::txtDipendente},
    {{"txtCittadinanza", "txtLuogo"}, "Cittadinanza:", 794, R1, 179, Sx, Nuova::Vuoto, &C::txtCittadinanza},
    {{"txtLuogo", "txtDataNasc"}, "Luogo di nascita:", 514, R2, 270, Sx, Nuova::Vuoto, &C::txtLuogo},
    {{"txtDataNasc", "txtCodFisc", DataCalendario, "datanascdip"}, "Data di nascita:", 794, R2, 122, Centro, Nuova::Vuoto, &C::txtDataNasc},
    {{"txtCodFisc", "txtRecapito", Maiuscole | Codice}, "Codice fiscale:", 514, R3, 206, Sx, Nuova::Vuoto, &C::txtCodFisc},
    {{"txtRecapito", "txtIndirizzo"}, "Recapito telefonico:", 784, R3, 189, Sx, Nuova::Vuoto, &C::txtRecapito},
    {{"txtIndirizzo", "txtCitta"}, "Indirizzo di residenza:", 514, R4, 459, Sx, Nuova::Vuoto, &C::txtIndirizzo},
    {{"txtCitta", "txtProv"}, "Città:", 514, R5, 270, Sx, Nuova::Vuoto, &C::txtCitta},
    {{"txtProv", "txtCap", Maiuscole}, "Prov.", 794, R5, 42, Sx, Nuova::Vuoto, &C::txtProv},
    {{"txtCap", "txtStipendio"}, "CAP:", 846, R5, 127, Sx, Nuova::Vuoto, &C::txtCap},
    {{"txtStipendio", "txtIban", Importo}, "Stipendio: €", 514, R6, 110, Dx, Nuova::Zero, &C::txtStipendio},
    {{"txtIban", "txtQualifiche", Maiuscole | Codice}, "IBAN:", 634, R6, 310, Sx, Nuova::Vuoto, &C::txtIban},
    {{"txtQualifiche", "txtPrestazioni"}, "Qualifiche:", 514, R7, 459, Sx, Nuova::Vuoto, &C::txtQualifiche},

    {{"txtPrestazioni", "txtDataInizio"}, "Prestazioni da svolgere:", 22, T1, 430, Sx, Nuova::Vuoto, &C::txtPrestazioni},
    {{"txtDataInizio", "txtDataFine", DataCalendario, "datainizio"}, "Data decorrenza:", 466, T1, 110, Centro, Nuova::Vuoto, &C::txtDataInizio},
    {{"txtDataFine", "txtDurata", DataCalendario, "datafine"}, "Data scadenza:", 618, T1, 110, Centro, Nuova::Vuoto, &C::txtDataFine},
    {{"txtDurata", "txtSedeLavoro"}, "Durata collaborazione:", 770, T1, 203, Sx, Nuova::Vuoto, &C::txtDurata},
    {{"txtSedeLavoro", "txtMotivo"}, "Sede lavoro:", 22, T2, 300, Sx, Nuova::Vuoto, &C::txtSedeLavoro},
    {{"chkRescisso", nullptr}, "Contratto rescisso", 340, T2, 170, Sx, Nuova::Vuoto, nullptr},
    {{"txtMotivo", "txtNote"}, "Motivo della rescissione:", 524, T2, 449, Sx, Nuova::Vuoto, &C::txtMotivo},
    {{"txtNote", "txtDataStipula"}, "Note:", 22, T3, 951, Sx, Nuova::Vuoto, &C::txtNote},
};
constexpr int kAltezzaCampo = 24;

// The toolbar, the arrows around the position, the check buttons beside
// their fields and the erasers of the date fields. The buttons whose screens
// are not part of the program yet have no handler.
const DefFigura<TfrmContratti> kFigure[] = {
    {"btnNuovo", "con_nuovo", {14, 72, 76, 52}, "Prepara la schermata per l'inserimento di un nuovo contratto.", &C::btnNuovoClick, &C::btnNuovo},
    {"btnDuplica", "con_duplica", {95, 72, 76, 52}, "Prepara la schermata per l'inserimento di un nuovo contratto duplicando i dati correnti.", &C::btnDuplicaClick, &C::btnDuplica},
    {"btnSalva", "con_salva", {176, 72, 76, 52}, "Salva il contratto corrente in archivio.", &C::btnSalvaClick, &C::btnSalva},
    {"btnImporta", "con_importa", {257, 72, 76, 52}, "Importa i dati dall'archivio anagrafico dei Dipendenti.", &C::btnImportaClick, &C::btnImporta},
    {"btnTrova", "con_trova", {338, 72, 76, 52}, "Trova un contratto in archivio.", &C::btnTrovaClick, &C::btnTrova},
    {"btnFile", "con_allegati", {419, 72, 76, 52}, "Allega file al contratto corrente.", &C::btnFileClick, &C::btnFile},
    {"btnRTF", "con_rtf", {500, 72, 76, 52}, "Esporta il contratto corrente in formato .RTF.", &C::btnRTFClick, &C::btnRTF},
    {"btnValidi", "con_validi", {581, 72, 76, 52}, "Visualizza il riepilogo dei contratti non rescissi e in corso di validità.", &C::btnValidiClick, &C::btnValidi},
    {"btnRescissi", "con_rescissi", {662, 72, 76, 52}, "Visualizza il riepilogo dei contratti scaduti o rescissi.", &C::btnRescissiClick, &C::btnRescissi},
    {"btnEsporta", "con_esporta", {743, 72, 76, 52}, "Esporta l'archivio annuale dei contratti in Microsoft Excel.", &C::btnEsportaClick, &C::btnEsporta},
    {"btnGuida", "con_guida", {824, 72, 76, 52}, "Visualizza la pagina della guida sensibile al contesto.", &C::btnGuidaClick, &C::btnGuida},
    {"btnEsci", "con_esci", {905, 72, 76, 52}, "Esci da questa schermata di lavoro.", &C::btnEsciClick, &C::btnEsci},
    {"cmdPrimo", "ana_primo", {742, 15, 37, 39}, "Visualizza il primo contratto in archivio.", &C::cmdPrimoClick, &C::cmdPrimo},
    {"cmdIndietro", "ana_indietro", {783, 15, 37, 39}, "Visualizza il contratto precedente in archivio.", &C::cmdIndietroClick, &C::cmdIndietro},
    {"cmdAvanti", "ana_avanti", {906, 15, 37, 39}, "Visualizza il contratto successivo in archivio.", &C::cmdAvantiClick, &C::cmdAvanti},
    {"cmdUltimo", "ana_ultimo", {947, 15, 37, 39}, "Visualizza l'ultimo contratto in archivio.", &C::cmdUltimoClick, &C::cmdUltimo},
    {"btnIvaDitta", "ana_controlla", {455, R3 + 1, 22, 22}, "Controlla il numero di partita IVA.", &C::btnIvaDittaClick, &C::btnIvaDitta},
    {"btnCodFiscLeg", "ana_controlla", {367, R6 + 1, 22, 22}, "Controlla il codice fiscale.", &C::btnCodFiscLegClick, &C::btnCodFiscLeg},
    {"btnCodFisc", "ana_controlla", {725, R3 + 1, 22, 22}, "Controlla il codice fiscale.", &C::btnCodFiscClick, &C::btnCodFisc},
    {"btnIban", "ana_controlla", {949, R6 + 1, 22, 22}, "Controlla l'IBAN.", &C::btnIbanClick, &C::btnIban},
    {"btnCalcolaCFLeg", "ana_calcola", {393, R6 + 1, 22, 22}, "Calcola il codice fiscale dai dati anagrafici.", &C::btnCalcolaCFLegClick, &C::btnCalcolaCFLeg},
    {"btnCalcolaCF", "ana_calcola", {751, R3 + 1, 22, 22}, "Calcola il codice fiscale dai dati anagrafici.", &C::btnCalcolaCFClick, &C::btnCalcolaCF},
    {"delDataStipula", "ana_gomma", {137, R1 + 1, 22, 22}, "Cancella la data.", &C::delDataStipulaClick, &C::delDataStipula},
    {"delDataInizio", "ana_gomma", {581, T1 + 1, 22, 22}, "Cancella la data.", &C::delDataInizioClick, &C::delDataInizio},
    {"delDataFine", "ana_gomma", {733, T1 + 1, 22, 22}, "Cancella la data.", &C::delDataFineClick, &C::delDataFine},
    {"btnVersioni", "versioni", {556, 15, 170, 40}, "Mostra le versioni precedenti del contratto corrente, salvate prima di ogni modifica.", &C::btnVersioniClick, &C::btnVersioni},
};

// The heading of one of the three boxes.
void intestazione(QWidget *parent, const char *nome, const QString &testo, int x, int y)
{
    etichetta(parent, QLatin1String(nome), testo, QRect(x, y, 300, 18), carattere(QStringLiteral("Verdana"), 9, true),
              QColor(0x1F, 0x3A, 0x5F));
}

} // namespace

TfrmContratti::TfrmContratti(QWidget *parent)
    : SchermoArea(TitoloIniziale, QColor(0x9D, 0xB5, 0xCA), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmContratti"));
    QWidget *p = pannello();
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, QColor(0xC8, 0xD6, 0xE3));
    p->setPalette(pal);

    // Regions: title, record bar, toolbar, the three boxes behind the fields.
    QFrame *titolo = riquadro(p, "shpTitolo", QRect(10, 6, 378, 58), "white");
    imgIntestazione = new Figura(QStringLiteral("imgIntestazione"), QStringLiteral(":/img/ana_contratti_intestazione.svg"),
                                 QRect(9, 0, 360, 58), titolo);
    riquadro(p, "shpRecord", QRect(734, 8, 254, 54), "white");
    auto *barra = new SfondoSfumato(QColor(0x5D, 0x85, 0xA6), QColor(0xC8, 0xD6, 0xE3), p);
    barra->setObjectName(QStringLiteral("shpPulsanti"));
    barra->setGeometry(10, 68, 975, 60);
    riquadro(p, "shpDitta", QRect(10, 134, 484, 346), "#D3E2EE");
    riquadro(p, "shpDipendente", QRect(502, 134, 483, 346), "white");
    riquadro(p, "shpContratto", QRect(10, 488, 975, 158), "#D3E2EE");
    intestazione(p, "intDitta", QStringLiteral("COMMITTENTE"), 22, 137);
    intestazione(p, "intDipendente", QStringLiteral("COLLABORATORE"), 514, 137);
    intestazione(p, "intContratto", QStringLiteral("CONTRATTO"), 22, 491);

    lblPosizione = etichetta(p, QStringLiteral("lblPosizione"), QString(), QRect(824, 15, 78, 39),
                             carattere(QStringLiteral("Verdana"), 14, true), QColor(0x1F, 0x3A, 0x5F));
    lblPosizione->setAlignment(Qt::AlignCenter);

    const QFont fEtichetta = carattere(QStringLiteral("Verdana"), 9);
    const QFont fCampo = carattere(QStringLiteral("Verdana"), 12, true);
    const QFont fCodice = carattereCodice(); // the identifier fields
    QList<DefCampo> comportamenti;
    for (const DefCampoContratto &d : kCampi) {
        if (!d.membro) {
            chkRescisso = new QCheckBox(QString::fromUtf8(d.etichetta), p);
            chkRescisso->setObjectName(QLatin1String(d.campo.campo));
            chkRescisso->setGeometry(d.x, d.y, d.larghezza, kAltezzaCampo);
            chkRescisso->setFont(carattere(QStringLiteral("Verdana"), 10, true));
            chkRescisso->setCursor(Qt::PointingHandCursor);
            chkRescisso->setProperty("suggerimento",
                                     QStringLiteral("Spunta questa casella per indicare che il contratto è stato rescisso."));
        } else {
            const QString nome = QLatin1String(d.campo.campo);
            const auto *campo = campoScheda<TSchedaContratto>(nome.mid(3));
            Q_ASSERT(campo);
            const QString testo = QString::fromUtf8(d.etichetta);
            const int larghezza = std::max(d.larghezza, QFontMetrics(fEtichetta).horizontalAdvance(testo) + 4);
            etichetta(p, QStringLiteral("lbl") + nome.mid(3) + QStringLiteral("Etichetta"), testo,
                      QRect(d.x, d.y - 17, larghezza, 16), fEtichetta);
            QLineEdit *e = creaCampo(p, nome, QRect(d.x, d.y, d.larghezza, kAltezzaCampo), campo->capacita,
                                     (d.campo.comportamenti & Codice) ? fCodice : fCampo);
            e->setAlignment(d.allineamento | Qt::AlignVCenter);
            this->*(d.membro) = e;
            comportamenti.append(d.campo);
        }
    }
    for (QLabel **l : {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03, &lblFile}) {
        *l = new QLabel(p);
        (*l)->hide();
    }
    lblFile01->setObjectName(QStringLiteral("lblFile01"));
    lblFile02->setObjectName(QStringLiteral("lblFile02"));
    lblFile03->setObjectName(QStringLiteral("lblFile03"));
    lblDesc01->setObjectName(QStringLiteral("lblDesc01"));
    lblDesc02->setObjectName(QStringLiteral("lblDesc02"));
    lblDesc03->setObjectName(QStringLiteral("lblDesc03"));
    lblFile->setObjectName(QStringLiteral("lblFile"));

    creaFigure<TfrmContratti>(this, p, kFigure);

    m_rigaInfo = new RigaInfo(this, p, InfoIniziale);
    panInfo = m_rigaInfo->panInfo();
    m_comportamenti = new ComportamentiCampi(this, comportamenti);
    m_comportamenti->suggerimento = [this](const QString &t) { panInfo->setText(t); };
    m_rigaInfo->collega();
    fissaPartenza();
    // Tab in screen order, box by box (each button beside its field), and the shortcuts.
    comandiDaTastiera(this, p);
    // The screen opens with the focus in its first field.
    txtDataStipula->setFocus(Qt::OtherFocusReason);
}

QString TfrmContratti::fileAnno() const
{
    return trimmed(lblFile->text());
}

QString TfrmContratti::anno() const
{
    return QFileInfo(fileAnno()).completeBaseName();
}

void TfrmContratti::impostaAnno(const QString &percorso, const QString &anno)
{
    // A card read from one year's archive is never saved over a card of
    // another: handed another year while it still shows a stored card, the
    // screen keeps the fields, nothing typed is lost, as a new card of the
    // year it now has.
    if (percorso != fileAnno() && !trimmed(lblPosizione->text()).isEmpty()) {
        lblPosizione->clear();
        m_caricati.clear();
    }
    lblFile->setText(percorso);
    setWindowTitle(QStringLiteral(" Quadrivela - Archivio contratti anno ") + anno);
}

TSchedaContratto TfrmContratti::schedaCorrente() const
{
    TSchedaContratto s = schedaDaiControlli<TSchedaContratto>(pannello());
    s.Rescisso = TSchedaContratto::testoRescisso(chkRescisso->isChecked());
    return s;
}

void TfrmContratti::caricaScheda(const TSchedaContratto &scheda, int posizione)
{
    schedaNeiControlli(pannello(), scheda);
    if (const std::optional<bool> r = scheda.rescisso())
        chkRescisso->setChecked(*r);
    lblPosizione->setText(QString::number(posizione));
    m_caricati = codificaScheda(scheda);
    fissaPartenza();
}

void TfrmContratti::fissaPartenza()
{
    m_partenza = schedaCorrente();
    m_rigaInfo->schedaCambiata();
}

void TfrmContratti::mostraScheda(const SchedaLetta<TSchedaContratto> &letta)
{
    caricaScheda(letta.scheda, letta.posizione);
    m_caricati = letta.byte;
    infoSchedaMostrata(panInfo, letta.solaLettura, InfoIniziale);
}

void TfrmContratti::apriScheda(int posizione)
{
    mostraScheda(leggiSchedaArchivio<TSchedaContratto>(fileAnno(), posizione));
}

void TfrmContratti::nuovaScheda()
{
    for (const DefCampoContratto &d : kCampi) {
        if (!d.membro)
            continue;
        QLineEdit *e = this->*(d.membro);
        switch (d.nuova) {
        case Nuova::Oggi: e->setText(scriviData(Servizi::correnti().oggi())); break;
        case Nuova::Invariato: break;
        case Nuova::Vuoto: e->clear(); break;
        case Nuova::Zero: e->setText(QStringLiteral("0,00")); break;
        }
    }
    for (QLabel *l : {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})
        l->clear();
    chkRescisso->setChecked(false);
    lblPosizione->clear();
    m_caricati.clear();
    fissaPartenza();
}

void TfrmContratti::leggiDitta()
{
    m_ditta.carica(pannello());
}

bool TfrmContratti::scriviDitta()
{
    return m_ditta.scrivi(pannello());
}

void TfrmContratti::showEvent(QShowEvent *e)
{
    SchermoArea::showEvent(e);
    if (!e->spontaneous()) {
        leggiDitta();
        nuovaScheda();
        // Said before the user fills a contract that could not be saved.
        segnalaSolaLettura(panInfo, FileArchivio::soloLettura(fileAnno()));
    }
}

void TfrmContratti::closeEvent(QCloseEvent *e)
{
    // A screen already hidden was left before: only the one shown asks.
    if (isVisible() && !lasciaScheda()) {
        e->ignore();
        return;
    }
    e->accept();
    // The screen closes whatever happens; the user is told when the company
    // block could not be remembered.
    m_ditta.memorizza(this, pannello());
    passaA(Schermi::per(QStringLiteral("TfrmAvvio")), this);
}

void TfrmContratti::messaggioArchivio(const ErroreArchivio &errore)
{
    Servizi::correnti().messaggio(this, TipoMessaggio::Errore, testoErroreArchivio(errore));
}

void TfrmContratti::btnNuovoClick()
{
    if (!lasciaScheda())
        return;
    nuovaScheda();
    txtDipendente->setFocus(Qt::OtherFocusReason);
}

void TfrmContratti::naviga(Freccia freccia)
{
    std::function<bool()> lascia;
    if (schedaModificata())
        lascia = [this] { return lasciaScheda(); };
    try {
        frecciaSuArchivio<TSchedaContratto>(
            this, fileAnno(), freccia, lblPosizione, [this](const SchedaLetta<TSchedaContratto> &l) { mostraScheda(l); },
            false, lascia);
    } catch (const ErroreArchivio &e) {
        messaggioArchivio(e);
    }
}

void TfrmContratti::cmdPrimoClick() { naviga(Freccia::Primo); }
void TfrmContratti::cmdIndietroClick() { naviga(Freccia::Indietro); }
void TfrmContratti::cmdAvantiClick() { naviga(Freccia::Avanti); }
void TfrmContratti::cmdUltimoClick() { naviga(Freccia::Ultimo); }

void TfrmContratti::btnDuplicaClick()
{
    duplicaScheda(this, fileAnno(), lblPosizione, {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03},
                  QStringLiteral("Attenzione: la duplicazione di un contratto può avvenire soltanto dopo che questo "
                                 "è stato inserito in archivio."),
                  txtDipendente,
                  [this] {
                      m_caricati.clear();
                      fissaPartenza();
                  },
                  [this] { return lasciaScheda(); });
}

void TfrmContratti::btnImportaClick()
{
    auto *dlg = new TfrmTrovaAnagrafica(this);
    dlg->lblMemory->setText(QStringLiteral("contratti"));
    eseguiDialogo(dlg);
}

// The search, the two lists and the export work on this screen's year file
// and load a chosen card into it.
void TfrmContratti::btnTrovaClick()
{
    auto *dlg = new TfrmTrovaContratti(this);
    dlg->lblMemory->setText(QStringLiteral("contratti"));
    eseguiDialogo(dlg);
}

void TfrmContratti::btnValidiClick()
{
    eseguiDialogo(new TfrmValidi(this));
}

void TfrmContratti::btnRescissiClick()
{
    eseguiDialogo(new TfrmRescissi(this));
}

void TfrmContratti::btnEsportaClick()
{
    eseguiDialogo(new TfrmExpContratti(this));
}

void TfrmContratti::btnFileClick()
{
    TfrmAllegaCartella::apri(this, QStringLiteral("contratti"));
}

// The document is written from the fields as they stand, saved or not; a
// contract without IBAN or fee is written only if the user says so.
void TfrmContratti::btnRTFClick()
{
    if (TfrmStampaCon::confermaDatiMancanti(this))
        eseguiDialogo(new TfrmStampaCon(this));
}

void TfrmContratti::btnGuidaClick()
{
    mostraGuida(this, QStringLiteral("Applicazione Archivio Contratti."), testoGuida(paragrafiGuidaContratti()));
}

void TfrmContratti::btnEsciClick()
{
    close();
}

void TfrmContratti::btnIvaDittaClick() { apriControlloPartitaIva(this, txtIvaDitta->text()); }
void TfrmContratti::btnCodFiscLegClick() { apriControlloCodFisc(this, txtCodFiscLeg->text()); }
void TfrmContratti::btnCodFiscClick() { apriControlloCodFisc(this, txtCodFisc->text()); }
void TfrmContratti::btnCalcolaCFLegClick()
{
    apriCalcolaCF(this, txtCodFiscLeg, txtLegale->text(), txtLuogoNascLeg->text(), txtDataNascLeg->text());
}
void TfrmContratti::btnCalcolaCFClick()
{
    apriCalcolaCF(this, txtCodFisc, txtDipendente->text(), txtLuogo->text(), txtDataNasc->text());
}
void TfrmContratti::btnIbanClick() { apriControlloIban(this, txtIban->text()); }

void TfrmContratti::delDataStipulaClick() { txtDataStipula->clear(); }
void TfrmContratti::delDataInizioClick() { txtDataInizio->clear(); }
void TfrmContratti::delDataFineClick() { txtDataFine->clear(); }

void TfrmContratti::btnVersioniClick()
{
    versioniPrecedenti<TSchedaContratto>(this, fileAnno(), lblPosizione,
                                         [this](const TSchedaContratto &versione, const QDateTime &quando) {
                                             // The position and the stored bytes stay: Salva overwrites this card.
                                             schedaNeiControlli(pannello(), versione);
                                             if (const std::optional<bool> r = versione.rescisso())
                                                 chkRescisso->setChecked(*r);
                                             m_rigaInfo->notaScheda(infoVersioneMostrata(quando));
                                         });
}

} // namespace qv
