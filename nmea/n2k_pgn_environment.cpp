// Environmental parameters: a temperature by its source, humidity and
// pressure.

#include "nmea/n2k_message.h"
#include "nmea/n2k_pgns.h"
#include "nmea/n2k_text.h"

namespace nmea {
namespace {

struct TemperatureSource {
  std::string_view Label;
  double tNMEAData::*Cell;
  TTick tNMEAData::*Tick;
  TQuantity Quantity;
};

const TemperatureSource kSources[] = {
    {"Sea", &tNMEAData::WaterTemperature, &tNMEAData::WaterTemperatureTick, qtWaterTemperature},
    {"Outside", &tNMEAData::AirTemperature, &tNMEAData::AirTemperatureTick, qtAirTemperature},
    {"Inside", &tNMEAData::InsideTemperature, &tNMEAData::InsideTemperatureTick, qtAirTemperature},
    {"", &tNMEAData::EngineRoomTemperature, &tNMEAData::EngineRoomTemperatureTick, qtAirTemperature},
    {"", &tNMEAData::MainCabinTemperature, &tNMEAData::MainCabinTemperatureTick, qtAirTemperature},
};

}  // namespace

void DecodeEnvironmentalParameters(N2kMessage& m) {
  TN2kFieldStatus temperatureStatus;
  TN2kFieldStatus humidityStatus;
  TN2kFieldStatus pressureStatus;
  const std::uint8_t code = *m.At(1) & 0x3F;
  const double temperature = N2kWord(m.At(2), temperatureStatus) * 0.01 - 273.15;
  const double humidity = N2kSmallInt(m.At(4), humidityStatus) * 0.004;
  const double pressure = N2kWord(m.At(6), pressureStatus);
  const TemperatureSource* source = code < std::size(kSources) ? &kSources[code] : nullptr;
  if (temperatureStatus == fsValid || humidityStatus == fsValid || pressureStatus == fsValid) {
    tNMEAData& d = m.Data;
    if (temperatureStatus == fsValid && source) {
      d.*source->Cell = temperature;
      d.*source->Tick = m.Tick();
      m.Stored(source->Quantity);
    }
    if (humidityStatus == fsValid) {
      d.RelativeHumidity = humidity;
      d.RelativeHumidityTick = m.Tick();
      m.Stored(qtHumidity);
    }
    if (pressureStatus == fsValid) {
      d.BarometricPressure = pressure;  // hectopascals are millibars
      d.BarometricPressureTick = m.Tick();
      m.Stored(qtBarometricPressure);
    }
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> TEMP:  ");
  std::string unit = "\xB0" "C ";
  if (source) unit += source->Label;
  line += N2kNumberText(temperature, 1, unit, temperatureStatus);
  line += "   HUMIDITY   ";
  line += N2kNumberText(humidity, 2, "%", humidityStatus);
  line += "    PESSURE  ";
  line += N2kNumberText(pressure, 1, " mb", pressureStatus);
  m.Emit(line);
}

}  // namespace nmea
