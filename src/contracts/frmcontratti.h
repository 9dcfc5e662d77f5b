#pragma once
// The contract card screen: one contract of the year file chosen in the
// contract menu at a time, created, browsed with the arrows, duplicated and
// saved; the company block is remembered in the settings file from one use
// to the next. The search, lists, export and contract document work on this
// screen's controls, which they reach through the members below.

#include "contracts/dittaricordata.h"
#include "ui/finestre.h"
#include "ui/schermi.h"
#include "ui/schermoscheda.h"
#include "storage/schede.h"

#include <QCheckBox>
#include <QLineEdit>

namespace qv {

class ComportamentiCampi;

class TfrmContratti : public SchermoArea, public SchermoConScheda
{
    Q_OBJECT
public:
    explicit TfrmContratti(QWidget *parent = nullptr);

    // The thirty-five edit fields, in screen order, and the rescission box.
    QLineEdit *txtDataStipula, *txtLuogoStipula, *txtNomeDitta, *txtSedeDitta, *txtProvDitta, *txtIvaDitta,
        *txtComuneReg, *txtProvReg, *txtNumReg, *txtLegale, *txtLuogoNascLeg, *txtDataNascLeg, *txtCodFiscLeg,
        *txtAttivita, *txtForo, *txtDipendente, *txtCittadinanza, *txtLuogo, *txtDataNasc, *txtCodFisc,
        *txtRecapito, *txtIndirizzo, *txtCitta, *txtProv, *txtCap, *txtStipendio, *txtIban, *txtQualifiche,
        *txtPrestazioni, *txtDataInizio, *txtDataFine, *txtDurata, *txtSedeLavoro, *txtMotivo, *txtNote;
    QCheckBox *chkRescisso;
    // Hidden working copy of the three attachment slots.
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QLabel *lblPosizione; // 1-based position of the card shown; empty for a new card
    QLabel *lblFile;      // full path of the year file, set by the contract menu
    QLabel *panInfo;
    Figura *imgIntestazione;
    Figura *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    Figura *btnNuovo, *btnDuplica, *btnSalva, *btnImporta, *btnTrova, *btnFile, *btnRTF, *btnValidi, *btnRescissi,
        *btnEsporta, *btnGuida, *btnEsci;
    Figura *btnIvaDitta, *btnCodFiscLeg, *btnCodFisc, *btnIban;
    Figura *btnCalcolaCFLeg, *btnCalcolaCF; // the codice fiscale computed from the card's data
    Figura *delDataStipula, *delDataInizio, *delDataFine;
    Figura *btnVersioni; // the card's earlier versions

    static inline const QString InfoIniziale = QStringLiteral("Pronto per archiviare un nuovo contratto...");
    static inline const QString TitoloIniziale = QStringLiteral(" Quadrivela - Archivio contratti");

    // The year the contract menu opened: its file and its four digits.
    QString fileAnno() const;
    QString anno() const;
    // What the contract menu does when a year is opened: the year file's path
    // into lblFile and the year into the caption.
    void impostaAnno(const QString &percorso, const QString &anno);

    // Clears the screen for a new card: today's signing date, the company
    // block kept, every other field emptied (the fee "0,00").
    void nuovaScheda();
    // Puts a stored card into the controls with its position; a flag that is
    // neither "Sì" nor "No" leaves the check box as it was.
    // Its stored bytes are taken to be its encoding.
    void caricaScheda(const TSchedaContratto &scheda, int posizione);
    // The same for a card as read from the archive, with its bytes as stored;
    // the info line says when the archive can only be read.
    void mostraScheda(const SchedaLetta<TSchedaContratto> &letta);
    // The stored bytes of the card shown, as it was loaded or last saved;
    // empty for a new card.
    QByteArray schedaCaricata() const { return m_caricati; }
    // Reads card `posizione` (1-based) of the year file and shows it, the way
    // the arrows do; an input/output failure is thrown as ErroreArchivio and
    // leaves the screen as it was.
    void apriScheda(int posizione);
    // The card as the controls hold it.
    TSchedaContratto schedaCorrente() const;
    // Whether the card differs from the card as it was loaded, last saved or
    // started (a new card with today's signing date). On a card not stored
    // yet the company block does not count: the screen keeps it for the next
    // card and remembers it when it is left.
    bool schedaModificata() const;
    // Whether the card may be left: unchanged, or as the user answers the
    // question about its changes ("Salva" leaves once Salva stored it).
    bool lasciaScheda(QWidget *padre = nullptr) override;

    // The company block to and from the settings file. Reading: a missing file
    // or key gives empty fields; a block this run could not write stays.
    // Writing: false when the file could not be written (it is then left as it was).
    void leggiDitta();
    bool scriviDitta();

public slots:
    void btnNuovoClick();
    void btnDuplicaClick();
    void btnSalvaClick();
    void btnImportaClick();
    void btnTrovaClick();
    void btnValidiClick();
    void btnRescissiClick();
    void btnEsportaClick();
    void btnFileClick();
    void btnRTFClick();
    void btnGuidaClick();
    void btnEsciClick();
    void btnIvaDittaClick();
    void btnCodFiscLegClick();
    void btnCodFiscClick();
    void btnCalcolaCFLegClick();
    void btnCalcolaCFClick();
    void btnIbanClick();
    void delDataStipulaClick();
    void delDataInizioClick();
    void delDataFineClick();
    void btnVersioniClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void naviga(Freccia freccia);
    void messaggioArchivio(const ErroreArchivio &errore);
    // Salva: true when the card was written.
    bool salva();
    // The card shown is the one changes are measured against: loaded, new or saved.
    void fissaPartenza();

    QByteArray m_caricati;
    TSchedaContratto m_partenza; // the card changes are measured against
    ComportamentiCampi *m_comportamenti = nullptr;
    RigaInfo *m_rigaInfo = nullptr;
    DittaRicordata m_ditta;
};

} // namespace qv
