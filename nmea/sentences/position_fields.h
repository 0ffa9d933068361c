#pragma once
// Pieces the position, route and waypoint sentences share: coordinates in
// ddmm.mmm and dddmm.mmm, their hemisphere letters, the position block they
// build, and the mode letters mapped into fix-quality codes.

#include <cstdint>
#include <string_view>

#include "nmea/sentence_parser.h"
#include "nmea/types.h"

namespace nmea {

// Degrees from ddmm.mmm (latitude, more than 3 characters) or dddmm.mmm
// (longitude, more than 4); kNoPosition when the field is too short.
double ParseLatitude(std::string_view Field);
double ParseLongitude(std::string_view Field);

// A position built from one sentence; stored only when both coordinates
// were read from it.
struct TPositionBlock {
  double Latitude = kNoPosition;
  double Longitude = kNoPosition;
  TTick Tick = 0;

  bool Complete() const { return Latitude != kNoPosition && Longitude != kNoPosition; }
  // Latitude, "N"/"S", longitude, "E"/"W" in four fields from First. The
  // hemisphere field counts only as a whole "S" or "W", and only turns a
  // coordinate read from the same sentence.
  void Read(const TSentenceContext& Ctx, int First);
  void ReadLatitude(const TSentenceContext& Ctx, int N);
  void ReadLongitude(const TSentenceContext& Ctx, int N);
};

// Copies the block over the record's position block, whose geoidal
// separation it clears, and stamps the position quantity.
void StorePosition(const TSentenceContext& Ctx, const TPositionBlock& Block);

// The fix-quality code of a mode letter (first character of field N): A 1,
// D 2, E 6, M 7, S 8, N 0; an empty field or another letter gives 255.
std::uint8_t ModeQuality(const TSentenceContext& Ctx, int N);

}  // namespace nmea
