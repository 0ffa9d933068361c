#include "nmea/serial/serial_port.h"

#include <array>
#include <memory>
#include <utility>

#include "platform/core/os/serial_device.h"
#include "support/serial_ports.h"

namespace nmea {
namespace {

// The flag words by flow control index: binary mode and RTS on; software
// flow adds XON/XOFF both ways; hardware flow adds CTS output flow control
// and the DTR handshake.
constexpr std::array<std::uint32_t, 4> kFlowFlags{0x1001, 0x1301, 0x1025, 0x1325};

}  // namespace

std::optional<std::string> BuildSettingsText(int Baud, int ParityIndex, int DataBitsIndex, int StopBitsIndex) {
  static constexpr std::string_view kParity = "NOEMS";
  static constexpr std::string_view kDataBits = "8765";
  static constexpr std::array<std::string_view, 3> kStopBits{"1", "1.5", "2"};
  if (ParityIndex < 0 || ParityIndex >= static_cast<int>(kParity.size()) || DataBitsIndex < 0 ||
      DataBitsIndex >= static_cast<int>(kDataBits.size()) || StopBitsIndex < 0 ||
      StopBitsIndex >= static_cast<int>(kStopBits.size())) {
    return std::nullopt;
  }
  std::string text = "baud=" + std::to_string(Baud);
  text += " parity=";
  text += kParity[ParityIndex];
  text += " data=";
  text += kDataBits[DataBitsIndex];
  text += " stop=";
  text += kStopBits[StopBitsIndex];
  return text;
}

TSComPort::TSComPort() {
  core_.RxThreshold = kRxThreshold;
  core_.OnDataReceived = [this](platform::TObject*, const std::uint8_t* Data, int Count) {
    CoreDataReceived(Data, Count);
  };
}

TSComPort::~TSComPort() {
  closing_ = true;
  Close();
  std::lock_guard lock(receiveLock_);
  onReceive_ = nullptr;
}

void TSComPort::Open() {
  Close();
  ApplySettings();
  if (port_ <= 0 || !settingsError_.empty()) return;
  core_.PurgeTx();
  core_.OpenComPort(port_);
  core_.PurgeRx();
}

void TSComPort::Close() { core_.Close(); }

void TSComPort::Purge() {
  core_.PurgeRx();
  core_.PurgeTx();
}

bool TSComPort::WriteString(std::string_view S) { return core_.WriteData(S.data(), static_cast<int>(S.size())); }

void TSComPort::SetOnReceive(TComDataEvent Handler) {
  std::lock_guard lock(receiveLock_);
  onReceive_ = std::move(Handler);
}

std::string TSComPort::LastError() const { return settingsError_.empty() ? core_.LastError() : settingsError_; }

std::uint16_t TSComPort::ProbePort(int N) {
  if (N < 1) return kPortInvalid;
  switch (platform::ProbeSerialDevice(support::ComPortName(N))) {
    case platform::SerialProbe::Available:
      return kPortAvailable;
    case platform::SerialProbe::Absent:
      return kPortAbsent;
    default:
      return kPortBusy;
  }
}

void TSComPort::ApplySettings() {
  settingsError_.clear();
  platform::DCB dcb;
  // A port is never opened on settings other than those asked for.
  const std::optional<std::string> text = BuildSettingsText(baud_, parityIndex_, dataBitsIndex_, stopBitsIndex_);
  if (!text || flowIndex_ < 0 || flowIndex_ >= static_cast<int>(kFlowFlags.size())) {
    settingsError_ = "invalid line settings: a setting index is out of range";
    return;
  }
  if (!platform::BuildCommDCB(*text, dcb)) {
    settingsError_ = "invalid line settings: " + *text;
    return;
  }
  dcb.Flags = kFlowFlags[flowIndex_];
  dcb.XonLim = 512;
  dcb.XoffLim = 1;
  dcb.XonChar = 17;
  dcb.XoffChar = 19;
  core_.SetDCB(dcb);
}

void TSComPort::CoreDataReceived(const std::uint8_t* Data, int Count) {
  if (closing_ || Count < 1) return;
  std::lock_guard lock(receiveLock_);
  if (closing_ || !onReceive_) return;
  // A copy, so a handler that replaces itself keeps running intact.
  const TComDataEvent handler = onReceive_;
  handler(this, Data, Count);
}

std::unique_ptr<ISerialTransport> MakeDefaultSerialTransport() { return std::make_unique<TSComPort>(); }

}  // namespace nmea
