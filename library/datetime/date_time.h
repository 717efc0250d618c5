#pragma once
// Date-time values: days since 1899-12-30 00:00 local time as a double, the
// fraction being the time of day. Negative values count days backwards while
// their fraction still runs forwards from midnight (-1.25 is 1899-12-29 06:00).
#include <cstdint>
#include <functional>

namespace vel {

struct CivilTime {
    int year = 1899;
    int month = 12;         // 1-12
    int day = 30;           // 1-31
    int hour = 0;           // 0-23
    int minute = 0;         // 0-59
    int second = 0;         // 0-59
    int day_of_week = 7;    // 1 Sunday ... 7 Saturday
    int day_of_year = 364;  // 1-366
    int millisecond = 0;    // 0-999, where the reading has it
};

// Days from 1970-01-01 to a proleptic Gregorian date (valid far beyond the
// range below).
constexpr std::int64_t days_from_civil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

inline constexpr double kMinDateTime = -657434.0;  // 0100-01-01 00:00:00
inline constexpr double kMaxDateTime = 2958465.0;  // 9999-12-31 00:00:00

// Clamps, rounds to the nearest second and takes the value apart.
CivilTime decode_date_time(double value);
// The value of a calendar date and time of day (fields are not range-checked
// beyond what the day count needs).
double encode_date_time(int year, int month, int day, int hour, int minute, int second);

// Date part 1 year, 2 quarter, 3 month, 4 week of the year, 5 day, 6 hour,
// 7 minute, 8 second, 9 day of the week, 10 day of the year; parts outside
// 1-10 are brought into range.
int date_part(double value, int part);

// The source of "now" as local civil time (day_of_week/day_of_year unused).
// Tests replace it; an empty function restores the system clock.
using ClockSource = std::function<CivilTime()>;
void set_clock_source(ClockSource source);
// The current local time in whole seconds as a date-time.
double current_date_time();
// The current local time as one reading, milliseconds included.
CivilTime current_civil_time();

}  // namespace vel
