#include "gps_receiver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "sentence.h"

namespace dstsim {
namespace {

constexpr int kMaxSatellites = 12;

// ddmm.mmmm (DegreeDigits 2) or dddmm.mmmm (3) and the hemisphere letter.
std::string Coordinate(double Degrees, int DegreeDigits, char Positive, char Negative) {
  const double magnitude = std::fabs(Degrees);
  int whole = static_cast<int>(magnitude);
  double minutes = (magnitude - whole) * 60.0;
  if (minutes >= 59.99995) {
    minutes = 0.0;
    ++whole;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%0*d%07.4f,%c", DegreeDigits, whole, minutes, Degrees < 0 ? Negative : Positive);
  return text;
}

std::string Time(const UtcTime& T) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d%02d%02d.%02d", T.Hour, T.Minute, T.Second, T.Millisecond / 10);
  return text;
}

std::string Date(const UtcTime& T) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d%02d%02d", T.Day, T.Month, T.Year % 100);
  return text;
}

}  // namespace

GpsReceiver::GpsReceiver(GpsSettings Settings) : settings_(Settings) {
  settings_.Satellites = std::clamp(settings_.Satellites, 0, kMaxSatellites);
}

std::vector<std::string> GpsReceiver::Stream(double ElapsedSeconds, const UtcTime& Now) {
  // A nautical mile is a minute of latitude.
  const double miles = settings_.SpeedKnots * std::max(0.0, ElapsedSeconds) / 3600.0;
  const double course = settings_.CourseDegrees * std::numbers::pi / 180.0;
  settings_.Latitude = std::clamp(settings_.Latitude + miles * std::cos(course) / 60.0, -89.9, 89.9);
  const double lonScale = std::max(std::cos(settings_.Latitude * std::numbers::pi / 180.0), 0.01);
  settings_.Longitude += miles * std::sin(course) / 60.0 / lonScale;
  if (settings_.Longitude > 180.0) settings_.Longitude -= 360.0;
  if (settings_.Longitude < -180.0) settings_.Longitude += 360.0;

  const int sats = settings_.Satellites;
  const bool fix = sats >= 3;
  const std::string lat = Coordinate(settings_.Latitude, 2, 'N', 'S');
  const std::string lon = Coordinate(settings_.Longitude, 3, 'E', 'W');
  const std::string sog = Fixed(settings_.SpeedKnots, 1);
  const std::string cog = Fixed(settings_.CourseDegrees, 1);
  char count[16];
  std::snprintf(count, sizeof count, "%02d", sats);

  std::vector<std::string> out;
  out.push_back(Sentence("GPGGA," + Time(Now) + "," + lat + "," + lon + "," + (fix ? "1" : "0") + "," + count + "," +
                         Fixed(settings_.Hdop, 1) + ",2.5,M,47.0,M,,"));
  out.push_back(Sentence("GPRMC," + Time(Now) + "," + (fix ? "A" : "V") + "," + lat + "," + lon + "," + sog + "," +
                         cog + "," + Date(Now) + ",,,A"));
  out.push_back(Sentence("GPVTG," + cog + ",T,,M," + sog + ",N," + Fixed(settings_.SpeedKnots * 1.852, 1) + ",K,A"));

  std::string gsa = std::string("GPGSA,A,") + (fix ? "3" : "1");
  for (int i = 0; i < kMaxSatellites; ++i) {
    gsa += ',';
    if (i < sats) gsa += std::to_string(i * 3 + 2);
  }
  for (const double dop : {settings_.Hdop * 1.6, settings_.Hdop, settings_.Hdop * 1.3}) {
    gsa += ',';
    gsa += Fixed(dop, 1);
  }
  out.push_back(Sentence(gsa));

  const int messages = std::max(1, (sats + 3) / 4);
  for (int m = 0; m < messages; ++m) {
    std::string gsv = "GPGSV," + std::to_string(messages) + "," + std::to_string(m + 1) + "," + count;
    for (int i = m * 4; i < std::min(sats, m * 4 + 4); ++i) {
      char sat[64];
      std::snprintf(sat, sizeof sat, ",%02d,%02d,%03d,%02d", i * 3 + 2, 15 + (i * 37) % 70, (i * 47) % 360,
                    30 + (i * 7) % 20);
      gsv += sat;
    }
    out.push_back(Sentence(gsv));
  }
  return out;
}

}  // namespace dstsim
