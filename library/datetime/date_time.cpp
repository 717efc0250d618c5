#include "library/datetime/date_time.h"

#include <cmath>

#include "platform/time/local_clock.h"

namespace vel {
namespace {

void civil_from_days(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr std::int64_t kEpochOffset = days_from_civil(1899, 12, 30);  // days before 1970-01-01

ClockSource& clock_source() {
    static ClockSource source;
    return source;
}

CivilTime system_now() {
    plat::LocalTime t{};
    CivilTime c;
    // One reading of the system clock gives both the second and its fraction.
    const std::int64_t since_epoch = plat::unix_milliseconds_now();
    const std::int64_t seconds = since_epoch >= 0 ? since_epoch / 1000 : (since_epoch - 999) / 1000;
    if (!plat::local_time(seconds, t)) return c;
    c.millisecond = static_cast<int>(since_epoch - seconds * 1000);
    c.year = t.year;
    c.month = t.month;
    c.day = t.day;
    c.hour = t.hour;
    c.minute = t.minute;
    c.second = t.second;
    return c;
}

// Clamped into the supported range; NaN counts as 0.
double clamp_date_time(double value) {
    if (std::isnan(value)) return 0.0;
    if (value < kMinDateTime) return kMinDateTime;
    if (value > kMaxDateTime) return kMaxDateTime;
    return value;
}

}  // namespace

CivilTime decode_date_time(double value) {
    value = clamp_date_time(value);
    // The day is the integer part; the time of day is the fraction's magnitude,
    // rounded to the nearest second (half a second goes away from zero).
    auto day = static_cast<std::int64_t>(std::trunc(value));
    auto seconds =
        static_cast<std::int64_t>(std::fabs(value - static_cast<double>(day)) * 86400.0 + 0.5);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += value < 0 ? -1 : 1;
    }
    const std::int64_t unix_day = day + kEpochOffset;
    CivilTime c;
    civil_from_days(unix_day, c.year, c.month, c.day);
    c.hour = static_cast<int>(seconds / 3600);
    c.minute = static_cast<int>(seconds / 60 % 60);
    c.second = static_cast<int>(seconds % 60);
    // 1970-01-01 was a Thursday (5 with Sunday = 1).
    c.day_of_week = static_cast<int>(((unix_day + 4) % 7 + 7) % 7) + 1;
    c.day_of_year = static_cast<int>(unix_day - days_from_civil(c.year, 1, 1)) + 1;
    return c;
}

double encode_date_time(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t days = days_from_civil(year, month, day) - kEpochOffset;
    return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

int date_part(double value, int part) {
    const CivilTime c = decode_date_time(value);
    switch (part < 1 ? 1 : part > 10 ? 10 : part) {
        case 1:
            return c.year;
        case 2:
            return (c.month - 1) / 3 + 1;
        case 3:
            return c.month;
        case 4:
            return (c.day_of_year - 1) / 7 + 1;
        case 5:
            return c.day;
        case 6:
            return c.hour;
        case 7:
            return c.minute;
        case 8:
            return c.second;
        case 9:
            return c.day_of_week;
        default:
            return c.day_of_year;
    }
}

void set_clock_source(ClockSource source) {
    clock_source() = std::move(source);
}

double current_date_time() {
    const CivilTime c = current_civil_time();
    return encode_date_time(c.year, c.month, c.day, c.hour, c.minute, c.second);
}

CivilTime current_civil_time() {
    const ClockSource& source = clock_source();
    return source ? source() : system_now();
}

}  // namespace vel
