#pragma once
// A simulated GPS receiver moving on a straight course: position, fix,
// speed and course over ground, and the satellites in view.

#include <string>
#include <vector>

namespace dstsim {

struct GpsSettings {
  double Latitude = 43.7167;   // degrees, north positive
  double Longitude = 10.4000;  // degrees, east positive
  double SpeedKnots = 6.0;
  double CourseDegrees = 90.0;
  int Satellites = 8;
  double Hdop = 0.9;
};

// A UTC time with milliseconds.
struct UtcTime {
  int Year = 2000;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

UtcTime UtcNow();

class GpsReceiver {
 public:
  explicit GpsReceiver(GpsSettings settings);

  static constexpr int kMaxSatellites = 12;

  // Bodies of one round of sentences at time now; the position first
  // advances by the distance covered in elapsedSeconds.
  std::vector<std::string> Stream(double elapsedSeconds, const UtcTime& now);

  // Satellites beyond kMaxSatellites count as kMaxSatellites.
  GpsSettings& Settings() { return settings_; }
  double Latitude() const { return settings_.Latitude; }
  double Longitude() const { return settings_.Longitude; }

 private:
  GpsSettings settings_;
};

}  // namespace dstsim
