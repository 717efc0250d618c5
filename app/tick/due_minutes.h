#pragma once
// Which minute starts a tick must serve. The timer is not locked to the
// clock's seconds and the chime's wait or an open prompt delays ticks, so a
// tick may never see second 0 of a minute. Instead each tick serves every
// HH:MM:00 after the previous tick's reading and at or before its own.
#include <cstdint>
#include <vector>

#include "library/datetime/date_time.h"

namespace vel::clock {

// Local wall time in milliseconds since 1970-01-01 00:00 of the same
// calendar: the time the clock shows, without a zone. A change of summer
// time moves it as it moves the hands.
using WallMs = std::int64_t;
inline constexpr WallMs kMinuteMs = 60'000;

WallMs wall_ms(const CivilTime& t);
// The hour (0-23) and minute of a wall time.
int wall_hour(WallMs t);
int wall_minute(WallMs t);

class DueMinutes {
public:
    // The minute starts due at the reading `now`, oldest first; `steady` is
    // a monotonic time in milliseconds. Records `now` as the previous
    // reading before the caller rings anything, so a tick nested inside a
    // prompt does not serve the same minute again.
    //  - the first reading takes the start of the second the clock started
    //    in (start), or else of its own second, minus 1 ms as the previous
    //    (started at 7:30:00.4, the first tick a second later rings 7:30);
    //  - minute starts older than now - 60 s are dropped (a resume from
    //    suspend or a clock set forward brings no flood of stale alarms);
    //  - a minute start served less than 60 s ago (steady time) is not
    //    served again after the clock was set back; later it is (the end
    //    of summer time repeats an hour).
    std::vector<WallMs> advance(WallMs now, std::int64_t steady);

    // The clock started at `at`: the first reading serves from the start of
    // that second on.
    void start(WallMs at);
    // Forgets the previous reading (the next one counts as the first).
    void reset();

private:
    struct Served {
        WallMs minute;
        std::int64_t steady;
    };
    bool m_started = false;
    WallMs m_previous = 0;
    std::vector<Served> m_served;  // within the last 60 s of steady time
};

}  // namespace vel::clock
