// The user-interface thread's work with both channels streaming at 115200
// baud from the simulated module and GPS receiver (both lines kept full):
// - the main timer's tick, wall time per tick (mean and longest), which
//   includes showing the received text in the two monitors;
// - that monitor update on its own, per tick;
// - the share of a core the user-interface thread and the whole program
//   take.
// The program runs as it does for the user: its own settings store, the
// main window shown, both ports chosen, the module identified and asked
// for its tables by the exchange.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "app/program.h"
#include "client/dst_sim_client.h"
#include "platform/core/window_system/queue.h"
#include "widetext/standard/combo_box.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(clockid_t ClockId) {
  timespec t{};
  ::clock_gettime(ClockId, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The program with both channels on the simulator's lines at 115200 baud.
struct StreamingProgram {
  std::filesystem::path Config;
  std::unique_ptr<dstsim::DstSimProcess> Sim;
  std::atomic<long long> Chunks{0};

  StreamingProgram() {
    char pattern[] = "/tmp/veltrosa-bench-XXXXXX";
    Config = ::mkdtemp(pattern);
    ::setenv("XDG_CONFIG_HOME", Config.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Sim = std::make_unique<dstsim::DstSimProcess>(dstsim::DstSimProcess::Options{
        .Arguments = {"--dst-baud", "115200", "--gps-baud", "115200", "--dst-rate", "50", "--gps-rate", "50"}});
    std::filesystem::create_directories(Config / "veltrosa");
    std::ofstream(Config / "veltrosa" / "registry.reg")
        << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n"
        << std::hex << "\"DSTComPort\"=dword:" << Sim->DstPort() << "\n\"DSTBaudRate\"=dword:" << 115200
        << "\n\"GPSComPort\"=dword:" << Sim->GpsPort() << "\n\"GPSBaudRate\"=dword:" << 115200 << "\n";
  }

  ~StreamingProgram() {
    app::FreeProgramWindows();
    platform::Application->ProcessMessages();
    Sim.reset();
    std::error_code ignored;
    std::filesystem::remove_all(Config, ignored);
  }

  void Start() {
    app::CreateProgramWindows();
    // The module's list stops at 38400; its line runs at full speed here.
    app::MainForm->CmbDstBaud->GetItems().Add(u"115200");
    app::MainForm->Show();
    platform::Application->ProcessMessages();
    for (nmea::TNMEA2KDecoder* link : {app::MainForm->DstLink.get(), app::MainForm->GpsLink.get()}) {
      link->SetReceiveEnabled(false);
      link->OnReceive = [this, show = link->OnReceive](platform::TObject* Sender, std::string_view Text) {
        ++Chunks;
        show(Sender, Text);
      };
      link->SetReceiveEnabled(true);
    }
  }

  static void Run(Clock::duration Length) {
    const Clock::time_point until = Clock::now() + Length;
    while (Clock::now() < until) {
      platform::WaitMessage(50);
      platform::Application->ProcessMessages();
    }
  }
};

void BM_UserInterfaceWithBothChannelsAt115200(benchmark::State& State) {
  for (auto _ : State) {
    StreamingProgram program;
    program.Start();
    app::TMainForm& form = *app::MainForm;
    long long ticks = 0;
    double tickWall = 0;
    double tickLongest = 0;
    double monitorWall = 0;
    form.MainTimer->SetEnabled(false);
    // The tick as the program runs it, its monitor update timed apart.
    form.MainTimer->OnTimer = [&](platform::TObject* Sender) {
      const Clock::time_point start = Clock::now();
      form.ShowReceivedText();
      const Clock::time_point shown = Clock::now();
      form.MainTimerTick(Sender);
      const double wall = std::chrono::duration<double>(Clock::now() - start).count();
      monitorWall += std::chrono::duration<double>(shown - start).count();
      tickWall += wall;
      tickLongest = std::max(tickLongest, wall);
      ++ticks;
    };
    form.MainTimer->SetEnabled(true);
    // The module is identified and its tables read meanwhile.
    StreamingProgram::Run(std::chrono::seconds(2));
    ticks = 0;
    tickWall = tickLongest = monitorWall = 0;
    program.Chunks = 0;

    const double uiBefore = Seconds(CLOCK_THREAD_CPUTIME_ID);
    const double processBefore = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const Clock::time_point start = Clock::now();
    StreamingProgram::Run(std::chrono::seconds(5));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double uiCpu = Seconds(CLOCK_THREAD_CPUTIME_ID) - uiBefore;
    const double processCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - processBefore;
    const auto chunks = static_cast<double>(program.Chunks.load());

    State.SetIterationTime(wall);
    const double perTick = ticks ? 1000.0 / static_cast<double>(ticks) : 0;
    State.counters["ticks"] = static_cast<double>(ticks);
    State.counters["tick_ms_mean"] = perTick * tickWall;
    State.counters["tick_ms_longest"] = 1000.0 * tickLongest;
    State.counters["monitor_update_ms_mean"] = perTick * monitorWall;
    State.counters["chunks_per_s"] = chunks / wall;
    State.counters["ui_core_percent"] = 100.0 * uiCpu / wall;
    State.counters["process_core_percent"] = 100.0 * processCpu / wall;
    State.counters["module_identified"] = form.DstReady ? 1 : 0;
  }
}
BENCHMARK(BM_UserInterfaceWithBothChannelsAt115200)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
