// Below the pages: each channel's input monitor with its caption and its
// pause button, the DST channel on the left and the GPS channel on the
// right.

#include "app/layout/layout_helpers.h"
#include "widetext/standard/memo.h"

namespace app::layout {
namespace {

constexpr int kTop = 373;
constexpr int kMemoTop = kTop + 18;
constexpr int kMemoWidth = 334;
constexpr int kMemoHeight = 128;

TWtxMemo* Monitor(TMainForm& Form, std::string_view Name, int Left) {
  auto* memo = Place<TWtxMemo>(Form, &Form, Name, Left, kMemoTop, kMemoWidth, kMemoHeight);
  memo->SetScrollBars(platform::ssBoth);
  memo->SetWordWrap(false);
  memo->SetColor(kSkyBlue);
  memo->SetParentFont(false);
  memo->Font().SetName("Arial");
  memo->Font().SetHeight(-10);
  return memo;
}

}  // namespace

void BuildMonitors(TMainForm& Form) {
  Form.LblDSTInput = Caption(Form, &Form, "LblDSTInput", 8, kTop, u"Zeruziviz DST Input Monitor");
  Form.MemoDST = Monitor(Form, "MemoDST", 8);
  Form.ButDSTPause = Place<TxpButton>(Form, &Form, "ButDSTPause", 8 + kMemoWidth + 4, kMemoTop, 28, 28);
  Form.LblGPSInput = Caption(Form, &Form, "LblGPSInput", 378, kTop, u"External GPS Input Monitor");
  Form.MemoGPS = Monitor(Form, "MemoGPS", 378);
  Form.ButGPPause = Place<TxpButton>(Form, &Form, "ButGPPause", 378 + kMemoWidth + 4, kMemoTop, 28, 28);
}

}  // namespace app::layout
