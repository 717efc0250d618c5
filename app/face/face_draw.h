#pragma once
// Draws the clock face for the current time: composes the frame on the
// hidden panel 画板1 and copies it in one block to the visible 画板2.
// Updates the current hour, minute and second (app/clock_globals.h).
namespace vel {

void draw_face();

}  // namespace vel
