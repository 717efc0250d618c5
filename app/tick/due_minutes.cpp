#include "app/tick/due_minutes.h"

#include <algorithm>

namespace vel::clock {
namespace {

constexpr WallMs kDayMs = 86'400'000;

WallMs floor_div(WallMs a, WallMs b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

WallMs time_of_day(WallMs t) {
    return t - floor_div(t, kDayMs) * kDayMs;
}

}  // namespace

WallMs wall_ms(const CivilTime& t) {
    const WallMs seconds =
        (days_from_civil(t.year, t.month, t.day) * 24 + t.hour) * 3600 + t.minute * 60 + t.second;
    return seconds * 1000 + t.millisecond;
}

int wall_hour(WallMs t) {
    return static_cast<int>(time_of_day(t) / 3'600'000);
}

int wall_minute(WallMs t) {
    return static_cast<int>(time_of_day(t) / kMinuteMs % 60);
}

void DueMinutes::reset() {
    m_started = false;
    m_served.clear();
}

void DueMinutes::start(WallMs at) {
    reset();
    m_started = true;
    // A clock started within second 0 of a minute still serves that minute,
    // though its first tick comes a second later.
    m_previous = floor_div(at, 1000) * 1000 - 1;
}

std::vector<WallMs> DueMinutes::advance(WallMs now, std::int64_t steady) {
    const WallMs previous = m_started ? m_previous : floor_div(now, 1000) * 1000 - 1;
    m_started = true;
    m_previous = now;
    std::erase_if(m_served, [steady](const Served& s) { return steady - s.steady >= kMinuteMs; });

    std::vector<WallMs> due;
    // The first minute start after both the previous reading and the
    // oldest time still worth serving.
    const WallMs from = std::max(previous + 1, now - kMinuteMs);
    for (WallMs m = floor_div(from + kMinuteMs - 1, kMinuteMs) * kMinuteMs; m <= now;
         m += kMinuteMs) {
        const bool served = std::any_of(m_served.begin(), m_served.end(),
                                        [m](const Served& s) { return s.minute == m; });
        if (served) continue;
        m_served.push_back({m, steady});
        due.push_back(m);
    }
    return due;
}

}  // namespace vel::clock
