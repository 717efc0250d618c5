#pragma once
// Rings the alarms of bell.vel that fall due.
#include <span>

#include "app/tick/due_minutes.h"

namespace vel::clock {

// When a minute start is due, reads bell.vel afresh (nothing is cached: an
// alarm added a moment ago rings) and, for each due minute start in order,
// rings every alarm line of that hour and minute in file order: its ring
// sound, then the prompt "闹铃提示" with the alarm's name, waiting for it to
// be closed, then the sound stops. Closes every file opened through the
// library at the end, due or not.
void check_alarms(std::span<const WallMs> due);

}  // namespace vel::clock
