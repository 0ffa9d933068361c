// A click of the mouse on a control whose window reports its own clicks
// (push buttons, check boxes, radio buttons, list boxes, combo boxes)
// clicks the control once, or not at all where the window reports nothing,
// whether it comes as the window's mouse messages or as the widget's mouse
// events the presentation turns into them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include <string>
#include <utility>

#include "platform/ui/controls/speed_button.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

enum class Arrival { WindowMessages, WidgetEvents };

std::string Name(const ::testing::TestParamInfo<Arrival>& Info) {
  return Info.param == Arrival::WindowMessages ? "WindowMessages" : "WidgetEvents";
}

class ControlClicks : public fixture::FormTest, public ::testing::WithParamInterface<Arrival> {
 protected:
  template <class T>
  T* Add(int Height = 24) {
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetBounds(10, 10, 120, Height);
    c->OnClick = [this](TObject*) { ++Clicks; };
    c->OnDblClick = [this](TObject*) { ++DoubleClicks; };
    return c;
  }

  // A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK or
  // WM_LBUTTONUP) at a point of the window, handled.
  void Mouse(TWinControl* Window, UINT Msg, int X, int Y) {
    if (GetParam() == Arrival::WindowMessages) {
      const WPARAM keys = Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0;
      PostMessageW(Window->Handle(), Msg, keys, MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)));
    } else {
      QWidget* widget = ui::WidgetOf(Window->Handle());
      const QPointF point(X, Y);
      const QEvent::Type type = Msg == WM_MOUSEMOVE       ? QEvent::MouseMove
                                : Msg == WM_LBUTTONDOWN   ? QEvent::MouseButtonPress
                                : Msg == WM_LBUTTONDBLCLK ? QEvent::MouseButtonDblClick
                                                          : QEvent::MouseButtonRelease;
      const Qt::MouseButton button = Msg == WM_MOUSEMOVE ? Qt::NoButton : Qt::LeftButton;
      const Qt::MouseButtons held = Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK ? Qt::LeftButton : Qt::NoButton;
      QMouseEvent e(type, point, widget->mapToGlobal(point), button, held, Qt::NoModifier);
      QCoreApplication::sendEvent(widget, &e);
    }
    Application->ProcessMessages();
  }

  // The left button pressed and let go at a point of the control (by
  // default near its left end: on the box of a check box or radio button);
  // Double makes the press the second one of a double click.
  void Click(TWinControl* Control, int X = 6, int Y = -1, bool Double = false) {
    if (Y < 0) Y = Control->Height() / 2;
    Mouse(Control, Double ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, X, Y);
    Mouse(Control, WM_LBUTTONUP, X, Y);
  }

  // How light the form shows a point: a raised edge is lighter than the
  // face, a sunk one darker.
  int Lightness(int X, int Y) { return qGray(ui::Grab(Form->Handle()).pixel(X, Y)); }

  int Clicks = 0;
  int DoubleClicks = 0;
};

TEST_P(ControlClicks, APushButtonClicksOnce) {
  auto* button = Add<TButton>();
  Form->Show();
  Click(button);
  EXPECT_EQ(Clicks, 1);
  Click(button);
  EXPECT_EQ(Clicks, 2);
}

TEST_P(ControlClicks, ACheckBoxTurnsOnceAndClicksOnce) {
  auto* check = Add<TCheckBox>();
  Form->Show();
  Click(check);
  EXPECT_EQ(check->State(), cbChecked);
  EXPECT_EQ(Clicks, 1);
  Click(check);
  EXPECT_EQ(check->State(), cbUnchecked);
  EXPECT_EQ(Clicks, 2);
}

TEST_P(ControlClicks, ARadioButtonIsCheckedAndClicksOnce) {
  auto* radio = Add<TRadioButton>();
  Form->Show();
  Click(radio);
  EXPECT_TRUE(radio->Checked());
  EXPECT_EQ(Clicks, 1);
}

TEST_P(ControlClicks, AListBoxClicksForASelectionAndDoubleClicksOnce) {
  auto* list = Add<TListBox>(90);
  list->Items().Add("one");
  list->Items().Add("two");
  Form->Show();
  // Below the items nothing is selected.
  Click(list, 6, 80);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(Clicks, 0);
  Click(list, 6, 4);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(Clicks, 1);
  Click(list, 6, 4, true);
  EXPECT_EQ(DoubleClicks, 1);
  EXPECT_EQ(Clicks, 1);
}

TEST_P(ControlClicks, OpeningAComboBoxClicksNothing) {
  auto* combo = Add<TComboBox>();
  combo->SetStyle(csDropDownList);
  combo->Items().Add("one");
  Form->Show();
  Click(combo, 60);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

// A button painted by the form is clicked once, drawn sunk while the mouse
// button is held on it and, when flat, shows its edge only under the mouse.
TEST_P(ControlClicks, ASpeedButtonClicksOnceAndShowsThePressAndTheMouse) {
  auto* button = new TSpeedButton(Form);
  button->SetParent(Form);
  button->SetBounds(20, 20, 60, 24);
  button->OnClick = [this](TObject*) { ++Clicks; };
  Form->Show();
  const int edge = Lightness(20, 20);
  Mouse(Form, WM_LBUTTONDOWN, 40, 30);
  EXPECT_LT(Lightness(20, 20), edge);
  EXPECT_EQ(Clicks, 0);
  Mouse(Form, WM_LBUTTONUP, 40, 30);
  EXPECT_EQ(Lightness(20, 20), edge);
  EXPECT_EQ(Clicks, 1);

  button->SetFlat(true);
  Mouse(Form, WM_MOUSEMOVE, 200, 200);
  const int face = Lightness(20, 20);
  Mouse(Form, WM_MOUSEMOVE, 40, 30);
  EXPECT_NE(Lightness(20, 20), face);
  Mouse(Form, WM_MOUSEMOVE, 200, 200);
  EXPECT_EQ(Lightness(20, 20), face);
}

INSTANTIATE_TEST_SUITE_P(Mouse, ControlClicks, ::testing::Values(Arrival::WindowMessages, Arrival::WidgetEvents), Name);

}  // namespace
