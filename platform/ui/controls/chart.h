#pragma once
// A chart of one bar series: bars with labels under them on a value axis
// of fixed range, without title or legend.

#include <string>
#include <vector>

#include "platform/ui/controls/controls.h"

namespace platform {

class TBarChart : public TCustomControl {
 public:
  explicit TBarChart(TComponent* AOwner);
  void Clear();
  // A bar at position X (bars are drawn in order of X) of value Height,
  // with Label under it.
  void AddBar(double X, double Height, const std::string& Label);
  int BarCount() const { return static_cast<int>(bars_.size()); }
  // Bar Index (0 to BarCount() - 1) in order of X.
  double BarValue(int Index) const { return bars_.at(static_cast<std::size_t>(Index)).Value; }
  const std::string& BarLabel(int Index) const { return bars_.at(static_cast<std::size_t>(Index)).Label; }
  double MinValue = 0;
  double MaxValue = 100;
  // The share of its slot a bar fills, in percent.
  int BarWidthPercent = 85;
  bool ShowLabels = true;
  TColor BarColor = static_cast<TColor>(0xC08040);
  TColor AxisColor = clGray;

 protected:
  void Paint() override;

 private:
  struct Bar {
    double X;
    double Value;
    std::string Label;
  };
  std::vector<Bar> bars_;
};

}  // namespace platform
