#pragma once
// The two calibration grids share their shape: a title column and one
// column per calibration point, a header row of the points, the Stored
// row (the module's table) and the New row (the table to send).

#include <string>

#include "app/main_form.h"

namespace app {

inline constexpr int kPointsRow = 0;
inline constexpr int kStoredRow = 1;
inline constexpr int kNewRow = 2;
// The columns of the ten points follow the title column.
inline constexpr int kFirstPointColumn = 1;
inline constexpr int kPointColumns = 10;

// Columns of equal width, the last one taking what is left of the client
// width; three rows sharing the client height.
void LayOutCalibrationGrid(TWtxStringGrid& Grid);
// The titles of the three rows.
void SetRowTitles(TWtxStringGrid& Grid, const std::u16string& Stored, const std::u16string& New);
// The same text in every point column of Row.
void FillPointRow(TWtxStringGrid& Grid, int Row, const std::u16string& Text);

}  // namespace app
