#include "platform/ui/controls/list_view.h"

#include <algorithm>

#include "platform/ui/controls/window_items.h"
#include "platform/ui/window_classes/listview.h"

namespace platform {
namespace {

std::string ItemText(HWND hWnd, int Index) {
  return ReadItemText([&](char* Buffer, std::size_t Size) {
    LVITEMA item;
    item.pszText = Buffer;
    item.cchTextMax = static_cast<int>(Size);
    return static_cast<std::size_t>(std::max<LRESULT>(
        SendMessageA(hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item)), 0));
  });
}

void InsertInto(HWND hWnd, int Index, const std::string& Caption) {
  LVITEMA item;
  item.mask = LVIF_TEXT;
  item.iItem = Index;
  item.pszText = const_cast<char*>(Caption.c_str());
  SendMessageA(hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Select(HWND hWnd, int Index) {
  LVITEMA item;
  item.stateMask = LVIS_SELECTED;
  item.state = Index >= 0 ? LVIS_SELECTED : 0;
  SendMessageA(hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(static_cast<LPARAM>(Index)),
               reinterpret_cast<LPARAM>(&item));
}

}  // namespace

// ----------------------------------------------------------------- items

std::string TListItem::Caption() const {
  const HWND window = owner_->Window();
  return window ? ItemText(window, Index()) : caption_;
}

void TListItem::SetCaption(const std::string& Value) {
  const HWND window = owner_->Window();
  if (!window) {
    caption_ = Value;
    return;
  }
  LVITEMA item;
  item.pszText = const_cast<char*>(Value.c_str());
  SendMessageA(window, LVM_SETITEMTEXTA, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

int TListItem::Index() const { return owner_->IndexOf(this); }

bool TListItem::Selected() const { return owner_->Owner()->Selected() == this; }

void TListItem::SetSelected(bool Value) {
  if (Value) {
    owner_->Owner()->SetSelected(this);
  } else if (Selected()) {
    owner_->Owner()->SetSelected(nullptr);
  }
}

HWND TListItems::Window() const { return owner_->HandleAllocated() ? owner_->WindowHandle() : nullptr; }

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  Index = std::clamp(Index, 0, Count());
  auto item = std::make_unique<TListItem>(this);
  TListItem* raw = item.get();
  items_.insert(items_.begin() + Index, std::move(item));
  if (const HWND window = Window()) InsertInto(window, Index, std::string());
  return raw;
}

void TListItems::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  if (const HWND window = Window()) SendMessageA(window, LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  items_.erase(items_.begin() + Index);
}

void TListItems::Clear() {
  if (const HWND window = Window()) SendMessageA(window, LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

int TListItems::IndexOf(const TListItem* Item) const { return IndexOfItem(items_, Item); }

// ------------------------------------------------------------ the control

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner), items_(std::make_unique<TListItems>(this)) {
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
}

TCustomListView::~TCustomListView() = default;

void TCustomListView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "SysListView32");
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  for (int i = 0; i < items_->Count(); ++i) InsertInto(WindowHandle(), i, items_->Item(i)->caption_);
  if (itemIndex_ >= 0) Select(WindowHandle(), itemIndex_);
}

void TCustomListView::DestroyWnd() {
  if (!HasState(csDestroying)) {
    for (int i = 0; i < items_->Count(); ++i) items_->Item(i)->caption_ = ItemText(WindowHandle(), i);
    itemIndex_ = ItemIndex();
  }
  TWinControl::DestroyWnd();
}

int TCustomListView::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(WindowHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int Index) {
  if (Index < -1 || Index >= items_->Count()) Index = -1;
  itemIndex_ = Index;
  if (HandleAllocated()) Select(WindowHandle(), Index);
}

TListItem* TCustomListView::Selected() {
  const int index = ItemIndex();
  return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

void TCustomListView::SetSelected(TListItem* Item) { SetItemIndex(Item ? items_->IndexOf(Item) : -1); }

const TActionLinkClass& TCustomListView::GetActionLinkClass() const { return TListViewActionLinkClass; }

void TCustomListView::WndProc(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY && Message.LParam &&
      reinterpret_cast<const NMHDR*>(Message.LParam)->code == LVN_ITEMCHANGED) {
    if (OnSelectItem) {
      const int index = reinterpret_cast<const NMLISTVIEW*>(Message.LParam)->iItem;
      TListItem* item = index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
      OnSelectItem(this, item, item != nullptr);
    }
    return;
  }
  TWinControl::WndProc(Message);
}

const TActionLinkClass TListViewActionLinkClass{
    "TListViewActionLink", &TWinControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TListViewActionLink>(Client); }};

}  // namespace platform
