#include "platform/ui/window_classes/gdi.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {

QColor ToQColor(COLORREF C) {
  if (C & 0x80000000u) C = GetSysColor(static_cast<int>(C & 0xFF));
  return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

COLORREF FromQColor(const QColor& C) {
  return RGB(static_cast<BYTE>(C.red()), static_cast<BYTE>(C.green()), static_cast<BYTE>(C.blue()));
}

QFont ToQFont(const LOGFONT& Lf) {
  RequireUi();
  static const std::map<std::string, QString> families = {
      {"ms sans serif", "DejaVu Sans"},
      {"microsoft sans serif", "DejaVu Sans"},
      {"tahoma", "DejaVu Sans"},
      {"arial", "DejaVu Sans"},
      {"segoe ui", "DejaVu Sans"},
      {"verdana", "DejaVu Sans"},
      {"helvetica", "DejaVu Sans"},
      {"courier new", "DejaVu Sans Mono"},
      {"courier", "DejaVu Sans Mono"},
      {"consolas", "DejaVu Sans Mono"},
      {"lucida console", "DejaVu Sans Mono"},
      {"times new roman", "DejaVu Serif"},
  };
  std::string key = Lf.lfFaceName;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  auto it = families.find(key);
  QFont f(it != families.end() ? it->second : QString::fromLatin1(Lf.lfFaceName.c_str()));
  int px = Lf.lfHeight < 0 ? -Lf.lfHeight : Lf.lfHeight > 0 ? std::max(1, Lf.lfHeight * 4 / 5) : 11;
  f.setPixelSize(std::max(px, 1));
  f.setWeight(Lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
  f.setItalic(Lf.lfItalic);
  f.setUnderline(Lf.lfUnderline);
  f.setStrikeOut(Lf.lfStrikeOut);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QString ToQString(std::u16string_view S) {
  return QString(reinterpret_cast<const QChar*>(S.data()), static_cast<qsizetype>(S.size()));
}

std::u16string FromQString(const QString& S) {
  return std::u16string(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size()));
}

}  // namespace platform::ui
