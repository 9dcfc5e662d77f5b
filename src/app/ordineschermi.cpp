#include "ui/schermi.h"

#include "app/frmavvio.h"
#include "ui/frmguida.h"
#include "app/frminfo.h"
#include "app/frmpassword.h"
#include "app/frmsplash.h"
#include "checks/frmcontrolli.h"
#include "contracts/frmcontratti.h"
#include "contracts/frmmenucontratti.h"
#include "contracts/frmexpcontratti.h"
#include "contracts/frmtrovacontratti.h"
#include "contracts/frmvalidi.h"
#include "contracts/frmstampacon.h"
#include "contracts/frmstatistiche.h"
#include "contracts/frmmenuriepilogo.h"
#include "contracts/frmriepilogo.h"
#include "registry/frmallegaexcel.h"
#include "ui/frmallegati.h"
#include "registry/frmanagrafica.h"
#include "ui/frmcalendario.h"
#include "registry/frmexpanagrafica.h"
#include "registry/frmscadute.h"
#include "registry/frmstampaana.h"
#include "registry/frmtrovaanagrafica.h"
#include "registry/frmwebcam.h"
#include "registry/frmzoom.h"

#include <functional>

// The start-up order of the screens belongs to the program's start-up: the
// screen pieces below it only keep and find the screens once they exist.
namespace qv {

namespace {

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
    crea<TfrmContratti>,
    crea<TfrmMenuContratti>,
    crea<TfrmExpContratti>,
    crea<TfrmRescissi>,
    crea<TfrmTrovaContratti>,
    crea<TfrmValidi>,
    crea<TfrmStampaCon>,
    crea<TfrmStatistiche>,
    crea<TfrmRiepilogo>,
    crea<TfrmMenuRiepilogo>,
};

} // namespace

void Schermi::creaTutti()
{
    distruggiTutti();
    for (const auto &f : kOrdine)
        registra(f());
}

} // namespace qv
