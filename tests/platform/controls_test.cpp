#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QListView>

#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class ControlsTest : public fixture::FormTest {
 protected:
  template <class T>
  T* Add(TWinControl* Parent, int Left, int Top, int Width = 80, int Height = 24) {
    auto* c = new T(Form);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
  }
  static LPARAM At(int X, int Y) { return MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)); }
};

// A windowless control that logs the mouse entering and leaving it.
using Spot = fixture::MouseLogging<TGraphicControl>;

TEST_F(ControlsTest, WindowlessControlsGetTheirParentsMouseAndClickOnlyWhenReleasedInside) {
  auto* spot = new Spot(Form);
  spot->SetParent(Form);
  spot->SetBounds(100, 100, 50, 30);
  int clicks = 0;
  spot->OnClick = [&](TObject*) { ++clicks; };
  std::vector<int> downAt;
  spot->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { downAt = {X, Y}; };
  Form->Show();
  const HWND h = Form->Handle();
  SendMessageW(h, WM_MOUSEMOVE, 0, At(110, 110));
  SendMessageW(h, WM_LBUTTONDOWN, 1, At(110, 110));
  SendMessageW(h, WM_LBUTTONUP, 0, At(120, 115));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downAt, (std::vector<int>{10, 10}));
  // Pressed inside, released outside: the press keeps the mouse, no click.
  SendMessageW(h, WM_LBUTTONDOWN, 1, At(110, 110));
  SendMessageW(h, WM_LBUTTONUP, 0, At(300, 250));
  EXPECT_EQ(clicks, 1);
  SendMessageW(h, WM_MOUSEMOVE, 0, At(300, 250));
  EXPECT_EQ(spot->Log, (std::vector<std::string>{"enter", "leave"}));
  SendMessageW(h, WM_MOUSEMOVE, 0, At(110, 110));
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(spot->Log.back(), "leave");
}

TEST_F(ControlsTest, PropertiesReachTheWindowAndSurviveItsRecreation) {
  auto* list = Add<TListBox>(Form, 10, 10, 120, 100);
  auto* combo = Add<TComboBox>(Form, 150, 10, 120, 24);
  combo->SetStyle(csDropDownList);
  combo->SetEnabled(false);
  Form->Show();
  EXPECT_FALSE(IsWindowEnabled(combo->Handle()));
  list->Items().Add("one");
  list->Items().Add("two");
  list->SetItemIndex(1);
  combo->Items().Add("4800");
  combo->Items().Add("38400");
  combo->SetItemIndex(1);

  list->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(list->Handle()));
  list->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  list->SetVisible(true);
  list->SetBounds(20, 30, 100, 90);
  EXPECT_EQ(GetWindowBounds(list->Handle()), (RECT{20, 30, 120, 120}));

  const HWND before = combo->Handle();
  combo->SetSorted(true);  // a style change makes a new window
  EXPECT_NE(combo->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_FALSE(IsWindowEnabled(combo->Handle()));
  EXPECT_EQ(combo->Items().Count(), 2);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "4800");  // sorted: 38400 < 4800

  list->SetMultiSelect(true);
  EXPECT_EQ(list->Items().Count(), 2);
  EXPECT_EQ(list->Items()[0], "one");
}

TEST_F(ControlsTest, CheckBoxesKeepTheirCheckInTheWindowAndClickWhenItChanges) {
  auto* check = Add<TCheckBox>(Form, 10, 10, 120, 20);
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  check->SetChecked(true);  // before the window: kept by the control
  Form->Show();
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(check->Handle(), BM_CLICK, 0, 0);  // as the user does
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(clicks, 2);
  check->SetChecked(false);
  EXPECT_EQ(clicks, 2);
  check->SetChecked(true);
  check->RecreateWnd();
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsTest, VirtualListsAskTheirOwnerAndNeverOverrunTheAsker) {
  auto* list = Add<TListBox>(Form, 10, 10, 120, 100);
  list->SetStyle(lbVirtual);
  int calls = 0;
  list->OnData = [&](TWinControl*, int Index, std::string& Data) {
    // A text that grows between the length and the text itself.
    Data = "item " + std::to_string(Index) + std::string(static_cast<std::size_t>(calls++ % 2) * 50, '!');
  };
  list->SetCount(3);
  Form->Show();
  EXPECT_EQ(list->Count(), 3);
  const HWND h = list->Handle();
  const LRESULT len = SendMessageA(h, LB_GETTEXTLEN, 2, 0);
  std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
  buffer += "guard";
  const LRESULT got = SendMessageA(h, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer.data()));
  EXPECT_EQ(got, len);
  EXPECT_EQ(buffer.substr(static_cast<std::size_t>(len) + 1), "guard");
  EXPECT_EQ(std::string(buffer.c_str()), "item 2");
  // What the list shows comes from the owner too.
  auto* view = dynamic_cast<QListView*>(ui::WidgetOf(h));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->model()->index(1, 0).data().toString().startsWith(QStringLiteral("item 1")));
  EXPECT_THROW(TListBox(Form).SetCount(2), EInvalidOperation);
}

TEST_F(ControlsTest, AlignedControlsShareTheClientArea) {
  auto* top = new TPanel(Form);
  top->SetParent(Form);
  top->SetHeight(40);
  top->SetAlign(alTop);
  auto* left = new TPanel(Form);
  left->SetParent(Form);
  left->SetWidth(60);
  left->SetAlign(alLeft);
  auto* bottom = new TPanel(Form);
  bottom->SetParent(Form);
  bottom->SetHeight(30);
  bottom->SetAlign(alBottom);
  auto* right = new TPanel(Form);
  right->SetParent(Form);
  right->SetWidth(50);
  right->SetAlign(alRight);
  auto* rest = new TPanel(Form);
  rest->SetParent(Form);
  rest->SetAlign(alClient);
  Form->SetClientWidth(400);
  Form->SetClientHeight(300);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 40));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 40, 60, 270));
  EXPECT_EQ(rest->BoundsRect(), Rect(60, 40, 350, 270));
  Form->SetClientWidth(500);
  EXPECT_EQ(rest->BoundsRect(), Rect(60, 40, 450, 270));
}

TEST_F(ControlsTest, FocusEntersAndExitsInOrderAndForgetsFreedControls) {
  auto* box = Add<TGroupBox>(Form, 10, 10, 200, 120);
  auto* inner = Add<TEdit>(box, 10, 20);
  auto* outer = Add<TEdit>(Form, 10, 150);
  std::vector<std::string> log;
  box->OnEnter = [&](TObject*) { log.push_back("enter box"); };
  box->OnExit = [&](TObject*) { log.push_back("exit box"); };
  inner->OnEnter = [&](TObject*) { log.push_back("enter inner"); };
  inner->OnExit = [&](TObject*) { log.push_back("exit inner"); };
  outer->OnEnter = [&](TObject*) { log.push_back("enter outer"); };
  Form->Show();
  inner->SetFocus();
  outer->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"enter box", "enter inner", "exit inner", "exit box", "enter outer"}));
  EXPECT_EQ(Form->ActiveControl(), outer);
  Free(outer);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  inner->SetFocus();
  EXPECT_EQ(Form->ActiveControl(), inner);
}

TEST_F(ControlsTest, DialogKeysPressTheDefaultAndCancelButtonsAndAcceleratorsClick) {
  auto* edit = Add<TEdit>(Form, 10, 10);
  auto* ok = Add<TButton>(Form, 10, 50);
  ok->SetCaption("&OK");
  ok->SetDefault(true);
  auto* cancel = Add<TButton>(Form, 100, 50);
  cancel->SetCaption("Cancel");
  cancel->Cancel = true;
  std::vector<std::string> log;
  ok->OnClick = [&](TObject*) { log.push_back("ok"); };
  cancel->OnClick = [&](TObject*) { log.push_back("cancel"); };
  Form->Show();
  edit->SetFocus();
  PostKeyDown(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1, u"\r");
  PostKeyDown(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 1, u"\x1b");
  PostKeyDown(edit->Handle(), WM_SYSKEYDOWN, 'O', 0x20000001, u"o");
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel", "ok"}));
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(ControlsTest, MemoLinesLeaveOutAnEmptyLastLine) {
  auto* memo = Add<TMemo>(Form, 10, 10, 200, 100);
  Form->Show();
  memo->SetText("A");
  memo->Lines().Insert(1, "S");
  EXPECT_EQ(memo->Text(), "A\r\nS");
  memo->SetText("A\r\n");
  EXPECT_EQ(memo->Lines().Count(), 1);
  memo->Lines().Insert(1, "S");
  EXPECT_EQ(memo->Text(), "A\r\nS\r\n");
  memo->Lines().Delete(0);
  EXPECT_EQ(memo->Text(), "S\r\n");
  EXPECT_THROW(memo->Lines().Insert(5, "x"), EStringListError);
  memo->Lines().Add("$GPGGA,1");
  EXPECT_EQ(memo->Lines()[1], "$GPGGA,1");
}

TEST_F(ControlsTest, TheMouseShowsTheCursorOfTheControlUnderIt) {
  auto* link = new TLabel(Form);
  link->SetParent(Form);
  link->SetCaption("www.example.com");
  link->SetBounds(100, 100, 120, 20);
  link->SetCursor(crHandPoint);
  auto* edit = Add<TEdit>(Form, 10, 200, 100, 24);
  Form->Show();
  const HWND h = Form->Handle();
  QWidget* face = ui::WidgetOf(h);
  SendMessageW(h, WM_MOUSEMOVE, 0, At(110, 105));
  EXPECT_EQ(face->cursor().shape(), Qt::PointingHandCursor);
  SendMessageW(h, WM_MOUSEMOVE, 0, At(10, 10));
  EXPECT_EQ(face->cursor().shape(), Qt::ArrowCursor);

  // A control with a window shows its cursor at once, keeps it in a new
  // window, and gets its class's own back with the default.
  const auto editShape = [&] { return ui::WidgetOf(edit->Handle())->cursor().shape(); };
  const Qt::CursorShape own = editShape();
  edit->SetCursor(crHandPoint);
  EXPECT_EQ(editShape(), Qt::PointingHandCursor);
  edit->RecreateWnd();
  EXPECT_EQ(editShape(), Qt::PointingHandCursor);
  edit->SetCursor(crDefault);
  EXPECT_EQ(editShape(), own);
}

TEST_F(ControlsTest, StandardControlsShowTheColoursTheirControlsAskFor) {
  auto* edit = Add<TEdit>(Form, 10, 10);
  edit->SetColor(clYellow);
  edit->Font().SetColor(clRed);
  auto* list = Add<TListBox>(Form, 10, 40, 100, 60);
  list->SetColor(clAqua);
  auto* note = Add<TStaticText>(Form, 10, 110);
  note->SetCaption("note");
  note->SetParentColor(false);
  note->SetColor(clLime);
  auto* check = Add<TCheckBox>(Form, 10, 140);
  check->Font().SetColor(clBlue);
  Form->Show();
  const auto palette = [](TWinControl* C) { return ui::WidgetOf(C->Handle())->palette(); };
  EXPECT_EQ(palette(edit).color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(palette(edit).color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(palette(list).color(QPalette::Base), QColor(0, 255, 255));
  EXPECT_EQ(palette(note).color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(palette(check).color(QPalette::ButtonText), QColor(0, 0, 255));
}

TEST_F(ControlsTest, ColourAndHintSettingsReachTheChildrenThatFollowTheirParent) {
  auto* panel = Add<TPanel>(Form, 10, 10, 200, 100);
  auto* label = new TLabel(Form);
  label->SetParent(panel);
  auto* own = new TLabel(Form);
  own->SetParent(panel);
  own->SetColor(clWhite);
  auto* button = Add<TButton>(panel, 10, 40);
  panel->SetColor(clNavy);
  EXPECT_EQ(label->Color(), clNavy);
  EXPECT_EQ(own->Color(), clWhite);
  panel->SetShowHint(true);
  EXPECT_TRUE(button->ShowHint());
  button->SetShowHint(false);
  panel->SetShowHint(false);
  panel->SetShowHint(true);
  EXPECT_FALSE(button->ShowHint());  // set on its own, it no longer follows
}

TEST_F(ControlsTest, AcceleratorsOfLabelsAndStaticTextsFocusTheirControl) {
  auto* port = Add<TEdit>(Form, 100, 10);
  auto* baud = Add<TEdit>(Form, 100, 40);
  auto* other = Add<TEdit>(Form, 100, 70);
  auto* portLabel = new TLabel(Form);
  portLabel->SetParent(Form);
  portLabel->SetCaption("&Port:");
  portLabel->FocusControl = port;
  auto* baudText = Add<TStaticText>(Form, 10, 40);
  baudText->SetCaption("&Baud rate:");
  baudText->FocusControl = baud;
  Form->Show();
  other->SetFocus();
  PostKeyDown(other->Handle(), WM_SYSKEYDOWN, 'P', 0x20000001, u"p");
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), port->Handle());
  PostKeyDown(port->Handle(), WM_SYSKEYDOWN, 'B', 0x20000001, u"b");
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), baud->Handle());
  // Without the accelerator shown, or disabled, they let it pass.
  baudText->SetShowAccelChar(false);
  portLabel->SetEnabled(false);
  other->SetFocus();
  PostKeyDown(other->Handle(), WM_SYSKEYDOWN, 'B', 0x20000001, u"b");
  PostKeyDown(other->Handle(), WM_SYSKEYDOWN, 'P', 0x20000001, u"p");
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), other->Handle());
}

TEST_F(ControlsTest, LabelsAndStaticTextsSizeToTheirCaption) {
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  auto* text = Add<TStaticText>(Form, 10, 40);
  label->SetCaption("Depth");
  text->SetCaption("Depth");
  const int labelWidth = label->Width();
  const int textWidth = text->Width();
  label->SetCaption("Depth below transducer");
  text->SetCaption("Depth below transducer");
  EXPECT_GT(label->Width(), labelWidth);
  EXPECT_GT(text->Width(), textWidth);
  label->Font().SetSize(label->Font().Size() * 2);
  text->Font().SetSize(text->Font().Size() * 2);
  EXPECT_GT(label->Height(), 17);
  EXPECT_GT(text->Height(), 17);
  label->SetAutoSize(false);
  text->SetAutoSize(false);
  label->SetCaption("D");
  text->SetCaption("D");
  EXPECT_GT(label->Width(), labelWidth);
  EXPECT_GT(text->Width(), textWidth);
}

TEST_F(ControlsTest, LabelsKeepTheirAnchorAndDrawEmbossedWhenDisabled) {
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  label->SetAlignment(taRightJustify);
  label->SetCaption("wide caption");
  const int right = label->Left() + label->Width();
  label->SetCaption("w");
  EXPECT_EQ(label->Left() + label->Width(), right);

  // Disabled text is drawn in the shadow colour over a highlight copy, so
  // nothing is as dark as enabled text.
  label->SetCaption("WWW");
  label->SetColor(clWhite);
  const auto darkest = [&] {
    TBitmap bitmap;
    bitmap.SetSize(label->Width() + 4, label->Height() + 4);
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
    int low = 255;
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) {
        const COLORREF c = static_cast<COLORREF>(bitmap.Canvas().Pixels(x, y));
        low = std::min<int>(low, GetGValue(c));
      }
    }
    return low;
  };
  EXPECT_LT(darkest(), 80);
  label->SetEnabled(false);
  const int disabled = darkest();
  EXPECT_GT(disabled, 100);
  EXPECT_LT(disabled, 200);
}

}  // namespace
