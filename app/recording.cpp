// Recording the channels to files: choosing each channel's file, starting
// and stopping its recording with a start marker, the buttons and lamps
// that show which channels record, and the markers that suspend and resume
// write into the recordings. The link itself batches and writes the data.

#include <string>

#include "app/control_helpers.h"
#include "app/dialog_form.h"
#include "app/main_form.h"
#include "platform/core/os/clock.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/stdctrls.h"
#include "support/date_time.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/dialogs/wide_open_dialog.h"

namespace app {
namespace {

// A marker line framed as the recordings frame them, stamped with the
// local date and time, day first.
std::string MarkerText(std::string_view What) {
  const platform::SystemTime now = platform::GetLocalTime();
  support::TDateTimeRec rec;
  rec.Day = static_cast<std::uint8_t>(now.Day);
  rec.Month = static_cast<std::uint8_t>(now.Month);
  rec.Year = static_cast<std::uint16_t>(now.Year);
  rec.Hour = static_cast<std::uint8_t>(now.Hour);
  rec.Minute = static_cast<std::uint8_t>(now.Minute);
  rec.Second = static_cast<std::uint8_t>(now.Second);
  return "\r\n\r\n*********      " + std::string(What) + " " +
         support::FormatDateTimeRec(rec, false, true, "  ", false) + "      *********\r\n\r\n";
}

// The controls, link and chosen file of one channel's recording.
struct LogChannel {
  nmea::TNMEA2KDecoder* Link;
  platform::TEdit* FileBox;
  std::u16string* File;
  TxpButton* Start;
  platform::TShape* Lamp;
};

LogChannel DstChannel(TMainForm& Form) {
  return {Form.DstLink.get(), Form.EditDstLog, &Form.DstLogFile, Form.ButStartDstLog, Form.LedLogDst};
}

LogChannel GpsChannel(TMainForm& Form) {
  return {Form.GpsLink.get(), Form.EditGPSLog, &Form.GpsLogFile, Form.ButStartGpsLog, Form.LedLogGPS};
}

std::u16string Trimmed(std::u16string Text) {
  const auto blank = [](char16_t C) { return C <= u' '; };
  while (!Text.empty() && blank(Text.back())) Text.pop_back();
  std::size_t first = 0;
  while (first < Text.size() && blank(Text[first])) ++first;
  return Text.substr(first);
}

// Asks for the channel's file with the shared save dialog; false when the
// user cancelled.
bool ChooseLogFile(TMainForm& Form, const LogChannel& Channel, const std::u16string& Title,
                   std::u16string_view DefaultName) {
  TWtxSaveDialog& dialog = *Form.SaveDlg;
  dialog.SetTitle(Title);
  dialog.SetFilter(Form.TxtLogFileType + u" (*.txt)|*.txt");
  dialog.SetDefaultExt(u"txt");
  dialog.SetFileName(DefaultName);
  dialog.FilterIndex = 1;
  if (!dialog.Execute()) return false;
  *Channel.File = dialog.GetFileName();
  widetext::WideSetWindowText(Channel.FileBox, *Channel.File);
  return true;
}

// After a file was chosen: the offer to record into it at once, made only
// while the channel is open. Yes ends a recording into the old file first.
bool WantsRecordingNow(TMainForm& Form, const LogChannel& Channel) {
  if (!Channel.Link || !Channel.Link->IsOpen() || !DialogForm) return false;
  if (!DialogForm->ShowDialog(Form.TxtAttention, Form.TxtAskRecord, 2, false)) return false;
  if (Channel.Link->IsLogging()) Channel.Link->StopLog();
  return true;
}

void Toggle(const LogChannel& Channel) {
  if (!Channel.Link) return;
  if (Channel.Link->IsLogging()) {
    Channel.Link->StopLog();
    return;
  }
  const std::u16string name = Trimmed(*Channel.File);
  if (name.empty()) return;
  Channel.Link->StartLog(ToUtf8(name), nmea::kLogText, true, MarkerText("START LOG"), 0.0);
}

// Start is offered while the channel is open and has a file.
void UpdateStartButton(const LogChannel& Channel, bool Enable) {
  const bool open = Channel.Link && Channel.Link->IsOpen();
  if (Channel.Start->Enabled() != open) Channel.Start->SetEnabled(open && !Channel.File->empty());
  if (!Enable && Channel.Link) Channel.Link->StopLog();
}

void ShowRecordingState(const TMainForm& Form, const LogChannel& Channel) {
  if (!Channel.Link) return;
  const bool recording = Channel.Link->IsLogging();
  Channel.Start->SetCaption(recording ? Form.TxtStop : Form.TxtStart);
  Channel.Lamp->Brush().SetColor(recording ? kLampOn : kLampOff);
}

}  // namespace

void TMainForm::BindRecordingEvents() {
  ButOpenDstLog->OnClick = [this](platform::TObject* Sender) { ButOpenDstLogClick(Sender); };
  ButOpenGPSLog->OnClick = [this](platform::TObject* Sender) { ButOpenGPSLogClick(Sender); };
  ButStartDstLog->OnClick = [this](platform::TObject* Sender) { ButStartDstLogClick(Sender); };
  ButStartGpsLog->OnClick = [this](platform::TObject* Sender) { ButStartGpsLogClick(Sender); };
  PaTools->OnShow = [this](platform::TObject* Sender) { PaToolsShow(Sender); };
  BindAnalysisTreeEvents();
  BindLanguageEvents();
}

void TMainForm::ButOpenDstLogClick(platform::TObject*) {
  const LogChannel channel = DstChannel(*this);
  if (!ChooseLogFile(*this, channel, TxtSaveDstTitle, u"DST_Log_New")) return;
  UpdateLogControls(true);
  if (WantsRecordingNow(*this, channel)) ToggleDstLog();
}

void TMainForm::ButOpenGPSLogClick(platform::TObject*) {
  const LogChannel channel = GpsChannel(*this);
  if (!ChooseLogFile(*this, channel, TxtSaveGpsTitle, u"GPS_Log_New")) return;
  UpdateLogControls(true);
  if (WantsRecordingNow(*this, channel)) ToggleGpsLog();
}

void TMainForm::ButStartDstLogClick(platform::TObject*) { ToggleDstLog(); }

void TMainForm::ButStartGpsLogClick(platform::TObject*) { ToggleGpsLog(); }

void TMainForm::ToggleDstLog() {
  if (!DstLink) return;
  Toggle(DstChannel(*this));
  UpdateLogButtons();
}

void TMainForm::ToggleGpsLog() {
  if (!GpsLink) return;
  Toggle(GpsChannel(*this));
  UpdateLogButtons();
}

void TMainForm::PaToolsShow(platform::TObject*) {
  UpdateLogControls(true);
  BuildAnalysisTree();
}

void TMainForm::UpdateLogControls(bool Enable) {
  UpdateStartButton(DstChannel(*this), Enable);
  UpdateStartButton(GpsChannel(*this), Enable);
  UpdateLogButtons();
}

void TMainForm::UpdateLogButtons() {
  ShowRecordingState(*this, DstChannel(*this));
  ShowRecordingState(*this, GpsChannel(*this));
}

void TMainForm::MarkPowerEvent(bool Suspended) {
  const std::string marker = MarkerText(Suspended ? "POWER SUSPENDED" : "POWER RESUMED");
  for (nmea::TNMEA2KDecoder* link : {DstLink.get(), GpsLink.get()}) {
    if (!link) continue;
    if (Suspended) {
      link->Suspend(marker);
    } else {
      link->Resume(marker);
    }
  }
  UpdateConnectionLeds();
  UpdateLogControls(true);
}

}  // namespace app
