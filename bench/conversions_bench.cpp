// The field conversions and key hashes the sentence decoder runs on every
// field of every received sentence, over the fields of real captures.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/conversions.h"
#include "support/hashing.h"

namespace {

// Every comma-separated field of every sentence line in the captures, each
// text with a decimal point also once with a decimal comma.
const std::vector<std::string>& CaptureFields() {
  static const std::vector<std::string> fields = [] {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(VELTROSA_DATA_DIR "/nmea0183")) {
      if (entry.path().extension() != ".log") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::string line;
      while (std::getline(in, line)) {
        if (line.empty() || (line[0] != '$' && line[0] != '!')) continue;
        const std::size_t star = line.find('*');
        const std::string body = line.substr(1, star == std::string::npos ? std::string::npos : star - 1);
        std::size_t from = 0;
        for (std::size_t comma = body.find(',');; comma = body.find(',', from)) {
          out.push_back(body.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
          if (out.back().find('.') != std::string::npos) {
            std::string withComma = out.back();
            withComma[withComma.find('.')] = ',';
            out.push_back(withComma);
          }
          if (comma == std::string::npos) break;
          from = comma + 1;
        }
      }
    }
    return out;
  }();
  return fields;
}

std::int64_t TotalBytes(const std::vector<std::string>& Fields) {
  std::int64_t bytes = 0;
  for (const auto& f : Fields) bytes += static_cast<std::int64_t>(f.size());
  return bytes;
}

template <typename ConvertFn>
void RunOverFields(benchmark::State& State, ConvertFn Convert) {
  const auto& fields = CaptureFields();
  for (auto _ : State) {
    for (const auto& f : fields) benchmark::DoNotOptimize(Convert(f));
  }
  State.SetBytesProcessed(State.iterations() * TotalBytes(fields));
  State.SetItemsProcessed(State.iterations() * static_cast<std::int64_t>(fields.size()));
}

void BM_SafeStrToFloat(benchmark::State& State) { RunOverFields(State, support::SafeStrToFloat); }
void BM_SafeStrToInt64(benchmark::State& State) { RunOverFields(State, support::SafeStrToInt64); }
void BM_StringHashEx(benchmark::State& State) { RunOverFields(State, support::StringHashEx); }

void BM_SafeStrToFloatTypical(benchmark::State& State) {
  const std::string field = "4807.038";
  for (auto _ : State) benchmark::DoNotOptimize(support::SafeStrToFloat(field));
  State.SetBytesProcessed(State.iterations() * static_cast<std::int64_t>(field.size()));
}

BENCHMARK(BM_SafeStrToFloat);
BENCHMARK(BM_SafeStrToInt64);
BENCHMARK(BM_StringHashEx);
BENCHMARK(BM_SafeStrToFloatTypical);

}  // namespace

BENCHMARK_MAIN();
