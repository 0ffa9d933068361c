#include "platform/ui/controls/actions.h"

#include <algorithm>

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"

namespace platform {

TBasicAction::~TBasicAction() {
  while (!clients_.empty()) clients_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) { clients_.push_back(Value); }

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) { std::erase(clients_, Value); }

TBasicActionLink::~TBasicActionLink() {
  if (action_) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == action_) return;
  if (action_) action_->UnRegisterChanges(this);
  action_ = Value;
  if (action_) action_->RegisterChanges(this);
}

bool TBasicActionLink::Execute() { return action_ && action_->Execute(); }

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

bool TActionLink::DoShowHint(std::string& HintStr) {
  const auto* action = dynamic_cast<TCustomAction*>(Action());
  if (action && action->ShortCut != 0 && !HintStr.empty() && Application && Application->HintShortCuts) {
    HintStr += " (" + ShortCutToText(action->ShortCut) + ")";
  }
  return true;
}

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsVisibleLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }

namespace {

template <class F>
void ForEachLink(TCustomAction* Action, F Apply) {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(Action->Clients())) {
    if (auto* l = dynamic_cast<TActionLink*>(link)) Apply(*l);
  }
}

}  // namespace

void TCustomAction::SetCaption(const std::string& Value) {
  if (Value == caption_) return;
  ForEachLink(this, [&](TActionLink& L) { L.SetCaption(Value); });
  caption_ = Value;
}

void TCustomAction::SetHint(const std::string& Value) {
  if (Value == hint_) return;
  ForEachLink(this, [&](TActionLink& L) { L.SetHint(Value); });
  hint_ = Value;
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  ForEachLink(this, [&](TActionLink& L) { L.SetEnabled(Value); });
  enabled_ = Value;
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == checked_) return;
  ForEachLink(this, [&](TActionLink& L) { L.SetChecked(Value); });
  checked_ = Value;
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == visible_) return;
  ForEachLink(this, [&](TActionLink& L) { L.SetVisible(Value); });
  visible_ = Value;
}

void TCustomAction::SetImageIndex(int Value) {
  if (Value == imageIndex_) return;
  ForEachLink(this, [&](TActionLink& L) { L.SetImageIndex(Value); });
  imageIndex_ = Value;
}

void TCustomAction::Assign(const TPersistent* Source) {
  if (const auto* action = dynamic_cast<const TCustomAction*>(Source)) {
    SetCaption(action->Caption());
    SetHint(action->Hint());
    SetEnabled(action->Enabled());
    SetChecked(action->Checked());
    SetVisible(action->Visible());
    ShortCut = action->ShortCut;
    SetImageIndex(action->ImageIndex());
    return;
  }
  if (const auto* control = dynamic_cast<const TControl*>(Source)) {
    // Reading a control's text asks its window, which is not a const act.
    auto* source = const_cast<TControl*>(control);
    SetCaption(source->Caption());
    SetHint(source->Hint);
    SetEnabled(source->Enabled());
    SetVisible(source->Visible());
    return;
  }
  TBasicAction::Assign(Source);
}

bool THintAction::Execute() {
  if (TCustomAction::Execute()) return true;
  return Application && SendMessageW(Application->Handle(), CM_ACTIONEXECUTE, 0,
                                     reinterpret_cast<LPARAM>(static_cast<TBasicAction*>(this))) == 1;
}

TControlActionLink::TControlActionLink(TObject* AClient)
    : TActionLink(AClient), client_(dynamic_cast<TControl*>(AClient)) {}

bool TControlActionLink::IsCaptionLinked() {
  auto* a = dynamic_cast<TCustomAction*>(Action());
  return a && client_ && client_->Caption() == a->Caption();
}

bool TControlActionLink::IsHintLinked() {
  auto* a = dynamic_cast<TCustomAction*>(Action());
  return a && client_ && client_->Hint == a->Hint();
}

bool TControlActionLink::IsEnabledLinked() {
  auto* a = dynamic_cast<TCustomAction*>(Action());
  return a && client_ && client_->Enabled() == a->Enabled();
}

bool TControlActionLink::IsVisibleLinked() {
  auto* a = dynamic_cast<TCustomAction*>(Action());
  return a && client_ && client_->Visible() == a->Visible();
}

void TControlActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) client_->SetCaption(Value);
}

void TControlActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) client_->Hint = Value;
}

void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) client_->SetEnabled(Value);
}

void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) client_->SetVisible(Value);
}

const TActionLinkClass TControlActionLinkClass{
    "TControlActionLink", nullptr,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TControlActionLink>(Client); }};

const TActionLinkClass TWinControlActionLinkClass{
    "TWinControlActionLink", &TControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TWinControlActionLink>(Client); }};

}  // namespace platform
