#pragma once
// The class library's extended combo box over the extended combo box class
// (ComboBoxEx32): a drop-down list whose items show a picture of the
// control's image list beside their caption. While the control has a
// window its items live there; they are kept in the items while it has
// none and put back into the next window.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/controls.h"

namespace platform {

class TComboExItems;

class TComboExItem : public TPersistent {
 public:
  explicit TComboExItem(TComboExItems* Owner) : owner_(Owner) {}
  std::string Caption() const;
  void SetCaption(const std::string& Value);
  int ImageIndex() const;
  void SetImageIndex(int Value);
  int Index() const;

 private:
  friend class TComboExItems;
  friend class TCustomComboBoxEx;
  TComboExItems* owner_;
  std::string caption_;
  int imageIndex_ = -1;
};

class TCustomComboBoxEx;

class TComboExItems : public TPersistent {
 public:
  explicit TComboExItems(TCustomComboBoxEx* Owner) : owner_(Owner) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TComboExItem* Item(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  TComboExItem* AddItem(const std::string& Caption, int ImageIndex);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TComboExItem* Item) const;

 private:
  friend class TComboExItem;
  friend class TCustomComboBoxEx;
  HWND Window() const;
  std::vector<std::unique_ptr<TComboExItem>> items_;
  TCustomComboBoxEx* owner_;
};

class TCustomComboBoxEx : public TWinControl {
 public:
  explicit TCustomComboBoxEx(TComponent* AOwner);
  ~TCustomComboBoxEx() override;
  TComboExItems& ItemsEx() { return *items_; }
  int ItemIndex();
  void SetItemIndex(int Index);
  // The pictures the items name; the control does not own them.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* Value);
  const TActionLinkClass& GetActionLinkClass() const override;
  void WndProc(TMessage& Message) override;
  // The user chose an item.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TComboExItem;
  void ShowImages();
  std::unique_ptr<TComboExItems> items_;
  TImageList* images_ = nullptr;
  // The selection while there is no window.
  int itemIndex_ = -1;
};

class TComboBoxEx : public TCustomComboBoxEx {
 public:
  using TCustomComboBoxEx::TCustomComboBoxEx;
};

// The link of an extended combo box to its action.
class TComboBoxExActionLink : public TWinControlActionLink {
 public:
  using TWinControlActionLink::TWinControlActionLink;
};

extern const TActionLinkClass TComboBoxExActionLinkClass;

}  // namespace platform
