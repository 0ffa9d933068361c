// Any byte sequence, in text or binary mode, must leave the endpoint sound:
// no crash, no hang, no unbounded growth. The first byte picks the mode and
// the options; the rest is cut into chunks as a serial port delivers them.

#include <cstddef>
#include <cstdint>

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  ++data;
  --size;
  nmea::TNMEA2KDecoder link;
  link.StreamMode = options & 1 ? nmea::kStreamText : nmea::kStreamBinary;
  link.VerifyChecksum = (options & 2) != 0;
  link.CollectStatistics = (options & 4) != 0;
  link.HexBytesPerLine = options & 8 ? 16 : 0;
  link.CheckDateAge = (options & 16) != 0;
  link.TickSource = nmea::tsExternal;
  link.PcYear = 2000;
  std::size_t shown = 0;
  link.OnReceive = [&shown](platform::TObject*, std::string_view text) { shown += text.size(); };
  link.OnRawMessage = [&shown](platform::TObject*, std::string_view text) { shown += text.size(); };
  const std::size_t chunk = options & 32 ? 400 : options & 64 ? 7 : 64;
  nmea::TTick tick = 0xFFFFF000u;
  for (std::size_t at = 0; at < size; at += chunk) {
    nmea::SetExternalTick(tick += 700);
    const std::size_t n = size - at < chunk ? size - at : chunk;
    link.DataReceived(nullptr, data + at, static_cast<int>(n));
  }
  return 0;
}
