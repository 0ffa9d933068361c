#include "nmea/serial_transport.h"

namespace nmea {

// No serial port wrapper is linked in yet: a serial link cannot open.
std::unique_ptr<ISerialTransport> MakeDefaultSerialTransport() { return nullptr; }

}  // namespace nmea
