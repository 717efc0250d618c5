#pragma once
// The clock's own globals, read and written on the user-interface thread.
namespace vel::clock {

// The time of the last face drawn: what the chime and alarm checks read.
inline int current_hour = 0;    // 0-23
inline int current_minute = 0;  // 0-59
inline int current_second = 0;  // 0-59
// The last hand angle drawn, in radians clockwise from 12, single precision.
inline float hand_angle = 0;

}  // namespace vel::clock
