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

// Left goes back to 0 when it lies at or beyond the right edge of the box
// around all screens, top likewise at or beyond its bottom edge. Places to
// the left of or above the screens stay. No screens: unchanged.
Place keep_on_screens(Place place, std::span<const ScreenArea> screens);

// Start-up: moves the clock window to the stored place.
void restore_place();

HandlerResult on_clock_moved(std::span<const std::int32_t> args);

}  // namespace vel
