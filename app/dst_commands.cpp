// The sentences the program sends to the DST module, each with its number
// formats, limits, repetitions and pauses, and the buttons that ask for
// them. The link adds the checksum and the line end; when each command may
// go out is the exchange's business (command_exchange.cpp).

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "app/calibration_grid.h"
#include "app/calibration_table.h"
#include "app/control_helpers.h"
#include "app/dialog_form.h"
#include "app/main_form.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/dialogs.h"
#include "support/conversions.h"
#include "support/formatting.h"
#include "support/message_pump.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"

namespace app {
namespace {

// Firmware from which temperature offsets carry an empty field before the
// value, and trip presets are sent unscaled.
constexpr std::int32_t kNewFormFirmware = 3042;
constexpr double kMaxDepthOffsetMetres = 32.76;
constexpr double kMaxTempOffset = 5.0;
constexpr double kMetresPerFoot = 0.3048;
// The pauses after the speed table's sentences and after the temperature
// ones, ms.
constexpr std::uint32_t kSpeedPauseMs = 200;
constexpr std::uint32_t kTempPauseMs = 100;
// What the window may handle after each pause, ms.
constexpr std::uint32_t kPausePumpMs = 50;

// Waits at least Ms between two sentences with the window kept alive: its
// messages are handled meanwhile (user input is dropped, as in any pump),
// then once more for a short while.
void PauseAfterSentence(std::uint32_t Ms) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(Ms);
  for (Clock::time_point now = Clock::now(); now < until; now = Clock::now()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now).count();
    platform::WaitMessage(static_cast<std::uint32_t>(left));
    support::ProcessPendingMessages(static_cast<std::uint32_t>(left));
  }
  support::ProcessPendingMessages(kPausePumpMs);
}

// A coefficient as the module takes it: times 100, rounded half to even.
// Nothing for a value whose hundredths do not fit the module's integer.
std::optional<std::int32_t> Hundredths(double Coefficient) {
  const double scaled = std::nearbyint(Coefficient * 100.0);
  if (!std::isfinite(scaled) || scaled < std::numeric_limits<std::int32_t>::min() ||
      scaled > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(scaled);
}

std::string Fixed(double Value, std::uint8_t Decimals) { return support::FloatToStrFixed(Value, 1, Decimals); }

}  // namespace

void TMainForm::BindCommandEvents() {
  ButDepthSend->OnClick = [this](platform::TObject* Sender) { ButDepthSendClick(Sender); };
  ButTripLogReset->OnClick = [this](platform::TObject* Sender) { ButTripLogResetClick(Sender); };
  ButSetLogCal->OnClick = [this](platform::TObject* Sender) { ButSetLogCalClick(Sender); };
  ButSetTempCal->OnClick = [this](platform::TObject* Sender) { ButSetTempCalClick(Sender); };
  ButSetTempOffs->OnClick = [this](platform::TObject* Sender) { ButSetTempCalClick(Sender); };
  ButResetTempOfs->OnClick = [this](platform::TObject* Sender) { ButResetTempOfsClick(Sender); };
}

// A line for a closed link, or one showing binary input, is dropped.
void TMainForm::SendToDst(std::string_view Line) {
  if (!DstLink || !DstLink->IsOpen()) return;
  {
    const nmea::TEndpointLock lock = DstLink->Lock();
    if (DstLink->BinaryInput) return;
  }
  DstLink->SendLine(Line, true);
}

// The New row of the speed grid, or only the end of an empty table when
// the row holds the neutral 1.00 everywhere. A row holding a number the
// module cannot take sends nothing, so the module keeps its table.
void TMainForm::SendSpeedCalibration() {
  double values[std::size(kSpeedPoints)];
  bool allNeutral = true;
  for (std::size_t i = 0; i < std::size(kSpeedPoints); ++i) {
    values[i] = support::SafeStrToFloat(ToUtf8(LogGrid->GetCells(static_cast<int>(i) + 1, kNewRow)));
    allNeutral = allNeutral && values[i] == 1.0;
  }
  if (allNeutral) {
    SendToDst("$PARLRSC,SPD,END,0");
    return;
  }
  std::int32_t hundredths[std::size(kSpeedPoints)];
  for (std::size_t i = 0; i < std::size(kSpeedPoints); ++i) {
    const std::optional<std::int32_t> value = Hundredths(values[i]);
    if (!value) return;
    hundredths[i] = *value;
  }
  for (std::size_t i = 0; i < std::size(kSpeedPoints); ++i) {
    SendToDst("$PARLRSC,SPD," + std::to_string(i) + "," + std::to_string(kSpeedPoints[i]) + "," +
              std::to_string(hundredths[i]));
    PauseAfterSentence(kSpeedPauseMs);
  }
  SendToDst("$PARLRSC,SPD,END," + std::to_string(std::size(kSpeedPoints)));
  PauseAfterSentence(kSpeedPauseMs);
}

// The offset the user asked for on top of the correction the module holds
// at 0 degrees (read back just before), within what the module takes.
void TMainForm::SendTempOffset() {
  if (TempOffset == 0.0) return;
  double offset = TempOffset;
  if (!TempTable.empty()) offset += TempTable.front();
  const std::string text = Fixed(std::clamp(offset, -kMaxTempOffset, kMaxTempOffset), 1);
  if (text.empty()) return;
  const std::string line = FirmwareVersion >= kNewFormFirmware ? "$PARLRSC,TMP,0,," + text : "$PARLRSC,TMP,0," + text;
  for (int i = 0; i < 2; ++i) {
    SendToDst(line);
    PauseAfterSentence(kTempPauseMs);
  }
}

// The typed offset, in the unit shown, goes out in metres within what the
// module takes; the box keeps the typed value.
void TMainForm::SendDepthOffset() {
  if (!DstReady) return;
  const double value = support::SafeStrToFloat(EditDptOfs->Text());
  const double metres = UnitsDepth == 0 ? value : value * kMetresPerFoot;
  SendToDst("$PARLRSC,DPT," + Fixed(std::clamp(metres, -kMaxDepthOffsetMetres, kMaxDepthOffsetMetres), 2));
  // A value too large to write with its decimals stays as typed.
  if (const std::string shown = Fixed(value, 2); !shown.empty()) EditDptOfs->SetText(shown);
}

// Older firmware counts the trip preset in tenths.
void TMainForm::SendTripReset() {
  if (!DstReady) return;
  double value = support::SafeStrToFloat(EditLogReset->Text());
  if (FirmwareVersion < kNewFormFirmware) value *= 0.1;
  if (value < 0) value = 0;
  const std::string text = Fixed(value, 2);
  if (!text.empty()) SendToDst("$PARLRRT," + text);
}

void TMainForm::SendTempReset() {
  const char* line = FirmwareVersion >= kNewFormFirmware ? "$PARLRSC,TMP,0,,0.0" : "$PARLRSC,TMP,0,0.0";
  for (int i = 0; i < 2; ++i) {
    SendToDst(line);
    PauseAfterSentence(kTempPauseMs);
  }
}

void TMainForm::ButDepthSendClick(platform::TObject*) {
  ClearCommandQueue();
  QueueCommand(cmdSendDepthOffset);
}

void TMainForm::ButTripLogResetClick(platform::TObject*) {
  ClearCommandQueue();
  QueueCommand(cmdResetTrip);
}

// The Stored row shows nothing until the table sent is read back.
void TMainForm::ButSetLogCalClick(platform::TObject*) {
  if (!DstReady || !DstLink) return;
  ShowNewRow = false;
  ClearCommandQueue();
  DstLink->ClearCurves(nmea::kCurveSpeed);
  SpeedTable.clear();
  ShowStoredSpeedTable(false);
  QueueCommand(cmdSendSpeedTable);
}

// The module's stored correction is read first; the offset waits in the
// queue until that read has ended.
void TMainForm::ButSetTempCalClick(platform::TObject*) {
  if (!DstReady) {
    platform::MessageBoxW(Handle(), TxtNoTempData, FromUtf8(kProgramName), platform::MB_OK);
  } else if (TempOffsetInvalid) {
    platform::MessageBoxW(Handle(), TxtTempHelp, FromUtf8(kProgramName), platform::MB_OK);
  } else if (DstLink) {
    ClearCommandQueue();
    QueueCommand(cmdReadTempTable);
    ClearStoredTempRow();
    QueueCommand(cmdSendTempOffset);
  }
}

void TMainForm::ButResetTempOfsClick(platform::TObject*) {
  if (!DstReady || !DstLink) return;
  // The question waits for the user while the window runs on; the module
  // may have gone meanwhile.
  if (!Confirm(TxtAttention, TxtAskResetTemp) || !DstReady) return;
  ResetNewTempRow();
  ClearCommandQueue();
  DstLink->ClearCurves(nmea::kCurveTemperature);
  TempTable.clear();
  ClearStoredTempRow();
  QueueCommand(cmdResetTempOffset);
}

}  // namespace app
