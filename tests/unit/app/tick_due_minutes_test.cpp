// Which minute starts a run of readings serves, with the steady time (which
// no clock setting moves) given alongside each wall-clock reading.
#include <gtest/gtest.h>

#include <optional>

#include "app/tick/due_minutes.h"

namespace vel::clock {
namespace {

constexpr WallMs kHour = 3'600'000;

// A wall time on 1970-01-01 (any day does), h:m:s.ms.
WallMs wall(int h, int m, int s, int ms = 0) {
    return ((h * 60 + m) * 60 + s) * 1000LL + ms;
}

struct Reading {
    WallMs wall;
    std::int64_t steady;
};

struct Row {
    const char* what;
    std::vector<Reading> readings;
    std::vector<WallMs> served;          // every minute start served, in order
    std::optional<WallMs> started = {};  // when the clock started, if it did
};

TEST(DueMinutes, EachMinuteStartOnceWithinItsMinute) {
    for (const Row& row : {
             Row{"a first reading within second 0",
                 {{wall(7, 30, 0, 400), 0}, {wall(7, 30, 1, 400), 1000}},
                 {wall(7, 30, 0)}},
             Row{"started within second 0, first tick a second later",
                 {{wall(14, 0, 1, 400), 1000}},
                 {wall(14, 0, 0)},
                 wall(14, 0, 0, 400)},
             Row{"started in second 1", {{wall(14, 0, 2), 1000}}, {}, wall(14, 0, 1)},
             Row{"exactly on the minute",
                 {{wall(7, 29, 59), 0}, {wall(7, 30, 0), 1000}},
                 {wall(7, 30, 0)}},
             Row{"across midnight",
                 {{wall(23, 59, 59, 800), 0}, {wall(24, 0, 1, 100), 1300}},
                 {wall(24, 0, 0)}},
             Row{"steady ticks",
                 {{wall(7, 29, 59, 600), 0}, {wall(7, 30, 0, 600), 1000}},
                 {wall(7, 30, 0)}},
             Row{"a skipped second 0",
                 {{wall(7, 29, 59, 900), 0}, {wall(7, 30, 1, 100), 1200}},
                 {wall(7, 30, 0)}},
             Row{"the chime's wait",
                 {{wall(8, 0, 0, 100), 0}, {wall(8, 0, 2, 800), 2700}},
                 {wall(8, 0, 0)}},
             Row{"a long prompt: two minutes late, the last one only",
                 {{wall(7, 29, 59, 900), 0}, {wall(7, 31, 30), 90'100}},
                 {wall(7, 31, 0)}},
             Row{"resume after hours: only the last minute",
                 {{wall(1, 0, 30), 0}, {wall(6, 0, 30), 5 * kHour}},
                 {wall(6, 0, 0)}},
             Row{"set back 30 s: not again",
                 {{wall(7, 30, 0, 500), 0},
                  {wall(7, 30, 20), 19'500},
                  {wall(7, 29, 50), 20'500},
                  {wall(7, 30, 0, 300), 30'800},
                  {wall(7, 30, 1), 31'500}},
                 {wall(7, 30, 0)}},
             Row{"summer time ends: the hour rings again",
                 {{wall(2, 59, 59, 500), 0},
                  {wall(3, 0, 0, 500), 1000},
                  {wall(2, 0, 1), 1500},
                  {wall(2, 59, 59, 500), kHour},
                  {wall(3, 0, 0, 500), kHour + 1000}},
                 // (the hour in between is skipped here: its last minute comes with it)
                 {wall(3, 0, 0), wall(2, 59, 0), wall(3, 0, 0)}},
             Row{"set back 90 s: rings again",
                 {{wall(7, 30, 0, 500), 0},
                  {wall(7, 29, 0), 29'500},
                  {wall(7, 30, 0, 100), 90'100}},
                 {wall(7, 30, 0), wall(7, 30, 0)}},
         }) {
        DueMinutes due;
        if (row.started) due.start(*row.started);
        std::vector<WallMs> served;
        for (const Reading& r : row.readings)
            for (WallMs m : due.advance(r.wall, r.steady)) served.push_back(m);
        EXPECT_EQ(served, row.served) << row.what;
    }
}

TEST(DueMinutes, HourAndMinuteOfAWallTime) {
    CivilTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 31;
    t.hour = 23;
    t.minute = 59;
    t.second = 59;
    t.millisecond = 999;
    EXPECT_EQ(wall_hour(wall_ms(t)), 23);
    EXPECT_EQ(wall_minute(wall_ms(t)), 59);
    EXPECT_EQ(wall_hour(wall_ms(t) + 1), 0) << "new year's midnight";
    EXPECT_EQ(wall_minute(wall_ms(t) + 1), 0);
}

}  // namespace
}  // namespace vel::clock
