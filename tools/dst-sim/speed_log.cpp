#include "speed_log.h"

#include <algorithm>

namespace dstsim {
namespace {

constexpr std::array<int, kSpeedPoints> kPointKnots{2, 3, 4, 5, 6, 8, 12, 15, 20, 30};

// y at x on straight lines through points sorted by x; the end values
// beyond them.
template <typename Points, typename X, typename Y>
double Interpolate(const Points& points, double x, X px, Y py) {
  if (x <= px(points.front())) return py(points.front());
  for (std::size_t i = 1; i < points.size(); ++i) {
    if (x <= px(points[i])) {
      const double x0 = px(points[i - 1]);
      const double x1 = px(points[i]);
      if (x1 == x0) return py(points[i]);
      const double t = (x - x0) / (x1 - x0);
      return py(points[i - 1]) + t * (py(points[i]) - py(points[i - 1]));
    }
  }
  return py(points.back());
}

}  // namespace

SpeedTable FactorySpeedTable() {
  SpeedTable table;
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = {kPointKnots[i], 100};
  return table;
}

double TableCorrection(const SpeedTable& table, double rawKnots) {
  SpeedTable points = table;
  std::sort(points.begin(), points.end(), [](const SpeedPoint& a, const SpeedPoint& b) { return a.Knots < b.Knots; });
  return Interpolate(
             points, rawKnots, [](const SpeedPoint& p) { return static_cast<double>(p.Knots); },
             [](const SpeedPoint& p) { return static_cast<double>(p.Coefficient); }) /
         100.0;
}

void PaddleWheel::SetFactor(double factor) {
  factor_ = factor;
  curve_.clear();
}

void PaddleWheel::SetCurve(std::vector<std::pair<double, double>> points) {
  std::sort(points.begin(), points.end());
  curve_ = std::move(points);
}

double PaddleWheel::Reading(double trueKnots) const {
  if (curve_.empty()) return trueKnots * factor_;
  using Point = std::pair<double, double>;
  return trueKnots *
         Interpolate(
             curve_, trueKnots, [](const Point& p) { return p.first; }, [](const Point& p) { return p.second; });
}

}  // namespace dstsim
