#include "nmea/link/endpoint.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "nmea/link/ticks.h"
#include "nmea/nmea0183/checksum.h"
#include "nmea/nmea0183/date_time.h"
#include "platform/core/os/clock.h"
#include "support/date_time.h"
#include "support/formatting.h"
#include "support/message_pump.h"

namespace nmea {

TNMEA2KDecoder::TNMEA2KDecoder() { ResetData(NMEAData); }

TNMEA2KDecoder::~TNMEA2KDecoder() {
  // The reader thread is stopped before anything it uses goes away, so a
  // chunk that arrives meanwhile is ignored and none is left in flight.
  Closing = true;
  CloseTransport();
  AwaitChunkInFlight();
  auto lock = Lock();
  StopLog();
  CloseLog();
  PortKind = kPortNone;
  PortId = 0;
  OnMessage = nullptr;
  OnRawMessage = nullptr;
  OnReceive = nullptr;
  OnSend = nullptr;
}

bool TNMEA2KDecoder::Open(int Port, int Baud, std::uint8_t StreamMode, bool UseSerialPort) {
  // Let the user interface catch up before the port work holds it.
  support::ProcessPendingMessages(250);
  // An earlier recording ends here; its buffered data is written first.
  StopLog();
  CloseLog();
  Close();
  {
    auto lock = Lock();
    BinaryInput = false;
    NowUtc();
    RefreshPcYear();
  }
  try {
    if (UseSerialPort) {
      {
        auto lock = Lock();
        PortKind = kPortSerial;
        this->StreamMode = StreamMode;
        MaxFrameLength = 510;
      }
      std::unique_ptr<ISerialTransport> port = CreateSerialTransport();
      if (!port) {
        Close();
        return false;
      }
      port->SetOnReceive(nullptr);
      port->SetDataBitsIndex(0);
      port->SetStopBitsIndex(0);
      port->SetParityIndex(0);
      port->SetFlowIndex(0);
      port->SetBaud(Baud);
      port->SetPort(Port);
      port->Open();
      if (!port->IsOpen()) {
        Close();
        return false;
      }
      port->Purge();
      {
        auto lock = Lock();
        PortId = static_cast<std::uint32_t>(Port) + kPortIdBase;
        SerialPort_ = std::move(port);
      }
      if (ReceiveAttached) AttachReceive();
    } else {
      {
        auto lock = Lock();
        PortKind = kPortGateway;
        this->StreamMode = StreamMode;
        MaxFrameLength = 510;
      }
      std::unique_ptr<IGatewayTransport> gateway = CreateGatewayTransport();
      if (gateway) {
        gateway->SetOnStatus([this](platform::TObject* Sender, std::string_view Text) { GatewayStatus(Sender, Text); });
      }
      if (!gateway || !gateway->LoadLibrary() || !gateway->Open(Port)) {
        if (gateway) gateway->SetOnStatus(nullptr);
        Close();
        return false;
      }
      {
        auto lock = Lock();
        PortId = static_cast<std::uint32_t>(Port) + kPortIdBase;
        Gateway_ = std::move(gateway);
      }
      if (OnMessage) OnMessage(this, "Port connected!");
    }
  } catch (...) {
    CloseTransport();
    auto lock = Lock();
    PortKind = kPortNone;
    PortId = 0;
  }
  return IsOpen();
}

void TNMEA2KDecoder::Close() {
  try {
    StopLog();
    CloseTransport();
    AwaitChunkInFlight();
    auto lock = Lock();
    PortId = 0;
    PortKind = kPortNone;
    RequestReset(kResetAll);
  } catch (...) {
    auto lock = Lock();
    PortKind = kPortNone;
  }
}

void TNMEA2KDecoder::CloseTransport() {
  std::shared_ptr<ISerialTransport> port;
  std::unique_ptr<IGatewayTransport> gateway;
  {
    auto lock = Lock();
    port = std::move(SerialPort_);
    gateway = std::move(Gateway_);
  }
  // Without the lock: stopping the port waits for its reader thread, which
  // may be waiting for the lock to finish a chunk. Closing also cuts short a
  // write in progress on another thread, whose copy keeps the port alive.
  try {
    if (port) {
      port->SetOnReceive(nullptr);
      if (port->IsOpen()) port->Close();
    }
    if (gateway) gateway->SetOnStatus(nullptr);
  } catch (...) {
  }
}

bool TNMEA2KDecoder::IsOpen() const {
  auto lock = Lock();
  if (PortKind == kPortSerial && SerialPort_) return SerialPort_->IsOpen();
  if (PortKind == kPortGateway && Gateway_) return Gateway_->IsConnected();
  return false;
}

int TNMEA2KDecoder::Port() const {
  auto lock = Lock();
  if (PortKind == kPortSerial && SerialPort_) return SerialPort_->GetPort();
  if (PortKind == kPortGateway && Gateway_) return Gateway_->GetPort();
  return -1;
}

int TNMEA2KDecoder::Baud() const {
  auto lock = Lock();
  if (PortKind == kPortSerial && SerialPort_) return SerialPort_->GetBaud();
  if (PortKind == kPortGateway && Gateway_) return Gateway_->GetBaud();
  return -1;
}

void TNMEA2KDecoder::AttachReceive() {
  if (!SerialPort_) return;
  SerialPort_->SetOnReceive(
      [this](platform::TObject* Sender, const std::uint8_t* Data, int Count) { DataReceived(Sender, Data, Count); });
}

void TNMEA2KDecoder::SetReceiveEnabled(bool Enabled) {
  ReceiveAttached = Enabled;
  // A sentence cut by the bytes discarded while detached must not be
  // spliced with what follows.
  if (Enabled) RequestReset(kResetFrame);
  if (SerialPort_) {
    if (Enabled) {
      AttachReceive();
    } else {
      SerialPort_->SetOnReceive(nullptr);
    }
  }
  AwaitChunkInFlight();
}

void TNMEA2KDecoder::AwaitChunkInFlight() { std::lock_guard feeding(feedMutex_); }

void TNMEA2KDecoder::CopyData(tNMEAData& Into) const {
  auto lock = Lock();
  Into = NMEAData;
}

void TNMEA2KDecoder::SendLine(std::string_view Line, bool AddChecksum) {
  std::shared_ptr<ISerialTransport> port;
  std::uint8_t mode = kStreamText;
  {
    auto lock = Lock();
    if (PortKind != kPortSerial || !SerialPort_) return;
    port = SerialPort_;
    mode = StreamMode;
  }
  try {
    std::string text(Line);
    if (AddChecksum && mode == kStreamText) {
      text += '*';
      text += NmeaChecksum(Line, 2, static_cast<int>(Line.size()));
      text += "\r\n";
    }
    if (port->IsOpen() && port->WriteString(text) && OnSend) OnSend(this, text);
  } catch (...) {
  }
}

void TNMEA2KDecoder::Suspend(std::string_view Marker) {
  try {
    if (PortKind == kPortSerial && SerialPort_ && SerialPort_->IsOpen()) {
      SerialPort_->Close();
      SerialPort_->Purge();
    } else if (PortKind == kPortGateway && Gateway_ && Gateway_->IsConnected()) {
      Gateway_->Pause();
      Gateway_->FlushAll();
    }
  } catch (...) {
  }
  auto lock = Lock();
  if (!IsLogging()) return;
  if (!Marker.empty() && LogMode == kLogText) {
    const TTick now = GetTick();
    // Text received before the marker goes before it.
    if (!PendingLogText.empty()) WriteLog(PendingLogText, now);
    WriteLog(Marker, now);
  }
  PauseLog(true);
}

void TNMEA2KDecoder::Resume(std::string_view Marker) {
  {
    // The log is running again before the port delivers, so the marker comes
    // first and nothing received after it is missed.
    auto lock = Lock();
    if (LogMode == kLogPaused) {
      PauseLog(false);
      if (!Marker.empty() && LogMode == kLogText) WriteLog(Marker, GetTick());
    }
  }
  try {
    if (PortKind == kPortSerial && SerialPort_ && !SerialPort_->IsOpen()) {
      SerialPort_->Open();
      SerialPort_->Purge();
    } else if (PortKind == kPortGateway && Gateway_) {
      Gateway_->Resume();
      Gateway_->FlushAll();
    }
  } catch (...) {
  }
}

void TNMEA2KDecoder::GatewayStatus(platform::TObject*, std::string_view Text) {
  if (OnMessage) OnMessage(this, Text);
}

TTick TNMEA2KDecoder::GetTick() const { return nmea::GetTick(TickSource); }

double TNMEA2KDecoder::NowUtc() {
  if (UseUtc) {
    bool isDaylight = false;
    UtcOffsetHours = support::GetUtcOffsetHours(isDaylight);
  }
  const platform::SystemTime now = platform::GetLocalTime();
  double local = 0;
  TryEncodeDateTime(now.Year, now.Month, now.Day, now.Hour, now.Minute, now.Second, now.Millisecond, local);
  return local - UtcOffsetHours / 24.0;
}

void TNMEA2KDecoder::RefreshPcYear() {
  PcYear = platform::GetLocalTime().Year;
  PcCentury = PcYear / 100 * 100;
}

std::string TNMEA2KDecoder::NmeaChecksum(std::string_view Text, int From, int To) {
  const int first = std::max(From, 1);
  const int last = std::min(To, static_cast<int>(Text.size()));
  const std::string_view body =
      first <= last ? Text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1))
                    : std::string_view();
  return support::ByteToHex(SentenceChecksum(body));
}

void TNMEA2KDecoder::NormalizeAngle180(double& Angle) {
  if (!std::isfinite(Angle)) return;
  Angle = std::remainder(Angle, 360.0);
  if (Angle == -180.0) Angle = 180.0;
}

}  // namespace nmea
