#include "platform/ui/controls/grids.h"

#include <algorithm>

#include "platform/ui/controls/forms.h"

namespace platform {

// ----------------------------------------------------------- inplace edit

TInplaceEdit::TInplaceEdit(TCustomGrid* Grid) : TCustomEdit(Grid), grid_(Grid) {
  FVisible = false;
  SetTabStop(false);
  BorderStyle = bsNoBorder;
  SetParentFont(true);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL;
}

void TInplaceEdit::UpdateContents() {
  editMask_ = CellEditMask();
  SetMaxLength(CellEditLimit());
  SetText(CellEditText());
}

std::string TInplaceEdit::CellEditMask() const { return grid_->GetEditMask(grid_->Col(), grid_->Row()); }
std::string TInplaceEdit::CellEditText() const { return grid_->GetEditText(grid_->Col(), grid_->Row()); }
int TInplaceEdit::CellEditLimit() const { return grid_->GetEditLimit(); }

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      // Moving to another row commits the edit there.
      grid_->KeyDown(Key, Shift);
      Key = 0;
      return;
    default:
      TCustomEdit::KeyDown(Key, Shift);
  }
}

void TInplaceEdit::KeyPress(char& Key) {
  if (Key == '\r') {
    grid_->HideEditor(true);
    Key = 0;
    return;
  }
  if (Key == 27) {
    grid_->HideEditor(false);
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
      return;
    case WM_KILLFOCUS: {
      TCustomEdit::WndProc(Message);
      const HWND to = reinterpret_cast<HWND>(Message.WParam);
      if (grid_->EditorMode() && to != WindowHandle()) grid_->HideEditor(true);
      return;
    }
    default:
      TCustomEdit::WndProc(Message);
  }
}

// -------------------------------------------------------------------- grid

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 320;
  FHeight = 120;
  SetTabStop(true);
  SetColor(clWindow);
  ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque;
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::Resized() {
  colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
  rowHeights_.resize(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
  col_ = std::clamp(col_, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  row_ = std::clamp(row_, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  if (editorMode_) HideEditor(false);
  Invalidate();
}

void TCustomGrid::SetColCount(int Value) {
  if (Value < 1 || Value == colCount_) return;
  colCount_ = Value;
  fixedCols_ = std::min(fixedCols_, Value - 1);
  Resized();
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value < 1 || Value == rowCount_) return;
  rowCount_ = Value;
  fixedRows_ = std::min(fixedRows_, Value - 1);
  Resized();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0 || Value >= colCount_) throw EInvalidOperation("Fixed column count must be less than column count");
  fixedCols_ = Value;
  Resized();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0 || Value >= rowCount_) throw EInvalidOperation("Fixed row count must be less than row count");
  fixedRows_ = Value;
  Resized();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  defaultColWidth_ = Value;
  colWidths_.assign(static_cast<std::size_t>(colCount_), Value);
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  defaultRowHeight_ = Value;
  rowHeights_.assign(static_cast<std::size_t>(rowCount_), Value);
  Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
  return Index >= 0 && Index < static_cast<int>(colWidths_.size()) ? colWidths_[static_cast<std::size_t>(Index)]
                                                                   : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= colCount_) throw EListError("Grid index out of range");
  colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
  colWidths_[static_cast<std::size_t>(Index)] = Value;
  Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
  return Index >= 0 && Index < static_cast<int>(rowHeights_.size()) ? rowHeights_[static_cast<std::size_t>(Index)]
                                                                    : defaultRowHeight_;
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= rowCount_) throw EListError("Grid index out of range");
  rowHeights_.resize(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
  rowHeights_[static_cast<std::size_t>(Index)] = Value;
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  gridLineWidth_ = std::max(Value, 0);
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  options_ = Value;
  if (!(Value & goEditing) && editorMode_) HideEditor(false);
  Invalidate();
}

void TCustomGrid::SetCol(int Value) { MoveCurrent(Value, row_); }

void TCustomGrid::SetRow(int Value) { MoveCurrent(col_, Value); }

void TCustomGrid::SetTopRow(int Value) {
  Value = std::clamp(Value, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  if (Value == topRow_) return;
  topRow_ = Value;
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SetLeftCol(int Value) {
  Value = std::clamp(Value, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  if (Value == leftCol_) return;
  leftCol_ = Value;
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) {
    ShowEditor();
  } else {
    HideEditor(true);
  }
}

// Scrolled cells start after the fixed ones; each cell is followed by a
// grid line.
int TCustomGrid::ColLeft(int ACol) const {
  int x = 0;
  for (int c = 0; c < std::min(ACol, fixedCols_); ++c) x += ColWidths(c) + gridLineWidth_;
  if (ACol < fixedCols_) return x;
  if (ACol < leftCol_) return -1;
  for (int c = leftCol_; c < ACol; ++c) x += ColWidths(c) + gridLineWidth_;
  return x;
}

int TCustomGrid::RowTop(int ARow) const {
  int y = 0;
  for (int r = 0; r < std::min(ARow, fixedRows_); ++r) y += RowHeights(r) + gridLineWidth_;
  if (ARow < fixedRows_) return y;
  if (ARow < topRow_) return -1;
  for (int r = topRow_; r < ARow; ++r) y += RowHeights(r) + gridLineWidth_;
  return y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  if (ACol < 0 || ACol >= colCount_ || ARow < 0 || ARow >= rowCount_) return {};
  const int x = ColLeft(ACol), y = RowTop(ARow);
  if (x < 0 || y < 0) return {};
  return Bounds(x, y, ColWidths(ACol), RowHeights(ARow));
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  ACol = ARow = -1;
  for (int c = 0; c < colCount_; ++c) {
    const int x = ColLeft(c);
    if (x >= 0 && X >= x && X < x + ColWidths(c) + gridLineWidth_) {
      ACol = c;
      break;
    }
  }
  for (int rr = 0; rr < rowCount_; ++rr) {
    const int y = RowTop(rr);
    if (y >= 0 && Y >= y && Y < y + RowHeights(rr) + gridLineWidth_) {
      ARow = rr;
      break;
    }
  }
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  const TRect r = CellRect(ACol, ARow);
  if (r.Width() > 0 && HandleAllocated()) InvalidateRect(WindowHandle(), &r, false);
}

std::string TCustomGrid::GetEditText(int, int) { return {}; }

void TCustomGrid::SetEditText(int, int, const std::string&) {}

std::string TCustomGrid::GetEditMask(int, int) { return {}; }

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
  return (options_ & goEditing) && !(options_ & goRowSelect) && HandleAllocated() && col_ >= fixedCols_ &&
         row_ >= fixedRows_;
}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool Clicks) {
  ACol = std::clamp(ACol, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  ARow = std::clamp(ARow, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  if (ACol == col_ && ARow == row_) return;
  if (!SelectCell(ACol, ARow)) return;
  if (editorMode_) HideEditor(true);
  InvalidateCell(col_, row_);
  col_ = ACol;
  row_ = ARow;
  InvalidateCell(col_, row_);
  if (Clicks) Click();
  if (options_ & goAlwaysShowEditor) ShowEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (!editor_) {
    editor_ = CreateEditor();
    editor_->SetParent(this);
  }
  const TRect r = CellRect(col_, row_);
  if (r.Width() <= 0) return;
  editor_->UpdateContents();
  editor_->SetBounds(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2);
  editorMode_ = true;
  editor_->Show();
  editor_->SetFocus();
  editor_->SelectAll();
}

void TCustomGrid::ShowEditorChar(char Ch) {
  ShowEditor();
  if (!editorMode_ || !editor_) return;
  editor_->SetText("");
  PostMessageA(editor_->Handle(), WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

void TCustomGrid::HideEditor(bool Accept) {
  if (!editorMode_ || !editor_) return;
  editorMode_ = false;
  if (Accept) SetEditText(col_, row_, editor_->Text());
  const bool hadFocus = editor_->Focused();
  editor_->Hide();
  if (hadFocus && CanFocus()) SetFocus();
  InvalidateCell(col_, row_);
}

void TCustomGrid::Paint() {
  TCanvas& c = Canvas();
  const TRect client = ClientRect();
  c.Brush().SetColor(Color());
  c.FillRect(client);
  const bool focused = Focused() || (editor_ && editor_->Focused());
  for (int r = 0; r < rowCount_; ++r) {
    for (int col = 0; col < colCount_; ++col) {
      const TRect cell = CellRect(col, r);
      if (cell.Width() <= 0 || cell.left >= client.right || cell.top >= client.bottom) continue;
      const bool fixed = col < fixedCols_ || r < fixedRows_;
      TGridDrawState state = fixed ? static_cast<unsigned>(gdFixed) : 0u;
      const bool current = col == col_ && r == row_;
      if (!fixed && (current || ((options_ & goRowSelect) && r == row_))) {
        state |= gdSelected;
        if (current && focused) state |= gdFocused;
      }
      const bool highlight = (state & gdSelected) && !(state & gdFocused && !(options_ & goDrawFocusSelected)) &&
                             !(editorMode_ && current);
      c.Brush().SetColor(fixed ? FixedColor : highlight ? clHighlight : Color());
      c.Font().Assign(&Font());
      if (highlight) c.Font().SetColor(clHighlightText);
      c.FillRect(cell);
      if (DefaultDrawing && fixed) {
        // Fixed cells stand out.
        c.Pen().SetColor(clBtnHighlight);
        c.MoveTo(cell.left, cell.bottom - 1);
        c.LineTo(cell.left, cell.top);
        c.LineTo(cell.right, cell.top);
      }
      HDC dc = c.Handle();
      SetClipRect(dc, cell);
      DrawCell(col, r, cell, state);
      SetClipRect(dc, RECT{});
      if ((state & gdFocused) && !editorMode_) c.DrawFocusRect(cell);
    }
  }
  if (gridLineWidth_ <= 0) return;
  // Lines in the gaps after each cell.
  c.Brush().SetColor(clSilver);
  for (int col = 0; col < colCount_; ++col) {
    const int x = ColLeft(col);
    if (x < 0) continue;
    const bool fixed = col < fixedCols_;
    if (!(options_ & (fixed ? goFixedVertLine : goVertLine))) continue;
    c.Brush().SetColor(fixed ? clBtnShadow : clSilver);
    const int lx = x + ColWidths(col);
    c.FillRect(Rect(lx, 0, lx + gridLineWidth_, RowTop(rowCount_ - 1) + RowHeights(rowCount_ - 1) + gridLineWidth_));
  }
  for (int r = 0; r < rowCount_; ++r) {
    const int y = RowTop(r);
    if (y < 0) continue;
    const bool fixed = r < fixedRows_;
    if (!(options_ & (fixed ? goFixedHorzLine : goHorzLine))) continue;
    c.Brush().SetColor(fixed ? clBtnShadow : clSilver);
    const int ly = y + RowHeights(r);
    c.FillRect(Rect(0, ly, ColLeft(colCount_ - 1) + ColWidths(colCount_ - 1) + gridLineWidth_, ly + gridLineWidth_));
  }
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT:
      MoveCurrent(col_ - 1, row_);
      break;
    case VK_RIGHT:
      MoveCurrent(col_ + 1, row_);
      break;
    case VK_UP:
      MoveCurrent(col_, row_ - 1);
      break;
    case VK_DOWN:
      MoveCurrent(col_, row_ + 1);
      break;
    case VK_PRIOR:
      MoveCurrent(col_, fixedRows_);
      break;
    case VK_NEXT:
      MoveCurrent(col_, rowCount_ - 1);
      break;
    case VK_HOME:
      MoveCurrent(fixedCols_, row_);
      break;
    case VK_END:
      MoveCurrent(colCount_ - 1, row_);
      break;
    case VK_TAB:
      if (!(options_ & goTabs)) return;
      if (Shift & ssShift) {
        MoveCurrent(col_ - 1, row_);
      } else {
        MoveCurrent(col_ + 1, row_);
      }
      break;
    case VK_F2:
      ShowEditor();
      break;
    default:
      return;
  }
  Key = 0;
}

void TCustomGrid::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (!(options_ & goEditing) || Key == 0) return;
  if (Key == '\r') {
    if (editorMode_) {
      HideEditor(true);
    } else {
      ShowEditor();
    }
    Key = 0;
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  if (!editorMode_) {
    ShowEditorChar(Key);
  } else if (editor_) {
    // Typed ahead before the editor had the focus: it goes after the
    // characters already handed to the editor.
    PostMessageA(editor_->Handle(), WM_CHAR, static_cast<unsigned char>(Key), 0);
  }
  Key = 0;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused() && !(editor_ && editor_->Focused())) SetFocus();
  if (Button == mbLeft) {
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c >= fixedCols_ && r >= fixedRows_) {
      const bool same = c == col_ && r == row_;
      // The release clicks, wherever the press landed.
      MoveCurrent(c, r, false);
      if (same && (options_ & goEditing) && !editorMode_) ShowEditor();
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | ((options_ & goTabs) ? DLGC_WANTTAB : 0);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      InvalidateCell(col_, row_);
      return;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

std::string TDrawGrid::GetEditText(int ACol, int ARow) {
  std::string value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

std::string TDrawGrid::GetEditMask(int ACol, int ARow) {
  std::string value;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  auto it = cells_.find({ACol, ARow});
  return it == cells_.end() ? std::string() : it->second;
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (Value.empty()) {
    cells_.erase({ACol, ARow});
  } else {
    cells_[{ACol, ARow}] = Value;
  }
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  auto it = objects_.find({ACol, ARow});
  return it == objects_.end() ? nullptr : it->second;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) { objects_[{ACol, ARow}] = Value; }

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (DefaultDrawing) Canvas().TextRect(ARect, ARect.left + 2, ARect.top + 2, Cells(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string value = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

}  // namespace platform
