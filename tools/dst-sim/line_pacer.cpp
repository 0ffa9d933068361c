#include "line_pacer.h"

#include <algorithm>

namespace dstsim {
namespace {

constexpr long long kBitsPerByte = 10;
constexpr long long kNanosPerSecond = 1'000'000'000;

}  // namespace

void LinePacer::SetBaud(int baud, Clock::time_point now) {
  baud_ = std::max(baud, 1);
  Start(now);
}

void LinePacer::Start(Clock::time_point now) {
  origin_ = now;
  sent_ = 0;
}

std::chrono::nanoseconds LinePacer::Duration(std::size_t n) const {
  const long long bitNanos = static_cast<long long>(n) * kBitsPerByte * kNanosPerSecond;
  return std::chrono::nanoseconds((bitNanos + baud_ - 1) / baud_);
}

std::size_t LinePacer::Carried(Clock::time_point now) const {
  const long long nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(now - origin_).count();
  if (nanos <= 0) return 0;
  // In two steps, so that a line busy for days does not overflow.
  const long long seconds = nanos / kNanosPerSecond;
  const long long rest = nanos % kNanosPerSecond;
  return static_cast<std::size_t>((seconds * baud_ + rest * baud_ / kNanosPerSecond) / kBitsPerByte);
}

std::size_t LinePacer::PieceSize(std::size_t pending) const {
  const auto perInterval = static_cast<std::size_t>(baud_ * kPieceInterval.count() / 1000 / kBitsPerByte);
  return std::min({std::max<std::size_t>(perInterval, 1), kMaxPiece, pending});
}

std::size_t LinePacer::Due(Clock::time_point now, std::size_t pending) {
  if (pending == 0) return 0;
  // The count restarts from what was handed over, which keeps it small.
  origin_ += Duration(sent_);
  sent_ = 0;
  std::size_t carried = Carried(now);
  if (carried > kMaxPiece) {
    // Held up: the line lost the time rather than deliver a burst.
    origin_ = now - Duration(kMaxPiece);
    carried = kMaxPiece;
  }
  return carried >= PieceSize(pending) ? std::min(carried, pending) : 0;
}

LinePacer::Clock::time_point LinePacer::NextPiece(std::size_t pending) const {
  return origin_ + Duration(sent_ + PieceSize(pending));
}

}  // namespace dstsim
