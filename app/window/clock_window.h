#pragma once
// The clock window as the settings and lifecycle handlers see it: a few of
// its properties, the check marks of its menu items, its platform handle.
#include <cstdint>

#include "app/handlers/clock_ids.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_ref.h"

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

// Items of the pop-up menu 右键.
inline constexpr UnitId k开机启动 = 0x26010011;
inline constexpr UnitId k半点报时 = 0x26010012;
inline constexpr UnitId k置于顶层 = 0x26010015;
inline constexpr UnitId k鼠标穿透 = 0x26010016;
inline constexpr UnitId k嵌入桌面 = 0x26010017;
inline constexpr UnitId k正方形 = 0x26010019;
inline constexpr UnitId k圆形 = 0x2601001A;
inline constexpr UnitId k圆角方形 = 0x2601001B;

// The window unit itself, and the items of its menus.
inline constexpr UnitRef kWindow{ids::kClockWindow, ids::kClockWindowUnit, TAG_UNIT_WINDOW};
inline constexpr UnitRef menu_item(UnitId item) {
    return {ids::kClockWindow, item, TAG_UNIT_MENU};
}

// A menu item's check mark: the only record of a toggle's state.
bool checked(UnitId item);
void set_checked(UnitId item, bool on);

// The window's platform handle, as the external routines take it.
std::int64_t handle();

}  // namespace vel::clock_window
