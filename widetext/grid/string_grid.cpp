#include "widetext/grid/string_grid.h"

#include "widetext/controls/wide_canvas.h"

namespace widetext {

TWtxStringGrid::TWtxStringGrid(platform::TComponent* AOwner) : TWtxGrid(AOwner) {
  if (HasState(platform::csDesigning)) return;
  maskEdit_ = new TWtxGridMaskEdit(this);
  maskEdit_->SetParent(this);
}

std::u16string TWtxStringGrid::GetCells(int ACol, int ARow) const { return DecodeCell(Cells(ACol, ARow)); }

void TWtxStringGrid::SetCells(int ACol, int ARow, std::u16string_view Value) {
  const std::string cell = EncodeCell(Value);
  if (cell != Cells(ACol, ARow)) platform::TStringGrid::SetCells(ACol, ARow, cell);
}

std::u16string TWtxStringGrid::InitialEditText(int ACol, int ARow) { return GetCells(ACol, ARow); }

void TWtxStringGrid::DrawCell(int ACol, int ARow, platform::TRect ARect, platform::TGridDrawState AState) {
  if (!DefaultDrawing) {
    TWtxGrid::DrawCell(ACol, ARow, ARect, AState);
    return;
  }
  WideCanvasTextRect(Canvas(), ARect, ARect.left + 2, ARect.top + 2, GetCells(ACol, ARow));
  DefaultDrawing = false;
  try {
    TWtxGrid::DrawCell(ACol, ARow, ARect, AState);
  } catch (...) {
    DefaultDrawing = true;
    throw;
  }
  DefaultDrawing = true;
}

bool TWtxStringGrid::CanEditShow() {
  const bool wouldShow = TWtxGrid::CanEditShow();
  if (!wouldShow || !maskEdit_ || !OnGetEditMask || HasState(platform::csLoading) || HasState(platform::csDesigning)) {
    return wouldShow;
  }
  maskEdit_->Show(Col(), Row());
  return false;
}

platform::TWinControl* TWtxStringGrid::CellEditor() { return maskEdit_ && maskEdit_->Visible() ? maskEdit_ : nullptr; }

void TWtxStringGrid::WndProc(platform::TMessage& Message) {
  if (Message.Msg == platform::WM_LBUTTONDOWN && OnGetEditMask && maskEdit_) {
    maskEdit_->ClickTime = platform::GetMessageTime();
  }
  TWtxGrid::WndProc(Message);
}

}  // namespace widetext
