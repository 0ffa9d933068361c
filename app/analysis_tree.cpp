// The input analysis tree of the Tools page.

#include "app/main_form.h"

namespace app {

void TMainForm::BuildAnalysisTree() {}

}  // namespace app
