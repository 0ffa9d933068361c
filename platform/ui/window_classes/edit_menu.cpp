// The edit's own shortcut menu. Its commands go to the edit as the window
// system's clipboard messages, through the window's procedures, so a
// procedure in front of the control sees every change they make.

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

struct EditState {
  bool canUndo = false;
  bool selected = false;
  bool all = false;
  bool writable = true;
  bool hidden = false;
  bool pasteable = false;
};

EditState StateOf(HWND h) {
  EditState s;
  DWORD start = 0, end = 0;
  SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto length = static_cast<DWORD>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0));
  const auto style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  s.canUndo = SendMessageW(h, EM_CANUNDO, 0, 0) != 0;
  s.selected = end > start;
  s.all = start == 0 && end >= length;
  s.writable = (style & ES_READONLY) == 0;
  s.hidden = (style & ES_PASSWORD) != 0;
  s.pasteable = !QGuiApplication::clipboard()->text().isEmpty();
  return s;
}

void AddCommand(QMenu& menu, const QString& text, bool enabled, UINT msg) {
  QAction* action = menu.addAction(text);
  action->setEnabled(enabled);
  action->setData(msg);
}

}  // namespace

void ShowEditMenu(HWND hWnd, LPARAM where) {
  QWidget* widget = WidgetOf(hWnd);
  if (!widget) return;
  const EditState s = StateOf(hWnd);
  QMenu menu;
  AddCommand(menu, QStringLiteral("&Undo"), s.canUndo && s.writable, WM_UNDO);
  menu.addSeparator();
  AddCommand(menu, QStringLiteral("Cu&t"), s.selected && s.writable && !s.hidden, WM_CUT);
  AddCommand(menu, QStringLiteral("&Copy"), s.selected && !s.hidden, WM_COPY);
  AddCommand(menu, QStringLiteral("&Paste"), s.pasteable && s.writable, WM_PASTE);
  AddCommand(menu, QStringLiteral("&Delete"), s.selected && s.writable, WM_CLEAR);
  menu.addSeparator();
  AddCommand(menu, QStringLiteral("Select &All"), !s.all, EM_SETSEL);
  // From the keyboard the menu opens over the middle of the edit.
  const bool fromKeyboard = where == MAKELPARAM(0xFFFF, 0xFFFF);
  const QPoint at =
      fromKeyboard ? widget->mapToGlobal(widget->rect().center()) : QPoint(GET_X_LPARAM(where), GET_Y_LPARAM(where));
  // A command chosen without the mouse ends the menu too.
  const QAction* chosen = nullptr;
  QObject::connect(&menu, &QMenu::triggered, &menu, [&chosen](QAction* action) { chosen = action; });
  menu.exec(at);
  if (!chosen || !IsWindow(hWnd)) return;
  const auto msg = chosen->data().toUInt();
  if (msg == EM_SETSEL) {
    SendMessageW(hWnd, EM_SETSEL, 0, -1);
  } else {
    SendMessageW(hWnd, msg, 0, 0);
  }
}

}  // namespace platform::ui
