// Receiving: chunks from the reader thread are recorded, shown, cut into
// sentences or gateway frames, checked and handed on. The framer runs
// without the lock; it is taken for a finished sentence or frame and for a
// running recording, and then held to the end of the chunk.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "nmea/link/endpoint.h"
#include "nmea/link/gateway_frame.h"
#include "nmea/link/ticks.h"
#include "nmea/nmea0183/checksum.h"
#include "nmea/nmea2000/n2k_decoder.h"
#include "support/formatting.h"

namespace nmea {
namespace {

constexpr std::uint8_t kDle = 0x10;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;

void Hold(TEndpointLock& lock) {
  if (!lock.owns_lock()) lock.lock();
}

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

// The word scans below find a byte's place from the low end of a word.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighs = 0x8080808080808080u;

// Every sentence mark (CR, LF, "!", "$") lies below this byte, which almost
// nothing inside a sentence does: one test of a whole word for such bytes
// passes over most words.
constexpr std::uint8_t kAboveMarks = '$' + 1;

// Non-zero when one of the eight bytes of Word equals B; the lowest bit set
// always stands for a real match.
constexpr std::uint64_t HasByte(std::uint64_t word, std::uint8_t b) {
  const std::uint64_t x = word ^ (kOnes * b);
  return (x - kOnes) & ~x & kHighs;
}

// False when none of the eight bytes of Word lies below kAboveMarks, so that
// none is a sentence mark.
constexpr bool MayHoldMarks(std::uint64_t word) { return ((word - kOnes * kAboveMarks) & ~word & kHighs) != 0; }

// Non-zero when one of the eight bytes of Word is a sentence mark, with the
// lowest bit set standing for the first.
std::uint64_t MarksIn(std::uint64_t word) {
  if (!MayHoldMarks(word)) return 0;
  return HasByte(word, '\r') | HasByte(word, '\n') | HasByte(word, '$') | HasByte(word, '!');
}

template <class Word>
Word Load(const std::uint8_t* data) {
  Word word;
  std::memcpy(&word, data, sizeof word);
  return word;
}

// The first sentence mark among the Count (< 16) bytes at Data, or Count:
// two overlapping words cover them, so no byte is looked at alone (a slow
// line hands over six bytes at a time).
[[gnu::always_inline]] inline int FirstMarkOfFew(const std::uint8_t* data, int count) {
  if (count >= 8) {
    if (const std::uint64_t marks = MarksIn(Load<std::uint64_t>(data)); marks != 0) return std::countr_zero(marks) / 8;
    const int last = count - 8;
    if (const std::uint64_t marks = MarksIn(Load<std::uint64_t>(data + last)); marks != 0) {
      return last + std::countr_zero(marks) / 8;
    }
    return count;
  }
  if (count >= 4) {
    // The first four bytes below, the last four above: a mark found above
    // stands count - 8 places further on.
    const std::uint64_t word =
        Load<std::uint32_t>(data) | static_cast<std::uint64_t>(Load<std::uint32_t>(data + count - 4)) << 32;
    if (const std::uint64_t marks = MarksIn(word); marks != 0) {
      const int at = std::countr_zero(marks) / 8;
      return at < 4 ? at : at + count - 8;
    }
    return count;
  }
  int at = 0;
  while (at < count && !kSentenceMarks[data[at]]) ++at;
  return at;
}

// Four to eight bytes as one word, in their order from the low end, with
// zeros (which are no sentence marks) above them: two overlapping loads, so
// no byte is looked at alone.
std::uint64_t WordOf(const std::uint8_t* data, int count) {
  return Load<std::uint32_t>(data) | static_cast<std::uint64_t>(Load<std::uint32_t>(data + count - 4))
                                         << 8 * (count - 4);
}

// The sentence marks in Word, one bit each from the low end.
unsigned MarkBits(std::uint64_t word) {
#if defined(__SSE2__) && defined(__x86_64__)
  const __m128i v = _mm_cvtsi64_si128(static_cast<long long>(word));
  const __m128i marks =
      _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
                   _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('$')), _mm_cmpeq_epi8(v, _mm_set1_epi8('!'))));
  return static_cast<unsigned>(_mm_movemask_epi8(marks)) & 0xFF;
#else
  unsigned bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<unsigned>(kSentenceMarks[(word >> 8 * i) & 0xFF]) << i;
  return bits;
#endif
}

// The index of the first sentence mark at or after From, or Count: sixteen
// bytes at a time through the runs inside a sentence.
[[gnu::always_inline]] inline int FindSentenceMark(const std::uint8_t* data, int from, int count) {
#if defined(__SSE2__)
  if (from + 16 <= count) {
    const __m128i belowMarks = _mm_set1_epi8(kAboveMarks - 1);
    do {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
      if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, belowMarks), v)) != 0) {
        const __m128i marks =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
                         _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('$')), _mm_cmpeq_epi8(v, _mm_set1_epi8('!'))));
        if (const int found = _mm_movemask_epi8(marks); found != 0) {
          return from + std::countr_zero(static_cast<unsigned>(found));
        }
      }
      from += 16;
    } while (from + 16 <= count);
  }
#else
  for (; from + 16 <= count; from += 8) {
    if (const std::uint64_t marks = MarksIn(Load<std::uint64_t>(data + from)); marks != 0) {
      return from + std::countr_zero(marks) / 8;
    }
  }
#endif
  return from + FirstMarkOfFew(data + from, count - from);
}

// Copies Count bytes from Source to Target, without a library call for the
// few bytes a slow line hands over at a time.
void CopyBytes(char* target, const char* source, std::size_t count) {
  if (count >= 4 && count <= 8) {
    std::memcpy(target, source, 4);
    std::memcpy(target + count - 4, source + count - 4, 4);
  } else if (count < 4) {
    for (std::size_t i = 0; i < count; ++i) target[i] = source[i];
  } else {
    std::memcpy(target, source, count);
  }
}

}  // namespace

void TNMEA2KDecoder::RecordChunk(const std::uint8_t* Data, int Count, TEndpointLock& Shared) {
  Hold(Shared);
  if (LogMode < kLogText || !LogBuffer_ || !LogFile_) return;
  PendingLogText.append(reinterpret_cast<const char*>(Data), static_cast<std::size_t>(Count));
  const TTick now = GetTick();
  // A modular age, so the batching keeps its pace across the tick wrap.
  if (TickAge(now, static_cast<TTick>(LastLogWriteTick)) >= 250 || PendingLogText.size() >= 40960) {
    WriteLog(PendingLogText, now);
  }
}

inline void TNMEA2KDecoder::ParseChunk(const std::uint8_t* Data, int Count, TEndpointLock& Shared) {
  if (Closing) return;
  try {
    if (OnReceive) RaiseReceive(Data, Count);
    if (StreamMode == kStreamText) {
      FrameText(Data, Count, Shared);
    } else if (StreamMode == kStreamBinary) {
      FrameBinary(Data, Count, Shared);
    }
  } catch (...) {
    ResetParser();
  }
}

inline void TNMEA2KDecoder::ReceiveChunk(const std::uint8_t* Data, int Count, bool Record) {
  TEndpointLock shared(mutex_, std::defer_lock);
  // Recorded before it is shown: a recording started once the application
  // has seen a chunk never holds that chunk.
  if (Record && LogMode.load(std::memory_order_relaxed) >= kLogText) RecordChunk(Data, Count, shared);
  ParseChunk(Data, Count, shared);
}

void TNMEA2KDecoder::DataReceived(platform::TObject*, const std::uint8_t* Data, int Count) {
  if (Closing || Count <= 0 || Data == nullptr) return;
  std::lock_guard feeding(feedMutex_);
  if (Closing || !ReceiveAttached) return;
  if (resetRequest_.load(std::memory_order_relaxed) != 0) TakeResetRequest();
  // A burst that piled up while the reader waited is framed piece by piece
  // like any other chunk: none of it is thrown away, and the lock is free
  // between the pieces.
  while (Count > 0 && !Closing) {
    const int piece = std::min(Count, kMaxChunk);
    ReceiveChunk(Data, piece, true);
    Data += piece;
    Count -= piece;
  }
}

void TNMEA2KDecoder::ParseBytes(const std::uint8_t* Data, int Count) {
  if (Closing || Count <= 0 || Data == nullptr) return;
  if (resetRequest_.load(std::memory_order_relaxed) != 0) TakeResetRequest();
  ReceiveChunk(Data, Count, false);
}

void TNMEA2KDecoder::ResetParser() {
  frameLength_ = 0;
  InFrame = false;
  DleSeen = false;
  HexColumn = 0;
  BinaryCountdown = 0;
}

void TNMEA2KDecoder::RequestReset(std::uint8_t What) { resetRequest_.fetch_or(What, std::memory_order_release); }

void TNMEA2KDecoder::TakeResetRequest() {
  const std::uint8_t what = resetRequest_.exchange(0, std::memory_order_acquire);
  if (what & kResetFrame) {
    frameLength_ = 0;
    InFrame = false;
    DleSeen = false;
  }
  if (what & kResetShown) {
    HexColumn = 0;
    BinaryCountdown = 0;
    BinaryInput = false;
  }
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

void TNMEA2KDecoder::DropFrame() {
  frameLength_ = 0;
  InFrame = false;
  DleSeen = false;
}

inline std::size_t TNMEA2KDecoder::FrameLimit() const {
  return std::min(static_cast<std::size_t>(std::max(MaxFrameLength, 0)), kFrameCapacity);
}

inline bool TNMEA2KDecoder::ExtendFrame(const char* Bytes, std::size_t Count) {
  if (frameLength_ + Count > FrameLimit()) {
    DropFrame();
    return false;
  }
  CopyBytes(frame_.data() + frameLength_, Bytes, Count);
  frameLength_ += Count;
  return true;
}

inline bool TNMEA2KDecoder::ExtendFrameByWord(std::uint64_t Word, std::size_t Count) {
  if (frameLength_ + Count > FrameLimit()) {
    DropFrame();
    return false;
  }
  std::memcpy(frame_.data() + frameLength_, &Word, sizeof Word);
  frameLength_ += Count;
  return true;
}

inline void TNMEA2KDecoder::TakeSentenceMark(char Mark, TEndpointLock& Shared) {
  if (Mark == '$' || Mark == '!') {
    // A new start discards a partial sentence.
    frameLength_ = 0;
    InFrame = ExtendFrame(&Mark, 1);
  } else if (InFrame) {
    InFrame = false;
    HandleSentence(HeldFrame(), Shared);
    frameLength_ = 0;
  }
}

inline void TNMEA2KDecoder::FrameText(const std::uint8_t* Data, int Count, TEndpointLock& Shared) {
  if (Count < 4 || Count > 8) {
    FrameBytes(Data, Count, Shared);
    return;
  }
  // A slow line hands over a few bytes at a time. They are framed as one
  // word: most such chunks hold no sentence mark and only extend the frame,
  // which one test of the word, its unused top bytes set, tells.
  const std::uint64_t word = WordOf(Data, Count);
  if (!MayHoldMarks(word | ~1ull << (8 * Count - 1))) {
    if (InFrame) ExtendFrameByWord(word, static_cast<std::size_t>(Count));
    return;
  }
  FrameWord(word, Count, Shared);
}

void TNMEA2KDecoder::FrameWord(std::uint64_t Word, int Count, TEndpointLock& Shared) {
  int i = 0;
  for (unsigned marks = MarkBits(Word); marks != 0; marks &= marks - 1) {
    const int j = std::countr_zero(marks);
    if (InFrame) ExtendFrameByWord(Word >> 8 * i, static_cast<std::size_t>(j - i));
    TakeSentenceMark(static_cast<char>(Word >> 8 * j), Shared);
    i = j + 1;
  }
  if (InFrame && i < Count) ExtendFrameByWord(Word >> 8 * i, static_cast<std::size_t>(Count - i));
}

void TNMEA2KDecoder::FrameBytes(const std::uint8_t* Data, int Count, TEndpointLock& Shared) {
  const auto* text = reinterpret_cast<const char*>(Data);
  for (int i = 0;;) {
    const int j = FindSentenceMark(Data, i, Count);
    if (InFrame) ExtendFrame(text + i, static_cast<std::size_t>(j - i));
    if (j == Count) return;
    TakeSentenceMark(text[j], Shared);
    i = j + 1;
  }
}

void TNMEA2KDecoder::FrameBinary(const std::uint8_t* Data, int Count, TEndpointLock& Shared) {
  for (int i = 0; i < Count; ++i) {
    const std::uint8_t b = Data[i];
    if (b == kDle) {
      if (DleSeen) {
        if (InFrame) {
          const char dle = static_cast<char>(kDle);
          ExtendFrame(&dle, 1);
        }
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
        HandleGatewayFrame(HeldFrame(), Shared);
        frameLength_ = 0;
      } else if (b == kStx) {
        ResetParser();
        InFrame = true;
      } else {
        ResetParser();
      }
      DleSeen = false;
    } else {
      const char c = static_cast<char>(b);
      ExtendFrame(&c, 1);
    }
  }
}

void TNMEA2KDecoder::HandleSentence(std::string_view S, TEndpointLock& Shared) {
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
  Hold(Shared);
  if (accepted) ParseSentence(S, NMEAData);
  if (OnRawMessage) OnRawMessage(this, S);
}

void TNMEA2KDecoder::HandleGatewayFrame(std::string_view F, TEndpointLock& Shared) {
  Hold(Shared);
  if (ReadGatewayFrame(F, gatewayMsg_)) DecodePGN(*this, gatewayMsg_, NMEAData);
}

}  // namespace nmea
