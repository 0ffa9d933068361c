#pragma once
// The drawing objects behind GDI handles: fonts, brushes, pens and bitmaps.
// Nothing outside platform/ui includes this header. The table is guarded,
// so any thread may make, look up and free handles; drawing with them
// belongs to the user-interface thread.

#include <QImage>

#include <memory>
#include <optional>
#include <variant>

#include "platform/ui/window_classes/gdi.h"

namespace platform::ui {

struct BrushObj {
  COLORREF Color = 0;
  bool Hollow = false;
};
struct PenObj {
  int Style = PS_SOLID;
  int Width = 1;
  COLORREF Color = 0;
};
using GdiObject = std::variant<LOGFONT, BrushObj, PenObj, std::shared_ptr<QImage>>;

// The stock objects, valid for the life of the process.
constexpr HGDIOBJ kStockFont = 1;
constexpr HGDIOBJ kStockBrush = 2;
constexpr HGDIOBJ kStockPen = 3;
constexpr HGDIOBJ kHollowBrush = 4;

// A copy of the object behind a handle (a bitmap shares its image); none
// for a handle that names nothing.
std::optional<GdiObject> LookupObject(HGDIOBJ Handle);
HGDIOBJ AddObject(GdiObject Object);

BrushObj BrushOf(HBRUSH Handle);
PenObj PenOf(HPEN Handle);

}  // namespace platform::ui
