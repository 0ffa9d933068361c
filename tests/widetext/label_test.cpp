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

TWtxLabel* NewLabel(platform::TForm* Form, std::u16string_view Caption, int Left = 0, int Top = 0) {
  auto* label = new TWtxLabel(Form);
  label->SetParent(Form);
  label->SetBounds(Left, Top, 0, 0);
  label->SetCaption(u"x");
  label->SetCaption(Caption);
  return label;
}

TEST_F(Labels, ACaptionOutsideTheCodePageComesBackUnchanged) {
  TWtxLabel* label = NewLabel(Form, kPolish);
  EXPECT_EQ(label->GetCaption(), kPolish);
  EXPECT_EQ(label->Caption(), "Za?\xF3?? g??l? ja??");
}

TEST_F(Labels, ALabelsHintIsShownWide) {
  TWtxLabel* label = NewLabel(Form, u"Βάθος");
  label->SetHint(u"Głębokość|pod przetwornikiem");
  platform::THintInfo info;
  info.HintControl = label;
  label->Perform(platform::CM_HINTSHOW, 0, reinterpret_cast<platform::LPARAM>(&info));
  EXPECT_EQ(info.HintWindowClass, &TWtxCustomHintWindowClass);
  EXPECT_EQ(info.HintData, &info);
  EXPECT_EQ(info.HintStr, "G??boko??");
}

TEST_F(Labels, AnEmptyCaptionOrALoneAmpersandStillMeasuresOneBlankLine) {
  TWtxLabel* empty = NewLabel(Form, u"");
  TWtxLabel* ampersand = NewLabel(Form, u"&");
  TWtxLabel* text = NewLabel(Form, u"Ag");
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
  auto* edit = new platform::TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(10, 100, 100, 22);
  TWtxLabel* label = NewLabel(Form, u"&Ωμέγα");
  label->FocusControl = edit;
  auto* other = new platform::TEdit(Form);
  other->SetParent(Form);
  Form->Show();
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
  auto* text = new TWtxStaticText(Form);
  text->SetParent(Form);
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

bool HasColour(const QImage& Image, const QRect& Area, const QColor& Colour) {
  for (int y = Area.top(); y <= Area.bottom(); ++y) {
    for (int x = Area.left(); x <= Area.right(); ++x) {
      if (Image.pixelColor(x, y) == Colour) return true;
    }
  }
  return false;
}

TEST_F(Labels, RenderWithTheirOwnCharactersAndADisabledOneEmbossed) {
  NewLabel(Form, u"Βάθος: 12,4 m", 10, 10);
  NewLabel(Form, kPolish, 10, 40);
  TWtxLabel* disabled = NewLabel(Form, u"Θερμοκρασία", 10, 70);
  disabled->SetEnabled(false);
  auto* text = new TWtxStaticText(Form);
  text->SetParent(Form);
  text->SetLeft(10);
  text->SetTop(100);
  text->SetCaption(u"Łódź – Ταχύτητα");
  Form->Show();
  platform::Application->ProcessMessages();
  ASSERT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), "wide_labels.png"));

  const QImage image = platform::ui::Grab(Form->Handle());
  const QRect area(disabled->Left(), disabled->Top(), disabled->Width() + 1, disabled->Height() + 1);
  const auto colour = [](platform::TColor C) {
    const platform::COLORREF rgb = platform::ColorToRGB(C);
    return QColor(platform::GetRValue(rgb), platform::GetGValue(rgb), platform::GetBValue(rgb));
  };
  EXPECT_TRUE(HasColour(image, area, colour(platform::clBtnHighlight)));
  EXPECT_TRUE(HasColour(image, area, colour(platform::clBtnShadow)));
}

}  // namespace
}  // namespace widetext::testing
