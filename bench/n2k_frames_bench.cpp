// Gateway frames per second through the endpoint's framing and the NMEA 2000
// decoder, on a real capture: without a text handler (values only) and with
// one attached to the decoded lines.

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "nmea/link/endpoint.h"
#include "tests/nmea/n2k_capture_helpers.h"

namespace {

std::vector<std::vector<std::uint8_t>> CaptureFrames() {
  std::vector<std::vector<std::uint8_t>> frames;
  for (const nmea::TNmea2KMsg& msg :
       nmea::testing::ReadN2kCapture(nmea::testing::TestDataPath("nmea2000/susteranna2020.raw"))) {
    frames.push_back(nmea::testing::GatewayFrame(msg));
  }
  return frames;
}

void RunFrames(benchmark::State& state, bool withHandler) {
  static const std::vector<std::vector<std::uint8_t>> frames = CaptureFrames();
  nmea::TNMEA2KDecoder link;
  link.StreamMode = nmea::kStreamBinary;
  link.CollectStatistics = true;
  std::size_t characters = 0;
  if (withHandler) {
    link.OnMessage = [&characters](platform::TObject*, std::string_view text) { characters += text.size(); };
  }
  for (auto _ : state) {
    for (const auto& frame : frames) link.ParseBytes(frame.data(), static_cast<int>(frame.size()));
  }
  benchmark::DoNotOptimize(characters);
  benchmark::DoNotOptimize(link.NMEAData.LastUpdateTick);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * frames.size()));
}

void BM_GatewayFramesWithoutHandler(benchmark::State& state) { RunFrames(state, false); }
void BM_GatewayFramesWithTextHandler(benchmark::State& state) { RunFrames(state, true); }

BENCHMARK(BM_GatewayFramesWithoutHandler);
BENCHMARK(BM_GatewayFramesWithTextHandler);

}  // namespace

BENCHMARK_MAIN();
