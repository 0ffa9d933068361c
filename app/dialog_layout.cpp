#include "app/dialog_layout.h"

#include <algorithm>
#include <cmath>

namespace app {
namespace {

// Rounded to the nearest integer, halves to the even one.
int Nearest(double X) { return static_cast<int>(std::nearbyint(X)); }

}  // namespace

TDialogLayout LayOutDialog(const TDialogMeasures& M) {
  TDialogLayout layout;
  const int minWidth = M.Single ? M.ButtonWidth + 2 * M.Margin : 2 * M.ButtonWidth + 3 * M.Margin;
  const int checkHeight = M.CheckBox ? M.CheckHeight + 3 * M.Margin : 0;
  const int wrap = kDialogMaxWidth - 2 * M.Margin;
  layout.ClientWidth = std::max(wrap > M.WidestLine ? 2 * M.Margin + M.WidestLine : kDialogMaxWidth, minWidth);
  const int lastLine = M.LineCount - 1;
  const int spacing = Nearest(M.LineHeight * (static_cast<double>(M.LineFactor) - 1));
  layout.ClientHeight =
      spacing * lastLine + M.ButtonHeight + checkHeight + 3 * M.Margin + (lastLine + 1) * M.LineHeight;
  layout.OkTop =
      M.CheckBox ? layout.ClientHeight - checkHeight - M.ButtonHeight : layout.ClientHeight - M.Margin - M.ButtonHeight;
  if (M.Single) {
    layout.OkLeft = (layout.ClientWidth - M.ButtonWidth) / 2;
    layout.CheckLeft = M.Margin;
  } else {
    layout.OkLeft = (layout.ClientWidth - 2 * M.ButtonWidth - M.Margin) / 2;
    layout.CancelLeft = layout.OkLeft + M.ButtonWidth + M.Margin;
    layout.CheckLeft = layout.OkLeft;
  }
  layout.CheckTop = layout.ClientHeight - M.Margin - M.CheckHeight;
  return layout;
}

int DialogLineTop(int Index, int Height, float LineFactor, int Margin) {
  return Nearest(Height * static_cast<double>(LineFactor) * Index) + Margin;
}

int DialogLineLeft(int ClientWidth, int Width, int LineCount, int Margin) {
  return LineCount == 1 ? (ClientWidth - Width) / 2 : Margin;
}

}  // namespace app
