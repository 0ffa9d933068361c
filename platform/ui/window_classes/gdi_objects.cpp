#include "platform/ui/window_classes/gdi_objects.h"

#include <map>
#include <mutex>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

struct ObjectTable {
  std::mutex m;
  std::map<HGDIOBJ, GdiObject> objects;
  HGDIOBJ next = 0x100;
};

// Never destroyed: handles may still be freed while the program's static
// objects go away.
ObjectTable& Table() {
  static auto* table = new ObjectTable;
  return *table;
}

template <class T>
std::optional<T> LookupAs(HGDIOBJ handle) {
  const std::optional<GdiObject> o = LookupObject(handle);
  if (!o || !std::holds_alternative<T>(*o)) return std::nullopt;
  return std::get<T>(*o);
}

}  // namespace

std::optional<GdiObject> LookupObject(HGDIOBJ handle) {
  switch (handle) {
    case kStockFont:
      return LOGFONT{};
    case kStockBrush:
      return BrushObj{0xFFFFFF, false};
    case kStockPen:
      return PenObj{};
    case kHollowBrush:
      return BrushObj{0, true};
    default:
      break;
  }
  ObjectTable& t = Table();
  std::lock_guard lock(t.m);
  auto it = t.objects.find(handle);
  if (it == t.objects.end()) return std::nullopt;
  return it->second;
}

HGDIOBJ AddObject(GdiObject object) {
  ObjectTable& t = Table();
  std::lock_guard lock(t.m);
  const HGDIOBJ handle = t.next++;
  t.objects.emplace(handle, std::move(object));
  return handle;
}

BrushObj BrushOf(HBRUSH handle) { return LookupAs<BrushObj>(handle).value_or(BrushObj{0xFFFFFF, false}); }

PenObj PenOf(HPEN handle) { return LookupAs<PenObj>(handle).value_or(PenObj{}); }

LOGFONT FontOf(HFONT font) { return LookupAs<LOGFONT>(font).value_or(LOGFONT{}); }

std::shared_ptr<QImage> BitmapImage(HBITMAP bitmap) {
  return LookupAs<std::shared_ptr<QImage>>(bitmap).value_or(nullptr);
}

HBITMAP CreateBitmapFromImage(QImage image) {
  return AddObject(std::make_shared<QImage>(image.convertToFormat(QImage::Format_RGB32)));
}

}  // namespace platform::ui

namespace platform {

HFONT CreateFontIndirect(const LOGFONT& lf) { return ui::AddObject(lf); }

HBRUSH CreateSolidBrush(COLORREF color) { return ui::AddObject(ui::BrushObj{color, false}); }

HBRUSH GetStockBrush(int style) { return style == BS_NULL ? ui::kHollowBrush : ui::kStockBrush; }

HPEN CreatePen(int style, int width, COLORREF color) { return ui::AddObject(ui::PenObj{style, width, color}); }

bool DeleteObject(HGDIOBJ object) {
  ui::ObjectTable& t = ui::Table();
  std::lock_guard lock(t.m);
  return t.objects.erase(object) > 0;
}

}  // namespace platform
