#include "platform/ui/controls/anchors.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/extctrls.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class AnchorsTest : public fixture::FormTest {
 protected:
  template <class T>
  T* Add(TWinControl* Parent, TAnchors Anchors, const TRect& Bounds) {
    auto* c = new T(Form);
    c->SetParent(Parent);
    c->SetBoundsRect(Bounds);
    c->SetAnchors(Anchors);
    return c;
  }
  void ResizeForm(int Width, int Height) {
    Form->SetClientWidth(Width);
    Form->SetClientHeight(Height);
  }
};

TEST_F(AnchorsTest, ControlsKeepTheirDistanceToTheEdgesTheyAreAnchoredTo) {
  Form->Show();
  ResizeForm(400, 300);
  auto* fixed = Add<TPanel>(Form, kDefaultAnchors, Rect(10, 10, 60, 40));
  auto* stretched = Add<TPanel>(Form, akLeft | akTop | akRight | akBottom, Rect(10, 50, 390, 250));
  auto* corner = Add<TGraphicControl>(Form, akRight | akBottom, Rect(300, 260, 380, 290));
  // Anchored to neither side across, its centre keeps its fraction of the
  // width.
  auto* floating = Add<TPanel>(Form, akTop, Rect(150, 10, 250, 30));
  auto* inner = Add<TPanel>(stretched, akTop | akRight, Rect(300, 10, 360, 30));
  // Moved by code, it keeps its distances from where it is now.
  inner->SetLeft(200);

  ResizeForm(500, 360);
  EXPECT_EQ(fixed->BoundsRect(), Rect(10, 10, 60, 40));
  EXPECT_EQ(stretched->BoundsRect(), Rect(10, 50, 490, 310));
  EXPECT_EQ(corner->BoundsRect(), Rect(400, 320, 480, 350));
  EXPECT_EQ(floating->BoundsRect(), Rect(200, 10, 300, 30));
  EXPECT_EQ(inner->BoundsRect(), Rect(300, 10, 360, 30));

  // Shrunk past the stretched panel's size and grown back, everything is
  // where it was put.
  ResizeForm(10, 100);
  EXPECT_EQ(stretched->Width(), 0);
  ResizeForm(400, 300);
  EXPECT_EQ(fixed->BoundsRect(), Rect(10, 10, 60, 40));
  EXPECT_EQ(stretched->BoundsRect(), Rect(10, 50, 390, 250));
  EXPECT_EQ(corner->BoundsRect(), Rect(300, 260, 380, 290));
  EXPECT_EQ(floating->BoundsRect(), Rect(150, 10, 250, 30));
  EXPECT_EQ(inner->BoundsRect(), Rect(200, 10, 260, 30));
}

}  // namespace
