// The edit's own shortcut menu. Its commands go to the edit as the window
// system's clipboard messages, through the window's procedures, so a
// procedure in front of the control sees every change they make.

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

#include "platform/core/os/ui_language.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

struct EditState {
  bool CanUndo = false;
  bool Selected = false;
  bool All = false;
  bool Writable = true;
  bool Hidden = false;
  bool Pasteable = false;
};

EditState StateOf(HWND hWnd) {
  EditState s;
  DWORD start = 0, end = 0;
  SendMessageW(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto length = static_cast<DWORD>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
  const auto style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
  s.CanUndo = SendMessageW(hWnd, EM_CANUNDO, 0, 0) != 0;
  s.Selected = end > start;
  s.All = start == 0 && end >= length;
  s.Writable = (style & ES_READONLY) == 0;
  s.Hidden = (style & ES_PASSWORD) != 0;
  s.Pasteable = !QGuiApplication::clipboard()->text().isEmpty();
  return s;
}

// The commands speak the platform's language.
void AddCommand(QMenu& Menu, SystemText Text, bool Enabled, UINT Msg) {
  const std::string_view text = GetSystemText(Text);
  QAction* action = Menu.addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  action->setEnabled(Enabled);
  action->setData(Msg);
}

}  // namespace

void ShowEditMenu(HWND hWnd, LPARAM Where) {
  QWidget* widget = WidgetOf(hWnd);
  if (!widget) return;
  const EditState s = StateOf(hWnd);
  QMenu menu;
  AddCommand(menu, SystemText::Undo, s.CanUndo && s.Writable, WM_UNDO);
  menu.addSeparator();
  AddCommand(menu, SystemText::Cut, s.Selected && s.Writable && !s.Hidden, WM_CUT);
  AddCommand(menu, SystemText::Copy, s.Selected && !s.Hidden, WM_COPY);
  AddCommand(menu, SystemText::Paste, s.Pasteable && s.Writable, WM_PASTE);
  AddCommand(menu, SystemText::Delete, s.Selected && s.Writable, WM_CLEAR);
  menu.addSeparator();
  AddCommand(menu, SystemText::SelectAll, !s.All, EM_SETSEL);
  // From the keyboard the menu opens over the middle of the edit.
  const bool fromKeyboard = Where == MAKELPARAM(0xFFFF, 0xFFFF);
  const QPoint at =
      fromKeyboard ? widget->mapToGlobal(widget->rect().center()) : QPoint(GET_X_LPARAM(Where), GET_Y_LPARAM(Where));
  // A command chosen without the mouse ends the menu too.
  const QAction* chosen = nullptr;
  QObject::connect(&menu, &QMenu::triggered, &menu, [&chosen](QAction* Action) { chosen = Action; });
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
