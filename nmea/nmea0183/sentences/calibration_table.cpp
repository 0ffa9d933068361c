// ARLARC: one point of a calibration table the module sends back. Speed
// points carry the speed and the coefficient / 100; temperature points carry
// X 20.0 and the temperature, values above 650 in the short form standing
// for value - 655.36.

#include <algorithm>

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "support/conversions.h"

namespace nmea {

void HandleARLARC(TSentenceContext& Ctx) {
  // $PARLARC,c--c,x,x.x,x*hh
  const TSentenceFields& f = Ctx.Fields;
  TNMEACurvePointRec point{.Id = 0, .Index = -1, .X = -999.0, .Y = 1.0};
  if (f.Filled(1)) {
    const std::string_view table = support::TrimText(f[1]);
    const auto is = [table](std::string_view Name) {
      return table.size() == Name.size() && std::equal(table.begin(), table.end(), Name.begin(), [](char A, char B) {
               return (A >= 'a' && A <= 'z' ? A - 32 : A) == B;
             });
    };
    if (is("SPD")) {
      point.Id = kCurveSpeed;
    } else if (is("TMP")) {
      point.Id = kCurveTemperature;
    }
  }
  if (f.Filled(2)) point.Index = static_cast<std::int32_t>(Ctx.Int(2));
  if (f.Filled(3)) {
    point.X = Ctx.Float(3);
    if (point.Id == kCurveTemperature) {
      point.Y = point.X > 650.0 ? point.X - 655.36 : point.X;
      point.X = 20.0;
      if (point.Index > -1) Ctx.Self.AddCurvePoint(point, Ctx.Tick);
      return;
    }
  }
  if (!f.Filled(4)) return;
  if (point.Id == kCurveTemperature) {
    point.Y = Ctx.Float(4);
    point.X = 20.0;
    if (point.Index > -1) Ctx.Self.AddCurvePoint(point, Ctx.Tick);
  } else {
    point.Y = static_cast<double>(Ctx.Int(4)) / 100.0;
    if (point.Index > -1 && point.X != -999.0 && point.Y > 0.0) Ctx.Self.AddCurvePoint(point, Ctx.Tick);
  }
  Ctx.Touch();
}

}  // namespace nmea
