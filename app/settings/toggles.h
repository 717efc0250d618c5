#pragma once
// The stored settings of the pop-up menu, one row each. A setting's state is
// its item's check mark alone; its file in the settings folder holds exactly
// the item's caption while it is on, and anything else reads as off. The
// menu handlers, the start-up restore and the tests all walk these rows;
// start-up in this order, so a stored keep-on-top empties insert.vel
// before it is read.
#include <array>
#include <string_view>

#include "app/handlers/handler_names.h"
#include "app/window/clock_window.h"
#include "resources/form_ids.h"

namespace vel::settings {

// The effect on the clock window of turning a setting on or off; false when
// turning on failed, so that the item is neither checked nor stored.
using Apply = bool (*)(bool on);
bool apply_autostart(bool on);
bool apply_keep_on_top(bool on);
bool apply_mouse_through(bool on);
bool apply_embed_desktop(bool on);

inline constexpr int kNoShape = -1;

struct StoredSetting {
    UnitId item;
    HandlerIndex handler;   // bound to the item's click
    std::string_view file;  // in the settings folder
    std::string_view on;    // the item's caption (GBK), 8 bytes at most
    // Null where the check mark is the whole effect: the chime reads it, a
    // shape sets `shape`.
    Apply apply = nullptr;
    // A window shape: one of the choices sharing outline.vel, rather than a
    // setting turned on and off.
    int shape = kNoShape;
    // While it is on, only the tray icon's menu reaches the clock.
    bool tray_only = false;
};

inline constexpr std::array<StoredSetting, 8> kStoredSettings = {{
    {ui::clock::开机启动, HandlerIndex::menu_autostart, "start.vel",
     "\xBF\xAA\xBB\xFA\xC6\xF4\xB6\xAF", apply_autostart},
    {ui::clock::半点报时, HandlerIndex::menu_half_hour_chime, "hour.vel",
     "\xB0\xEB\xB5\xE3\xB1\xA8\xCA\xB1"},
    {ui::clock::置于顶层, HandlerIndex::menu_keep_on_top, "top.vel",
     "\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3", apply_keep_on_top},
    {ui::clock::鼠标穿透, HandlerIndex::menu_mouse_through, "mouse.vel",
     "\xCA\xF3\xB1\xEA\xB4\xA9\xCD\xB8", apply_mouse_through, kNoShape, true},
    {ui::clock::嵌入桌面, HandlerIndex::menu_embed_desktop, "insert.vel",
     "\xC7\xB6\xC8\xEB\xD7\xC0\xC3\xE6", apply_embed_desktop},
    {ui::clock::正方形, HandlerIndex::menu_shape_square, "outline.vel", "\xD5\xFD\xB7\xBD\xD0\xCE",
     nullptr, 0},
    {ui::clock::圆形, HandlerIndex::menu_shape_circle, "outline.vel", "\xD4\xB2\xD0\xCE", nullptr,
     1},
    {ui::clock::圆角方形, HandlerIndex::menu_shape_rounded, "outline.vel",
     "\xD4\xB2\xBD\xC7\xB7\xBD\xD0\xCE", nullptr, 2},
}};

// The row of a menu item of the table; any other item does not compile.
consteval const StoredSetting& stored(UnitId item) {
    for (const StoredSetting& row : kStoredSettings)
        if (row.item == item) return row;
    throw "no stored setting for this menu item";
}

// What choosing the row's item from the menu does: a setting goes the other
// way from its check mark (never from its file), a shape is chosen.
void choose(const StoredSetting& row);

}  // namespace vel::settings

namespace vel {

// Start-up: re-applies the choices stored in the settings folder.
void restore_settings();

}  // namespace vel
