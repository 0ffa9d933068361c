#include "widetext/custom_drawn/xp_button.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <vector>

#include "platform/core/text/resource_stream.h"
#include "platform/ui/controls/extctrls.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/xp_fixture.h"
#include "widetext/custom_drawn/gradients.h"

namespace {

using namespace platform;
using widetext::BlendColors;
using widetext::TxpButton;

constexpr COLORREF kHotTint = RGB(255, 153, 51);
constexpr COLORREF kBorderTint = RGB(255, 170, 5);

COLORREF Blend(COLORREF A, COLORREF B, int W) {
  return static_cast<COLORREF>(BlendColors(static_cast<TColor>(A), static_cast<TColor>(B), static_cast<BYTE>(W)));
}

COLORREF Band(COLORREF A, COLORREF b, int i, int n) {
  const auto ch = [&](BYTE (*Get)(COLORREF)) { return static_cast<BYTE>(Get(A) + MulDiv(i, Get(b) - Get(A), n - 1)); };
  return RGB(ch(GetRValue), ch(GetGValue), ch(GetBValue));
}

class XpButtonTest : public xpfixture::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Button = new TxpButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 75, 25);
    Button->OnClick = [this](TObject*) { ++Clicks; };
  }
  QImage Look() { return ShownFormTest::Look(Button); }

  // The straight runs of the frame, the inner border and the gradient of an
  // enabled 75 x 25 button.
  void ExpectEnabledBody(const QImage& Image, COLORREF Top, COLORREF Bottom, COLORREF Back, COLORREF Light, bool Sunken,
                         COLORREF Font = 0) {
    const COLORREF frame = Blend(Back, Font, 80);
    EXPECT_EQ(At(Image, 37, 1), frame);
    EXPECT_EQ(At(Image, 37, 23), frame);
    EXPECT_EQ(At(Image, 1, 12), frame);
    EXPECT_EQ(At(Image, 73, 12), frame);
    for (const int x : {3, 37, 71}) {
      EXPECT_EQ(At(Image, x, 2), Blend(Light, kBorderTint, 40)) << x;
      EXPECT_EQ(At(Image, x, 3), Blend(Light, kBorderTint, 30)) << x;
      EXPECT_EQ(At(Image, x, 21), Blend(Light, kBorderTint, 30)) << x;
      EXPECT_EQ(At(Image, x, 22), Blend(Light, kBorderTint, 20)) << x;
    }
    for (const int y : {4, 12, 20}) {
      EXPECT_EQ(At(Image, 3, y), Light) << y;
      EXPECT_EQ(At(Image, 71, y), Light) << y;
    }
    // 17 rows of gradient from row 4: 8 bands of 2 and a last row in the
    // end colour; pressed under the mouse, 12 single rows reversed and 5
    // rows in the start colour.
    if (!Sunken) {
      for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(Image, 4, 4 + 2 * i), Band(Top, Bottom, i, 8)) << i;
        EXPECT_EQ(At(Image, 70, 5 + 2 * i), Band(Top, Bottom, i, 8)) << i;
      }
      EXPECT_EQ(At(Image, 4, 20), Bottom);
    } else {
      for (int i = 0; i < 12; ++i) EXPECT_EQ(At(Image, 4, 4 + i), Band(Bottom, Top, i, 12)) << i;
      for (int y = 16; y <= 20; ++y) EXPECT_EQ(At(Image, 70, y), Top) << y;
    }
  }

  static std::vector<std::uint8_t> Png(const QImage& Image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  }

  TxpButton* Button = nullptr;
  int Clicks = 0;
};

TEST_F(XpButtonTest, ANewButtonHasTheDefaultsOfItsKind) {
  TxpButton fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 75);
  EXPECT_EQ(fresh.Height(), 25);
  EXPECT_EQ(fresh.Caption(), u"Button");
  EXPECT_TRUE(fresh.Enabled());
  EXPECT_TRUE(fresh.TabStop());
  EXPECT_EQ(fresh.ModalResult(), 0);
  EXPECT_FALSE(fresh.CustomColor());
  EXPECT_EQ(fresh.BackColor(), clBtnFace);
  EXPECT_EQ(fresh.GradientTopColor(), clBtnHighlight);
  EXPECT_EQ(fresh.GradientBottColor(), clBtnFace);
  EXPECT_EQ(fresh.TimerWaitStart, 1000u);
  EXPECT_EQ(fresh.TimerInterval, 200u);
  EXPECT_EQ(fresh.Picture(), nullptr);
}

TEST_F(XpButtonTest, NormalHotAndFocusedLooks) {
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  QImage image = Look();
  ExpectEnabledBody(image, high, face, face, high, false);
  EXPECT_EQ(At(image, 0, 12), face);  // no focus frame
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_normal"));

  Send(Button, WM_MOUSEMOVE, 0, 20, 12);
  ASSERT_TRUE(Button->Hot());
  image = Look();
  ExpectEnabledBody(image, Blend(high, kHotTint, 20), Blend(face, kHotTint, 20), face, high, false);
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_hot"));

  Send(Button, WM_MOUSELEAVE);
  EXPECT_FALSE(Button->Hot());
  Button->SetFocus();
  ASSERT_TRUE(Button->IsFocused());
  image = Look();
  ExpectEnabledBody(image, high, face, face, high, false);
  EXPECT_EQ(At(image, 0, 12), RGB(0, 0, 0));  // the focus frame in the font colour
  EXPECT_EQ(At(image, 37, 0), RGB(0, 0, 0));
  EXPECT_EQ(At(image, 74, 12), RGB(0, 0, 0));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_focused"));
}

TEST_F(XpButtonTest, PressedUnderTheMouseTheGradientTurnsOverAndTheCaptionMoves) {
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  Send(Button, WM_MOUSEMOVE, 0, 20, 12);
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  ASSERT_TRUE(Button->Pressed());
  EXPECT_TRUE(Button->IsFocused());
  const QImage image = Look();
  ExpectEnabledBody(image, Blend(high, kHotTint, 20), Blend(face, kHotTint, 20), face, high, true);
  EXPECT_EQ(At(image, 0, 12), RGB(0, 0, 0));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_pressed"));
  Send(Button, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(XpButtonTest, ADisabledButtonIsFlatAndEmbossed) {
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  Button->SetEnabled(false);
  const QImage image = Look();
  EXPECT_EQ(At(image, 37, 1), Blend(face, 0, 80));
  // No inner border, no focus frame.
  EXPECT_EQ(At(image, 3, 12), face);
  EXPECT_EQ(At(image, 71, 12), face);
  EXPECT_EQ(At(image, 37, 22), face);
  EXPECT_EQ(At(image, 37, 21), face);
  for (int i = 1; i < 8; ++i) EXPECT_EQ(At(image, 4, 4 + 2 * i), Band(high, face, i, 8)) << i;
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_disabled"));
}

TEST_F(XpButtonTest, CustomColoursReplaceTheSystemOnes) {
  const COLORREF back = RGB(40, 60, 90), top = RGB(200, 220, 250), bottom = RGB(60, 90, 160);
  Button->SetCustomColor(true);
  Button->SetBackColor(static_cast<TColor>(back));
  Button->SetGradientTopColor(static_cast<TColor>(top));
  Button->SetGradientBottColor(static_cast<TColor>(bottom));
  Button->Font().SetColor(clWhite);
  Button->SetCaption(u"Σύνδεση");
  const QImage image = Look();
  EXPECT_EQ(At(image, 0, 0), back);
  ExpectEnabledBody(image, top, bottom, back, top, false, RGB(255, 255, 255));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_custom"));
}

TEST_F(XpButtonTest, GlyphsAreDrawnUnscaledCentredAndKeyedByTheirFirstPixel) {
  Button->LoadPictureFromResource("XPPAUSEGLYPH");
  ASSERT_NE(Button->Picture(), nullptr);
  EXPECT_EQ(Button->Caption(), u"");
  // 16 x 16 in (4, 4, 71, 21): at (29, 4).
  QImage image = Look();
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), RGB(20, 40, 160));
  EXPECT_EQ(At(image, 29 + 11, 4 + 13), RGB(20, 40, 160));
  EXPECT_EQ(At(image, 29 + 7, 4 + 7), RGB(220, 30, 30));
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  EXPECT_EQ(At(image, 29 + 7, 4 + 2), Band(high, face, 1, 8));  // the key shows the gradient
  EXPECT_EQ(At(image, 29, 4), Band(high, face, 0, 8));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_glyph"));

  Button->MonoColor = true;
  Button->Invalidate();
  image = Look();
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), Rgb(clBtnText));
  EXPECT_EQ(At(image, 29 + 7, 4 + 7), Rgb(clBtnText));

  Button->MonoColor = false;
  Button->SetEnabled(false);
  image = Look();
  // Grey levels ((r + g + b) / 3) / 2 + 96.
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), RGB(132, 132, 132));
  EXPECT_EQ(At(image, 29 + 7, 4 + 7), RGB(142, 142, 142));
  EXPECT_EQ(At(image, 29 + 8, 4 + 8), RGB(96 + 166 / 2, 96 + 166 / 2, 96 + 166 / 2));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_glyph_disabled"));

  Button->MonoColor = true;
  Button->Invalidate();
  image = Look();
  // Highlight one pixel down and right, shadow in place on top of it.
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), Rgb(clBtnShadow));
  EXPECT_EQ(At(image, 29 + 12, 4 + 3), Rgb(clBtnHighlight));
  EXPECT_EQ(At(image, 29 + 11, 4 + 14), Rgb(clBtnHighlight));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_glyph_disabled_mono"));
}

TEST_F(XpButtonTest, LargeGlyphsShrinkKeepingTheirProportionsAndDegenerateOnesDrawNothing) {
  QImage wide(100, 20, QImage::Format_RGB32);
  wide.fill(QColor(255, 255, 255));
  for (int y = 0; y < 20; ++y) {
    for (int x = 48; x <= 52; ++x) wide.setPixelColor(x, y, QColor(0, 128, 0));
  }
  wide.setPixelColor(99, 19, QColor(200, 0, 0));
  static const std::vector<std::uint8_t> widePng = Png(wide);
  RegisterResource("XPWIDEGLYPH", RT_BITMAP, widePng);
  Button->LoadPictureFromResource("XPWIDEGLYPH");
  // 100 x 20 shrinks to 67 x 13 at (4, 6).
  QImage image = Look();
  EXPECT_EQ(At(image, 4 + 33, 6), RGB(0, 128, 0));
  EXPECT_EQ(At(image, 4 + 33, 6 + 12), RGB(0, 128, 0));
  EXPECT_EQ(At(image, 4 + 66, 6 + 12), RGB(200, 0, 0));
  EXPECT_NE(At(image, 4 + 33, 5), RGB(0, 128, 0));
  EXPECT_NE(At(image, 4 + 33, 6 + 13), RGB(0, 128, 0));

  // A glyph that shrinks to no rows, and a button too small for any glyph.
  QImage flat(1000, 1, QImage::Format_RGB32);
  flat.fill(QColor(0, 0, 255));
  static const std::vector<std::uint8_t> flatPng = Png(flat);
  RegisterResource("XPFLATGLYPH", RT_BITMAP, flatPng);
  Button->LoadPictureFromResource("XPFLATGLYPH");
  image = Look();
  EXPECT_NE(At(image, 37, 12), RGB(0, 0, 255));
  Button->LoadPictureFromResource("XPPAUSEGLYPH");
  Button->SetBounds(10, 10, 8, 8);
  image = Look();
  EXPECT_EQ(image.width(), 8);
}

TEST_F(XpButtonTest, PicturesReplaceTheCaptionAndAMissingOneChangesNothing) {
  Button->SetCaption(u"Pause");
  Button->LoadPictureFromResource("NO SUCH GLYPH");
  EXPECT_EQ(Button->Picture(), nullptr);
  EXPECT_EQ(Button->Caption(), u"Pause");

  TBitmap glyph;
  glyph.SetSize(4, 4);
  Button->SetPicture(&glyph);
  ASSERT_NE(Button->Picture(), nullptr);
  EXPECT_EQ(Button->Caption(), u"");
  EXPECT_NE(Button->Picture(), &glyph);  // a copy
  Button->SetPicture(nullptr);
  EXPECT_EQ(Button->Picture(), nullptr);

  Button->LoadPictureFromResource("XPPAUSEGLYPH");
  ASSERT_NE(Button->Picture(), nullptr);
  Button->LoadPictureFromResource("");
  EXPECT_EQ(Button->Picture(), nullptr);
}

TEST_F(XpButtonTest, AClickNeedsThePressAndTheReleaseOnTheButton) {
  std::vector<std::string> events;
  Button->OnClick = [&](TObject*) { events.push_back("click"); };
  Button->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
    events.push_back("down " + std::to_string(B) + " " + std::to_string(X) + "," + std::to_string(Y) +
                     ((S & ssShift) ? " shift" : ""));
  };
  Button->OnMouseUp = [&](TObject*, TMouseButton B, TShiftState, int, int) {
    events.push_back("up " + std::to_string(B));
  };
  Send(Button, WM_MOUSEMOVE, 0, 20, 12);
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 20, 12);
  Send(Button, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 20,12 shift", "click", "up 0"}));

  // Pressed, then the mouse leaves with the button held: the release,
  // wherever it lands, does not click.
  events.clear();
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  Send(Button, WM_MOUSELEAVE);
  EXPECT_FALSE(Button->Pressed());
  EXPECT_FALSE(Button->Hot());
  // It looks raised again while the button is still held.
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  ExpectEnabledBody(Look(), high, face, face, high, false);
  Send(Button, WM_LBUTTONUP, 0, 200, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 20,12", "up 0"}));

  events.clear();
  Send(Button, WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
  Send(Button, WM_RBUTTONUP, 0, 5, 6);
  EXPECT_EQ(events, (std::vector<std::string>{"down 1 5,6", "up 1"}));

  events.clear();
  Send(Button, WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"click"}));
}

TEST_F(XpButtonTest, SpaceClicksOnItsRelease) {
  Button->SetFocus();
  Send(Button, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(Button->Pressed());
  EXPECT_EQ(Clicks, 0);
  Send(Button, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(Clicks, 1);
  Send(Button, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(XpButtonTest, DialogKeysAndAcceleratorsClickOnlyAButtonTheUserCanUse) {
  Button->SetCaption(u"&Send");
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 's', 0), 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'e', 0), 0);
  EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 0);  // not the default button

  Button->Default = true;
  Button->Cancel = true;
  EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
  EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
  EXPECT_EQ(Clicks, 3);

  Button->SetEnabled(false);
  Form->Perform(CM_DIALOGCHAR, 'S', 0);
  Form->Perform(CM_DIALOGKEY, VK_RETURN, 0);
  Button->SetEnabled(true);
  Button->Hide();
  Form->Perform(CM_DIALOGCHAR, 'S', 0);
  Form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
  EXPECT_EQ(Clicks, 3);
}

TEST_F(XpButtonTest, EnterOnTheDefaultButtonEndsAModalFormWithItsResult) {
  Form->Hide();
  Button->Default = true;
  Button->SetModalResult(mrCancel);
  std::vector<TModalResult> seen;
  Button->OnClick = [&](TObject*) { seen.push_back(Form->ModalResult()); };
  ASSERT_TRUE(RunOnUiThread([this] {
    PostKeyDown(Button->Handle(), WM_KEYDOWN, VK_RETURN, 0x1C0001, u"\r");
    PostMessageW(Button->Handle(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
  }));
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  // Clicked once, before the form had its result.
  EXPECT_EQ(seen, (std::vector<TModalResult>{mrNone}));
}

TEST_F(XpButtonTest, TallButtonsKeepTheirGradientBands) {
  // 770 pixels high: a third is 256 steps, which must not wrap to a flat
  // fill; 255 bands of 2 rows, and the rest of the 762 rows of the body in
  // the end colour.
  Form->SetBounds(50, 50, 320, 800);
  Button->SetBounds(0, 0, 75, 770);
  Button->SetCaption(u"");
  const QImage image = Look();
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  EXPECT_EQ(At(image, 10, 4), high);
  EXPECT_EQ(At(image, 10, 4 + 2 * 127), Band(high, face, 127, 255));
  EXPECT_EQ(At(image, 10, 700), face);
}

TEST_F(XpButtonTest, ItPaintsWithItsOwnersFontWhileFollowingItAndWithItsOwnOtherwise) {
  // Pixels of Colour in the caption's area.
  const auto inkOf = [this](TColor Colour) {
    const QImage image = Look();
    int ink = 0;
    for (int y = 4; y < 21; ++y) {
      for (int x = 4; x < 71; ++x) ink += At(image, x, y) == Rgb(Colour) ? 1 : 0;
    }
    return ink;
  };
  const COLORREF face = Rgb(clBtnFace);
  // On a panel with a font of its own, a button that follows its parent's
  // font paints with the font of the form that owns it, which the panel
  // does not pass on.
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(0, 0, 200, 100);
  panel->SetParentFont(false);
  panel->Font().SetColor(clBlue);
  Button->SetParent(panel);
  Form->Font().SetColor(clRed);
  ASSERT_TRUE(Button->ParentFont());
  EXPECT_EQ(At(Look(), 37, 1), Blend(face, Rgb(clRed), 80));
  EXPECT_GT(inkOf(clRed), 0);
  EXPECT_EQ(inkOf(clBlue), 0);

  Button->Font().SetColor(clLime);
  ASSERT_FALSE(Button->ParentFont());
  EXPECT_EQ(At(Look(), 37, 1), Blend(face, Rgb(clLime), 80));
  EXPECT_GT(inkOf(clLime), 0);
  EXPECT_EQ(inkOf(clRed), 0);
}

}  // namespace
