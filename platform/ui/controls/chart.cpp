#include "platform/ui/controls/chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace platform {

TBarChart::TBarChart(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 400;
  FHeight = 250;
  SetColor(clWindow);
}

void TBarChart::Clear() {
  bars_.clear();
  Invalidate();
}

void TBarChart::AddBar(double X, double Height, const std::string& Label) {
  bars_.push_back(Bar{X, Height, Label});
  std::stable_sort(bars_.begin(), bars_.end(), [](const Bar& A, const Bar& B) { return A.X < B.X; });
  Invalidate();
}

void TBarChart::Paint() {
  TCanvas& c = Canvas();
  const TRect client = ClientRect();
  c.Brush().SetColor(Color());
  c.FillRect(client);
  c.Font().Assign(&Font());
  const int textHeight = c.TextHeight("0");
  const int axisWidth = c.TextWidth(std::to_string(static_cast<long>(MaxValue))) + 8;
  const TRect plot = Rect(client.left + axisWidth, client.top + textHeight / 2 + 2, client.right - 6,
                          client.bottom - (ShowLabels ? textHeight + 6 : 4));
  if (plot.Width() <= 0 || plot.Height() <= 0 || MaxValue <= MinValue) return;
  const auto yOf = [&](double V) {
    const double t = (std::clamp(V, MinValue, MaxValue) - MinValue) / (MaxValue - MinValue);
    return plot.bottom - static_cast<int>(std::lround(t * plot.Height()));
  };
  // Value axis: a line every fifth of the range, labelled.
  c.Brush().SetStyle(bsClear);
  for (int i = 0; i <= 5; ++i) {
    const double v = MinValue + (MaxValue - MinValue) * i / 5;
    const int y = yOf(v);
    c.Pen().SetColor(i == 0 ? AxisColor : clSilver);
    c.MoveTo(plot.left, y);
    c.LineTo(plot.right, y);
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    c.Font().SetColor(clWindowText);
    c.TextOut(plot.left - 4 - c.TextWidth(text), y - textHeight / 2, text);
  }
  c.Pen().SetColor(AxisColor);
  c.MoveTo(plot.left, plot.top);
  c.LineTo(plot.left, plot.bottom + 1);
  if (bars_.empty()) return;
  const double slot = static_cast<double>(plot.Width()) / static_cast<double>(bars_.size());
  const int barWidth = std::max(1, static_cast<int>(slot * BarWidthPercent / 100.0));
  for (std::size_t i = 0; i < bars_.size(); ++i) {
    const int centre = plot.left + static_cast<int>(slot * (static_cast<double>(i) + 0.5));
    const int left = centre - barWidth / 2;
    const int top = yOf(bars_[i].Value);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(BarColor);
    c.Pen().SetColor(static_cast<TColor>(0x804020));
    if (top < plot.bottom) c.Rectangle(left, top, left + barWidth, plot.bottom + 1);
    if (ShowLabels && !bars_[i].Label.empty()) {
      c.Brush().SetStyle(bsClear);
      c.Font().SetColor(clWindowText);
      c.TextOut(centre - c.TextWidth(bars_[i].Label) / 2, plot.bottom + 3, bars_[i].Label);
    }
  }
}

}  // namespace platform
