#pragma once
// The serial port list the user chooses from, and the device behind a port
// number. Numbers are those of platform/core/os/serial_ports.h: the same device
// name always gives the same number.

#include <cstdint>
#include <string>

#include "support/arrays.h"

namespace support {

// Ascending by Id (the port number). Str is the device name, followed by
// "  -  " and the description when the device has one (a USB adapter's
// maker and product, "virtual port" for a linked pseudo-terminal). True
// when at least one port was found; never throws.
bool EnumerateComPorts(TIdStringArray& Ports);

// The device path to open for port N; empty for N < 1 or a number that
// stands for no present device.
std::string ComPortName(std::int32_t N);

}  // namespace support
