#include "platform/core/os/clock.h"

#include <atomic>
#include <ctime>
#include <memory>
#include <utility>

namespace platform {
namespace {

std::int64_t ReadKernelClock(int Clock) {
  timespec ts{};
  clock_gettime(Clock, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

std::uint32_t Milliseconds(std::int64_t Ns) { return static_cast<std::uint32_t>(Ns / 1000000); }

// The system tick counts across suspend, so that values received before a
// suspend do not look fresh after it. The boot-time clock, which goes on
// while the machine sleeps, costs three times the coarse monotonic one, and
// the decoder stamps every sentence with the tick; so the tick is the coarse
// clock plus the time spent suspended, and that time is measured again only
// when the coarse clock has moved on, at most once per scheduler tick. It
// only grows: the larger figure stands, so the tick never goes back.
class SleepCountingTick {
 public:
  template <class Read>
  std::uint32_t Now(const Read& ReadClock) {
    const std::int64_t coarse = ReadClock(CLOCK_MONOTONIC_COARSE);
    if (coarse != measuredAt_.load(std::memory_order_acquire)) Measure(ReadClock, coarse);
    return Milliseconds(coarse + sleptNs_.load(std::memory_order_relaxed));
  }

 private:
  template <class Read>
  void Measure(const Read& ReadClock, std::int64_t Coarse) {
    const std::int64_t slept = ReadClock(CLOCK_BOOTTIME) - ReadClock(CLOCK_MONOTONIC);
    std::int64_t known = sleptNs_.load(std::memory_order_relaxed);
    while (slept > known && !sleptNs_.compare_exchange_weak(known, slept, std::memory_order_relaxed)) {
    }
    measuredAt_.store(Coarse, std::memory_order_release);
  }

  std::atomic<std::int64_t> measuredAt_{-1};
  std::atomic<std::int64_t> sleptNs_{0};
};

SleepCountingTick g_systemTick;

}  // namespace

struct ScopedClockOverride::Installed {
  ClockSources Sources;
  mutable SleepCountingTick SystemTick;
};

namespace {

std::atomic<const ScopedClockOverride::Installed*> g_override{nullptr};

}  // namespace

std::uint32_t GetTickCount() {
  const ScopedClockOverride::Installed* o = g_override.load(std::memory_order_acquire);
  if (o == nullptr) return g_systemTick.Now(ReadKernelClock);
  if (o->Sources.Tick) return o->Sources.Tick();
  if (o->Sources.KernelClock) return o->SystemTick.Now(o->Sources.KernelClock);
  return g_systemTick.Now(ReadKernelClock);
}

std::uint32_t TimeGetTime() {
  const ScopedClockOverride::Installed* o = g_override.load(std::memory_order_acquire);
  if (o != nullptr && o->Sources.MultimediaTime) return o->Sources.MultimediaTime();
  if (o != nullptr && o->Sources.KernelClock) return Milliseconds(o->Sources.KernelClock(CLOCK_MONOTONIC));
  return Milliseconds(ReadKernelClock(CLOCK_MONOTONIC));
}

SystemTime GetLocalTime() {
  if (const auto* o = g_override.load(std::memory_order_acquire); o && o->Sources.LocalTime) {
    return o->Sources.LocalTime();
  }
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm local{};
  localtime_r(&ts.tv_sec, &local);
  return SystemTime{local.tm_year + 1900,
                    local.tm_mon + 1,
                    local.tm_mday,
                    local.tm_hour,
                    local.tm_min,
                    local.tm_sec,
                    static_cast<int>(ts.tv_nsec / 1000000)};
}

TimeZoneInformation GetTimeZoneInformation() {
  if (const auto* o = g_override.load(std::memory_order_acquire); o && o->Sources.TimeZone) {
    return o->Sources.TimeZone();
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!localtime_r(&now, &local)) return {};
  // tm_gmtoff is the current offset (local - UTC, seconds) with daylight
  // time included; split it the way the time-zone query reports it.
  TimeZoneInformation info;
  info.Valid = true;
  info.Daylight = local.tm_isdst > 0;
  const auto offsetMinutes = static_cast<std::int32_t>(local.tm_gmtoff / 60);
  if (info.Daylight) {
    info.Bias = -offsetMinutes + 60;
    info.DaylightBias = -60;
  } else {
    info.Bias = -offsetMinutes;
  }
  return info;
}

ScopedClockOverride::ScopedClockOverride(ClockSources Sources)
    : previous_(g_override.load(std::memory_order_acquire)), installed_(std::make_unique<Installed>()) {
  installed_->Sources = std::move(Sources);
  g_override.store(installed_.get(), std::memory_order_release);
}

ScopedClockOverride::~ScopedClockOverride() { g_override.store(previous_, std::memory_order_release); }

}  // namespace platform
