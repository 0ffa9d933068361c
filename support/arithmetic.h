#pragma once
// Arithmetic that gives a neutral result where the plain operation would fail
// or wrap.

#include <cstdint>

namespace support {

// A - B, or 0 when B >= A (so a later tick never gives a huge age).
std::uint32_t SafeSubtract(std::uint32_t A, std::uint32_t B);

// A / B, or 0 when B is 0.
long double SafeDivide(long double A, long double B);

// The square root, or 0 for a negative X.
double SafeSqrt(double X);

// Y on the line through (X1, Y1) and (X2, Y2); Y1 when X1 = X2.
double LinearInterpolate(double X1, double Y1, double X2, double Y2, double X);

}  // namespace support
