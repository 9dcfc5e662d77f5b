#include "frmricerca.h"

#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QCloseEvent>

namespace qv {

namespace {

// The number of cards with its noun, one card in the singular.
QString quanteSchede(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 scheda") : QStringLiteral("%1 schede").arg(n);
}

} // namespace

TfrmRicerca::TfrmRicerca(const Impostazioni &imp, const QList<CampoFiltro> &filtri, const QString &trovate,
                         QWidget *parent)
    : TfrmElenco(imp, QColor(0xB0, 0xC4, 0xDE), Qt::white, parent), m_trovate(trovate)
{
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

    QList<DefCampo> defs;
    for (int i = 0; i < filtri.size(); ++i) {
        const CampoFiltro &f = filtri.at(i);
        const int y = 96 + i * 38;
        const QString nome = QLatin1String(f.campo.campo);
        etichetta(panAvvio, QStringLiteral("lbl") + nome.mid(3), f.etichetta, QRect(24, y + 3, 350, 22), etichette);
        m_filtri.append(creaCampo(panAvvio, nome, QRect(380, y, 450, 28), 0, campi, QLatin1String(f.campo.segno)));
        defs.append(f.campo);
        if (i > 0)
            setTabOrder(m_filtri.at(i - 1), m_filtri.at(i));
    }
    m_campi = new ComportamentiCampi(this, std::span<const DefCampo>(defs.constData(), defs.size()));

    lblAttendere = etichetta(panAvvio, QStringLiteral("lblAttendere"),
                             QStringLiteral("Ricerca schede in corso. Attendere..."), QRect(24, 496, 500, 32),
                             carattere(QStringLiteral("Verdana"), 12, true), QColor(0x8B, 0, 0));
    lblAttendere->hide();
    btnAnnulla = pulsante(panAvvio, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QRect(572, 496, 124, 32));
    btnCerca = pulsante(panAvvio, QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QRect(706, 496, 124, 32));
    setTabOrder(m_filtri.constLast(), btnCerca);
    setTabOrder(btnCerca, btnAnnulla);
    lblConta = etichetta(panAvvio, QStringLiteral("lblConta"), QStringLiteral("0"), QRect(), testo);
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
    lblTrovate = etichetta(panContainer, QStringLiteral("lblTrovate"), m_trovate.arg(quanteSchede(0)), QRect(14, 500, 560, 32),
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
    connect(btnCerca, &QPushButton::clicked, this, &TfrmRicerca::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmRicerca::btnAnnullaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmRicerca::btnChiudiClick);
}

void TfrmRicerca::FormShow()
{
    azzeraTrova();
    lstRecords->setCurrentRow(0);
    m_filtri.constFirst()->setFocus(Qt::OtherFocusReason);
}

void TfrmRicerca::closeEvent(QCloseEvent *e)
{
    lblAttendere->hide();
    TfrmElenco::closeEvent(e);
}

bool TfrmRicerca::eventFilter(QObject *o, QEvent *e)
{
    if (o == btnCerca && e->type() == QEvent::MouseButtonPress)
        btnCercaMouseDown();
    return TfrmElenco::eventFilter(o, e);
}

void TfrmRicerca::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

void TfrmRicerca::btnCercaClick()
{
    // The filled filters: blanks alone fill nothing; a filled one is matched as typed.
    QList<FiltroAttivo> attivi;
    for (int i = 0; i < m_filtri.size(); ++i) {
        const QString testo = m_filtri.at(i)->text();
        if (!trimmed(testo).isEmpty())
            attivi.append({i, lowerAZ(testo)});
    }
    lblConta->setText(QString::number(attivi.size()));

    VociElenco voci;
    try {
        svuota();
        voci = cerca(attivi);
    } catch (const ErroreArchivio &e) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Semplice, testoErroreArchivio(e));
        return;
    }
    mostraVoci(std::move(voci));
    lblTrovate->setText(m_trovate.arg(quanteSchede(lstRecords->count())));
    panContainer->show();
    panAvvio->hide();
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmRicerca::btnAnnullaClick()
{
    close();
}

void TfrmRicerca::btnChiudiClick()
{
    close();
}

} // namespace qv
