// The two channels' ports: the port and baud lists of the Connection page,
// opening and closing each link to match its lists, and the lamps that show
// which channels are open.

#include "app/control_helpers.h"
#include "app/main_form.h"
#include "platform/ui/controls/extctrls.h"
#include "support/conversions.h"
#include "support/message_pump.h"
#include "support/serial_ports.h"
#include "widetext/standard/combo_box.h"

namespace app {
namespace {

// The link is reopened unless it is open on this very port and rate; a
// link that failed to reopen after a resume reports its old port and rate
// although it is closed, and must be opened again.
bool NeedsOpening(const nmea::TNMEA2KDecoder& link, std::int32_t port, std::int32_t baud) {
  return !link.IsOpen() || link.Port() != port || link.Baud() != baud;
}

void SetLamp(platform::TShape& lamp, bool on) { lamp.Brush().SetColor(on ? kLampOn : kLampOff); }

}  // namespace

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
    const int item = CmbDstPort->ItemIndex();
    if (item <= 0 || item > static_cast<int>(PortNumbers.size())) {
      DstLink->Close();
      DstLink->OnReceive = nullptr;
      DstLink->OnSend = nullptr;
      ResetDstState();
    } else {
      const std::int32_t port = PortNumbers[static_cast<std::size_t>(item - 1)];
      const auto baud = static_cast<std::int32_t>(support::SafeStrToInt64(ListText(*CmbDstBaud)));
      if (NeedsOpening(*DstLink, port, baud)) {
        DstLink->Open(port, baud, nmea::kStreamText, true);
        ShowNewRow = true;
        ResetDstState();
        ExchangeState = 0;
        ClearCommandQueue();
        OffsetEditFilled = DepthSeen = SpeedSeen = TempSeen = false;
        if (DstLink->IsOpen()) {
          // The reader thread runs already: the handler changes under its lock.
          const nmea::TEndpointLock lock = DstLink->Lock();
          DstLink->OnReceive = [this](platform::TObject* Sender, std::string_view Text) {
            DstLineReceived(Sender, Text);
          };
          DstLink->VerifyChecksum = true;
          DstLink->HexBytesPerLine = 16;
          DstLink->CollectStatistics = true;
        } else {
          CmbDstPort->SetItemIndex(0);
          DstLink->OnReceive = nullptr;
          DstLink->OnSend = nullptr;
        }
      }
    }
    UpdateConnectionLeds();
  }
  RefreshDisplay();
  DstPaused = false;
  UpdatePauseGlyphs();
}

void TMainForm::ApplyGpsPort() {
  if (GpsLink) {
    const int item = CmbGPSPort->ItemIndex();
    if (item <= 0 || item > static_cast<int>(PortNumbers.size())) {
      GpsLink->Close();
      GpsLink->OnReceive = nullptr;
      GpsLink->OnSend = nullptr;
    } else {
      const std::int32_t port = PortNumbers[static_cast<std::size_t>(item - 1)];
      const auto baud = static_cast<std::int32_t>(support::SafeStrToInt64(ListText(*CmbGPSBaud)));
      if (NeedsOpening(*GpsLink, port, baud)) {
        GpsLink->Open(port, baud, nmea::kStreamText, true);
        if (GpsLink->IsOpen()) {
          // The reader thread runs already: the handler changes under its lock.
          const nmea::TEndpointLock lock = GpsLink->Lock();
          GpsLink->OnReceive = [this](platform::TObject* Sender, std::string_view Text) {
            GpsLineReceived(Sender, Text);
          };
          GpsLink->VerifyChecksum = true;
          GpsLink->HexBytesPerLine = 16;
          GpsLink->CollectStatistics = true;
        } else {
          CmbGPSPort->SetItemIndex(0);
          GpsLink->OnReceive = nullptr;
          GpsLink->OnSend = nullptr;
        }
      }
    }
    UpdateConnectionLeds();
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
