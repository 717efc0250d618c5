#pragma once
// What a unit hands to the runtime when it raises an event, and the shape of
// the logic's handler routines.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "forms/resource/form_resource.h"

namespace vel {

struct EventRecord {
    WindowId window = 0;
    UnitId unit = 0;
    std::int32_t event = 0;
    std::int32_t arg_count = 0;  // 0 to 5
    std::array<std::int32_t, 5> args{};
    bool has_result = false;  // filled in by dispatch
    std::int32_t result = 0;
};

// A handler gets the event's arguments in order and gives a result, or none
// (a handler "that returns nothing").
using HandlerResult = std::optional<std::int32_t>;
using HandlerFn = HandlerResult (*)(std::span<const std::int32_t> args);

// Event numbers of the window unit.
inline constexpr int kEvCreated = 0;
inline constexpr int kEvCloseRequest = 1;
inline constexpr int kEvDestroying = 2;
inline constexpr int kEvMoved = 3;
inline constexpr int kEvResized = 4;
inline constexpr int kEvActivated = 5;
inline constexpr int kEvDeactivated = 6;
inline constexpr int kEvFirstActivation = 8;
inline constexpr int kEvTray = 9;
inline constexpr int kEvShown = 10;
inline constexpr int kEvHidden = 11;
// Common events of every unit with a window.
inline constexpr int kEvLeftDown = -1;
inline constexpr int kEvLeftUp = -2;
inline constexpr int kEvLeftDouble = -3;
inline constexpr int kEvRightDown = -4;
inline constexpr int kEvRightUp = -5;
inline constexpr int kEvMouseMove = -6;
inline constexpr int kEvFocusIn = -7;
inline constexpr int kEvFocusOut = -8;
inline constexpr int kEvKeyDown = -9;
inline constexpr int kEvKeyUp = -10;
inline constexpr int kEvChar = -11;
inline constexpr int kEvWheel = -12;

}  // namespace vel
