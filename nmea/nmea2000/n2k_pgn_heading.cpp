// Vessel heading, rate of turn, attitude and magnetic variation.

#include "nmea/link/endpoint.h"
#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

std::string_view VariationSourceText(std::uint8_t source) {
  static constexpr std::string_view kNames[] = {"MANUAL",  "CHART",   "AUTO TABLE", "AUTO CALC", "WMM2000", "WMM2005",
                                                "WMM2010", "WMM2015", "WMM2020",    "WMM2025",   "WMM2030"};
  return source < std::size(kNames) ? kNames[source] : "UNKNOWN";
}

}  // namespace

void DecodeVesselHeading(N2kMessage& m) {
  TN2kFieldStatus headingStatus;
  TN2kFieldStatus deviationStatus;
  TN2kFieldStatus variationStatus;
  const double heading = N2kDegrees(N2kWord(m.At(1), headingStatus));
  const double deviation = N2kDegrees(N2kSmallInt(m.At(3), deviationStatus));
  const double variation = N2kDegrees(N2kSmallInt(m.At(5), variationStatus));
  const std::uint8_t reference = *m.At(7) & 0x03;
  if (headingStatus == fsValid) {
    tNMEAData& d = m.Data;
    // True heading in its own cell; magnetic (and a heading of unknown
    // reference) in the magnetic cell, as the NMEA 0183 side stores it.
    if (reference == 0) {
      d.HeadingTrue = heading;
      d.HeadingTrueTick = m.Tick();
    } else {
      d.HeadingMagnetic = heading;
      d.HeadingMagneticTick = m.Tick();
    }
    m.Stored(qtHeading);
    m.Store(variationStatus, d.MagneticVariation, d.MagneticVariationTick, variation);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> HEADING: ");
  line += N2kNumberText(heading, 2, N2kReferenceSuffix(reference), headingStatus);
  line += "    DEV  ";
  line += N2kNumberText(deviation, 2, "", deviationStatus);
  line += "    VAR  ";
  line += N2kNumberText(variation, 2, "", variationStatus);
  m.Emit(line);
}

void DecodeRateOfTurn(N2kMessage& m) {
  TN2kFieldStatus status;
  // 3.125e-8 rad/s in degrees per minute.
  const double rate = N2kInteger(m.At(1), status) * 0.03125 * 0.000001 * 57.29577951308232 * 60;
  if (m.Store(status, m.Data.RateOfTurn, m.Data.RateOfTurnTick, rate)) {
    m.Stored(qtRateOfTurn);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> RATE OF TURN:  ");
  line += N2kNumberText(rate, 1, " DEG/min", status);
  m.Emit(line);
}

void DecodeAttitude(N2kMessage& m) {
  TN2kFieldStatus yawStatus;
  TN2kFieldStatus pitchStatus;
  TN2kFieldStatus rollStatus;
  const double yaw = N2kDegrees(N2kSmallInt(m.At(1), yawStatus));
  const double pitch = N2kDegrees(N2kSmallInt(m.At(3), pitchStatus));
  const double roll = N2kDegrees(N2kSmallInt(m.At(5), rollStatus));
  if (pitchStatus == fsValid || rollStatus == fsValid) {
    tNMEAData& d = m.Data;
    m.Store(pitchStatus, d.Pitch, d.PitchTick, pitch);
    m.Store(rollStatus, d.Roll, d.RollTick, roll);
    m.Stored(qtPitchRoll);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> ATTITUDE:   YAW  ");
  line += N2kNumberText(yaw, 2, "", yawStatus);
  line += "   PITCH  ";
  line += N2kNumberText(pitch, 2, "", pitchStatus);
  line += "   ROLL   ";
  line += N2kNumberText(roll, 2, "", rollStatus);
  m.Emit(line);
}

void DecodeMagneticVariation(N2kMessage& m) {
  TN2kFieldStatus status;
  const std::uint8_t source = *m.At(1) & 0x0F;
  const double variation = N2kDegrees(N2kSmallInt(m.At(4), status));
  if (m.Store(status, m.Data.MagneticVariation, m.Data.MagneticVariationTick, variation)) m.Updated();
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> MAG VARIATION: ");
  line += N2kNumberText(variation, 2, "", status);
  line += "    SOURCE  ";
  line += VariationSourceText(source);
  m.Emit(line);
}

}  // namespace nmea
