#pragma once
// Window appearance services beyond plain surfaces: the window's shape mask,
// the system's button-face colour, and the tray icon. User-interface thread
// only, like the rest of the window system.
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace plat {

// The system's button-face colour as 0x00BBGGRR (what 0xFF000000 stands for).
std::uint32_t system_face_colour();

// Limits the window to the union of `rects` (in the window's device pixels
// at `ratio` device pixels per client pixel, see device_ratio) and repaints
// it; an empty span removes the mask: the full rectangle again.
void set_window_region(Widget* w, std::span<const Rect> rects, double ratio);
// Whether client pixel (x, y) of the window lies inside its mask (its device
// pixel does; everywhere when there is no mask).
bool window_region_contains(Widget* w, int x, int y);

// One size of an icon: pixels (0x00BBGGRR words) with an optional per-pixel
// opacity (0 ... 255, one byte per pixel, empty = opaque).
struct IconImage {
    PixelView image;
    std::span<const std::uint8_t> alpha;
};

// The window's own icon (title bar, task switcher) in one or more sizes (a
// high-density screen takes the larger), pixels and opacity as for the tray
// icon below. False when none is usable.
bool set_window_icon(Widget* w, std::span<const IconImage> sizes);

// ---- the tray icon --------------------------------------------------------
// Clicks on the icon: 1 left click, 2 double click, 3 right click / context.
using TrayClick = std::function<void(int kind)>;
// Shows (or changes) the tray icon that belongs to `owner`: the icon in one
// or more sizes (the tray shows the one that fits its size and the screen's
// density best) and a tip (GBK). With no tray host the icon waits until one
// appears. False when no size is usable.
bool set_tray_icon(Widget* owner, std::span<const IconImage> sizes, std::string_view tip,
                   TrayClick on_click);
// Whether a tray host runs now, so that tray icons are seen.
bool tray_available();
// Removes the owner's tray icon; nothing happens when it has none.
void remove_tray_icon(Widget* owner);
bool has_tray_icon(Widget* owner);
std::string tray_tip(Widget* owner);               // GBK; empty when there is no icon
std::vector<Size> tray_icon_sizes(Widget* owner);  // the sizes the icon has (tests)
// Delivers a click as if the user clicked the icon (tests).
void send_tray_click(Widget* owner, int kind);

}  // namespace plat
