#pragma once
// One serial device on Linux: open (non-blocking, exclusive), line settings
// through termios, queued byte counts, reads, writes with a bounded wait,
// purges and close. Every call reports failure by its result; LastError()
// says why in words.

#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/os/serial_settings.h"

namespace platform {

// Translates line settings into raw-mode termios. minBytes is the count of
// queued bytes that makes the device readable (1..255). Returns false, with
// the reason in error, for what termios cannot express rather than
// approximating it.
bool DcbToTermios(const DCB& Dcb, int MinBytes, termios& Tio, std::string& Error);

// Bits of SerialDevice::TakeLineErrors.
inline constexpr std::uint32_t kLineErrorRxOver = 0x01;   // the driver's buffer overflowed
inline constexpr std::uint32_t kLineErrorOverrun = 0x02;  // the UART lost a character
inline constexpr std::uint32_t kLineErrorParity = 0x04;
inline constexpr std::uint32_t kLineErrorFrame = 0x08;
inline constexpr std::uint32_t kLineErrorBreak = 0x10;

enum class SerialProbe : std::uint16_t { Busy = 0, Available = 1, Absent = 2 };

// Whether the device at path exists and could be opened exclusively now.
SerialProbe ProbeSerialDevice(const std::string& Path);

class SerialDevice {
 public:
  SerialDevice() = default;
  ~SerialDevice();
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;

  // Opens without waiting for carrier and takes an exclusive lock, so a
  // second opener (this process or another) is refused.
  bool Open(const std::string& Path);
  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  void Close();

  // Applies the settings; on refusal the device keeps its previous ones.
  bool Configure(const DCB& Dcb, int MinBytes);

  int QueuedInput() const;
  int QueuedOutput() const;
  // Line errors since the last call, as kLineError* bits; devices that keep
  // no error counters (pseudo-terminals) report none.
  std::uint32_t TakeLineErrors();
  // Bytes read (possibly 0 when nothing is queued), or -1 on an error.
  long Read(void* Buffer, std::size_t Count);
  // Writes all bytes, waiting at most timeoutMs for the device to take them;
  // gives up at once when cancelFd (when not negative) becomes readable.
  bool Write(const void* Data, std::size_t Count, int TimeoutMs, int CancelFd = -1);
  void Purge(bool Input, bool Output);

  const std::string& LastError() const { return lastError_; }

 private:
  bool Fail(std::string What);

  int fd_ = -1;
  std::string lastError_;
  // The driver's error counters at the last TakeLineErrors.
  int counted_[5] = {};
};

}  // namespace platform
