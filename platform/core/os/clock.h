#pragma once
// The platform's clocks: the two millisecond tick counters, the local wall
// clock and the time-zone setting. Tests replace any of them process-wide
// with ScopedClockOverride so that ages, time-outs and dates are repeatable.

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// Milliseconds since an arbitrary start; wraps at 2^32 like the system tick.
// It keeps counting while the machine is suspended, and steps at the pace
// of the scheduler's tick.
std::uint32_t GetTickCount();
// The multimedia timer's millisecond time; also wraps at 2^32.
std::uint32_t TimeGetTime();

struct SystemTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// The local wall clock.
SystemTime GetLocalTime();

// Biases in minutes, UTC = local time + bias, as the time-zone query gives them.
struct TimeZoneInformation {
  bool Valid = false;
  bool Daylight = false;  // daylight saving time is in effect now
  std::int32_t Bias = 0;
  std::int32_t StandardBias = 0;
  std::int32_t DaylightBias = 0;
};

TimeZoneInformation GetTimeZoneInformation();

struct ClockSources {
  std::function<std::uint32_t()> Tick;            // GetTickCount
  std::function<std::uint32_t()> MultimediaTime;  // TimeGetTime
  std::function<SystemTime()> LocalTime;
  std::function<TimeZoneInformation()> TimeZone;
  // The kernel clocks the two tick counters read, by clock_gettime id, in
  // nanoseconds; lets a test suspend the machine.
  std::function<std::int64_t(int ClockId)> KernelClock;
};

// Installs the given sources (empty members keep the real clock) until it is
// destroyed. Install before starting threads that read the clocks; overrides
// do not nest across threads.
class ScopedClockOverride {
 public:
  explicit ScopedClockOverride(ClockSources Sources);
  ~ScopedClockOverride();
  ScopedClockOverride(const ScopedClockOverride&) = delete;
  ScopedClockOverride& operator=(const ScopedClockOverride&) = delete;

  struct Installed;

 private:
  const Installed* previous_;
  std::unique_ptr<Installed> installed_;
};

}  // namespace platform
