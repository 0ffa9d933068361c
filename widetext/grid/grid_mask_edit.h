#pragma once
// The editor a wide string grid edits a cell with when the grid gives its
// cells edit masks (OnGetEditMask): a masked edit over the current cell in
// place of the class library's editor. Enter, Up and Down (Tab when the
// grid moves with it) hand the text to the cell and the focus to the grid,
// which then moves its current cell by the key; Escape hands the cell its
// old text back; losing the focus hands the text over too.

#include "platform/core/window_system/wintypes.h"
#include "widetext/masked_edit/mask_edit.h"

namespace widetext {

class TWtxStringGrid;

class TWtxGridMaskEdit : public TWtxMaskEdit {
 public:
  explicit TWtxGridMaskEdit(TWtxStringGrid* Grid);

  // Over the cell exactly, in the grid's colour and font, with the cell's
  // mask, text and the grid's length limit, and with the focus.
  void Show(int ACol, int ARow);
  // The text goes to the cell through the grid's wide edit text; the
  // editor is disabled and hidden.
  void Commit(int ACol, int ARow);

  // The message time of the last left click in the grid.
  platform::DWORD ClickTime = 0;

  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateParams(platform::TCreateParams& Params) override;
  void KeyDown(platform::WORD& Key, platform::TShiftState Shift) override;
  void KeyUp(platform::WORD& Key, platform::TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  bool GridTabs() const;
  // Commits at the grid's current cell and gives the grid the focus.
  void BackToGrid();

  TWtxStringGrid* grid_;
  // Hiding the editor takes its focus, which would commit once more.
  bool committing_ = false;
};

}  // namespace widetext
