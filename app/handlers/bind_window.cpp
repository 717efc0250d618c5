// The clock window's lifecycle, its pop-up menus and the setting toggles.
#include "app/handlers/handler_table.h"

namespace vel {

void bind_window_handlers(const HandlerBinder& bind) {
    bind(HandlerIndex::clock_created, on_clock_created);
    bind(HandlerIndex::clock_tray_event, on_clock_tray_event);
    bind(HandlerIndex::clock_right_pressed, on_clock_right_pressed);
    bind(HandlerIndex::panel_right_pressed, on_panel_right_pressed);
    bind(HandlerIndex::menu_close_program, on_menu_close_program);
}

}  // namespace vel
