#pragma once
// The app's handler table: one routine per name of the form description's
// handler list, in its index order (unbound names hold an empty handler).
#include <array>
#include <span>

#include "app/handlers/handler_names.h"
#include "forms/runtime/event_record.h"

namespace vel {

std::span<const HandlerFn> clock_handler_table();

// Fills the table's slots; each family of handlers binds its own.
class HandlerBinder {
public:
    explicit HandlerBinder(std::array<HandlerFn, kHandlerCount>& table) : m_table(table) {}
    void operator()(HandlerIndex index, HandlerFn fn) const {
        m_table[static_cast<std::size_t>(index)] = fn;
    }

private:
    std::array<HandlerFn, kHandlerCount>& m_table;
};

// The clock window's lifecycle, its menus and the setting toggles.
void bind_window_handlers(const HandlerBinder& bind);
// The tick, the chime and the alarms, and the alarm editor.
void bind_alarm_handlers(const HandlerBinder& bind);
// Backgrounds, about and help.
void bind_background_handlers(const HandlerBinder& bind);

// The handlers written so far.
HandlerResult on_clock_right_pressed(std::span<const std::int32_t> args);
HandlerResult on_panel_right_pressed(std::span<const std::int32_t> args);
HandlerResult on_menu_set_alarms(std::span<const std::int32_t> args);
HandlerResult on_menu_close_program(std::span<const std::int32_t> args);
HandlerResult on_alarm_close(std::span<const std::int32_t> args);
HandlerResult on_alarm_editor_created(std::span<const std::int32_t> args);
HandlerResult on_alarm_name_changed(std::span<const std::int32_t> args);
HandlerResult on_alarm_hour_changed(std::span<const std::int32_t> args);
HandlerResult on_alarm_minute_changed(std::span<const std::int32_t> args);
HandlerResult on_alarm_list_selected(std::span<const std::int32_t> args);
HandlerResult on_alarm_add(std::span<const std::int32_t> args);
HandlerResult on_alarm_modify(std::span<const std::int32_t> args);
HandlerResult on_alarm_delete(std::span<const std::int32_t> args);
HandlerResult on_clock_created(std::span<const std::int32_t> args);
HandlerResult on_clock_tick(std::span<const std::int32_t> args);
HandlerResult on_clock_tray_event(std::span<const std::int32_t> args);

// The clock window's tray icon (the program's icon, its file name as the tip), and its
// removal.
void put_tray_icon();
void remove_tray_icon();
// "关闭程序": removes the tray icon and ends the program at once (exit code 0).
[[noreturn]] void close_program();

}  // namespace vel
