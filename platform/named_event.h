#pragma once
// Named events: a name that exists exactly as long as the process that
// created it. Built on an abstract-namespace Unix datagram socket, which the
// kernel removes when its last descriptor closes, however the process ends.
// Abstract names are shared by every user of the machine (per network
// namespace), so the name carries the user id and the display.
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

using EventHandle = std::int64_t;  // 0 = none

// Creates the event `name` (GBK, may be empty for an unnamed event). When it
// exists already (here or in another process) the handle names the existing
// one. 0 when it cannot be created.
EventHandle create_named_event(std::string_view name);
// A handle when an event of that name exists now, else 0.
EventHandle open_named_event(std::string_view name);
// Closes a handle; the event ends with the last handle of its creator.
bool close_event_handle(EventHandle handle);

// The socket name used for `name` (without the leading zero byte).
std::string named_event_address(std::string_view name);

}  // namespace plat
