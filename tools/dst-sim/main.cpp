// dst-sim: a DST module and a GPS receiver on pseudo-terminals, published
// as virtual serial ports for the calibration program.

#include <getopt.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "dst_module.h"
#include "gps_receiver.h"
#include "platform/core/os/clock.h"
#include "platform/core/os/pseudo_terminal.h"
#include "platform/core/os/serial_ports.h"
#include "sentence.h"

namespace {

constexpr const char* kHelp = R"(Usage: dst-sim [options]

Simulates a DST module (depth, speed and temperature) and a GPS receiver on
pseudo-terminals and publishes them as virtual serial ports. Start it, then
start the calibration program and pick the ports named below in its DST and
GPS port lists (any baud rate works). The module answers identification,
table reads and writes, depth offset, temperature offset and trip reset as a
real module would, and keeps what it is sent until dst-sim ends. Stop it
with Ctrl+C.

Ports:
  --dst-name NAME        name of the module's port (default dst-sim)
  --gps-name NAME        name of the GPS receiver's port (default gps-sim)
  --no-dst               no module
  --no-gps               no GPS receiver
  --dst-rate HZ          rounds of module sentences per second (default 1)
  --gps-rate HZ          rounds of GPS sentences per second (default 1)

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
                         below 3032 the program calls it too old)
  --firmware-date Y-M-D  firmware date (default 2010-03-01)
  --hardware N           hardware version, 123 meaning 1.23 (default 123)
  --serial N             serial number (default 123456)

GPS receiver:
  --lat DEG              start latitude, north positive (default 43.7167)
  --lon DEG              start longitude, east positive (default 10.4)
  --gps-speed KN         speed over ground (default: the --speed value)
  --course DEG           course over ground (default 90)
  --satellites N         satellites in use, 0 to 12; below 3 no fix
                         (default 8)

Other:
  --verbose              print every command received and every reply
  --help                 this text
)";

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

struct Options {
  std::string DstName = "dst-sim";
  std::string GpsName = "gps-sim";
  bool Dst = true;
  bool Gps = true;
  double DstRate = 1.0;
  double GpsRate = 1.0;
  std::optional<double> GpsSpeed;
  bool Verbose = false;
  dstsim::DstSettings Module;
  dstsim::GpsSettings Receiver;
};

bool ParseNumber(const char* Text, double Low, double High, double& Out) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(Text, &end);
  if (errno != 0 || end == Text || *end != '\0' || !std::isfinite(value) || value < Low || value > High) return false;
  Out = value;
  return true;
}

bool ParseWhole(const char* Text, double Low, double High, std::uint32_t& Out) {
  double value = 0;
  if (!ParseNumber(Text, Low, High, value) || value != std::floor(value)) return false;
  Out = static_cast<std::uint32_t>(value);
  return true;
}

bool ParseDate(const char* Text, dstsim::DstSettings& S) {
  int y = 0, m = 0, d = 0;
  char tail = 0;
  if (std::sscanf(Text, "%d-%d-%d%c", &y, &m, &d, &tail) != 3) return false;
  if (y < 1900 || y > 2100 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  S.FirmwareYear = y;
  S.FirmwareMonth = m;
  S.FirmwareDay = d;
  return true;
}

bool ValidName(const std::string& Name) {
  return !Name.empty() && Name[0] != '.' && Name.find('/') == std::string::npos;
}

// Returns nothing after printing why the command line is wrong, or after
// --help (ExitCode then 0).
std::optional<Options> ParseOptions(int Argc, char** Argv, int& ExitCode) {
  enum {
    kDstName = 256,
    kGpsName,
    kNoDst,
    kNoGps,
    kDstRate,
    kGpsRate,
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
    kLat,
    kLon,
    kGpsSpeed,
    kCourse,
    kSatellites,
    kVerbose,
    kHelpOption
  };
  static const option kOptions[] = {
      {"dst-name", required_argument, nullptr, kDstName},
      {"gps-name", required_argument, nullptr, kGpsName},
      {"no-dst", no_argument, nullptr, kNoDst},
      {"no-gps", no_argument, nullptr, kNoGps},
      {"dst-rate", required_argument, nullptr, kDstRate},
      {"gps-rate", required_argument, nullptr, kGpsRate},
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
      {"lat", required_argument, nullptr, kLat},
      {"lon", required_argument, nullptr, kLon},
      {"gps-speed", required_argument, nullptr, kGpsSpeed},
      {"course", required_argument, nullptr, kCourse},
      {"satellites", required_argument, nullptr, kSatellites},
      {"verbose", no_argument, nullptr, kVerbose},
      {"help", no_argument, nullptr, kHelpOption},
      {nullptr, 0, nullptr, 0},
  };
  Options o;
  ExitCode = 2;
  int c;
  opterr = 1;
  while ((c = getopt_long(Argc, Argv, "", kOptions, nullptr)) != -1) {
    bool ok = true;
    double value = 0;
    std::uint32_t whole = 0;
    dstsim::DstSettings& m = o.Module;
    dstsim::GpsSettings& g = o.Receiver;
    switch (c) {
      case kDstName:
        o.DstName = optarg;
        ok = ValidName(o.DstName);
        break;
      case kGpsName:
        o.GpsName = optarg;
        ok = ValidName(o.GpsName);
        break;
      case kNoDst:
        o.Dst = false;
        break;
      case kNoGps:
        o.Gps = false;
        break;
      case kDstRate:
        ok = ParseNumber(optarg, 0.1, 50, o.DstRate);
        break;
      case kGpsRate:
        ok = ParseNumber(optarg, 0.1, 50, o.GpsRate);
        break;
      case kDepth:
        ok = ParseNumber(optarg, 0, 10000, m.DepthMetres);
        break;
      case kSpeed:
        ok = ParseNumber(optarg, 0, 100, m.SpeedKnots);
        break;
      case kLogFactor:
        ok = ParseNumber(optarg, 0.1, 10, m.LogFactor);
        break;
      case kWaterTemp:
        ok = ParseNumber(optarg, -5, 60, m.WaterTemperature);
        break;
      case kTempOffset:
        ok = ParseNumber(optarg, -5, 5, m.TemperatureOffset);
        break;
      case kDepthOffset:
        ok = ParseNumber(optarg, -32.76, 32.76, m.TransducerOffset);
        break;
      case kTrip:
        ok = ParseNumber(optarg, 0, 1e6, m.TripMiles);
        break;
      case kTotal:
        ok = ParseNumber(optarg, 0, 1e7, m.TotalMiles);
        break;
      case kProduct:
        ok = ParseWhole(optarg, 0, 4294967295.0, m.ProductCode);
        break;
      case kFirmware:
        ok = ParseWhole(optarg, 0, 65535, m.Firmware);
        break;
      case kFirmwareDate:
        ok = ParseDate(optarg, m);
        break;
      case kHardware:
        ok = ParseWhole(optarg, 0, 255, m.Hardware);
        break;
      case kSerial:
        ok = ParseWhole(optarg, 0, 4294967295.0, m.SerialNumber);
        break;
      case kLat:
        ok = ParseNumber(optarg, -89.9, 89.9, g.Latitude);
        break;
      case kLon:
        ok = ParseNumber(optarg, -180, 180, g.Longitude);
        break;
      case kGpsSpeed:
        ok = ParseNumber(optarg, 0, 100, value);
        o.GpsSpeed = value;
        break;
      case kCourse:
        ok = ParseNumber(optarg, 0, 360, g.CourseDegrees);
        break;
      case kSatellites:
        ok = ParseWhole(optarg, 0, 12, whole);
        g.Satellites = static_cast<int>(whole);
        break;
      case kVerbose:
        o.Verbose = true;
        break;
      case kHelpOption:
        std::fputs(kHelp, stdout);
        ExitCode = 0;
        return std::nullopt;
      default:
        std::fputs("Try 'dst-sim --help'.\n", stderr);
        return std::nullopt;
    }
    if (!ok) {
      std::fprintf(stderr, "dst-sim: invalid value '%s' for --%s\nTry 'dst-sim --help'.\n", optarg,
                   kOptions[c - kDstName].name);
      return std::nullopt;
    }
  }
  if (optind < Argc) {
    std::fprintf(stderr, "dst-sim: unexpected argument '%s'\nTry 'dst-sim --help'.\n", Argv[optind]);
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
  o.Receiver.SpeedKnots = o.GpsSpeed.value_or(o.Module.SpeedKnots);
  return o;
}

dstsim::UtcTime UtcNow() {
  const platform::SystemTime local = platform::GetLocalTime();
  const platform::TimeZoneInformation zone = platform::GetTimeZoneInformation();
  std::tm t{};
  t.tm_year = local.Year - 1900;
  t.tm_mon = local.Month - 1;
  t.tm_mday = local.Day;
  t.tm_hour = local.Hour;
  t.tm_min = local.Minute;
  t.tm_sec = local.Second;
  // UTC = local time + bias; timegm only normalises the fields here.
  const int bias = zone.Bias + (zone.Daylight ? zone.DaylightBias : zone.StandardBias);
  const std::time_t utc = ::timegm(&t) + static_cast<std::time_t>(bias) * 60;
  std::tm u{};
  ::gmtime_r(&utc, &u);
  return {u.tm_year + 1900, u.tm_mon + 1, u.tm_mday, u.tm_hour, u.tm_min, u.tm_sec, local.Millisecond};
}

// Writes what the line takes now; with no reader the device's queue fills
// and the rest is dropped, as a real device's output would be.
void Send(int Fd, const std::string& Bytes) {
  std::size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t n = ::write(Fd, Bytes.data() + done, Bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;
    }
  }
}

void Drain(int Fd, std::string* Into) {
  char buf[512];
  ssize_t n;
  while ((n = ::read(Fd, buf, sizeof buf)) > 0) {
    if (Into) Into->append(buf, static_cast<std::size_t>(n));
  }
}

void Print(const char* Prefix, const std::string& Line) {
  std::string shown = Line;
  while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n')) shown.pop_back();
  std::printf("%s %s\n", Prefix, shown.c_str());
  std::fflush(stdout);
}

struct Channel {
  std::unique_ptr<platform::PseudoTerminal> Pty;
  std::uint32_t PeriodMs = 1000;
  std::uint32_t LastTick = 0;
};

std::unique_ptr<platform::PseudoTerminal> Publish(const std::string& Name, const char* What) {
  auto pty = std::make_unique<platform::PseudoTerminal>();
  const std::string link = pty->Publish(Name);
  std::printf("%s on port \"%s\": %s -> %s\n", What, Name.c_str(), link.c_str(), pty->DevicePath().c_str());
  return pty;
}

int Run(const Options& O) {
  dstsim::DstModule module(O.Module);
  dstsim::GpsReceiver receiver(O.Receiver);
  dstsim::LineCollector commands;
  Channel dst;
  Channel gps;
  try {
    if (O.Dst) dst.Pty = Publish(O.DstName, "DST module");
    if (O.Gps) gps.Pty = Publish(O.GpsName, "GPS receiver");
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "dst-sim: %s\n", e.what());
    return 1;
  }
  std::printf("Ports folder: %s\nRunning; Ctrl+C ends.\n", platform::VirtualPortFolder().c_str());
  std::fflush(stdout);

  dst.PeriodMs = static_cast<std::uint32_t>(std::lround(1000.0 / O.DstRate));
  gps.PeriodMs = static_cast<std::uint32_t>(std::lround(1000.0 / O.GpsRate));
  const std::uint32_t start = platform::GetTickCount();
  // Both start with a round at once.
  dst.LastTick = start - dst.PeriodMs;
  gps.LastTick = start - gps.PeriodMs;

  while (!g_stop) {
    const std::uint32_t now = platform::GetTickCount();
    std::int64_t wait = 1000;
    for (const Channel* ch : {&dst, &gps}) {
      if (ch->Pty) wait = std::min<std::int64_t>(wait, ch->PeriodMs - (now - ch->LastTick));
    }
    pollfd fds[2] = {{dst.Pty ? dst.Pty->MasterFd() : -1, POLLIN, 0}, {gps.Pty ? gps.Pty->MasterFd() : -1, POLLIN, 0}};
    if (::poll(fds, 2, static_cast<int>(std::max<std::int64_t>(wait, 0))) < 0 && errno != EINTR) break;

    if (dst.Pty && (fds[0].revents & POLLIN)) {
      std::string bytes;
      Drain(dst.Pty->MasterFd(), &bytes);
      for (const std::string& line : commands.Feed(bytes)) {
        if (O.Verbose) Print("dst <", line);
        for (const std::string& reply : module.HandleSentence(line)) {
          if (O.Verbose) Print("dst >", reply);
          Send(dst.Pty->MasterFd(), reply);
        }
      }
    }
    if (gps.Pty && (fds[1].revents & POLLIN)) Drain(gps.Pty->MasterFd(), nullptr);

    const std::uint32_t tick = platform::GetTickCount();
    if (dst.Pty && tick - dst.LastTick >= dst.PeriodMs) {
      const double elapsed = (tick - dst.LastTick) / 1000.0;
      dst.LastTick = tick;
      for (const std::string& s : module.Stream(elapsed)) Send(dst.Pty->MasterFd(), s);
    }
    if (gps.Pty && tick - gps.LastTick >= gps.PeriodMs) {
      const double elapsed = (tick - gps.LastTick) / 1000.0;
      gps.LastTick = tick;
      for (const std::string& s : receiver.Stream(elapsed, UtcNow())) Send(gps.Pty->MasterFd(), s);
    }
  }
  std::puts("dst-sim: stopped");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int exitCode = 0;
  const std::optional<Options> options = ParseOptions(argc, argv, exitCode);
  if (!options) return exitCode;

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
  return Run(*options);
}
