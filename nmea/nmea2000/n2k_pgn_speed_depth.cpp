// Speed through water and over ground, and water depth.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {

void DecodeSpeed(N2kMessage& m) {
  TN2kFieldStatus waterStatus;
  TN2kFieldStatus groundStatus;
  const double water = N2kKnots(N2kWord(m.At(1), waterStatus));
  const double ground = N2kKnots(N2kWord(m.At(3), groundStatus));
  if (waterStatus == fsValid || groundStatus == fsValid) {
    tNMEAData& d = m.Data;
    if (m.Store(waterStatus, d.WaterSpeed, d.WaterSpeedTick, water)) m.Stored(qtWaterSpeed);
    if (m.Store(groundStatus, d.SOG, d.SOGTick, ground)) m.Stored(qtSpeedOverGround);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> SPEED: ");
  line += "   WATER ";
  line += N2kNumberText(water, 2, " kn", waterStatus);
  line += "   SOG ";
  line += N2kNumberText(ground, 2, " kn", groundStatus);
  m.Emit(line);
}

void DecodeWaterDepth(N2kMessage& m) {
  TN2kFieldStatus depthStatus;
  TN2kFieldStatus offsetStatus;
  const double depth = N2kCardinal(m.At(1), depthStatus) * 0.01;
  const double offset = N2kSmallInt(m.At(5), offsetStatus) * 0.001;
  tNMEAData& d = m.Data;
  if (m.Store(depthStatus, d.Depth, d.DepthTick, depth)) {
    m.Stored(qtDepth);
    m.Store(offsetStatus, d.TransducerOffset, d.TransducerOffsetTick, offset);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> WATER DEPTH: ");
  line += N2kNumberText(depth, 2, " m", depthStatus);
  line += "    OFFSET   ";
  line += N2kNumberText(offset, 2, " m", offsetStatus);
  m.Emit(line);
}

}  // namespace nmea
