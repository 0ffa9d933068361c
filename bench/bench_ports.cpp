#include "bench/bench_ports.h"

#include <stdlib.h>

#include <cerrno>
#include <fstream>
#include <system_error>

#include "platform/core/os/serial_ports.h"

BenchPorts::BenchPorts() {
  char pattern[] = "/tmp/veltrosa-bench-XXXXXX";
  if (!::mkdtemp(pattern))
    throw std::system_error(errno, std::generic_category(), "cannot make the benchmark's folder");
  Folder = pattern;
  ::setenv("XDG_CONFIG_HOME", (Folder / "config").c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", Folder.c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Dst = std::make_unique<platform::PseudoTerminal>();
  Gps = std::make_unique<platform::PseudoTerminal>();
  Dst->Publish("bench-dst");
  Gps->Publish("bench-gps");
  std::filesystem::create_directories(Folder / "config" / "veltrosa");
  std::ofstream(Settings()) << "Windows Registry Editor Version 5.00\n\n"
                            << "[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n"
                            << "\"DSTComPort\"=dword:" << std::hex << platform::SerialPortNumber("bench-dst", true)
                            << "\n\"DSTBaudRate\"=dword:12c0\n"
                            << "\"GPSComPort\"=dword:" << platform::SerialPortNumber("bench-gps", true) << "\n";
}

BenchPorts::~BenchPorts() {
  Dst.reset();
  Gps.reset();
  std::error_code ignored;
  std::filesystem::remove_all(Folder, ignored);
}
