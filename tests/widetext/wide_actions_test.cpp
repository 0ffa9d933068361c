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
    action_ = new TWtxAction(nullptr);
    label_ = new TWtxLabel(nullptr);
  }
  void TearDown() override {
    platform::Free(label_);
    platform::Free(action_);
  }
  TWtxAction* action_ = nullptr;
  TWtxLabel* label_ = nullptr;
};

TEST_F(WideActions, AWideCaptionStandsUntilTheEightBitOneIsChangedBehindIt) {
  action_->SetCaption(u"Ωμέγα");
  EXPECT_EQ(action_->GetCaption(), u"Ωμέγα");
  EXPECT_EQ(action_->Caption(), "?????");
  static_cast<platform::TCustomAction*>(action_)->SetCaption("abc");
  EXPECT_EQ(WtxAction_GetCaption(action_), u"abc");
  action_->SetHint(u"Σύντομη|Μακριά");
  EXPECT_EQ(action_->GetHint(), u"Σύντομη|Μακριά");
  EXPECT_EQ(action_->Hint(), "???????|??????");

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
  action_->SetCaption(u"Ωμέγα");
  action_->SetHint(u"Δείκτης");
  label_->SetAction(action_);
  EXPECT_EQ(WideGetWindowText(label_), u"Ωμέγα");
  EXPECT_EQ(WideGetHint(label_), u"Δείκτης");

  action_->SetCaption(u"Σίγμα");
  EXPECT_EQ(WideGetWindowText(label_), u"Σίγμα");
  // Between two texts with the same 8-bit image the link still follows.
  action_->SetCaption(u"Ωa");
  action_->SetCaption(u"Σa");
  EXPECT_EQ(label_->Caption(), "?a");
  EXPECT_EQ(WideGetWindowText(label_), u"Σa");
  action_->SetHint(u"Ψ");
  EXPECT_EQ(WideGetHint(label_), u"Ψ");

  // A control whose caption was changed no longer follows.
  WideSetWindowText(label_, u"Own");
  action_->SetCaption(u"Τρίτο");
  EXPECT_EQ(WideGetWindowText(label_), u"Own");
}

TEST_F(WideActions, DuringAChangeTheLinksSeeTheOldTextAndAreHandedTheNew) {
  action_->SetCaption(u"Παλιό");
  std::u16string seen, handed;
  struct Probe : platform::TActionLink {
    using TActionLink::TActionLink;
    std::function<void(const std::string&)> onCaption;
    void SetCaption(const std::string& value) override { onCaption(value); }
  } probe(nullptr);
  probe.onCaption = [&](const std::string& value) {
    seen = WtxAction_GetCaption(action_);
    handed = WtxAction_TargetCaption(action_, value);
  };
  probe.SetAction(action_);
  action_->SetCaption(u"Νέο");
  EXPECT_EQ(seen, u"Παλιό");
  EXPECT_EQ(handed, u"Νέο");
  EXPECT_EQ(WtxAction_TargetCaption(action_, "plain"), u"plain");
  probe.SetAction(nullptr);
}

TEST_F(WideActions, AssignCopiesTheWideTexts) {
  action_->SetCaption(u"Ωμέγα");
  action_->SetHint(u"Άλφα");
  action_->SetEnabled(false);
  TWtxAction copy(nullptr);
  copy.Assign(action_);
  EXPECT_EQ(copy.GetCaption(), u"Ωμέγα");
  EXPECT_EQ(copy.GetHint(), u"Άλφα");
  EXPECT_FALSE(copy.Enabled());

  WideSetWindowText(label_, u"Ετικέτα");
  WideSetHint(label_, u"Βοήθεια");
  copy.Assign(label_);
  EXPECT_EQ(copy.GetCaption(), u"Ετικέτα");
  EXPECT_EQ(copy.GetHint(), u"Βοήθεια");

  TWtxHintAction hint(nullptr);
  hint.Assign(action_);
  EXPECT_EQ(hint.GetHint(), u"Άλφα");
  EXPECT_EQ(hint.Caption(), "?????");

  std::vector<platform::TPropInfo> props;
  hint.GetPublishedProperties(props);
  ASSERT_EQ(props.size(), 1u);
  EXPECT_EQ(props[0].Name, "Hint");
  EXPECT_EQ(props[0].GetWideStr(), u"Άλφα");
}

}  // namespace
