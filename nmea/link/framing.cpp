// Receiving: chunks from the reader thread are shown, cut into sentences or
// gateway frames, checked and handed on.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "nmea/nmea0183/checksum.h"
#include "nmea/nmea2000/n2k_decoder.h"
#include "support/formatting.h"

namespace nmea {
namespace {

constexpr std::uint8_t kDle = 0x10;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kGatewayMessage = 0x93;

// Bytes shown as text in the monitor: tab, line ends and 32..129.
constexpr std::array<bool, 256> MakePrintable() {
  std::array<bool, 256> t{};
  t[9] = t[10] = t[13] = true;
  for (int c = 32; c <= 129; ++c) t[c] = true;
  return t;
}
constexpr std::array<bool, 256> kPrintable = MakePrintable();

constexpr std::array<std::uint8_t, 256> MakeUpper() {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = static_cast<std::uint8_t>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return t;
}
constexpr std::array<std::uint8_t, 256> kUpper = MakeUpper();

// Bytes that end or start a sentence.
constexpr std::array<bool, 256> MakeSentenceMarks() {
  std::array<bool, 256> t{};
  t['\r'] = t['\n'] = t['$'] = t['!'] = true;
  return t;
}
constexpr std::array<bool, 256> kSentenceMarks = MakeSentenceMarks();

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighs = 0x8080808080808080u;

// Non-zero when one of the eight bytes of Word equals B.
constexpr std::uint64_t HasByte(std::uint64_t word, std::uint8_t b) {
  const std::uint64_t x = word ^ (kOnes * b);
  return (x - kOnes) & ~x & kHighs;
}

// Non-zero when one of the eight bytes of Word is a sentence mark.
std::uint64_t MarksIn(std::uint64_t word) {
  return HasByte(word, '\r') | HasByte(word, '\n') | HasByte(word, '$') | HasByte(word, '!');
}

// The index of the first sentence mark at or after From, or Count; eight
// bytes at a time through the long runs inside a sentence.
int FindSentenceMark(const std::uint8_t* data, int from, int count) {
  while (from + 8 <= count) {
    std::uint64_t word;
    std::memcpy(&word, data + from, sizeof word);
    // The lowest bit of a match mask always stands for a real match.
    if (const std::uint64_t marks = MarksIn(word); marks != 0) return from + std::countr_zero(marks) / 8;
    from += 8;
  }
  while (from < count && !kSentenceMarks[data[from]]) ++from;
  return from;
}

}  // namespace

void TNMEA2KDecoder::DataReceived(platform::TObject*, const std::uint8_t* Data, int Count) {
  if (Closing || Count <= 0 || Data == nullptr) return;
  auto lock = Lock();
  if (Closing || !ReceiveAttached) return;
  if (Count > kMaxChunk) {
    try {
      if (SerialPort_) SerialPort_->Purge();
    } catch (...) {
    }
    return;
  }
  ParseChunk(Data, Count);
  if (LogMode >= kLogText && LogBuffer_ && LogFile_) {
    PendingLogText.append(reinterpret_cast<const char*>(Data), static_cast<std::size_t>(Count));
    const TTick now = GetTick();
    // A modular age, so the batching keeps its pace across the tick wrap.
    if (TickAge(now, static_cast<TTick>(LastLogWriteTick)) >= 250 || PendingLogText.size() >= 40960) {
      WriteLog(PendingLogText, now);
    }
  }
}

void TNMEA2KDecoder::ParseBytes(const std::uint8_t* Data, int Count) {
  if (Closing || Count <= 0 || Data == nullptr) return;
  auto lock = Lock();
  ParseChunk(Data, Count);
}

void TNMEA2KDecoder::ParseChunk(const std::uint8_t* Data, int Count) {
  if (Closing) return;
  try {
    if (OnReceive) RaiseReceive(Data, Count);
    if (static_cast<std::int64_t>(FrameBuffer.size()) + Count > MaxFrameLength) {
      ResetParser();
      return;
    }
    if (StreamMode == kStreamBinary) {
      FrameBinary(Data, Count);
    } else if (StreamMode == kStreamText) {
      FrameText(Data, Count);
    }
  } catch (...) {
    ResetParser();
  }
}

void TNMEA2KDecoder::ResetParser() {
  FrameBuffer.clear();
  InFrame = false;
  DleSeen = false;
  HexColumn = 0;
  BinaryCountdown = 0;
}

void TNMEA2KDecoder::RaiseReceive(const std::uint8_t* Data, int Count) {
  bool printable = true;
  for (int i = 0; i < Count && printable; ++i) printable = kPrintable[Data[i]];
  BinaryInput = !printable;
  chunkText_.clear();
  if (printable && BinaryCountdown < 1) {
    chunkText_.assign(reinterpret_cast<const char*>(Data), static_cast<std::size_t>(Count));
    HexColumn = 0;
  } else {
    const std::int32_t perLine = HexBytesPerLine;
    chunkText_.reserve(static_cast<std::size_t>(Count) * 4 + 2);
    if (perLine >= 1 && HexColumn >= perLine) {
      chunkText_ += "\r\n";
      HexColumn = 0;
    }
    for (int i = 0; i < Count; ++i) {
      chunkText_ += support::kHexDigits[Data[i] >> 4];
      chunkText_ += support::kHexDigits[Data[i] & 15];
      if (perLine >= 1 && ++HexColumn >= perLine) {
        chunkText_ += "\r\n";
        HexColumn = 0;
      } else {
        chunkText_ += ' ';
      }
    }
  }
  if (printable) {
    if (BinaryCountdown > 0) --BinaryCountdown;
  } else {
    BinaryCountdown = 3;
  }
  OnReceive(this, chunkText_);
}

void TNMEA2KDecoder::FrameText(const std::uint8_t* Data, int Count) {
  const auto* text = reinterpret_cast<const char*>(Data);
  int i = 0;
  while (i < Count) {
    const int j = FindSentenceMark(Data, i, Count);
    if (InFrame && j > i) FrameBuffer.append(text + i, static_cast<std::size_t>(j - i));
    if (j == Count) break;
    const std::uint8_t b = Data[j];
    if (b == '\r' || b == '\n') {
      if (InFrame) {
        InFrame = false;
        HandleSentence(FrameBuffer);
      }
      FrameBuffer.clear();
    } else {
      // A new start discards a partial sentence.
      InFrame = true;
      FrameBuffer.assign(1, static_cast<char>(b));
    }
    i = j + 1;
  }
}

void TNMEA2KDecoder::FrameBinary(const std::uint8_t* Data, int Count) {
  for (int i = 0; i < Count; ++i) {
    const std::uint8_t b = Data[i];
    if (b == kDle) {
      if (DleSeen) {
        if (InFrame) FrameBuffer += static_cast<char>(kDle);
        DleSeen = false;
      } else {
        DleSeen = true;
      }
    } else if (!InFrame) {
      if (DleSeen && b == kStx) InFrame = true;
      DleSeen = false;
    } else if (DleSeen) {
      if (b == kEtx) {
        InFrame = false;
        HandleGatewayFrame(FrameBuffer);
        FrameBuffer.clear();
      } else if (b == kStx) {
        ResetParser();
        InFrame = true;
      } else {
        ResetParser();
      }
      DleSeen = false;
    } else {
      FrameBuffer += static_cast<char>(b);
    }
  }
}

void TNMEA2KDecoder::HandleSentence(std::string_view S) {
  const std::size_t length = S.size();
  if (HoldInput || length <= 5) return;
  bool accepted = true;
  if (VerifyChecksum) {
    accepted = false;
    if (S[length - 3] == '*') {
      const unsigned sum = SentenceChecksum(S.substr(1, length - 4));
      accepted = kUpper[static_cast<unsigned char>(S[length - 2])] == support::kHexDigits[sum >> 4] &&
                 kUpper[static_cast<unsigned char>(S[length - 1])] == support::kHexDigits[sum & 15];
    }
  }
  if (accepted) ParseSentence(S, NMEAData);
  if (OnRawMessage) OnRawMessage(this, S);
}

void TNMEA2KDecoder::HandleGatewayFrame(std::string_view F) {
  const auto length = F.size();
  const auto at = [&F](std::size_t i) { return static_cast<std::uint8_t>(F[i]); };
  if (length <= 13 || at(0) != kGatewayMessage || length != static_cast<std::size_t>(at(1)) + 3) return;
  unsigned sum = 0;
  for (const char c : F) sum += static_cast<unsigned char>(c);
  if ((sum & 0xFF) != 0 || length < static_cast<std::size_t>(at(12)) + 14) return;
  TNmea2KMsg& msg = gatewayMsg_;
  msg.Priority = at(2);
  msg.PGN = at(3) | static_cast<std::uint32_t>(at(4)) << 8 | static_cast<std::uint32_t>(at(5)) << 16;
  msg.Destination = at(6);
  msg.Source = at(7);
  msg.Timestamp = at(8) | static_cast<std::uint32_t>(at(9)) << 8 | static_cast<std::uint32_t>(at(10)) << 16 |
                  static_cast<std::uint32_t>(at(11)) << 24;
  msg.Data.assign(F.begin() + 13, F.begin() + 13 + at(12));
  DecodePGN(*this, msg, NMEAData);
}

}  // namespace nmea
