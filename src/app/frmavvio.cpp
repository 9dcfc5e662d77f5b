#include "frmavvio.h"

#include "ui/frmguida.h"
#include "app/copiasicurezza.h"
#include "app/frmcopia.h"
#include "app/frminfo.h"
#include "app/frmsplash.h"
#include "app/pannelloscadenze.h"
#include "app/produttore.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "ui/testiguida.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>

namespace qv {

namespace {

struct DefFigura
{
    const char *nome;
    QRect geometria;
    const char *risorsa;
    void (TfrmAvvio::*clic)(); // nullptr: a picture that does nothing
    Figura *TfrmAvvio::*membro;
};

const DefFigura kFigure[] = {
    {"imgInfo", {14, 14, 30, 30}, "info", &TfrmAvvio::imgInfoClick, &TfrmAvvio::imgInfo},
    {"imgIcona", {58, 14, 127, 96}, "icona", nullptr, &TfrmAvvio::imgIcona},
    {"imgTitolo", {192, 30, 652, 71}, "titolo", nullptr, &TfrmAvvio::imgTitolo},
    {"imgLogo", {850, 11, 77, 103}, "decorativo", nullptr, &TfrmAvvio::imgLogo},
    {"imgGuida", {952, 16, 29, 28}, "guida", &TfrmAvvio::imgGuidaClick, &TfrmAvvio::imgGuida},
    {"imgSottotitolo", {17, 116, 961, 22}, "sottotitolo", nullptr, &TfrmAvvio::imgSottotitolo},
    {"imgAnagrafica", {24, 176, 289, 253}, "area_anagrafica", &TfrmAvvio::imgAnagraficaClick, &TfrmAvvio::imgAnagrafica},
    {"btnAnagrafica", {25, 438, 281, 42}, "btn_anagrafica", &TfrmAvvio::imgAnagraficaClick, &TfrmAvvio::btnAnagrafica},
    {"infAnagrafica", {23, 494, 290, 105}, "inf_anagrafica", &TfrmAvvio::imgAnagraficaClick, &TfrmAvvio::infAnagrafica},
    {"imgContratti", {352, 176, 289, 253}, "area_contratti", &TfrmAvvio::imgContrattiClick, &TfrmAvvio::imgContratti},
    {"btnContratti", {353, 438, 281, 42}, "btn_contratti", &TfrmAvvio::imgContrattiClick, &TfrmAvvio::btnContratti},
    {"infContratti", {351, 494, 290, 105}, "inf_contratti", &TfrmAvvio::imgContrattiClick, &TfrmAvvio::infContratti},
    {"imgRiepilogo", {682, 176, 289, 253}, "area_riepilogo", &TfrmAvvio::imgRiepilogoClick, &TfrmAvvio::imgRiepilogo},
    {"btnRiepilogo", {683, 438, 281, 42}, "btn_riepilogo", &TfrmAvvio::imgRiepilogoClick, &TfrmAvvio::btnRiepilogo},
    {"infRiepilogo", {681, 494, 290, 105}, "inf_riepilogo", &TfrmAvvio::imgRiepilogoClick, &TfrmAvvio::infRiepilogo},
    {"imgSito", {17, 628, 961, 22}, "sito", &TfrmAvvio::imgSitoClick, &TfrmAvvio::imgSito},
    {"imgCopyright", {16, 660, 23, 22}, "copyright", &TfrmAvvio::imgCopyrightClick, &TfrmAvvio::imgCopyright},
    {"imgEsci", {960, 662, 17, 18}, "esci", &TfrmAvvio::imgEsciClick, &TfrmAvvio::imgEsci},
};

} // namespace

TfrmAvvio::TfrmAvvio(QWidget *parent)
    : SchermoArea(QStringLiteral(" Quadrivela"), QColor(0x5D, 0x85, 0xA6), Qt::white, parent)
{
    setObjectName(QStringLiteral("frmAvvio"));
    // Escape does not end the program; its exit icon and the window's close do.
    m_escChiude = false;
    shpSfondo = new QFrame(pannello());
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(4, 4, 986, 684);
    shpSfondo->setStyleSheet(QStringLiteral("#shpSfondo { background: white; border: 1px solid bisque; }"));

    for (const DefFigura &d : kFigure) {
        auto *f = new Figura(QLatin1String(d.nome), QStringLiteral(":/img/%1.svg").arg(QLatin1String(d.risorsa)),
                             d.geometria, pannello(), d.clic != nullptr);
        this->*(d.membro) = f;
        if (d.clic)
            connect(f, &Figura::clicked, this, d.clic);
    }
    // An area's three pictures share one click: Tab stops once, at its button.
    for (Figura *f : {imgAnagrafica, infAnagrafica, imgContratti, infContratti, imgRiepilogo, infRiepilogo})
        f->setFocusPolicy(Qt::NoFocus);
    // Between the subtitle band and the three areas: the contracts that end soon.
    panScadenze = new PannelloScadenze(pannello());
    panScadenze->setGeometry(17, 141, 961, 32);

    // Along the bottom, between the credits and the way out: the safety copy and its restore.
    const struct
    {
        QPushButton *TfrmAvvio::*membro;
        const char *nome, *testo, *tasto;
        QKeyCombination combinazione;
        void (TfrmAvvio::*clic)();
        int x, larghezza;
    } comandi[] = {
        {&TfrmAvvio::btnCopia, "btnCopia", "Copia di sicurezza", "Ctrl+B", Qt::CTRL | Qt::Key_B,
         &TfrmAvvio::btnCopiaClick, 56, 250},
        {&TfrmAvvio::btnRipristino, "btnRipristino", "Ripristina da una copia", "Ctrl+R", Qt::CTRL | Qt::Key_R,
         &TfrmAvvio::btnRipristinoClick, 316, 280},
    };
    for (const auto &c : comandi) {
        auto *b = new QPushButton(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(c.testo), QLatin1String(c.tasto)),
                                  pannello());
        b->setObjectName(QLatin1String(c.nome));
        b->setGeometry(c.x, 657, c.larghezza, 26);
        b->setFlat(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setFont(carattere(QStringLiteral("Verdana"), 10));
        b->setStyleSheet(QStringLiteral("QPushButton { color: #1F3A5F; text-decoration: underline; border: none;"
                                        " text-align: left; padding: 2px 4px; background: transparent; }"
                                        "QPushButton:hover, QPushButton:focus { color: #B22222; }"));
        this->*(c.membro) = b;
        connect(b, &QPushButton::clicked, this, c.clic);
        auto *tasto = new QShortcut(QKeySequence(c.combinazione), this);
        tasto->setContext(Qt::WindowShortcut);
        connect(tasto, &QShortcut::activated, this, c.clic);
    }
}

void TfrmAvvio::apriArea(const char *classe)
{
    if (QWidget *area = Schermi::per(QLatin1String(classe)))
        passaA(area, this);
}

void TfrmAvvio::imgAnagraficaClick() { apriArea("TfrmAnagrafica"); }
void TfrmAvvio::imgContrattiClick() { apriArea("TfrmMenuContratti"); }
void TfrmAvvio::imgRiepilogoClick() { apriArea("TfrmMenuRiepilogo"); }

void TfrmAvvio::imgInfoClick()
{
    eseguiDialogo(new TfrmInfo(this));
}

void TfrmAvvio::imgCopyrightClick()
{
    eseguiDialogo(new TfrmSplash(this));
}

void TfrmAvvio::imgGuidaClick()
{
    mostraGuida(this, TitoloGuidaGenerale, testoGuida(paragrafiGuidaGenerale()));
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(SitoProduttore, this);
}

void TfrmAvvio::imgEsciClick()
{
    Schermi::terminaApplicazione();
}

void TfrmAvvio::btnCopiaClick()
{
    eseguiDialogo(new TfrmCopia(this));
    panScadenze->aggiorna();
}

void TfrmAvvio::btnRipristinoClick()
{
    eseguiRipristino(this);
    panScadenze->aggiorna();
}

void TfrmAvvio::showEvent(QShowEvent *e)
{
    SchermoArea::showEvent(e);
    // Enter opens the registry, Tab moves on to the other areas.
    if (!e->spontaneous())
        btnAnagrafica->setFocus(Qt::OtherFocusReason);
}

void TfrmAvvio::closeEvent(QCloseEvent *e)
{
    if (Schermi::terminaApplicazione())
        e->accept();
    else
        e->ignore();
}

} // namespace qv
