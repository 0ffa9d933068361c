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

void RunFrames(benchmark::State& State, bool WithHandler) {
  static const std::vector<std::vector<std::uint8_t>> frames = CaptureFrames();
  nmea::TNMEA2KDecoder link;
  link.StreamMode = nmea::kStreamBinary;
  link.CollectStatistics = true;
  std::size_t characters = 0;
  if (WithHandler) {
    link.OnMessage = [&characters](platform::TObject*, std::string_view Text) { characters += Text.size(); };
  }
  for (auto _ : State) {
    for (const auto& frame : frames) link.ParseBytes(frame.data(), static_cast<int>(frame.size()));
  }
  benchmark::DoNotOptimize(characters);
  benchmark::DoNotOptimize(link.NMEAData.LastUpdateTick);
  State.SetItemsProcessed(static_cast<std::int64_t>(State.iterations() * frames.size()));
}

void BM_GatewayFramesWithoutHandler(benchmark::State& State) { RunFrames(State, false); }
void BM_GatewayFramesWithTextHandler(benchmark::State& State) { RunFrames(State, true); }

BENCHMARK(BM_GatewayFramesWithoutHandler);
BENCHMARK(BM_GatewayFramesWithTextHandler);

}  // namespace

BENCHMARK_MAIN();
