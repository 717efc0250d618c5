#include "platform/time/local_clock.h"

#include <ctime>

namespace plat {

std::int64_t unix_milliseconds_now() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

bool local_time(std::int64_t unix_seconds, LocalTime& out) {
    const auto t = static_cast<std::time_t>(unix_seconds);
    std::tm tm{};
    if (::localtime_r(&t, &tm) == nullptr) return false;
    out.year = tm.tm_year + 1900;
    out.month = tm.tm_mon + 1;
    out.day = tm.tm_mday;
    out.hour = tm.tm_hour;
    out.minute = tm.tm_min;
    out.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;
    return true;
}

}  // namespace plat
