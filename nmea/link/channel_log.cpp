// Recording of everything a link receives, as plain text or time-stamped
// binary records. Received text is batched (250 ms or 40,960 bytes) into a
// memory buffer, which goes to the file at 51,200 bytes, on a pause and at
// the end. A recording holds every byte received while it runs: markers and
// the end of a recording first take in the text still pending.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <limits>

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "support/disk_space.h"
#include "support/stream_records.h"

namespace nmea {
namespace {

constexpr std::int64_t kFlushThreshold = 51200;

bool IsTextMode(std::uint8_t mode) { return mode == kLogText || mode == kLogTextNoMarkers; }
bool IsBinaryMode(std::uint8_t mode) { return mode == kLogBinary || mode == kLogBinaryNoMarkers; }

// Free bytes of the file system that holds Drive; unknown counts as
// unlimited, so a failing query never stops a recording.
std::int64_t FreeSpaceOf(const std::string& Drive) {
  const std::int64_t bytes = support::DriveFreeSpace(Drive);
  return bytes < 0 ? std::numeric_limits<std::int64_t>::max() : bytes;
}

// The log file, positioned at its end. Appending opens it for reading and
// writing without emptying it (creating it when it is not there); a file
// that cannot be opened so stays as it is and the recording does not start.
std::FILE* OpenLogFile(const std::string& fileName, bool append, std::string& error) {
  std::FILE* file = nullptr;
  if (append) {
    const int fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0) {
      file = ::fdopen(fd, "r+b");
      if (file == nullptr) ::close(fd);
    }
  } else {
    file = std::fopen(fileName.c_str(), "wb");
  }
  if (file == nullptr) {
    error = "cannot open " + fileName + (append ? " to append to it: " : " for writing: ") + std::strerror(errno);
    return nullptr;
  }
  if (std::fseek(file, 0, SEEK_END) != 0) {
    error = "cannot append to " + fileName + ": " + std::strerror(errno);
    std::fclose(file);
    return nullptr;
  }
  return file;
}

bool IsBlank(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 33) return false;
  }
  return true;
}

}  // namespace

void TNMEA2KDecoder::StartLog(const std::string& FileName, std::uint8_t Mode, bool Append, std::string_view Header,
                              double StartTime) {
  auto lock = Lock();
  // The earlier recording is completed before its file is released.
  StopLog();
  CloseLog();
  logError_.clear();
  if (IsBlank(FileName)) return;
  try {
    RefreshPcYear();
    if (!LogBuffer_) LogBuffer_ = std::make_unique<platform::TMemoryStream>();
    std::FILE* file = OpenLogFile(FileName, Append, logError_);
    if (file == nullptr) {
      StopLog();
      return;
    }
    LogFile_.reset(file);
    LogStartSize_ = std::ftell(file);
    if (LogStartSize_ < 0) LogStartSize_ = 0;
    LogStartTime = StartTime != 0 ? StartTime : NowUtc();
    LogDrive = support::ExtractDriveLetter(FileName);
    LogFreeSpace = FreeSpaceOf(LogDrive);
    LogStartTick = GetTick();
    LogMode = Mode;
    SavedLogMode = Mode;
    if (!Header.empty()) WriteLog(Header, LogStartTick);
  } catch (const std::exception& e) {
    logError_ = std::string("cannot start the recording: ") + e.what();
    StopLog();
  } catch (...) {
    logError_ = "cannot start the recording";
    StopLog();
  }
}

std::string TNMEA2KDecoder::LogError() const {
  auto lock = Lock();
  return logError_;
}

void TNMEA2KDecoder::StopLog() {
  auto lock = Lock();
  if (LogBuffer_ && LogMode >= kLogText && !PendingLogText.empty()) WriteLog(PendingLogText, GetTick());
  LogMode = kLogOff;
  SavedLogMode = kLogOff;
  LogStartTime = 0;
  LogStartTick = 0;
  LastLogWriteTick = 0;
  FlushLog();
  EndLog();
}

void TNMEA2KDecoder::EndLog() {
  LogMode = kLogOff;
  SavedLogMode = kLogOff;
  LogStartTime = 0;
  LogStartTick = 0;
  LastLogWriteTick = 0;
  PendingLogText.clear();
  LogBuffer_.reset();
  LogFile_.reset();
}

bool TNMEA2KDecoder::IsLogging() const {
  auto lock = Lock();
  return LogMode >= kLogText && PortKind != kPortNone;
}

void TNMEA2KDecoder::PauseLog(bool Pause) {
  auto lock = Lock();
  if (Pause) {
    if (LogBuffer_ && LogMode >= kLogText && !PendingLogText.empty()) WriteLog(PendingLogText, GetTick());
    LogMode = kLogPaused;
    FlushLog();
  } else {
    LogMode = SavedLogMode;
  }
}

void TNMEA2KDecoder::WriteLog(std::string_view Text, std::uint64_t Now) {
  auto lock = Lock();
  if (!LogBuffer_) return;
  const bool isPending = Text.data() == PendingLogText.data();
  // Received text not yet batched goes before a header or marker.
  if (!isPending && !PendingLogText.empty()) WriteLog(PendingLogText, Now);
  if (!LogBuffer_) return;
  if (IsTextMode(LogMode)) {
    LogBuffer_->WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
  } else if (IsBinaryMode(LogMode)) {
    const std::uint32_t elapsed = TickAge(static_cast<TTick>(Now), static_cast<TTick>(LogStartTick));
    const double stamp = LogStartTime + elapsed / 86400000.0;
    LogStartTime = stamp;
    LogStartTick = Now;
    AppendLogRecords(Text, stamp);
  }
  if (isPending) {
    PendingLogText.clear();
  }
  LastLogWriteTick = Now;
  if (LogBuffer_->Size() >= kFlushThreshold) FlushLog();
}

void TNMEA2KDecoder::AppendLogRecords(std::string_view Text, double Stamp) {
  // A text longer than one record goes on in further records with the same
  // stamp rather than being cut.
  while (!Text.empty()) {
    const std::size_t length = std::min(Text.size(), support::kMaxLogRecordText);
    support::WriteLogRecord(*LogBuffer_, Text.substr(0, length), Stamp);
    Text.remove_prefix(length);
  }
}

void TNMEA2KDecoder::FlushLog() {
  auto lock = Lock();
  if (!LogBuffer_) return;
  if (!PendingLogText.empty()) WriteLog(PendingLogText, GetTick());
  if (!LogBuffer_) return;
  PendingLogText.clear();
  if (LogBuffer_->Size() == 0 || !LogFile_) return;
  std::FILE* file = LogFile_.get();
  const long fileSize = std::ftell(file);
  const std::int64_t growth = fileSize < 0 ? 0 : fileSize - LogStartSize_;
  if (LogFreeSpace - growth <= FreeSpaceGuard) {
    EndLog();
    return;
  }
  // A failed write drops this batch rather than piling it up for a retry.
  const auto batch = static_cast<std::size_t>(LogBuffer_->Size());
  if (std::fwrite(LogBuffer_->Memory(), 1, batch, file) != batch || std::fflush(file) != 0) {
    std::clearerr(file);
  }
  LogBuffer_->Clear();
}

void TNMEA2KDecoder::CloseLog() {
  auto lock = Lock();
  RequestReset(kResetAll);
  LogFile_.reset();
}

}  // namespace nmea
