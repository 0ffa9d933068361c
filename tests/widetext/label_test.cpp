#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/standard/label.h"
#include "widetext/standard/static_text.h"

namespace widetext::testing {
namespace {

using Labels = WideFormTest;

TWtxLabel* NewLabel(platform::TForm* form, std::u16string_view caption, int left = 0, int top = 0) {
  auto* label = new TWtxLabel(form);
  label->SetParent(form);
  label->SetBounds(left, top, 0, 0);
  label->SetCaption(u"x");
  label->SetCaption(caption);
  return label;
}

TEST_F(Labels, ACaptionOutsideTheCodePageComesBackUnchanged) {
  TWtxLabel* label = NewLabel(form_, kPolish);
  EXPECT_EQ(label->GetCaption(), kPolish);
  EXPECT_EQ(label->Caption(), "Za?\xF3?? g??l? ja??");
}

TEST_F(Labels, ALabelsHintIsShownWide) {
  TWtxLabel* label = NewLabel(form_, u"Βάθος");
  label->SetHint(u"Głębokość|pod przetwornikiem");
  platform::THintInfo info;
  info.HintControl = label;
  label->Perform(platform::CM_HINTSHOW, 0, reinterpret_cast<platform::LPARAM>(&info));
  EXPECT_EQ(info.HintWindowClass, &TWtxCustomHintWindowClass);
  EXPECT_EQ(info.HintData, &info);
  EXPECT_EQ(info.HintStr, "G??boko??");
}

TEST_F(Labels, AnEmptyCaptionOrALoneAmpersandStillMeasuresOneBlankLine) {
  TWtxLabel* empty = NewLabel(form_, u"");
  TWtxLabel* ampersand = NewLabel(form_, u"&");
  TWtxLabel* text = NewLabel(form_, u"Ag");
  EXPECT_GT(empty->Height(), 0);
  EXPECT_EQ(empty->Height(), text->Height());
  EXPECT_GT(empty->Width(), 0);
  EXPECT_EQ(ampersand->Width(), empty->Width());
  EXPECT_LT(empty->Width(), text->Width());
  // Measured and drawn as itself when "&" marks nothing.
  ampersand->SetShowAccelChar(false);
  ampersand->SetCaption(u"&&");
  EXPECT_GT(ampersand->Width(), empty->Width());
}

TEST_F(Labels, TheAcceleratorOfAWideCaptionFocusesItsControl) {
  auto* edit = new platform::TEdit(form_);
  edit->SetParent(form_);
  edit->SetBounds(10, 100, 100, 22);
  TWtxLabel* label = NewLabel(form_, u"&Ωμέγα");
  label->FocusControl = edit;
  auto* other = new platform::TEdit(form_);
  other->SetParent(form_);
  form_->Show();
  other->SetFocus();
  EXPECT_EQ(label->Perform(platform::CM_DIALOGCHAR, u'ω', 0), 1);
  EXPECT_TRUE(edit->Focused());
  other->SetFocus();
  EXPECT_EQ(label->Perform(platform::CM_DIALOGCHAR, '?', 0), 0);
  label->SetEnabled(false);
  EXPECT_EQ(label->Perform(platform::CM_DIALOGCHAR, u'Ω', 0), 0);
  EXPECT_TRUE(other->Focused());
}

TEST_F(Labels, AStaticTextTakesTheSizeOfItsWideCaption) {
  auto* text = new TWtxStaticText(form_);
  text->SetParent(form_);
  const int emptyWidth = text->Width();
  EXPECT_EQ(emptyWidth, 4 * platform::GetSystemMetrics(platform::SM_CXBORDER));
  text->SetCaption(kGreek);
  const platform::TRect sized = text->BoundsRect();
  EXPECT_GT(sized.Width(), emptyWidth);
  EXPECT_EQ(text->GetCaption(), kGreek);
  text->Handle();
  EXPECT_TRUE(platform::IsWindowUnicode(text->WindowHandle()));
  EXPECT_EQ(platform::WindowTextW(text->WindowHandle()), kGreek);

  text->SetAutoSize(false);
  text->SetCaption(kPolish);
  EXPECT_EQ(text->BoundsRect(), sized);
}

bool HasColour(const QImage& image, const QRect& area, const QColor& colour) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

TEST_F(Labels, RenderWithTheirOwnCharactersAndADisabledOneEmbossed) {
  NewLabel(form_, u"Βάθος: 12,4 m", 10, 10);
  NewLabel(form_, kPolish, 10, 40);
  TWtxLabel* disabled = NewLabel(form_, u"Θερμοκρασία", 10, 70);
  disabled->SetEnabled(false);
  auto* text = new TWtxStaticText(form_);
  text->SetParent(form_);
  text->SetLeft(10);
  text->SetTop(100);
  text->SetCaption(u"Łódź – Ταχύτητα");
  form_->Show();
  platform::Application->ProcessMessages();
  ASSERT_TRUE(platform::ui::SaveWindowImage(form_->Handle(), "wide_labels.png"));

  const QImage image = platform::ui::Grab(form_->Handle());
  const QRect area(disabled->Left(), disabled->Top(), disabled->Width() + 1, disabled->Height() + 1);
  const auto colour = [](platform::TColor c) {
    const platform::COLORREF rgb = platform::ColorToRGB(c);
    return QColor(platform::GetRValue(rgb), platform::GetGValue(rgb), platform::GetBValue(rgb));
  };
  EXPECT_TRUE(HasColour(image, area, colour(platform::clBtnHighlight)));
  EXPECT_TRUE(HasColour(image, area, colour(platform::clBtnShadow)));
}

}  // namespace
}  // namespace widetext::testing
