#pragma once
// Moving the clock by dragging its face (画板2) with the left button: the
// window jumps to its new place when the button is released.
#include <cstdint>
#include <span>

#include "forms/runtime/event_record.h"

namespace vel {

HandlerResult on_panel_left_pressed(std::span<const std::int32_t> args);
HandlerResult on_panel_left_released(std::span<const std::int32_t> args);

}  // namespace vel
