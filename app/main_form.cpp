// The main window's life: made with its settings loaded and lists filled,
// started when first shown (links, dictionary, language, filter, ports,
// grids, the main timer), stopped in the reverse order when it goes, with
// the settings saved first. Also the system's device and power broadcasts
// and the two web-address labels.

#include "app/main_form.h"

#include "app/control_helpers.h"
#include "app/layout/main_window_layout.h"
#include "platform/core/os/modules.h"
#include "platform/core/window_system/messages.h"
#include "support/hashing.h"
#include "support/message_pump.h"
#include "support/program_info.h"
#include "support/ui/shell_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/label.h"

namespace app {

using platform::TObject;

TMainForm* MainForm = nullptr;
std::string gAppDir;
std::string gFileVersion;

TMainForm::TMainForm(platform::TComponent* AOwner) : platform::TForm(AOwner), OpenWebAddress(support::OpenWebAddress) {
  RegisterMainWindowLayout();
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate(TObject*) {
  if (!MainForm) MainForm = this;
  BindChannelEvents();
  BindDisplayEvents();
  BindRecordingEvents();
  LblDevelLink->OnClick = [this](TObject* Sender) { LblDevelLinkClick(Sender); };
  LblVendorLink->OnClick = [this](TObject* Sender) { LblVendorLinkClick(Sender); };

  gAppDir = ToUtf8(support::GetAppDir());
  gFileVersion = ToUtf8(support::GetFileVersionString(FromUtf8(platform::ProgramFileName())));
  platform::Application->SetTitle(kProgramName);
  SetCaption(kProgramName);

  FillPortAndBaudLists();
  ClearMonitors();
  TabPag->SetActivePageIndex(0);
  LblDevelLink->SetCaption(FromUtf8(kDeveloperSite));
  LblVendorLink->SetCaption(FromUtf8(kVendorSite));
  LblProgName->SetCaption(FromUtf8(kProgramName));

  Closing = false;
  LoadSettings();
  CmbLanguage->SetItemIndex(Language == kLanguageItalian ? 1 : 0);
  SelectIfPresent(*CmbTempMode, UnitsTemp);
  SelectIfPresent(*CmbMeters, UnitsDepth);

  OffsetEditFilled = false;
  NowTicks = 0;
  ArlKey = support::StringHash("ARL");
  LblModuleMsg->SetVisible(false);

  DstReady = false;
  DeviceStatus = 0;
  SpeedTableTick = TempTableTick = 0;
  CurrentLogSpeed = CurrentCoefficient = 0;
  FirmwareVersion = 0;
  ExchangeState = 0;
  ClearCommandQueue();
  LastStatusTick = 0;

  ShowNewRow = true;
  GpsPaused = DstPaused = false;
  UpdatePauseGlyphs();
  TempOffsetInvalid = true;
}

// The window is laid out in pixels of this screen, so there is nothing to
// scale: showing it starts the program's work.
void TMainForm::FormShow(TObject*) { InitRuntime(); }

void TMainForm::InitRuntime() {
  if (!DstLink) DstLink = std::make_unique<nmea::TNMEA2KDecoder>();
  if (!GpsLink) GpsLink = std::make_unique<nmea::TNMEA2KDecoder>();
  if (!Dictionary) {
    Dictionary = std::make_unique<support::TObjDic>();
    Dictionary->Load();
  }
  ApplyLanguage();
  SelectBaudRate(*CmbDstBaud, DSTBaudRate);
  SelectBaudRate(*CmbGPSBaud, GPSBaudRate);
  if (!SpeedFilter) {
    SpeedFilter = std::make_unique<support::TMAverageFilter>();
    SpeedFilter->Mode = 0;
    SpeedFilter->Reset(10);
  }
  RefreshPorts();
  UpdateConnectionLeds();
  InitCalibrationGrids();
  if (!MainTimer) {
    MainTimer = std::make_unique<nmea::TThreadTimer>("Main Timer");
    MainTimer->SetInterval(250);
    MainTimer->Mode = nmea::tmImmediatePeriodic;
    MainTimer->OnTimer = [this](TObject* Sender) { MainTimerTick(Sender); };
    MainTimer->SetEnabled(true);
  }
}

void TMainForm::FormDestroy(TObject*) {
  SaveSettings();
  Closing = true;
  ShutdownRuntime();
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::ShutdownRuntime() {
  if (MainTimer) {
    MainTimer->SetEnabled(false);
    // Freeing the timer drops a tick that waits for this thread.
    MainTimer.reset();
  }
  ClearCommandQueue();
  DstLink.reset();
  GpsLink.reset();
  SpeedFilter.reset();
  SpeedTable.clear();
  TempTable.clear();
  Samples.clear();
  FirmwareVersion = 0;
}

void TMainForm::WndProc(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::WM_DEVICECHANGE:
      WMDeviceChange(Message);
      return;
    case platform::WM_POWERBROADCAST:
      WMPowerBroadcast(Message);
      return;
    default:
      platform::TForm::WndProc(Message);
  }
}

void TMainForm::WMDeviceChange(platform::TMessage& Message) {
  const auto* header = reinterpret_cast<const platform::DEV_BROADCAST_HDR*>(Message.LParam);
  if (!header || Closing || header->dbch_devicetype != platform::DBT_DEVTYP_PORT) return;
  if (Message.WParam != platform::DBT_DEVICEARRIVAL && Message.WParam != platform::DBT_DEVICEREMOVECOMPLETE) return;
  RefreshPorts();
  support::ProcessPendingMessages(200);
}

void TMainForm::WMPowerBroadcast(platform::TMessage& Message) {
  if (Message.WParam == platform::PBT_APMSUSPEND) MarkPowerEvent(true);
  if (Message.WParam == platform::PBT_APMRESUMESUSPEND) MarkPowerEvent(false);
}

void TMainForm::LblDevelLinkClick(TObject*) {
  support::ProcessPendingMessages(200);
  OpenWebAddress(Handle(), kDeveloperSite);
  support::ProcessPendingMessages(200);
}

void TMainForm::LblVendorLinkClick(TObject*) {
  support::ProcessPendingMessages(200);
  OpenWebAddress(Handle(), kVendorSite);
  support::ProcessPendingMessages(200);
}

}  // namespace app
