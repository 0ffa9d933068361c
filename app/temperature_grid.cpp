// The temperature calibration grid of the Temperature page. The module
// takes a temperature offset only, so the grid stays hidden; it is kept in
// the chosen unit all the same, and the module's temperature table is read
// for the offset command alone, never shown.

#include "app/calibration_grid.h"
#include "app/calibration_table.h"
#include "app/live_values.h"
#include "app/main_form.h"
#include "widetext/grid/string_grid.h"

namespace app {

void TMainForm::InitTempGrid() {
  LayOutCalibrationGrid(*TempGrid);
  SetRowTitles(*TempGrid, TxtStored, TxtNew);
  for (int i = 0; i < kPointColumns; ++i) {
    const double celsius = kTempPoints[static_cast<std::size_t>(i)];
    TempGrid->SetCells(kFirstPointColumn + i, kPointsRow,
                       (UnitsTemp == 1 ? Fixed(CelsiusToFahrenheit(celsius), 0) : Fixed(celsius, 0)) + u"°");
  }
  ClearStoredTempRow();
}

void TMainForm::ClearStoredTempRow() { FillPointRow(*TempGrid, kStoredRow, TxtNoValue); }

void TMainForm::ResetNewTempRow() { FillPointRow(*TempGrid, kNewRow, Fixed(kNoCorrection, 2)); }

// Samples of the temperature table are not taken: the module takes an
// offset only.
void TMainForm::ButAddTempCalClick(platform::TObject*) {}

}  // namespace app
