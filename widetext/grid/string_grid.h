#pragma once
// A string grid with UTF-16 cells: the program's speed calibration grid
// (edited in place) and temperature grid.

#include <string>
#include <string_view>

#include "widetext/grid/wide_grid.h"

namespace widetext {

class TWtxStringGrid : public TWtxGrid<platform::TStringGrid> {
 public:
  using TWtxGrid::TWtxGrid;

  std::u16string GetCells(int ACol, int ARow) const;
  // Writes nothing (no redraw, no change) when the cell holds Value.
  void SetCells(int ACol, int ARow, std::u16string_view Value);

 protected:
  std::u16string InitialEditText(int ACol, int ARow) override;
  // The wide cell text in the cell, then the class library's own cell
  // drawing without its 8-bit text (OnDrawCell runs).
  void DrawCell(int ACol, int ARow, platform::TRect ARect, platform::TGridDrawState AState) override;
};

}  // namespace widetext
