#include "support/serial_ports.h"

#include "platform/core/os/serial_ports.h"

namespace support {

bool EnumerateComPorts(TIdStringArray& Ports) {
  Ports.clear();
  try {
    for (const platform::SerialPortEntry& port : platform::ListSerialPorts()) {
      std::string display = port.Name;
      if (!port.Description.empty()) display += "  -  " + port.Description;
      Ports.push_back({static_cast<std::uint32_t>(port.Number), std::move(display)});
    }
  } catch (...) {
    Ports.clear();
  }
  return !Ports.empty();
}

std::string ComPortName(std::int32_t N) {
  if (N < 1) return {};
  try {
    return platform::SerialPortPath(N);
  } catch (...) {
    return {};
  }
}

}  // namespace support
