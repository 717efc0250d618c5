#pragma once
// Window-manager requests and queries on X11 windows (EWMH). The caller
// passes the display connection its windows live on, so that our requests
// are ordered with the toolkit's own.
#include <cstdint>
#include <vector>

struct _XDisplay;

namespace plat::x11 {

using WindowId = std::uint32_t;

// The desktop window (_NET_WM_WINDOW_TYPE_DESKTOP) among the window
// manager's clients and the root's children two levels down; 0 if none.
WindowId find_desktop_window(_XDisplay* display);
// Children of `window`, top-most first; empty when it does not exist.
std::vector<WindowId> children(_XDisplay* display, WindowId window);

// Asks the window manager to add or remove a _NET_WM_STATE_* atom (and
// keeps the property itself in step for a window that is not mapped yet).
void request_net_wm_state(_XDisplay* display, WindowId window, const char* state_atom, bool on);
// Shows the window on every workspace (sticky), or on the current one only.
void set_on_all_desktops(_XDisplay* display, WindowId window, bool on);

}  // namespace plat::x11
