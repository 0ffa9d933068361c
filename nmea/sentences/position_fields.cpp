#include "nmea/sentences/position_fields.h"

#include "nmea/endpoint.h"
#include "support/conversions.h"

namespace nmea {
namespace {

// Degrees are the first Width characters; the rest are minutes.
double ParseCoordinate(std::string_view field, std::size_t width) {
  if (field.size() <= width + 1) return kNoPosition;
  return static_cast<double>(support::SafeStrToInt64(field.substr(0, width))) +
         support::SafeStrToFloat(field.substr(width)) / 60.0;
}

}  // namespace

double ParseLatitude(std::string_view Field) { return ParseCoordinate(Field, 2); }

double ParseLongitude(std::string_view Field) { return ParseCoordinate(Field, 3); }

void TPositionBlock::ReadLatitude(const TSentenceContext& Ctx, int N) {
  if (!Ctx.Fields.Has(N)) return;
  const double latitude = ParseLatitude(Ctx.Fields[N]);
  if (latitude == kNoPosition) return;
  Latitude = latitude;
  Tick = Ctx.Tick;
}

void TPositionBlock::ReadLongitude(const TSentenceContext& Ctx, int N) {
  if (!Ctx.Fields.Has(N)) return;
  const double longitude = ParseLongitude(Ctx.Fields[N]);
  if (longitude != kNoPosition) Longitude = longitude;
}

void TPositionBlock::Read(const TSentenceContext& Ctx, int First) {
  ReadLatitude(Ctx, First);
  if (Latitude != kNoPosition && Ctx.Equals(First + 1, "S")) Latitude = -Latitude;
  ReadLongitude(Ctx, First + 2);
  if (Longitude != kNoPosition && Ctx.Equals(First + 3, "W")) Longitude = -Longitude;
}

void StorePosition(const TSentenceContext& Ctx, const TPositionBlock& Block) {
  tNMEAData& data = Ctx.Data;
  data.Latitude = Block.Latitude;
  data.Longitude = Block.Longitude;
  data.GeoidSeparation = 0.0;
  data.PositionTick = Block.Tick;
  Ctx.MarkQuantity(qtPosition);
}

std::uint8_t ModeQuality(const TSentenceContext& Ctx, int N) {
  switch (Ctx.Letter(N)) {
    case 'A':
      return kFixGps;
    case 'D':
      return kFixDifferential;
    case 'E':
      return kFixEstimated;
    case 'M':
      return kFixManual;
    case 'S':
      return kFixSimulated;
    case 'N':
      return kFixInvalid;
    default:
      return kFixUnknown;
  }
}

}  // namespace nmea
