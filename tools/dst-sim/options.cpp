#include "options.h"

#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "serial_line.h"

namespace dstsim {
namespace {

constexpr const char* kHelp = R"(Usage: dst-sim [options]

Simulates a DST module (depth, speed and temperature) and a GPS receiver on
pseudo-terminals and publishes them as virtual serial ports. Start it, then
start the calibration program and pick the ports named below in its DST and
GPS port lists. Each line runs at its baud rate and follows the rate the
program sets on the port. The module answers identification, table reads
and writes, depth offset, temperature offset and trip reset as a real
module would, refuses commands a real module would refuse, and keeps what
it is sent until dst-sim ends. A control socket beside the ports changes
values and switches faults on while it runs (README.md lists its
commands). Stop it with Ctrl+C.

Ports:
  --dst-name NAME        name of the module's port (default dst-sim)
  --gps-name NAME        name of the GPS receiver's port (default gps-sim)
  --no-dst               no module
  --no-gps               no GPS receiver
  --dst-rate HZ          rounds of module sentences per second (default 1)
  --gps-rate HZ          rounds of GPS sentences per second (default 1)
  --dst-baud N           the module's line rate until the program sets
                         another (default 4800)
  --gps-baud N           the receiver's line rate (default 4800)
  --control PATH         control socket (default: beside the first port,
                         named after it with .control)

Module:
  --depth M              depth below the transducer, metres (default 12.5)
  --speed KN             true speed of the boat, knots (default 6.0)
  --log-factor F         paddle wheel reading per knot of true speed; the log
                         shows speed x F until a speed table corrects it
                         (default 0.95)
  --water-temp C         water temperature, degrees Celsius (default 18.0)
  --temp-offset C        temperature offset already stored (default 0.0)
  --depth-offset M       transducer offset already stored (default 0.0)
  --trip NM              trip distance (default 0.0)
  --total NM             total distance (default 1234.5)
  --product CODE         product code: 1 the DST module (default); 0, 3, 4,
                         7, 10, 11 other products; anything else unknown
  --firmware N           firmware version, 3042 meaning 3.042 (default 3042;
                         below 3032 the program calls it too old; below
                         3042 temperature offsets take the older form)
  --firmware-date Y-M-D  firmware date (default 2010-03-01)
  --hardware N           hardware version, 123 meaning 1.23 (default 123)
  --serial N             serial number (default 123456)
  --clamp                take out-of-range offsets at the nearest limit
                         instead of refusing them

GPS receiver:
  --lat DEG              start latitude, north positive (default 43.7167)
  --lon DEG              start longitude, east positive (default 10.4)
  --gps-speed KN         speed over ground (default: the --speed value)
  --course DEG           course over ground (default 90)
  --satellites N         satellites in use, 0 to 12; below 3 no fix
                         (default 8)

Other:
  --log FILE             append the timestamped event log to FILE
  --verbose              show the event log on standard output
  --stdin-lifeline       end when standard input closes
  --help                 this text
)";

bool Number(const char* text, double low, double high, double& out) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text, &end);
  if (errno != 0 || end == text || *end != '\0' || !std::isfinite(value) || value < low || value > high) return false;
  out = value;
  return true;
}

bool Whole(const char* text, double low, double high, std::uint32_t& out) {
  double value = 0;
  if (!Number(text, low, high, value) || value != std::floor(value)) return false;
  out = static_cast<std::uint32_t>(value);
  return true;
}

bool Baud(const char* text, int& out) {
  std::uint32_t value = 0;
  if (!Whole(text, 1, 1e7, value) || !SupportedBaud(static_cast<int>(value))) return false;
  out = static_cast<int>(value);
  return true;
}

bool Date(const char* text, DstSettings& s) {
  int y = 0, m = 0, d = 0;
  char tail = 0;
  if (std::sscanf(text, "%d-%d-%d%c", &y, &m, &d, &tail) != 3) return false;
  if (y < 1900 || y > 2100 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  s.FirmwareYear = y;
  s.FirmwareMonth = m;
  s.FirmwareDay = d;
  return true;
}

bool ValidName(const std::string& name) {
  return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos;
}

enum OptionId {
  kDstName = 256,
  kGpsName,
  kNoDst,
  kNoGps,
  kDstRate,
  kGpsRate,
  kDstBaud,
  kGpsBaud,
  kControl,
  kDepth,
  kSpeed,
  kLogFactor,
  kWaterTemp,
  kTempOffset,
  kDepthOffset,
  kTrip,
  kTotal,
  kProduct,
  kFirmware,
  kFirmwareDate,
  kHardware,
  kSerial,
  kClamp,
  kLat,
  kLon,
  kGpsSpeed,
  kCourse,
  kSatellites,
  kLog,
  kVerbose,
  kLifeline,
  kHelpOption
};

// In the order of OptionId.
const option kOptions[] = {
    {"dst-name", required_argument, nullptr, kDstName},
    {"gps-name", required_argument, nullptr, kGpsName},
    {"no-dst", no_argument, nullptr, kNoDst},
    {"no-gps", no_argument, nullptr, kNoGps},
    {"dst-rate", required_argument, nullptr, kDstRate},
    {"gps-rate", required_argument, nullptr, kGpsRate},
    {"dst-baud", required_argument, nullptr, kDstBaud},
    {"gps-baud", required_argument, nullptr, kGpsBaud},
    {"control", required_argument, nullptr, kControl},
    {"depth", required_argument, nullptr, kDepth},
    {"speed", required_argument, nullptr, kSpeed},
    {"log-factor", required_argument, nullptr, kLogFactor},
    {"water-temp", required_argument, nullptr, kWaterTemp},
    {"temp-offset", required_argument, nullptr, kTempOffset},
    {"depth-offset", required_argument, nullptr, kDepthOffset},
    {"trip", required_argument, nullptr, kTrip},
    {"total", required_argument, nullptr, kTotal},
    {"product", required_argument, nullptr, kProduct},
    {"firmware", required_argument, nullptr, kFirmware},
    {"firmware-date", required_argument, nullptr, kFirmwareDate},
    {"hardware", required_argument, nullptr, kHardware},
    {"serial", required_argument, nullptr, kSerial},
    {"clamp", no_argument, nullptr, kClamp},
    {"lat", required_argument, nullptr, kLat},
    {"lon", required_argument, nullptr, kLon},
    {"gps-speed", required_argument, nullptr, kGpsSpeed},
    {"course", required_argument, nullptr, kCourse},
    {"satellites", required_argument, nullptr, kSatellites},
    {"log", required_argument, nullptr, kLog},
    {"verbose", no_argument, nullptr, kVerbose},
    {"stdin-lifeline", no_argument, nullptr, kLifeline},
    {"help", no_argument, nullptr, kHelpOption},
    {nullptr, 0, nullptr, 0},
};
static_assert(std::size(kOptions) == kHelpOption - kDstName + 2);

// False when the value does not suit the option.
bool Apply(int c, const char* arg, Options& o, std::optional<double>& gpsSpeed) {
  DstSettings& m = o.Module;
  GpsSettings& g = o.Receiver;
  double value = 0;
  std::uint32_t whole = 0;
  switch (c) {
    case kDstName:
      o.DstName = arg;
      return ValidName(o.DstName);
    case kGpsName:
      o.GpsName = arg;
      return ValidName(o.GpsName);
    case kNoDst:
      o.Dst = false;
      return true;
    case kNoGps:
      o.Gps = false;
      return true;
    case kDstRate:
      return Number(arg, 0.1, 50, o.DstRate);
    case kGpsRate:
      return Number(arg, 0.1, 50, o.GpsRate);
    case kDstBaud:
      return Baud(arg, o.DstBaud);
    case kGpsBaud:
      return Baud(arg, o.GpsBaud);
    case kControl:
      o.ControlPath = arg;
      return !o.ControlPath.empty();
    case kDepth:
      return Number(arg, 0, 10000, m.DepthMetres);
    case kSpeed:
      return Number(arg, 0, 100, m.SpeedKnots);
    case kLogFactor:
      return Number(arg, 0.1, 10, o.LogFactor);
    case kWaterTemp:
      return Number(arg, -5, 60, m.WaterTemperature);
    case kTempOffset:
      return Number(arg, -DstModule::kMaxTemperatureOffset, DstModule::kMaxTemperatureOffset, m.TemperatureOffset);
    case kDepthOffset:
      return Number(arg, -DstModule::kMaxDepthOffset, DstModule::kMaxDepthOffset, m.TransducerOffset);
    case kTrip:
      return Number(arg, 0, 1e6, m.TripMiles);
    case kTotal:
      return Number(arg, 0, 1e7, m.TotalMiles);
    case kProduct:
      return Whole(arg, 0, 4294967295.0, m.ProductCode);
    case kFirmware:
      return Whole(arg, 0, 65535, m.Firmware);
    case kFirmwareDate:
      return Date(arg, m);
    case kHardware:
      return Whole(arg, 0, 255, m.Hardware);
    case kSerial:
      return Whole(arg, 0, 4294967295.0, m.SerialNumber);
    case kClamp:
      m.ClampOffsets = true;
      return true;
    case kLat:
      return Number(arg, -89.9, 89.9, g.Latitude);
    case kLon:
      return Number(arg, -180, 180, g.Longitude);
    case kGpsSpeed:
      if (!Number(arg, 0, 100, value)) return false;
      gpsSpeed = value;
      return true;
    case kCourse:
      return Number(arg, 0, 360, g.CourseDegrees);
    case kSatellites:
      if (!Whole(arg, 0, GpsReceiver::kMaxSatellites, whole)) return false;
      g.Satellites = static_cast<int>(whole);
      return true;
    case kLog:
      o.LogFile = arg;
      return !o.LogFile.empty();
    case kVerbose:
      o.Verbose = true;
      return true;
    case kLifeline:
      o.StdinLifeline = true;
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv, int& exitCode) {
  Options o;
  std::optional<double> gpsSpeed;
  exitCode = 2;
  opterr = 1;
  optind = 1;
  int c;
  while ((c = getopt_long(argc, argv, "", kOptions, nullptr)) != -1) {
    if (c == kHelpOption) {
      std::fputs(kHelp, stdout);
      exitCode = 0;
      return std::nullopt;
    }
    if (c < kDstName || c > kHelpOption) {
      std::fputs("Try 'dst-sim --help'.\n", stderr);
      return std::nullopt;
    }
    if (!Apply(c, optarg, o, gpsSpeed)) {
      std::fprintf(stderr, "dst-sim: invalid value '%s' for --%s\nTry 'dst-sim --help'.\n", optarg ? optarg : "",
                   kOptions[c - kDstName].name);
      return std::nullopt;
    }
  }
  if (optind < argc) {
    std::fprintf(stderr, "dst-sim: unexpected argument '%s'\nTry 'dst-sim --help'.\n", argv[optind]);
    return std::nullopt;
  }
  if (!o.Dst && !o.Gps) {
    std::fputs("dst-sim: nothing to simulate (--no-dst and --no-gps)\n", stderr);
    return std::nullopt;
  }
  if (o.Dst && o.Gps && o.DstName == o.GpsName) {
    std::fputs("dst-sim: the two ports need different names\n", stderr);
    return std::nullopt;
  }
  o.Receiver.SpeedKnots = gpsSpeed.value_or(o.Module.SpeedKnots);
  return o;
}

}  // namespace dstsim
