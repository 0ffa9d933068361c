#pragma once
// The UTC time store shared by the system time and the time-and-date
// messages.

#include "nmea/nmea2000/n2k_message.h"

namespace nmea {

// Stores the time of day of DateTime, and with a valid date also the date
// and, at most every 15,000 ms, the clock offset; a date marked missing is
// no date at all.
void StoreN2kUtcTime(N2kMessage& M, double DateTime, bool DateValid);

}  // namespace nmea
