#pragma once
// The serial port as a link endpoint sees it: a port number, a baud rate and
// four setting indexes turned into line settings; open, close, purge, write
// a string, and a receive event on the reader thread. Writes are made on the
// caller's thread, which may be another than the one that opens and closes
// the port: closing cuts a write in progress short. The reader hands over
// chunks of at least six bytes, or fewer once the line has been quiet for a
// moment.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "nmea/serial/serial_engine.h"
#include "nmea/serial/serial_transport.h"
#include "platform/core/classes/object.h"

namespace nmea {

// "baud=4800 parity=N data=8 stop=1" from the baud rate and the indexes
// into "NOEMS", "8765" and "1", "1.5", "2"; nothing for an index outside
// its list.
std::optional<std::string> BuildSettingsText(int Baud, int ParityIndex, int DataBitsIndex, int StopBitsIndex);

// The names of the parity and flow-control choices, by index.
inline constexpr std::array<std::string_view, 5> kParityNames{"None", "Odd", "Even", "Mark", "Space"};
inline constexpr std::array<std::string_view, 4> kFlowNames{"None", "Software", "Hardware", "Both"};

class TSComPort : public platform::TObject, public ISerialTransport {
 public:
  static constexpr int kRxThreshold = 6;

  // ProbePort results.
  static constexpr std::uint16_t kPortBusy = 0;
  static constexpr std::uint16_t kPortAvailable = 1;
  static constexpr std::uint16_t kPortAbsent = 2;
  static constexpr std::uint16_t kPortInvalid = 3;

  TSComPort();
  ~TSComPort() override;
  TSComPort(const TSComPort&) = delete;
  TSComPort& operator=(const TSComPort&) = delete;

  int GetPort() const override { return port_; }
  void SetPort(int Port) override { port_ = Port; }
  int GetBaud() const override { return baud_; }
  void SetBaud(int Baud) override { baud_ = Baud; }
  void SetDataBitsIndex(int Index) override { dataBitsIndex_ = Index; }
  void SetStopBitsIndex(int Index) override { stopBitsIndex_ = Index; }
  void SetParityIndex(int Index) override { parityIndex_ = Index; }
  void SetFlowIndex(int Index) override { flowIndex_ = Index; }

  // Closes, applies the settings, and opens the port when Port > 0 and the
  // settings are valid; the caller tests IsOpen, and LastError says why not.
  void Open() override;
  void Close() override;
  bool IsOpen() const override { return core_.Open(); }
  void Purge() override;
  bool WriteString(std::string_view S) override;
  void SetOnReceive(TComDataEvent Handler) override;
  std::string LastError() const;

  // 1 available, 2 absent, 0 busy or not accessible, 3 for N < 1.
  static std::uint16_t ProbePort(int N);

 private:
  void ApplySettings();
  void CoreDataReceived(const std::uint8_t* Data, int Count);

  std::atomic<bool> closing_{false};
  TComPortCore core_;
  // Held while a chunk is handed over, so replacing the handler waits for a
  // delivery in progress; recursive so the handler may replace itself.
  std::recursive_mutex receiveLock_;
  TComDataEvent onReceive_;
  int port_ = 0;
  int baud_ = 0;
  int dataBitsIndex_ = 0;
  int stopBitsIndex_ = 0;
  int parityIndex_ = 0;
  int flowIndex_ = 0;
  std::string settingsError_;
};

}  // namespace nmea
