#include "tests/nmea/link_helpers.h"

namespace nmea::testing {

int TestSerialTransport::GetPort() const {
  std::lock_guard lock(state_.Mutex);
  return state_.Port;
}
void TestSerialTransport::SetPort(int Port) {
  std::lock_guard lock(state_.Mutex);
  state_.Port = Port;
}
int TestSerialTransport::GetBaud() const {
  std::lock_guard lock(state_.Mutex);
  return state_.Baud;
}
void TestSerialTransport::SetBaud(int Baud) {
  std::lock_guard lock(state_.Mutex);
  state_.Baud = Baud;
}
void TestSerialTransport::SetDataBitsIndex(int Index) {
  std::lock_guard lock(state_.Mutex);
  state_.Indexes.assign(1, Index);
}
void TestSerialTransport::SetStopBitsIndex(int Index) {
  std::lock_guard lock(state_.Mutex);
  state_.Indexes.push_back(Index);
}
void TestSerialTransport::SetParityIndex(int Index) {
  std::lock_guard lock(state_.Mutex);
  state_.Indexes.push_back(Index);
}
void TestSerialTransport::SetFlowIndex(int Index) {
  std::lock_guard lock(state_.Mutex);
  state_.Indexes.push_back(Index);
}
void TestSerialTransport::Open() {
  std::lock_guard lock(state_.Mutex);
  state_.Open = !state_.RefuseOpen && state_.Port > 0;
}
void TestSerialTransport::Close() {
  std::lock_guard lock(state_.Mutex);
  state_.Open = false;
}
bool TestSerialTransport::IsOpen() const {
  std::lock_guard lock(state_.Mutex);
  return state_.Open;
}
void TestSerialTransport::Purge() {
  std::lock_guard lock(state_.Mutex);
  ++state_.Purges;
}
bool TestSerialTransport::WriteString(std::string_view S) {
  std::lock_guard lock(state_.Mutex);
  if (state_.FailWrites) return false;
  state_.Written.emplace_back(S);
  return true;
}
void TestSerialTransport::SetOnReceive(TComDataEvent Handler) {
  std::lock_guard lock(state_.Mutex);
  state_.OnReceive = std::move(Handler);
}

bool TestGateway::Open(int Port) {
  state_.Calls.push_back("Open");
  if (Port <= 0) return false;
  state_.Port = Port;
  state_.Connected = true;
  return true;
}
void TestGateway::Pause() {
  state_.Calls.push_back("Pause");
  state_.Connected = false;
}
void TestGateway::Resume() {
  state_.Calls.push_back("Resume");
  state_.Connected = true;
}

TestTransports::TestTransports() {
  SetSerialTransportFactory([this] { return std::make_unique<TestSerialTransport>(Serial); });
  SetGatewayTransportFactory([this] { return std::make_unique<TestGateway>(Gateway); });
}

TestTransports::~TestTransports() {
  SetSerialTransportFactory(nullptr);
  SetGatewayTransportFactory(nullptr);
}

void TestTransports::Deliver(std::string_view Bytes) {
  TComDataEvent handler;
  {
    std::lock_guard lock(Serial.Mutex);
    if (!Serial.Open) return;
    handler = Serial.OnReceive;
  }
  if (handler) handler(nullptr, reinterpret_cast<const std::uint8_t*>(Bytes.data()), static_cast<int>(Bytes.size()));
}

std::string WithChecksum(std::string_view Body) {
  std::string s = "$";
  s += Body;
  s += '*';
  s += TNMEA2KDecoder::NmeaChecksum(s, 2, static_cast<int>(s.size()) - 1);
  return s;
}

void Feed(TNMEA2KDecoder& Link, std::string_view Text) {
  Link.ParseBytes(reinterpret_cast<const std::uint8_t*>(Text.data()), static_cast<int>(Text.size()));
}

}  // namespace nmea::testing
