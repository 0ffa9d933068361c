// The live values of the Depth, Speed, Temperature and GPS pages.

#include "app/main_form.h"

namespace app {

void TMainForm::BindDisplayEvents() {}

void TMainForm::RefreshDisplay() {}

}  // namespace app
