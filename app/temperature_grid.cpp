// The temperature calibration grid of the Temperature page.

#include "app/main_form.h"

namespace app {

void TMainForm::ClearStoredTempRow() {}

void TMainForm::ResetNewTempRow() {}

}  // namespace app
