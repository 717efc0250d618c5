#pragma once
// Named events: a name that exists exactly as long as the process that
// created it. Built on a listening abstract-namespace Unix stream socket,
// which the kernel removes when its last descriptor closes, however the
// process ends; a thread of the creator accepts and drops the connections
// that checks make. Abstract names are shared by every user of the machine (per
// network namespace) and carry no permissions, so the name carries the user
// id and the display, and an event counts only when its listener belongs to
// this user: another user cannot stand in for ours by taking the name.
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

using EventHandle = std::int64_t;  // 0 = none

// Creates the event `name` (GBK, may be empty for an unnamed event). When it
// exists already (here or in another process) the handle names the existing
// one; when another user holds the name, the handle names no event at all.
// 0 when it cannot be created.
EventHandle create_named_event(std::string_view name);
// A handle when an event of that name exists now, else 0.
EventHandle open_named_event(std::string_view name);
// Closes a handle; the event ends with the last handle of its creator.
bool close_event_handle(EventHandle handle);

// The display as host and display number: ":0", ":0.0" and "unix:0" are one.
std::string display_identity(std::string_view display);
// The socket name used for `name` (without the leading zero byte).
std::string named_event_address(std::string_view name);

}  // namespace plat
