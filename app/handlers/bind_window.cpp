// The clock window's lifecycle, its pop-up menus and the setting toggles.
#include <utility>

#include "app/handlers/handler_table.h"
#include "app/settings/toggles.h"
#include "app/window/drag.h"
#include "app/window/place.h"

namespace vel {
namespace {

template <std::size_t Row>
HandlerResult on_stored_setting(std::span<const std::int32_t>) {
    settings::choose(settings::kStoredSettings[Row]);
    return std::nullopt;
}

template <std::size_t... Row>
void bind_stored_settings(const HandlerBinder& bind, std::index_sequence<Row...>) {
    (bind(settings::kStoredSettings[Row].handler, on_stored_setting<Row>), ...);
}

}  // namespace

void bind_window_handlers(const HandlerBinder& bind) {
    bind(HandlerIndex::clock_created, on_clock_created);
    bind(HandlerIndex::clock_moved, on_clock_moved);
    bind(HandlerIndex::clock_tray_event, on_clock_tray_event);
    bind(HandlerIndex::clock_right_pressed, on_clock_right_pressed);
    bind(HandlerIndex::panel_left_pressed, on_panel_left_pressed);
    bind(HandlerIndex::panel_left_released, on_panel_left_released);
    bind(HandlerIndex::panel_right_pressed, on_panel_right_pressed);
    bind(HandlerIndex::menu_close_program, on_menu_close_program);
    bind_stored_settings(bind, std::make_index_sequence<settings::kStoredSettings.size()>{});
}

}  // namespace vel
