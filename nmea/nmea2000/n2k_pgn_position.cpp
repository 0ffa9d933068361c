// Position, course and speed over ground, and the GNSS position.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

void StorePosition(N2kMessage& m, double latitude, double longitude) {
  tNMEAData& d = m.Data;
  d.Latitude = latitude;
  d.Longitude = longitude;
  d.PositionTick = m.Tick();
  m.Stored(qtPosition);
}

}  // namespace

void DecodePositionRapid(N2kMessage& m) {
  TN2kFieldStatus latStatus;
  TN2kFieldStatus lonStatus;
  const double latitude = N2kInteger(m.At(0), latStatus) * 0.0000001;
  const double longitude = N2kInteger(m.At(4), lonStatus) * 0.0000001;
  if (latStatus == fsValid && lonStatus == fsValid) {
    StorePosition(m, latitude, longitude);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> POSITION:  LAT  ");
  line += N2kNumberText(latitude, 6, "", latStatus);
  line += "    LON   ";
  line += N2kNumberText(longitude, 6, "", lonStatus);
  m.Emit(line);
}

void DecodeCogSogRapid(N2kMessage& m) {
  TN2kFieldStatus cogStatus;
  TN2kFieldStatus sogStatus;
  const std::uint8_t reference = *m.At(1) & 0x03;
  const double cog = N2kDegrees(N2kWord(m.At(2), cogStatus));
  const double sog = N2kKnots(N2kWord(m.At(4), sogStatus));
  if (cogStatus == fsValid || sogStatus == fsValid) {
    tNMEAData& d = m.Data;
    // The record holds the true course only; a magnetic one is just shown.
    if (reference == 0 && m.Store(cogStatus, d.COG, d.COGTick, cog)) m.Stored(qtCourseOverGround);
    if (m.Store(sogStatus, d.SOG, d.SOGTick, sog)) m.Stored(qtSpeedOverGround);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> COG AND SOG: ");
  line += "    COG   ";
  line += N2kNumberText(cog, 2, N2kReferenceSuffix(reference), cogStatus);
  line += "    SOG   ";
  line += N2kNumberText(sog, 2, " kn", sogStatus);
  m.Emit(line);
}

void DecodeGnssPosition(N2kMessage& m) {
  TN2kFieldStatus dateStatus;
  TN2kFieldStatus timeStatus;
  TN2kFieldStatus latStatus;
  TN2kFieldStatus lonStatus;
  TN2kFieldStatus altStatus;
  TN2kFieldStatus hdopStatus;
  TN2kFieldStatus pdopStatus;
  TN2kFieldStatus sepStatus;
  const std::uint16_t date = N2kWord(m.At(1), dateStatus);
  const std::uint32_t time = N2kCardinal(m.At(3), timeStatus);
  const double latitude = N2kInt64(m.At(7), latStatus) * 1e-16;
  const double longitude = N2kInt64(m.At(15), lonStatus) * 1e-16;
  const double altitude = N2kInt64(m.At(23), altStatus) * 0.000001;
  const std::uint8_t gnssType = *m.At(31) & 0x0F;
  const std::uint8_t method = *m.At(31) >> 4;
  const std::uint8_t satellites = *m.At(33);
  const double hdop = N2kSmallInt(m.At(34), hdopStatus) * 0.01;
  const double pdop = N2kSmallInt(m.At(36), pdopStatus) * 0.01;
  const double separation = N2kInteger(m.At(38), sepStatus) * 0.01;

  tNMEAData& d = m.Data;
  tGPS& gps = d.GPS;
  // The receiver state belongs to the fix: none of it is kept without one.
  if (latStatus == fsValid && lonStatus == fsValid) {
    StorePosition(m, latitude, longitude);
    gps.GnssType = gnssType;
    gps.GnssTypeTick = m.Tick();
    if (method < 14) {
      gps.FixQuality = method;
      gps.FixQualityTick = m.Tick();
    }
    if (satellites < 0xFD) {
      gps.SatsInUse = satellites;
      gps.SatsInUseTick = m.Tick();
    }
    m.Store(hdopStatus, gps.HDOP, gps.HDOPTick, hdop);
    m.Store(pdopStatus, gps.PDOP, gps.PDOPTick, pdop);
    if (sepStatus == fsValid) d.GeoidSeparation = separation;
    m.Updated();
  }
  if (m.Store(altStatus, d.Altitude, d.AltitudeTick, altitude)) {
    m.Stored(qtAltitude);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> GNSS POSITION: ");
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
  m.Emit(line);
}

}  // namespace nmea
