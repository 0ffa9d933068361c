#pragma once
// The serial port as the link endpoint drives it. The serial port wrapper
// implements this; tests put their own transport in through the factory.

#include <functional>
#include <memory>
#include <string_view>

#include "nmea/link/text_event.h"

namespace nmea {

class ISerialTransport {
 public:
  virtual ~ISerialTransport() = default;

  virtual int GetPort() const = 0;
  virtual void SetPort(int Port) = 0;
  virtual int GetBaud() const = 0;
  virtual void SetBaud(int Baud) = 0;
  // Indexes into "8765" data bits, "1" "1.5" "2" stop bits, "NOEMS" parity,
  // and none, software, hardware, both flow control.
  virtual void SetDataBitsIndex(int Index) = 0;
  virtual void SetStopBitsIndex(int Index) = 0;
  virtual void SetParityIndex(int Index) = 0;
  virtual void SetFlowIndex(int Index) = 0;

  // Open, Close, Purge and the settings belong to one thread; WriteString
  // and IsOpen may run on another, and Close cuts a write in progress short.
  virtual void Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Discards what is queued for reading and writing.
  virtual void Purge() = 0;
  // True when every byte was written.
  virtual bool WriteString(std::string_view S) = 0;
  // Set or cleared from the caller's thread while the reader thread may be
  // delivering; once this returns with an empty event, no delivery to the
  // old handler starts.
  virtual void SetOnReceive(TComDataEvent Handler) = 0;
};

using SerialTransportFactory = std::function<std::unique_ptr<ISerialTransport>()>;

// The transport an endpoint creates when it opens a serial link: the one
// from the installed factory, else the platform's serial port. May be null
// where no serial port exists; the endpoint then stays closed.
std::unique_ptr<ISerialTransport> CreateSerialTransport();

// The platform's serial port (defined beside the port wrapper).
std::unique_ptr<ISerialTransport> MakeDefaultSerialTransport();

// Replaces the factory process-wide; an empty factory restores the default.
// Install it before endpoints open.
void SetSerialTransportFactory(SerialTransportFactory Factory);

}  // namespace nmea
