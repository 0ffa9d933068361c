// dst-sim: a DST module and a GPS receiver on pseudo-terminals, published
// as virtual serial ports for the calibration program, with a control
// socket for tests.

#include <signal.h>

#include <cstdio>
#include <optional>
#include <system_error>

#include "event_log.h"
#include "options.h"
#include "platform/core/os/serial_ports.h"
#include "simulator.h"

namespace {

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

void ShowPort(const dstsim::SerialLine* line, const char* what) {
  if (line) std::printf("%s on port \"%s\": %s\n", what, line->PortName().c_str(), line->LinkPath().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  int exitCode = 0;
  const std::optional<dstsim::Options> options = dstsim::ParseOptions(argc, argv, exitCode);
  if (!options) return exitCode;

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);

  dstsim::EventLog log;
  if (!options->LogFile.empty() && !log.OpenFile(options->LogFile)) {
    std::fprintf(stderr, "dst-sim: cannot write the log %s\n", options->LogFile.c_str());
    return 1;
  }
  if (options->Verbose) log.Echo(stdout);
  dstsim::Simulator sim(*options, log);
  try {
    sim.Start();
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "dst-sim: %s\n", e.what());
    return 1;
  }
  ShowPort(sim.Line("dst"), "DST module");
  ShowPort(sim.Line("gps"), "GPS receiver");
  // A test starts its work when it reads "ready": both ports are published
  // and the control socket answers.
  std::printf("Ports folder: %s\nControl: %s\nready\n", platform::VirtualPortFolder().c_str(),
              sim.ControlPath().c_str());
  std::fflush(stdout);
  sim.Run(g_stop);
  std::puts("dst-sim: stopped");
  return 0;
}
