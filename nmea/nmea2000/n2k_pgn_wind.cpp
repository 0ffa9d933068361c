// Wind data.

#include "nmea/link/endpoint.h"
#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

struct WindReference {
  std::string_view Kind;
  std::string_view Suffix;
  double tNMEAData::*Speed;
  TTick tNMEAData::*SpeedTick;
  double tNMEAData::*Angle;
  TTick tNMEAData::*AngleTick;
  bool Normalise;  // angles relative to the boat are shown in (-180, 180]
};

const WindReference kReferences[] = {
    {"TRUE WIND", "TWD \xB0T", &tNMEAData::TrueWindSpeed, &tNMEAData::TrueWindSpeedTick, &tNMEAData::TrueWindDirection,
     &tNMEAData::TrueWindDirectionTick, false},
    {"TRUE WIND", "TWD \xB0M", &tNMEAData::TrueWindSpeed, &tNMEAData::TrueWindSpeedTick, &tNMEAData::TrueWindDirection,
     &tNMEAData::TrueWindDirectionTick, false},
    {"APPARENT WIND", "AWA \xB0", &tNMEAData::ApparentWindSpeed, &tNMEAData::ApparentWindSpeedTick,
     &tNMEAData::ApparentWindAngle, &tNMEAData::ApparentWindAngleTick, true},
    {"TRUE WIND", "TWA\xB0 Cog,Sog", &tNMEAData::TrueWindSpeed, &tNMEAData::TrueWindSpeedTick,
     &tNMEAData::TrueWindAngle, &tNMEAData::TrueWindAngleTick, true},
    {"TRUE WIND", "TWA\xB0 Hdg,Log", &tNMEAData::TrueWindSpeed, &tNMEAData::TrueWindSpeedTick,
     &tNMEAData::TrueWindAngle, &tNMEAData::TrueWindAngleTick, true},
};

}  // namespace

void DecodeWindData(N2kMessage& M) {
  TN2kFieldStatus speedStatus;
  TN2kFieldStatus angleStatus;
  const double speed = N2kKnots(N2kWord(M.At(1), speedStatus));
  double angle = N2kDegrees(N2kWord(M.At(3), angleStatus));
  const std::uint8_t code = *M.At(5) & 0x07;
  const WindReference* reference = code < std::size(kReferences) ? &kReferences[code] : nullptr;
  if (reference && reference->Normalise) TNMEA2KDecoder::NormalizeAngle180(angle);
  if (reference && (speedStatus == fsValid || angleStatus == fsValid)) {
    tNMEAData& d = M.Data;
    M.Store(speedStatus, d.*reference->Speed, d.*reference->SpeedTick, speed);
    M.Store(angleStatus, d.*reference->Angle, d.*reference->AngleTick, angle);
    M.Stored(qtWind);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> WIND:  ");
  line += reference ? reference->Kind : std::string_view();
  line += "   SPEED   ";
  line += N2kNumberText(speed, 1, " kn", speedStatus);
  line += "    DIRECTION  ";
  std::string unit = " ";
  unit += reference ? reference->Suffix : std::string_view("Invalid");
  line += N2kNumberText(angle, 2, unit, angleStatus);
  M.Emit(line);
}

}  // namespace nmea
