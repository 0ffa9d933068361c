#include "platform/core/os/clock.h"

#include <atomic>
#include <chrono>
#include <ctime>

namespace platform {
namespace {

std::atomic<const ClockSources*> g_override{nullptr};

std::uint32_t MonotonicMilliseconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}

}  // namespace

std::uint32_t GetTickCount() {
  if (const ClockSources* o = g_override.load(std::memory_order_acquire); o && o->Tick) return o->Tick();
  // The system tick counts in steps of the scheduler's tick, as it always
  // has; the coarse clock gives exactly that and costs the decoder, which
  // stamps every sentence, far less than the precise one.
  return MonotonicMilliseconds(CLOCK_MONOTONIC_COARSE);
}

std::uint32_t TimeGetTime() {
  if (const ClockSources* o = g_override.load(std::memory_order_acquire); o && o->MultimediaTime) {
    return o->MultimediaTime();
  }
  return MonotonicMilliseconds(CLOCK_MONOTONIC);
}

SystemTime GetLocalTime() {
  if (const ClockSources* o = g_override.load(std::memory_order_acquire); o && o->LocalTime) return o->LocalTime();
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
  if (const ClockSources* o = g_override.load(std::memory_order_acquire); o && o->TimeZone) return o->TimeZone();
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

ScopedClockOverride::ScopedClockOverride(ClockSources sources)
    : previous_(g_override.load(std::memory_order_acquire)), sources_(std::move(sources)) {
  g_override.store(&sources_, std::memory_order_release);
}

ScopedClockOverride::~ScopedClockOverride() { g_override.store(previous_, std::memory_order_release); }

}  // namespace platform
