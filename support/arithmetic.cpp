#include "support/arithmetic.h"

#include <cmath>

namespace support {

std::uint32_t SafeSubtract(std::uint32_t A, std::uint32_t B) { return B >= A ? 0 : A - B; }

long double SafeDivide(long double A, long double B) { return B == 0 ? 0 : A / B; }

double SafeSqrt(double X) { return X < 0 ? 0 : std::sqrt(X); }

double LinearInterpolate(double X1, double Y1, double X2, double Y2, double X) {
  if (X1 == X2) return Y1;
  return Y1 + (Y2 - Y1) / (X2 - X1) * (X - X1);
}

}  // namespace support
