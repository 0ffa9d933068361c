#pragma once
// A serial transport that lives in memory, installed as the endpoint's
// factory for the life of a TestTransports object.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "nmea/link/endpoint.h"
#include "nmea/serial/serial_transport.h"

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
  template <typename F>
  auto Locked(F f) const {
    std::lock_guard lock(s_.Mutex);
    return f();
  }

 public:
  explicit TestSerialTransport(SerialState& state) : s_(state) {}
  int GetPort() const override {
    return Locked([&] { return s_.Port; });
  }
  void SetPort(int Port) override {
    Locked([&] { s_.Port = Port; });
  }
  int GetBaud() const override {
    return Locked([&] { return s_.Baud; });
  }
  void SetBaud(int Baud) override {
    Locked([&] { s_.Baud = Baud; });
  }
  void SetDataBitsIndex(int Index) override {
    Locked([&] { s_.Indexes.assign(1, Index); });
  }
  void SetStopBitsIndex(int Index) override {
    Locked([&] { s_.Indexes.push_back(Index); });
  }
  void SetParityIndex(int Index) override {
    Locked([&] { s_.Indexes.push_back(Index); });
  }
  void SetFlowIndex(int Index) override {
    Locked([&] { s_.Indexes.push_back(Index); });
  }
  void Open() override {
    Locked([&] { s_.Open = !s_.RefuseOpen && s_.Port > 0; });
  }
  void Close() override {
    Locked([&] { s_.Open = false; });
  }
  bool IsOpen() const override {
    return Locked([&] { return s_.Open; });
  }
  void Purge() override {
    Locked([&] { ++s_.Purges; });
  }
  bool WriteString(std::string_view S) override {
    return Locked([&] { return !s_.FailWrites && (s_.Written.emplace_back(S), true); });
  }
  void SetOnReceive(TComDataEvent Handler) override {
    Locked([&] { s_.OnReceive = std::move(Handler); });
  }

 private:
  SerialState& s_;
};

// Installs the serial factory; every port the endpoint creates shares the
// one state below.
class TestTransports {
 public:
  TestTransports();
  ~TestTransports();
  // Hands bytes to the endpoint the way the port's reader thread does.
  void Deliver(std::string_view Bytes);

  SerialState Serial;
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
