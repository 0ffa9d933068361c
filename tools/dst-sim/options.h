#pragma once
// dst-sim's command line.

#include <optional>
#include <string>

#include "dst_module.h"
#include "gps_receiver.h"

namespace dstsim {

struct Options {
  std::string DstName = "dst-sim";
  std::string GpsName = "gps-sim";
  bool Dst = true;
  bool Gps = true;
  double DstRate = 1.0;  // rounds per second
  double GpsRate = 1.0;
  int DstBaud = 4800;
  int GpsBaud = 4800;
  double LogFactor = 0.95;
  // Empty: beside the first port, named after it with ".control".
  std::string ControlPath;
  // Empty: no log file.
  std::string LogFile;
  bool Verbose = false;
  // Ends when standard input closes: a test that starts the simulator and
  // dies takes it along.
  bool StdinLifeline = false;
  DstSettings Module;
  GpsSettings Receiver;
};

// Nothing after printing why the command line is wrong (exitCode 2), or
// after --help (exitCode 0).
std::optional<Options> ParseOptions(int argc, char** argv, int& exitCode);

}  // namespace dstsim
