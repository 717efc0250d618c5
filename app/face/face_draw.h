#pragma once
// Draws the clock face for one reading of the time: composes the frame on
// the hidden panel 画板1 and copies it in one block to the visible 画板2.
// Stores that reading's hour, minute and second as the current ones
// (app/clock_globals.h).
#include "library/datetime/date_time.h"

namespace vel {

void draw_face(const CivilTime& now);
// The same for a reading taken here.
void draw_face();

}  // namespace vel
