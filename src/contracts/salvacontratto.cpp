// The contract screen's Salva, and what leaving its card asks: whether the
// card was changed since it was loaded, saved or started, and whether to save
// it first.
#include "contracts/frmcontratti.h"

#include "checks/confrontoscheda.h"
#include "core/controllodate.h"
#include "core/testo.h"
#include "storage/impostazioni.h"
#include "ui/campi.h"
#include "ui/primadisalvare.h"
#include "ui/servizi.h"

namespace qv {

bool TfrmContratti::schedaModificata() const
{
    TSchedaContratto attuale = schedaCorrente();
    if (trimmed(lblPosizione->text()).isEmpty()) {
        // The company block of a card not stored yet is the screen's own.
        for (const ChiaveDitta &k : kChiaviDitta) {
            const auto *campo = campoScheda<TSchedaContratto>(QLatin1String(k.controllo).mid(3));
            attuale.*(campo->membro) = m_partenza.*(campo->membro);
        }
    }
    return schedaDiversa(attuale, m_partenza, {&TSchedaContratto::Stipendio});
}

bool TfrmContratti::lasciaScheda(QWidget *padre)
{
    return lasciaSchedaModificata(padre ? padre : this, schedaModificata(), [this] { return salva(); });
}

void TfrmContratti::btnSalvaClick()
{
    salva();
}

bool TfrmContratti::salva()
{
    Servizi &s = Servizi::correnti();
    m_comportamenti->completaDate();
    struct Obbligatorio { QLineEdit *campo; const char *cosa; };
    const Obbligatorio obbligatori[] = {
        {txtDataStipula, "la data di stipula"},
        {txtLuogoStipula, "il luogo di stipula"},
        {txtNomeDitta, "la denominazione della Ditta"},
        {txtDipendente, "cognome e nome del Dipendente"},
        {txtCodFisc, "il codice fiscale del Dipendente"},
        {txtDataInizio, "la data di decorrenza del contratto"},
        {txtDataFine, "la data di scadenza del contratto"},
    };
    for (const Obbligatorio &o : obbligatori) {
        if (trimmed(o.campo->text()).isEmpty()) {
            s.messaggio(this, TipoMessaggio::Avviso,
                        QStringLiteral("Attenzione: per salvare il contratto è necessario indicare ")
                            + QString::fromUtf8(o.cosa) + u'.');
            o.campo->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    const std::pair<QLineEdit *, const char *> dateContratto[] = {
        {txtDataStipula, "la data di stipula"}, {txtDataInizio, "la data di decorrenza"}, {txtDataFine, "la data di scadenza"}};
    for (const auto &[campo, quale] : dateContratto)
        if (!dataEsistente(this, campo, QString::fromUtf8(quale), QStringLiteral("il contratto")))
            return false;
    const std::pair<QLineEdit *, const char *> nascite[] = {
        {txtDataNasc, "la data di nascita del Dipendente"}, {txtDataNascLeg, "la data di nascita del Legale Rappresentante"}};
    for (const auto &[campo, quale] : nascite)
        if (!dataEsistente(this, campo, QString::fromUtf8(quale), QStringLiteral("il contratto"), true))
            return false;
    const DateContratto date{txtDataStipula->text(), txtDataInizio->text(), txtDataFine->text(), txtDataNasc->text(),
                             txtDataNascLeg->text()};
    if (!primaDiSalvare(this, txtStipendio, problemiDateContratto(date, anno().toInt(), s.oggi()),
                        QStringLiteral("il contratto")))
        return false;
    if (!confermaCodiciFiscali(this, {{QString(), txtCodFisc, {txtDipendente->text(), txtLuogo->text(), txtDataNasc->text()}},
                                      {QStringLiteral("Legale rappresentante"), txtCodFiscLeg,
                                       {txtLegale->text(), txtLuogoNascLeg->text(), txtDataNascLeg->text()}}}))
        return false;

    try {
        if (!salvaSchedaSchermo<TSchedaContratto>({this, fileAnno(), lblPosizione, &m_caricati,
                                                   [this](const SchedaLetta<TSchedaContratto> &l) { mostraScheda(l); }, {},
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

} // namespace qv
