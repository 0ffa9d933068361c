#include "widetext/menus/wide_actions.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/forms.h"
#include "widetext/controls/control_text.h"
#include "widetext/standard/label.h"

namespace {

using namespace widetext;

class WideActions : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    Action = new TWtxAction(nullptr);
    Label = new TWtxLabel(nullptr);
  }
  void TearDown() override {
    platform::Free(Label);
    platform::Free(Action);
  }
  TWtxAction* Action = nullptr;
  TWtxLabel* Label = nullptr;
};

TEST_F(WideActions, AWideCaptionStandsUntilTheEightBitOneIsChangedBehindIt) {
  Action->SetCaption(u"Ωμέγα");
  EXPECT_EQ(Action->GetCaption(), u"Ωμέγα");
  EXPECT_EQ(Action->Caption(), "?????");
  static_cast<platform::TCustomAction*>(Action)->SetCaption("abc");
  EXPECT_EQ(WtxAction_GetCaption(Action), u"abc");
  Action->SetHint(u"Σύντομη|Μακριά");
  EXPECT_EQ(Action->GetHint(), u"Σύντομη|Μακριά");
  EXPECT_EQ(Action->Hint(), "???????|??????");

  // An action without the wide interface gives and takes 8-bit texts.
  platform::TAction plain(nullptr);
  WtxAction_SetCaption(&plain, u"Grüße Ω");
  EXPECT_EQ(plain.Caption(),
            "Gr\xFC\xDF"
            "e ?");
  EXPECT_EQ(WtxAction_GetCaption(&plain), u"Grüße ?");
  EXPECT_EQ(plain.ComponentCount(), 0);
}

TEST_F(WideActions, ALinkedControlFollowsTheActionsWideCaption) {
  Action->SetCaption(u"Ωμέγα");
  Action->SetHint(u"Δείκτης");
  Label->SetAction(Action);
  EXPECT_EQ(WideGetWindowText(Label), u"Ωμέγα");
  EXPECT_EQ(WideGetHint(Label), u"Δείκτης");

  Action->SetCaption(u"Σίγμα");
  EXPECT_EQ(WideGetWindowText(Label), u"Σίγμα");
  // Between two texts with the same 8-bit image the link still follows.
  Action->SetCaption(u"Ωa");
  Action->SetCaption(u"Σa");
  EXPECT_EQ(Label->Caption(), "?a");
  EXPECT_EQ(WideGetWindowText(Label), u"Σa");
  Action->SetHint(u"Ψ");
  EXPECT_EQ(WideGetHint(Label), u"Ψ");

  // A control whose caption was changed no longer follows.
  WideSetWindowText(Label, u"Own");
  Action->SetCaption(u"Τρίτο");
  EXPECT_EQ(WideGetWindowText(Label), u"Own");
}

TEST_F(WideActions, DuringAChangeTheLinksSeeTheOldTextAndAreHandedTheNew) {
  Action->SetCaption(u"Παλιό");
  std::u16string seen, handed;
  struct Probe : platform::TActionLink {
    using TActionLink::TActionLink;
    std::function<void(const std::string&)> OnCaption;
    void SetCaption(const std::string& Value) override { OnCaption(Value); }
  } probe(nullptr);
  probe.OnCaption = [&](const std::string& Value) {
    seen = WtxAction_GetCaption(Action);
    handed = WtxAction_TargetCaption(Action, Value);
  };
  probe.SetAction(Action);
  Action->SetCaption(u"Νέο");
  EXPECT_EQ(seen, u"Παλιό");
  EXPECT_EQ(handed, u"Νέο");
  EXPECT_EQ(WtxAction_TargetCaption(Action, "plain"), u"plain");
  probe.SetAction(nullptr);
}

TEST_F(WideActions, AssignCopiesTheWideTexts) {
  Action->SetCaption(u"Ωμέγα");
  Action->SetHint(u"Άλφα");
  Action->SetEnabled(false);
  TWtxAction copy(nullptr);
  copy.Assign(Action);
  EXPECT_EQ(copy.GetCaption(), u"Ωμέγα");
  EXPECT_EQ(copy.GetHint(), u"Άλφα");
  EXPECT_FALSE(copy.Enabled());

  WideSetWindowText(Label, u"Ετικέτα");
  WideSetHint(Label, u"Βοήθεια");
  copy.Assign(Label);
  EXPECT_EQ(copy.GetCaption(), u"Ετικέτα");
  EXPECT_EQ(copy.GetHint(), u"Βοήθεια");

  TWtxHintAction hint(nullptr);
  hint.Assign(Action);
  EXPECT_EQ(hint.GetHint(), u"Άλφα");
  EXPECT_EQ(hint.Caption(), "?????");
  EXPECT_EQ(WtxAction_GetCaption(&hint), u"Ωμέγα");
  // From one hint action to another, and from a control.
  WtxAction_SetCaption(&hint, u"Ζήτα");
  TWtxHintAction other(nullptr);
  other.Assign(&hint);
  EXPECT_EQ(WtxAction_GetCaption(&other), u"Ζήτα");
  EXPECT_EQ(other.GetHint(), u"Άλφα");
  other.Assign(Label);
  EXPECT_EQ(WtxAction_GetCaption(&other), u"Ετικέτα");

  std::vector<platform::TPropInfo> props;
  hint.GetPublishedProperties(props);
  ASSERT_EQ(props.size(), 1u);
  EXPECT_EQ(props[0].Name, "Hint");
  EXPECT_EQ(props[0].GetWideStr(), u"Άλφα");
}

}  // namespace
