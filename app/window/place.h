#pragma once
// The clock window's place, remembered in coordinate.vel as "left,top"
// (decimal, no line break), and kept on the desktop's screens.
#include <span>
#include <string>
#include <string_view>

#include "forms/runtime/event_record.h"
#include "library/commands/system.h"

namespace vel {

struct Place {
    int left = 0;
    int top = 0;
    bool operator==(const Place&) const = default;
};

// The place a stored text names: the integers before and after the first
// comma, as to integer reads them (not a number: 0). Without a comma there is
// no place: (0, 0).
Place parse_place(std::string_view text);
std::string place_text(Place place);

// Where a window of width x height at `place` should be, given the
// monitors (the primary first). It stays where it is while at least a
// 96 x 96 part of it lies on one monitor: a clock tucked half off an edge,
// above or left of the primary included. Otherwise it comes onto the
// primary: a left at or beyond its right edge goes to 0, a top at or beyond
// its bottom edge likewise, and any coordinate that still leaves the window
// partly off it is clamped so that the window lies wholly on it. No
// monitors: unchanged.
Place keep_on_monitors(Place place, int width, int height, std::span<const ScreenArea> monitors);

// Start-up: moves the clock window to the stored place (the moved handler
// then keeps it on the monitors), and from then on brings it back whenever
// a monitor it was on goes away.
void restore_place();

HandlerResult on_clock_moved(std::span<const std::int32_t> args);

}  // namespace vel
