#pragma once
// The tray icon of a window, as a library command.
#include <cstdint>
#include <span>
#include <vector>

#include "forms/pictures/picture.h"
#include "library/value.h"
#include "platform/appearance.h"

namespace vel {

// The longest tip the tray entry keeps, in bytes.
inline constexpr int kTrayTipBytes = 62;
// The tray entry's number. Its clicks raise the window's kEvTray with the
// kind 1 left click, 2 double click, 3 right click.
inline constexpr int kTrayEntryNumber = 100;

// An icon file's entries nearest `size` and twice `size` pixels square (one
// when both are the same entry; none when the bytes hold no icon), for a
// screen of normal and of high density.
std::vector<Picture> icon_sizes(std::span<const std::uint8_t> bytes, int size = 32);
// Views of `sizes` for the window system (valid while `sizes` lives).
std::vector<plat::IconImage> icon_images(const std::vector<Picture>& sizes);

// set tray icon (window UnitRef, icon: byte set of icon file data or text
// file name, [tip text]). An empty icon removes the window's tray icon.
void cmd_set_tray_icon(ResultRecord* result, int count, const ArgRecord* args);

// Whether tray icons are seen now (a tray host runs); without one an icon
// waits, unseen, until a host starts.
bool tray_available();

}  // namespace vel
