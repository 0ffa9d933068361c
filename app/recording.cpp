// Recording the channels to files, and the markers that suspend and resume
// write into the recordings.

#include <string>

#include "app/main_form.h"
#include "platform/core/os/clock.h"
#include "support/date_time.h"

namespace app {
namespace {

// A marker line framed as the recordings frame them, stamped with the
// local date and time.
std::string MarkerText(std::string_view what) {
  const platform::SystemTime now = platform::GetLocalTime();
  support::TDateTimeRec rec;
  rec.Day = static_cast<std::uint8_t>(now.Day);
  rec.Month = static_cast<std::uint8_t>(now.Month);
  rec.Year = static_cast<std::uint16_t>(now.Year);
  rec.Hour = static_cast<std::uint8_t>(now.Hour);
  rec.Minute = static_cast<std::uint8_t>(now.Minute);
  rec.Second = static_cast<std::uint8_t>(now.Second);
  return "\r\n\r\n*********      " + std::string(what) + " " +
         support::FormatDateTimeRec(rec, false, true, "  ", false) + "      *********\r\n\r\n";
}

}  // namespace

void TMainForm::BindRecordingEvents() {}

void TMainForm::MarkPowerEvent(bool Suspended) {
  const std::string marker = MarkerText(Suspended ? "POWER SUSPENDED" : "POWER RESUMED");
  for (nmea::TNMEA2KDecoder* link : {DstLink.get(), GpsLink.get()}) {
    if (!link) continue;
    if (Suspended) {
      link->Suspend(marker);
    } else {
      link->Resume(marker);
    }
  }
  UpdateConnectionLeds();
}

}  // namespace app
