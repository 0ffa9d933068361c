// The two channels' ports: the port and baud lists of the Connection page
// and the user's choices in them, opening and closing each link to match
// its lists, and the lamps that show which channels are open.

#include <algorithm>

#include "app/control_helpers.h"
#include "app/main_form.h"
#include "platform/ui/controls/extctrls.h"
#include "support/conversions.h"
#include "support/message_pump.h"
#include "support/serial_ports.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/combo_box.h"

namespace app {
namespace {

// What bringing a link in line with its lists did.
enum class ChannelChange { None, Closed, Opened };

void Detach(nmea::TNMEA2KDecoder& Link) {
  Link.OnReceive = nullptr;
  Link.OnSend = nullptr;
}

// Closes the link when its list shows "none"; otherwise (re)opens it on the
// chosen port and rate, unless it is open on them already. A link that
// failed to reopen after a resume reports its old port and rate although
// it is closed, so being open counts too. A port that cannot be opened
// leaves its list on "none".
ChannelChange ApplyChannel(nmea::TNMEA2KDecoder& Link, TWtxComboBox& Ports, TWtxComboBox& Bauds,
                           const std::vector<std::int32_t>& Numbers, nmea::TNMEATextEvent Receive) {
  const std::int32_t port = ChosenPort(Ports, Numbers);
  if (port == 0) {
    Link.Close();
    Detach(Link);
    return ChannelChange::Closed;
  }
  const auto baud = static_cast<std::int32_t>(support::SafeStrToInt64(ListText(Bauds)));
  if (Link.IsOpen() && Link.Port() == port && Link.Baud() == baud) return ChannelChange::None;
  // The handler is in place before the reader thread starts, so the first
  // bytes reach the monitor too; it is detached again when the port cannot
  // be had.
  Link.Close();
  Link.OnReceive = std::move(Receive);
  Link.VerifyChecksum = true;
  Link.HexBytesPerLine = 16;
  Link.CollectStatistics = true;
  Link.Open(port, baud, nmea::kStreamText, true);
  if (!Link.IsOpen()) {
    Ports.SetItemIndex(0);
    Detach(Link);
  }
  return ChannelChange::Opened;
}

void SetLamp(platform::TShape& Lamp, bool On) { Lamp.Brush().SetColor(On ? kLampOn : kLampOff); }

}  // namespace

void TMainForm::BindChannelEvents() {
  CmbDstPort->OnClick = [this](platform::TObject* Sender) { CmbDstPortClick(Sender); };
  CmbDstBaud->OnClick = [this](platform::TObject* Sender) { CmbDstBaudClick(Sender); };
  CmbGPSPort->OnClick = [this](platform::TObject* Sender) { CmbGPSPortClick(Sender); };
  CmbGPSBaud->OnClick = [this](platform::TObject* Sender) { CmbGPSBaudClick(Sender); };
  ButDSTPause->OnClick = [this](platform::TObject* Sender) { ButDSTPauseClick(Sender); };
  ButGPPause->OnClick = [this](platform::TObject* Sender) { ButGPPauseClick(Sender); };
  BindCommandEvents();
}

void TMainForm::CmbDstPortClick(platform::TObject*) {
  ApplyDstPort();
  DSTComPort = ChosenPort(*CmbDstPort, PortNumbers);
}

void TMainForm::CmbDstBaudClick(platform::TObject*) {
  DSTBaudRate = static_cast<std::int32_t>(support::SafeStrToInt64(ListText(*CmbDstBaud)));
  ApplyDstPort();
}

void TMainForm::CmbGPSPortClick(platform::TObject*) {
  ApplyGpsPort();
  GPSComPort = ChosenPort(*CmbGPSPort, PortNumbers);
}

void TMainForm::CmbGPSBaudClick(platform::TObject*) {
  GPSBaudRate = static_cast<std::int32_t>(support::SafeStrToInt64(ListText(*CmbGPSBaud)));
  ApplyGpsPort();
}

void TMainForm::FillPortAndBaudLists() {
  FillPortLists();
  FillList(*CmbGPSBaud, kGpsBaudRates);
  FillList(*CmbDstBaud, kDstBaudRates);
}

void TMainForm::FillPortLists() {
  support::TIdStringArray ports;
  support::EnumerateComPorts(ports);
  PortNumbers.clear();
  std::vector<std::u16string> names{TxtNone};
  for (const support::TIdStringRec& port : ports) {
    PortNumbers.push_back(static_cast<std::int32_t>(port.Id));
    names.push_back(FromUtf8(port.Str));
  }
  SetItems(*CmbDstPort, names);
  SetItems(*CmbGPSPort, names);
}

// The ports keep their places and the choices stay as they are: a port
// that came or went since the lists were filled waits for the
// re-enumeration its arrival or removal brings.
void TMainForm::RenamePorts() {
  support::TIdStringArray ports;
  support::EnumerateComPorts(ports);
  for (const support::TIdStringRec& port : ports) {
    const auto found = std::find(PortNumbers.begin(), PortNumbers.end(), static_cast<std::int32_t>(port.Id));
    if (found == PortNumbers.end()) continue;
    const int item = static_cast<int>(found - PortNumbers.begin()) + 1;
    ReplaceItem(*CmbDstPort, item, FromUtf8(port.Str));
    ReplaceItem(*CmbGPSPort, item, FromUtf8(port.Str));
  }
}

void TMainForm::RefreshPorts() {
  FillPortLists();
  support::ProcessPendingMessages(200);
  SelectPort(*CmbDstPort, PortNumbers, DSTComPort);
  SelectPort(*CmbGPSPort, PortNumbers, GPSComPort);
  ApplyDstPort();
  support::ProcessPendingMessages(200);
  ApplyGpsPort();
  support::ProcessPendingMessages(200);
}

void TMainForm::ApplyDstPort() {
  if (DstLink) {
    const ChannelChange change =
        ApplyChannel(*DstLink, *CmbDstPort, *CmbDstBaud, PortNumbers,
                     [this](platform::TObject* Sender, std::string_view Text) { DstLineReceived(Sender, Text); });
    if (change == ChannelChange::Opened) {
      // Another port or rate: the module is identified from the start.
      ShowNewRow = true;
      ExchangeState = 0;
      ClearCommandQueue();
      OffsetEditFilled = DepthSeen = SpeedSeen = TempSeen = false;
    }
    if (change != ChannelChange::None) ResetDstState();
    UpdateConnectionLeds();
    // Closing or reopening a link ends its recording.
    UpdateLogControls(true);
  }
  RefreshDisplay();
  DstPaused = false;
  UpdatePauseGlyphs();
}

// Unlike the DST channel's, a change here leaves the module's state alone:
// its identification, tables and command exchange belong to the DST
// channel, which this change does not touch, and what the GPS channel gave
// goes stale on its own once it stops arriving.
void TMainForm::ApplyGpsPort() {
  if (GpsLink) {
    ApplyChannel(*GpsLink, *CmbGPSPort, *CmbGPSBaud, PortNumbers,
                 [this](platform::TObject* Sender, std::string_view Text) { GpsLineReceived(Sender, Text); });
    UpdateConnectionLeds();
    UpdateLogControls(true);
  }
  RefreshDisplay();
  GpsPaused = false;
  UpdatePauseGlyphs();
}

void TMainForm::UpdateConnectionLeds() {
  SetLamp(*LedDst, DstLink && DstLink->IsOpen());
  SetLamp(*LedGPS, GpsLink && GpsLink->IsOpen());
}

}  // namespace app
