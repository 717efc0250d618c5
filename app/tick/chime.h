#pragma once
// The spoken chime: the hour's announcement, and on the half hour the
// half-hour sound 2.6 s after it.
#include <functional>

namespace vel::clock {

// Whether the menu item "半点报时" is checked.
bool chime_checked();

// Chimes for the minute start hour:minute (minute 0 or 30; any other
// minute plays nothing). Refills the chime sound list first.
void chime(int hour, int minute);

// How the chime waits between its two sounds: by default the blocking
// delay command, so nothing else is handled meanwhile. A simulated run puts
// a wait that advances its fake clock; an empty function restores the delay.
void set_chime_wait(std::function<void(int milliseconds)> wait);

}  // namespace vel::clock
