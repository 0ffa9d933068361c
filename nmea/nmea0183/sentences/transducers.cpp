// XDR: transducer measurements, any number of quadruples of type, value,
// units and name. Each named measurement is kept as "talker.n.name", n
// counting the named quadruples of the sentence.

#include <algorithm>
#include <charconv>

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "support/hashing.h"

namespace nmea {
namespace {

// A peer that keeps inventing names must not grow the list without end;
// measurements of names beyond it are dropped.
constexpr std::size_t kMaxSensors = 256;

// Updates the entry of the same name and type in place, or appends one.
void StoreSensor(tSensorArray& Sensors, trSensor& Sensor, std::string_view Name) {
  Sensor.Key = support::StringHash(Name);
  const auto found = std::find_if(Sensors.begin(), Sensors.end(), [&Sensor](const trSensor& S) {
    return S.Key == Sensor.Key && S.Type == Sensor.Type;
  });
  if (found != Sensors.end()) {
    found->Value = Sensor.Value;
    found->Units = Sensor.Units;
    found->Tick = Sensor.Tick;
  } else if (Sensors.size() < kMaxSensors) {
    Sensor.Name = Name;
    Sensors.push_back(Sensor);
  }
}

}  // namespace

void HandleXDR(TSentenceContext& Ctx) {
  // $--XDR,a,x.x,a,c--c,...,a,x.x,a,c--c*hh
  const TSentenceFields& f = Ctx.Fields;
  // Kept between sentences only for its capacity, so that names are built
  // without allocating.
  thread_local std::string name;
  // A quadruple that leaves its type empty keeps the previous quadruple's
  // type, while its units are taken as they stand, empty ones included. One
  // that leaves its value empty has no reading and stores nothing, but still
  // counts, so that the names of the others stay put.
  trSensor sensor;
  int named = 0;
  for (int first = 1; f.Has(first); first += 4) {
    if (f.Filled(first)) sensor.Type = static_cast<std::uint8_t>(f[first].front());
    const bool reading = f.Filled(first + 1);
    if (reading) sensor.Value = Ctx.Float(first + 1);
    if (f.Has(first + 2)) sensor.Units = f[first + 2];
    if (!f.Filled(first + 3)) continue;
    ++named;
    if (!reading) continue;
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, named).ptr;
    name.assign(Ctx.Talker);
    name += '.';
    name.append(digits, end);
    name += '.';
    name += f[first + 3];
    sensor.Tick = Ctx.Tick;
    Ctx.TouchQuantity(qtTransducers);
    StoreSensor(Ctx.Data.Sensors, sensor, name);
  }
}

}  // namespace nmea
