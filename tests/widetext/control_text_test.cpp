#include <gtest/gtest.h>

#include "platform/ui/controls/actions.h"
#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/control_actions.h"
#include "widetext/controls/control_text.h"

namespace widetext::testing {
namespace {

using ControlText = WideFormTest;

TEST_F(ControlText, AWideCaptionStandsWhileItsImageIsTheClassLibrarysCaption) {
  auto* label = new TWideGraphic(Form);
  label->SetParent(Form);
  label->SetCaption(kGreek);
  EXPECT_EQ(label->Caption(), "?????");
  EXPECT_EQ(label->GetCaption(), kGreek);

  // Changed and changed back without a read in between: still the image.
  label->platform::TControl::SetCaption("abc");
  label->platform::TControl::SetCaption("?????");
  EXPECT_EQ(label->GetCaption(), kGreek);

  // Read while the 8-bit caption differs: the 8-bit caption wins for good.
  label->platform::TControl::SetCaption("abc");
  EXPECT_EQ(label->GetCaption(), u"abc");
  label->platform::TControl::SetCaption("?????");
  EXPECT_EQ(label->GetCaption(), u"?????");
}

TEST_F(ControlText, ANewTextWithTheSameImageStillChangesAndIsAnnounced) {
  auto* label = new TWideGraphic(Form);
  label->SetCaption(u"Ωa");
  const int before = label->TextChanges;
  label->SetCaption(u"Σa");
  EXPECT_EQ(label->GetCaption(), u"Σa");
  EXPECT_EQ(label->Caption(), "?a");
  // Emptied first, so the class library sees a change.
  EXPECT_EQ(label->TextChanges - before, 2);
  label->SetCaption(u"Σa");
  EXPECT_EQ(label->TextChanges - before, 2);
}

TEST_F(ControlText, HintsFollowTheSameRuleWithoutNotifying) {
  auto* label = new TWideGraphic(Form);
  label->SetHint(kPolish);
  EXPECT_EQ(label->Hint, "Za?\xF3?? g??l? ja??");
  EXPECT_EQ(label->GetHint(), kPolish);
  EXPECT_EQ(label->TextChanges, 0);
  label->Hint = "plain";
  EXPECT_EQ(label->GetHint(), u"plain");
}

TEST_F(ControlText, HintPartsAndTheParentChain) {
  EXPECT_EQ(WideGetShortHint(u"Λίγο|Πολύ"), u"Λίγο");
  EXPECT_EQ(WideGetLongHint(u"Λίγο|Πολύ"), u"Πολύ");
  EXPECT_EQ(WideGetShortHint(u"Όλο"), u"Όλο");
  EXPECT_EQ(WideGetLongHint(u"Όλο"), u"Όλο");
  auto* inner = new TWideGraphic(Form);
  inner->SetParent(Form);
  EXPECT_EQ(WideGetParentHint(inner), u"");
  WideSetHint(Form, kGreek);
  EXPECT_EQ(WideGetParentHint(inner), kGreek);
}

TEST_F(ControlText, AWindowedControlKeepsItsTextInItsUnicodeWindow) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetCaption(kPolish);  // before the window exists
  ASSERT_TRUE(platform::IsWindowUnicode(window->Handle()));
  EXPECT_EQ(platform::WindowTextW(window->WindowHandle()), kPolish);
  EXPECT_EQ(window->GetCaption(), kPolish);
  // The class library's own reading gets the 8-bit image from the window.
  EXPECT_EQ(window->Text(), "Za?\xF3?? g??l? ja??");

  const int before = window->TextChanges;
  window->SetCaption(kGreek);
  window->SetCaption(kGreek);
  EXPECT_EQ(window->TextChanges - before, 1);
  window->SetText("8-bit");
  EXPECT_EQ(window->GetCaption(), u"8-bit");
}

TEST_F(ControlText, TextTheCodePageCannotHoldSurvivesANewWindow) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->Handle();
  window->SetCaption(kGreek);
  const platform::HWND first = window->WindowHandle();
  window->RecreateWnd();
  EXPECT_NE(window->WindowHandle(), first);
  EXPECT_EQ(window->GetCaption(), kGreek);
  EXPECT_EQ(platform::WindowTextW(window->WindowHandle()), kGreek);
}

TEST_F(ControlText, An8BitCaptionSetBetweenTwoWindowsIsNotOverwritten) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetCaption(kGreek);
  window->Handle();
  window->SetParent(nullptr);  // the window goes; the wide caption is kept
  EXPECT_FALSE(window->HandleAllocated());
  EXPECT_EQ(window->GetCaption(), kGreek);
  window->platform::TControl::SetCaption("plain");
  window->SetParent(Form);
  window->Handle();
  EXPECT_EQ(window->GetCaption(), u"plain");
}

TEST_F(ControlText, ACaptionFromAWideActionKeepsItsCharacters) {
  class TWideAction : public platform::TAction, public IWtxAction {
   public:
    using platform::TAction::TAction;
    std::u16string Caption;
    std::u16string Next;
    std::u16string GetWideCaption() override { return Caption; }
    std::u16string GetWideHint() override { return u"Υπόδειξη"; }
    std::u16string TargetCaption(const std::string&) override { return Next; }
    std::u16string TargetHint(const std::string&) override { return u"Υπόδειξη"; }
  };
  auto* action = new TWideAction(Form);
  action->Caption = kPolish;
  action->SetCaption("Za?\xF3?? g??l? ja??");
  action->SetHint("????????");
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetAction(action);
  EXPECT_EQ(window->GetCaption(), kPolish);
  EXPECT_EQ(window->GetHint(), u"Υπόδειξη");
  EXPECT_FALSE(IsCaptionStored(window));
  EXPECT_EQ(&window->GetActionLinkClass(), &TWtxWinControlActionLinkClass);

  // A new caption of the action reaches the linked control in full.
  action->Next = kGreek;
  action->SetCaption("?????");
  action->Caption = kGreek;
  EXPECT_EQ(window->GetCaption(), kGreek);
  window->SetCaption(u"own");
  EXPECT_TRUE(IsCaptionStored(window));
}

}  // namespace
}  // namespace widetext::testing
