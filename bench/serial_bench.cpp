// CPU cost of an open serial port: idle, and under continuous input at
// 115200 baud; and what a link endpoint loses of such a stream while another
// thread holds its lock. Runs over a pseudo-terminal published as a virtual
// port. Counters: cpu_percent is the process's (idle) or the reader
// thread's (streaming) CPU time as a share of one core over the measured
// time; loss_ratio the share of sentences sent that never reached the
// endpoint's parser; worst_handover_ms the longest the reader thread spent
// handing one chunk to the endpoint, which is its wait for the lock.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <pthread.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "nmea/link/endpoint.h"
#include "nmea/serial/serial_port.h"
#include "nmea/serial/serial_transport.h"
#include "platform/core/os/pseudo_terminal.h"
#include "platform/core/os/serial_ports.h"

namespace {

using namespace std::chrono_literals;

double Seconds(clockid_t Clock) {
  timespec ts{};
  ::clock_gettime(Clock, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

// A folder of this run for the virtual ports, removed when the run ends.
class PortFolder {
 public:
  PortFolder() {
    char pattern[] = "/tmp/veltrosa-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return;
    path_ = pattern;
    ::setenv("XDG_RUNTIME_DIR", pattern, 1);
  }
  ~PortFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  PortFolder(const PortFolder&) = delete;
  PortFolder& operator=(const PortFolder&) = delete;

 private:
  std::string path_;
};

void UsePrivatePortFolder() { static const PortFolder folder; }

// Writes all of bytes to the master side, waiting while the line is full.
void WriteAll(int Fd, const std::string& Bytes) {
  std::size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t n = ::write(Fd, Bytes.data() + done, Bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else {
      pollfd p{Fd, POLLOUT, 0};
      ::poll(&p, 1, 10);
    }
  }
}

struct OpenPort {
  explicit OpenPort(int Baud) {
    UsePrivatePortFolder();
    Pty.Publish("bench");
    Port.SetPort(platform::SerialPortNumber("bench", true));
    Port.SetBaud(Baud);
    Port.SetOnReceive([this](platform::TObject*, const std::uint8_t*, int Count) {
      Bytes.fetch_add(Count, std::memory_order_relaxed);
      Chunks.fetch_add(1, std::memory_order_relaxed);
    });
    Port.Open();
  }
  platform::PseudoTerminal Pty;
  nmea::TSComPort Port;
  std::atomic<long> Bytes{0};
  std::atomic<long> Chunks{0};
};

void BM_IdleOpenPort(benchmark::State& State) {
  OpenPort open(4800);
  if (!open.Port.IsOpen()) {
    State.SkipWithError(open.Port.LastError().c_str());
    return;
  }
  double cpu = 0;
  double wall = 0;
  for (auto _ : State) {
    const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double wall0 = Seconds(CLOCK_MONOTONIC);
    std::this_thread::sleep_for(1s);
    cpu += Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    wall += Seconds(CLOCK_MONOTONIC) - wall0;
  }
  State.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleOpenPort)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReaderAt115200Baud(benchmark::State& State) {
  OpenPort open(115200);
  if (!open.Port.IsOpen()) {
    State.SkipWithError(open.Port.LastError().c_str());
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
      WriteAll(open.Pty.MasterFd(), sentence);
      next += period;
      std::this_thread::sleep_until(next);
    }
  });
  clockid_t writerClock{};
  ::pthread_getcpuclockid(writer.native_handle(), &writerClock);

  double cpu = 0;
  double wall = 0;
  long bytes0 = 0;
  for (auto _ : State) {
    std::this_thread::sleep_for(200ms);  // the stream settles
    bytes0 = open.Bytes.load();
    const long chunks0 = open.Chunks.load();
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
    State.counters["chunks_per_second"] = (open.Chunks.load() - chunks0) / wall;
    State.counters["bytes_per_second"] = (open.Bytes.load() - bytes0) / wall;
  }
  stop = true;
  writer.join();
  State.counters["cpu_percent"] = 100.0 * std::max(cpu, 0.0) / wall;
}
BENCHMARK(BM_ReaderAt115200Baud)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The platform's serial port, timing each hand-over of a chunk to the
// endpoint on the reader thread.
class TimedPort : public nmea::ISerialTransport {
 public:
  explicit TimedPort(std::atomic<std::int64_t>& WorstNs) : worstNs_(WorstNs) {}
  int GetPort() const override { return port_.GetPort(); }
  void SetPort(int Port) override { port_.SetPort(Port); }
  int GetBaud() const override { return port_.GetBaud(); }
  void SetBaud(int Baud) override { port_.SetBaud(Baud); }
  void SetDataBitsIndex(int Index) override { port_.SetDataBitsIndex(Index); }
  void SetStopBitsIndex(int Index) override { port_.SetStopBitsIndex(Index); }
  void SetParityIndex(int Index) override { port_.SetParityIndex(Index); }
  void SetFlowIndex(int Index) override { port_.SetFlowIndex(Index); }
  void Open() override { port_.Open(); }
  void Close() override { port_.Close(); }
  bool IsOpen() const override { return port_.IsOpen(); }
  void Purge() override { port_.Purge(); }
  bool WriteString(std::string_view S) override { return port_.WriteString(S); }
  void SetOnReceive(nmea::TComDataEvent Handler) override {
    if (!Handler) {
      port_.SetOnReceive(nullptr);
      return;
    }
    port_.SetOnReceive([this, Handler](platform::TObject* Sender, const std::uint8_t* Data, int Count) {
      const auto start = std::chrono::steady_clock::now();
      Handler(Sender, Data, Count);
      const std::int64_t ns =
          std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
      std::int64_t worst = worstNs_.load();
      while (ns > worst && !worstNs_.compare_exchange_weak(worst, ns)) {
      }
    });
  }

 private:
  nmea::TSComPort port_;
  std::atomic<std::int64_t>& worstNs_;
};

void BM_EndpointWhileLockHeld(benchmark::State& State) {
  UsePrivatePortFolder();
  const auto heldMs = std::chrono::milliseconds(State.range(0));
  platform::PseudoTerminal pty;
  pty.Publish("bench-link");
  std::atomic<std::int64_t> worstNs{0};
  nmea::SetSerialTransportFactory([&worstNs] { return std::make_unique<TimedPort>(worstNs); });
  nmea::TNMEA2KDecoder link;
  const std::string sentence = "$GPRMC,102030.45,A,4343.0020,N,01024.0023,E,6.0,90.0,061226,,,A*6F\r\n";
  // Only whole sentences count: a purge can splice two halves into one.
  std::atomic<long> parsed{0};
  link.OnRawMessage = [&parsed, whole = sentence.substr(0, sentence.size() - 2)](platform::TObject*,
                                                                                 std::string_view Text) {
    if (Text == whole) parsed.fetch_add(1);
  };
  const bool opened = link.Open(platform::SerialPortNumber("bench-link", true), 115200, nmea::kStreamText, true);
  nmea::SetSerialTransportFactory(nullptr);
  if (!opened) {
    State.SkipWithError("the virtual port did not open");
    return;
  }
  const auto period = std::chrono::microseconds(1000000 * static_cast<long>(sentence.size()) / 11520);
  long sent = 0;
  for (auto _ : State) {
    // The user-interface thread holds the lock this long of every 250 ms.
    std::mutex m;
    std::condition_variable wake;
    bool stop = false;
    std::thread holder([&] {
      std::unique_lock lock(m);
      while (!stop) {
        lock.unlock();
        {
          auto held = link.Lock();
          std::this_thread::sleep_for(heldMs);
        }
        lock.lock();
        wake.wait_for(lock, std::chrono::milliseconds(250) - heldMs, [&] { return stop; });
      }
    });
    auto next = std::chrono::steady_clock::now();
    const auto until = next + std::chrono::seconds(3);
    while (next < until) {
      WriteAll(pty.MasterFd(), sentence);
      ++sent;
      next += period;
      std::this_thread::sleep_until(next);
    }
    {
      std::lock_guard lock(m);
      stop = true;
    }
    wake.notify_all();
    holder.join();
    // The tail still on its way.
    for (int i = 0; i < 200 && parsed.load() < sent; ++i) std::this_thread::sleep_for(10ms);
  }
  link.Close();
  State.counters["sentences"] = static_cast<double>(sent);
  State.counters["loss_ratio"] = 1.0 - static_cast<double>(parsed.load()) / static_cast<double>(std::max(sent, 1L));
  State.counters["worst_handover_ms"] = static_cast<double>(worstNs.load()) / 1e6;
}
BENCHMARK(BM_EndpointWhileLockHeld)
    ->Arg(0)
    ->Arg(40)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
