#pragma once
// The serial port engine: opens and configures one port, runs a reader
// thread that wakes when bytes arrive and hands over what is queued in one
// chunk once at least RxThreshold bytes are there, or fewer once the line
// has been quiet for a moment; and writes on the caller's thread with a
// bounded wait. One engine serves one port at a time.
//
// Threads: open, close and the settings belong to one thread; WriteData may
// run on another, and closing cuts a write in progress short at once.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "nmea/link/text_event.h"
#include "platform/core/classes/object.h"
#include "platform/core/os/serial_device.h"
#include "platform/core/os/serial_settings.h"
#include "platform/core/os/wake_event.h"

namespace nmea {

// Kind 4 is an exception raised while received bytes were delivered.
using TComErrorEvent = std::function<void(platform::TObject* Sender, std::uint8_t Kind, std::exception_ptr Param)>;

class TComPortCore : public platform::TObject {
 public:
  static constexpr std::uint8_t kErrorException = 4;

  TComPortCore();
  ~TComPortCore() override;
  TComPortCore(const TComPortCore&) = delete;
  TComPortCore& operator=(const TComPortCore&) = delete;

  // Opens port N (see support::ComPortName) unless a port is open already.
  // True when this call opened it; LastError() tells why it did not.
  bool OpenComPort(int N);
  void Close();
  // The last open succeeded and the port has not been closed since.
  bool Open() const { return open_; }

  struct TComStat {
    int InQueue = 0;
    int OutQueue = 0;
  };
  // The queued byte counts; line errors seen since the last call are added
  // to CommErrors and cleared. Zero counts while the port is closed.
  void GetStatus(TComStat& Stat);
  // Line errors (platform kLineError* bits) seen since the port was opened.
  std::uint32_t CommErrors() const { return commErrors_; }

  bool PurgeRx();
  bool PurgeTx();
  // Applied at once while the port is open; settings the device refuses
  // leave it (and the stored settings) unchanged and give false.
  bool SetDCB(const platform::DCB& Dcb);
  // All Count bytes, or false; never waits longer than the time the line
  // needs for them plus a grace period, and gives up when the port closes.
  bool WriteData(const void* Data, int Count);
  std::string LastError() const;

  // Set these before opening; the reader thread reads them while it runs.
  int RxThreshold = 1;
  TComDataEvent OnDataReceived;
  // Without an error handler, an exception on the reader thread is shown
  // on the user-interface thread.
  TComErrorEvent OnError;
  // Received bytes are delivered while set, otherwise discarded.
  std::atomic<bool> ReceiveEnabled{true};

 private:
  void DoOpen();
  void CloseSequence();
  void ReaderLoop(TComErrorEvent onError, int threshold);
  // True when something was handed over or discarded. Waiting is the count
  // of queued bytes short of the threshold at the last look, and is set to
  // the count now when they are still arriving.
  bool Deliver(int threshold, int& waiting, std::string& buffer);
  void HandleException(const TComErrorEvent& onError, std::exception_ptr error);
  void SetLastError(std::string text);

  platform::SerialDevice device_;
  platform::WakeEvent stop_;
  std::thread reader_;
  platform::DCB dcb_;
  int comNumber_ = 0;
  std::atomic<bool> open_{false};
  std::atomic<bool> active_{false};
  std::atomic<std::uint32_t> commErrors_{0};
  // Guards the device's error counters between the reader and other callers.
  std::mutex portLock_;
  std::mutex writeLock_;
  mutable std::mutex errorLock_;
  std::string lastError_;
};

}  // namespace nmea
