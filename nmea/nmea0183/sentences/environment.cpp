// Water and air temperature (MTW, MTA), the meteorological composite (MDA)
// and the barometer (MMB).

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "support/conversions.h"

namespace nmea {
namespace {

constexpr double kMillibarsPerBar = 1000.0;

// A temperature in the value field Value with its unit letter (C or F) in
// the next field; runs when the unit field is present. An empty value is no
// reading: it must not pass for 0 °C, which would feed a wrong offset to the
// module's temperature calibration. The update tick and the quantity are
// stamped whatever the unit.
void StoreTemperature(const TSentenceContext& Ctx, int Value, double& Member, TTick& Tick, TQuantity Quantity) {
  const TSentenceFields& f = Ctx.Fields;
  if (!f.Has(Value + 1)) return;
  if (f.Filled(Value)) {
    const std::string_view unit = support::TrimText(f[Value + 1]);
    const char letter = unit.size() == 1 ? static_cast<char>(unit[0] & ~0x20) : '\0';
    if (letter == 'C') {
      Member = Ctx.Float(Value);
      Tick = Ctx.Tick;
    } else if (letter == 'F') {
      Member = TSentenceContext::FahrenheitToCelsius(Ctx.Float(Value));
      Tick = Ctx.Tick;
    }
  }
  Ctx.TouchQuantity(Quantity);
}

void StorePressure(const TSentenceContext& Ctx, int Bars) {
  tNMEAData& data = Ctx.Data;
  if (!Ctx.Fields.Filled(Bars)) return;
  data.BarometricPressure = Ctx.Float(Bars) * kMillibarsPerBar;
  data.BarometricPressureTick = Ctx.Tick;
  Ctx.TouchQuantity(qtBarometricPressure);
}

}  // namespace

void HandleMTW(TSentenceContext& Ctx) {
  // $--MTW,x.x,C*hh
  StoreTemperature(Ctx, 1, Ctx.Data.WaterTemperature, Ctx.Data.WaterTemperatureTick, qtWaterTemperature);
}

void HandleMTA(TSentenceContext& Ctx) {
  // $--MTA,x.x,C*hh
  StoreTemperature(Ctx, 1, Ctx.Data.AirTemperature, Ctx.Data.AirTemperatureTick, qtAirTemperature);
}

void HandleMDA(TSentenceContext& Ctx) {
  // $--MDA,x.x,I,x.x,B,x.x,C,x.x,C,x.x,x.x,x.x,C,x.x,T,x.x,M,x.x,N,x.x,M*hh
  tNMEAData& data = Ctx.Data;
  StorePressure(Ctx, 3);
  StoreTemperature(Ctx, 5, data.AirTemperature, data.AirTemperatureTick, qtAirTemperature);
  StoreTemperature(Ctx, 7, data.WaterTemperature, data.WaterTemperatureTick, qtWaterTemperature);
  Ctx.StoreFloat(9, data.RelativeHumidity, data.RelativeHumidityTick, qtHumidity);
  Ctx.StoreFloat(10, data.AbsoluteHumidity, data.AbsoluteHumidityTick, qtHumidity);
  StoreTemperature(Ctx, 11, data.DewPoint, data.DewPointTick, qtHumidity);
}

void HandleMMB(TSentenceContext& Ctx) {
  // $--MMB,x.x,I,x.x,B*hh
  StorePressure(Ctx, 3);
}

}  // namespace nmea
