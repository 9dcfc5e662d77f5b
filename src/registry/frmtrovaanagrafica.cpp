#include "frmtrovaanagrafica.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "core/testo.h"
#include "ui/campi.h"
#include "registry/frmscadute.h"
#include "report/stampaelenco.h"
#include "storage/archivio.h"

#include <QCloseEvent>
#include <QMouseEvent>

#include <array>

namespace qv {

namespace {

// A filter: its field (with focus mark and the field Enter moves to), its label
// and the card field it is matched against. Listed in tab order.
struct Filtro
{
    DefCampo campo;
    const char16_t *etichetta;
    QString TSchedaDipendente::*dato;
};

const Filtro kFiltri[] = {
    {{"txtDipendente", "txtCittadinanza", Semplice, nullptr, "effCampo01"}, u"Cognome e nome Dipendente:", &TSchedaDipendente::Dipendente},
    {{"txtCittadinanza", "txtLuogo", Semplice, nullptr, "effCampo02"}, u"Cittadinanza:", &TSchedaDipendente::Cittadinanza},
    {{"txtLuogo", "txtDataNasc", Semplice, nullptr, "effCampo09"}, u"Luogo di nascita:", &TSchedaDipendente::Luogo},
    {{"txtDataNasc", "txtCodFisc", Semplice, nullptr, "effCampo10"}, u"Data di nascita (gg/mm/aaaa):", &TSchedaDipendente::DataNasc},
    {{"txtCodFisc", "txtPartitaIva", Semplice, nullptr, "effCampo05"}, u"Codice fiscale:", &TSchedaDipendente::CodFisc},
    {{"txtPartitaIva", "txtCitta", Semplice, nullptr, "effCampo06"}, u"Partita IVA:", &TSchedaDipendente::PartitaIva},
    {{"txtCitta", "txtQualifiche", Semplice, nullptr, "effCampo07"}, u"Città di residenza:", &TSchedaDipendente::Citta},
    {{"txtQualifiche", "txtStipendio", Semplice, nullptr, "effCampo08"}, u"Qualifiche:", &TSchedaDipendente::Qualifiche},
    {{"txtStipendio", "txtNote", Semplice, nullptr, "effCampo03"}, u"Stipendio: €", &TSchedaDipendente::Stipendio},
    {{"txtNote", "txtDipendente", Semplice, nullptr, "effCampo04"}, u"Note:", &TSchedaDipendente::Note},
};

// The personal data a pick copies into the contract screen's collaborator fields.
struct Copia
{
    QString TSchedaDipendente::*dato;
    const char *campo;
};

const Copia kCopiaContratti[] = {
    {&TSchedaDipendente::Dipendente, "txtDipendente"}, {&TSchedaDipendente::Cittadinanza, "txtCittadinanza"},
    {&TSchedaDipendente::Stipendio, "txtStipendio"},   {&TSchedaDipendente::Luogo, "txtLuogo"},
    {&TSchedaDipendente::DataNasc, "txtDataNasc"},     {&TSchedaDipendente::CodFisc, "txtCodFisc"},
    {&TSchedaDipendente::Indirizzo, "txtIndirizzo"},   {&TSchedaDipendente::Citta, "txtCitta"},
    {&TSchedaDipendente::Prov, "txtProv"},             {&TSchedaDipendente::Cap, "txtCap"},
    {&TSchedaDipendente::Qualifiche, "txtQualifiche"}, {&TSchedaDipendente::Iban, "txtIban"},
    {&TSchedaDipendente::Recapito, "txtRecapito"},
};

} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(QWidget *parent)
    : TfrmElenco({QStringLiteral(" Trova Dipendenti in archivio"), QStringLiteral("Riepilogo Dipendenti in archivio"), StampaElencoSchermo},
                 QColor(0xB0, 0xC4, 0xDE), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmTrovaAnagrafica"));
    const QFont testo = carattere(QStringLiteral("Verdana"), 9);
    const QFont etichette = carattere(QStringLiteral("Verdana"), 12);
    const QFont campi = carattere(QStringLiteral("Verdana"), 12, true);

    panAvvio = new QWidget(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(0, 0, 862, 560);
    lblRigo04 = etichetta(panAvvio, QStringLiteral("lblRigo04"),
                          QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle "
                                         "schede da trovare e premere il pulsante Cerca."),
                          QRect(24, 14, 814, 18), testo);
    lblRigo05 = etichetta(panAvvio, QStringLiteral("lblRigo05"), QStringLiteral("Lasciare in bianco tutti gli altri campi."),
                          QRect(24, 34, 814, 18), testo);
    lblRigo06 = etichetta(panAvvio, QStringLiteral("lblRigo06"),
                          QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
                          QRect(24, 54, 814, 18), testo);

    QLineEdit **campo[] = {&txtDipendente, &txtCittadinanza, &txtLuogo, &txtDataNasc, &txtCodFisc,
                           &txtPartitaIva, &txtCitta,        &txtQualifiche, &txtStipendio, &txtNote};
    static_assert(std::size(campo) == std::size(kFiltri));
    std::array<DefCampo, std::size(kFiltri)> defs;
    for (int i = 0; i < int(std::size(kFiltri)); ++i) {
        const Filtro &f = kFiltri[i];
        const int y = 96 + i * 38;
        const QString nome = QLatin1String(f.campo.campo);
        etichetta(panAvvio, QStringLiteral("lbl") + nome.mid(3), QString::fromUtf16(f.etichetta),
                  QRect(24, y + 3, 300, 22), etichette);
        *campo[i] = creaCampo(panAvvio, nome, QRect(330, y, 500, 28), 0, campi, QLatin1String(f.campo.segno));
        defs[i] = f.campo;
        if (i > 0)
            setTabOrder(*campo[i - 1], *campo[i]);
    }
    m_campi = new ComportamentiCampi(this, defs);

    lblAttendere = etichetta(panAvvio, QStringLiteral("lblAttendere"),
                             QStringLiteral("Ricerca schede in corso. Attendere..."), QRect(24, 496, 500, 32),
                             carattere(QStringLiteral("Verdana"), 12, true), QColor(0x8B, 0, 0));
    lblAttendere->hide();
    btnAnnulla = pulsante(panAvvio, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QRect(572, 496, 124, 32));
    btnCerca = pulsante(panAvvio, QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QRect(706, 496, 124, 32));
    setTabOrder(txtNote, btnCerca);
    setTabOrder(btnCerca, btnAnnulla);
    lblConta = etichetta(panAvvio, QStringLiteral("lblConta"), QString(), QRect(), testo);
    lblConta->hide();
    lblMemory = etichetta(panAvvio, QStringLiteral("lblMemory"), QString(), QRect(), testo);
    lblMemory->hide();

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(0, 0, 862, 560);
    imgIntestazione = intestazione(panContainer, QStringLiteral("RISULTATI DI RICERCA"));
    disponiElenco(panContainer, QRect(14, 74, 834, 392));
    lblDoppioClic = etichetta(panContainer, QStringLiteral("lblDoppioClic"),
                              QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                              QRect(14, 472, 560, 20), testo);
    lblTrovate = etichetta(panContainer, QStringLiteral("lblTrovate"),
                           QStringLiteral("Il presente elenco contiene 0 schede."), QRect(14, 500, 560, 32),
                           carattere(QStringLiteral("Verdana"), 10, true));
    btnStampa->setParent(panContainer);
    btnStampa->setGeometry(590, 500, 124, 32);
    btnChiudi = pulsante(panContainer, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(724, 500, 124, 32));
    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    panContainer->hide();

    btnCerca->installEventFilter(this);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaAnagrafica::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaAnagrafica::btnAnnullaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmTrovaAnagrafica::btnChiudiClick);
}

void TfrmTrovaAnagrafica::FormShow()
{
    azzeraTrova();
    txtDipendente->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaAnagrafica::closeEvent(QCloseEvent *e)
{
    lblAttendere->hide();
    TfrmElenco::closeEvent(e);
}

bool TfrmTrovaAnagrafica::eventFilter(QObject *o, QEvent *e)
{
    if (o == btnCerca && e->type() == QEvent::MouseButtonPress)
        btnCercaMouseDown();
    return TfrmElenco::eventFilter(o, e);
}

void TfrmTrovaAnagrafica::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

void TfrmTrovaAnagrafica::btnCercaClick()
{
    // The filled filters: blanks alone fill nothing; a filled one is matched as typed.
    QList<QPair<QString, QString TSchedaDipendente::*>> chiavi;
    QList<QString TSchedaDipendente::*> campi = campiRigaDipendente();
    for (const Filtro &f : kFiltri) {
        const QString testo = findChild<QLineEdit *>(QLatin1String(f.campo.campo))->text();
        if (!trimmed(testo).isEmpty()) {
            chiavi.append({lowerAZ(testo), f.dato});
            campi.append(f.dato);
        }
    }
    lblConta->setText(QString::number(chiavi.size()));

    QList<VoceElenco> voci;
    try {
        ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
        archivio.apri();
        svuota();
        archivio.perOgni(campi, [&](int posizione, const TSchedaDipendente &s) {
            const bool listata = std::all_of(chiavi.cbegin(), chiavi.cend(), [&](const auto &c) {
                return containsAZ(s.*c.second, c.first);
            });
            if (listata)
                voci.append({rigaDipendente(s), posizione});
            return true;
        });
        archivio.chiudi();
    } catch (const ErroreArchivio &e) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Semplice, testoErroreArchivio(e));
        return;
    }
    mostraVoci(std::move(voci));
    lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lstRecords->count()));
    panContainer->show();
    panAvvio->hide();
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaAnagrafica::btnAnnullaClick()
{
    close();
}

void TfrmTrovaAnagrafica::btnChiudiClick()
{
    close();
}

// Each entry remembers the card it was built from, so the pick applies exactly
// that card even when another card gives the same line.
void TfrmTrovaAnagrafica::lstRecordsDblClick()
{
    try {
        const int posizione = posizioneSelezionata();
        const QString token = lblMemory->text();
        if (posizione > 0 && token == QLatin1String("anagrafica")) {
            apriSchedaDipendente(posizione);
        } else if (posizione > 0 && token == QLatin1String("contratti")) {
            ArchivioDipendenti archivio(cartellaProgramma().archivioDipendenti());
            archivio.apri();
            const TSchedaDipendente s = archivio.leggi(posizione);
            archivio.chiudi();
            // The long-lived contract screen; without one, the window that opened the search.
            QWidget *contratti = Schermi::per(QStringLiteral("TfrmContratti"));
            if (!contratti && parentWidget())
                contratti = parentWidget()->window();
            for (const Copia &c : kCopiaContratti)
                if (auto *campo = contratti ? contratti->findChild<QLineEdit *>(QLatin1String(c.campo)) : nullptr)
                    campo->setText(trimmed(s.*c.dato));
        }
    } catch (const ErroreArchivio &e) {
        // The screen closes without applying anything further.
        segnalaSeOccupato(this, e);
    }
    close();
}

} // namespace qv
