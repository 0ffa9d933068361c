// System time, and time and date.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"
#include "nmea/nmea2000/n2k_utc_time.h"

namespace nmea {
namespace {

std::string_view TimeSourceText(std::uint8_t Source) {
  switch (Source) {
    case 0:
      return "GPS";
    case 1:
      return "GLONASS";
    case 2:
      return "WEB OR RADIO";
    case 3:
      return "LOCAL CESIUM CLOCK";
    case 4:
      return "LOCAL RUBIDIUM CLOCK";
    case 5:
      return "LOCAL CRYSTAL CLOCK";
    default:
      return "[INVALID]";
  }
}

}  // namespace

void DecodeSystemTime(N2kMessage& M) {
  TN2kFieldStatus dateStatus;
  TN2kFieldStatus timeStatus;
  const std::uint8_t source = *M.At(1) & 0x0F;
  const std::uint16_t date = N2kWord(M.At(2), dateStatus);
  const std::uint32_t time = N2kCardinal(M.At(4), timeStatus);
  const double dateTime = N2kDateTime(date, time);
  if (timeStatus == fsValid) StoreN2kUtcTime(M, dateTime, dateStatus == fsValid);
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> SYSTEM TIME:  ");
  line += "   UTC  ";
  line += N2kDateTimeText(dateTime, timeStatus);
  line += "   SOURCE  ";
  line += TimeSourceText(source);
  M.Emit(line);
}

void DecodeTimeAndDate(N2kMessage& M) {
  TN2kFieldStatus dateStatus;
  TN2kFieldStatus timeStatus;
  TN2kFieldStatus offsetStatus;
  const std::uint16_t date = N2kWord(M.At(0), dateStatus);
  const std::uint32_t time = N2kCardinal(M.At(2), timeStatus);
  const std::int16_t offset = N2kSmallInt(M.At(6), offsetStatus);
  const double dateTime = N2kDateTime(date, time);
  if (timeStatus == fsValid) StoreN2kUtcTime(M, dateTime, dateStatus == fsValid);
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> TIME AND DATE:  ");
  line += "   UTC  ";
  line += N2kDateTimeText(dateTime, timeStatus);
  line += "   OFFSET  ";
  line += N2kNumberText(offset / 60.0, 2, " h", offsetStatus);
  M.Emit(line);
}

}  // namespace nmea
