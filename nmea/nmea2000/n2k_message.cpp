#include "nmea/nmea2000/n2k_message.h"

#include "nmea/link/endpoint.h"

namespace nmea {

TTick N2kMessage::Tick() {
  if (!tickTaken_) {
    tick_ = Self.GetTick();
    tickTaken_ = true;
  }
  return tick_;
}

void N2kMessage::Stored(TQuantity Q) { Self.QuantityTicks[Q] = Tick(); }

bool N2kMessage::WantsLine() const { return static_cast<bool>(Self.OnMessage); }

void N2kMessage::Emit(std::string_view Line) {
  if (Self.OnMessage) Self.OnMessage(&Self, Line);
}

}  // namespace nmea
