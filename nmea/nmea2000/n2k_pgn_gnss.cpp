// GNSS datum, dilutions of precision and satellites in view.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

constexpr std::size_t kSatelliteEntrySize = 12;

}  // namespace

void DecodeDatum(N2kMessage& M) {
  std::string datum = N2kFixedText(M.Msg.Data, 0, 4);
  if (!datum.empty()) {
    M.Data.GPS.Datum.Str = datum;
    M.Data.GPS.Datum.Tick = M.Tick();
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> DATUM:  ");
  line += datum;
  M.Emit(line);
}

void DecodeGnssDops(N2kMessage& M) {
  TN2kFieldStatus hdopStatus;
  TN2kFieldStatus vdopStatus;
  TN2kFieldStatus tdopStatus;
  const double hdop = N2kSmallInt(M.At(2), hdopStatus) * 0.01;
  const double vdop = N2kSmallInt(M.At(4), vdopStatus) * 0.01;
  const double tdop = N2kSmallInt(M.At(6), tdopStatus) * 0.01;
  tGPS& gps = M.Data.GPS;
  const bool hdopStored = M.Store(hdopStatus, gps.HDOP, gps.HDOPTick, hdop);
  const bool vdopStored = M.Store(vdopStatus, gps.VDOP, gps.VDOPTick, vdop);
  if (hdopStored || vdopStored) M.Updated();
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> GNSS DOPS: ");
  line += "   HDOP ";
  line += N2kFixed(gps.HDOP, 2);
  line += "   VDOP ";
  line += N2kFixed(gps.VDOP, 2);
  line += "   TDOP ";
  line += N2kNumberText(tdop, 2, "", tdopStatus);
  M.Emit(line);
}

void DecodeSatellitesInView(N2kMessage& M) {
  TN2kFieldStatus countStatus;
  const std::uint8_t count = N2kByte(M.At(2), countStatus);
  tGPS& gps = M.Data.GPS;
  if (countStatus == fsValid) {
    // The count in view is kept as the count in use.
    gps.SatsInUse = count;
    gps.SatsInUseTick = M.Tick();
    // The list is replaced only when the payload holds every entry.
    if (M.Length() >= kSatelliteEntrySize * count + 3) {
      std::vector<tSatEntry>& sats = gps.Satellites.Sats;
      sats.resize(count);
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = M.At(3 + kSatelliteEntrySize * i);
        TN2kFieldStatus s;
        tSatEntry& sat = sats[i];
        const std::uint8_t prn = N2kByte(e, s);
        sat.PRN = s == fsValid ? prn : 0;
        const double elevation = N2kDegrees(N2kSmallInt(e + 1, s));
        sat.Elevation = s == fsValid ? static_cast<float>(elevation) : 0.0f;
        const double azimuth = N2kDegrees(N2kWord(e + 3, s));
        sat.Azimuth = s == fsValid ? static_cast<float>(azimuth) : 0.0f;
        const double snr = N2kSmallInt(e + 5, s) * 0.01;
        sat.SNR = s == fsValid ? static_cast<float>(snr) : 0.0f;
        sat.Status = e[11] & 0x0F;
      }
      gps.SatellitesTick = M.Tick();
    }
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> SATS IN VIEW: ");
  line += N2kValueText(countStatus, std::to_string(count));
  line += "   INFO: ";
  if (countStatus == fsValid) {
    for (const tSatEntry& sat : gps.Satellites.Sats) {
      line += " ID ";
      line += std::to_string(sat.PRN);
      line += " ELEV ";
      line += N2kFixed(sat.Elevation, 2);
      line += " AZIM ";
      line += N2kFixed(sat.Azimuth, 2);
      line += " SNR ";
      line += N2kFixed(sat.SNR, 2);
      line += " dB  ";
      line += " STATUS ";
      line += std::to_string(sat.Status);
      line += "; ";
    }
  }
  M.Emit(line);
}

}  // namespace nmea
