#include "dst_module.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sentence.h"

namespace dstsim {
namespace {

constexpr std::array<int, DstModule::kSpeedPoints> kPointKnots{2, 3, 4, 5, 6, 8, 12, 15, 20, 30};

// Days since 30 December 1899, the module's date form.
long DaysSince1899(int Y, int M, int D) {
  // Days from civil (proleptic Gregorian), shifted to the 1899-12-30 epoch.
  Y -= M <= 2;
  const long era = (Y >= 0 ? Y : Y - 399) / 400;
  const long yoe = Y - era * 400;
  const long doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

std::string Hex(unsigned long Value, int Digits) {
  char text[20];
  std::snprintf(text, sizeof text, "%0*lX", Digits, Value);
  return text;
}

double Number(const std::string& Field) {
  std::string text = Field;
  std::replace(text.begin(), text.end(), ',', '.');
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace

std::array<SpeedPoint, DstModule::kSpeedPoints> FactorySpeedTable() {
  std::array<SpeedPoint, DstModule::kSpeedPoints> table;
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = {kPointKnots[i], 100};
  return table;
}

DstModule::DstModule(DstSettings Settings) : settings_(Settings), table_(FactorySpeedTable()) {}

std::vector<std::string> DstModule::HandleSentence(std::string_view Sentence) {
  std::string body;
  if (!SentenceBody(Sentence, body)) return {};
  const std::vector<std::string> fields = SplitFields(body);
  const std::string& tag = fields[0];
  if (tag == "PARLRHI") return Identify();
  if (tag == "PARLRRC" && fields.size() > 1) return ReadTable(fields[1]);
  if (tag == "PARLRSC" || tag == "PARLRRT") SetValue(fields);
  return {};
}

std::vector<std::string> DstModule::Identify() const {
  const long date = DaysSince1899(settings_.FirmwareYear, settings_.FirmwareMonth, settings_.FirmwareDay);
  return {Sentence("PARLIHS," + Hex(settings_.SerialNumber, 8) + ",0," + std::to_string(settings_.ProductCode) +
                   ",0,0,0," + Hex(settings_.Firmware, 4) + "," + Hex(static_cast<unsigned long>(date), 8) + ",0," +
                   Hex(settings_.Hardware & 0xFF, 2))};
}

std::vector<std::string> DstModule::ReadTable(const std::string& Kind) const {
  std::vector<std::string> replies;
  if (Kind == "SPD") {
    for (std::size_t i = 0; i < table_.size(); ++i) {
      replies.push_back(Sentence("PARLARC,SPD," + std::to_string(i) + "," + std::to_string(table_[i].Knots) + "," +
                                 std::to_string(table_[i].Coefficient)));
    }
  } else if (Kind == "TMP") {
    const double offset = settings_.TemperatureOffset;
    if (settings_.Firmware >= kNewTemperatureForm) {
      replies.push_back(Sentence("PARLARC,TMP,0,," + Fixed(offset, 1)));
    } else {
      // Older firmware sends the offset as an unsigned hundredth count.
      replies.push_back(Sentence("PARLARC,TMP,0," + Fixed(offset < 0 ? offset + 655.36 : offset, 2)));
    }
  }
  return replies;
}

void DstModule::SetValue(const std::vector<std::string>& Fields) {
  if (Fields[0] == "PARLRRT") {
    if (Fields.size() > 1) settings_.TripMiles = std::max(0.0, Number(Fields[1]));
    return;
  }
  if (Fields.size() < 3) return;
  const std::string& kind = Fields[1];
  if (kind == "DPT") {
    settings_.TransducerOffset = std::clamp(Number(Fields[2]), -32.76, 32.76);
  } else if (kind == "TMP" && Fields.size() > 3) {
    // "0,offset" from older programs, "0,,offset" from newer ones.
    const std::string& value = Fields[3].empty() && Fields.size() > 4 ? Fields[4] : Fields[3];
    settings_.TemperatureOffset = std::clamp(Number(value), -5.0, 5.0);
  } else if (kind == "SPD" && Fields[2] == "END") {
    const int count = Fields.size() > 3 ? std::atoi(Fields[3].c_str()) : -1;
    if (count == 0) {
      table_ = FactorySpeedTable();
    } else if (count == static_cast<int>(kSpeedPoints) &&
               std::all_of(pendingSet_.begin(), pendingSet_.end(), [](bool Set) { return Set; })) {
      table_ = pending_;
    }
    pendingSet_.fill(false);
  } else if (kind == "SPD" && Fields.size() > 4) {
    const int index = std::atoi(Fields[2].c_str());
    const int coefficient = std::atoi(Fields[4].c_str());
    if (index < 0 || index >= static_cast<int>(kSpeedPoints) || coefficient <= 0) return;
    pending_[static_cast<std::size_t>(index)] = {std::atoi(Fields[3].c_str()), coefficient};
    pendingSet_[static_cast<std::size_t>(index)] = true;
  }
}

double DstModule::Correction(double RawKnots) const {
  std::array<SpeedPoint, kSpeedPoints> points = table_;
  std::sort(points.begin(), points.end(), [](const SpeedPoint& A, const SpeedPoint& B) { return A.Knots < B.Knots; });
  if (RawKnots <= points.front().Knots) return points.front().Coefficient / 100.0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    if (RawKnots <= points[i].Knots) {
      const SpeedPoint& a = points[i - 1];
      const SpeedPoint& b = points[i];
      if (b.Knots == a.Knots) return b.Coefficient / 100.0;
      const double t = (RawKnots - a.Knots) / (b.Knots - a.Knots);
      return (a.Coefficient + t * (b.Coefficient - a.Coefficient)) / 100.0;
    }
  }
  return points.back().Coefficient / 100.0;
}

double DstModule::LogSpeed() const {
  const double raw = settings_.SpeedKnots * settings_.LogFactor;
  return raw * Correction(raw);
}

std::vector<std::string> DstModule::Stream(double ElapsedSeconds) {
  const double speed = LogSpeed();
  const double miles = speed * std::max(0.0, ElapsedSeconds) / 3600.0;
  settings_.TripMiles += miles;
  settings_.TotalMiles += miles;
  const double depth = settings_.DepthMetres;
  return {
      Sentence("SDDBT," + Fixed(depth / 0.3048, 1) + ",f," + Fixed(depth, 2) + ",M," + Fixed(depth / 1.8288, 1) + ",F"),
      Sentence("SDDPT," + Fixed(depth, 2) + "," + Fixed(settings_.TransducerOffset, 2) + ","),
      Sentence("VWVHW,,T,,M," + Fixed(speed, 2) + ",N," + Fixed(speed * 1.852, 2) + ",K"),
      Sentence("VWVLW," + Fixed(settings_.TotalMiles, 2) + ",N," + Fixed(settings_.TripMiles, 2) + ",N"),
      Sentence("YXMTW," + Fixed(settings_.WaterTemperature + settings_.TemperatureOffset, 1) + ",C"),
  };
}

}  // namespace dstsim
