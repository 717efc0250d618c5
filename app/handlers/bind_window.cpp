// The clock window's lifecycle, its pop-up menus and the setting toggles.
#include "app/handlers/handler_table.h"
#include "app/settings/toggles.h"
#include "app/window/drag.h"
#include "app/window/place.h"

namespace vel {

void bind_window_handlers(const HandlerBinder& bind) {
    bind(HandlerIndex::clock_created, on_clock_created);
    bind(HandlerIndex::clock_moved, on_clock_moved);
    bind(HandlerIndex::clock_tray_event, on_clock_tray_event);
    bind(HandlerIndex::clock_right_pressed, on_clock_right_pressed);
    bind(HandlerIndex::panel_left_pressed, on_panel_left_pressed);
    bind(HandlerIndex::panel_left_released, on_panel_left_released);
    bind(HandlerIndex::panel_right_pressed, on_panel_right_pressed);
    bind(HandlerIndex::menu_close_program, on_menu_close_program);

    bind(HandlerIndex::menu_autostart, on_menu_autostart);
    bind(HandlerIndex::menu_half_hour_chime, on_menu_half_hour_chime);
    bind(HandlerIndex::menu_keep_on_top, on_menu_keep_on_top);
    bind(HandlerIndex::menu_mouse_through, on_menu_mouse_through);
    bind(HandlerIndex::menu_embed_desktop, on_menu_embed_desktop);
    bind(HandlerIndex::menu_shape_square, on_menu_shape_square);
    bind(HandlerIndex::menu_shape_circle, on_menu_shape_circle);
    bind(HandlerIndex::menu_shape_rounded, on_menu_shape_rounded);
}

}  // namespace vel
