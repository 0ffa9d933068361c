// The two input monitors below the pages: what each channel receives,
// shown by every main timer tick, unless the channel's monitor is paused.

#include <algorithm>
#include <string>
#include <vector>

#include "app/control_helpers.h"
#include "app/main_form.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/memo.h"

namespace app {
namespace {

// A monitor that grows past this many lines starts again empty.
constexpr int kMonitorLines = 300;

int LineBreaks(std::string_view Text) { return static_cast<int>(std::count(Text.begin(), Text.end(), '\n')); }

// Shows the chunks as if each came alone: inserted at the caret unless the
// channel is paused, and the monitor emptied whenever it then holds more
// than its limit. Chunks that leave it within its limit go in together.
void ShowReceived(TWtxMemo& Memo, bool Paused, const std::vector<std::string>& Chunks) {
  if (Paused) {
    if (LineCount(Memo) > kMonitorLines) ClearMemo(Memo);
    return;
  }
  int lines = LineCount(Memo);
  std::string group;
  for (const std::string& chunk : Chunks) {
    group += chunk;
    lines += LineBreaks(chunk);
    if (lines <= kMonitorLines) continue;
    InsertAtCaret(Memo, group);
    group.clear();
    lines = LineCount(Memo);
    if (lines > kMonitorLines) {
      ClearMemo(Memo);
      lines = 0;
    }
  }
  if (group.empty()) return;
  InsertAtCaret(Memo, group);
  if (LineCount(Memo) > kMonitorLines) ClearMemo(Memo);
}

}  // namespace

// On the link's reader thread: the text waits, in the order it came, for
// the next tick to show it.
void TMainForm::DstLineReceived(platform::TObject*, std::string_view Text) { DstFeed.Add(Text); }

void TMainForm::GpsLineReceived(platform::TObject*, std::string_view Text) { GpsFeed.Add(Text); }

void TMainForm::ShowReceivedText() {
  ShowReceived(*MemoDST, DstPaused, DstFeed.Take());
  ShowReceived(*MemoGPS, GpsPaused, GpsFeed.Take());
}

// What came before the click is shown as the monitor was then.
void TMainForm::ButDSTPauseClick(platform::TObject*) {
  ShowReceived(*MemoDST, DstPaused, DstFeed.Take());
  DstPaused = !DstPaused;
  UpdatePauseGlyphs();
  if (!DstPaused) ClearMemo(*MemoDST);
}

void TMainForm::ButGPPauseClick(platform::TObject*) {
  ShowReceived(*MemoGPS, GpsPaused, GpsFeed.Take());
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
