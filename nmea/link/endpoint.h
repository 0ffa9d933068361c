#pragma once
// One NMEA link: owns its transport (serial port or gateway), cuts the
// received bytes into NMEA 0183 sentences or gateway frames, checks and
// parses them into NMEAData, keeps statistics, data stores and an optional
// channel log, and sends lines.
//
// Threads. Received chunks arrive on the transport's reader thread
// (DataReceived), which holds the endpoint's lock for the whole chunk:
// framing, parsing, statistics, stores and the log step. Everything the
// reader writes (NMEAData, Talkers, the name lists, Curves, Products,
// Extras, the log) may be read or cleared from another thread only while
// that thread holds the lock:
//
//   { auto lock = link.Lock(); Show(link.NMEAData.Depth); link.ClearCurves(1); }
//
// The lock is recursive, so the operations below that lock for themselves
// may be called while it is held. Events raised on the reader thread
// (OnReceive, OnRawMessage, decoded OnMessage lines) run with the lock held:
// their handlers must only hand the text over (post it) and return, never
// wait for another thread that may want the lock. Assign the events while
// the link is closed, or while holding the lock.
//
// Open, Close, Suspend, Resume, SetReceiveEnabled and the destructor start
// or stop the reader thread; call them without holding the lock.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "nmea/link/text_event.h"
#include "nmea/nmea2000/gateway_transport.h"
#include "nmea/serial/serial_transport.h"
#include "nmea/types.h"
#include "platform/core/classes/object.h"
#include "support/arrays.h"

namespace nmea {

using TEndpointLock = std::unique_lock<std::recursive_mutex>;

// Stream modes of a link.
inline constexpr std::uint8_t kStreamBinary = 0;  // gateway frames
inline constexpr std::uint8_t kStreamText = 1;    // NMEA 0183 sentences

// Kinds of transport.
inline constexpr std::uint8_t kPortNone = 0;
inline constexpr std::uint8_t kPortSerial = 1;
inline constexpr std::uint8_t kPortGateway = 2;

// Channel log modes.
inline constexpr std::uint8_t kLogOff = 0;
inline constexpr std::uint8_t kLogPaused = 1;
inline constexpr std::uint8_t kLogText = 2;
inline constexpr std::uint8_t kLogBinary = 3;
inline constexpr std::uint8_t kLogTextNoMarkers = 4;
inline constexpr std::uint8_t kLogBinaryNoMarkers = 5;

// Chunks this long or longer are purged unread.
inline constexpr int kMaxChunk = 400;
// A port's id is its number plus this; the SourceId of NMEA 0183 devices.
inline constexpr std::uint32_t kPortIdBase = 0x10000000;

// One calibration table point as a sentence hands it over.
struct TNMEACurvePointRec {
  std::uint8_t Id = 0;
  std::int32_t Index = -1;
  double X = 0;
  double Y = 0;
};

class TNMEA2KDecoder : public platform::TObject {
 public:
  TNMEA2KDecoder();
  ~TNMEA2KDecoder() override;
  TNMEA2KDecoder(const TNMEA2KDecoder&) = delete;
  TNMEA2KDecoder& operator=(const TNMEA2KDecoder&) = delete;

  // Holds the endpoint's lock while the guard lives.
  [[nodiscard]] TEndpointLock Lock() const { return TEndpointLock(mutex_); }

  // --- Link --------------------------------------------------------------
  // Closes whatever was open, then opens the port as a serial link
  // (UseSerialPort) or a gateway link. Returns IsOpen().
  bool Open(int Port, int Baud, std::uint8_t StreamMode, bool UseSerialPort);
  void Close();
  bool IsOpen() const;
  // The transport's port and baud rate; -1 without a transport.
  int Port() const;
  int Baud() const;
  // Attaches the endpoint to the serial port's data or detaches it; bytes
  // received while detached are discarded. When this returns, no chunk is
  // being processed.
  void SetReceiveEnabled(bool Enabled);
  // Serial links only. With AddChecksum on a text link the line gets "*",
  // its checksum and CR LF. OnSend is raised when every byte was written.
  void SendLine(std::string_view Line, bool AddChecksum);
  // Closes the port and pauses a running log (writing Marker first in the
  // marker modes); Resume reverses it.
  void Suspend(std::string_view Marker);
  void Resume(std::string_view Marker);

  // --- Receiving ---------------------------------------------------------
  // The serial port's data handler, on the reader thread.
  void DataReceived(platform::TObject* Sender, const std::uint8_t* Data, int Count);
  // Frames one chunk (also used directly by tools and tests).
  void ParseBytes(const std::uint8_t* Data, int Count);
  // Turns one framed sentence (start character up to, not including, CR or
  // LF) into stored values; called with the lock held.
  void ParseSentence(std::string_view Sentence, tNMEAData& Data);

  // --- Ticks and clock ---------------------------------------------------
  TTick GetTick() const;
  // The computer clock as UTC, in days since 30 December 1899.
  double NowUtc();

  // --- Statistics and data stores (call with the lock held from outside the
  // reader thread) ----------------------------------------------------------
  void AddTalkerSentence(std::string_view TalkerId, std::string_view SentenceId);
  void AddSourcePGN(std::uint32_t Source, std::uint32_t PGN);
  // Kind 0 talker name, 1 sentence name; an unnamed key gives its decimal
  // text; other kinds give "".
  std::string KeyName(std::uint32_t Key, std::uint8_t Kind) const;
  void ClearTalkers();
  static void InitProduct(tNMEAProd& Rec);
  int AddProduct(const tNMEAProd& Rec, tNmeaProdArray& Products);
  int SetExtra(const tNmeaExtraInt& Rec, tNmeaExtraArrayInt& Extras);
  void AddCurvePoint(const TNMEACurvePointRec& Point, TTick Tick);
  // 0 removes every table.
  void ClearCurves(std::uint8_t CurveId);
  int AddAlarm(const tALR_Rec& Rec);
  void ResetData(tNMEAData& Data);

  // --- Channel log ---------------------------------------------------------
  // StartTime 0 means now (UTC).
  void StartLog(const std::string& FileName, std::uint8_t Mode, bool Append, std::string_view Header,
                double StartTime = 0);
  void StopLog();
  bool IsLogging() const;
  void PauseLog(bool Pause);
  void WriteLog(std::string_view Text, std::uint64_t Now);
  void FlushLog();
  void CloseLog();

  // --- Helpers -------------------------------------------------------------
  // Exclusive or of the characters From..To (1-based, inclusive) as two
  // upper-case hexadecimal digits; "00" when To < From.
  static std::string NmeaChecksum(std::string_view Text, int From, int To);
  // Into (-180, 180].
  static void NormalizeAngle180(double& Angle);

  // --- Events --------------------------------------------------------------
  TNMEATextEvent OnMessage;
  TNMEATextEvent OnRawMessage;
  TNMEATextEvent OnReceive;
  TNMEATextEvent OnSend;

  // --- State -----------------------------------------------------------------
  std::atomic<bool> Closing{false};
  std::uint8_t LogMode = kLogOff;
  std::uint8_t SavedLogMode = kLogOff;
  std::atomic<std::uint8_t> PortKind{kPortNone};
  double LogStartTime = 0;
  double UtcOffsetHours = 0;
  std::int32_t PcYear = 0;
  std::int32_t PcCentury = 0;
  std::atomic<bool> UseUtc{true};
  std::atomic<std::uint8_t> TickSource{0};
  std::atomic<bool> CheckDateAge{true};
  support::TIdStringArray TalkerNames;
  support::TIdStringArray SentenceNames;
  std::int64_t LogFreeSpace = 0;
  std::int64_t FreeSpaceGuard = 10485760;
  std::uint64_t LogStartTick = 0;
  std::uint64_t LastLogWriteTick = 0;
  std::string PendingLogText;
  std::int32_t MaxFrameLength = 510;
  std::string FrameBuffer;
  bool InFrame = false;
  bool DleSeen = false;
  std::int32_t HexColumn = 0;
  std::int32_t BinaryCountdown = 0;
  std::uint8_t StreamMode = kStreamBinary;
  std::atomic<bool> CollectStatistics{false};
  std::atomic<bool> HoldInput{false};
  std::atomic<bool> ReceiveAttached{true};
  // The folder of the log file, whose file system the free-space guard
  // measures.
  std::string LogDrive;
  std::uint32_t PortId = 0;
  std::uint32_t QuantityTicks[kQuantityCount] = {};
  std::atomic<bool> VerifyChecksum{false};
  bool BinaryInput = false;
  std::atomic<bool> ExtrasBusy{false};
  tNMEAData NMEAData;
  tNMEATalkerArray Talkers;
  support::TCardinalArray SkipKeys;
  tNmeaAlarmArray Alarms;
  TNMEACurveArray Curves;
  std::atomic<std::int32_t> HexBytesPerLine{0};

 private:
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };

  void CountSentence(std::string_view TalkerId, std::uint32_t TalkerKey, std::string_view SentenceId,
                     std::uint32_t SentenceKey);
  void CloseTransport();
  void ParseChunk(const std::uint8_t* Data, int Count);
  void ResetParser();
  void RaiseReceive(const std::uint8_t* Data, int Count);
  void FrameText(const std::uint8_t* Data, int Count);
  void FrameBinary(const std::uint8_t* Data, int Count);
  void HandleSentence(std::string_view S);
  void HandleGatewayFrame(std::string_view F);
  void GatewayStatus(platform::TObject* Sender, std::string_view Text);
  void AttachReceive();
  void RefreshPcYear();
  void AppendLogRecords(std::string_view Text, double Stamp);
  void EndLog();

  mutable std::recursive_mutex mutex_;
  std::unique_ptr<ISerialTransport> SerialPort_;
  std::unique_ptr<IGatewayTransport> Gateway_;
  std::unique_ptr<std::FILE, FileCloser> LogFile_;
  // The log's memory buffer; exists while a recording runs.
  std::unique_ptr<std::string> LogBuffer_;
  // Bytes the log file held when the recording started, for the guard.
  std::int64_t LogStartSize_ = 0;
  std::string chunkText_;
  // Scratch of the sentence parser, kept so that parsing does not allocate.
  std::string manufacturerScratch_;
  std::string idScratch_;
  std::vector<std::string_view> fields_;
  TNmea2KMsg gatewayMsg_;
};

}  // namespace nmea
