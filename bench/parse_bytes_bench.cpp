// Throughput of the receive path: a mixed real capture framed, checked,
// counted and stored through ParseBytes in serial-reader-sized chunks, and
// the bare exclusive-or pass over the same bytes as the floor. Also the cost
// of the system tick every decoded sentence is stamped with, beside the
// boot-time clock it follows read directly.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_parser.h"
#include "platform/core/os/clock.h"
#include "support/hashing.h"

// Counts heap allocations, so the report shows that the receive path makes
// none per sentence once its tables are built.
namespace {
std::atomic<std::int64_t> g_allocations{0};
}  // namespace

void* operator new(std::size_t Size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(Size == 0 ? 1 : Size)) return p;
  throw std::bad_alloc();
}
// The replaced operator new allocates with malloc, which the compiler cannot
// see when it pairs them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* P) noexcept { std::free(P); }
void operator delete(void* P, std::size_t) noexcept { std::free(P); }
#pragma GCC diagnostic pop

namespace {

// Every capture in the data folder, comment lines removed.
const std::string& Capture() {
  static const std::string capture = [] {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(VELTROSA_DATA_DIR "/nmea0183")) {
      if (entry.path().extension() == ".log") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::string all;
    for (const auto& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::string line;
      while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '#') continue;
        all += line;
        all += '\n';
      }
    }
    return all;
  }();
  return capture;
}

std::int64_t SentenceCount(const std::string& Text) {
  return std::count_if(Text.begin(), Text.end(), [](char C) { return C == '$' || C == '!'; });
}

// Sentences of the capture that a handler decodes and stores; the others
// are only framed, checked and counted.
std::int64_t DecodedCount(const std::string& Text) {
  std::int64_t decoded = 0;
  for (std::size_t at = Text.find_first_of("$!"); at != std::string::npos; at = Text.find_first_of("$!", at + 1)) {
    const std::size_t end = Text.find_first_of("\r\n$!", at + 1);
    const std::string_view s = std::string_view(Text).substr(at, end == std::string::npos ? end : end - at);
    if (s.size() <= 5) continue;
    std::string id;
    const bool proprietary = s[1] == 'P' || s[1] == 'p';
    for (const char c : proprietary ? s.substr(2, s.find_first_of(",*") - 2) : s.substr(3, 3)) {
      id += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    const auto key = static_cast<std::uint32_t>(support::StringHashEx(id));
    if (nmea::FindSentenceHandler(proprietary, key) != nullptr) ++decoded;
  }
  return decoded;
}

void BM_ParseBytes(benchmark::State& State) {
  const std::string& capture = Capture();
  const auto chunk = static_cast<std::size_t>(State.range(0));
  nmea::TNMEA2KDecoder link;
  link.StreamMode = nmea::kStreamText;
  link.VerifyChecksum = true;
  link.CollectStatistics = true;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(capture.data());
  // One pass first fills the statistics and the stores.
  link.ParseBytes(bytes, static_cast<int>(std::min<std::size_t>(chunk, capture.size())));
  for (std::size_t at = 0; at < capture.size(); at += chunk) {
    link.ParseBytes(bytes + at, static_cast<int>(std::min(chunk, capture.size() - at)));
  }
  const std::int64_t allocationsBefore = g_allocations.load();
  for (auto _ : State) {
    for (std::size_t at = 0; at < capture.size(); at += chunk) {
      link.ParseBytes(bytes + at, static_cast<int>(std::min(chunk, capture.size() - at)));
    }
    benchmark::DoNotOptimize(link.NMEAData.LastUpdateTick);
  }
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * capture.size()));
  const auto sentences = static_cast<double>(SentenceCount(capture) * State.iterations());
  State.counters["allocs/sentence"] = static_cast<double>(g_allocations.load() - allocationsBefore) / sentences;
  State.counters["decoded/s"] =
      benchmark::Counter(static_cast<double>(DecodedCount(capture) * State.iterations()), benchmark::Counter::kIsRate);
  State.counters["sentences/s"] =
      benchmark::Counter(static_cast<double>(SentenceCount(capture) * State.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParseBytes)->Arg(6)->Arg(64)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_XorFloor(benchmark::State& State) {
  const std::string& capture = Capture();
  for (auto _ : State) {
    unsigned sum = 0;
    for (const char c : capture) sum ^= static_cast<unsigned char>(c);
    benchmark::DoNotOptimize(sum);
  }
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * capture.size()));
}
BENCHMARK(BM_XorFloor)->Unit(benchmark::kMillisecond);

void BM_SystemTick(benchmark::State& State) {
  for (auto _ : State) benchmark::DoNotOptimize(platform::GetTickCount());
}
BENCHMARK(BM_SystemTick);

void BM_BootTimeClock(benchmark::State& State) {
  for (auto _ : State) {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    benchmark::DoNotOptimize(ts);
  }
}
BENCHMARK(BM_BootTimeClock);

}  // namespace

BENCHMARK_MAIN();
