#pragma once
// The module's speed log: what the paddle wheel reads at a true speed
// through the water, and the correction the module's speed table applies
// to that reading.

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace dstsim {

inline constexpr std::size_t kSpeedPoints = 10;

struct SpeedPoint {
  int Knots = 0;
  int Coefficient = 100;  // correction x 100
};

using SpeedTable = std::array<SpeedPoint, kSpeedPoints>;

// The table a module leaves the factory with, and returns to when its table
// is deleted: the program's ten points, no correction at any of them.
SpeedTable FactorySpeedTable();

// The correction at a raw reading: the coefficients / 100 on straight lines
// between the points (sorted by speed), the end values beyond them.
double TableCorrection(const SpeedTable& table, double rawKnots);

// A paddle wheel reads the true speed times a factor; the factor may change
// with speed, on straight lines between given points.
class PaddleWheel {
 public:
  explicit PaddleWheel(double factor = 1.0) : factor_(factor) {}

  // One factor at every speed; forgets a curve.
  void SetFactor(double factor);
  // Pairs of true speed and factor, at least one; sorted here.
  void SetCurve(std::vector<std::pair<double, double>> points);
  double Reading(double trueKnots) const;

 private:
  double factor_;
  std::vector<std::pair<double, double>> curve_;
};

}  // namespace dstsim
