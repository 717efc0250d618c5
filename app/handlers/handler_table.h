#pragma once
// The app's handler table: one routine per name of the form description's
// handler list, in its index order (unbound names hold an empty handler).
#include <span>

#include "forms/runtime/event_record.h"

namespace vel {

std::span<const HandlerFn> clock_handler_table();

// The handlers written so far.
HandlerResult on_clock_right_pressed(std::span<const std::int32_t> args);
HandlerResult on_panel_right_pressed(std::span<const std::int32_t> args);
HandlerResult on_menu_set_alarms(std::span<const std::int32_t> args);
HandlerResult on_menu_close_program(std::span<const std::int32_t> args);
HandlerResult on_alarm_close(std::span<const std::int32_t> args);
HandlerResult on_clock_created(std::span<const std::int32_t> args);
HandlerResult on_clock_tick(std::span<const std::int32_t> args);
HandlerResult on_clock_tray_event(std::span<const std::int32_t> args);

// The clock window's tray icon (the program's icon, tip "VEL时钟"), and its
// removal.
void put_tray_icon();
void remove_tray_icon();

}  // namespace vel
