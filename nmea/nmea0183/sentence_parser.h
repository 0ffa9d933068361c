#pragma once
// What a sentence handler works with. The parser splits the address, takes
// one parse tick, counts the sentence, and calls the handler registered for
// its id (nmea/nmea0183/sentence_list.h) with a TSentenceContext.
//
// Rules every handler keeps:
// - Field 1 is the first data field after the address (for a proprietary
//   sentence, after its id). A field that is absent (the sentence ends
//   before it) differs from one present but empty: Fields.Has(N) tells them
//   apart, Fields.Filled(N) is "present and not empty".
// - An empty field leaves its member and tick unchanged unless the
//   sentence's own rule says otherwise; numbers go through Float, Int and the
//   Hex helpers, which give 0 for malformed text.
// - Every value stored from the sentence carries Ctx.Tick; Touch() sets
//   LastUpdateTick, MarkQuantity() the endpoint's per-quantity tick.
// - Unit, status and mode letters are compared on their upper-case form.

#include <cstdint>
#include <span>
#include <string_view>

#include "nmea/types.h"
#include "support/conversions.h"

namespace nmea {

class TNMEA2KDecoder;

class TSentenceFields {
 public:
  explicit TSentenceFields(std::span<const std::string_view> Fields) : fields_(Fields) {}

  // Fields present, field 0 included.
  int Count() const { return static_cast<int>(fields_.size()); }
  bool Has(int N) const { return N >= 0 && N < Count(); }
  bool Filled(int N) const { return Has(N) && !fields_[static_cast<std::size_t>(N)].empty(); }
  // The text of field N; empty when absent.
  std::string_view operator[](int N) const {
    return Has(N) ? fields_[static_cast<std::size_t>(N)] : std::string_view{};
  }

 private:
  std::span<const std::string_view> fields_;
};

// A received time of day, staged until the sentence's rules accept it.
struct TTimeStage {
  std::uint8_t Hour = 255;  // 255: no time received
  std::uint8_t Minute = 0;
  std::uint8_t Second = 0;
  std::uint16_t Millisecond = 0;
  TTick Tick = 0;
};

// A received date, staged likewise.
struct TDateStage {
  std::uint8_t Day = 255;  // 255: no day received
  std::uint8_t Month = 0;
  std::uint16_t Year = 0;
  TTick Tick = 0;
};

// A position being built by one sentence; it is stored whole, and only when
// both coordinates were parsed.
struct TPositionStage {
  double Latitude = kNoPosition;
  double Longitude = kNoPosition;
  double GeoidSeparation = 0;
  TTick Tick = 0;
};

struct TSentenceContext {
  TNMEA2KDecoder& Self;
  tNMEAData& Data;
  const TTick Tick;                     // the parse tick
  const std::string_view Talker;        // upper case; "P" for proprietary sentences
  const std::string_view Id;            // upper case
  const std::string_view Manufacturer;  // upper case; proprietary sentences only
  const TSentenceFields Fields;

  void Touch() const { Data.LastUpdateTick = Tick; }
  void MarkQuantity(TQuantity Quantity) const;
  // Touch() and MarkQuantity(Quantity): a value of Quantity was stored.
  void TouchQuantity(TQuantity Quantity) const {
    Touch();
    MarkQuantity(Quantity);
  }

  double Float(int N) const { return support::SafeStrToFloat(Fields[N]); }
  std::int64_t Int(int N) const { return support::SafeStrToInt64(Fields[N]); }
  std::uint8_t HexByte(int N) const;
  std::uint16_t HexWord(int N) const;
  std::uint32_t HexCardinal(int N) const;
  // Upper case of the first character of field N; 0 when it is empty.
  char Letter(int N) const;
  // Field N compared with Upper (given in upper case) without regard to case.
  bool Equals(int N, std::string_view Upper) const;

  // When field N is filled: Value := its number, ValueTick := Tick; true.
  bool StoreFloat(int N, double& Value, TTick& ValueTick) const;
  // The same, followed by TouchQuantity(Quantity) when stored.
  bool StoreFloat(int N, double& Value, TTick& ValueTick, TQuantity Quantity) const;

  // A time field hhmmss[.sss]: with at least 6 characters fills Time (the
  // fraction, when present, gives the milliseconds) and stamps it; true.
  bool ParseTime(std::string_view Field, TTimeStage& Time) const;
  // The stored date is older than 2000 ms, or was never received; always
  // true when the endpoint's date-age check is off.
  bool IsDateStale(TTick DateTick) const;
  // A full date and time: stored when the year lies between the computer's
  // year and 2100 and the day and time are in range; true when stored.
  bool StoreDateTime(const TDateStage& Date, const TTimeStage& Time) const;
  // A time alone: stored with the last received date while that is fresh and
  // valid, else with today's UTC date; true when stored.
  bool StoreTime(const TTimeStage& Time) const;

  // A latitude field ddmm.mmm (more than 3 characters) or a longitude field
  // dddmm.mmm (more than 4) in degrees; false, leaving Value alone, when the
  // field is too short.
  bool ParseLatitude(int N, double& Value) const;
  bool ParseLongitude(int N, double& Value) const;
  // Copies Position over the record's position block when both coordinates
  // were parsed and marks the position quantity; true when stored.
  bool StorePosition(const TPositionStage& Position) const;

  // A mode letter (first character, either case) in the FixQuality code
  // space: A 1, D 2, E 6, M 7, S 8, N 0, anything else or nothing 255.
  static std::int32_t FixQualityOfMode(std::string_view Field);

  static double FahrenheitToCelsius(double F) { return (F - 32) * 0.5555555555555556; }
};

using TSentenceHandler = void (*)(TSentenceContext& Ctx);

// The handler of a sentence id's key, or null.
TSentenceHandler FindSentenceHandler(bool Proprietary, std::uint32_t Key);

}  // namespace nmea
