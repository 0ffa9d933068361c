#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <vector>

#include "platform/core/window_system/apphooks.h"
#include "platform/core/window_system/input.h"
#include "platform/core/window_system/mdi.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// An 8-bit MDI frame as the application's main form, and its children; the
// previous main form comes back after each test.
class MdiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void SetUp() override {
    previousMain_ = Application->MainForm();
    Frame = new TForm(nullptr, TCustomForm::CreateNew);
    Frame->SetFormStyle(fsMDIForm);
    Frame->SetBounds(20, 20, 600, 400);
    Application->SetMainForm(Frame);
    Frame->Show();
  }
  void TearDown() override {
    for (TCustomForm* child : Children) Free(child);
    Application->SetMainForm(previousMain_);
    Free(Frame);
    Application->ProcessMessages();
  }
  TForm* AddChild() {
    auto* child = new TForm(nullptr, TCustomForm::CreateNew);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(0, 30, 200, 120);
    child->Show();
    Children.push_back(child);
    return child;
  }
  HWND Client() const { return Frame->ClientHandle(); }
  HWND Active() const { return reinterpret_cast<HWND>(SendMessageW(Client(), WM_MDIGETACTIVE, 0, 0)); }
  TForm* Frame = nullptr;
  std::vector<TForm*> Children;

 private:
  TCustomForm* previousMain_ = nullptr;
};

TEST_F(MdiTest, TheClientActivatesItsNewestChildAndTheNextWhenOneGoes) {
  TForm* first = AddChild();
  TForm* second = AddChild();
  EXPECT_EQ(Active(), second->WindowHandle());
  EXPECT_EQ(Frame->ActiveMDIChild(), second);
  // Stepping on sends the active child to the back.
  SendMessageW(Client(), WM_MDINEXT, 0, 0);
  EXPECT_EQ(Active(), first->WindowHandle());
  EXPECT_EQ(GetChildWindows(Client()).back(), second->WindowHandle());
  SendMessageW(Client(), WM_MDINEXT, 0, 1);
  EXPECT_EQ(Active(), second->WindowHandle());

  Free(second);
  Children.pop_back();
  EXPECT_EQ(Active(), first->WindowHandle());
  // A child destroyed through the client leaves its form without a window.
  SendMessageW(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(first->WindowHandle()), 0);
  EXPECT_FALSE(first->HandleAllocated());
  EXPECT_EQ(Active(), nullptr);
}

TEST_F(MdiTest, TileAndCascadeKeepTheChildrensFramesInsideTheClient) {
  TForm* first = AddChild();
  TForm* second = AddChild();
  RECT area;
  GetClientRect(Client(), &area);
  Frame->TileMode = tbVertical;
  Frame->Tile();
  EXPECT_EQ(second->BoundsRect(), Rect(kMdiChildBorder, kMdiChildCaption, area.Width() / 2 - kMdiChildBorder,
                                       area.Height() - kMdiChildBorder));
  EXPECT_EQ(first->Left(), area.Width() / 2 + kMdiChildBorder);
  Frame->TileMode = tbHorizontal;
  Frame->Tile();
  EXPECT_EQ(first->Top(), area.Height() / 2 + kMdiChildCaption);
  EXPECT_EQ(SendMessageW(Client(), WM_MDICASCADE, 0, 0), 2);
  EXPECT_EQ(first->Top() + 24, second->Top());
  EXPECT_EQ(first->Left() + 24, second->Left());
}

TEST_F(MdiTest, ATitleDraggedMovesTheChildAndTheFramesFocusGoesToTheActiveChild) {
  TForm* child = AddChild();
  const HWND h = child->WindowHandle();
  const TRect before = child->BoundsRect();
  SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(100, 100));
  SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(130, 90));
  SendMessageW(h, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(130, 90));
  SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(200, 200));
  EXPECT_EQ(child->BoundsRect(), Rect(before.left + 30, before.top - 10, before.right + 30, before.bottom - 10));

  platform::SetFocus(Frame->WindowHandle());
  EXPECT_EQ(GetFocus(), h);
}

// Presses on a child's frame, as the user makes them: on its title, which
// activates the child and starts a drag, or in its area.
void PressAndRelease(QWidget* W, QPoint At) {
  for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, QPointF(At), QPointF(W->mapToGlobal(At)), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(W, &e);
  }
}

TEST_F(MdiTest, WhileTheFrameIsDisabledAPressActivatesNoChild) {
  TForm* first = AddChild();
  TForm* second = AddChild();
  QWidget* inner = ui::WidgetOf(first->WindowHandle());
  ASSERT_NE(inner, nullptr);
  QWidget* frame = inner->parentWidget();
  ASSERT_NE(frame, nullptr);
  EnableWindow(Frame->WindowHandle(), false);
  PressAndRelease(frame, QPoint(20, 5));
  PressAndRelease(inner, QPoint(5, 5));
  Application->ProcessMessages();
  EXPECT_EQ(Active(), second->WindowHandle());
  EnableWindow(Frame->WindowHandle(), true);
  PressAndRelease(frame, QPoint(20, 5));
  Application->ProcessMessages();
  EXPECT_EQ(Active(), first->WindowHandle());
}

TEST_F(MdiTest, ControlF6StepsThroughTheChildren) {
  EXPECT_EQ(CreateMDIWindowW(u"TForm", u"", 0, 0, 0, 10, 10, Frame->WindowHandle(), nullptr, 0), nullptr);
  TForm* first = AddChild();
  AddChild();
  SetKeyDown(VK_CONTROL, true);
  MSG msg;
  msg.hwnd = Active();
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_F1 + 5;
  const bool taken = TranslateMDISysAccel(Client(), &msg);
  SetKeyDown(VK_CONTROL, false);
  EXPECT_TRUE(taken);
  EXPECT_EQ(Active(), first->WindowHandle());
}

}  // namespace
