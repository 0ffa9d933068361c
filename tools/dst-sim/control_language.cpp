#include "control_language.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <system_error>
#include <vector>

#include "simulator.h"

namespace dstsim {
namespace {

using Words = std::vector<std::string>;

// An answer that is not "ok".
struct Failure {
  std::string Why;
};

Words Split(const std::string& line) {
  std::istringstream in(line);
  Words words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

const std::string& Word(const Words& w, std::size_t i, const char* what) {
  if (i >= w.size()) throw Failure{std::string("missing ") + what};
  return w[i];
}

void NoMore(const Words& w, std::size_t count) {
  if (w.size() > count) throw Failure{"unexpected " + w[count]};
}

double Number(const std::string& text, double low, double high) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || end == text.c_str() || *end != '\0' || !std::isfinite(value) || value < low || value > high) {
    std::ostringstream why;
    why << text << " is not a number from " << low << " to " << high;
    throw Failure{why.str()};
  }
  return value;
}

long Whole(const std::string& text, double low, double high) {
  const double value = Number(text, low, high);
  if (value != std::floor(value)) throw Failure{text + " is not a whole number"};
  return static_cast<long>(value);
}

bool OnOff(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  throw Failure{text + " is neither on nor off"};
}

// The line named at w[i] when there is one (i then moves past it), else the
// default line.
SerialLine& LineAt(Simulator& sim, const Words& w, std::size_t& i) {
  if (i < w.size() && (w[i] == "dst" || w[i] == "gps")) {
    SerialLine* line = sim.Line(w[i]);
    if (!line) throw Failure{"no " + w[i] + " line"};
    ++i;
    return *line;
  }
  return sim.DefaultLine();
}

void Set(Simulator& sim, const Words& w) {
  const std::string& name = Word(w, 1, "setting");
  const std::string& value = Word(w, 2, "value");
  NoMore(w, 3);
  DstSettings& m = sim.Module().Settings();
  GpsSettings& g = sim.Receiver().Settings();
  const std::map<std::string, std::function<void()>> setters{
      {"speed", [&] { m.SpeedKnots = Number(value, 0, 100); }},
      {"sog", [&] { g.SpeedKnots = Number(value, 0, 100); }},
      {"course", [&] { g.CourseDegrees = Number(value, 0, 360); }},
      {"water-temp", [&] { m.WaterTemperature = Number(value, -5, 60); }},
      {"depth", [&] { m.DepthMetres = Number(value, 0, 10000); }},
      {"log-factor", [&] { sim.Module().Wheel().SetFactor(Number(value, 0.1, 10)); }},
      {"temp-offset",
       [&] {
         m.TemperatureOffset = Number(value, -DstModule::kMaxTemperatureOffset, DstModule::kMaxTemperatureOffset);
       }},
      {"depth-offset",
       [&] { m.TransducerOffset = Number(value, -DstModule::kMaxDepthOffset, DstModule::kMaxDepthOffset); }},
      {"trip", [&] { m.TripMiles = Number(value, 0, 1e6); }},
      {"satellites", [&] { g.Satellites = static_cast<int>(Whole(value, 0, GpsReceiver::kMaxSatellites)); }},
      {"firmware", [&] { m.Firmware = static_cast<std::uint32_t>(Whole(value, 0, 65535)); }},
      {"product", [&] { m.ProductCode = static_cast<std::uint32_t>(Whole(value, 0, 4294967295.0)); }},
      {"serial", [&] { m.SerialNumber = static_cast<std::uint32_t>(Whole(value, 0, 4294967295.0)); }},
      {"hardware", [&] { m.Hardware = static_cast<std::uint32_t>(Whole(value, 0, 255)); }},
  };
  const auto it = setters.find(name);
  if (it == setters.end()) throw Failure{"unknown setting " + name};
  it->second();
}

void LogError(Simulator& sim, const Words& w) {
  Word(w, 1, "off or speed:factor pairs");
  if (w[1] == "off") {
    NoMore(w, 2);
    sim.Module().Wheel().SetCurve({});
    return;
  }
  std::vector<std::pair<double, double>> curve;
  for (std::size_t i = 1; i < w.size(); ++i) {
    const auto colon = w[i].find(':');
    if (colon == std::string::npos) throw Failure{w[i] + " is not speed:factor"};
    curve.emplace_back(Number(w[i].substr(0, colon), 0, 100), Number(w[i].substr(colon + 1), 0.1, 10));
  }
  sim.Module().Wheel().SetCurve(std::move(curve));
}

void Table(Simulator& sim, const Words& w) {
  Word(w, 1, "coefficients or none");
  if (w[1] == "none") {
    NoMore(w, 2);
    sim.Module().ClearTable();
    return;
  }
  if (w.size() != kSpeedPoints + 1) throw Failure{"a table has 10 coefficients (x 100)"};
  SpeedTable table = FactorySpeedTable();
  for (std::size_t i = 0; i < kSpeedPoints; ++i) table[i].Coefficient = static_cast<int>(Whole(w[i + 1], 1, 9999));
  sim.Module().SetTable(table);
}

void Fault(Simulator& sim, const Words& w) {
  const std::string& kind = Word(w, 1, "fault");
  ReplyFaults& f = sim.Faults();
  std::size_t i = 2;
  if (kind == "ignore-identification") {
    f.IgnoreIdentification = OnOff(Word(w, i++, "on or off"));
  } else if (kind == "delay") {
    f.DelayMs = static_cast<int>(Whole(Word(w, i++, "milliseconds"), 0, 60000));
  } else if (kind == "drop") {
    f.DropCountdown = static_cast<int>(Whole(Word(w, i++, "reply number"), 0, 1000));
  } else if (kind == "partial-table") {
    const std::string& points = Word(w, i++, "points or off");
    f.PartialTablePoints = points == "off" ? -1 : static_cast<int>(Whole(points, 0, kSpeedPoints));
  } else if (kind == "spread-table") {
    f.SpreadTableMs = static_cast<int>(Whole(Word(w, i++, "milliseconds"), 0, 60000));
  } else if (kind == "no-table-after-delete") {
    sim.Module().Settings().ForgetTableOnDelete = OnOff(Word(w, i++, "on or off"));
  } else if (kind == "silent") {
    SerialLine& line = LineAt(sim, w, i);
    line.SetSilent(OnOff(Word(w, i++, "on or off")));
  } else if (kind == "hangup") {
    SerialLine& line = LineAt(sim, w, i);
    long after = 1000;
    if (i < w.size()) after = w[i] == "never" ? -1 : Whole(w[i], 0, 600000);
    if (i < w.size()) ++i;
    sim.HangUp(line, std::chrono::milliseconds(after));
  } else if (kind == "replug") {
    SerialLine& line = LineAt(sim, w, i);
    sim.Replug(line);
  } else if (kind == "clear") {
    f = ReplyFaults{};
    sim.Module().Settings().ForgetTableOnDelete = false;
    for (const char* source : {"dst", "gps"}) {
      if (SerialLine* line = sim.Line(source)) line->SetSilent(false);
    }
  } else {
    throw Failure{"unknown fault " + kind};
  }
  NoMore(w, i);
}

void Garbage(Simulator& sim, const Words& w) {
  const std::string& kind = Word(w, 1, "kind of garbage");
  std::size_t i = 2;
  if (kind == "zero-coefficient") {
    sim.Faults().ZeroCoefficientPoint = i < w.size() ? static_cast<int>(Whole(w[i++], 0, kSpeedPoints - 1)) : 0;
  } else {
    const std::optional<GarbageKind> garbage = GarbageByName(kind);
    if (!garbage) throw Failure{"unknown garbage " + kind};
    SerialLine& line = LineAt(sim, w, i);
    if (!line.Plugged()) throw Failure{line.Source() + " line is hung up"};
    const std::string id = i < w.size() ? w[i++] : std::string();
    if (!sim.InjectGarbage(line, *garbage, id)) throw Failure{"the " + line.Source() + " line sends no " + id};
  }
  NoMore(w, i);
}

}  // namespace

std::string ExecuteControl(Simulator& sim, const std::string& line) {
  const Words w = Split(line);
  if (w.empty()) return "error empty command";
  const std::string& verb = w[0];
  try {
    if (verb == "ping") {
      NoMore(w, 1);
    } else if (verb == "status") {
      NoMore(w, 1);
      return "ok " + sim.Status();
    } else if (verb == "quit") {
      NoMore(w, 1);
      sim.Quit();
    } else if (verb == "mark") {
      // The log's control line carries the text.
    } else if (verb == "set") {
      Set(sim, w);
    } else if (verb == "log-error") {
      LogError(sim, w);
    } else if (verb == "table") {
      Table(sim, w);
    } else if (verb == "sentence") {
      const std::string& id = Word(w, 1, "sentence id");
      const bool on = OnOff(Word(w, 2, "on or off"));
      NoMore(w, 3);
      if (!sim.SetSentence(id, on)) throw Failure{"no line sends " + id};
    } else if (verb == "clamp") {
      sim.Module().Settings().ClampOffsets = OnOff(Word(w, 1, "on or off"));
      NoMore(w, 2);
    } else if (verb == "fault") {
      Fault(sim, w);
    } else if (verb == "garbage") {
      Garbage(sim, w);
    } else {
      return "error unknown command " + verb;
    }
  } catch (const Failure& f) {
    return "error " + f.Why;
  } catch (const std::system_error& e) {
    return std::string("error ") + e.what();
  }
  return "ok";
}

}  // namespace dstsim
