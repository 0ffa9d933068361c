#include "platform/core/window_system/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/input.h"
#include "platform/core/window_system/keyboard_layout.h"

namespace {

using namespace platform;

std::vector<std::string>* g_log = nullptr;
std::string g_ansiSeen;
std::u16string g_wideSeen;
WPARAM g_charSeen = 0;

void Log(const std::string& S) {
  if (g_log) g_log->push_back(S);
}

LRESULT AnsiProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if ((Msg == WM_SETTEXT || Msg == WM_SETTINGCHANGE) && lParam) g_ansiSeen = reinterpret_cast<const char*>(lParam);
  if (Msg == WM_CHAR) g_ansiSeen = std::string(1, static_cast<char>(wParam));
  if (Msg == WM_CHAR) g_charSeen = wParam;
  return DefWindowProcA(hWnd, Msg, wParam, lParam);
}

LRESULT WideProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_SETTEXT && lParam) g_wideSeen = reinterpret_cast<const char16_t*>(lParam);
  if (Msg == WM_CHAR) g_wideSeen = std::u16string(1, static_cast<char16_t>(wParam));
  if (Msg == WM_CHAR) g_charSeen = wParam;
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

LRESULT LoggingProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  const std::string id = std::to_string(GetDlgCtrlID(hWnd));
  switch (Msg) {
    case WM_NCCREATE:
      Log("nccreate " + id);
      break;
    case WM_CREATE:
      Log("create " + id);
      return GetDlgCtrlID(hWnd) == 99 ? -1 : 0;
    case WM_DESTROY:
      Log("destroy " + id);
      break;
    case WM_NCDESTROY:
      Log("ncdestroy " + id);
      break;
    case WM_SIZE:
      Log("size " + std::to_string(LOWORD(static_cast<std::uintptr_t>(lParam))));
      break;
    case WM_MOVE:
      // Window 77 goes as soon as it is moved.
      if (GetDlgCtrlID(hWnd) == 77) DestroyWindow(hWnd);
      break;
    case WM_SETFOCUS:
      Log("setfocus " + id);
      break;
    case WM_KILLFOCUS:
      Log("killfocus " + id);
      break;
    case WM_COMMAND:
      Log("command " + std::to_string(LOWORD(wParam)));
      break;
    case WM_GETDLGCODE:
      return id == "3" ? DLGC_DEFPUSHBUTTON : 0;
    case WM_TIMER:
      Log("timer " + id + " " + std::to_string(wParam));
      break;
    case WM_INPUTLANGCHANGE:
      Log("inputlang " + id + " " + std::to_string(wParam) + " " + std::to_string(lParam));
      break;
    case WM_MOUSEWHEEL:
      Log("wheel " + id);
      break;
    case WM_CONTEXTMENU:
      Log("contextmenu " + id);
      break;
    default:
      break;
  }
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BindUiThread();
    // Windows of the thread made before this test (the application's own
    // among them) outlive it.
    Before = GetThreadWindows();
    g_log = &Log;
    Register(u"AnsiWnd", MakeWndProc<&AnsiProc>(false), false);
    Register(u"WideWnd", MakeWndProc<&WideProc>(true), true);
    Register(u"LogWnd", MakeWndProc<&LoggingProc>(true), true);
  }
  void TearDown() override {
    for (HWND h : GetThreadWindows()) {
      if (std::find(Before.begin(), Before.end(), h) == Before.end()) DestroyWindow(h);
    }
    UnregisterClassW(u"AnsiWnd");
    UnregisterClassW(u"WideWnd");
    UnregisterClassW(u"LogWnd");
    g_log = nullptr;
  }
  static void Register(const char16_t* Name, WNDPROC Proc, bool Unicode) {
    WNDCLASS wc;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = Name;
    if (Unicode) {
      RegisterClassW(wc);
    } else {
      RegisterClassA(wc);
    }
  }
  static HWND Make(const char16_t* Cls, HWND Parent = nullptr, int Id = 0, DWORD Style = WS_VISIBLE) {
    return CreateWindowExW(0, Cls, u"", Style | (Parent ? WS_CHILD : 0), 0, 0, 100, 20, Parent,
                           static_cast<std::uintptr_t>(Id), nullptr, nullptr);
  }
  std::vector<std::string> Log;
  std::vector<HWND> Before;
};

TEST_F(WindowTest, TextCrossesBetweenEightBitAndUnicodeProcedures) {
  HWND a = Make(u"AnsiWnd");
  HWND w = Make(u"WideWnd");
  ASSERT_FALSE(IsWindowUnicode(a));
  ASSERT_TRUE(IsWindowUnicode(w));

  SetWindowTextW(a, u"\u00E9\u20AC \u4E2D");
  EXPECT_EQ(g_ansiSeen, "\xE9\x80 ?");
  EXPECT_EQ(WindowTextA(a), "\xE9\x80 ?");

  SetWindowTextA(w, "caf\xE9 \x80");
  EXPECT_EQ(g_wideSeen, u"caf\u00E9 \u20AC");
  SetWindowTextW(w, u"\u03A9\u4E2D1");
  EXPECT_EQ(WindowTextA(w), "??1");
  EXPECT_EQ(WindowTextW(w), u"\u03A9\u4E2D1");

  // A short buffer gets what fits and a terminator.
  char small[3] = {'x', 'x', 'x'};
  EXPECT_EQ(GetWindowTextA(w, small, 3), 2);
  EXPECT_EQ(std::string(small), "??");

  // The section a settings broadcast names, too.
  SendMessageW(a, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(u"intl"));
  EXPECT_EQ(g_ansiSeen, "intl");

  SendMessageA(w, WM_CHAR, 0x80, 0);
  EXPECT_EQ(g_wideSeen, u"\u20AC");
  SendMessageW(a, WM_CHAR, 0x4E2D, 0);
  EXPECT_EQ(g_ansiSeen, "?");
}

// A subclass that upper-cases text on its way in, then hands on to the
// procedure it replaced, whatever that procedure's kind.
WNDPROC g_previous;
LRESULT Upper(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_SETTEXT && lParam) {
    std::u16string s = reinterpret_cast<const char16_t*>(lParam);
    for (auto& c : s)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return CallWindowProcW(g_previous, hWnd, Msg, wParam, reinterpret_cast<LPARAM>(s.c_str()));
  }
  return CallWindowProcW(g_previous, hWnd, Msg, wParam, lParam);
}

TEST_F(WindowTest, SubclassingChainsAndRestores) {
  HWND a = Make(u"AnsiWnd");
  const WNDPROC original = GetWindowProcA(a);
  EXPECT_EQ(original, MakeWndProc<&AnsiProc>(false));
  g_previous = SetWindowProcW(a, MakeWndProc<&Upper>(true));
  EXPECT_TRUE(IsWindowUnicode(a));
  SetWindowTextA(a, "caf\xE9");
  EXPECT_EQ(g_ansiSeen, "CAF\xE9");

  // What SetWindowProcW gave back puts the 8-bit procedure back in place.
  const WNDPROC trap = SetWindowProcA(a, g_previous);
  EXPECT_EQ(trap.Fn, MakeWndProc<&Upper>(true).Fn);
  EXPECT_EQ(GetWindowProcA(a), original);
  EXPECT_FALSE(IsWindowUnicode(a));
  SetWindowTextA(a, "abc");
  EXPECT_EQ(g_ansiSeen, "abc");
}

// CallWindowProc converts only for a value the window system handed out for
// a procedure of the other kind; a procedure the program made is called as
// it is, whoever calls.
TEST_F(WindowTest, CallWindowProcConvertsOnlyForValuesHandedOutForTheOtherKind) {
  HWND w = Make(u"WideWnd");
  CallWindowProcA(MakeWndProc<&WideProc>(true), w, WM_CHAR, 0x80, 0);
  EXPECT_EQ(g_charSeen, 0x80u);

  const WNDPROC viaAnsi = GetWindowProcA(w);
  EXPECT_NE(viaAnsi, MakeWndProc<&WideProc>(true));
  EXPECT_EQ(GetWindowProcW(w), MakeWndProc<&WideProc>(true));
  CallWindowProcA(viaAnsi, w, WM_CHAR, 0x80, 0);
  EXPECT_EQ(g_charSeen, 0x20ACu);
  CallWindowProcW(viaAnsi, w, WM_CHAR, 0x20AC, 0);
  EXPECT_EQ(g_charSeen, 0x20ACu);

  // Installed through the 8-bit call, the handed-out value is the Unicode
  // procedure again.
  SetWindowProcA(w, MakeWndProc<&AnsiProc>(false));
  EXPECT_FALSE(IsWindowUnicode(w));
  SetWindowProcA(w, viaAnsi);
  EXPECT_TRUE(IsWindowUnicode(w));

  // A class's procedure follows the same rule.
  WNDCLASS wc;
  ASSERT_TRUE(GetClassInfoA("WideWnd", &wc));
  CallWindowProcA(wc.lpfnWndProc, w, WM_CHAR, 0x80, 0);
  EXPECT_EQ(g_charSeen, 0x20ACu);
  ASSERT_TRUE(GetClassInfoW(u"WideWnd", &wc));
  EXPECT_EQ(wc.lpfnWndProc, MakeWndProc<&WideProc>(true));
}

// The wide layer parks a character beyond code page 1252 in the upper word
// of a character message and puts 255 in the lower one; the upper word
// survives every conversion, sent or queued.
TEST_F(WindowTest, CharacterMessagesKeepTheirUpperWordAcrossKinds) {
  constexpr WPARAM kParked = 0x4E2D00FF;
  HWND a = Make(u"AnsiWnd");
  HWND w = Make(u"WideWnd");
  SendMessageA(w, WM_CHAR, kParked, 0);
  EXPECT_EQ(g_charSeen, kParked);
  SendMessageW(a, WM_CHAR, kParked, 0);
  EXPECT_EQ(g_charSeen, kParked);
  SendMessageW(a, WM_CHAR, 0x4E2D20AC, 0);
  EXPECT_EQ(g_charSeen, 0x4E2D0080u);

  MSG m;
  PostMessageA(a, WM_CHAR, kParked, 0);
  ASSERT_TRUE(PeekMessageW(&m, a, WM_CHAR, WM_CHAR, PM_REMOVE));
  EXPECT_EQ(m.wParam, kParked);
  PostMessageW(w, WM_CHAR, 0x4E2D20AC, 0);
  ASSERT_TRUE(PeekMessageA(&m, w, WM_CHAR, WM_CHAR, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0x4E2D0080u);
}

struct Probe {
  LRESULT Proc(HWND, UINT, WPARAM, LPARAM) { return 0; }
};

TEST_F(WindowTest, ProceduresFromMethodsCompareByObject) {
  Probe one, two;
  EXPECT_EQ((MakeWndProc<&Probe::Proc>(&one, true)), (MakeWndProc<&Probe::Proc>(&one, true)));
  EXPECT_NE((MakeWndProc<&Probe::Proc>(&one, true)), (MakeWndProc<&Probe::Proc>(&two, true)));
  EXPECT_NE((MakeWndProc<&Probe::Proc>(&one, true)), (MakeWndProc<&Probe::Proc>(&one, false)));
}

TEST_F(WindowTest, CreationAndDestructionMessagesComeInTheWindowSystemsOrder) {
  HWND parent = Make(u"LogWnd");
  HWND child = Make(u"LogWnd", parent, 1);
  Make(u"LogWnd", child, 2);
  EXPECT_EQ(Make(u"LogWnd", parent, 99), nullptr);  // refuses in WM_CREATE
  Log.clear();
  ASSERT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(Log, (std::vector<std::string>{"destroy 0", "destroy 1", "destroy 2", "ncdestroy 2", "ncdestroy 1",
                                           "ncdestroy 0"}));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetWindowTextLengthW(child), 0);
  EXPECT_EQ(Make(u"NoSuchClass"), nullptr);
}

TEST_F(WindowTest, PropertiesAtomsAndRegisteredMessages) {
  HWND h = Make(u"WideWnd");
  const UINT m = RegisterWindowMessageA("Veltrosa.Test");
  EXPECT_GE(m, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageW(u"veltrosa.test"), m);
  EXPECT_NE(RegisterWindowMessageA("Veltrosa.Other"), m);

  const ATOM atom = GlobalAddAtomA("ControlOfs0001");
  EXPECT_EQ(GlobalAddAtomA("controlofs0001"), atom);
  EXPECT_EQ(GlobalGetAtomNameA(atom), "ControlOfs0001");
  EXPECT_TRUE(SetPropAtom(h, atom, 42));
  EXPECT_EQ(GetPropAtom(h, atom), 42u);
  EXPECT_EQ(GlobalDeleteAtom(atom), 0);
  EXPECT_EQ(GlobalFindAtomA("ControlOfs0001"), atom);  // still counted once
  EXPECT_EQ(GlobalDeleteAtom(atom), 0);
  EXPECT_EQ(GlobalFindAtomA("ControlOfs0001"), 0);

  EXPECT_TRUE(SetPropA(h, "Owner", 7));
  EXPECT_EQ(GetPropA(h, "OWNER"), 7u);
  EXPECT_EQ(RemovePropA(h, "owner"), 7u);
  EXPECT_EQ(GetPropA(h, "Owner"), 0u);
}

TEST_F(WindowTest, FocusEnableAndVisibilityFollowTheTree) {
  HWND form = Make(u"LogWnd");
  HWND panel = Make(u"LogWnd", form, 1);
  HWND edit = Make(u"LogWnd", panel, 2);
  Log.clear();
  SetFocus(edit);
  SetFocus(panel);
  EXPECT_EQ(Log, (std::vector<std::string>{"setfocus 2", "killfocus 2", "setfocus 1"}));
  EXPECT_EQ(GetActiveWindow(), form);

  EnableWindow(panel, false);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(panel));
  EXPECT_TRUE(EnableWindow(panel, true));

  ShowWindow(form, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(edit));
  ShowWindow(form, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(edit));

  // The wheel and the shortcut menu a child leaves climb to the top.
  Log.clear();
  SendMessageW(edit, WM_MOUSEWHEEL, 0, 0);
  SendMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"wheel 2", "wheel 1", "wheel 0", "contextmenu 2", "contextmenu 1",
                                           "contextmenu 0"}));
}

TEST_F(WindowTest, BoundsAreRelativeToTheParent) {
  HWND form = Make(u"LogWnd");
  HWND panel = Make(u"LogWnd", form, 1);
  MoveWindow(form, 100, 50, 400, 300, true);
  Log.clear();
  MoveWindow(panel, 10, 20, 200, 100, true);
  MoveWindow(panel, 15, 20, 200, 100, true);
  EXPECT_EQ(Log, (std::vector<std::string>{"size 200"}));  // a move alone sends no WM_SIZE
  POINT p{1, 2};
  ClientToScreen(panel, &p);
  EXPECT_EQ(p, (POINT{116, 72}));
  RECT r;
  GetClientRect(panel, &r);
  EXPECT_EQ(r, (RECT{0, 0, 200, 100}));

  // A window that goes while it hears of its move hears nothing more.
  HWND going = Make(u"LogWnd", form, 77);
  Log.clear();
  EXPECT_TRUE(MoveWindow(going, 5, 5, 60, 30, true));
  EXPECT_FALSE(IsWindow(going));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "size 60"), 0);
}

TEST_F(WindowTest, DialogKeysMoveFocusAndPressButtons) {
  HWND dlg = Make(u"LogWnd");
  HWND first = Make(u"LogWnd", dlg, 1, WS_VISIBLE | WS_TABSTOP);
  Make(u"LogWnd", dlg, 2, WS_VISIBLE);  // not a tab stop
  HWND button = Make(u"LogWnd", dlg, 3, WS_VISIBLE | WS_TABSTOP);
  HWND last = Make(u"LogWnd", dlg, 4, WS_VISIBLE | WS_TABSTOP);
  SetFocus(first);
  Log.clear();
  MSG m;
  m.hwnd = first;
  m.message = WM_KEYDOWN;
  m.wParam = VK_TAB;
  EXPECT_TRUE(IsDialogMessage(dlg, &m));
  EXPECT_EQ(GetFocus(), button);
  SetKeyDown(VK_SHIFT, true);
  m.hwnd = button;
  EXPECT_TRUE(IsDialogMessage(dlg, &m));
  EXPECT_EQ(GetFocus(), first);
  m.hwnd = first;
  EXPECT_TRUE(IsDialogMessage(dlg, &m));
  SetKeyDown(VK_SHIFT, false);
  EXPECT_EQ(GetFocus(), last);
  m.wParam = VK_RETURN;
  EXPECT_TRUE(IsDialogMessage(dlg, &m));
  m.wParam = VK_ESCAPE;
  EXPECT_TRUE(IsDialogMessage(dlg, &m));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "command 3"), 1);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "command 2"), 1);

  HWND outside = Make(u"LogWnd");
  m.hwnd = outside;
  EXPECT_FALSE(IsDialogMessage(dlg, &m));
}

TEST_F(WindowTest, WindowTimersGoToTheirWindowAndEndWithIt) {
  std::uint32_t now = 100;
  ScopedClockOverride clock({.Tick = [&] { return now; }});
  HWND a = Make(u"LogWnd", nullptr, 0);
  HWND b = Make(u"LogWnd", a, 5);
  SetTimer(b, 42, 50);
  Log.clear();
  now += 50;
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  EXPECT_EQ(Log, (std::vector<std::string>{"timer 5 42"}));
  DestroyWindow(b);
  now += 500;
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_FALSE(PostMessage(b, WM_USER, 0, 0));  // a stale handle names nothing
  EXPECT_EQ(SendMessageW(b, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(WindowTest, ChildrenMoveBetweenParentsAndRestack) {
  HWND one = Make(u"LogWnd");
  HWND two = Make(u"LogWnd");
  HWND x = Make(u"LogWnd", one, 1);
  HWND y = Make(u"LogWnd", one, 2);
  EXPECT_EQ(GetChildWindows(one), (std::vector<HWND>{x, y}));
  SetWindowPos(y, HWND_TOP(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetChildWindows(one), (std::vector<HWND>{y, x}));
  SetWindowPos(y, HWND_BOTTOM(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetChildWindows(one), (std::vector<HWND>{x, y}));
  EXPECT_EQ(SetParent(x, two), one);
  EXPECT_EQ(GetParent(x), two);
  EXPECT_TRUE(IsChild(two, x));
  EXPECT_EQ(GetChildWindows(one), (std::vector<HWND>{y}));
  EXPECT_EQ(SetParent(one, y), nullptr);  // never inside its own child
  EXPECT_EQ(GetParent(one), nullptr);
  EXPECT_TRUE(IsChild(one, y));
  EXPECT_EQ(GetDlgItem(two, 1), x);
  EXPECT_EQ(GetAncestorRoot(x), two);
}

TEST_F(WindowTest, AnInputLanguageSwitchReachesEveryWindowAndRenamesTheKeys) {
  HWND top = Make(u"LogWnd");
  HWND child = Make(u"LogWnd", top, 2);
  Make(u"LogWnd", child, 3);
  const auto keyName = [](unsigned Key, bool Extended) {
    char16_t name[64] = {};
    const long data = (static_cast<long>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC)) << 16) | (Extended ? 1L << 24 : 0);
    return std::u16string(name, static_cast<std::size_t>(GetKeyNameTextW(data, name, 64)));
  };
  const HKL previous = SwitchKeyboardLayout(KeyboardLayoutOf(0x0409));
  EXPECT_EQ(keyName(VK_SHIFT, false), u"Shift");
  Log.clear();
  SwitchKeyboardLayout(KeyboardLayoutOf(0x0410));
  EXPECT_EQ(GetKeyboardLayout(0), 0x04100410u);
  const auto reached = [](const std::string& Message) {
    return std::vector<std::string>{"inputlang 0 " + Message, "inputlang 2 " + Message, "inputlang 3 " + Message};
  };
  EXPECT_EQ(Log, reached("0 " + std::to_string(0x04100410)));
  EXPECT_EQ(keyName(VK_SHIFT, false), u"MAIUSC");
  EXPECT_EQ(keyName(VK_DELETE, true), u"CANC");
  EXPECT_EQ(keyName('S', false), u"S");

  // The layout in force again: nothing to tell.
  Log.clear();
  SwitchKeyboardLayout(KeyboardLayoutOf(0x0410));
  EXPECT_TRUE(Log.empty());
  // A Greek layout types code page 1253, character set 161.
  SwitchKeyboardLayout(KeyboardLayoutOf(0x0408));
  EXPECT_EQ(Log, reached("161 " + std::to_string(0x04080408)));
  EXPECT_EQ(keyName(VK_SHIFT, false), u"Shift");
  SwitchKeyboardLayout(previous);
}

}  // namespace
