#pragma once
// The clock window as the settings and lifecycle handlers see it: a few of
// its properties, the check marks of its menu items, its platform handle.
#include <cstdint>

#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_ref.h"
#include "resources/form_ids.h"

namespace vel::clock_window {

// The window's properties the handlers use.
inline constexpr int kLeft = prop::kLeft;
inline constexpr int kTop = prop::kTop;
inline constexpr int kWidth = prop::kWidth;
inline constexpr int kHeight = prop::kHeight;
inline constexpr int kVisible = prop::kVisible;
inline constexpr int kFreeMove = prop::kWindowFreeMove;  // dragged by its client area
inline constexpr int kShape = prop::kWindowShape;  // 0 rectangle, 1 ellipse, 2 rounded rectangle
inline constexpr int kAlwaysOnTop = prop::kWindowAlwaysOnTop;

// The window unit itself, and the items of its menus.
inline constexpr UnitRef kWindow{ui::clock::kWindow, ui::clock::kWindowUnit, TAG_UNIT_WINDOW};
inline constexpr UnitRef menu_item(UnitId item) {
    return {ui::clock::kWindow, item, TAG_UNIT_MENU};
}

// A menu item's check mark: the only record of a toggle's state.
bool checked(UnitId item);
void set_checked(UnitId item, bool on);

// The window's platform handle, as the external routines take it.
std::int64_t handle();

}  // namespace vel::clock_window
