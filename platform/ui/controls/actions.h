#pragma once
// Actions: commands with a caption, hint, enabled and checked state that
// controls and menu items link to. A custom action tells its links about a
// new caption or hint before it stores it, so a link can compare the
// client's text with the action's old one.

#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/ui/controls/controls.h"

namespace platform {

using TShortCut = WORD;

class TBasicActionLink;

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  ~TBasicAction() override;
  // OnExecute, or false when it is not assigned.
  virtual bool Execute();
  virtual bool Update();
  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);
  const std::vector<TBasicActionLink*>& Clients() const { return clients_; }
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 private:
  std::vector<TBasicActionLink*> clients_;
};

class TBasicActionLink : public TObject {
 public:
  explicit TBasicActionLink(TObject* AClient) : client_(AClient) {}
  ~TBasicActionLink() override;
  TBasicAction* Action() const { return action_; }
  virtual void SetAction(TBasicAction* Value);
  virtual bool Execute();
  virtual bool Update();
  TObject* Client() const { return client_; }
  TNotifyEvent OnChange;

 private:
  TBasicAction* action_ = nullptr;
  TObject* client_;
};

class TActionLink : public TBasicActionLink {
 public:
  using TBasicActionLink::TBasicActionLink;
  virtual bool IsCaptionLinked();
  virtual bool IsHintLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsVisibleLinked();
  virtual bool IsImageIndexLinked();
  virtual void SetCaption(const std::string&) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetEnabled(bool) {}
  virtual void SetChecked(bool) {}
  virtual void SetVisible(bool) {}
  virtual void SetImageIndex(int) {}
  // Before the client's hint shows (HintStr its short hint): when the
  // application shows shortcuts in hints, a custom action's shortcut is
  // added as "%s (%s)". False keeps the hint from showing.
  virtual bool DoShowHint(std::string& HintStr);
};

class TCustomAction : public TBasicAction {
 public:
  explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& Value);
  const std::string& Hint() const { return hint_; }
  virtual void SetHint(const std::string& Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // The picture of the action in an image list (-1: none).
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // From another custom action: its caption, hint, states, shortcut and
  // image; from a control: its caption, hint, enabled and visible states.
  void Assign(const TPersistent* Source) override;
  TShortCut ShortCut = 0;

 private:
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  int imageIndex_ = -1;
};

class TAction : public TCustomAction {
 public:
  using TCustomAction::TCustomAction;
};

// Carries a hint to the application window.
class THintAction : public TCustomAction {
 public:
  using TCustomAction::TCustomAction;
  // OnExecute when assigned; otherwise the action goes to the application
  // window as CM_ACTIONEXECUTE (lParam the action). True when handled.
  bool Execute() override;
};

// The link of a control to its action: a linked property is one whose value
// equals the action's.
class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TObject* AClient);
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  bool IsEnabledLinked() override;
  bool IsVisibleLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;

 protected:
  TControl* Client() const { return client_; }

 private:
  TControl* client_;
};

class TWinControlActionLink : public TControlActionLink {
 public:
  using TControlActionLink::TControlActionLink;
};

extern const TActionLinkClass TControlActionLinkClass;
extern const TActionLinkClass TWinControlActionLinkClass;

}  // namespace platform
