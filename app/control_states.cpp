// What may be pressed: each command control is usable only while the DST
// module is identified and supported and the quantity it concerns arrives.
// Also the module labels of the Connection page, which show the result of
// the identification or its message.

#include "app/main_form.h"
#include "platform/ui/controls/stdctrls.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/custom_drawn/xp_check_box.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/label.h"
#include "widetext/standard/list_box.h"
#include "widetext/standard/static_text.h"

namespace app {
namespace {

// Writes the enabled state only when it changes, so nothing repaints for
// nothing.
void Enable(platform::TControl& Control, bool Want) {
  if (Control.Enabled() != Want) Control.SetEnabled(Want);
}

}  // namespace

void TMainForm::UpdateControlStates() {
  const int samples = LogCoeffListBox->GetItems().Count();
  const bool selected = LogCoeffListBox->ItemIndex() >= 0;
  const bool speed = DstReady && SpeedSeen;

  Enable(*ButResetLogCal, DstReady);
  for (platform::TControl* control : std::initializer_list<platform::TControl*>{
           ButSetLogCal, EditCoeffLog, ButAddLogCal, ButTripLogReset, EditLogReset, ChkAutoLogCal}) {
    Enable(*control, speed);
  }
  for (platform::TControl* control : std::initializer_list<platform::TControl*>{EditLogCal, EditSogCal, EditLogDist}) {
    Enable(*control, SpeedSeen);
  }
  Enable(*ButCalcLogVal, speed && samples > 0);
  Enable(*ButResetLogVal, speed && samples > 0);
  Enable(*ButDelLogVal, speed && selected);

  Enable(*ButDepthSend, DstReady && DepthSeen);
  Enable(*EditDptOfs, DstReady && DepthSeen);

  for (platform::TControl* control :
       std::initializer_list<platform::TControl*>{EditTempCalO, ButResetTempOfs, ButSetTempOffs}) {
    Enable(*control, DstReady && TempSeen);
  }
  // The temperature table's own controls: the module takes an offset only.
  for (platform::TControl* control : std::initializer_list<platform::TControl*>{
           ButResetTempCal, ButSetTempCal, EditSeaTemp, EditTempCal, EditCoeffTemp, ButAddTempCal, ButCalcTempVal,
           ButDelTempVal, ButResetTempVal, TempGrid, TempCoeffListBox}) {
    Enable(*control, false);
  }
}

void TMainForm::ShowModuleStatus() {
  switch (DeviceStatus) {
    case 1:
      LblModuleMsg->SetVisible(false);
      break;
    case 2:
      LblModuleMsg->SetCaption(TxtFirmwareOld);
      LblModuleMsg->SetVisible(true);
      break;
    case 3:
      LblModuleMsg->SetCaption(TxtNotSupported);
      LblModuleMsg->SetVisible(true);
      break;
    default:
      LblModuleMsg->SetVisible(false);
      for (TWtxLabel* label : {LblModuleName, LblModuleVer, LblHardVer, LblModuleSerial}) {
        label->SetCaption(TxtNoValue);
      }
  }
}

}  // namespace app
