#pragma once
// The life of the wide control core. It starts on first use: the window
// message "WtxUnicodeUI.DestroyWindow" is registered, the list of helpers
// (which owns them) and the list of traps are made, and the layer takes
// its references to the two window-property atoms. It finishes at the
// program's end: the application object goes, the atoms are let go, both
// lists are freed (the helpers with theirs), and from then on a trapped
// window passes nothing on: WM_DESTROY and the destroy message only clear
// its control's window handle. Using the layer again starts it again.

#include "platform/core/classes/component.h"

namespace widetext {

void StartWideLayer();
void FinishWideLayer();
bool WideLayerFinished();

// The started layer's lists.
platform::TComponentList& WideHelperList();
platform::TComponentList& WideTrapList();

}  // namespace widetext
