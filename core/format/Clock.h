#pragma once

#include <cstdint>
#include <ctime>

// The one clock for "today" and "now". Tests and `korvel-cli --today` pin it.
namespace Clock {

std::time_t now();
// now() in milliseconds since 1970; pinned, the start of the pinned second.
std::int64_t nowMilliseconds();
// Local calendar date of now() as year * 10000 + month * 100 + day.
std::int32_t today();

// Pins now() to the given time value; today() follows it.
void pin(std::time_t value);
// Pins now() to 12:00 local time on the given yyyymmdd date.
void pinToday(std::int32_t yyyymmdd);
void unpin();

} // namespace Clock
