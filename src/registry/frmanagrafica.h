#pragma once
// The employee card screen: one card of the registry at a time, browsed,
// created, duplicated and saved, with its photo, attachments, work-log sheet
// and identifier checks.

#include "ui/finestre.h"
#include "storage/archivio.h"
#include "ui/schermi.h"
#include "ui/schermoscheda.h"
#include "storage/schede.h"

#include <QImage>

#include <QLineEdit>
#include <QPushButton>

namespace qv {

class ComportamentiCampi;
class FotoScheda;

class TfrmAnagrafica : public SchermoArea, public SchermoConScheda
{
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);

    // The nineteen edit fields.
    QLineEdit *txtDipendente, *txtCittadinanza, *txtStipendio, *txtLuogo, *txtDataNasc, *txtCodFisc,
        *txtPartitaIva, *txtIndirizzo, *txtCitta, *txtProv, *txtCap, *txtQualifiche, *txtFamiliari, *txtIban,
        *txtNote, *txtDataSca, *txtPreavviso, *txtRecapito, *txtEmail;
    // Hidden working copy of the three attachment slots.
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QLabel *lblPosizione;
    QLabel *panInfo;
    Figura *imgIntestazione, *imgDecorativo;
    Figura *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    Figura *btnNuovo, *btnDuplica, *btnSalva, *btnTrova, *btnAllegati, *btnAnteprima, *btnStampa, *btnScadenze,
        *btnScaduti, *btnEsporta, *btnGuida, *btnEsci;
    Figura *btnCodFisc, *btnPartitaIva, *btnIban, *btnEmail, *delDataSca;
    Figura *btnCalcolaCF; // the codice fiscale computed from the card's data
    Figura *btnVersioni;  // the card's earlier versions
    QPushButton *btnLavori;
    FotoScheda *foto;

    static inline const QString InfoIniziale = QStringLiteral("Pronto per archiviare una nuova scheda...");

    // Clears the screen for a new card.
    void nuovaScheda();
    // Puts a stored card into the controls, with its position and its photo;
    // its stored bytes are taken to be its encoding.
    void caricaScheda(const TSchedaDipendente &scheda, int posizione);
    // The same for a card as read from the archive, with its bytes as stored;
    // the info line says when the archive can only be read.
    void mostraScheda(const SchedaLetta<TSchedaDipendente> &letta);
    // The stored bytes of the card shown, as it was loaded or last saved;
    // empty for a new card.
    QByteArray schedaCaricata() const { return m_caricati; }
    // The card as the controls hold it.
    TSchedaDipendente schedaCorrente() const;
    // Whether the card or its photo differs from the card as it was loaded,
    // last saved or started (a new card as the screen prepared it).
    bool schedaModificata() const;
    // Whether the card may be left: unchanged, or as the user answers the
    // question about its changes ("Salva" leaves once Salva stored it).
    bool lasciaScheda(QWidget *padre = nullptr) override;

public slots:
    void btnNuovoClick();
    void btnDuplicaClick();
    void btnSalvaClick();
    void btnAllegatiClick();
    void btnLavoriClick();
    void btnCodFiscClick();
    void btnCalcolaCFClick();
    void btnPartitaIvaClick();
    void btnIbanClick();
    void btnEmailClick();
    void btnTrovaClick();
    void btnAnteprimaClick();
    void btnStampaClick();
    void btnScadenzeClick();
    void btnScadutiClick();
    void btnEsportaClick();
    void btnGuidaClick();
    void btnEsciClick();
    void delDataScaClick();
    void btnVersioniClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void naviga(Freccia verso);
    void messaggioArchivio(const ErroreArchivio &errore);
    // Salva: true when the card was written.
    bool salva();
    // The card and photo shown become the ones changes are measured against.
    void fissaPartenza();

    QByteArray m_caricati;
    TSchedaDipendente m_partenza;
    QImage m_fotoPartenza;
    ComportamentiCampi *m_comportamenti = nullptr;
    RigaInfo *m_rigaInfo = nullptr;
};

} // namespace qv
