#include "app/window/drag.h"

#include "app/window/clock_window.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "library/commands/system.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

namespace cw = clock_window;

// The cursor's offset from the window's top-left corner at the press.
int g_drag_offset_x = 0;
int g_drag_offset_y = 0;

int mouse_x() {
    return call(cmd_mouse_x).as_int();
}
int mouse_y() {
    return call(cmd_mouse_y).as_int();
}

}  // namespace

HandlerResult on_panel_left_pressed(std::span<const std::int32_t>) {
    g_drag_offset_x = mouse_x() - cw::kWindow.get_int(cw::kLeft);
    g_drag_offset_y = mouse_y() - cw::kWindow.get_int(cw::kTop);
    return std::nullopt;
}

HandlerResult on_panel_left_released(std::span<const std::int32_t>) {
    // An embedded clock stays where it is.
    if (!cw::checked(ui::clock::嵌入桌面))
        call(cmd_move, cw::kWindow.arg(), arg_int(mouse_x() - g_drag_offset_x),
             arg_int(mouse_y() - g_drag_offset_y));
    g_drag_offset_x = 0;
    g_drag_offset_y = 0;
    return std::nullopt;
}

}  // namespace vel
