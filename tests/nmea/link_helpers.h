#pragma once
// A serial transport and a gateway that live in memory, installed as the
// endpoint's factories for the life of a TestTransports object.

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "nmea/endpoint.h"
#include "nmea/gateway_transport.h"
#include "nmea/serial_transport.h"

namespace nmea::testing {

struct SerialState {
  std::mutex Mutex;
  int Port = 0;
  int Baud = 0;
  std::vector<int> Indexes;  // data, stop, parity, flow as last set
  bool Open = false;
  bool RefuseOpen = false;
  bool FailWrites = false;
  int Purges = 0;
  std::vector<std::string> Written;
  TComDataEvent OnReceive;
};

class TestSerialTransport : public ISerialTransport {
 public:
  explicit TestSerialTransport(SerialState& state) : state_(state) {}
  int GetPort() const override;
  void SetPort(int Port) override;
  int GetBaud() const override;
  void SetBaud(int Baud) override;
  void SetDataBitsIndex(int Index) override;
  void SetStopBitsIndex(int Index) override;
  void SetParityIndex(int Index) override;
  void SetFlowIndex(int Index) override;
  void Open() override;
  void Close() override;
  bool IsOpen() const override;
  void Purge() override;
  bool WriteString(std::string_view S) override;
  void SetOnReceive(TComDataEvent Handler) override;

 private:
  SerialState& state_;
};

struct GatewayState {
  bool LibraryPresent = true;
  bool Connected = false;
  int Port = 0;
  std::vector<std::string> Calls;
};

class TestGateway : public IGatewayTransport {
 public:
  explicit TestGateway(GatewayState& state) : state_(state) {}
  void SetOnStatus(TNMEATextEvent) override {}
  bool LoadLibrary() override { return state_.LibraryPresent; }
  bool Open(int Port) override;
  bool IsConnected() const override { return state_.Connected; }
  int GetPort() const override { return state_.Connected ? state_.Port : -1; }
  int GetBaud() const override { return state_.Connected ? 115200 : -1; }
  void Pause() override;
  void Resume() override;
  void FlushAll() override { state_.Calls.push_back("FlushAll"); }

 private:
  GatewayState& state_;
};

// Installs both factories; every transport the endpoint creates shares the
// one state below.
class TestTransports {
 public:
  TestTransports();
  ~TestTransports();
  // Hands bytes to the endpoint the way the port's reader thread does.
  void Deliver(std::string_view Bytes);

  SerialState Serial;
  GatewayState Gateway;
};

// Text of every event of one kind, in order.
struct EventLog {
  std::mutex Mutex;
  std::vector<std::string> Lines;
  TNMEATextEvent Handler() {
    return [this](platform::TObject*, std::string_view text) {
      std::lock_guard lock(Mutex);
      Lines.emplace_back(text);
    };
  }
};

// Sentence with its checksum, without line end: "$" + Body + "*hh".
std::string WithChecksum(std::string_view Body);

// Feeds text to the endpoint's framer as one chunk.
void Feed(TNMEA2KDecoder& Link, std::string_view Text);

}  // namespace nmea::testing
