#include "tests/widetext/right_to_left_helpers.h"

#include "widetext/controls/wide_canvas.h"

namespace widetext::testing {
namespace {

class TRightToLeftLines : public platform::TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    platform::TCanvas& c = Canvas();
    c.Brush().SetColor(platform::clWindow);
    c.FillRect(ClientRect());
    c.Brush().SetStyle(platform::bsClear);
    platform::SetLayout(c.Handle(), platform::LAYOUT_RTL);
    c.TextFlags = platform::ETO_RTLREADING;
    WideCanvasTextOut(c, 12, 10, u"עומק המים: 12.5 מ׳");
    WideCanvasTextRect(c, ClientRect(), 12, 34, u"سرعة القارب 6.2 عقدة");
    platform::SetLayout(c.Handle(), 0);
    c.TextFlags = 0;
    WideCanvasTextOut(c, 12, 58, u"Głębokość 12,5 m – prędkość 6,2 kn");
  }
};

}  // namespace

TWtxPageControl* NewRightToLeftPages(platform::TWinControl* Parent, const platform::TRect& Bounds) {
  auto* pages = new TWtxPageControl(Parent);
  pages->SetParent(Parent);
  pages->SetBounds(Bounds.left, Bounds.top, Bounds.Width(), Bounds.Height());
  for (const std::u16string& caption : {kHebrew, kArabic, std::u16string(u"Ωμέγα")}) {
    auto* sheet = new TWtxTabSheet(Parent);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
  }
  return pages;
}

platform::TCustomControl* NewRightToLeftLines(platform::TComponent* Owner, platform::TWinControl* Parent,
                                              const platform::TRect& Bounds) {
  auto* lines = new TRightToLeftLines(Owner);
  lines->SetParent(Parent);
  lines->SetBounds(Bounds.left, Bounds.top, Bounds.Width(), Bounds.Height());
  return lines;
}

}  // namespace widetext::testing
