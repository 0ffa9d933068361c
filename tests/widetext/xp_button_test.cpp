#include "widetext/custom_drawn/xp_button.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <vector>

#include "platform/core/text/resource_stream.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/xp_fixture.h"
#include "widetext/custom_drawn/gradients.h"

namespace {

using namespace platform;
using widetext::BlendColors;
using widetext::TxpButton;

constexpr COLORREF kHotTint = RGB(255, 153, 51);
constexpr COLORREF kBorderTint = RGB(255, 170, 5);

COLORREF Blend(COLORREF a, COLORREF b, int w) {
  return static_cast<COLORREF>(BlendColors(static_cast<TColor>(a), static_cast<TColor>(b), static_cast<BYTE>(w)));
}

COLORREF Band(COLORREF a, COLORREF b, int i, int n) {
  const auto ch = [&](BYTE (*get)(COLORREF)) { return static_cast<BYTE>(get(a) + MulDiv(i, get(b) - get(a), n - 1)); };
  return RGB(ch(GetRValue), ch(GetGValue), ch(GetBValue));
}

class XpButtonTest : public xpfixture::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    button_ = new TxpButton(form_);
    button_->SetParent(form_);
    button_->SetBounds(10, 10, 75, 25);
    button_->OnClick = [this](TObject*) { ++clicks_; };
  }
  QImage Look() { return ShownFormTest::Look(button_); }

  // The straight runs of the frame, the inner border and the gradient of an
  // enabled 75 x 25 button.
  void ExpectEnabledBody(const QImage& image, COLORREF top, COLORREF bottom, COLORREF back, COLORREF light, bool sunken,
                         COLORREF font = 0) {
    const COLORREF frame = Blend(back, font, 80);
    EXPECT_EQ(At(image, 37, 1), frame);
    EXPECT_EQ(At(image, 37, 23), frame);
    EXPECT_EQ(At(image, 1, 12), frame);
    EXPECT_EQ(At(image, 73, 12), frame);
    for (const int x : {3, 37, 71}) {
      EXPECT_EQ(At(image, x, 2), Blend(light, kBorderTint, 40)) << x;
      EXPECT_EQ(At(image, x, 3), Blend(light, kBorderTint, 30)) << x;
      EXPECT_EQ(At(image, x, 21), Blend(light, kBorderTint, 30)) << x;
      EXPECT_EQ(At(image, x, 22), Blend(light, kBorderTint, 20)) << x;
    }
    for (const int y : {4, 12, 20}) {
      EXPECT_EQ(At(image, 3, y), light) << y;
      EXPECT_EQ(At(image, 71, y), light) << y;
    }
    // 17 rows of gradient from row 4: 8 bands of 2 and a last row in the
    // end colour; pressed under the mouse, 12 single rows reversed and 5
    // rows in the start colour.
    if (!sunken) {
      for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(image, 4, 4 + 2 * i), Band(top, bottom, i, 8)) << i;
        EXPECT_EQ(At(image, 70, 5 + 2 * i), Band(top, bottom, i, 8)) << i;
      }
      EXPECT_EQ(At(image, 4, 20), bottom);
    } else {
      for (int i = 0; i < 12; ++i) EXPECT_EQ(At(image, 4, 4 + i), Band(bottom, top, i, 12)) << i;
      for (int y = 16; y <= 20; ++y) EXPECT_EQ(At(image, 70, y), top) << y;
    }
  }

  static std::vector<std::uint8_t> Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  }

  TxpButton* button_ = nullptr;
  int clicks_ = 0;
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

  Send(button_, WM_MOUSEMOVE, 0, 20, 12);
  ASSERT_TRUE(button_->Hot());
  image = Look();
  ExpectEnabledBody(image, Blend(high, kHotTint, 20), Blend(face, kHotTint, 20), face, high, false);
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_hot"));

  Send(button_, WM_MOUSELEAVE);
  EXPECT_FALSE(button_->Hot());
  button_->SetFocus();
  ASSERT_TRUE(button_->IsFocused());
  image = Look();
  ExpectEnabledBody(image, high, face, face, high, false);
  EXPECT_EQ(At(image, 0, 12), RGB(0, 0, 0));  // the focus frame in the font colour
  EXPECT_EQ(At(image, 37, 0), RGB(0, 0, 0));
  EXPECT_EQ(At(image, 74, 12), RGB(0, 0, 0));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_focused"));
}

TEST_F(XpButtonTest, PressedUnderTheMouseTheGradientTurnsOverAndTheCaptionMoves) {
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  Send(button_, WM_MOUSEMOVE, 0, 20, 12);
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  ASSERT_TRUE(button_->Pressed());
  EXPECT_TRUE(button_->IsFocused());
  const QImage image = Look();
  ExpectEnabledBody(image, Blend(high, kHotTint, 20), Blend(face, kHotTint, 20), face, high, true);
  EXPECT_EQ(At(image, 0, 12), RGB(0, 0, 0));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_pressed"));
  Send(button_, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(XpButtonTest, ADisabledButtonIsFlatAndEmbossed) {
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  button_->SetEnabled(false);
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
  button_->SetCustomColor(true);
  button_->SetBackColor(static_cast<TColor>(back));
  button_->SetGradientTopColor(static_cast<TColor>(top));
  button_->SetGradientBottColor(static_cast<TColor>(bottom));
  button_->Font().SetColor(clWhite);
  button_->SetCaption(u"Σύνδεση");
  const QImage image = Look();
  EXPECT_EQ(At(image, 0, 0), back);
  ExpectEnabledBody(image, top, bottom, back, top, false, RGB(255, 255, 255));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_custom"));
}

TEST_F(XpButtonTest, GlyphsAreDrawnUnscaledCentredAndKeyedByTheirFirstPixel) {
  button_->LoadPictureFromResource("XPPAUSEGLYPH");
  ASSERT_NE(button_->Picture(), nullptr);
  EXPECT_EQ(button_->Caption(), u"");
  // 16 x 16 in (4, 4, 71, 21): at (29, 4).
  QImage image = Look();
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), RGB(20, 40, 160));
  EXPECT_EQ(At(image, 29 + 11, 4 + 13), RGB(20, 40, 160));
  EXPECT_EQ(At(image, 29 + 7, 4 + 7), RGB(220, 30, 30));
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  EXPECT_EQ(At(image, 29 + 7, 4 + 2), Band(high, face, 1, 8));  // the key shows the gradient
  EXPECT_EQ(At(image, 29, 4), Band(high, face, 0, 8));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_glyph"));

  button_->MonoColor = true;
  button_->Invalidate();
  image = Look();
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), Rgb(clBtnText));
  EXPECT_EQ(At(image, 29 + 7, 4 + 7), Rgb(clBtnText));

  button_->MonoColor = false;
  button_->SetEnabled(false);
  image = Look();
  // Grey levels ((r + g + b) / 3) / 2 + 96.
  EXPECT_EQ(At(image, 29 + 4, 4 + 2), RGB(132, 132, 132));
  EXPECT_EQ(At(image, 29 + 7, 4 + 7), RGB(142, 142, 142));
  EXPECT_EQ(At(image, 29 + 8, 4 + 8), RGB(96 + 166 / 2, 96 + 166 / 2, 96 + 166 / 2));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_button_glyph_disabled"));

  button_->MonoColor = true;
  button_->Invalidate();
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
  button_->LoadPictureFromResource("XPWIDEGLYPH");
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
  button_->LoadPictureFromResource("XPFLATGLYPH");
  image = Look();
  EXPECT_NE(At(image, 37, 12), RGB(0, 0, 255));
  button_->LoadPictureFromResource("XPPAUSEGLYPH");
  button_->SetBounds(10, 10, 8, 8);
  image = Look();
  EXPECT_EQ(image.width(), 8);
}

TEST_F(XpButtonTest, PicturesReplaceTheCaptionAndAMissingOneChangesNothing) {
  button_->SetCaption(u"Pause");
  button_->LoadPictureFromResource("NO SUCH GLYPH");
  EXPECT_EQ(button_->Picture(), nullptr);
  EXPECT_EQ(button_->Caption(), u"Pause");

  TBitmap glyph;
  glyph.SetSize(4, 4);
  button_->SetPicture(&glyph);
  ASSERT_NE(button_->Picture(), nullptr);
  EXPECT_EQ(button_->Caption(), u"");
  EXPECT_NE(button_->Picture(), &glyph);  // a copy
  button_->SetPicture(nullptr);
  EXPECT_EQ(button_->Picture(), nullptr);

  button_->LoadPictureFromResource("XPPAUSEGLYPH");
  ASSERT_NE(button_->Picture(), nullptr);
  button_->LoadPictureFromResource("");
  EXPECT_EQ(button_->Picture(), nullptr);
}

TEST_F(XpButtonTest, AClickNeedsThePressAndTheReleaseOnTheButton) {
  std::vector<std::string> events;
  button_->OnClick = [&](TObject*) { events.push_back("click"); };
  button_->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                     ((s & ssShift) ? " shift" : ""));
  };
  button_->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
    events.push_back("up " + std::to_string(b));
  };
  Send(button_, WM_MOUSEMOVE, 0, 20, 12);
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 20, 12);
  Send(button_, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 20,12 shift", "click", "up 0"}));

  // Pressed, then the mouse leaves with the button held: the release,
  // wherever it lands, does not click.
  events.clear();
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  Send(button_, WM_MOUSELEAVE);
  EXPECT_FALSE(button_->Pressed());
  EXPECT_FALSE(button_->Hot());
  // It looks raised again while the button is still held.
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  ExpectEnabledBody(Look(), high, face, face, high, false);
  Send(button_, WM_LBUTTONUP, 0, 200, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 20,12", "up 0"}));

  events.clear();
  Send(button_, WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
  Send(button_, WM_RBUTTONUP, 0, 5, 6);
  EXPECT_EQ(events, (std::vector<std::string>{"down 1 5,6", "up 1"}));

  events.clear();
  Send(button_, WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"click"}));
}

TEST_F(XpButtonTest, SpaceClicksOnItsRelease) {
  button_->SetFocus();
  Send(button_, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(button_->Pressed());
  EXPECT_EQ(clicks_, 0);
  Send(button_, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(clicks_, 1);
  Send(button_, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(XpButtonTest, DialogKeysAndAcceleratorsClickOnlyAButtonTheUserCanUse) {
  button_->SetCaption(u"&Send");
  EXPECT_EQ(form_->Perform(CM_DIALOGCHAR, 's', 0), 1);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(form_->Perform(CM_DIALOGCHAR, 'e', 0), 0);
  EXPECT_EQ(form_->Perform(CM_DIALOGKEY, VK_RETURN, 0), 0);  // not the default button

  button_->Default = true;
  button_->Cancel = true;
  EXPECT_EQ(form_->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
  EXPECT_EQ(form_->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
  EXPECT_EQ(clicks_, 3);

  button_->SetEnabled(false);
  form_->Perform(CM_DIALOGCHAR, 'S', 0);
  form_->Perform(CM_DIALOGKEY, VK_RETURN, 0);
  button_->SetEnabled(true);
  button_->Hide();
  form_->Perform(CM_DIALOGCHAR, 'S', 0);
  form_->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
  EXPECT_EQ(clicks_, 3);
}

TEST_F(XpButtonTest, EnterOnTheDefaultButtonEndsAModalFormWithItsResult) {
  form_->Hide();
  button_->Default = true;
  button_->SetModalResult(mrCancel);
  std::vector<TModalResult> seen;
  button_->OnClick = [&](TObject*) { seen.push_back(form_->ModalResult()); };
  ASSERT_TRUE(RunOnUiThread([this] {
    PostKeyDown(button_->Handle(), WM_KEYDOWN, VK_RETURN, 0x1C0001, u"\r");
    PostMessageW(button_->Handle(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
  }));
  EXPECT_EQ(form_->ShowModal(), mrCancel);
  // Clicked once, before the form had its result.
  EXPECT_EQ(seen, (std::vector<TModalResult>{mrNone}));
}

TEST_F(XpButtonTest, TallButtonsKeepTheirGradientBands) {
  // 770 pixels high: a third is 256 steps, which must not wrap to a flat
  // fill; 255 bands of 2 rows, and the rest of the 762 rows of the body in
  // the end colour.
  form_->SetBounds(50, 50, 320, 800);
  button_->SetBounds(0, 0, 75, 770);
  button_->SetCaption(u"");
  const QImage image = Look();
  const COLORREF face = Rgb(clBtnFace), high = Rgb(clBtnHighlight);
  EXPECT_EQ(At(image, 10, 4), high);
  EXPECT_EQ(At(image, 10, 4 + 2 * 127), Band(high, face, 127, 255));
  EXPECT_EQ(At(image, 10, 700), face);
}

}  // namespace
