// Speed through water and over ground, and water depth.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {

void DecodeSpeed(N2kMessage& M) {
  TN2kFieldStatus waterStatus;
  TN2kFieldStatus groundStatus;
  const double water = N2kKnots(N2kWord(M.At(1), waterStatus));
  const double ground = N2kKnots(N2kWord(M.At(3), groundStatus));
  if (waterStatus == fsValid || groundStatus == fsValid) {
    tNMEAData& d = M.Data;
    if (M.Store(waterStatus, d.WaterSpeed, d.WaterSpeedTick, water)) M.Stored(qtWaterSpeed);
    if (M.Store(groundStatus, d.SOG, d.SOGTick, ground)) M.Stored(qtSpeedOverGround);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> SPEED: ");
  line += "   WATER ";
  line += N2kNumberText(water, 2, " kn", waterStatus);
  line += "   SOG ";
  line += N2kNumberText(ground, 2, " kn", groundStatus);
  M.Emit(line);
}

void DecodeWaterDepth(N2kMessage& M) {
  TN2kFieldStatus depthStatus;
  TN2kFieldStatus offsetStatus;
  const double depth = N2kCardinal(M.At(1), depthStatus) * 0.01;
  const double offset = N2kSmallInt(M.At(5), offsetStatus) * 0.001;
  tNMEAData& d = M.Data;
  if (M.Store(depthStatus, d.Depth, d.DepthTick, depth)) {
    M.Stored(qtDepth);
    M.Store(offsetStatus, d.TransducerOffset, d.TransducerOffsetTick, offset);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> WATER DEPTH: ");
  line += N2kNumberText(depth, 2, " m", depthStatus);
  line += "    OFFSET   ";
  line += N2kNumberText(offset, 2, " m", offsetStatus);
  M.Emit(line);
}

}  // namespace nmea
