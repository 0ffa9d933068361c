#include "platform/ui/window_classes/gdi_objects.h"

#include <QPixmap>

#include <map>
#include <mutex>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

struct ObjectTable {
  std::mutex M;
  std::map<HGDIOBJ, GdiObject> Objects;
  HGDIOBJ Next = 0x100;
};

// Never destroyed: handles may still be freed while the program's static
// objects go away.
ObjectTable& Table() {
  static auto* table = new ObjectTable;
  return *table;
}

template <class T>
std::optional<T> LookupAs(HGDIOBJ Handle) {
  const std::optional<GdiObject> o = LookupObject(Handle);
  if (!o || !std::holds_alternative<T>(*o)) return std::nullopt;
  return std::get<T>(*o);
}

}  // namespace

std::optional<GdiObject> LookupObject(HGDIOBJ Handle) {
  switch (Handle) {
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
  std::lock_guard lock(t.M);
  auto it = t.Objects.find(Handle);
  if (it == t.Objects.end()) return std::nullopt;
  return it->second;
}

HGDIOBJ AddObject(GdiObject Object) {
  ObjectTable& t = Table();
  std::lock_guard lock(t.M);
  const HGDIOBJ handle = t.Next++;
  t.Objects.emplace(handle, std::move(Object));
  return handle;
}

BrushObj BrushOf(HBRUSH Handle) { return LookupAs<BrushObj>(Handle).value_or(BrushObj{0xFFFFFF, false}); }

PenObj PenOf(HPEN Handle) { return LookupAs<PenObj>(Handle).value_or(PenObj{}); }

LOGFONT FontOf(HFONT Font) { return LookupAs<LOGFONT>(Font).value_or(LOGFONT{}); }

std::shared_ptr<QImage> BitmapImage(HBITMAP Bitmap) {
  return LookupAs<std::shared_ptr<QImage>>(Bitmap).value_or(nullptr);
}

HBITMAP CreateBitmapFromImage(QImage Image) {
  return AddObject(std::make_shared<QImage>(Image.convertToFormat(QImage::Format_RGB32)));
}

QIcon MaskedIcon(HBITMAP Bitmap, COLORREF Transparent) {
  const auto image = BitmapImage(Bitmap);
  if (!image) return {};
  QImage withMask = image->convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(Transparent).rgb() & 0xFFFFFF;
  for (int y = 0; y < withMask.height(); ++y) {
    for (int x = 0; x < withMask.width(); ++x) {
      if ((withMask.pixel(x, y) & 0xFFFFFF) == key) withMask.setPixel(x, y, 0);
    }
  }
  return QIcon(QPixmap::fromImage(withMask));
}

}  // namespace platform::ui

namespace platform {

HFONT CreateFontIndirect(const LOGFONT& Lf) { return ui::AddObject(Lf); }

HBRUSH CreateSolidBrush(COLORREF Color) { return ui::AddObject(ui::BrushObj{Color, false}); }

HBRUSH GetStockBrush(int Style) { return Style == BS_NULL ? ui::kHollowBrush : ui::kStockBrush; }

HPEN CreatePen(int Style, int Width, COLORREF Color) { return ui::AddObject(ui::PenObj{Style, Width, Color}); }

bool DeleteObject(HGDIOBJ Object) {
  ui::ObjectTable& t = ui::Table();
  std::lock_guard lock(t.M);
  return t.Objects.erase(Object) > 0;
}

}  // namespace platform
