#include "frmstatistiche.h"

#include "chart/stampagrafico.h"
#include "chart/vistagrafico.h"
#include "core/testo.h"
#include "storage/archivio.h"
#include "storage/contrattimese.h"
#include "ui/campi.h"
#include "ui/frmguida.h"
#include "ui/nomestampa.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "ui/testiguida.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QMouseEvent>
#include <QPrinter>
#include <QRegularExpressionValidator>

namespace qv {

namespace {

using S = TfrmStatistiche;

// The twelve points: month label, colour, and the hidden label that holds the count.
struct DefMese
{
    const char *etichetta;
    QRgb colore;
    const char *nome;
    QLabel *TfrmStatistiche::*membro;
};

const DefMese kMesi[] = {
    {"Gennaio", 0xFFFF0000, "memGennaio", &S::memGennaio},
    {"Febbraio", 0xFF0000FF, "memFebbraio", &S::memFebbraio},
    {"Marzo", 0xFFFFE4C4, "memMarzo", &S::memMarzo},
    {"Aprile", 0xFFFF00FF, "memAprile", &S::memAprile},
    {"Maggio", 0xFFC0DCC0, "memMaggio", &S::memMaggio},
    {"Giugno", 0xFFFFFF00, "memGiugno", &S::memGiugno},
    {"Luglio", 0xFF00FF00, "memLuglio", &S::memLuglio},
    {"Agosto", 0xFFC0C0C0, "memAgosto", &S::memAgosto},
    {"Settembre", 0xFFF0FBFF, "memSettembre", &S::memSettembre},
    {"Ottobre", 0xFF87CEEB, "memOttobre", &S::memOttobre},
    {"Novembre", 0xFF800000, "memNovembre", &S::memNovembre},
    {"Dicembre", 0xFF008000, "memDicembre", &S::memDicembre},
};

// The chart panel's buttons: caption, icon, geometry, hint on the status line
// (none: moving over it empties the line), click.
struct DefPulsante
{
    const char *nome;
    const char *testo;
    const char *icona;
    QRect geometria;
    const char *suggerimento;
    void (TfrmStatistiche::*clic)();
    QPushButton *TfrmStatistiche::*membro;
};

const DefPulsante kPulsanti[] = {
    {"btnBarre", "Visualizza grafico a barre", "stat_barre", {24, 598, 250, 40}, nullptr, &S::btnBarreClick,
     &S::btnBarre},
    {"btnTorta", "Visualizza grafico a torta", "stat_torta", {286, 598, 250, 40},
     "Visualizza le statistiche dei contratti sotto forma di grafico a torta tridimensionale.", &S::btnTortaClick,
     &S::btnTorta},
    {"btnStampa", "Stampa grafico", "stat_stampa", {548, 598, 190, 40}, "Stampa il grafico corrente.",
     &S::btnStampaClick, &S::btnStampa},
    {"btnEsci", "Esci", "stat_esci", {750, 598, 130, 40}, "Esci da questo ambiente di lavoro.", &S::btnEsciClick,
     &S::btnEsci},
};

const char *const SuggerimentoGuida = "Visualizza la pagina della guida sensibile al contesto.";

const QString TitoloIniziale = QStringLiteral("Rappresentazione grafica dei contratti registrati nell'anno solare.");

QFrame *riquadro(QWidget *parent, const QString &nome, const QRect &g, const QString &stile)
{
    auto *f = new QFrame(parent);
    f->setObjectName(nome);
    f->setGeometry(g);
    f->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(nome, stile));
    return f;
}

// The title label keeps one line: its own size where the text fits, smaller
// in half points where it does not.
void titoloSuUnaRiga(QLabel *l, const QString &testo)
{
    QFont f = carattere(QStringLiteral("Verdana"), 20, true);
    const int disponibile = l->contentsRect().width() - 2 * l->margin() - 4;
    while (QFontMetrics(f).horizontalAdvance(testo) > disponibile && f.pointSizeF() > 8)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    l->setFont(f);
    l->setText(testo);
}

QLabel *nascosta(QWidget *parent, const QString &nome, const QString &testo)
{
    auto *l = new QLabel(testo, parent);
    l->setObjectName(nome);
    l->hide();
    return l;
}

} // namespace

TfrmStatistiche::TfrmStatistiche(QWidget *parent)
    : SchermoArea(QStringLiteral(" Quadrivela - Statistiche Contratti"), QColor(0x5D, 0x85, 0xA6), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmStatistiche"));
    // The screen's centred area holds the two panels, one shown at a time.
    QWidget *area = pannello();
    area->setObjectName(QStringLiteral("panStatistiche"));

    // ---- the year panel
    panAvvio = riquadro(area, QStringLiteral("panAvvio"), QRect(217, 136, 560, 420),
                        QStringLiteral("background: white; border: 1px solid bisque; border-radius: 6px;"));
    QWidget *a = panAvvio;
    imgGrafico = new Figura(QStringLiteral("imgGrafico"), QStringLiteral(":/img/stat_grafico.svg"),
                            QRect(28, 26, 132, 104), a);
    etichetta(a, QStringLiteral("lblIntestazione"), QStringLiteral("Statistiche contratti"), QRect(176, 44, 340, 34),
              carattere(QStringLiteral("Verdana"), 18, true), QColor(0x1F, 0x3A, 0x5F));
    etichetta(a, QStringLiteral("lblSottotitolo"), QStringLiteral("Contratti registrati in ciascun mese dell'anno"),
              QRect(176, 82, 370, 22), carattere(QStringLiteral("Verdana"), 10), QColor(0x5D, 0x85, 0xA6));
    riquadro(a, QStringLiteral("shpLinea"), QRect(28, 146, 504, 1), QStringLiteral("background: #E3C9A8;"));
    lblApri = etichetta(a, QStringLiteral("lblApri"), QStringLiteral("Indicare l'anno solare e premere Apri."),
                        QRect(28, 172, 504, 26), carattere(QStringLiteral("Verdana"), 12), QColor(0x1F, 0x3A, 0x5F));
    lblApri->setAlignment(Qt::AlignCenter);
    txtAnno = creaCampo(a, QStringLiteral("txtAnno"), QRect(190, 218, 180, 62), 4,
                        carattere(QStringLiteral("Verdana"), 28, true));
    txtAnno->setAlignment(Qt::AlignCenter);
    // Only digits get in, also by pasting.
    txtAnno->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), txtAnno));
    btnApri = pulsante(a, QStringLiteral("btnApri"), QStringLiteral("Apri"), QRect(215, 312, 130, 40), 12);
    btnApri->setAutoDefault(true);
    imgGuida = new Figura(QStringLiteral("imgGuida"), QStringLiteral(":/img/guida.svg"), QRect(477, 372, 29, 28), a, true);
    imgEsci = new Figura(QStringLiteral("imgEsci"), QStringLiteral(":/img/stat_chiudi.svg"), QRect(514, 372, 28, 28), a,
                         true);
    imgGuida->setToolTip(QStringLiteral("Guida"));
    imgEsci->setToolTip(QStringLiteral("Esci"));
    lblFile = nascosta(a, QStringLiteral("lblFile"), QStringLiteral("FilePath"));
    for (const DefMese &m : kMesi)
        this->*(m.membro) = nascosta(a, QLatin1String(m.nome), QStringLiteral("0"));

    // ---- the chart panel
    panContainer = riquadro(area, QStringLiteral("panContainer"), QRect(0, 0, 995, 692),
                            QStringLiteral("background: white; border: 1px solid bisque;"));
    QWidget *c = panContainer;
    lblTitolo = etichetta(c, QStringLiteral("lblTitolo"), TitoloIniziale, QRect(6, 8, 983, 70),
                          carattere(QStringLiteral("Verdana"), 20, true), QColor(0x1F, 0x3A, 0x5F));
    lblTitolo->setAlignment(Qt::AlignCenter);
    titoloSuUnaRiga(lblTitolo, TitoloIniziale);
    lblRigo04 = etichetta(c, QStringLiteral("lblRigo04"),
                          QStringLiteral("Il presente grafico statistico mostra il numero dei contratti registrati "
                                         "in ciascun mese dell'anno."),
                          QRect(20, 80, 955, 20), carattere(QStringLiteral("Verdana"), 10), QColor(0x3C, 0x48, 0x57));
    lblRigo05 = etichetta(c, QStringLiteral("lblRigo05"),
                          QStringLiteral("Servirsi dei pulsanti in calce per visualizzare il tipo di grafico "
                                         "desiderato e per mandarlo in stampa."),
                          QRect(20, 100, 955, 20), carattere(QStringLiteral("Verdana"), 10), QColor(0x3C, 0x48, 0x57));
    lblRigo04->setAlignment(Qt::AlignCenter);
    lblRigo05->setAlignment(Qt::AlignCenter);

    ChartStats = new VistaGrafico(QStringLiteral("ChartStats"), c);
    ChartStats->setGeometry(20, 128, 955, 460);
    Grafico &g = ChartStats->grafico();
    g.titolo = QStringLiteral("Statistiche contratti registrati");
    g.carattereTitolo = carattere(QStringLiteral("Verdana"), 20, true);
    g.coloreTitolo = QColor::fromRgba(0xFFD04498);
    g.piede = QStringLiteral("Le statistiche si basano sui contratti registrati in ciascun mese dell'anno.");
    g.caratterePiede = carattere(QStringLiteral("Verdana"), 11, true);
    g.colorePiede = QColor::fromRgba(0xFF7294F9);
    g.titoloLegenda = QStringLiteral("Contratti:");
    g.segniVisibili = true;
    g.tridimensionale = true;
    g.testoVuoto = QStringLiteral("Nessun contratto registrato nell'anno.");
    g.serie.nome = QStringLiteral("Series1");
    g.serie.tipo = TipoGrafico::Barre;

    for (const DefPulsante &d : kPulsanti) {
        QPushButton *b = pulsante(c, QLatin1String(d.nome), QString::fromUtf8(d.testo), d.geometria, 11);
        b->setIcon(QIcon(QStringLiteral(":/img/%1.svg").arg(QLatin1String(d.icona))));
        b->setIconSize(QSize(22, 22));
        b->setAutoDefault(true);
        if (d.suggerimento)
            b->setProperty("suggerimento", QString::fromUtf8(d.suggerimento));
        connect(b, &QPushButton::clicked, this, d.clic);
        this->*(d.membro) = b;
    }
    cmdGuida = new Figura(QStringLiteral("cmdGuida"), QStringLiteral(":/img/guida.svg"), QRect(938, 604, 29, 28), c, true);
    cmdGuida->setProperty("suggerimento", QString::fromUtf8(SuggerimentoGuida));

    auto *barra = riquadro(c, QStringLiteral("shpInfo"), QRect(0, 652, 995, 40), QStringLiteral("background: #6A5ACD;"));
    panInfo = etichetta(barra, QStringLiteral("panInfo"), QString(), QRect(16, 0, 963, 40),
                        carattere(QStringLiteral("Tahoma"), 12), Qt::white);

    connect(btnApri, &QPushButton::clicked, this, &TfrmStatistiche::btnApriClick);
    connect(imgGuida, &Figura::clicked, this, &TfrmStatistiche::imgGuidaClick);
    connect(cmdGuida, &Figura::clicked, this, &TfrmStatistiche::imgGuidaClick);
    connect(imgEsci, &Figura::clicked, this, &TfrmStatistiche::btnEsciClick);

    static const DefCampo kCampi[] = {{"txtAnno", "btnApri", SoloCifre}};
    m_comportamenti = new ComportamentiCampi(this, kCampi);

    // The status line follows the mouse over the chart panel: a control's
    // hint, or nothing over the panel, its background and the chart.
    for (QWidget *w : c->findChildren<QWidget *>())
        if (w != panInfo) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
    c->setMouseTracking(true);
    c->installEventFilter(this);
    area->setMouseTracking(true);
    area->installEventFilter(this);
    setMouseTracking(true);
    installEventFilter(this);

    setTabOrder(txtAnno, btnApri);
    setTabOrder(btnBarre, btnTorta);
    setTabOrder(btnTorta, btnStampa);
    setTabOrder(btnStampa, btnEsci);
    panContainer->hide();
}

SerieGrafico &TfrmStatistiche::Series1()
{
    return ChartStats->grafico().serie;
}

std::array<QLabel *, 12> TfrmStatistiche::mesi() const
{
    std::array<QLabel *, 12> out{};
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = this->*(kMesi[i].membro);
    return out;
}

bool TfrmStatistiche::eventFilter(QObject *o, QEvent *e)
{
    if ((e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) && o != panInfo && o->isWidgetType()) {
        // A move a button passes on reaches its panel too: the hint is that
        // of the control under the mouse.
        QWidget *sotto = static_cast<QWidget *>(o);
        if (e->type() == QEvent::MouseMove)
            if (QWidget *figlio = sotto->childAt(static_cast<QMouseEvent *>(e)->position().toPoint()))
                sotto = figlio;
        QVariant h;
        for (QWidget *w = sotto; w && !h.isValid() && w != this; w = w->parentWidget())
            h = w->property("suggerimento");
        panInfo->setText(h.isValid() ? h.toString() : QString());
    }
    return SchermoArea::eventFilter(o, e);
}

void TfrmStatistiche::showEvent(QShowEvent *e)
{
    SchermoArea::showEvent(e);
    if (e->spontaneous())
        return;
    // The kind of chart stays as the user last chose it; the counts do not.
    txtAnno->setText(QStringLiteral("%1").arg(Servizi::correnti().oggi().year(), 4, 10, QLatin1Char('0')));
    Series1().svuota();
    ChartStats->update();
    panInfo->clear();
    panContainer->hide();
    panAvvio->show();
    txtAnno->setFocus(Qt::OtherFocusReason);
}

void TfrmStatistiche::closeEvent(QCloseEvent *e)
{
    e->accept();
    passaA(Schermi::per(QStringLiteral("TfrmAvvio")), this);
}

void TfrmStatistiche::btnApriClick()
{
    if (txtAnno->text().size() != 4) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Avviso, MsgAnno);
        txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString anno = trimmed(txtAnno->text());
    lblFile->setText(cartellaProgramma().file(anno + QStringLiteral(".con")));
    titoloSuUnaRiga(lblTitolo, QStringLiteral("Rappresentazione grafica dei contratti registrati nell'anno ") + anno
                                   + QStringLiteral("."));
    const auto etichette = mesi();
    for (QLabel *l : etichette)
        l->setText(QStringLiteral("0"));

    std::array<int, 12> conti{};
    try {
        conti = contrattiPerMese(lblFile->text(), anno);
    } catch (const ErroreArchivio &e) {
        Servizi::correnti().messaggio(this, TipoMessaggio::Errore, testoErroreArchivio(e));
        return;
    }

    Series1().svuota();
    for (size_t i = 0; i < etichette.size(); ++i) {
        etichette[i]->setText(QString::number(conti[i]));
        Series1().aggiungi(QString::fromUtf8(kMesi[i].etichetta), QColor::fromRgba(kMesi[i].colore), conti[i]);
    }
    ChartStats->update();
    panAvvio->hide();
    panContainer->show();
    (Series1().tipo == TipoGrafico::Barre ? btnTorta : btnBarre)->setFocus(Qt::OtherFocusReason);
}

void TfrmStatistiche::btnBarreClick()
{
    Series1().tipo = TipoGrafico::Barre;
    ChartStats->grafico().tridimensionale = true;
    ChartStats->update();
}

void TfrmStatistiche::btnTortaClick()
{
    Series1().tipo = TipoGrafico::Torta;
    ChartStats->grafico().tridimensionale = true;
    ChartStats->update();
}

int TfrmStatistiche::copieRichieste(const QString &risposta)
{
    const QString t = trimmed(risposta);
    if (!allDigits(t))
        return 1;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    // More digits than a number holds still ask for the most copies there are.
    return !ok || n > MassimoCopie ? MassimoCopie : int(n);
}

void TfrmStatistiche::btnStampaClick()
{
    Servizi &s = Servizi::correnti();
    if (!s.domanda(this, DomandaStampa))
        return;
    const std::optional<QString> risposta = s.chiediTesto(this, TitoloCopie, RichiestaCopie, QStringLiteral("1"));
    if (!risposta)
        return;
    QPrinter stampante(QPrinter::HighResolution);
    const QString anno = trimmed(txtAnno->text());
    stampante.setDocName(nomeDocumentoStampa(QStringLiteral("Statistiche contratti ") + anno));
    // On paper the chart says which year it counts.
    Grafico stampato = ChartStats->grafico();
    stampato.sottotitolo = QStringLiteral("Contratti registrati nell'anno ") + anno;
    if (stampaGrafico(this, stampato, copieRichieste(*risposta), stampante) == EsitoStampa::Fallito)
        s.messaggio(this, TipoMessaggio::Errore, MsgStampaFallita);
}

void TfrmStatistiche::imgGuidaClick()
{
    mostraGuida(this, TitoloGuidaStatistiche, testoGuida(paragrafiGuidaStatistiche()));
}

void TfrmStatistiche::btnEsciClick()
{
    close();
}

} // namespace qv
