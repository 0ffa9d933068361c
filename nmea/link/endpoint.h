#pragma once
// One NMEA link: owns its transport (serial port or gateway), cuts the
// received bytes into NMEA 0183 sentences or gateway frames, checks and
// parses them into NMEAData, keeps statistics, data stores and an optional
// channel log, and sends lines.
//
// Threads and the lock
//
// The reader. The serial port's reader thread hands every received chunk to
// DataReceived; without a port, tools and tests call ParseBytes. One thread
// feeds the endpoint at a time. It frames the bytes on its own and takes the
// endpoint's lock only for what it shares: parsing a finished sentence or
// frame into NMEAData, the statistics and the stores, and adding the bytes
// to a running recording. OnReceive (each chunk as received) runs on it,
// with the lock held only while a recording runs; OnRawMessage and the
// decoded OnMessage lines run with the lock held. Their handlers only hand
// the text over (post it) and return: never touch a window, never wait for
// another thread.
//
// The user-interface thread. Open, Close, Suspend, Resume,
// SetReceiveEnabled, the log calls and the destructor belong to it. They
// wait for the reader thread, so call them without holding the lock. Assign
// the events before Open or while reception is detached
// (SetReceiveEnabled(false)).
//
// Any thread. SendLine writes on the calling thread and raises OnSend there.
// Close (and Suspend) interrupt a write in progress at once.
//
// Reading what the reader stores. NMEAData, Talkers, the name lists, Curves,
// Alarms and the log state are read or changed from another thread only
// while holding the lock, and only for as long as copying takes. The reader
// waits for the lock with every sentence: copy what is shown under the lock,
// release it, then draw.
//
//   tNMEAData shown;
//   link.CopyData(shown);        // the values record, copied under the lock
//   TNMEACurveArray curves;
//   {
//     auto lock = link.Lock();   // anything else: copied under the lock ...
//     curves = link.Curves;
//   }
//   Draw(shown, curves);         // ... and drawn after releasing it
//
// The lock is recursive, so the operations below that lock for themselves
// may be called while it is held.

#include <array>
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
#include "platform/core/classes/streams.h"
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

// A received burst is framed in pieces of at most this many bytes, each
// shown through OnReceive; the lock is free between pieces.
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

struct TSentenceContext;

class TNMEA2KDecoder : public platform::TObject {
 public:
  TNMEA2KDecoder();
  ~TNMEA2KDecoder() override;
  TNMEA2KDecoder(const TNMEA2KDecoder&) = delete;
  TNMEA2KDecoder& operator=(const TNMEA2KDecoder&) = delete;

  // Holds the endpoint's lock while the guard lives.
  [[nodiscard]] TEndpointLock Lock() const { return TEndpointLock(mutex_); }
  // Copies NMEAData under the lock; Into keeps its storage where it can.
  void CopyData(tNMEAData& Into) const;

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
  // Serial links only; any thread. With AddChecksum on a text link the line
  // gets "*", its checksum and CR LF. OnSend is raised when every byte was
  // written; a write cut short by Close or Suspend raises nothing.
  void SendLine(std::string_view Line, bool AddChecksum);
  // Closes the port and pauses a running log (writing Marker first in the
  // marker modes); Resume reverses it.
  void Suspend(std::string_view Marker);
  void Resume(std::string_view Marker);

  // --- Receiving ---------------------------------------------------------
  // The serial port's data handler, on the reader thread: every byte is
  // framed, shown and recorded, a long burst in pieces of kMaxChunk.
  void DataReceived(platform::TObject* Sender, const std::uint8_t* Data, int Count);
  // Frames one chunk, as the reader would, but records nothing (for tools
  // and tests without a port).
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
  // Why the last StartLog started no recording; empty when it started one
  // (or was given no file name).
  std::string LogError() const;
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
  // Read by the reader without the lock to see whether a recording runs.
  std::atomic<std::uint8_t> LogMode{kLogOff};
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
  // Set while no bytes are fed (Open sets them); a sentence or frame longer
  // than MaxFrameLength (at most kFrameCapacity) is dropped.
  std::int32_t MaxFrameLength = 510;
  std::uint8_t StreamMode = kStreamBinary;
  // The framer's state, which belongs to the thread that feeds the endpoint;
  // other threads have it reset through a request the reader takes up with
  // its next chunk.
  bool InFrame = false;
  bool DleSeen = false;
  std::int32_t HexColumn = 0;
  std::int32_t BinaryCountdown = 0;
  std::atomic<bool> CollectStatistics{false};
  std::atomic<bool> HoldInput{false};
  std::atomic<bool> ReceiveAttached{true};
  // The folder of the log file (support::ExtractDriveLetter), whose file
  // system the free-space guard measures.
  std::string LogDrive;
  std::uint32_t PortId = 0;
  std::uint32_t QuantityTicks[kQuantityCount] = {};
  std::atomic<bool> VerifyChecksum{false};
  // The last chunk was shown in hex.
  std::atomic<bool> BinaryInput{false};
  // The sentence or frame a chunk ended inside, held for the next chunk.
  std::string_view HeldFrame() const { return {frame_.data(), frameLength_}; }
  static constexpr std::size_t kFrameCapacity = 512;
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

  // Where a counted pair of keys was last found in Talkers. Every sentence
  // asks whether its pair is counted, and the same few pairs come again and
  // again: the place is remembered and checked against the list, which may
  // have changed since.
  struct TPairSlot {
    std::uint32_t Talker = ~0u;
    std::uint32_t Sub = 0;
  };
  // The pair of keys stands in Talkers where Place says.
  bool IsCountedAt(const TPairSlot& Place, std::uint32_t Key, std::uint32_t SubKey) const {
    if (Place.Talker >= Talkers.size()) return false;
    const tNMEATalkerRec& talker = Talkers[Place.Talker];
    return talker.Key == Key && Place.Sub < talker.SubKeys.size() && talker.SubKeys[Place.Sub] == SubKey;
  }
  // The remembered place of a pair of keys that no sentence address holds.
  TPairSlot& PairSlot(std::uint32_t Key, std::uint32_t SubKey);
  // The pair is in Talkers; Place is set to where it stands.
  bool IsCounted(std::uint32_t Key, std::uint32_t SubKey, TPairSlot& Place);
  void CountSentence(std::string_view TalkerId, std::uint32_t TalkerKey, std::string_view SentenceId,
                     std::uint32_t SentenceKey, TPairSlot& Place);
  // The keys and the handler of a standard sentence's address and the place
  // of its pair in the statistics, remembered per address seen lately.
  struct TAddressSlot {
    std::uint64_t Address = 0;
    std::uint32_t TalkerKey = 0;
    std::uint32_t IdKey = 0;
    void (*Handler)(TSentenceContext&) = nullptr;
    TPairSlot Pair;
  };
  TAddressSlot& StandardAddress(const char (&Address)[5]);
  void CloseTransport();
  // Waits until no chunk is being received.
  void AwaitChunkInFlight();
  // Receiving, on the thread that feeds the endpoint. Shared is the lock,
  // taken when first needed and held to the end of the chunk.
  void ReceiveChunk(const std::uint8_t* Data, int Count, bool Record);
  void RecordChunk(const std::uint8_t* Data, int Count, TEndpointLock& Shared);
  void ParseChunk(const std::uint8_t* Data, int Count, TEndpointLock& Shared);
  void ResetParser();
  // Parts of the framer a reset clears.
  static constexpr std::uint8_t kResetFrame = 1;
  static constexpr std::uint8_t kResetShown = 2;
  static constexpr std::uint8_t kResetAll = kResetFrame | kResetShown;
  // From any thread: the reader resets its framer before its next chunk.
  void RequestReset(std::uint8_t What);
  void TakeResetRequest();
  void RaiseReceive(const std::uint8_t* Data, int Count);
  void FrameText(const std::uint8_t* Data, int Count, TEndpointLock& Shared);
  // A chunk of any length.
  void FrameBytes(const std::uint8_t* Data, int Count, TEndpointLock& Shared);
  // A chunk of four to eight bytes taken as one word (the first byte at the
  // low end) that may hold sentence marks.
  void FrameWord(std::uint64_t Word, int Count, TEndpointLock& Shared);
  // The start or end of a sentence.
  void TakeSentenceMark(char Mark, TEndpointLock& Shared);
  void FrameBinary(const std::uint8_t* Data, int Count, TEndpointLock& Shared);
  // The longest frame kept: MaxFrameLength, within kFrameCapacity.
  std::size_t FrameLimit() const;
  // False when the frame would pass FrameLimit; the frame is then dropped.
  bool ExtendFrame(const char* Bytes, std::size_t Count);
  // The same for the Count bytes at the low end of Word, which is copied
  // whole into the room the frame buffer keeps past its capacity.
  bool ExtendFrameByWord(std::uint64_t Word, std::size_t Count);
  void DropFrame();
  void HandleSentence(std::string_view S, TEndpointLock& Shared);
  void HandleGatewayFrame(std::string_view F, TEndpointLock& Shared);
  void GatewayStatus(platform::TObject* Sender, std::string_view Text);
  void AttachReceive();
  void RefreshPcYear();
  void AppendLogRecords(std::string_view Text, double Stamp);
  void EndLog();

  mutable std::recursive_mutex mutex_;
  // Held by DataReceived for a whole chunk, so that the user-interface
  // thread can wait for a chunk in flight without taking the lock.
  std::mutex feedMutex_;
  std::atomic<std::uint8_t> resetRequest_{0};
  std::array<char, kFrameCapacity + sizeof(std::uint64_t)> frame_{};
  std::size_t frameLength_ = 0;
  // Shared with a SendLine in progress on another thread, which keeps the
  // port alive until its write returns.
  std::shared_ptr<ISerialTransport> SerialPort_;
  std::unique_ptr<IGatewayTransport> Gateway_;
  std::unique_ptr<std::FILE, FileCloser> LogFile_;
  // The log's memory buffer; exists while a recording runs.
  std::unique_ptr<platform::TMemoryStream> LogBuffer_;
  // Bytes the log file held when the recording started, for the guard.
  std::int64_t LogStartSize_ = 0;
  std::string logError_;
  std::string chunkText_;
  // Scratch of the sentence parser, kept so that parsing does not allocate.
  std::string manufacturerScratch_;
  std::string idScratch_;
  std::vector<std::string_view> fields_;
  // Room for the addresses of several talkers' sentences, few of them
  // sharing a slot.
  static constexpr int kAddressSlotBits = 7;
  std::array<TAddressSlot, 1 << kAddressSlotBits> addressSlots_{};
  std::array<TPairSlot, 64> pairSlots_{};
  TNmea2KMsg gatewayMsg_;
};

}  // namespace nmea
