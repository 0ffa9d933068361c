#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/window_system/input.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/message_beep.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// A subclass that records what reaches a window and may keep messages from
// the procedures behind it.
class Spy {
 public:
  explicit Spy(HWND hWnd) : hwnd_(hWnd) { previous_ = SetWindowProcW(hWnd, MakeWndProc<&Spy::Proc>(this, true)); }
  ~Spy() {
    if (IsWindow(hwnd_)) SetWindowProcW(hwnd_, previous_);
  }
  Spy(const Spy&) = delete;
  Spy& operator=(const Spy&) = delete;

  bool Saw(UINT Msg) const {
    return std::any_of(Seen.begin(), Seen.end(), [&](auto& S) { return S.first == Msg; });
  }
  std::vector<WPARAM> Chars() const {
    std::vector<WPARAM> out;
    for (const auto& [msg, w] : Seen) {
      if (msg == WM_CHAR) out.push_back(w);
    }
    return out;
  }

  std::vector<std::pair<UINT, WPARAM>> Seen;
  std::set<UINT> Swallow;

 private:
  LRESULT Proc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Seen.emplace_back(Msg, wParam);
    if (Swallow.contains(Msg)) return 0;
    return CallWindowProcW(previous_, hWnd, Msg, wParam, lParam);
  }
  HWND hwnd_;
  WNDPROC previous_;
};

class InputRoutingTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Form->SetBounds(20, 20, 400, 300);
  }
  // The keys held in a test are let go: the keyboard state is the process's.
  void TearDown() override {
    for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) SetKeyDown(vk, false);
    FormTest::TearDown();
  }
  template <class T>
  T* Add(int Left, int Top, int Width = 120, int Height = 24) {
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetBounds(Left, Top, Width, Height);
    return c;
  }
  static QWidget* Widget(TWinControl* C) { return ui::WidgetOf(C->Handle()); }
  static QWidget* Viewport(TWinControl* C) { return static_cast<QAbstractScrollArea*>(Widget(C))->viewport(); }
  static void Wheel(QWidget* W, int Delta) {
    const QPointF at(5, 5);
    QWheelEvent e(at, W->mapToGlobal(at), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QCoreApplication::sendEvent(W, &e);
  }
  static void Mouse(QWidget* W, QEvent::Type Type, QPoint At, Qt::MouseButton Button, Qt::MouseButtons Held) {
    QMouseEvent e(Type, QPointF(At), QPointF(W->mapToGlobal(At)), Button, Held, Qt::NoModifier);
    QCoreApplication::sendEvent(W, &e);
  }
  static void Press(QWidget* W, int Key, Qt::KeyboardModifiers Mods, const QString& Text) {
    QKeyEvent down(QEvent::KeyPress, Key, Mods, Text);
    QKeyEvent up(QEvent::KeyRelease, Key, Mods, Text);
    QCoreApplication::sendEvent(W, &down);
    QCoreApplication::sendEvent(W, &up);
  }
  static void Pump() { Application->ProcessMessages(); }
};

TEST_F(InputRoutingTest, TheWheelReachesComboBoxesListsAndEditsAsAMessageASubclassMayKeep) {
  auto* combo = Add<TComboBox>(10, 10);
  combo->SetStyle(csDropDownList);
  auto* list = Add<TListBox>(10, 40, 120, 60);
  auto* memo = Add<TMemo>(150, 40, 120, 60);
  Form->Show();
  for (const char* item : {"4800", "9600", "38400"}) combo->Items().Add(item);
  combo->SetItemIndex(0);
  for (int i = 0; i < 40; ++i) list->Items().Add("line " + std::to_string(i));
  for (int i = 0; i < 40; ++i) memo->Lines().Add("line " + std::to_string(i));
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };

  Spy comboSpy(combo->Handle());
  comboSpy.Swallow = {WM_MOUSEWHEEL};
  Wheel(Widget(combo), -120);
  Pump();
  EXPECT_TRUE(comboSpy.Saw(WM_MOUSEWHEEL));
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(changes, 0);
  comboSpy.Swallow.clear();
  Wheel(Widget(combo), -120);
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes, 1);

  Spy listSpy(list->Handle());
  Wheel(Viewport(list), -120);
  Pump();
  EXPECT_TRUE(listSpy.Saw(WM_MOUSEWHEEL));
  EXPECT_GT(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), 0);

  Spy memoSpy(memo->Handle());
  Wheel(Viewport(memo), -120);
  Pump();
  EXPECT_TRUE(memoSpy.Saw(WM_MOUSEWHEEL));
  EXPECT_GT(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(InputRoutingTest, InputMethodCommitsArriveAsCharacters) {
  auto* edit = Add<TEdit>(10, 10);
  Form->Show();
  edit->SetFocus();
  Spy spy(edit->Handle());
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral(u"\u00E8x"));
  QCoreApplication::sendEvent(Widget(edit), &commit);
  Pump();
  EXPECT_EQ(spy.Chars(), (std::vector<WPARAM>{0xE8, 'x'}));
  EXPECT_EQ(edit->Text(), "\xE8x");

  spy.Swallow = {WM_CHAR};
  QCoreApplication::sendEvent(Widget(edit), &commit);
  Pump();
  EXPECT_EQ(edit->Text(), "\xE8x");
}

// The edit's own shortcut menu and its clipboard keys act through the
// clipboard messages; Qt's own menu and dropped text never change the text
// behind the window's procedures.
TEST_F(InputRoutingTest, EditMenusClipboardKeysAndDropsGoThroughTheProcedureChain) {
  auto* edit = Add<TEdit>(10, 10);
  Form->Show();
  edit->SetFocus();
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  Spy spy(edit->Handle());
  QWidget* line = Widget(edit);
  const QPoint at(5, 5);

  spy.Swallow = {WM_CONTEXTMENU};
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, line->mapToGlobal(at));
  QCoreApplication::sendEvent(line, &menuEvent);
  Pump();
  EXPECT_TRUE(spy.Saw(WM_CONTEXTMENU));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  // Passed on, the edit shows its menu; choosing Paste pastes through the
  // window.
  spy.Swallow.clear();
  QCoreApplication::sendEvent(line, &menuEvent);
  QStringList offered;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  guard.start(5000);
  RunOnUiThread([&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      offered << action->text();
      if (action->text().remove(u'&') == QStringLiteral("Paste")) action->trigger();
    }
    menu->close();
  });
  Pump();
  EXPECT_TRUE(offered.contains(QStringLiteral("&Paste")));
  EXPECT_TRUE(spy.Saw(WM_PASTE));
  EXPECT_EQ(edit->Text(), "pasted");

  spy.Seen.clear();
  spy.Swallow = {WM_PASTE, WM_CUT, WM_UNDO};
  edit->SelectAll();
  Press(line, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
  Press(line, Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18"));
  Press(line, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
  Pump();
  EXPECT_TRUE(spy.Saw(WM_PASTE));
  EXPECT_TRUE(spy.Saw(WM_CUT));
  EXPECT_TRUE(spy.Saw(WM_UNDO));
  EXPECT_EQ(edit->Text(), "pasted");

  QMimeData dropped;
  dropped.setText(QStringLiteral("dropped"));
  QDropEvent drop(QPointF(at), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(line, &drop);
  Pump();
  EXPECT_EQ(edit->Text(), "pasted");
}

TEST_F(InputRoutingTest, MouseMovesOverTreeAndListViewsArriveWithoutAButtonHeld) {
  auto* tree = Add<TTreeView>(10, 10, 120, 100);
  auto* list = Add<TListBox>(150, 10, 120, 100);
  Form->Show();
  for (TWinControl* view : {static_cast<TWinControl*>(tree), static_cast<TWinControl*>(list)}) {
    EXPECT_TRUE(Viewport(view)->hasMouseTracking());
    Spy spy(view->Handle());
    Mouse(Viewport(view), QEvent::MouseMove, QPoint(8, 8), Qt::NoButton, Qt::NoButton);
    Pump();
    EXPECT_TRUE(spy.Saw(WM_MOUSEMOVE));
  }
}

using Pad = fixture::MouseLogging<TCustomControl>;

TEST_F(InputRoutingTest, APressedControlLeftWithTheButtonHeldIsLeftAndNotClicked) {
  auto* pad = Add<Pad>(10, 10, 80, 40);
  int clicks = 0;
  pad->OnClick = [&](TObject*) { ++clicks; };
  Form->Show();
  QWidget* w = Widget(pad);
  Mouse(w, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
  Mouse(w, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
  Mouse(w, QEvent::MouseMove, QPoint(200, 100), Qt::NoButton, Qt::LeftButton);
  Pump();
  EXPECT_EQ(pad->Log, (std::vector<std::string>{"enter", "leave"}));
  Mouse(w, QEvent::MouseButtonRelease, QPoint(200, 100), Qt::LeftButton, Qt::NoButton);
  Pump();
  EXPECT_EQ(clicks, 0);
  // Back inside, it is entered again; a press and release there clicks.
  Mouse(w, QEvent::MouseMove, QPoint(12, 12), Qt::NoButton, Qt::NoButton);
  Mouse(w, QEvent::MouseButtonPress, QPoint(12, 12), Qt::LeftButton, Qt::LeftButton);
  Mouse(w, QEvent::MouseButtonRelease, QPoint(12, 12), Qt::LeftButton, Qt::NoButton);
  Pump();
  EXPECT_EQ(pad->Log.back(), "enter");
  EXPECT_EQ(clicks, 1);
}

TEST_F(InputRoutingTest, AltReachesTheKeyDataAndAcceleratorsFocusTheirControl) {
  auto* first = Add<TEdit>(100, 10);
  auto* second = Add<TEdit>(100, 40);
  auto* label = Add<TLabel>(10, 40, 80, 20);
  label->SetCaption("&Name");
  label->FocusControl = second;
  Form->Show();
  first->SetFocus();
  TShiftState shift = 0;
  first->OnKeyDown = [&](TObject*, WORD& Key, TShiftState S) {
    if (Key == 'O') shift = S;
  };
  Press(Widget(first), Qt::Key_O, Qt::AltModifier, QStringLiteral("o"));
  Pump();
  EXPECT_NE(shift & ssAlt, 0u);
  Press(Widget(first), Qt::Key_N, Qt::AltModifier, QStringLiteral("n"));
  Pump();
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(first->Text(), "");
}

// The keypad's keys are not the main block's, and the lock, system and
// menu keys have keys of their own; the keypad still types.
TEST_F(InputRoutingTest, KeypadLockAndSystemKeysArriveAsTheirOwnVirtualKeys) {
  auto* edit = Add<TEdit>(10, 10);
  Form->Show();
  edit->SetFocus();
  std::vector<WORD> keys;
  edit->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
  Press(Widget(edit), Qt::Key_7, Qt::KeypadModifier, QStringLiteral("7"));
  Press(Widget(edit), Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
  Press(Widget(edit), Qt::Key_Slash, Qt::KeypadModifier, QStringLiteral("/"));
  Press(Widget(edit), Qt::Key_Comma, Qt::KeypadModifier, QStringLiteral(","));
  Press(Widget(edit), Qt::Key_Home, Qt::KeypadModifier, {});
  for (const int key : {Qt::Key_NumLock, Qt::Key_Print, Qt::Key_Menu, Qt::Key_Super_R, Qt::Key_CapsLock, Qt::Key_F13}) {
    Press(Widget(edit), key, Qt::NoModifier, {});
  }
  Pump();
  EXPECT_EQ(keys, (std::vector<WORD>{VK_NUMPAD7, '7', VK_DIVIDE, VK_DECIMAL, VK_HOME, VK_NUMLOCK, VK_SNAPSHOT, VK_APPS,
                                     VK_RWIN, VK_CAPITAL, VK_F13}));
  EXPECT_EQ(edit->Text(), "77/,");
}

// A plain character typed where the focused control takes no characters is
// an accelerator: the form's controls get it as CM_DIALOGCHAR.
TEST_F(InputRoutingTest, PlainCharactersAreAcceleratorsWhereTheFocusTakesNoCharacters) {
  auto* apply = Add<TButton>(10, 10, 80, 24);
  apply->SetCaption("&Apply");
  auto* check = Add<TCheckBox>(10, 40, 120, 20);
  check->SetCaption("Log");
  auto* edit = Add<TEdit>(10, 70);
  int clicks = 0;
  apply->OnClick = [&](TObject*) { ++clicks; };
  Form->Show();
  check->SetFocus();
  Press(Widget(check), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  Pump();
  EXPECT_EQ(clicks, 1);
  // An edit takes the character itself.
  edit->SetFocus();
  Press(Widget(edit), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit->Text(), "a");
}

// While a form is shown modally, the form that owns it, and every control
// on it, takes neither keys nor clicks, yet looks as before; a press there
// sounds the warning. The modal form is presented modal to the window
// manager.
TEST_F(InputRoutingTest, AModalFormKeepsInputFromItsOwnerAndItsControls) {
  auto* apply = Add<Pad>(10, 10, 80, 24);
  auto* edit = Add<TEdit>(10, 40);
  int clicks = 0;
  apply->OnClick = [&](TObject*) { ++clicks; };
  Form->Show();
  // The program's other forms are owned by its main form.
  const struct MainFormScope {
    TCustomForm* Old = Application->MainForm();
    explicit MainFormScope(TCustomForm* Main) { Application->SetMainForm(Main); }
    ~MainFormScope() { Application->SetMainForm(Old); }
  } main(Form);
  auto* question = new TForm(nullptr, TCustomForm::CreateNew);
  question->SetBounds(60, 60, 200, 100);
  ASSERT_EQ(GetParent(question->Handle()), Form->Handle());

  const auto click = [&] {
    Mouse(Widget(apply), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Mouse(Widget(apply), QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    Pump();
  };
  constexpr UINT kCheck = WM_APP + 21;
  Application->OnMessage = [&](MSG& Msg, bool& Handled) {
    if (Msg.message != kCheck) return;
    Handled = true;
    EXPECT_EQ(ui::WidgetOf(question->Handle())->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(Widget(apply)->isEnabled());
    const std::uint32_t beeps = MessageBeepCount();
    click();
    Press(Widget(edit), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    Pump();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    question->SetModalResult(mrOk);
  };
  PostMessageW(question->Handle(), kCheck, 0, 0);
  EXPECT_EQ(question->ShowModal(), mrOk);
  Application->OnMessage = {};
  EXPECT_EQ(ui::WidgetOf(question->Handle())->windowModality(), Qt::NonModal);
  click();
  EXPECT_EQ(clicks, 1);
  Free(question);
}

// A click on a disabled control reaches the enabled window it is on, as
// the window system finds the window under the mouse.
TEST_F(InputRoutingTest, ADisabledControlPassesTheMouseToItsEnabledParent) {
  auto* panel = Add<TPanel>(10, 10, 200, 100);
  auto* apply = new TButton(panel);
  apply->SetParent(panel);
  apply->SetBounds(10, 10, 80, 24);
  Form->Show();
  panel->SetEnabled(false);
  Spy formSpy(Form->Handle());
  Spy buttonSpy(apply->Handle());
  Mouse(Widget(apply), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  Pump();
  EXPECT_TRUE(formSpy.Saw(WM_LBUTTONDOWN));
  EXPECT_FALSE(buttonSpy.Saw(WM_LBUTTONDOWN));
}

}  // namespace
