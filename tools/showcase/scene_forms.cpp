// Wide forms: an MDI frame with two children, a layered form over another,
// and a right-to-left page control with right-to-left canvas text.

#include <string>

#include "platform/core/window_system/system_settings.h"
#include "platform/ui/controls/extctrls.h"
#include "tests/widetext/right_to_left_helpers.h"
#include "tools/showcase/scene.h"
#include "widetext/controls/page_control.h"
#include "widetext/controls/wide_form.h"
#include "widetext/standard/static_text.h"

namespace showcase {
namespace {

using widetext::TWtxForm;

TWtxForm* NewForm(platform::TFormStyle Style, const std::u16string& Caption, int Left, int Top, int Width, int Height) {
  auto* form = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
  form->SetFormStyle(Style);
  form->SetBounds(Left, Top, Width, Height);
  form->SetCaption(Caption);
  return form;
}

void AddText(platform::TWinControl* Parent, int Left, int Top, const std::u16string& Text) {
  auto* text = new widetext::TWtxStaticText(Parent);
  text->SetParent(Parent);
  text->SetBounds(Left, Top, 0, 0);
  text->SetCaption(Text);
}

platform::TForm* BuildMdi() {
  TWtxForm* frame = NewForm(platform::fsMDIForm, u"Veltrosa – okna dokumentów", 60, 60, 720, 460);
  platform::Application->SetMainForm(frame);
  frame->Show();
  const std::u16string channels[] = {u"Kanał DST – βάθος 12,5 m", u"Kanał GPS – ταχύτητα 6,2 kn"};
  for (const std::u16string& caption : channels) {
    TWtxForm* child = NewForm(platform::fsMDIChild, caption, 0, 0, 380, 220);
    child->SetColor(platform::clWindow);
    AddText(child, 12, 12, caption);
    AddText(child, 12, 36, u"Przeciągnij tytuł, aby przesunąć okno.");
    child->Show();
  }
  frame->Cascade();
  return frame;
}

platform::TForm* BuildLayered() {
  auto* behind = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
  behind->SetBounds(60, 60, 520, 340);
  behind->SetCaption("Behind");
  behind->SetColor(platform::clNavy);
  behind->Show();
  TWtxForm* over = NewForm(platform::fsNormal, u"Półprzezroczysty – ημιδιαφανής", 220, 160, 420, 260);
  over->SetColor(platform::clWhite);
  AddText(over, 16, 16, u"Krycie 160 z 255; różowy prostokąt nie jest widoczny.");
  auto* hole = new platform::TPanel(over);
  hole->SetParent(over);
  hole->BevelOuter = platform::bvNone;
  hole->SetBounds(260, 120, 120, 90);
  hole->SetColor(platform::clFuchsia);
  over->SetTransparentColorValue(platform::clFuchsia);
  over->SetTransparentColor(true);
  over->SetAlphaBlendValue(160);
  over->SetAlphaBlend(true);
  over->Show();
  return behind;
}

platform::TForm* BuildRightToLeft() {
  // The stand-in system, for this scene, carries middle-east support.
  platform::SetMiddleEastEnabled(true);
  TWtxForm* form = NewForm(platform::fsNormal, u"Right to left – מימין לשמאל", 80, 80, 520, 300);
  widetext::TWtxPageControl* pages = widetext::testing::NewRightToLeftPages(form, platform::Rect(10, 10, 500, 250));
  pages->BiDiMode = platform::bdRightToLeft;
  widetext::testing::NewRightToLeftLines(form, pages->Pages(0), platform::Rect(12, 12, 452, 102));
  form->Show();
  return form;
}

const SceneRegistration kMdi("mdi", "a wide MDI frame with two document windows", &BuildMdi);
const SceneRegistration kLayered("layered", "a half-transparent form with a colour key over another form",
                                 &BuildLayered);
const SceneRegistration kRightToLeft("rtl", "a right-to-left page control and right-to-left canvas text",
                                     &BuildRightToLeft);

}  // namespace
}  // namespace showcase
