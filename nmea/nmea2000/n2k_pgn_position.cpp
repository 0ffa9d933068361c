// Position, course and speed over ground, and the GNSS position.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

void StorePosition(N2kMessage& M, double Latitude, double Longitude) {
  tNMEAData& d = M.Data;
  d.Latitude = Latitude;
  d.Longitude = Longitude;
  d.PositionTick = M.Tick();
  M.Stored(qtPosition);
}

}  // namespace

void DecodePositionRapid(N2kMessage& M) {
  TN2kFieldStatus latStatus;
  TN2kFieldStatus lonStatus;
  const double latitude = N2kInteger(M.At(0), latStatus) * 0.0000001;
  const double longitude = N2kInteger(M.At(4), lonStatus) * 0.0000001;
  if (latStatus == fsValid && lonStatus == fsValid) {
    StorePosition(M, latitude, longitude);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> POSITION:  LAT  ");
  line += N2kNumberText(latitude, 6, "", latStatus);
  line += "    LON   ";
  line += N2kNumberText(longitude, 6, "", lonStatus);
  M.Emit(line);
}

void DecodeCogSogRapid(N2kMessage& M) {
  TN2kFieldStatus cogStatus;
  TN2kFieldStatus sogStatus;
  const std::uint8_t reference = *M.At(1) & 0x03;
  const double cog = N2kDegrees(N2kWord(M.At(2), cogStatus));
  const double sog = N2kKnots(N2kWord(M.At(4), sogStatus));
  if (cogStatus == fsValid || sogStatus == fsValid) {
    tNMEAData& d = M.Data;
    // The record holds the true course only; a magnetic one is just shown.
    if (reference == 0 && M.Store(cogStatus, d.COG, d.COGTick, cog)) M.Stored(qtCourseOverGround);
    if (M.Store(sogStatus, d.SOG, d.SOGTick, sog)) M.Stored(qtSpeedOverGround);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> COG AND SOG: ");
  line += "    COG   ";
  line += N2kNumberText(cog, 2, N2kReferenceSuffix(reference), cogStatus);
  line += "    SOG   ";
  line += N2kNumberText(sog, 2, " kn", sogStatus);
  M.Emit(line);
}

void DecodeGnssPosition(N2kMessage& M) {
  TN2kFieldStatus dateStatus;
  TN2kFieldStatus timeStatus;
  TN2kFieldStatus latStatus;
  TN2kFieldStatus lonStatus;
  TN2kFieldStatus altStatus;
  TN2kFieldStatus hdopStatus;
  TN2kFieldStatus pdopStatus;
  TN2kFieldStatus sepStatus;
  const std::uint16_t date = N2kWord(M.At(1), dateStatus);
  const std::uint32_t time = N2kCardinal(M.At(3), timeStatus);
  const double latitude = N2kInt64(M.At(7), latStatus) * 1e-16;
  const double longitude = N2kInt64(M.At(15), lonStatus) * 1e-16;
  const double altitude = N2kInt64(M.At(23), altStatus) * 0.000001;
  const std::uint8_t gnssType = *M.At(31) & 0x0F;
  const std::uint8_t method = *M.At(31) >> 4;
  const std::uint8_t satellites = *M.At(33);
  const double hdop = N2kSmallInt(M.At(34), hdopStatus) * 0.01;
  const double pdop = N2kSmallInt(M.At(36), pdopStatus) * 0.01;
  const double separation = N2kInteger(M.At(38), sepStatus) * 0.01;

  tNMEAData& d = M.Data;
  tGPS& gps = d.GPS;
  // The receiver state belongs to the fix: none of it is kept without one.
  if (latStatus == fsValid && lonStatus == fsValid) {
    StorePosition(M, latitude, longitude);
    gps.GnssType = gnssType;
    gps.GnssTypeTick = M.Tick();
    if (method < 14) {
      gps.FixQuality = method;
      gps.FixQualityTick = M.Tick();
    }
    if (satellites < 0xFD) {
      gps.SatsInUse = satellites;
      gps.SatsInUseTick = M.Tick();
    }
    M.Store(hdopStatus, gps.HDOP, gps.HDOPTick, hdop);
    M.Store(pdopStatus, gps.PDOP, gps.PDOPTick, pdop);
    if (sepStatus == fsValid) d.GeoidSeparation = separation;
    M.Updated();
  }
  if (M.Store(altStatus, d.Altitude, d.AltitudeTick, altitude)) {
    M.Stored(qtAltitude);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> GNSS POSITION: ");
  line += "   UTC  ";
  line += N2kDateTimeText(N2kDateTime(date, time), timeStatus);
  line += "   LAT  ";
  line += N2kNumberText(latitude, 6, "", latStatus);
  line += "   LON  ";
  line += N2kNumberText(longitude, 6, "", lonStatus);
  line += "   ALT  ";
  line += N2kNumberText(altitude, 2, " m", altStatus);
  line += "   DEV TYPE ";
  line += std::to_string(gps.GnssType);
  line += "   DEV MODE ";
  line += std::to_string(gps.FixQuality);
  line += "   SAT ";
  line += std::to_string(gps.SatsInUse);
  line += "   HDOP ";
  line += N2kFixed(gps.HDOP, 2);
  line += "   PDOP ";
  line += N2kFixed(gps.PDOP, 2);
  line += "   GEOSEP ";
  line += N2kFixed(d.GeoidSeparation, 2);
  M.Emit(line);
}

}  // namespace nmea
