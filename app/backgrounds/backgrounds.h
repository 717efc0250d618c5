#pragma once
// The clock's backgrounds: twelve colours, the supplied pictures and the
// user's own picture, remembered in background.vel.
namespace vel {

// Re-applies the background saved in background.vel (called once the clock
// window has been created).
void restore_background();

}  // namespace vel
