// Vessel heading, rate of turn, attitude and magnetic variation.

#include "nmea/link/endpoint.h"
#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

std::string_view VariationSourceText(std::uint8_t Source) {
  static constexpr std::string_view kNames[] = {"MANUAL",  "CHART",   "AUTO TABLE", "AUTO CALC", "WMM2000", "WMM2005",
                                                "WMM2010", "WMM2015", "WMM2020",    "WMM2025",   "WMM2030"};
  return Source < std::size(kNames) ? kNames[Source] : "UNKNOWN";
}

}  // namespace

void DecodeVesselHeading(N2kMessage& M) {
  TN2kFieldStatus headingStatus;
  TN2kFieldStatus deviationStatus;
  TN2kFieldStatus variationStatus;
  const double heading = N2kDegrees(N2kWord(M.At(1), headingStatus));
  const double deviation = N2kDegrees(N2kSmallInt(M.At(3), deviationStatus));
  const double variation = N2kDegrees(N2kSmallInt(M.At(5), variationStatus));
  const std::uint8_t reference = *M.At(7) & 0x03;
  if (headingStatus == fsValid) {
    tNMEAData& d = M.Data;
    // True heading in its own cell; magnetic (and a heading of unknown
    // reference) in the magnetic cell, as the NMEA 0183 side stores it.
    if (reference == 0) {
      d.HeadingTrue = heading;
      d.HeadingTrueTick = M.Tick();
    } else {
      d.HeadingMagnetic = heading;
      d.HeadingMagneticTick = M.Tick();
    }
    M.Stored(qtHeading);
    M.Store(variationStatus, d.MagneticVariation, d.MagneticVariationTick, variation);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> HEADING: ");
  line += N2kNumberText(heading, 2, N2kReferenceSuffix(reference), headingStatus);
  line += "    DEV  ";
  line += N2kNumberText(deviation, 2, "", deviationStatus);
  line += "    VAR  ";
  line += N2kNumberText(variation, 2, "", variationStatus);
  M.Emit(line);
}

void DecodeRateOfTurn(N2kMessage& M) {
  TN2kFieldStatus status;
  // 3.125e-8 rad/s in degrees per minute.
  const double rate = N2kInteger(M.At(1), status) * 0.03125 * 0.000001 * 57.29577951308232 * 60;
  if (M.Store(status, M.Data.RateOfTurn, M.Data.RateOfTurnTick, rate)) {
    M.Stored(qtRateOfTurn);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> RATE OF TURN:  ");
  line += N2kNumberText(rate, 1, " DEG/min", status);
  M.Emit(line);
}

void DecodeAttitude(N2kMessage& M) {
  TN2kFieldStatus yawStatus;
  TN2kFieldStatus pitchStatus;
  TN2kFieldStatus rollStatus;
  const double yaw = N2kDegrees(N2kSmallInt(M.At(1), yawStatus));
  const double pitch = N2kDegrees(N2kSmallInt(M.At(3), pitchStatus));
  const double roll = N2kDegrees(N2kSmallInt(M.At(5), rollStatus));
  if (pitchStatus == fsValid || rollStatus == fsValid) {
    tNMEAData& d = M.Data;
    M.Store(pitchStatus, d.Pitch, d.PitchTick, pitch);
    M.Store(rollStatus, d.Roll, d.RollTick, roll);
    M.Stored(qtPitchRoll);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> ATTITUDE:   YAW  ");
  line += N2kNumberText(yaw, 2, "", yawStatus);
  line += "   PITCH  ";
  line += N2kNumberText(pitch, 2, "", pitchStatus);
  line += "   ROLL   ";
  line += N2kNumberText(roll, 2, "", rollStatus);
  M.Emit(line);
}

void DecodeMagneticVariation(N2kMessage& M) {
  TN2kFieldStatus status;
  const std::uint8_t source = *M.At(1) & 0x0F;
  const double variation = N2kDegrees(N2kSmallInt(M.At(4), status));
  if (M.Store(status, M.Data.MagneticVariation, M.Data.MagneticVariationTick, variation)) M.Updated();
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> MAG VARIATION: ");
  line += N2kNumberText(variation, 2, "", status);
  line += "    SOURCE  ";
  line += VariationSourceText(source);
  M.Emit(line);
}

}  // namespace nmea
