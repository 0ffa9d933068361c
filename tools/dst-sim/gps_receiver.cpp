#include "gps_receiver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

#include "sentence.h"

namespace dstsim {
namespace {

// ddmm.mmmm (degreeDigits 2) or dddmm.mmmm (3) and the hemisphere letter.
std::string Coordinate(double degrees, int degreeDigits, char positive, char negative) {
  const double magnitude = std::fabs(degrees);
  int whole = static_cast<int>(magnitude);
  double minutes = (magnitude - whole) * 60.0;
  if (minutes >= 59.99995) {
    minutes = 0.0;
    ++whole;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%0*d%07.4f,%c", degreeDigits, whole, minutes, degrees < 0 ? negative : positive);
  return text;
}

std::string Time(const UtcTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d%02d%02d.%02d", t.Hour, t.Minute, t.Second, t.Millisecond / 10);
  return text;
}

std::string Date(const UtcTime& t) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d%02d%02d", t.Day, t.Month, t.Year % 100);
  return text;
}

}  // namespace

UtcTime UtcNow() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  std::tm u{};
  ::gmtime_r(&seconds, &u);
  return {u.tm_year + 1900, u.tm_mon + 1, u.tm_mday, u.tm_hour, u.tm_min, u.tm_sec, static_cast<int>(ms % 1000)};
}

GpsReceiver::GpsReceiver(GpsSettings settings) : settings_(settings) {}

std::vector<std::string> GpsReceiver::Stream(double elapsedSeconds, const UtcTime& now) {
  // A nautical mile is a minute of latitude.
  const double miles = settings_.SpeedKnots * std::max(0.0, elapsedSeconds) / 3600.0;
  const double course = settings_.CourseDegrees * std::numbers::pi / 180.0;
  settings_.Latitude = std::clamp(settings_.Latitude + miles * std::cos(course) / 60.0, -89.9, 89.9);
  const double lonScale = std::max(std::cos(settings_.Latitude * std::numbers::pi / 180.0), 0.01);
  settings_.Longitude += miles * std::sin(course) / 60.0 / lonScale;
  if (settings_.Longitude > 180.0) settings_.Longitude -= 360.0;
  if (settings_.Longitude < -180.0) settings_.Longitude += 360.0;

  const int sats = std::clamp(settings_.Satellites, 0, kMaxSatellites);
  const bool fix = sats >= 3;
  const std::string lat = Coordinate(settings_.Latitude, 2, 'N', 'S');
  const std::string lon = Coordinate(settings_.Longitude, 3, 'E', 'W');
  const std::string sog = Fixed(settings_.SpeedKnots, 1);
  const std::string cog = Fixed(settings_.CourseDegrees, 1);
  char count[16];
  std::snprintf(count, sizeof count, "%02d", sats);

  std::vector<std::string> out;
  out.push_back("GPGGA," + Time(now) + "," + lat + "," + lon + "," + (fix ? "1" : "0") + "," + count + "," +
                Fixed(settings_.Hdop, 1) + ",2.5,M,47.0,M,,");
  out.push_back("GPRMC," + Time(now) + "," + (fix ? "A" : "V") + "," + lat + "," + lon + "," + sog + "," + cog + "," +
                Date(now) + ",,,A");
  out.push_back("GPVTG," + cog + ",T,,M," + sog + ",N," + Fixed(settings_.SpeedKnots * 1.852, 1) + ",K,A");

  std::string gsa = std::string("GPGSA,A,") + (fix ? "3" : "1");
  for (int i = 0; i < kMaxSatellites; ++i) {
    gsa += ',';
    if (i < sats) gsa += std::to_string(i * 3 + 2);
  }
  for (const double dop : {settings_.Hdop * 1.6, settings_.Hdop, settings_.Hdop * 1.3}) {
    gsa += ',';
    gsa += Fixed(dop, 1);
  }
  out.push_back(gsa);

  const int messages = std::max(1, (sats + 3) / 4);
  for (int m = 0; m < messages; ++m) {
    std::string gsv = "GPGSV," + std::to_string(messages) + "," + std::to_string(m + 1) + "," + count;
    for (int i = m * 4; i < std::min(sats, m * 4 + 4); ++i) {
      char sat[64];
      std::snprintf(sat, sizeof sat, ",%02d,%02d,%03d,%02d", i * 3 + 2, 15 + (i * 37) % 70, (i * 47) % 360,
                    30 + (i * 7) % 20);
      gsv += sat;
    }
    out.push_back(gsv);
  }
  return out;
}

}  // namespace dstsim
