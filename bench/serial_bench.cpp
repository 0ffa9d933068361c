// CPU cost of an open serial port: idle, and under continuous input at
// 115200 baud. Runs over a pseudo-terminal published as a virtual port.
// Counters: cpu_percent is the process's (idle) or the reader thread's
// (streaming) CPU time as a share of one core over the measured time.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <pthread.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "nmea/serial/serial_port.h"
#include "platform/core/os/pseudo_terminal.h"
#include "platform/core/os/serial_ports.h"

namespace {

using namespace std::chrono_literals;

double Seconds(clockid_t clock) {
  timespec ts{};
  ::clock_gettime(clock, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

void UsePrivatePortFolder() {
  static const bool done = [] {
    char pattern[] = "/tmp/veltrosa-bench-XXXXXX";
    if (::mkdtemp(pattern) != nullptr) ::setenv("XDG_RUNTIME_DIR", pattern, 1);
    return true;
  }();
  (void)done;
}

struct OpenPort {
  explicit OpenPort(int baud) {
    UsePrivatePortFolder();
    pty.Publish("bench");
    port.SetPort(platform::SerialPortNumber("bench", true));
    port.SetBaud(baud);
    port.SetOnReceive([this](platform::TObject*, const std::uint8_t*, int count) {
      bytes.fetch_add(count, std::memory_order_relaxed);
      chunks.fetch_add(1, std::memory_order_relaxed);
    });
    port.Open();
  }
  platform::PseudoTerminal pty;
  nmea::TSComPort port;
  std::atomic<long> bytes{0};
  std::atomic<long> chunks{0};
};

void BM_IdleOpenPort(benchmark::State& state) {
  OpenPort open(4800);
  if (!open.port.IsOpen()) {
    state.SkipWithError(open.port.LastError().c_str());
    return;
  }
  double cpu = 0;
  double wall = 0;
  for (auto _ : state) {
    const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double wall0 = Seconds(CLOCK_MONOTONIC);
    std::this_thread::sleep_for(1s);
    cpu += Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    wall += Seconds(CLOCK_MONOTONIC) - wall0;
  }
  state.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleOpenPort)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReaderAt115200Baud(benchmark::State& state) {
  OpenPort open(115200);
  if (!open.port.IsOpen()) {
    state.SkipWithError(open.port.LastError().c_str());
    return;
  }
  // A GPS-like stream: 72-byte sentences paced to fill the line, 11520
  // bytes per second.
  const std::string sentence = "$GPRMC,102030.45,A,4343.0020,N,01024.0023,E,6.0,90.0,061226,,,A*6F\r\n";
  const auto period = std::chrono::microseconds(1000000 * static_cast<long>(sentence.size()) / 11520);
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    auto next = std::chrono::steady_clock::now();
    while (!stop.load()) {
      std::size_t done = 0;
      while (done < sentence.size()) {
        const ssize_t n = ::write(open.pty.MasterFd(), sentence.data() + done, sentence.size() - done);
        if (n > 0) {
          done += static_cast<std::size_t>(n);
        } else {
          pollfd p{open.pty.MasterFd(), POLLOUT, 0};
          ::poll(&p, 1, 10);
        }
      }
      next += period;
      std::this_thread::sleep_until(next);
    }
  });
  clockid_t writerClock{};
  ::pthread_getcpuclockid(writer.native_handle(), &writerClock);

  double cpu = 0;
  double wall = 0;
  long bytes0 = 0;
  for (auto _ : state) {
    std::this_thread::sleep_for(200ms);  // the stream settles
    bytes0 = open.bytes.load();
    const long chunks0 = open.chunks.load();
    const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double main0 = Seconds(CLOCK_THREAD_CPUTIME_ID);
    const double wall0 = Seconds(CLOCK_MONOTONIC);
    const double writer0 = Seconds(writerClock);
    std::this_thread::sleep_for(2s);
    // The process minus the feeding thread and this one: what the reader
    // thread spent.
    cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0 - (Seconds(writerClock) - writer0) -
          (Seconds(CLOCK_THREAD_CPUTIME_ID) - main0);
    wall = Seconds(CLOCK_MONOTONIC) - wall0;
    state.counters["chunks_per_second"] = (open.chunks.load() - chunks0) / wall;
    state.counters["bytes_per_second"] = (open.bytes.load() - bytes0) / wall;
  }
  stop = true;
  writer.join();
  state.counters["cpu_percent"] = 100.0 * std::max(cpu, 0.0) / wall;
}
BENCHMARK(BM_ReaderAt115200Baud)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
