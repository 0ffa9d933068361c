#pragma once
// A string grid with UTF-16 cells: the program's speed calibration grid
// (edited in place) and temperature grid. A grid that gives its cells edit
// masks (OnGetEditMask) edits them in a masked editor of its own.

#include <string>
#include <string_view>

#include "widetext/grid/grid_mask_edit.h"
#include "widetext/grid/wide_grid.h"

namespace widetext {

class TWtxStringGrid : public TWtxGrid<platform::TStringGrid> {
 public:
  explicit TWtxStringGrid(platform::TComponent* AOwner);

  std::u16string GetCells(int ACol, int ARow) const;
  // Writes nothing (no redraw, no change) when the cell holds Value.
  void SetCells(int ACol, int ARow, std::u16string_view Value);

  // The masked cell editor; null at design time.
  TWtxGridMaskEdit* MaskEditor() const { return maskEdit_; }

  void WndProc(platform::TMessage& Message) override;

 protected:
  std::u16string InitialEditText(int ACol, int ARow) override;
  // The wide cell text in the cell, then the class library's own cell
  // drawing without its 8-bit text (OnDrawCell runs).
  void DrawCell(int ACol, int ARow, platform::TRect ARect, platform::TGridDrawState AState) override;
  // Where the class library would show its editor, the masked editor shows
  // instead while the cells have edit masks.
  bool CanEditShow() override;
  platform::TWinControl* CellEditor() override;

 private:
  friend class TWtxGridMaskEdit;
  TWtxGridMaskEdit* maskEdit_ = nullptr;
};

}  // namespace widetext
