#include "schermi.h"

#include "app/finestre.h"
#include "app/servizi.h"
#include "app/frmavvio.h"
#include "app/frmguida.h"
#include "app/frminfo.h"
#include "app/frmpassword.h"
#include "app/frmsplash.h"
#include "checks/frmcontrolli.h"
#include "registry/frmallegaexcel.h"
#include "registry/frmallegati.h"
#include "registry/frmanagrafica.h"
#include "registry/frmcalendario.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmscadute.h"
#include "registry/frmstampaana.h"
#include "registry/frmtrovaanagrafica.h"
#include "registry/frmwebcam.h"
#include "registry/frmzoom.h"

#include <QApplication>
#include <QDialog>

#include <functional>
#include <memory>

namespace qv {

namespace {

CartellaProgramma s_cartella;
QList<QWidget *> s_schermi;

template <typename T>
QWidget *crea()
{
    return new T();
}

// The start-up order; the first is the main window.
const std::function<QWidget *()> kOrdine[] = {
    crea<TfrmPassword>,
    crea<TfrmAvvio>,
    crea<TfrmCambiaPassword>,
    crea<TfrmGuida>,
    crea<TfrmInfo>,
    crea<TfrmSplash>,
    crea<TfrmAnagrafica>,
    crea<TfrmAllegaCartella>,
    crea<TfrmCalendario>,
    crea<TfrmWebCam>,
    crea<TfrmZoom>,
    crea<TfrmCodFisc>,
    crea<TfrmPartitaIva>,
    crea<TfrmIban>,
    crea<TfrmAllegaExcel>,
    crea<TfrmAnteprimaAna>,
    crea<TfrmStampaAna>,
    crea<TfrmScadute>,
    crea<TfrmSospesi>,
    crea<TfrmExpAnagrafica>,
    crea<TfrmTrovaAnagrafica>,
};

QString nomeClasse(const QObject *o)
{
    return QString::fromLatin1(o->metaObject()->className()).section(QStringLiteral("::"), -1);
}

} // namespace

const CartellaProgramma &cartellaProgramma()
{
    return s_cartella;
}

void impostaCartellaProgramma(const QString &dir)
{
    s_cartella = CartellaProgramma(dir);
}

void Schermi::creaTutti()
{
    distruggiTutti();
    for (const auto &f : kOrdine)
        s_schermi.append(f());
}

void Schermi::distruggiTutti()
{
    for (auto it = s_schermi.rbegin(); it != s_schermi.rend(); ++it)
        delete *it;
    s_schermi.clear();
}

const QList<QWidget *> &Schermi::tutti()
{
    return s_schermi;
}

QWidget *Schermi::per(const QString &classe)
{
    for (QWidget *w : s_schermi)
        if (nomeClasse(w) == classe)
            return w;
    return nullptr;
}

void Schermi::terminaApplicazione()
{
    Servizi::correnti().termina();
}

void passaA(QWidget *destinazione, QWidget *origine)
{
    if (auto *area = qobject_cast<SchermoArea *>(destinazione))
        area->mostra();
    else
        destinazione->show();
    if (origine && origine != destinazione)
        origine->hide();
}

int eseguiDialogo(QDialog *dialogo)
{
    std::unique_ptr<QDialog> proprieta(dialogo);
    return Servizi::correnti().esegui(dialogo);
}

} // namespace qv
