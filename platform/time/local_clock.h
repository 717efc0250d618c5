#pragma once
// The system clock and the local time-zone rules.
#include <cstdint>

namespace plat {

struct LocalTime {
    int year;    // e.g. 2026
    int month;   // 1-12
    int day;     // 1-31
    int hour;    // 0-23
    int minute;  // 0-59
    int second;  // 0-59 (a leap second reads as 59)
};

// Milliseconds since 1970-01-01 00:00 UTC: the program's one reading of the
// system clock.
std::int64_t unix_milliseconds_now();
// The local broken-down time of a moment; false when it cannot be represented.
bool local_time(std::int64_t unix_seconds, LocalTime& out);

}  // namespace plat
