#pragma once
// What a PGN handler works with while it decodes one NMEA 2000 message: the
// payload, the endpoint's record, the one store tick of the message and the
// endpoint's decoded-text event.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "nmea/nmea2000/n2k_fields.h"
#include "nmea/types.h"

namespace nmea {

class TNMEA2KDecoder;

class N2kMessage {
 public:
  N2kMessage(TNMEA2KDecoder& Link, const TNmea2KMsg& Message, tNMEAData& Record)
      : Self(Link), Msg(Message), Data(Record) {}

  std::size_t Length() const { return Msg.Data.size(); }
  const std::uint8_t* At(std::size_t Offset) const { return Msg.Data.data() + Offset; }

  // The tick of every store made for this message, taken at the first store.
  TTick Tick();
  // Marks a store of quantity Q: its entry of the per-quantity ticks.
  void Stored(TQuantity Q);
  // Value into Cell, stamped with the message's tick, when Status is valid;
  // true when stored.
  template <typename T>
  bool Store(TN2kFieldStatus Status, T& Cell, TTick& CellTick, double Value) {
    if (Status != fsValid) return false;
    Cell = static_cast<T>(Value);
    CellTick = Tick();
    return true;
  }
  // The record was updated by this message.
  void Updated() { Data.LastUpdateTick = Tick(); }

  // Whether anyone listens for the decoded line; the texts are built only
  // then.
  bool WantsLine() const;
  void Emit(std::string_view Line);

  TNMEA2KDecoder& Self;
  const TNmea2KMsg& Msg;
  tNMEAData& Data;

 private:
  TTick tick_ = 0;
  bool tickTaken_ = false;
};

}  // namespace nmea
