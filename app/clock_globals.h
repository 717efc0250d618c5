#pragma once
// The clock's own globals, read and written on the user-interface thread.
#include <string>
#include <vector>

#include "library/blocks.h"

namespace vel::clock {

// The chime sounds: entries 1-24 announce the hours 0-23, entry 25 is the
// half-hour sound (entry 0 stays empty). Empty until the first chime and
// filled afresh at each one; released at the end of the program.
inline std::vector<Bytes> chime_sounds;

// The alarm editor's texts and numbers; they outlive the editor window, so
// a reopened editor adds with what was typed last time.
inline std::string typed_name;
inline int typed_hour = 0;
inline int typed_minute = 0;
inline std::string ring_text;  // the ring of the last add or modify
// The alarm line loaded by the last selection, kept as the new line after
// a modify so that a second modify reaches the file too.
inline std::string selected_alarm_text;

// Lets go of the chime sounds and the editor's texts (program end).
void release_globals();

}  // namespace vel::clock
