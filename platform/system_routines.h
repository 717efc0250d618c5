#pragma once
// The routines behind the logic's external declarations, gathered in the
// built-in libraries "User32.dll" (windows) and "Kernel32.dll" (events).
// Window handles are X11 window ids; 0 is no window.
#include <cstdint>

namespace plat {

// Makes "User32.dll" and "Kernel32.dll" loadable. Called once at start-up by
// the runtime, before the first external routine is resolved; later calls do
// nothing.
void register_system_libraries();

namespace win32 {

using Handle = std::uint32_t;

inline constexpr Handle kDesktopHandle = 0x10014;  // "the desktop": a normal top-level parent
// Stand-ins for the program manager window and its icon view when the
// desktop has no window of its own. X11 ids never use the top three bits.
inline constexpr Handle kProgmanStandIn = 0xE0000001;
inline constexpr Handle kDesktopViewStandIn = 0xE0000002;

inline constexpr int kGwChild = 5;
inline constexpr int kGwlExStyle = -20;
inline constexpr std::uint32_t kWsExTransparent = 0x20;
inline constexpr std::uint32_t kWsExLayered = 0x80000;
inline constexpr std::uint32_t kLwaColorKey = 1;
inline constexpr std::uint32_t kLwaAlpha = 2;

// class_name and window_name are GBK, null for none.
Handle find_window(const char* class_name, const char* window_name);
Handle get_window(Handle window, int relation);
// Returns the previous parent, 0 when `child` is not a window of this program.
Handle set_parent(Handle child, Handle new_parent);
std::int32_t get_window_long(Handle window, int index);
// Returns the previous value; 0 (and nothing changes) for other windows.
std::int32_t set_window_long(Handle window, int index, std::int32_t value);
bool set_layered_window_attributes(Handle window, std::uint32_t colour_key, int alpha,
                                   std::uint32_t flags);

// What the routines did to a window (tests).
struct WindowState {
    bool known = false;
    bool embedded = false;
    bool input_transparent = false;
    double opacity = 1.0;
};
WindowState window_state(Handle window);

}  // namespace win32
}  // namespace plat
