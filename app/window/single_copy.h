#pragma once
// Only one clock runs at a time: the first copy creates the named event
// "VEL时钟运行中", which exists as long as that process lives.

namespace vel {

// True when another copy is running. Otherwise creates the event (kept open
// until this process ends) and answers false.
bool another_copy_running();

}  // namespace vel
