#include "platform/ui/controls/stdctrls.h"

#include <algorithm>

#include "platform/core/window_system/owner_draw.h"
#include "platform/ui/controls/stdctrls_internal.h"

namespace platform {

using detail::IndexError;
using detail::RestoreItems;
using detail::SaveItems;
using detail::Send;
using detail::Str;

namespace {

// The items of a list box's window; a virtual list has none of its own.
class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TCustomListBox& List) : list_(List) {}
  int GetCount() const override { return static_cast<int>(Send(list_, LB_GETCOUNT)); }
  std::string Get(int Index) const override {
    // A virtual list's window answers in its own form, which may not be
    // this list's; the data event itself is asked.
    if (list_.Style() == lbVirtual || list_.Style() == lbVirtualOwnerDraw) {
      if (Index < 0 || Index >= GetCount()) IndexError(Index);
      return list_.DoGetData(Index);
    }
    const LRESULT len = Send(list_, LB_GETTEXTLEN, static_cast<WPARAM>(Index));
    if (len == LB_ERR) IndexError(Index);
    std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
    const LRESULT got = Send(list_, LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len)));
    return buffer;
  }
  TObject* GetObject(int Index) const override {
    const LRESULT data = Send(list_, LB_GETITEMDATA, static_cast<WPARAM>(Index));
    if (data == LB_ERR) IndexError(Index);
    return reinterpret_cast<TObject*>(data);
  }
  void PutObject(int Index, TObject* AObject) override {
    Send(list_, LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
  }
  int Add(const std::string& S) override {
    const LRESULT r = Send(list_, LB_ADDSTRING, 0, Str(S));
    if (r < 0) throw EOutOfResources("Cannot add the item");
    return static_cast<int>(r);
  }
  void Insert(int Index, const std::string& S) override {
    if (Send(list_, LB_INSERTSTRING, static_cast<WPARAM>(Index), Str(S)) < 0) {
      throw EOutOfResources("Cannot insert the item");
    }
  }
  void Delete(int Index) override { Send(list_, LB_DELETESTRING, static_cast<WPARAM>(Index)); }
  void Clear() override { Send(list_, LB_RESETCONTENT); }
  int IndexOf(const std::string& S) const override {
    return static_cast<int>(Send(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Str(S)));
  }

 private:
  TCustomListBox& list_;
};

}  // namespace

// ---------------------------------------------------------------- list box

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TListBoxStrings>(*this)) {
  FWidth = 121;
  FHeight = 97;
  // The window clicks the list when the user selects (LBN_SELCHANGE, and
  // LBN_DBLCLK for a double click), not each time the mouse goes up.
  ControlStyle &= ~static_cast<unsigned>(csClickEvents);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= WS_VSCROLL | LBS_NOTIFY;
  // Virtual lists have no items to show: their control draws them.
  static const DWORD kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_OWNERDRAWFIXED | LBS_NODATA,
                                  LBS_OWNERDRAWFIXED | LBS_NODATA};
  Params.Style |= kStyles[style_];
  if (style_ != lbVirtual && style_ != lbVirtualOwnerDraw) Params.Style |= LBS_HASSTRINGS;
  if (sorted_) Params.Style |= LBS_SORT;
  if (multiSelect_) Params.Style |= LBS_EXTENDEDSEL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (style_ != lbStandard && style_ != lbOwnerDrawVariable) Send(*this, LB_SETITEMHEIGHT, 0, itemHeight_);
  if (style_ == lbVirtual || style_ == lbVirtualOwnerDraw) {
    Send(*this, LB_SETCOUNT, static_cast<WPARAM>(virtualCount_));
  } else {
    RestoreItems(*items_, savedItems_);
  }
  if (savedIndex_ >= 0 && savedIndex_ < Count()) SetItemIndex(savedIndex_);
  savedIndex_ = -1;
}

void TCustomListBox::DestroyWnd() {
  if (!HasState(csDestroying)) {
    if (style_ != lbVirtual && style_ != lbVirtualOwnerDraw) SaveItems(*items_, savedItems_);
    savedIndex_ = ItemIndex();
  }
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() { return static_cast<int>(Send(*this, LB_GETCURSEL)); }

void TCustomListBox::SetItemIndex(int Value) {
  if (ItemIndex() != Value) Send(*this, LB_SETCURSEL, static_cast<WPARAM>(Value));
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (Value == multiSelect_) return;
  multiSelect_ = Value;
  RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
  const LRESULT r = Send(*this, LB_GETSEL, static_cast<WPARAM>(Index));
  if (r == LB_ERR) IndexError(Index);
  return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (multiSelect_) {
    Send(*this, LB_SETSEL, Value ? 1 : 0, Index);
  } else if (Value) {
    SetItemIndex(Index);
  } else if (ItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::SelCount() { return static_cast<int>(Send(*this, LB_GETSELCOUNT)); }

int TCustomListBox::TopIndex() { return static_cast<int>(Send(*this, LB_GETTOPINDEX)); }

void TCustomListBox::SetTopIndex(int Value) { Send(*this, LB_SETTOPINDEX, static_cast<WPARAM>(Value)); }

void TCustomListBox::SetSorted(bool Value) {
  if (Value == sorted_) return;
  sorted_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  RecreateWnd();
}

int TCustomListBox::Count() { return items_->Count(); }

void TCustomListBox::SetCount(int Value) {
  if (style_ != lbVirtual && style_ != lbVirtualOwnerDraw) {
    throw EInvalidOperation("Setting the count is allowed only on virtual list boxes");
  }
  virtualCount_ = Value;
  if (HandleAllocated()) Send(*this, LB_SETCOUNT, static_cast<WPARAM>(Value));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  const LRESULT r = Send(*this, LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(Pos.X), static_cast<WORD>(Pos.Y)));
  const int index = LOWORD(static_cast<std::uintptr_t>(r));
  const bool outside = HIWORD(static_cast<std::uintptr_t>(r)) != 0;
  if (!outside) return index;
  return Existing ? -1 : index + 1;
}

std::string TCustomListBox::DoGetData(int Index) {
  std::string data;
  if (OnData) OnData(this, Index, data);
  return data;
}

void TCustomListBox::WndProc(TMessage& Message) {
  const bool isVirtual = style_ == lbVirtual || style_ == lbVirtualOwnerDraw;
  switch (Message.Msg) {
    case CN_DRAWITEM:
      CNDrawItem(Message);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(Message);
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) Click();
      if (HIWORD(Message.WParam) == LBN_DBLCLK) DblClick();
      return;
    case LB_GETTEXT:
      if (isVirtual) {
        const int index = static_cast<int>(Message.WParam);
        std::string s = DoGetData(index);
        if (index == measuredIndex_ && s.size() > measuredLength_) s.resize(measuredLength_);
        auto* out = reinterpret_cast<char*>(Message.LParam);
        if (out) {
          std::copy(s.begin(), s.end(), out);
          out[s.size()] = '\0';
        }
        Message.Result = static_cast<LRESULT>(s.size());
        return;
      }
      break;
    case LB_GETTEXTLEN:
      if (isVirtual) {
        measuredIndex_ = static_cast<int>(Message.WParam);
        measuredLength_ = DoGetData(measuredIndex_).size();
        Message.Result = static_cast<LRESULT>(measuredLength_);
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

}  // namespace platform
