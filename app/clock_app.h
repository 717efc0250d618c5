#pragma once

namespace vel {

// The program's entry: initialises the runtime, creates the clock window and
// runs the message loop until the program ends.
int run_clock(int argc, char** argv);

// Gives the embedded face pictures their partners drawn at twice the size
// (dial@2x.gif for dial.gif ...), for high-density screens. Called by
// run_clock before any picture is loaded; tests that draw the face call it.
void add_embedded_double_sizes();

}  // namespace vel
