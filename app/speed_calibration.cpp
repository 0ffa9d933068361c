// The speed calibration table of the Speed page.

#include "app/main_form.h"

namespace app {

void TMainForm::InitCalibrationGrids() {}

void TMainForm::ShowStoredSpeedTable(bool) {}

bool TMainForm::ReadCalibrationTable(std::uint8_t) { return false; }

}  // namespace app
