// The program's start and its quiet running, as the user meets them:
// - from the process start to the main window shown and painted;
// - the share of a core it takes with both ports open and nothing arriving;
// - its resident memory with the window up and both channels open.
// Each runs in a settings store and virtual port folder of its own, with
// both channels' ports published as pseudo-terminals.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/main_form.h"
#include "app/program.h"
#include "bench/bench_ports.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace {

using Clock = std::chrono::steady_clock;

// Seconds since the process started, from the kernel's own record.
double SecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream rest(text.substr(close + 2));
  std::string field;
  unsigned long long start = 0;
  // Field 22 (starttime) is the 20th after the command's closing bracket.
  for (int i = 3; i <= 22 && rest >> field; ++i) {
    if (i == 22) start = std::stoull(field);
  }
  double uptime = 0;
  std::ifstream("/proc/uptime") >> uptime;
  return uptime - static_cast<double>(start) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// The program as it runs: its own settings and ports, the main window shown.
struct Program {
  ~Program() {
    app::FreeProgramWindows();
    platform::Application->ProcessMessages();
  }

  // The program entry's steps up to the main window painted on the screen.
  void Start() {
    app::CreateProgramWindows();
    app::MainForm->Show();
    platform::Application->ProcessMessages();
    benchmark::DoNotOptimize(platform::ui::Grab(app::MainForm->Handle()));
  }

  BenchPorts Ports;
};

void BM_StartToPaintedMainWindow(benchmark::State& State) {
  for (auto _ : State) {
    Program program;
    const auto start = Clock::now();
    const double beforeStart = SecondsSinceProcessStart();
    program.Start();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    State.SetIterationTime(seconds);
    State.counters["from_process_start_s"] = beforeStart + seconds;
    State.counters["both_ports_open"] = app::MainForm->DstLink->IsOpen() && app::MainForm->GpsLink->IsOpen() ? 1 : 0;
  }
}
BENCHMARK(BM_StartToPaintedMainWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The message loop as the program runs it, for two seconds of nothing
// arriving on either port.
void BM_IdleWithBothPortsOpen(benchmark::State& State) {
  for (auto _ : State) {
    Program program;
    program.Start();
    const double cpuBefore = CpuSeconds();
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(2)) {
      platform::WaitMessage(50);
      platform::Application->ProcessMessages();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    State.SetIterationTime(wall);
    State.counters["core_percent"] = 100.0 * (CpuSeconds() - cpuBefore) / wall;
    State.counters["resident_MB"] = ResidentMegabytes();
    State.counters["both_ports_open"] = app::MainForm->DstLink->IsOpen() && app::MainForm->GpsLink->IsOpen() ? 1 : 0;
  }
}
BENCHMARK(BM_IdleWithBothPortsOpen)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
