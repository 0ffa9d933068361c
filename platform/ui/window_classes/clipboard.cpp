#include "platform/ui/window_classes/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/core/text/cp1252.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {

bool IsClipboardFormatAvailable(UINT Format) {
  if (Format != CF_TEXT && Format != CF_UNICODETEXT) return false;
  ui::RequireUi();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

std::u16string GetClipboardTextW() {
  ui::RequireUi();
  return ui::FromQString(QGuiApplication::clipboard()->text());
}

std::string GetClipboardTextA() { return Utf16ToCp1252(GetClipboardTextW()); }

void SetClipboardTextW(std::u16string_view Text) {
  ui::RequireUi();
  QGuiApplication::clipboard()->setText(ui::ToQString(Text));
}

}  // namespace platform
