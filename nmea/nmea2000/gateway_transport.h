#pragma once
// The NMEA 2000 gateway link as the endpoint drives it. It only manages the
// connection; its frames arrive through a serial link in binary mode.

#include <functional>
#include <memory>

#include "nmea/link/text_event.h"

namespace nmea {

class IGatewayTransport {
 public:
  virtual ~IGatewayTransport() = default;

  virtual void SetOnStatus(TNMEATextEvent Handler) = 0;
  // Loads the gateway maker's library; false when it or an entry point is
  // missing.
  virtual bool LoadLibrary() = 0;
  virtual bool Open(int Port) = 0;
  virtual bool IsConnected() const = 0;
  // -1 while not connected.
  virtual int GetPort() const = 0;
  virtual int GetBaud() const = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  virtual void FlushAll() = 0;
};

using GatewayTransportFactory = std::function<std::unique_ptr<IGatewayTransport>()>;

// The gateway an endpoint creates: the one from the installed factory, else
// the default gateway link. May be null; the endpoint then stays closed.
std::unique_ptr<IGatewayTransport> CreateGatewayTransport();

// The platform's gateway link (defined beside the gateway link).
std::unique_ptr<IGatewayTransport> MakeDefaultGatewayTransport();

void SetGatewayTransportFactory(GatewayTransportFactory Factory);

}  // namespace nmea
