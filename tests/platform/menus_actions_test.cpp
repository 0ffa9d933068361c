#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/controls/stdctrls.h"

namespace {

using namespace platform;

TEST(ShortCuts, TextAndKeysRoundTrip) {
  const TShortCut s = ShortCut('S', ssCtrl | ssAlt | ssShift);
  EXPECT_EQ(ShortCutToText(s), "Ctrl+Alt+Shift+S");
  EXPECT_EQ(TextToShortCut("ctrl+alt+shift+s"), s);
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssCtrl)), "Ctrl+Del");
  EXPECT_EQ(TextToShortCut("F12"), ShortCut(VK_F1 + 11, 0));
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
  WORD key = 0;
  TShiftState shift = 0;
  ShortCutToKey(s, key, shift);
  EXPECT_EQ(key, 'S');
  EXPECT_EQ(shift, ssCtrl | ssAlt | ssShift);
}

TEST(ShortCuts, HotKeysInCaptions) {
  EXPECT_EQ(GetHotkey("A&&B&C"), "C");
  EXPECT_EQ(StripHotkey("A&&B&C"), "A&BC");
  EXPECT_EQ(GetHotkey("trailing&"), "");
  EXPECT_EQ(GetHotkey("&&"), "");
  EXPECT_TRUE(IsAccel('c', "A&&B&C"));
  EXPECT_FALSE(IsAccel('b', "A&&B&C"));
}

TEST(Menus, ItemsFormATreeFoundByCommandAndShortcut) {
  TPopupMenu menu(nullptr);
  auto* file = new TMenuItem(&menu);
  file->SetCaption("&File");
  menu.Items()->Add(file);
  auto* save = new TMenuItem(&menu);
  save->SetCaption("&Save");
  save->SetShortCut(ShortCut('S', ssCtrl));
  file->Add(save);
  int clicks = 0;
  save->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(menu.FindItem(save->Command(), fkCommand), save);
  EXPECT_EQ(menu.FindItem(ShortCut('S', ssCtrl), fkShortCut), save);
  EXPECT_EQ(save->GetParentMenu(), &menu);
  EXPECT_EQ(save->MenuIndex(), 0);
  save->Click();
  save->SetEnabled(false);
  save->Click();
  EXPECT_EQ(clicks, 1);
  file->Remove(save);
  EXPECT_EQ(menu.FindItem(save->Command(), fkCommand), nullptr);
}

// Items owned by a form outlive a menu they were taken out of, or that
// went before them: a change of theirs then tells no menu.
TEST(Menus, AnItemOutOfItsMenuBelongsToNoMenu) {
  TComponent owner(nullptr);
  auto* menu = new TPopupMenu(nullptr);
  int changes = 0;
  menu->OnChange = [&](TObject*) { ++changes; };
  auto* file = new TMenuItem(&owner);
  auto* open = new TMenuItem(&owner);
  file->Add(open);
  menu->Items()->Add(file);
  ASSERT_EQ(open->GetParentMenu(), menu);
  menu->Items()->Remove(file);
  EXPECT_EQ(file->GetParentMenu(), nullptr);
  EXPECT_EQ(open->GetParentMenu(), nullptr);
  changes = 0;
  open->SetCaption("&Open");
  EXPECT_EQ(changes, 0);

  menu->Items()->Add(file);
  Free(menu);
  EXPECT_EQ(file->GetParentMenu(), nullptr);
  file->SetCaption("&File");
  open->SetCaption("&Open...");
  EXPECT_EQ(open->Parent(), file);
}

// A link that records the control's caption when the action changes it.
class WatchedLink : public TControlActionLink {
 public:
  using TControlActionLink::TControlActionLink;
  void SetCaption(const std::string& Value) override {
    seen.push_back(static_cast<TCustomAction*>(Action())->Caption() + "->" + Value);
    TControlActionLink::SetCaption(Value);
  }
  static std::vector<std::string> seen;
};
std::vector<std::string> WatchedLink::seen;

const TActionLinkClass kWatchedLinkClass{
    "WatchedLink", &TControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<WatchedLink>(Client); }};

class WatchedButton : public TButton {
 public:
  using TButton::TButton;
  const TActionLinkClass& GetActionLinkClass() const override { return kWatchedLinkClass; }
};

TEST(Actions, LinksHearOfANewCaptionBeforeTheActionStoresIt) {
  InitializeApplication();
  WatchedLink::seen.clear();
  TAction action(nullptr);
  action.SetCaption("Send");
  WatchedButton linked(nullptr);
  linked.SetAction(&action);
  EXPECT_EQ(linked.Caption(), "Send");
  EXPECT_TRUE(kWatchedLinkClass.InheritsFrom(TControlActionLinkClass));
  action.SetCaption("Invia");
  EXPECT_EQ(WatchedLink::seen, (std::vector<std::string>{"Send->Invia"}));
  EXPECT_EQ(linked.Caption(), "Invia");
  // A caption changed on the control no longer follows the action.
  linked.SetCaption("Own");
  action.SetCaption("Other");
  EXPECT_EQ(linked.Caption(), "Own");
  int runs = 0;
  action.OnExecute = [&](TObject*) { ++runs; };
  linked.Click();
  EXPECT_EQ(runs, 1);
}

TEST(Actions, TheApplicationHintReachesItsWindowAsAHintAction) {
  InitializeApplication();
  // The application keeps its hint from an earlier test, and only a change
  // is carried.
  Application->SetHint("");
  std::string carried;
  const int hook = Application->HookMainWindow([&](TMessage& M) {
    if (M.Msg != CM_ACTIONEXECUTE) return false;
    if (auto* a = dynamic_cast<THintAction*>(reinterpret_cast<TBasicAction*>(M.LParam))) carried = a->Hint();
    M.Result = 1;
    return true;
  });
  Application->SetHint("Sends the table");
  Application->UnhookMainWindow(hook);
  EXPECT_EQ(carried, "Sends the table");
  EXPECT_EQ(Application->Hint(), "Sends the table");
}

// A form and a button that count the idle updates of actions reaching them.
class UpdatingForm : public TForm {
 public:
  using TForm::TForm;
  int Updates = 0;
  void UpdateActions() override {
    ++Updates;
    TForm::UpdateActions();
  }
};

class InitiatingButton : public TButton {
 public:
  using TButton::TButton;
  int Initiated = 0;
  void InitiateAction() override {
    ++Initiated;
    TButton::InitiateAction();
  }
};

TEST(Actions, IdleTimeUpdatesReachTheFormAndItsControlsThroughTheirOverrides) {
  InitializeApplication();
  auto* form = new UpdatingForm(nullptr, TCustomForm::CreateNew);
  auto* button = new InitiatingButton(form);
  button->SetParent(form);
  TAction action(nullptr);
  int asked = 0;
  action.OnUpdate = [&](TObject*) { ++asked; };
  button->SetAction(&action);
  form->Show();
  Application->ProcessMessages();
  Application->OnIdle = [](TObject*, bool& Done) { Done = false; };
  Application->HandleMessage();
  Application->OnIdle = nullptr;
  EXPECT_EQ(form->Updates, 1);
  EXPECT_EQ(button->Initiated, 1);
  EXPECT_EQ(asked, 1);
  Free(form);
  Application->ProcessMessages();
}

}  // namespace
