#include "app/calibration_grid.h"

#include "widetext/grid/string_grid.h"

namespace app {

void LayOutCalibrationGrid(TWtxStringGrid& Grid) {
  const int columns = Grid.ColCount();
  if (columns <= 0) return;
  const int width = Grid.ClientWidth() / columns;
  for (int col = 0; col < columns - 1; ++col) Grid.SetColWidths(col, width);
  Grid.SetColWidths(columns - 1, Grid.ClientWidth() - (width + Grid.GridLineWidth()) * (columns - 1));
  const int rows = Grid.RowCount();
  for (int row = 0; row < rows; ++row) Grid.SetRowHeights(row, Grid.ClientHeight() / rows);
}

void SetRowTitles(TWtxStringGrid& Grid, const std::u16string& Stored, const std::u16string& New) {
  Grid.SetCells(0, kPointsRow, u" ");
  Grid.SetCells(0, kStoredRow, Stored);
  Grid.SetCells(0, kNewRow, New);
}

void FillPointRow(TWtxStringGrid& Grid, int Row, const std::u16string& Text) {
  for (int i = 0; i < kPointColumns; ++i) Grid.SetCells(kFirstPointColumn + i, Row, Text);
}

}  // namespace app
