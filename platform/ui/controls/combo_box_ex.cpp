#include "platform/ui/controls/combo_box_ex.h"

#include <algorithm>
#include <string_view>

#include "platform/ui/controls/window_items.h"
#include "platform/ui/window_classes/comboboxex.h"

namespace platform {
namespace {

std::string ItemText(HWND hWnd, int Index) {
  return ReadItemText([&](char* Buffer, std::size_t Size) -> std::size_t {
    COMBOBOXEXITEMA item;
    item.mask = CBEIF_TEXT;
    item.iItem = Index;
    item.pszText = Buffer;
    item.cchTextMax = static_cast<int>(Size);
    if (!SendMessageA(hWnd, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    // A buffer filled without a terminator is too small.
    return std::min(std::string_view(Buffer, Size).find('\0'), Size);
  });
}

void Write(HWND hWnd, UINT Msg, int Index, UINT Mask, const std::string& Caption, int ImageIndex) {
  COMBOBOXEXITEMA item;
  item.mask = Mask;
  item.iItem = Index;
  item.pszText = const_cast<char*>(Caption.c_str());
  item.iImage = ImageIndex;
  SendMessageA(hWnd, Msg, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

// ----------------------------------------------------------------- items

std::string TComboExItem::Caption() const {
  const HWND window = owner_->Window();
  return window ? ItemText(window, Index()) : caption_;
}

void TComboExItem::SetCaption(const std::string& Value) {
  if (const HWND window = owner_->Window()) {
    Write(window, CBEM_SETITEMA, Index(), CBEIF_TEXT, Value, imageIndex_);
  } else {
    caption_ = Value;
  }
}

int TComboExItem::ImageIndex() const { return imageIndex_; }

void TComboExItem::SetImageIndex(int Value) {
  imageIndex_ = Value;
  if (const HWND window = owner_->Window()) Write(window, CBEM_SETITEMA, Index(), CBEIF_IMAGE, {}, Value);
}

int TComboExItem::Index() const { return owner_->IndexOf(this); }

HWND TComboExItems::Window() const { return owner_->HandleAllocated() ? owner_->WindowHandle() : nullptr; }

TComboExItem* TComboExItems::AddItem(const std::string& Caption, int ImageIndex) {
  auto item = std::make_unique<TComboExItem>(this);
  item->caption_ = Caption;
  item->imageIndex_ = ImageIndex;
  TComboExItem* raw = item.get();
  items_.push_back(std::move(item));
  if (const HWND window = Window()) {
    Write(window, CBEM_INSERTITEMA, Count() - 1, CBEIF_TEXT | CBEIF_IMAGE, Caption, ImageIndex);
  }
  return raw;
}

void TComboExItems::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  if (const HWND window = Window()) SendMessageA(window, CB_DELETESTRING, static_cast<WPARAM>(Index), 0);
  items_.erase(items_.begin() + Index);
}

void TComboExItems::Clear() {
  if (const HWND window = Window()) SendMessageA(window, CB_RESETCONTENT, 0, 0);
  items_.clear();
}

int TComboExItems::IndexOf(const TComboExItem* Item) const { return IndexOfItem(items_, Item); }

// ------------------------------------------------------------ the control

TCustomComboBoxEx::TCustomComboBoxEx(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TComboExItems>(this)) {
  FWidth = 145;
  FHeight = 22;
  SetTabStop(true);
}

TCustomComboBoxEx::~TCustomComboBoxEx() = default;

void TCustomComboBoxEx::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "ComboBoxEx32");
  Params.Style |= CBS_DROPDOWNLIST;
}

void TCustomComboBoxEx::CreateWnd() {
  TWinControl::CreateWnd();
  ShowImages();
  for (int i = 0; i < items_->Count(); ++i) {
    const TComboExItem* item = items_->Item(i);
    Write(WindowHandle(), CBEM_INSERTITEMA, i, CBEIF_TEXT | CBEIF_IMAGE, item->caption_, item->imageIndex_);
  }
  if (itemIndex_ >= 0) SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TCustomComboBoxEx::DestroyWnd() {
  if (!HasState(csDestroying)) {
    for (int i = 0; i < items_->Count(); ++i) items_->Item(i)->caption_ = ItemText(WindowHandle(), i);
    itemIndex_ = ItemIndex();
  }
  TWinControl::DestroyWnd();
}

int TCustomComboBoxEx::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBoxEx::SetItemIndex(int Index) {
  if (Index < -1 || Index >= items_->Count()) Index = -1;
  itemIndex_ = Index;
  if (HandleAllocated()) SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(static_cast<LPARAM>(Index)), 0);
}

void TCustomComboBoxEx::SetImages(TImageList* Value) {
  if (Value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
  ShowImages();
}

void TCustomComboBoxEx::ShowImages() {
  if (!HandleAllocated()) return;
  ComboBoxExSetImageList(WindowHandle(), images_ ? images_->Handles() : std::vector<HBITMAP>{},
                         images_ ? ColorToRGB(images_->MaskColor()) : CLR_INVALID);
}

void TCustomComboBoxEx::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) {
    images_ = nullptr;
    ShowImages();
  }
}

const TActionLinkClass& TCustomComboBoxEx::GetActionLinkClass() const { return TComboBoxExActionLinkClass; }

void TCustomComboBoxEx::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == CBN_SELCHANGE && OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(Message);
}

const TActionLinkClass TComboBoxExActionLinkClass{
    "TComboBoxExActionLink", &TWinControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TComboBoxExActionLink>(Client); }};

}  // namespace platform
