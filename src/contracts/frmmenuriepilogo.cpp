#include "frmmenuriepilogo.h"

#include "contracts/frmriepilogo.h"
#include "core/date.h"
#include "core/testo.h"
#include "storage/archivio.h"
#include "ui/campi.h"
#include "ui/frmguida.h"
#include "ui/schermi.h"
#include "ui/servizi.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace qv {

namespace {

const QColor ColoreTesto(0x1F, 0x3A, 0x52);
const QColor CianoScuro(0x00, 0x8B, 0x8B);

const DefCampo kCampi[] = {
    {"txtAnno", "txtTipologia", SoloCifre},
    {"txtTipologia", "txtGiornoInizio", Semplice},
};

// The drop-downs in tab order, each with the control Enter moves to.
struct DefTendina
{
    QComboBox *TfrmMenuRiepilogo::*campo;
    const char *successivo;
};

const DefTendina kTendine[] = {
    {&TfrmMenuRiepilogo::txtGiornoInizio, "txtMeseInizio"},
    {&TfrmMenuRiepilogo::txtMeseInizio, "txtGiornoFine"},
    {&TfrmMenuRiepilogo::txtGiornoFine, "txtMeseFine"},
    {&TfrmMenuRiepilogo::txtMeseFine, "btnVisualizza"},
};

QStringList giorni()
{
    QStringList g;
    for (int i = 1; i <= 31; ++i)
        g << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return g;
}

QComboBox *tendina(QWidget *parent, const QString &nome, const QRect &g, const QStringList &voci)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(nome);
    c->setGeometry(g);
    c->setFont(carattere(QStringLiteral("Verdana"), 12, true));
    c->addItems(voci);
    c->setMaxVisibleItems(12);
    c->setCursor(Qt::PointingHandCursor);
    return c;
}

// The keys a drop-down lets through: moving between controls, and opening its list.
bool tastoDellaTendina(const QKeyEvent *k)
{
    switch (k->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_F4:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return k->modifiers() & Qt::AltModifier;
    default:
        return false;
    }
}

} // namespace

const QStringList &TfrmMenuRiepilogo::mesi()
{
    static const QStringList m = {
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),     QStringLiteral("Aprile"),
        QStringLiteral("Maggio"),  QStringLiteral("Giugno"),   QStringLiteral("Luglio"),    QStringLiteral("Agosto"),
        QStringLiteral("Settembre"), QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre"),
    };
    return m;
}

TfrmMenuRiepilogo::TfrmMenuRiepilogo(QWidget *parent)
    : SchermoArea(QStringLiteral(" Quadrivela - Riepilogo Contratti"), QColor(0x5D, 0x85, 0xA6), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmMenuRiepilogo"));
    QWidget *p = pannello();
    const QFont testo = carattere(QStringLiteral("Verdana"), 9);
    const QFont evidenza = carattere(QStringLiteral("Verdana"), 9, true);
    const QFont etichette = carattere(QStringLiteral("Verdana"), 11);
    const QFont campi = carattere(QStringLiteral("Verdana"), 12, true);

    shpSfondo = new QFrame(p);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(4, 4, 986, 684);
    shpSfondo->setStyleSheet(QStringLiteral("#shpSfondo { background: white; border: 1px solid bisque; }"));

    imgRiepilogo = new Figura(QStringLiteral("imgRiepilogo"), QStringLiteral(":/img/area_riepilogo.svg"),
                              QRect(24, 18, 156, 137), p);
    lblTitolo = etichetta(p, QStringLiteral("lblTitolo"), QStringLiteral("Riepilogo Contratti"),
                          QRect(204, 40, 760, 44), carattere(QStringLiteral("Verdana"), 24, true), QColor(0x5D, 0x85, 0xA6));
    auto *sottotitolo = etichetta(p, QStringLiteral("lblSottotitolo"),
                                  QStringLiteral("I contratti stipulati in un intervallo di tempo dell'anno solare, "
                                                 "con il loro totale."),
                                  QRect(206, 90, 760, 22), etichette, ColoreTesto);
    Q_UNUSED(sottotitolo);

    lblInfo01 = etichetta(p, QStringLiteral("lblInfo01"),
                          QStringLiteral("In questo ambiente è possibile visualizzare il riepilogo dei contratti "
                                         "stipulati in un anno solare indicando all'occorrenza il tipo di prestazioni"),
                          QRect(24, 172, 950, 18), testo, ColoreTesto);
    Label1 = etichetta(p, QStringLiteral("Label1"),
                       QStringLiteral("svolte dai Dipendenti e specificando un intervallo di tempo."),
                       QRect(24, 190, 950, 18), testo, ColoreTesto);
    lblInfo02 = etichetta(p, QStringLiteral("lblInfo02"),
                          QStringLiteral("Compilare i campi sottostanti e premere il pulsante Visualizza riepilogo."),
                          QRect(24, 216, 950, 18), evidenza, ColoreTesto);

    lblCampo01 = etichetta(p, QStringLiteral("lblCampo01"),
                           QStringLiteral("Indicare l'anno solare di interesse e le prestazioni svolte."),
                           QRect(24, 256, 950, 18), evidenza, QColor(0x5D, 0x85, 0xA6));
    lblAnno = etichetta(p, QStringLiteral("lblAnno"), QStringLiteral("Anno:"), QRect(24, 288, 60, 26), etichette);
    txtAnno = creaCampo(p, QStringLiteral("txtAnno"), QRect(84, 288, 76, 26), 4, campi);
    lblTipologia = etichetta(p, QStringLiteral("lblTipologia"), QStringLiteral("Prestazioni svolte:"),
                             QRect(196, 288, 170, 26), etichette);
    txtTipologia = creaCampo(p, QStringLiteral("txtTipologia"), QRect(366, 288, 420, 26), 30, campi);
    lblCampo02 = etichetta(p, QStringLiteral("lblCampo02"),
                           QStringLiteral("Per ottenere il riepilogo di tutti i contratti stipulati a prescindere dal "
                                          "tipo di prestazioni, lasciare in bianco il relativo campo."),
                           QRect(24, 326, 950, 18), testo, ColoreTesto);

    lblCampo03 = etichetta(p, QStringLiteral("lblCampo03"),
                           QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare in base "
                                          "alla data di stipula dei contratti."),
                           QRect(24, 372, 950, 18), evidenza, QColor(0x5D, 0x85, 0xA6));
    grpDataInizio = gruppoData(QStringLiteral("grpDataInizio"), QStringLiteral(" Data inizio intervallo: "), 24,
                               txtGiornoInizio, txtMeseInizio, lblAnnoInizio, lblDataInizio);
    grpDataFine = gruppoData(QStringLiteral("grpDataFine"), QStringLiteral(" Data fine intervallo: "), 508,
                             txtGiornoFine, txtMeseFine, lblAnnoFine, lblDataFine);

    lblFile = new QLabel(QStringLiteral("FilePath"), p);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

    lblAttendere = etichetta(p, QStringLiteral("lblAttendere"),
                             QStringLiteral("Caricamento riepilogo in corso. Attendere..."), QRect(24, 578, 500, 24),
                             carattere(QStringLiteral("Verdana"), 10, true), CianoScuro);
    lblAttendere->hide();
    btnEsci = pulsante(p, QStringLiteral("btnEsci"), QStringLiteral("Esci"), QRect(574, 572, 150, 38));
    btnVisualizza = pulsante(p, QStringLiteral("btnVisualizza"), QStringLiteral("Visualizza riepilogo"),
                             QRect(734, 572, 232, 38));

    setTabOrder(txtAnno, txtTipologia);
    setTabOrder(txtTipologia, txtGiornoInizio);
    setTabOrder(txtGiornoInizio, txtMeseInizio);
    setTabOrder(txtMeseInizio, txtGiornoFine);
    setTabOrder(txtGiornoFine, txtMeseFine);
    setTabOrder(txtMeseFine, btnEsci);
    setTabOrder(btnEsci, btnVisualizza);

    m_campi = new ComportamentiCampi(this, kCampi);
    for (const DefTendina &d : kTendine) {
        QComboBox *c = this->*(d.campo);
        auto *segno = new SegnoFuoco(QStringLiteral("eff") + c->objectName().mid(3), c->parentWidget());
        segno->setGeometry(c->geometry().adjusted(-4, -4, 4, 4));
        segno->stackUnder(c);
        m_tendine.append({c, segno, findChild<QWidget *>(QLatin1String(d.successivo))});
        c->installEventFilter(this);
    }

    connect(txtAnno, &QLineEdit::textChanged, this, &TfrmMenuRiepilogo::txtAnnoChange);
    connect(btnVisualizza, &QPushButton::pressed, this, &TfrmMenuRiepilogo::btnVisualizzaMouseDown);
    connect(btnVisualizza, &QPushButton::clicked, this, &TfrmMenuRiepilogo::btnVisualizzaClick);
    connect(btnEsci, &QPushButton::clicked, this, &TfrmMenuRiepilogo::btnEsciClick);
}

QGroupBox *TfrmMenuRiepilogo::gruppoData(const QString &nome, const QString &titolo, int x, QComboBox *&giorno,
                                         QComboBox *&mese, QLabel *&anno, QLabel *&data)
{
    auto *g = new QGroupBox(titolo, pannello());
    g->setObjectName(nome);
    g->setGeometry(x, 400, 462, 128);
    g->setFont(carattere(QStringLiteral("Verdana"), 10, true));
    const QFont etichette = carattere(QStringLiteral("Verdana"), 10);
    const QString suffisso = nome.mid(7); // "Inizio" or "Fine"
    etichetta(g, QStringLiteral("lblGiorno") + suffisso, QStringLiteral("Giorno:"), QRect(22, 40, 80, 20), etichette);
    giorno = tendina(g, QStringLiteral("txtGiorno") + suffisso, QRect(22, 64, 80, 30), giorni());
    etichetta(g, QStringLiteral("lblMese") + suffisso, QStringLiteral("Mese:"), QRect(126, 40, 80, 20), etichette);
    mese = tendina(g, QStringLiteral("txtMese") + suffisso, QRect(126, 64, 170, 30), mesi());
    anno = etichetta(g, QStringLiteral("lblAnno") + suffisso, QStringLiteral("ANNO"), QRect(318, 58, 130, 40),
                     carattere(QStringLiteral("Verdana"), 18, true), QColor(0x5D, 0x85, 0xA6));
    data = new QLabel(g);
    data->setObjectName(QStringLiteral("lblData") + suffisso);
    data->hide();
    return g;
}

void TfrmMenuRiepilogo::showEvent(QShowEvent *e)
{
    SchermoArea::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmMenuRiepilogo::FormShow()
{
    for (const Tendina &t : std::as_const(m_tendine))
        t.campo->setCurrentIndex(-1);
    txtAnno->setText(QString::number(Servizi::correnti().oggi().year()).rightJustified(4, QLatin1Char('0')));
    lblAttendere->hide();
    txtTipologia->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuRiepilogo::closeEvent(QCloseEvent *e)
{
    e->accept();
    if (QWidget *menu = Schermi::per(QStringLiteral("TfrmAvvio")))
        passaA(menu, this);
    else
        hide();
}

void TfrmMenuRiepilogo::txtAnnoChange()
{
    const QString anno = trimmed(txtAnno->text());
    lblAnnoInizio->setText(anno);
    lblAnnoFine->setText(anno);
}

void TfrmMenuRiepilogo::btnEsciClick()
{
    close();
}

void TfrmMenuRiepilogo::btnVisualizzaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

bool TfrmMenuRiepilogo::controlla()
{
    Servizi &servizi = Servizi::correnti();
    lblDataInizio->clear();
    lblDataFine->clear();

    if (txtAnno->text().size() != 4) {
        servizi.messaggio(this, TipoMessaggio::Avviso,
                          QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        txtAnno->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const struct
    {
        QComboBox *tendina;
        const char16_t *testo;
    } richiesti[] = {
        {txtGiornoInizio, u"Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."},
        {txtMeseInizio, u"Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."},
        {txtGiornoFine, u"Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."},
        {txtMeseFine, u"Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."},
    };
    for (const auto &r : richiesti) {
        if (trimmed(r.tendina->currentText()).isEmpty()) {
            servizi.messaggio(this, TipoMessaggio::Avviso, QString::fromUtf16(r.testo));
            r.tendina->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }

    const struct
    {
        QComboBox *giorno, *mese;
        QLabel *anno, *data;
        const char16_t *estremo;
    } estremi[] = {
        {txtGiornoInizio, txtMeseInizio, lblAnnoInizio, lblDataInizio, u"inizio"},
        {txtGiornoFine, txtMeseFine, lblAnnoFine, lblDataFine, u"fine"},
    };
    QDate date[2];
    for (int i = 0; i < 2; ++i) {
        const auto &e = estremi[i];
        QString testo = trimmed(e.giorno->currentText());
        const QString mese = lowerAZ(trimmed(e.mese->currentText()));
        for (qsizetype m = 0; m < mesi().size(); ++m)
            if (lowerAZ(mesi().at(m)) == mese)
                testo += QStringLiteral("/%1/").arg(m + 1, 2, 10, QLatin1Char('0'));
        testo += trimmed(e.anno->text());
        e.data->setText(testo);
        const std::optional<QDate> d = leggiData(testo);
        if (!d) {
            servizi.messaggio(this, TipoMessaggio::Semplice,
                              QStringLiteral("Attenzione: la data ") + testo + QStringLiteral(" di ")
                                  + QString::fromUtf16(e.estremo)
                                  + QStringLiteral(" intervallo non esiste.\n\r\n\rPer poter visualizzare il "
                                                   "riepilogo è necessario indicare una data valida."));
            e.giorno->setFocus(Qt::OtherFocusReason);
            return false;
        }
        date[i] = *d;
    }
    if (date[0] > date[1]) {
        servizi.messaggio(this, TipoMessaggio::Semplice,
                          QStringLiteral("Attenzione: la data di fine intervallo (") + lblDataFine->text()
                              + QStringLiteral(") non può essere anteriore a quella di inizio intervallo (")
                              + lblDataInizio->text()
                              + QStringLiteral(").\n\r\n\rPer poter visualizzare il riepilogo è necessario "
                                               "indicare un intervallo di tempo valido."));
        return false;
    }
    return true;
}

void TfrmMenuRiepilogo::btnVisualizzaClick()
{
    try {
        if (!controlla()) {
            lblAttendere->hide();
            return;
        }
        lblFile->setText(cartellaProgramma().file(trimmed(txtAnno->text()) + QStringLiteral(".con")));
        // A year file that cannot be opened is reported here, rather than shown
        // as a summary without contracts; a missing one is created empty.
        FileArchivio archivio(trimmed(lblFile->text()), TSchedaContratto::Dimensione);
        archivio.apri();
        archivio.chiudi();
        eseguiDialogo(new TfrmRiepilogo(this));
    } catch (...) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Errore,
                                      QStringLiteral("Attenzione: il file di archivio non risulta accessibile."));
    }
    lblAttendere->hide();
}

bool TfrmMenuRiepilogo::eventFilter(QObject *o, QEvent *e)
{
    for (const Tendina &t : std::as_const(m_tendine)) {
        if (t.campo != o)
            continue;
        switch (e->type()) {
        case QEvent::FocusIn:
            t.segno->show();
            break;
        case QEvent::FocusOut:
            // The mark stays while the drop-down's own list is open.
            if (static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason)
                t.segno->hide();
            break;
        case QEvent::KeyPress: {
            auto *k = static_cast<QKeyEvent *>(e);
            if (ComportamentiCampi::tastoInvio(k->key())) {
                if (t.successivo)
                    t.successivo->setFocus(Qt::TabFocusReason);
                return true;
            }
            // The value comes from the list: typed keys are discarded.
            return !tastoDellaTendina(k);
        }
        case QEvent::Wheel:
            // Turning the wheel over a drop-down does not change its day or month.
            return true;
        default:
            break;
        }
        break;
    }
    return SchermoArea::eventFilter(o, e);
}

} // namespace qv
