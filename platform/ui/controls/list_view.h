#pragma once
// The class library's list view over the list view class (SysListView32):
// items with a caption and a value, one of which may be selected. While the
// control has a window its items live there; they are kept in the items
// while it has none and put back into the next window.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/controls.h"

namespace platform {

class TCustomListView;
class TListItems;

class TListItem : public TPersistent {
 public:
  explicit TListItem(TListItems* Owner) : owner_(Owner) {}
  std::string Caption() const;
  void SetCaption(const std::string& Value);
  int Index() const;
  bool Selected() const;
  void SetSelected(bool Value);
  void* Data = nullptr;
  TListItems* Owner() const { return owner_; }

 private:
  friend class TListItems;
  friend class TCustomListView;
  TListItems* owner_;
  std::string caption_;
};

class TListItems : public TPersistent {
 public:
  explicit TListItems(TCustomListView* Owner) : owner_(Owner) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TListItem* Item) const;
  TCustomListView* Owner() const { return owner_; }

 private:
  friend class TListItem;
  friend class TCustomListView;
  HWND Window() const;
  std::vector<std::unique_ptr<TListItem>> items_;
  TCustomListView* owner_;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TCustomListView : public TWinControl {
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;
  TListItems& Items() { return *items_; }
  TListItem* Selected();
  void SetSelected(TListItem* Item);
  int ItemIndex();
  void SetItemIndex(int Index);
  const TActionLinkClass& GetActionLinkClass() const override;
  void WndProc(TMessage& Message) override;
  // The user selected an item.
  TLVSelectItemEvent OnSelectItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  std::unique_ptr<TListItems> items_;
  // The selection while there is no window.
  int itemIndex_ = -1;
};

class TListView : public TCustomListView {
 public:
  using TCustomListView::TCustomListView;
};

// The link of a list view to its action.
class TListViewActionLink : public TWinControlActionLink {
 public:
  using TWinControlActionLink::TWinControlActionLink;
};

extern const TActionLinkClass TListViewActionLinkClass;

}  // namespace platform
