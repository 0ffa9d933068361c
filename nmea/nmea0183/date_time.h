#pragma once
// Building date-time values (days since 30 December 1899, the fraction being
// the time of day) from received calendar fields.

#include <cstdint>

namespace nmea {

bool IsValidDate(int Year, int Month, int Day);

// False, leaving Result alone, when the parts do not form a valid date-time
// (year 1..9999, hour below 24).
bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second, int Millisecond, double& Result);

}  // namespace nmea
