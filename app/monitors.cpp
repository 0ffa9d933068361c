// The two input monitors below the pages: what each channel receives, as
// it comes, unless the channel's monitor is paused.

#include "app/control_helpers.h"
#include "app/main_form.h"
#include "platform/core/window_system/queue.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/memo.h"

namespace app {
namespace {

// A monitor that grows past this many lines starts again empty.
constexpr int kMonitorLines = 300;

void ShowReceived(TWtxMemo& memo, bool paused, const std::string& text) {
  if (!paused) InsertAtCaret(memo, text);
  if (LineCount(memo) > kMonitorLines) ClearMemo(memo);
}

}  // namespace

// On the link's reader thread: the text crosses to the user-interface
// thread in the order it came; a monitor gone by then gets nothing.
void TMainForm::DstLineReceived(platform::TObject*, std::string_view Text) {
  platform::RunOnUiThread([alive = std::weak_ptr<bool>(alive_), this, text = std::string(Text)] {
    if (alive.lock()) ShowReceived(*MemoDST, DstPaused, text);
  });
}

void TMainForm::GpsLineReceived(platform::TObject*, std::string_view Text) {
  platform::RunOnUiThread([alive = std::weak_ptr<bool>(alive_), this, text = std::string(Text)] {
    if (alive.lock()) ShowReceived(*MemoGPS, GpsPaused, text);
  });
}

void TMainForm::ButDSTPauseClick(platform::TObject*) {
  DstPaused = !DstPaused;
  UpdatePauseGlyphs();
  if (!DstPaused) ClearMemo(*MemoDST);
}

void TMainForm::ButGPPauseClick(platform::TObject*) {
  GpsPaused = !GpsPaused;
  UpdatePauseGlyphs();
  if (!GpsPaused) ClearMemo(*MemoGPS);
}

void TMainForm::UpdatePauseGlyphs() {
  ButGPPause->LoadPictureFromResource(GpsPaused ? "PAUSEON" : "PAUSEOFF");
  ButDSTPause->LoadPictureFromResource(DstPaused ? "PAUSEON" : "PAUSEOFF");
  ButGPPause->Repaint();
  ButDSTPause->Repaint();
}

void TMainForm::ClearMonitors() {
  ClearMemo(*MemoDST);
  ClearMemo(*MemoGPS);
}

}  // namespace app
