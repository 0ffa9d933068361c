#pragma once
// The records a link endpoint fills and the application reads: the current
// values of everything the link delivered, each stamped with the tick of its
// arrival (tick 0 = never received), and the small records that cross the
// link code. A scalar quantity Name is a value member Name and a tick member
// NameTick; the writer stores the value first, then the tick.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nmea {

// Tick of a store, from the endpoint's tick source.
using TTick = std::uint32_t;

struct trString {
  std::string Str;
  TTick Tick = 0;
};

struct tSatEntry {
  std::uint8_t PRN = 0;
  // GSV: 2 when the entry carries a signal-to-noise value, else 0; NMEA 2000:
  // the satellite status code.
  std::uint8_t Status = 0;
  float Elevation = 0;
  float Azimuth = 0;
  float SNR = 0;
};

struct tSatData {
  std::vector<tSatEntry> Sats;
};

// Mode letters of the fix sentences are mapped into the GGA quality codes.
enum : std::int32_t {
  kFixInvalid = 0,
  kFixGps = 1,
  kFixDifferential = 2,
  kFixEstimated = 6,
  kFixManual = 7,
  kFixSimulated = 8,
  kFixUnknown = 255,
};

struct tGPS {
  std::uint8_t NoFix = 0;  // 1 = no valid fix
  trString Datum;
  std::int32_t SatsInUse = 0;
  TTick SatsInUseTick = 0;
  tSatData Satellites;
  TTick SatellitesTick = 0;
  std::int32_t GnssType = 0;
  TTick GnssTypeTick = 0;
  std::int32_t FixQuality = 0;
  TTick FixQualityTick = 0;
  std::int32_t FixType = 0;  // 1 none, 2 two-dimensional, 3 three-dimensional
  TTick FixTypeTick = 0;
  double HDOP = 0;
  TTick HDOPTick = 0;
  double VDOP = 0;
  TTick VDOPTick = 0;
  double PDOP = 0;
  TTick PDOPTick = 0;
  double HorizontalError = 0;  // metres
  TTick HorizontalErrorTick = 0;
  double VerticalError = 0;  // metres
  TTick VerticalErrorTick = 0;
  std::string Manufacturer;  // maker code of the last receiver-proprietary sentence
  std::string ReceiverInfo;
  TTick LastFixSentenceTick = 0;
};

// A transducer measurement; identified by Key and Type together.
struct trSensor {
  std::uint32_t Key = 0;  // StringHash of Name
  std::string Name;
  std::uint8_t Type = 0;  // the transducer type character
  double Value = 0;
  std::string Units;
  TTick Tick = 0;
};
using tSensorArray = std::vector<trSensor>;

struct trWaypoint {
  std::string Name;
  double Latitude = 0;
  double Longitude = 0;
  double ClosureVelocity = 0;  // knots
  TTick Tick = 0;
};

struct trRoute {
  std::string OriginId;
  std::string DestinationId;
  double DestinationLatitude = 0;
  double DestinationLongitude = 0;
  double ClosingVelocity = 0;       // knots
  double BearingToDestination = 0;  // degrees
  double RangeToDestination = 0;    // nautical miles
  double CrossTrackError = 0;       // nautical miles, signed by the steer direction
  std::uint8_t Arrived = 0;
  std::uint8_t Mode = 0;  // in the FixQuality code space
  TTick Tick = 0;
};

struct tALR_Rec {
  std::uint32_t Key = 0;  // StringHashEx of the talker
  double Time = 0;        // time of day as a fraction of a day
  std::int32_t Number = 0;
  std::uint8_t Condition = 0;
  std::uint8_t Acknowledged = 0;
  std::string Text;
  TTick Tick = 0;
};
using tNmeaAlarmArray = std::vector<tALR_Rec>;

// Protocol of a product record: the endpoint's stream mode, or this value in
// a record nothing has filled yet.
inline constexpr std::uint8_t kProtocolUnset = 5;

// One device heard on the link. Its identity is (SourceId, ManufacturerKey,
// Protocol, ClassCode, ProductCode); DatabaseVersion is not part of it.
struct tNMEAProd {
  std::uint32_t SourceId = 0;
  std::uint32_t ManufacturerKey = 0;
  std::uint8_t Protocol = kProtocolUnset;
  std::uint16_t DatabaseVersion = 0;
  std::uint16_t ClassCode = 0;
  std::uint32_t ProductCode = 0;
  std::string ModelId;
  std::string SoftwareVersion;
  std::string HardwareVersion;
  std::string ModelVersion;
  std::string SerialNumber;
  double Date = 0;
  TTick Tick = 0;
};
using tNmeaProdArray = std::vector<tNMEAProd>;

struct TNMEACurvePoint {
  std::int32_t Index = 0;
  double X = 0;
  double Y = 0;
};

// Curve ids of the calibration tables the module sends.
inline constexpr std::uint8_t kCurveSpeed = 1;
inline constexpr std::uint8_t kCurveTemperature = 2;

// Points stay in order of first arrival; a point with an existing Index
// replaces it in place.
struct TNMEACurve {
  std::uint8_t Id = 0;
  TTick UpdateTick = 0;
  std::vector<TNMEACurvePoint> Points;
};
using TNMEACurveArray = std::vector<TNMEACurve>;

// Reception statistics: a talker (or NMEA 2000 source) and the sorted keys of
// its sentences (or PGNs).
struct tNMEATalkerRec {
  std::uint32_t Key = 0;
  std::vector<std::uint32_t> SubKeys;
};
using tNMEATalkerArray = std::vector<tNMEATalkerRec>;

struct tNmeaExtraInt {
  std::uint32_t Key = 0;
  std::int32_t Value = 0;
  TTick Tick = 0;
};
using tNmeaExtraArrayInt = std::vector<tNmeaExtraInt>;

// Key of the proprietary MTK590 value in tNMEAData::Extras.
inline constexpr std::uint32_t kExtraMtk590 = 500;

struct tEngineSlot {
  float EngineSpeed = 0;  // revolutions per minute
  float ShaftSpeed = 0;   // revolutions per minute
  float Pitch = 0;        // percent
  TTick EngineTick = 0;
  TTick ShaftTick = 0;
};

// The no-value mark of a coordinate while a position block is built.
inline constexpr double kNoPosition = 999999.0;

struct tNMEAData {
  tNmeaProdArray Products;

  // The position block: built whole by the position sentences and copied at
  // once.
  double Latitude = 0;         // signed decimal degrees, north positive
  double Longitude = 0;        // east positive
  double GeoidSeparation = 0;  // metres
  TTick PositionTick = 0;

  double Altitude = 0;  // metres
  TTick AltitudeTick = 0;
  double SOG = 0;  // knots
  TTick SOGTick = 0;
  double COG = 0;  // degrees true
  TTick COGTick = 0;

  tGPS GPS;

  std::uint8_t UtcHour = 0;
  std::uint8_t UtcMinute = 0;
  std::uint8_t UtcSecond = 0;
  std::uint16_t UtcMillisecond = 0;
  TTick UtcTimeTick = 0;
  // PC clock as UTC minus the received date and time, in days.
  double ClockOffset = 0;
  std::uint8_t UtcDay = 0;
  std::uint8_t UtcMonth = 0;
  std::uint16_t UtcYear = 0;
  TTick UtcDateTick = 0;
  // Tick of the last date a ZDA delivered; RMC leaves date and time to a
  // fresh one.
  TTick ZdaDateTick = 0;

  float Depth = 0;       // metres below the transducer
  float DepthRange = 0;  // metres
  TTick DepthTick = 0;
  double TransducerOffset = 0;  // metres
  TTick TransducerOffsetTick = 0;

  double WaterTemperature = 0;  // degrees Celsius
  TTick WaterTemperatureTick = 0;
  double AirTemperature = 0;
  TTick AirTemperatureTick = 0;
  double InsideTemperature = 0;
  TTick InsideTemperatureTick = 0;
  double EngineRoomTemperature = 0;
  TTick EngineRoomTemperatureTick = 0;
  double MainCabinTemperature = 0;
  TTick MainCabinTemperatureTick = 0;
  double BarometricPressure = 0;  // millibars
  TTick BarometricPressureTick = 0;
  double RelativeHumidity = 0;  // percent
  TTick RelativeHumidityTick = 0;
  double AbsoluteHumidity = 0;  // percent
  TTick AbsoluteHumidityTick = 0;
  double DewPoint = 0;  // degrees Celsius
  TTick DewPointTick = 0;

  double WaterSpeed = 0;  // knots
  TTick WaterSpeedTick = 0;
  double ApparentWindAngle = 0;  // degrees
  TTick ApparentWindAngleTick = 0;
  double TrueWindDirection = 0;
  TTick TrueWindDirectionTick = 0;
  double TrueWindAngle = 0;
  TTick TrueWindAngleTick = 0;
  double ApparentWindSpeed = 0;  // knots
  TTick ApparentWindSpeedTick = 0;
  double TrueWindSpeed = 0;
  TTick TrueWindSpeedTick = 0;
  double SpeedParallelToWind = 0;
  TTick SpeedParallelToWindTick = 0;

  double HeadingMagnetic = 0;  // degrees
  TTick HeadingMagneticTick = 0;
  double HeadingTrue = 0;
  TTick HeadingTrueTick = 0;
  double MagneticVariation = 0;
  TTick MagneticVariationTick = 0;
  double RateOfTurn = 0;  // degrees per minute
  TTick RateOfTurnTick = 0;
  double Pitch = 0;  // degrees
  TTick PitchTick = 0;
  double Roll = 0;
  TTick RollTick = 0;

  double TotalWaterDistance = 0;  // nautical miles
  TTick TotalWaterDistanceTick = 0;
  double TotalGroundDistance = 0;
  TTick TotalGroundDistanceTick = 0;
  double TripWaterDistance = 0;
  TTick TripWaterDistanceTick = 0;
  double TripGroundDistance = 0;
  TTick TripGroundDistanceTick = 0;

  trWaypoint Waypoint;
  trRoute Route;

  float StarboardRudder = 0;  // degrees
  TTick StarboardRudderTick = 0;
  float PortRudder = 0;
  TTick PortRudderTick = 0;

  std::array<tEngineSlot, 3> Engine{};

  tSensorArray Sensors;
  tNmeaExtraArrayInt Extras;

  TTick LastUpdateTick = 0;
  TTick ClockOffsetTick = 0;  // UtcTimeTick at which ClockOffset was last computed
};

// One NMEA 2000 message as handed to the message decoder.
struct TNmea2KMsg {
  std::uint32_t Timestamp = 0;
  std::uint8_t Priority = 0;
  std::uint32_t PGN = 0;  // 24 bits used
  std::uint8_t Source = 0;
  std::uint8_t Destination = 0;
  std::vector<std::uint8_t> Data;
};

// Indexes of the endpoint's per-quantity ticks that the parsers write.
enum TQuantity : int {
  qtPosition = 1,
  qtAltitude = 2,
  qtCourseOverGround = 3,
  qtSpeedOverGround = 4,
  qtUtcTime = 5,
  qtWaterSpeed = 6,
  qtDepth = 7,
  qtWaterTemperature = 8,
  qtHeading = 9,
  qtRateOfTurn = 10,
  qtPitchRoll = 11,
  qtWind = 12,
  qtAirTemperature = 13,
  qtBarometricPressure = 14,
  qtHumidity = 15,
  qtTransducers = 23,
  qtTripDistance = 24,
};
inline constexpr int kQuantityCount = 26;

}  // namespace nmea
