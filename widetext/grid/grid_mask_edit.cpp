#include "widetext/grid/grid_mask_edit.h"

#include "support/flag_scope.h"
#include "widetext/grid/string_grid.h"

namespace widetext {

TWtxGridMaskEdit::TWtxGridMaskEdit(TWtxStringGrid* Grid) : TWtxMaskEdit(Grid), grid_(Grid) {
  FVisible = false;
  BorderStyle = platform::bsNoBorder;
  SetTabStop(false);
}

void TWtxGridMaskEdit::CreateParams(platform::TCreateParams& Params) {
  TWtxMaskEdit::CreateParams(Params);
  Params.Style |= platform::ES_MULTILINE;
}

bool TWtxGridMaskEdit::GridTabs() const { return (grid_->Options() & platform::goTabs) != 0; }

void TWtxGridMaskEdit::Show(int ACol, int ARow) {
  const platform::TRect cell = grid_->CellRect(ACol, ARow);
  SetBounds(cell.left, cell.top, cell.Width(), cell.Height());
  SetVisible(true);
  SetEnabled(true);
  SetColor(grid_->Brush().Color());
  Font().Assign(&grid_->Font());
  const platform::RECT format{2, 2, Width() - 2, Height() - 2};
  platform::SendMessageW(Handle(), platform::EM_SETRECTNP, 0, reinterpret_cast<platform::LPARAM>(&format));
  SetCaption(u"");
  // The limit first: a mask limits the text to its own length.
  SetMaxLength(grid_->GetEditLimit());
  SetEditMask(grid_->GetEditMask(ACol, ARow));
  SetText(grid_->GetWideEditText(ACol, ARow));
  SetFocus();
}

void TWtxGridMaskEdit::Commit(int ACol, int ARow) {
  if (committing_) return;
  const support::FlagScope committing(committing_);
  const std::u16string text = GetText();
  grid_->SetWideEditText(ACol, ARow, text);
  grid_->SetCells(ACol, ARow, text);
  // The edit is the cell's now; leaving the editor has nothing left to
  // check.
  if (HandleAllocated()) SetModified(false);
  SetEnabled(false);
  SetVisible(false);
}

void TWtxGridMaskEdit::BackToGrid() {
  grid_->SetEditorMode(false);
  Commit(grid_->Col(), grid_->Row());
  if (grid_->CanFocus()) grid_->SetFocus();
}

void TWtxGridMaskEdit::KeyDown(platform::WORD& Key, platform::TShiftState Shift) {
  const bool tab = Key == platform::VK_TAB && GridTabs();
  switch (Key) {
    case platform::VK_RETURN:
    case platform::VK_UP:
    case platform::VK_DOWN:
      BackToGrid();
      break;
    case platform::VK_ESCAPE:
      SetText(grid_->GetCells(grid_->Col(), grid_->Row()));
      BackToGrid();
      break;
    default:
      if (tab) BackToGrid();
      break;
  }
  // The grid moves its current cell by the key.
  if (Key == platform::VK_ESCAPE || Key == platform::VK_UP || Key == platform::VK_DOWN ||
      (tab && !(Shift & platform::ssAlt))) {
    grid_->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  if (Key == platform::VK_RETURN || tab) {
    Key = 0;
    return;
  }
  TWtxMaskEdit::KeyDown(Key, Shift);
}

void TWtxGridMaskEdit::KeyUp(platform::WORD& Key, platform::TShiftState Shift) { grid_->KeyUp(Key, Shift); }

void TWtxGridMaskEdit::KeyPress(char& Key) {
  if (Key == '\r') {
    Key = 0;
    return;
  }
  TWtxMaskEdit::KeyPress(Key);
}

void TWtxGridMaskEdit::WndProc(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::WM_GETDLGCODE:
      Message.Result = platform::DLGC_WANTARROWS | platform::DLGC_WANTCHARS | platform::DLGC_WANTALLKEYS |
                       (GridTabs() ? platform::DLGC_WANTTAB : 0);
      return;
    case platform::CM_WANTSPECIALKEY:
      if (Message.WParam == platform::VK_RETURN || (Message.WParam == platform::VK_TAB && GridTabs())) {
        Message.Result = 1;
        return;
      }
      break;
    case platform::WM_CHAR:
      if (Message.WParam == u'\t' || Message.WParam == u'\r') return;
      break;
    case platform::WM_KILLFOCUS:
      TWtxMaskEdit::WndProc(Message);
      if (Visible()) {
        grid_->SetEditorMode(false);
        Commit(grid_->Col(), grid_->Row());
      }
      return;
    default:
      break;
  }
  TWtxMaskEdit::WndProc(Message);
}

}  // namespace widetext
