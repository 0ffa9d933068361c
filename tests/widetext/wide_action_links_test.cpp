// Each kind of wide control links to its action through a wide link of its
// own kind, and shows the action's wide caption and hint as they change.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/control_actions.h"
#include "widetext/exceptions.h"
#include "widetext/menus/wide_actions.h"

namespace {

using namespace widetext;
using widetext::testing::kGreek;
using widetext::testing::kPolish;

// A wide control on a window class of the platform.
template <class Base>
class TWideOn : public TWideControl<Base> {
 public:
  TWideOn(platform::TComponent* AOwner, std::u16string Class) : TWideControl<Base>(AOwner), class_(std::move(Class)) {}

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override { CreateUnicodeHandle(this, Params, class_); }

 private:
  std::u16string class_;
};

using TWideListView = TWideOn<platform::TListView>;
using TWideComboBoxEx = TWideOn<platform::TComboBoxEx>;
using TWideButton = TWideOn<platform::TButton>;
using TWideSpeedButton = TWideControl<platform::TSpeedButton>;
using TWideToolButton = TWideControl<platform::TToolButton>;

class WideActionLinks : public widetext::testing::WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    Bar = new platform::TToolBar(Form);
    Bar->SetParent(Form);
    const auto add = [this](platform::TControl* Control, const std::type_info& Link) {
      Control->SetParent(Control == Tool ? static_cast<platform::TWinControl*>(Bar) : Form);
      Controls.push_back({Control, &Link});
    };
    add(new TWideListView(Form, u"SysListView32"), typeid(TWtxListViewActionLink));
    add(new TWideComboBoxEx(Form, u"ComboBoxEx32"), typeid(TWtxComboBoxExActionLink));
    add(new TWideSpeedButton(Form), typeid(TWtxSpeedButtonActionLink));
    Tool = new TWideToolButton(Form);
    add(Tool, typeid(TWtxToolButtonActionLink));
    add(new TWideButton(Form, u"BUTTON"), typeid(TWtxButtonActionLink));
    add(new widetext::testing::TWideWindow(Form), typeid(TWtxWinControlActionLink));
    add(new widetext::testing::TWideGraphic(Form), typeid(TWtxControlActionLink));
    Form->Show();
  }

  struct Linked {
    platform::TControl* Control;
    const std::type_info* Link;
  };
  platform::TToolBar* Bar = nullptr;
  platform::TControl* Tool = nullptr;
  std::vector<Linked> Controls;
};

TEST_F(WideActionLinks, EachKindOfControlGetsTheWideLinkOfItsKind) {
  TWtxAction action(nullptr);
  for (const Linked& c : Controls) {
    c.Control->SetAction(&action);
    ASSERT_TRUE(c.Control->ActionLink());
    EXPECT_EQ(typeid(*c.Control->ActionLink()), *c.Link) << typeid(*c.Control).name();
    c.Control->SetAction(nullptr);
  }
  // The wide link must extend the link the class library would make.
  EXPECT_THROW(WtxControl_GetActionLinkClass(Controls.front().Control, platform::TWinControlActionLinkClass),
               EWtxInternalError);
}

TEST_F(WideActionLinks, LinkedControlsShowTheActionsWideCaptionAndHintAsTheyChange) {
  TWtxAction action(nullptr);
  action.SetCaption(kPolish);
  action.SetHint(u"Ψ|Ω");
  for (const Linked& c : Controls) c.Control->SetAction(&action);
  for (const Linked& c : Controls) {
    EXPECT_EQ(WideGetWindowText(c.Control), kPolish) << c.Link->name();
    EXPECT_EQ(WideGetHint(c.Control), u"Ψ|Ω") << c.Link->name();
  }
  action.SetCaption(kGreek);
  action.SetHint(u"Σύντομη|Μακριά");
  for (const Linked& c : Controls) {
    EXPECT_EQ(WideGetWindowText(c.Control), kGreek) << c.Link->name();
    EXPECT_EQ(WideGetHint(c.Control), u"Σύντομη|Μακριά") << c.Link->name();
  }
  // A text with the same 8-bit image still reaches every control.
  action.SetCaption(u"Ωa");
  action.SetCaption(u"Σa");
  for (const Linked& c : Controls) EXPECT_EQ(WideGetWindowText(c.Control), u"Σa") << c.Link->name();
  for (const Linked& c : Controls) c.Control->SetAction(nullptr);
}

}  // namespace
