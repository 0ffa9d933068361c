#include "platform/ui/controls/dialogs.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/modal_owner.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}

bool Headless() {
  const QString name = QGuiApplication::platformName();
  return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}

}  // namespace

int MessageBoxW(HWND Owner, std::u16string_view Text, std::u16string_view Caption, UINT Type) {
  ui::RequireUi();
  const std::u16string t(Text), c(Caption);
  if (Handler()) return Handler()(t, c, Type);
  const UINT buttons = Type & 0xF;
  if (Headless()) {
    std::fprintf(stderr, "%s: %s\n", Utf16ToCp1252(c).c_str(), Utf16ToCp1252(t).c_str());
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
  }
  const ui::ModalOwner owner(Owner);
  QMessageBox box(owner.Widget());
  box.setWindowTitle(ui::ToQString(c));
  box.setText(ui::ToQString(t));
  switch (Type & 0xF0) {
    case MB_ICONERROR:
      box.setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box.setIcon(QMessageBox::Question);
      break;
    case MB_ICONWARNING:
      box.setIcon(QMessageBox::Warning);
      break;
    case MB_ICONINFORMATION:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  switch (buttons) {
    case MB_OKCANCEL:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MB_YESNO:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MB_YESNOCANCEL:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  if (Type & MB_TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return IDCANCEL;
    case QMessageBox::Yes:
      return IDYES;
    case QMessageBox::No:
      return IDNO;
    default:
      return buttons == MB_OKCANCEL || buttons == MB_OK ? IDOK : IDCANCEL;
  }
}

int MessageBoxA(HWND Owner, std::string_view Text, std::string_view Caption, UINT Type) {
  return MessageBoxW(Owner, Cp1252ToUtf16(Text), Cp1252ToUtf16(Caption), Type);
}

void SetMessageBoxHandler(TMessageBoxHandler NewHandler) { Handler() = std::move(NewHandler); }

std::intptr_t ShellExecuteA(HWND, std::string_view Verb, std::string_view File, std::string_view, std::string_view,
                            int) {
  ui::RequireUi();
  if (Verb != "open" || File.empty()) return 2;
  // Without a display there is no browser to open.
  if (Headless()) return 31;
  const QUrl url = QUrl::fromUserInput(ui::ToQString(Cp1252ToUtf16(File)));
  return QDesktopServices::openUrl(url) ? 33 : 31;
}

}  // namespace platform
