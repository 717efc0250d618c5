#pragma once

namespace vel {

// The program's entry: initialises the runtime, creates the clock window and
// runs the message loop until the program ends.
int run_clock(int argc, char** argv);

}  // namespace vel
