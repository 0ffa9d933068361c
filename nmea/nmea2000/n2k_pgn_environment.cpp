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

void DecodeEnvironmentalParameters(N2kMessage& M) {
  TN2kFieldStatus temperatureStatus;
  TN2kFieldStatus humidityStatus;
  TN2kFieldStatus pressureStatus;
  const std::uint8_t code = *M.At(1) & 0x3F;
  const double temperature = N2kWord(M.At(2), temperatureStatus) * 0.01 - 273.15;
  const double humidity = N2kSmallInt(M.At(4), humidityStatus) * 0.004;
  const double pressure = N2kWord(M.At(6), pressureStatus);
  const TemperatureSource* source = code < std::size(kSources) ? &kSources[code] : nullptr;
  if (temperatureStatus == fsValid || humidityStatus == fsValid || pressureStatus == fsValid) {
    tNMEAData& d = M.Data;
    if (source && M.Store(temperatureStatus, d.*source->Cell, d.*source->Tick, temperature)) {
      M.Stored(source->Quantity);
    }
    if (M.Store(humidityStatus, d.RelativeHumidity, d.RelativeHumidityTick, humidity)) M.Stored(qtHumidity);
    // Hectopascals are millibars.
    if (M.Store(pressureStatus, d.BarometricPressure, d.BarometricPressureTick, pressure)) {
      M.Stored(qtBarometricPressure);
    }
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> TEMP:  ");
  std::string unit =
      "\xB0"
      "C ";
  if (source) unit += source->Label;
  line += N2kNumberText(temperature, 1, unit, temperatureStatus);
  line += "   HUMIDITY   ";
  line += N2kNumberText(humidity, 2, "%", humidityStatus);
  line += "    PESSURE  ";
  line += N2kNumberText(pressure, 1, " mb", pressureStatus);
  M.Emit(line);
}

}  // namespace nmea
