#pragma once
// A simulated DST module: it answers the proprietary commands of the
// calibration program (identification, reading and writing the speed and
// temperature tables, depth offset, trip reset) and streams depth, water
// speed, distance and water temperature sentences. Its log speed is the
// paddle wheel's raw reading corrected by its own speed table, so a table
// the program sends changes what the module reports.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dstsim {

struct DstSettings {
  double DepthMetres = 12.5;
  double SpeedKnots = 6.0;  // true speed through the water
  double LogFactor = 0.95;  // raw paddle wheel reading per knot of true speed
  double WaterTemperature = 18.0;
  double TripMiles = 0.0;
  double TotalMiles = 1234.5;
  double TransducerOffset = 0.0;
  double TemperatureOffset = 0.0;
  std::uint32_t ProductCode = 1;  // 1: the calibratable DST module
  std::uint32_t Firmware = 3042;  // 3042 is version 3.042
  std::uint32_t Hardware = 123;   // 1.23
  std::uint32_t SerialNumber = 123456;
  int FirmwareYear = 2010;
  int FirmwareMonth = 3;
  int FirmwareDay = 1;
};

struct SpeedPoint {
  int Knots = 0;
  int Coefficient = 100;  // correction x 100
};

class DstModule {
 public:
  static constexpr std::size_t kSpeedPoints = 10;
  // Firmware from which temperature offsets carry an empty field before the
  // value.
  static constexpr std::uint32_t kNewTemperatureForm = 3042;

  explicit DstModule(DstSettings Settings);

  // Replies (finished sentences) to one received sentence; none for
  // anything that is not a command of this module or has a bad checksum.
  std::vector<std::string> HandleSentence(std::string_view Sentence);
  // One round of the module's own sentences; distances advance by the log
  // speed over ElapsedSeconds.
  std::vector<std::string> Stream(double ElapsedSeconds);

  const std::array<SpeedPoint, kSpeedPoints>& SpeedTable() const { return table_; }
  double TemperatureOffset() const { return settings_.TemperatureOffset; }
  double TransducerOffset() const { return settings_.TransducerOffset; }
  double TripMiles() const { return settings_.TripMiles; }
  // The speed the module reports: the raw reading times the table's
  // correction at that reading.
  double LogSpeed() const;

 private:
  std::vector<std::string> Identify() const;
  std::vector<std::string> ReadTable(const std::string& Kind) const;
  void SetValue(const std::vector<std::string>& Fields);
  double Correction(double RawKnots) const;

  DstSettings settings_;
  std::array<SpeedPoint, kSpeedPoints> table_;
  std::array<SpeedPoint, kSpeedPoints> pending_;
  std::array<bool, kSpeedPoints> pendingSet_{};
};

// The speed table a module leaves the factory with, and returns to when
// its table is deleted: no correction at any point.
std::array<SpeedPoint, DstModule::kSpeedPoints> FactorySpeedTable();

}  // namespace dstsim
