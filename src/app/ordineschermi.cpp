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


// The start-up order of the screens belongs to the program's start-up: the
// screen pieces below it only keep and find the screens once they exist.
namespace qv {

namespace {

template <typename T>
Schermi::Fabbrica fabbrica()
{
    return {&T::staticMetaObject, [] { return static_cast<QWidget *>(new T()); }};
}

// The start-up order; the first is the main window.
const QList<Schermi::Fabbrica> &ordine()
{
    static const QList<Schermi::Fabbrica> kOrdine = {
        fabbrica<TfrmPassword>(),
        fabbrica<TfrmAvvio>(),
        fabbrica<TfrmCambiaPassword>(),
        fabbrica<TfrmGuida>(),
        fabbrica<TfrmInfo>(),
        fabbrica<TfrmSplash>(),
        fabbrica<TfrmAnagrafica>(),
        fabbrica<TfrmAllegaCartella>(),
        fabbrica<TfrmCalendario>(),
        fabbrica<TfrmWebCam>(),
        fabbrica<TfrmZoom>(),
        fabbrica<TfrmCodFisc>(),
        fabbrica<TfrmPartitaIva>(),
        fabbrica<TfrmIban>(),
        fabbrica<TfrmAllegaExcel>(),
        fabbrica<TfrmAnteprimaAna>(),
        fabbrica<TfrmStampaAna>(),
        fabbrica<TfrmScadute>(),
        fabbrica<TfrmSospesi>(),
        fabbrica<TfrmExpAnagrafica>(),
        fabbrica<TfrmTrovaAnagrafica>(),
        fabbrica<TfrmContratti>(),
        fabbrica<TfrmMenuContratti>(),
        fabbrica<TfrmExpContratti>(),
        fabbrica<TfrmRescissi>(),
        fabbrica<TfrmTrovaContratti>(),
        fabbrica<TfrmValidi>(),
        fabbrica<TfrmStampaCon>(),
        fabbrica<TfrmStatistiche>(),
        fabbrica<TfrmRiepilogo>(),
        fabbrica<TfrmMenuRiepilogo>(),
    };
    return kOrdine;
}

} // namespace

void Schermi::creaTutti()
{
    prepara(ordine());
}

} // namespace qv
