// Receiver state: fix type and dilutions of precision (GSA), satellites in
// view (GSV) and the datum in use (DTM).

#include <algorithm>

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {
namespace {

// A satellite count field has one digit: nine messages of four satellites.
// A larger count is not a real one and must not size the array.
constexpr std::int64_t kMaxGsvMessages = 9;
constexpr int kSatsPerGsv = 4;

}  // namespace

void HandleGSA(TSentenceContext& Ctx) {
  // $--GSA,a,x,xx,xx,xx,xx,xx,xx,xx,xx,xx,xx,xx,xx,x.x,x.x,x.x*hh
  const TSentenceFields& f = Ctx.Fields;
  tGPS& gps = Ctx.Data.GPS;
  gps.LastFixSentenceTick = Ctx.Tick;
  if (f[2].size() == 1) {
    gps.FixType = static_cast<std::int32_t>(Ctx.Int(2));
    gps.FixTypeTick = Ctx.Tick;
    gps.NoFix = gps.FixType == 1 ? 1 : 0;
    if (gps.NoFix == 1) gps.FixQuality = kFixInvalid;
    Ctx.Touch();
  }
  Ctx.StoreFloat(16, gps.HDOP, gps.HDOPTick);
  Ctx.StoreFloat(17, gps.VDOP, gps.VDOPTick);
}

void HandleGSV(TSentenceContext& Ctx) {
  // $--GSV,x,x,xx,xx,xx,xxx,xx,...,xx,xx,xxx,xx,h*hh
  const TSentenceFields& f = Ctx.Fields;
  tGPS& gps = Ctx.Data.GPS;
  std::int64_t messages = 0;
  std::int64_t message = 0;
  if (f.Filled(1)) {
    messages = Ctx.Int(1);
    if (messages < 1 || messages > kMaxGsvMessages) return;
  }
  if (f.Filled(2)) {
    message = Ctx.Int(2);
    if (message < 1) return;
  }
  std::vector<tSatEntry>& sats = gps.Satellites.Sats;
  if (f.Filled(3)) {
    const auto size = static_cast<std::size_t>(messages * kSatsPerGsv);
    if (sats.size() != size) sats.resize(size);
    Ctx.Touch();
    gps.SatellitesTick = Ctx.Tick;
  }
  // A set that starts again describes the sky anew: satellites that only a
  // lost message of the previous set would have removed must not linger.
  if (message == 1) std::fill(sats.begin(), sats.end(), tSatEntry{});
  // Receivers of the newer standard end the sentence with a signal id, a
  // lone field after the last whole group, which names no satellite. The
  // count in view says nothing here: a receiver that lists each signal apart
  // counts more than one message of the set may hold.
  int last = f.Count() - 1;
  if (last > 3 && (last - 3) % kSatsPerGsv == 1) --last;
  // No set reaches a larger message number, and the slot of a huge one
  // could not even be computed.
  if (message > kMaxGsvMessages) return;
  for (int j = 0; j < kSatsPerGsv; ++j) {
    const std::int64_t index = (message - 1) * kSatsPerGsv + j;
    if (index < 0 || index >= static_cast<std::int64_t>(sats.size())) continue;
    tSatEntry& sat = sats[static_cast<std::size_t>(index)];
    // A group describes its slot whole: a slot the message leaves out, or
    // whose number is empty, is no longer in view, and the fields a group
    // leaves empty must not keep the values of the satellite the slot held
    // before.
    sat = tSatEntry{};
    const int first = 4 + kSatsPerGsv * j;
    if (first > last || !f.Filled(first)) continue;
    sat.PRN = static_cast<std::uint8_t>(Ctx.Int(first));
    if (f.Filled(first + 1)) sat.Elevation = static_cast<float>(Ctx.Float(first + 1));
    if (f.Filled(first + 2)) sat.Azimuth = static_cast<float>(Ctx.Float(first + 2));
    if (f.Filled(first + 3)) {
      sat.SNR = static_cast<float>(Ctx.Float(first + 3));
      sat.Status = 2;
    }
  }
}

void HandleDTM(TSentenceContext& Ctx) {
  // $--DTM,ccc,a,x.x,a,x.x,a,x.x,ccc*hh
  if (!Ctx.Fields.Filled(1)) return;
  trString& datum = Ctx.Data.GPS.Datum;
  datum.Str = Ctx.Fields[1];
  datum.Tick = Ctx.Tick;
  Ctx.Touch();
}

}  // namespace nmea
