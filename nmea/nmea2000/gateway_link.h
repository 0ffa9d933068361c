#pragma once
// The NMEA 2000 gateway link: manages one connection through the gateway
// maker's library, which is loaded at run time from the program folder. The
// link only opens, closes, pauses and resumes the connection and empties the
// library's queues; messages reach the decoder as gateway frames on a serial
// link instead.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "nmea/link/text_event.h"
#include "nmea/nmea2000/gateway_transport.h"
#include "platform/core/classes/object.h"
#include "platform/core/os/dynamic_library.h"

namespace nmea {

// File name of the gateway maker's library inside the program folder.
inline constexpr char kGatewayLibraryName[] = "libRarezoradAziri.so";

class TZeruzivizCom : public platform::TObject, public IGatewayTransport {
 public:
  // The library is looked for in LibraryFolder (with a trailing slash); by
  // default the program folder.
  TZeruzivizCom();
  explicit TZeruzivizCom(std::string LibraryFolder);
  ~TZeruzivizCom() override;
  TZeruzivizCom(const TZeruzivizCom&) = delete;
  TZeruzivizCom& operator=(const TZeruzivizCom&) = delete;

  // Loads the library and resolves its entry points; false when the library
  // or any entry point is missing.
  bool LoadLibrary() override;
  // Connects to Port at 115200 baud, creating the library handle on first
  // use; connecting to the port already connected only empties the queues.
  bool Open(int Port) override;
  void Close();
  // Closes the connection but keeps the port, for Resume.
  void Pause() override;
  void Resume() override;
  void FlushAll() override;
  // Closes and destroys every handle of the library.
  void Shutdown();

  bool IsConnected() const override;
  // Port and baud rate while connected, else -1.
  int GetPort() const override;
  int GetBaud() const override;
  void SetOnStatus(TNMEATextEvent Handler) override { OnStatus = std::move(Handler); }

  const std::string& LibraryFolder() const { return libraryFolder_; }

  // Never raised by the link itself; the endpoint attaches its status handler.
  TNMEATextEvent OnStatus;

 private:
  // The entry points in the order they are resolved.
  enum Entry : std::size_t {
    kCreate,
    kDestroy,
    kDestroyAll,
    kOpen,
    kClose,
    kN2kFlushRx,
    kN2kFlushTx,
    kBinFlushRx,
    kBinFlushTx,
    kN2kSetRxCallback,
    kN2kWrite,
    kN2kRead,
    kN2kGetRxQSize,
    kCommandGetTotalTime,
    kEntryCount
  };

  void ClearEntryPoints();
  bool LoadDll();
  // Calls a resolved entry point that takes the handle alone; errors raised by
  // the library are discarded.
  void CallWithHandle(Entry Point);
  bool HandleValid() const { return handle_ != 0; }

  platform::DynamicLibrary module_;
  std::int32_t handle_ = 0;
  std::int32_t port_ = 0;
  std::int32_t baud_ = 115200;
  std::array<void*, kEntryCount> entries_{};
  bool connected_ = false;
  std::string libraryFolder_;
};

}  // namespace nmea
