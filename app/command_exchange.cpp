// The half-duplex exchange with the DST module: the command queue, the
// sending of one command at a time and the wait for its reply, and the
// main timer's tick that drives them and the window's periodic work.

#include <algorithm>

#include "app/main_form.h"
#include "app/tick_ages.h"
#include "platform/core/os/clock.h"
#include "support/flag_scope.h"

namespace app {
namespace {

// How long a command's reply is awaited, ms, by command code.
constexpr std::uint32_t kReplyTimes[] = {0, 1500, 2000, 1000, 0, 2000, 1000, 0, 0, 0};

// Received DST data younger than this means the module is there to ask.
constexpr std::uint32_t kDataFreshMs = 3000;
// The stored tables are read again after these periods.
constexpr std::uint32_t kSpeedTablePeriodMs = 15000;
constexpr std::uint32_t kTempTablePeriodMs = 12000;
// The control states and module labels are brought up to date this often.
constexpr std::uint32_t kStatusPeriodMs = 3000;
// The analysis tree is rebuilt once this long after its statistics were
// reset.
constexpr std::uint32_t kTreeRefreshDelayMs = 3000;

// A table never read (tick 0) is due at once.
bool TableDue(std::uint32_t Now, std::uint32_t Tick, std::uint32_t Period) {
  return Tick == 0 || HasElapsed(Now, Tick, Period);
}

}  // namespace

void TMainForm::QueueCommand(std::int32_t Code) {
  if (CommandQueue.empty() && ExchangeState != exAwaiting) {
    ExecuteCommand(Code);
    return;
  }
  const auto code = static_cast<std::uint32_t>(Code);
  if (std::find(CommandQueue.begin(), CommandQueue.end(), code) == CommandQueue.end()) CommandQueue.push_back(code);
  RunNextCommand();
}

// The head leaves the queue before it runs: a sender's pauses let other
// work run, which may empty the queue meanwhile.
void TMainForm::RunNextCommand() {
  if (CommandQueue.empty() || ExchangeState == exAwaiting) return;
  const auto code = static_cast<std::int32_t>(CommandQueue.front());
  CommandQueue.erase(CommandQueue.begin());
  ExecuteCommand(code);
}

// The exchange waits for the reply from here on, whether or not the sender
// sent anything. It enters that state before the sentences go out, so that
// nothing started inside the sender's pauses can send a command between
// them.
void TMainForm::ExecuteCommand(std::int32_t Code) {
  if (Code < cmdIdentify || Code > cmdResetTempOffset) return;
  const std::uint32_t now = platform::GetTickCount();
  CurrentCommand = Code;
  ExchangeState = exAwaiting;
  ReplyTimeout = kReplyTimes[Code];
  CommandTick = now;
  switch (Code) {
    case cmdReadSpeedTable:
      SpeedTableTick = now;
      LastTableTick = 0;
      break;
    case cmdReadTempTable:
      TempTableTick = now;
      LastTableTick = 0;
      break;
    case cmdSendSpeedTable:
    case cmdSendTempOffset:
      break;
    default:
      LastTableTick = 0;
  }
  const support::FlagScope sending(SendingCommand);
  switch (Code) {
    case cmdIdentify:
      SendToDst("$PARLRHI,01");
      break;
    case cmdReadSpeedTable:
      SendToDst("$PARLRRC,SPD");
      break;
    case cmdReadTempTable:
      SendToDst("$PARLRRC,TMP");
      break;
    case cmdDeleteSpeedTable:
      SendToDst("$PARLRSC,SPD,END,0");
      break;
    case cmdSendSpeedTable:
      SendSpeedCalibration();
      break;
    case cmdSendTempOffset:
      SendTempOffset();
      break;
    case cmdSendDepthOffset:
      SendDepthOffset();
      break;
    case cmdResetTrip:
      SendTripReset();
      break;
    default:
      SendTempReset();
  }
}

void TMainForm::ClearCommandQueue() {
  CommandQueue.clear();
  CurrentCommand = 0;
  ReplyTimeout = 0;
  CommandTick = 0;
  LastTableTick = 0;
}

// The previous module's identification and calibration tables go with its
// channel, so that nothing of it is taken for the next module's.
void TMainForm::ResetDstState() {
  DstReady = false;
  DeviceStatus = 0;
  if (DstLink) {
    const nmea::TEndpointLock lock = DstLink->Lock();
    DstLink->NMEAData.Products.clear();
    DstLink->ClearCurves(0);
  }
  FirmwareVersion = 0;
  SpeedTable.clear();
  ShowStoredSpeedTable(false);
  TempTable.clear();
  SpeedTableTick = 0;
  TempTableTick = 0;
}

void TMainForm::MainTimerTick(platform::TObject*) {
  if (Closing || (!DstLink && !GpsLink)) return;
  NowTicks = platform::GetTickCount();
  const auto now = static_cast<std::uint32_t>(NowTicks);
  ShowReceivedText();
  if (TreeRefreshTick != 0 && HasElapsed(now, TreeRefreshTick, kTreeRefreshDelayMs)) {
    TreeRefreshTick = 0;
    BuildAnalysisTree();
  }
  if (!DstLink) return;
  // A tick inside a sender's pauses shows what arrives but sends nothing.
  const bool sending = SendingCommand;
  if (!sending) StepExchange(now);
  RefreshDisplay();
  if (!sending) {
    if (DstLink->IsOpen()) {
      RunNextCommand();
    } else {
      ExchangeState = exIdle;
      ClearCommandQueue();
    }
  }
  if (LastStatusTick == 0 || TickAge(now, LastStatusTick) >= kStatusPeriodMs) {
    UpdateControlStates();
    LastStatusTick = now;
    ShowModuleStatus();
  }
}

void TMainForm::StepExchange(std::uint32_t Now) {
  const bool open = DstLink->IsOpen();
  switch (ExchangeState) {
    case exIdle: {
      nmea::TTick lastUpdate = 0;
      {
        const nmea::TEndpointLock lock = DstLink->Lock();
        lastUpdate = DstLink->NMEAData.LastUpdateTick;
      }
      if (open && IsFresh(Now, lastUpdate, kDataFreshMs)) QueueCommand(cmdIdentify);
      break;
    }
    case exReady:
      if (open && TableDue(Now, SpeedTableTick, kSpeedTablePeriodMs)) QueueCommand(cmdReadSpeedTable);
      if (TableDue(Now, TempTableTick, kTempTablePeriodMs)) QueueCommand(cmdReadTempTable);
      break;
    case exAwaiting:
      AwaitReply(Now);
      break;
    default:
      break;
  }
}

void TMainForm::AwaitReply(std::uint32_t Now) {
  const bool timedOut = HasElapsed(Now, CommandTick, ReplyTimeout);
  switch (CurrentCommand) {
    case cmdIdentify:
      if (timedOut) {
        ClearCommandQueue();
        ExchangeState = exIdle;
        return;
      }
      DeviceStatus = IdentifyDevice();
      DstReady = DeviceStatus == 1;
      if (DstReady) ExchangeState = exReady;
      return;
    case cmdReadSpeedTable:
    case cmdDeleteSpeedTable:
      if (timedOut) {
        ReleaseExchange();
      } else if (ReadCalibrationTable(nmea::kCurveSpeed)) {
        // Every part of the table that comes restarts the wait.
        CommandTick = Now;
        SpeedTableTick = Now;
        ShowStoredSpeedTable(ShowNewRow);
      }
      return;
    case cmdReadTempTable:
      if (timedOut) {
        ReleaseExchange();
      } else if (ReadCalibrationTable(nmea::kCurveTemperature)) {
        CommandTick = Now;
        TempTableTick = Now;
        ClearStoredTempRow();
      }
      return;
    case cmdSendSpeedTable:
      // The table just sent is read back; the read goes out in this tick.
      QueueCommand(cmdReadSpeedTable);
      ReleaseExchange();
      return;
    default:
      ReleaseExchange();
  }
}

// Only an identified module is ready for the next command: a command the
// user gave before the identification sends the exchange back to asking
// who is there.
void TMainForm::ReleaseExchange() { ExchangeState = DstReady ? exReady : exIdle; }

}  // namespace app
