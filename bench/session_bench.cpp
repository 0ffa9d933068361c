// What the user sees of the monitors and of the program's end:
// - from a line written to the DST port to the line shown in the DST
//   monitor, on the screen part of it (the monitor is shown by the main
//   timer's tick, every 250 ms), with the monitor already long and
//   scrolled;
// - from SIGTERM to the end of the program (the real executable, with both
//   ports open and the main timer running), its exit status and whether it
//   wrote its settings on the way out.
// Each runs in a settings store and virtual port folder of its own, with
// the ports published as pseudo-terminals.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/program.h"
#include "bench/bench_ports.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "widetext/standard/memo.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration D) { return std::chrono::duration<double, std::milli>(D).count(); }

void WriteAll(int Fd, std::string_view Text) {
  while (!Text.empty()) {
    const ssize_t n = ::write(Fd, Text.data(), Text.size());
    if (n > 0) {
      Text.remove_prefix(static_cast<std::size_t>(n));
    } else {
      pollfd p{Fd, POLLOUT, 0};
      ::poll(&p, 1, 50);
    }
  }
}

// The newest line of the monitor, when it is on the screen part of it.
QString NewestShownLine(QPlainTextEdit& Edit) {
  QTextBlock newest = Edit.document()->lastBlock();
  while (newest.isValid() && newest.text().isEmpty()) newest = newest.previous();
  if (!newest.isValid() || !Edit.viewport()->rect().contains(Edit.cursorRect(QTextCursor(newest)).center())) {
    return {};
  }
  return newest.text();
}

void BM_NewestLineShownInTheMonitor(benchmark::State& State) {
  for (auto _ : State) {
    BenchPorts ports;
    app::CreateProgramWindows();
    app::MainForm->Show();
    platform::Application->ProcessMessages();
    auto& edit = *qobject_cast<QPlainTextEdit*>(platform::ui::WidgetOf(app::MainForm->MemoDST->Handle()));
    const int master = ports.Dst->MasterFd();
    std::vector<double> latencies;
    for (int i = 0; i < 540; ++i) {
      const std::string line = "$SDDBT,11.2,f,3.41,M,1.86,F," + std::to_string(i) + "*00";
      // Five hundred lines first, as a busy channel fills its monitor; then
      // each line at another point of the timer's period.
      if (i >= 500) {
        const Clock::time_point from = Clock::now();
        while (Clock::now() - from < std::chrono::milliseconds((i * 37) % 250)) {
          platform::WaitMessage(2);
          platform::Application->ProcessMessages();
        }
      }
      const Clock::time_point written = Clock::now();
      WriteAll(master, line + "\r\n");
      if (i < 500) continue;
      const Clock::time_point until = written + std::chrono::seconds(10);
      while (NewestShownLine(edit) != QString::fromStdString(line) && Clock::now() < until) {
        platform::WaitMessage(2);
        platform::Application->ProcessMessages();
      }
      latencies.push_back(Ms(Clock::now() - written));
    }
    const double longest = *std::max_element(latencies.begin(), latencies.end());
    double sum = 0;
    for (const double l : latencies) sum += l;
    State.SetIterationTime(sum / 1000.0);
    State.counters["shown_ms_mean"] = sum / static_cast<double>(latencies.size());
    State.counters["shown_ms_longest"] = longest;
    State.counters["ticks_longest"] = longest / 250.0;
    State.counters["first_visible_line"] = static_cast<double>(
        platform::SendMessageW(app::MainForm->MemoDST->Handle(), platform::EM_GETFIRSTVISIBLELINE, 0, 0));
    app::FreeProgramWindows();
    platform::Application->ProcessMessages();
  }
}
BENCHMARK(BM_NewestLineShownInTheMonitor)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A sentence with its checksum, as the module sends it.
std::string Sentence(std::string_view Body) {
  unsigned char sum = 0;
  for (const char c : Body) sum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
  return "$" + std::string(Body) + tail;
}

// Sends depth sentences as the module does until the program, seeing
// fresh data, asks it to identify itself.
bool WaitForIdentification(int Fd, std::chrono::seconds Deadline) {
  std::string got;
  const Clock::time_point until = Clock::now() + Deadline;
  while (got.find("$PARLRHI") == std::string::npos) {
    if (Clock::now() > until) return false;
    WriteAll(Fd, Sentence("SDDBT,11.2,f,3.41,M,1.86,F"));
    pollfd p{Fd, POLLIN, 0};
    ::poll(&p, 1, 200);
    char buffer[256];
    const ssize_t n = ::read(Fd, buffer, sizeof buffer);
    if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

void BM_EndOnSigterm(benchmark::State& State) {
  for (auto _ : State) {
    BenchPorts ports;
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::execl(VELTROSA_PROGRAM, VELTROSA_PROGRAM, static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Without a child a signal must go nowhere: kill(-1) reaches every
    // process of the user.
    if (pid < 0) {
      State.SkipWithError("cannot start the program");
      break;
    }
    // Running, its main timer ticking and its ports open.
    const bool running = WaitForIdentification(ports.Dst->MasterFd(), std::chrono::seconds(20));
    // The settings the program read at its start go; they come back only
    // from its end.
    std::filesystem::remove(ports.Settings());
    const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidFd < 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
      State.SkipWithError("cannot watch the program");
      break;
    }
    const Clock::time_point start = Clock::now();
    ::kill(pid, SIGTERM);
    pollfd p{pidFd, POLLIN, 0};
    const bool ended = ::poll(&p, 1, 20000) == 1;
    const Clock::time_point end = Clock::now();
    int status = 0;
    if (!ended) ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    ::close(pidFd);
    State.SetIterationTime(std::chrono::duration<double>(end - start).count());
    State.counters["was_running"] = running ? 1 : 0;
    State.counters["exit_status"] = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    State.counters["settings_written"] = std::filesystem::exists(ports.Settings()) ? 1 : 0;
  }
}
BENCHMARK(BM_EndOnSigterm)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
