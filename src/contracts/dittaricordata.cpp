#include "dittaricordata.h"

#include "core/testo.h"
#include "storage/ini.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QLineEdit>
#include <QWidget>

namespace qv {

namespace {

QLineEdit *campo(const QWidget *pannello, std::size_t i)
{
    return pannello->findChild<QLineEdit *>(QLatin1String(kChiaviDitta[i].controllo));
}

DatiDitta datiDeiCampi(const QWidget *pannello)
{
    DatiDitta dati;
    for (std::size_t i = 0; i < kChiaviDitta.size(); ++i)
        if (QLineEdit *e = campo(pannello, i))
            dati[i] = trimmed(e->text());
    return dati;
}

} // namespace

void DittaRicordata::carica(QWidget *pannello) const
{
    if (m_nonScritta)
        return;
    const std::optional<DatiDitta> dati = leggiDatiDitta(cartellaProgramma().impostazioni());
    if (!dati)
        return;
    for (std::size_t i = 0; i < kChiaviDitta.size(); ++i)
        if (QLineEdit *e = campo(pannello, i))
            e->setText((*dati)[i]);
}

bool DittaRicordata::scrivi(const QWidget *pannello, QString *errore)
{
    const DatiDitta dati = datiDeiCampi(pannello);
    if (!scriviDatiDitta(cartellaProgramma().impostazioni(), dati, errore)) {
        m_nonScritta = dati;
        return false;
    }
    m_nonScritta.reset();
    return true;
}

void DittaRicordata::memorizza(QWidget *schermo, const QWidget *pannello)
{
    const std::optional<DatiDitta> giaDetta = m_nonScritta;
    QString errore;
    if (scrivi(pannello, &errore) || m_nonScritta == giaDetta)
        return;
    Servizi::correnti().messaggio(schermo, TipoMessaggio::Avviso,
                                  errore == MotivoSolaLettura ? MsgDittaSolaLettura : MsgDittaNonMemorizzata);
}

} // namespace qv
