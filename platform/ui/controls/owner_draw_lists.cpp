// The owner-drawn items of list and combo boxes: the window asks the parent
// to draw (WM_DRAWITEM) and measure (WM_MEASUREITEM) them; the parent hands
// that back to the control (CN_DRAWITEM, CN_MEASUREITEM), which draws the
// item on its canvas in the colours of its state, through DrawItem.

#include <algorithm>

#include "platform/core/window_system/owner_draw.h"
#include "platform/ui/controls/stdctrls.h"

namespace platform {
namespace {

// Lends the item's device context to the canvas, in the control's font and
// colours (the highlight for a selected item), while Draw draws the item
// (an index of -1: the empty place where none is, as a combo box's face
// without a selection); a focused item gets its focus frame afterwards.
template <class DrawFn>
void DrawOwnerItem(TWinControl& Control, TCanvas& Canvas, const TMessage& Message, DrawFn&& Draw) {
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  if (!dis) return;
  const TOwnerDrawState state = LOWORD(dis->itemState);
  const int index = static_cast<int>(dis->itemID);
  const TCanvasHandleScope lent(Canvas, dis->hDC);
  Canvas.Font().Assign(&Control.Font());
  Canvas.Brush().SetColor(Control.Color());
  Canvas.Brush().SetStyle(bsSolid);
  if (index >= 0 && (state & odSelected)) {
    Canvas.Brush().SetColor(clHighlight);
    Canvas.Font().SetColor(clHighlightText);
  }
  Draw(index, dis->rcItem, state);
  if (state & odFocused) Canvas.DrawFocusRect(dis->rcItem);
}

// The item height a variable style's item is given by MeasureFn, every
// other item the control's own.
template <class MeasureFn>
void MeasureOwnerItem(TMessage& Message, int ItemHeight, bool Variable, MeasureFn&& Measure) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (!mis) return;
  int height = ItemHeight;
  if (Variable) Measure(static_cast<int>(mis->itemID), height);
  mis->itemHeight = static_cast<UINT>(std::max(height, 1));
  Message.Result = 1;
}

}  // namespace

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == itemHeight_) return;
  itemHeight_ = Value;
  if (HandleAllocated() && style_ != lbStandard && style_ != lbOwnerDrawVariable) {
    SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, Value);
  }
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_->FillRect(Rect);
  if (Index >= 0 && Index < Items().Count()) canvas_->TextOut(Rect.left + 2, Rect.top, Items().Get(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  DrawOwnerItem(*this, *canvas_, Message, [this](int I, TRect R, TOwnerDrawState S) { DrawItem(I, R, S); });
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  MeasureOwnerItem(Message, itemHeight_, style_ == lbOwnerDrawVariable, [this](int I, int& H) { MeasureItem(I, H); });
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == itemHeight_) return;
  itemHeight_ = Value;
  if (HandleAllocated() && style_ == csOwnerDrawFixed) SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, Value);
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_->FillRect(Rect);
  if (Index >= 0) canvas_->TextOut(Rect.left + 2, Rect.top, Items().Get(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
  DrawOwnerItem(*this, *canvas_, Message, [this](int I, TRect R, TOwnerDrawState S) { DrawItem(I, R, S); });
  Message.Result = 1;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
  MeasureOwnerItem(Message, itemHeight_, style_ == csOwnerDrawVariable, [this](int I, int& H) { MeasureItem(I, H); });
}

}  // namespace platform
