#include "dst_module.h"

#include <algorithm>
#include <cstdio>

#include "sentence.h"

namespace dstsim {
namespace {

// Days since 30 December 1899, the module's date form.
long DaysSince1899(int y, int m, int d) {
  // Days from civil (proleptic Gregorian), shifted to the 1899-12-30 epoch.
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

std::string Hex(unsigned long value, int digits) {
  char text[20];
  std::snprintf(text, sizeof text, "%0*lX", digits, value);
  return text;
}

Answer Refuse(std::string why) {
  Answer a;
  a.Note = std::move(why);
  return a;
}

Answer Accept() {
  Answer a;
  a.Accepted = true;
  return a;
}

}  // namespace

DstModule::DstModule(DstSettings settings, double logFactor)
    : settings_(settings), wheel_(logFactor), table_(FactorySpeedTable()) {}

Answer DstModule::Handle(const std::string& body) {
  const Fields f = SplitFields(body);
  const bool uploadCommand = f[0] == "PARLRSC" && f.size() > 1 && f[1] == "SPD";
  std::vector<std::string> before;
  if (uploading_ && !uploadCommand) {
    before.push_back("command during upload: " + body);
    pendingSet_.fill(false);
    uploading_ = false;
    before.push_back("upload discarded: interrupted");
  }
  Answer a;
  if (f[0] == "PARLRHI") {
    a = Identify(f);
  } else if (f[0] == "PARLRRC") {
    a = ReadTable(f);
  } else if (f[0] == "PARLRSC") {
    a = SetCommand(f);
  } else if (f[0] == "PARLRRT") {
    a = TripPreset(f);
  } else if (f[0].rfind("PARL", 0) == 0) {
    a = Refuse("unknown command " + f[0]);
  } else {
    a = Refuse("not a command of this module: " + f[0]);
  }
  a.Events.insert(a.Events.begin(), before.begin(), before.end());
  return a;
}

Answer DstModule::Identify(const Fields& f) const {
  if (f.size() != 2) return Refuse("identification takes one field, 01");
  if (f[1] != "01") return Refuse("identification argument " + f[1] + " is not 01");
  Answer a = Accept();
  a.Kind = ReplyKind::Identification;
  a.Replies.push_back(IdentificationBody());
  return a;
}

std::string DstModule::IdentificationBody() const {
  const long date = DaysSince1899(settings_.FirmwareYear, settings_.FirmwareMonth, settings_.FirmwareDay);
  return "PARLIHS," + Hex(settings_.SerialNumber, 8) + ",," + std::to_string(settings_.ProductCode) + ",,,," +
         Hex(settings_.Firmware & 0xFFFF, 4) + "," + Hex(static_cast<unsigned long>(date), 8) + ",," +
         Hex(settings_.Hardware & 0xFF, 2);
}

Answer DstModule::ReadTable(const Fields& f) {
  if (f.size() != 2) return Refuse("a table read takes one field, SPD or TMP");
  Answer a = Accept();
  if (f[1] == "SPD") {
    a.Kind = ReplyKind::SpeedTable;
    if (!table_) {
      a.Events.push_back("no speed table to send");
      return a;
    }
    for (std::size_t i = 0; i < table_->size(); ++i) {
      const SpeedPoint& p = (*table_)[i];
      a.Replies.push_back("PARLARC,SPD," + std::to_string(i) + "," + std::to_string(p.Knots) + "," +
                          std::to_string(p.Coefficient));
    }
  } else if (f[1] == "TMP") {
    a.Kind = ReplyKind::TemperatureTable;
    const double offset = settings_.TemperatureOffset;
    if (settings_.Firmware >= kNewTemperatureForm) {
      a.Replies.push_back("PARLARC,TMP,0,," + Fixed(offset, 1));
    } else {
      // Older firmware sends the offset as an unsigned hundredth count.
      a.Replies.push_back("PARLARC,TMP,0," + Fixed(offset < 0 ? offset + 655.36 : offset, 2));
    }
  } else {
    return Refuse("unknown table " + f[1]);
  }
  return a;
}

Answer DstModule::SetCommand(const Fields& f) {
  if (f.size() < 2) return Refuse("a setting needs a kind, SPD, TMP or DPT");
  if (f[1] == "SPD") return f.size() > 2 && f[2] == "END" ? EndSpeedTable(f) : SpeedPointCommand(f);
  if (f[1] == "TMP") return TemperatureOffset(f);
  if (f[1] == "DPT") return DepthOffset(f);
  return Refuse("unknown setting " + f[1]);
}

Answer DstModule::SpeedPointCommand(const Fields& f) {
  if (f.size() != 5) return Refuse("a speed point takes index, knots and coefficient");
  long index = 0, knots = 0, coefficient = 0;
  if (!ParseWhole(f[2], index) || index >= static_cast<long>(kSpeedPoints)) {
    return Refuse("speed point index " + f[2] + " is not 0 to 9");
  }
  if (!ParseWhole(f[3], knots) || knots == 0) return Refuse("speed " + f[3] + " is not a whole number of knots");
  if (!ParseWhole(f[4], coefficient) || coefficient == 0) {
    return Refuse("coefficient " + f[4] + " is not a whole number above 0");
  }
  const auto i = static_cast<std::size_t>(index);
  pending_[i] = {static_cast<int>(knots), static_cast<int>(coefficient)};
  pendingSet_[i] = true;
  uploading_ = true;
  return Accept();
}

Answer DstModule::EndSpeedTable(const Fields& f) {
  long count = 0;
  if (f.size() != 4 || !ParseWhole(f[3], count)) return Refuse("END takes the number of points");
  if (count == 0) {
    Answer a = Accept();
    if (uploading_) DiscardUpload(a, "table deleted");
    if (settings_.ForgetTableOnDelete) {
      table_.reset();
    } else {
      table_ = FactorySpeedTable();
    }
    a.Events.push_back("speed table deleted");
    return a;
  }
  if (count != static_cast<long>(kSpeedPoints)) {
    Answer a = Refuse("END with " + f[3] + " points; a table has 10");
    if (uploading_) DiscardUpload(a, "END with " + f[3] + " points");
    return a;
  }
  const auto missing = std::find(pendingSet_.begin(), pendingSet_.end(), false);
  if (missing != pendingSet_.end()) {
    const std::string point = std::to_string(missing - pendingSet_.begin());
    Answer a = Refuse("upload incomplete: point " + point + " missing");
    DiscardUpload(a, "point " + point + " missing");
    return a;
  }
  table_ = pending_;
  pendingSet_.fill(false);
  uploading_ = false;
  Answer a = Accept();
  std::string points;
  for (const SpeedPoint& p : *table_) points += " " + std::to_string(p.Knots) + ":" + std::to_string(p.Coefficient);
  a.Events.push_back("speed table committed:" + points);
  return a;
}

void DstModule::DiscardUpload(Answer& a, const std::string& why) {
  pendingSet_.fill(false);
  uploading_ = false;
  a.Events.push_back("upload discarded: " + why);
}

Answer DstModule::TemperatureOffset(const Fields& f) {
  const bool newFirmware = settings_.Firmware >= kNewTemperatureForm;
  const std::string firmware = "firmware " + std::to_string(settings_.Firmware);
  std::string value;
  if (f.size() == 5 && f[3].empty()) {
    if (!newFirmware) return Refuse("TMP,0,,<offset> is the form of firmware 3042 and later; " + firmware);
    value = f[4];
  } else if (f.size() == 4) {
    if (newFirmware) return Refuse("TMP,0,<offset> is the form of firmware below 3042; " + firmware);
    value = f[3];
  } else {
    return Refuse("a temperature offset takes TMP,0,<offset> below firmware 3042, TMP,0,,<offset> from it");
  }
  if (f[2] != "0") return Refuse("temperature point " + f[2] + ": the module keeps point 0 only");
  double offset = 0;
  if (!ParseFixed(value, 1, offset)) return Refuse("offset " + value + " is not a number with 1 decimal");
  Answer a = Accept();
  if (!InRange(offset, kMaxTemperatureOffset, 1, a)) return a;
  settings_.TemperatureOffset = offset;
  a.Events.push_back("temperature offset " + Fixed(offset, 1));
  return a;
}

Answer DstModule::DepthOffset(const Fields& f) {
  if (f.size() != 3) return Refuse("a depth offset takes one field");
  double offset = 0;
  if (!ParseFixed(f[2], 2, offset)) return Refuse("offset " + f[2] + " is not a number with 2 decimals");
  Answer a = Accept();
  if (!InRange(offset, kMaxDepthOffset, 2, a)) return a;
  settings_.TransducerOffset = offset;
  a.Events.push_back("depth offset " + Fixed(offset, 2));
  return a;
}

Answer DstModule::TripPreset(const Fields& f) {
  if (f.size() != 2) return Refuse("a trip preset takes one field");
  double miles = 0;
  if (!ParseFixed(f[1], 2, miles)) return Refuse("trip " + f[1] + " is not a number with 2 decimals");
  Answer a = Accept();
  if (miles < 0) {
    if (!settings_.ClampOffsets) return Refuse("trip " + f[1] + " is below 0.00");
    a.Note = "clamped to 0.00";
    miles = 0;
  }
  settings_.TripMiles = miles;
  a.Events.push_back("trip " + Fixed(miles, 2));
  return a;
}

bool DstModule::InRange(double& value, double limit, int decimals, Answer& a) const {
  if (value >= -limit && value <= limit) return true;
  if (!settings_.ClampOffsets) {
    a = Refuse(Fixed(value, decimals) + " outside -" + Fixed(limit, decimals) + " to " + Fixed(limit, decimals));
    return false;
  }
  value = std::clamp(value, -limit, limit);
  a.Note = "clamped to " + Fixed(value, decimals);
  return true;
}

double DstModule::LogSpeed() const {
  const double raw = wheel_.Reading(settings_.SpeedKnots);
  return table_ ? raw * TableCorrection(*table_, raw) : raw;
}

std::vector<std::string> DstModule::Stream(double elapsedSeconds) {
  const double speed = LogSpeed();
  const double miles = speed * std::max(0.0, elapsedSeconds) / 3600.0;
  settings_.TripMiles += miles;
  settings_.TotalMiles += miles;
  const double depth = settings_.DepthMetres;
  return {
      "SDDBT," + Fixed(depth / 0.3048, 1) + ",f," + Fixed(depth, 2) + ",M," + Fixed(depth / 1.8288, 1) + ",F",
      "SDDPT," + Fixed(depth, 2) + "," + Fixed(settings_.TransducerOffset, 2) + ",",
      "VWVHW,,T,,M," + Fixed(speed, 2) + ",N," + Fixed(speed * 1.852, 2) + ",K",
      "VWVLW," + Fixed(settings_.TotalMiles, 2) + ",N," + Fixed(settings_.TripMiles, 2) + ",N",
      "YXMTW," + Fixed(settings_.WaterTemperature + settings_.TemperatureOffset, 1) + ",C",
  };
}

}  // namespace dstsim
