#pragma once
// The text events of a link endpoint and the received-bytes callback of a
// serial transport.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/core/classes/object.h"

namespace nmea {

// Text is valid only during the call; a handler that keeps it copies it.
using TNMEATextEvent = std::function<void(platform::TObject* Sender, std::string_view Text)>;

// Bytes received on a serial port, delivered on the port's reader thread.
using TComDataEvent = std::function<void(platform::TObject* Sender, const std::uint8_t* Data, int Count)>;

}  // namespace nmea
