#pragma once
// The serial ports of this machine and the numbers the program knows them
// by. A port's number follows from its device name alone, so a number stored
// in the settings finds the same device after a restart (the scheme is in
// README.md). Virtual ports are symbolic links in a per-user folder; a
// pseudo-terminal linked there stands in for a device.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct SerialPortEntry {
  std::int32_t Number = 0;
  std::string Name;         // device or link name, e.g. ttyUSB0
  std::string Path;         // what to open
  std::string Description;  // maker and product of a USB adapter; empty when unknown
  bool Virtual = false;
};

struct SerialPortRoots {
  std::string SysClassTty = "/sys/class/tty";
  std::string Dev = "/dev";
  // Empty, or a folder that is not the user's own and closed to others: no
  // virtual ports.
  std::string VirtualFolder;
};

// $XDG_RUNTIME_DIR/veltrosa/ports, or /tmp/veltrosa-<uid>/ports when the
// variable is unset. Not created here.
std::string VirtualPortFolder();
// Creates the folder (private to the user) and returns it; empty when it
// cannot be made or is not the user's own and closed to others.
std::string EnsureVirtualPortFolder();

SerialPortRoots DefaultSerialPortRoots();

// Number of a port by its name; 0 for an empty name.
std::int32_t SerialPortNumber(std::string_view Name, bool IsVirtual);

// Every device with a real driver behind it (ttyS ports without a UART are
// left out), then every virtual port, ascending by number.
std::vector<SerialPortEntry> ListSerialPorts(const SerialPortRoots& Roots = DefaultSerialPortRoots());

// The path to open for a port number; empty when the number stands for
// nothing that is present.
std::string SerialPortPath(std::int32_t Number, const SerialPortRoots& Roots = DefaultSerialPortRoots());

}  // namespace platform
