#include "support/moving_average.h"

#include <cmath>
#include <numbers>

#include "support/arithmetic.h"

namespace support {
namespace {

constexpr double kDegToRad = std::numbers::pi / 180;
constexpr double kRadToDeg = 180 / std::numbers::pi;

}  // namespace

TMAverageFilter::TMAverageFilter() { Clear(); }

void TMAverageFilter::Clear() { Reset(0); }

void TMAverageFilter::Reset(std::int32_t N) {
  windowSize_ = N > 0 ? (N < kMaxWindowSize ? N + 1 : kMaxWindowSize) : 0;
  sum_ = 0;
  sumSin_ = 0;
  sumCos_ = 0;
  count_ = 0;
  nextIndex_ = 0;
  values_.assign(static_cast<std::size_t>(windowSize_), 0.0);
  if (windowSize_ == 0) {
    vecSamples_.clear();
  } else if (!vecSamples_.empty()) {
    vecSamples_.assign(static_cast<std::size_t>(windowSize_), 0.0);
  }

  if (windowSize_ == 0) {
    Output = 0;
    Output2 = 0;
    return;
  }
  if (Output == 0 && Output2 == 0) return;
  if (vecSamples_.empty()) {
    const double v = Output;
    Output = 0;
    Add(v);
  } else {
    const double magnitude = Output;
    const double angle = Output2;
    Output = 0;
    Output2 = 0;
    AddVector(magnitude, angle);
  }
}

void TMAverageFilter::Add(double X) {
  if (windowSize_ < 2) {
    Output = X;
    return;
  }
  if (Mode == 0) {
    if (count_ >= windowSize_) {
      if (nextIndex_ > windowSize_ - 1) nextIndex_ = 0;
      sum_ = sum_ - values_[nextIndex_] + X;
      values_[nextIndex_++] = X;
    } else {
      values_[nextIndex_++] = X;
      ++count_;
      sum_ += X;
    }
    Output = sum_ / count_;
  } else if (Mode <= 3) {
    AddAngle(X);
  }
}

void TMAverageFilter::AddAngle(double Degrees) {
  const double r = Degrees * kDegToRad;
  if (count_ >= windowSize_) {
    if (nextIndex_ > windowSize_ - 1) nextIndex_ = 0;
    const double old = values_[nextIndex_] * kDegToRad;
    sumSin_ = sumSin_ - std::sin(old) + std::sin(r);
    sumCos_ = sumCos_ - std::cos(old) + std::cos(r);
    values_[nextIndex_++] = Degrees;
  } else {
    values_[nextIndex_++] = Degrees;
    ++count_;
    sumSin_ += std::sin(r);
    sumCos_ += std::cos(r);
  }
  Output = WrapByMode(std::atan2(sumSin_ / count_, sumCos_ / count_) * kRadToDeg);
}

double TMAverageFilter::WrapByMode(double Degrees) const {
  switch (Mode) {
    case 1:
      if (Degrees > 90) return 90;
      if (Degrees < -90) return -90;
      return Degrees;
    case 2:
      if (Degrees > 180) return Degrees - 360;
      if (Degrees < -180) return Degrees + 360;
      return Degrees;
    case 3:
      if (Degrees > 360) return Degrees - 360;
      if (Degrees < 0) return Degrees + 360;
      return Degrees;
    default:
      return Degrees;
  }
}

void TMAverageFilter::AddVector(double Magnitude, double AngleDeg) {
  if (windowSize_ < 2) {
    Output = Magnitude;
    Output2 = AngleDeg;
    return;
  }
  if (vecSamples_.size() != static_cast<std::size_t>(windowSize_)) {
    const std::int32_t w = windowSize_;
    Reset(0);
    vecSamples_.assign(1, 0.0);
    Reset(w - 1);
  }
  if (Mode != 2 && Mode != 3) return;

  const double r = AngleDeg * kDegToRad;
  const double s = std::sin(r) * Magnitude;
  const double c = std::cos(r) * Magnitude;
  if (count_ >= windowSize_) {
    if (nextIndex_ > windowSize_ - 1) nextIndex_ = 0;
    sumSin_ = sumSin_ - vecSamples_[nextIndex_] + s;
    sumCos_ = sumCos_ - values_[nextIndex_] + c;
  } else {
    sumSin_ += s;
    sumCos_ += c;
    ++count_;
  }
  vecSamples_[nextIndex_] = s;
  values_[nextIndex_] = c;
  ++nextIndex_;

  const double meanSin = sumSin_ / count_;
  const double meanCos = sumCos_ / count_;
  Output = SafeSqrt(meanSin * meanSin + meanCos * meanCos);
  Output2 = WrapByMode(std::atan2(meanSin, meanCos) * kRadToDeg);
}

void TMAverageFilter::AddSample(std::uint32_t Stamp, double X) {
  if (CheckStamp) {
    if (Stamp == lastStamp_) return;
    lastStamp_ = Stamp;
  }
  Add(X);
}

}  // namespace support
