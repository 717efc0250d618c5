#pragma once
// The setting toggles of the pop-up menu. Each decides from its item's check
// mark alone which way to go, applies the effect to the clock window and
// stores the new state in its settings file.
#include <cstdint>
#include <span>

#include "forms/runtime/event_record.h"

namespace vel {

void toggle_autostart();
void toggle_half_hour_chime();
void toggle_keep_on_top();
void toggle_mouse_through();
void toggle_embed_desktop();
// 0 square, 1 circle, 2 rounded square.
void choose_shape(int shape);

// Start-up: re-applies the choices stored in the settings folder.
void restore_settings();

HandlerResult on_menu_autostart(std::span<const std::int32_t> args);
HandlerResult on_menu_half_hour_chime(std::span<const std::int32_t> args);
HandlerResult on_menu_keep_on_top(std::span<const std::int32_t> args);
HandlerResult on_menu_mouse_through(std::span<const std::int32_t> args);
HandlerResult on_menu_embed_desktop(std::span<const std::int32_t> args);
HandlerResult on_menu_shape_square(std::span<const std::int32_t> args);
HandlerResult on_menu_shape_circle(std::span<const std::int32_t> args);
HandlerResult on_menu_shape_rounded(std::span<const std::int32_t> args);

}  // namespace vel
