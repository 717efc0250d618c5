#pragma once
// Named events: a name that exists exactly as long as the process that
// created it. The creator holds a lock on a file named after the event, in a
// folder of this user's that no one else may write: "velclock" in the
// session's runtime folder ($XDG_RUNTIME_DIR), or in the user's data folder
// when there is none. The lock belongs to the creator's open descriptor (an
// open-file-description lock), so the kernel drops it however the process
// ends, and a check asks whether it is held without taking it. Another user
// can neither take the lock nor stand in for it, as they could with a name
// that anyone may bind first. The display is part of the file name: one event
// per user and display.
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

using EventHandle = std::int64_t;  // 0 = none

// Creates the event `name` (GBK, may be empty for an unnamed event). When it
// exists already (here or in another process) the handle names the existing
// one. 0 when it cannot be created (no folder of the user's own to hold it).
EventHandle create_named_event(std::string_view name);
// A handle when an event of that name exists now, else 0.
EventHandle open_named_event(std::string_view name);
// Closes a handle; the event ends with the last handle of its creator.
bool close_event_handle(EventHandle handle);

// The display as host and display number: ":0", ":0.0" and "unix:0" are one.
std::string display_identity(std::string_view display);
// The folder that holds the events' lock files, made when missing; empty when
// neither candidate is a folder of this user's alone.
std::string named_event_folder();
// The lock file's name for `name` within that folder, for the current display.
std::string named_event_file(std::string_view name);

}  // namespace plat
