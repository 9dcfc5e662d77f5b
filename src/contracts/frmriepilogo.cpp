#include "frmriepilogo.h"

#include "contracts/frmmenuriepilogo.h"
#include "contracts/rigacontratto.h"
#include "core/date.h"
#include "core/testo.h"
#include "report/stampaelenco.h"
#include "storage/archivio.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "ui/testiguida.h"

#include <QCloseEvent>

namespace qv {

namespace {

const QColor ColoreTesto(0x1F, 0x3A, 0x52);
const QColor BluValori(0x00, 0x00, 0x8B);

} // namespace

TfrmRiepilogo::TfrmRiepilogo(QWidget *parent)
    : TfrmElenco({QStringLiteral(" Quadrivela - Riepilogo Contratti"), QString(), {}, /*ordinato*/ false,
                  /*larghezzaVoci*/ 1400, /*invioSuTrova*/ false},
                 QColor(0xB0, 0xC4, 0xDE), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmRiepilogo"));
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    massimizza(panContainer);
    QWidget *p = panContainer;

    auto *sfondo = new QFrame(p);
    sfondo->setObjectName(QStringLiteral("shpSfondo"));
    sfondo->setGeometry(4, 4, 986, 684);
    sfondo->setStyleSheet(QStringLiteral("#shpSfondo { background: white; border: 1px solid #B8C4D0; }"));

    imgIntestazione = intestazione(p, QStringLiteral("RIEPILOGO CONTRATTI"));
    imgIntestazione->setGeometry(18, 16, 912, 52);
    imgGuida = new Figura(QStringLiteral("imgGuida"), QStringLiteral(":/img/guida.svg"), QRect(946, 28, 29, 28), p, true);

    const QFont didascalie = carattere(QStringLiteral("Verdana"), 10, true);
    const QFont valori = carattere(QStringLiteral("Verdana"), 10, true);
    lblTipologia = etichetta(p, QStringLiteral("lblTipologia"), QStringLiteral("Prestazioni svolte:"),
                             QRect(18, 80, 200, 22), didascalie, ColoreTesto);
    titTipologia = etichetta(p, QStringLiteral("titTipologia"), QStringLiteral("- - -"), QRect(218, 80, 750, 22),
                             valori, BluValori);
    lblIntervalloSel = etichetta(p, QStringLiteral("lblIntervalloSel"), QStringLiteral("Intervallo selezionato:"),
                                 QRect(18, 104, 200, 22), didascalie, ColoreTesto);
    lblIntervallo = etichetta(p, QStringLiteral("lblIntervallo"), QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"),
                              QRect(218, 104, 750, 22), valori, BluValori);

    disponiElenco(p, QRect(18, 138, 958, 470));
    lblRigo01 = lblTrova01;
    lblRigo01->setObjectName(QStringLiteral("lblRigo01"));
    lblRigo02 = lblTrova02;
    lblRigo02->setObjectName(QStringLiteral("lblRigo02"));

    lblTotale = etichetta(p, QStringLiteral("lblTotale"), QStringLiteral("Totale contratti:"),
                          QRect(18, 626, 170, 30), carattere(QStringLiteral("Verdana"), 12, true), ColoreTesto);
    lblTotCosti = etichetta(p, QStringLiteral("lblTotCosti"), QStringLiteral("0"), QRect(190, 626, 200, 30),
                            carattere(QStringLiteral("Verdana"), 12, true), BluValori);
    btnStampa->setParent(p);
    btnStampa->setText(QStringLiteral("Stampa riepilogo"));
    btnStampa->setGeometry(596, 622, 220, 38);
    btnEsci = pulsante(p, QStringLiteral("btnEsci"), QStringLiteral("Esci"), QRect(826, 622, 150, 38));

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnEsci);

    connect(imgGuida, &Figura::clicked, this, &TfrmRiepilogo::imgGuidaClick);
    connect(btnEsci, &QPushButton::clicked, this, &TfrmRiepilogo::btnEsciClick);
}

TfrmMenuRiepilogo *TfrmRiepilogo::parametri() const
{
    if (auto *p = qobject_cast<TfrmMenuRiepilogo *>(parentWidget()))
        return p;
    return Schermi::di<TfrmMenuRiepilogo>();
}

void TfrmRiepilogo::FormShow()
{
    azzeraTrova();
    TfrmMenuRiepilogo *p = parametri();
    if (!p)
        return;
    const QString percorso = trimmed(p->lblFile->text());
    const QString dalTesto = p->lblDataInizio->text(), alTesto = p->lblDataFine->text();
    const std::optional<QDate> dal = leggiData(dalTesto), al = leggiData(alTesto);
    const QString filtro = p->txtTipologia->text();
    const bool filtrato = !trimmed(filtro).isEmpty();
    const QString chiave = lowerAZ(filtro);

    VociElenco voci;
    try {
        // Only the signing date and the services become texts; the line comes from the bytes.
        QList<QString TSchedaContratto::*> campi = {&TSchedaContratto::DataStipula};
        if (filtrato)
            campi.append(&TSchedaContratto::Prestazioni);
        const RigaScheda<TSchedaContratto> &riga = formaRigaContratto();
        bool letta = false;
        scorriSchede<TSchedaContratto>(percorso, campi,
                                       [&](int posizione, const TSchedaContratto &s, const char *dati) {
            if (!letta) {
                titTipologia->setText(filtrato ? trimmed(filtro) : QStringLiteral("Tutte"));
                letta = true;
            }
            if (filtrato && !containsAZ(s.Prestazioni, chiave))
                return;
            // A card whose signing date cannot be read is passed over: the cards after it still count.
            const std::optional<QDate> stipula = leggiData(s.DataStipula);
            if (stipula && dal && al && *stipula >= *dal && *stipula <= *al)
                riga.aggiungi(voci, posizione, dati);
        });
    } catch (const ErroreArchivio &e) {
        // An archive that cannot be read to its end shows the contracts found so far.
        segnalaErroreArchivio(this, e);
    }
    mostraVoci(std::move(voci));
    lblTotCosti->setText(QString::number(lstRecords->count()));
    lblIntervallo->setText(QStringLiteral("Dal   ") + dalTesto + QStringLiteral("   al   ") + alTesto);
    txtTrova->setFocus(Qt::OtherFocusReason);
}

QString TfrmRiepilogo::titoloRiepilogo() const
{
    return QStringLiteral("Riepilogo contratti - Prestazioni: ") + trimmed(titTipologia->text());
}

QStringList TfrmRiepilogo::righeStampate() const
{
    QStringList r = righe();
    r << QStringLiteral("- - - - - - - - - - - - - - - -")
      << QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimmed(lblIntervallo->text())
      << QStringLiteral("TOTALE CONTRATTI:  ") + trimmed(lblTotCosti->text());
    return r;
}

void TfrmRiepilogo::btnStampaClick()
{
    Servizi &servizi = Servizi::correnti();
    if (lstRecords->count() == 0) {
        servizi.messaggio(this, TipoMessaggio::Avviso,
                          QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        return;
    }
    if (!servizi.domanda(this, QStringLiteral("Si vuole stampare il presente riepilogo?")))
        return;
    stampaElenco(this, titoloRiepilogo(), righeStampate(), stampante);
}

void TfrmRiepilogo::imgGuidaClick()
{
    mostraGuida(this, TitoloGuidaRiepilogo, testoGuida(paragrafiGuidaRiepilogo()));
}

void TfrmRiepilogo::btnEsciClick()
{
    close();
}

void TfrmRiepilogo::closeEvent(QCloseEvent *e)
{
    if (TfrmMenuRiepilogo *p = parametri())
        p->lblAttendere->hide();
    TfrmElenco::closeEvent(e);
}

} // namespace qv
