// Environmental parameters: a temperature by its source, humidity and
// pressure.

#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

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
    if (source && m.Store(temperatureStatus, d.*source->Cell, d.*source->Tick, temperature)) {
      m.Stored(source->Quantity);
    }
    if (m.Store(humidityStatus, d.RelativeHumidity, d.RelativeHumidityTick, humidity)) m.Stored(qtHumidity);
    // Hectopascals are millibars.
    if (m.Store(pressureStatus, d.BarometricPressure, d.BarometricPressureTick, pressure)) {
      m.Stored(qtBarometricPressure);
    }
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> TEMP:  ");
  std::string unit =
      "\xB0"
      "C ";
  if (source) unit += source->Label;
  line += N2kNumberText(temperature, 1, unit, temperatureStatus);
  line += "   HUMIDITY   ";
  line += N2kNumberText(humidity, 2, "%", humidityStatus);
  line += "    PESSURE  ";
  line += N2kNumberText(pressure, 1, " mb", pressureStatus);
  m.Emit(line);
}

}  // namespace nmea
