// The main window: a fixed window with the pages above and the two input
// monitors below them, in the font the whole window uses.

#include "app/layout/main_window_layout.h"

#include "app/layout/layout_helpers.h"
#include "widetext/controls/page_control.h"

namespace app {
namespace {

widetext::TWtxTabSheet* Page(TMainForm& Form, std::string_view Name, std::u16string_view Caption) {
  auto* page = new widetext::TWtxTabSheet(&Form);
  page->SetName(std::string(Name));
  page->SetPageControl(Form.TabPag);
  page->SetCaption(Caption);
  return page;
}

void BuildMainWindow(platform::TCustomForm& Base) {
  auto& form = static_cast<TMainForm&>(Base);
  form.SetBorderStyle(platform::bsSingle);
  form.SetBorderIcons(platform::biSystemMenu | platform::biMinimize);
  form.Position = platform::poScreenCenter;
  form.SetClientSize(746, 525);
  form.Font().SetName("MS Sans Serif");
  form.Font().SetHeight(-13);

  form.TabPag = layout::Place<widetext::TWtxPageControl>(form, &form, "TabPag", 0, 0, 746, 369);
  form.PaConnect = Page(form, "PaConnect", u"Connection");
  form.PaDepth = Page(form, "PaDepth", u"Depth");
  form.PaSpeed = Page(form, "PaSpeed", u"Speed");
  form.PaTemp = Page(form, "PaTemp", u"Temperature");
  form.PaGPS = Page(form, "PaGPS", u"GPS");
  form.PaTools = Page(form, "PaTools", u"Tools");
  form.PaRef = Page(form, "PaRef", u"Reference");

  layout::BuildConnectionPage(form);
  layout::BuildDepthPage(form);
  layout::BuildSpeedPage(form);
  layout::BuildTemperaturePage(form);
  layout::BuildGpsPage(form);
  layout::BuildToolsPage(form);
  layout::BuildReferencePage(form);
  layout::BuildMonitors(form);
}

}  // namespace

void RegisterMainWindowLayout() {
  static const bool registered = (platform::RegisterFormLayout("TMainForm", BuildMainWindow), true);
  (void)registered;
}

}  // namespace app
