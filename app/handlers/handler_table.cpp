// Binds the handler names of the form description to the app's routines.
#include "app/handlers/handler_table.h"

#include <array>

#include "forms/resource/handler_names.h"

namespace vel {
namespace {

HandlerResult nothing(std::span<const std::int32_t>) {
    return std::nullopt;
}

std::array<HandlerFn, kHandlerCount> make_table() {
    std::array<HandlerFn, kHandlerCount> table{};
    table.fill(nothing);
    auto bind = [&table](HandlerIndex index, HandlerFn fn) {
        table[static_cast<std::size_t>(index)] = fn;
    };
    bind(HandlerIndex::clock_right_pressed, on_clock_right_pressed);
    bind(HandlerIndex::panel_right_pressed, on_panel_right_pressed);
    bind(HandlerIndex::menu_set_alarms, on_menu_set_alarms);
    bind(HandlerIndex::menu_close_program, on_menu_close_program);
    bind(HandlerIndex::alarm_close, on_alarm_close);
    bind(HandlerIndex::clock_created, on_clock_created);
    bind(HandlerIndex::clock_tick, on_clock_tick);
    bind(HandlerIndex::clock_tray_event, on_clock_tray_event);
    return table;
}

}  // namespace

std::span<const HandlerFn> clock_handler_table() {
    static const std::array<HandlerFn, kHandlerCount> table = make_table();
    return table;
}

}  // namespace vel
