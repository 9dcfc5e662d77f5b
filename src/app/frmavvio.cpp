#include "frmavvio.h"

#include "ui/frmguida.h"
#include "app/frminfo.h"
#include "app/frmsplash.h"
#include "app/pannelloscadenze.h"
#include "app/produttore.h"
#include "ui/schermi.h"
#include "ui/servizi.h"
#include "ui/testiguida.h"

#include <QCloseEvent>
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
    (new PannelloScadenze(pannello()))->setGeometry(17, 141, 961, 32);
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
