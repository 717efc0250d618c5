// The clock window's created event, its tray icon and the timer's tick.
#include "app/face/face_draw.h"
#include "app/handlers/clock_ids.h"
#include "app/handlers/handler_table.h"
#include "forms/appearance/tray_command.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "resources/embedded.h"

namespace vel {
namespace {

// "VEL时钟" in GBK.
constexpr char kTrayTip[] = "VEL\xCA\xB1\xD6\xD3";
constexpr int kTrayRightClick = 3;

ArgRecord clock_window_ref() {
    return arg_unit(ids::kClockWindow, ids::kClockWindowUnit, TAG_UNIT_WINDOW);
}

}  // namespace

void put_tray_icon() {
    const unsigned char* icon = embedded_byteset("clock.ico");
    if (!icon) return;
    call(cmd_set_tray_icon, clock_window_ref(), arg_byteset(icon), arg_text(kTrayTip));
}

void remove_tray_icon() {
    call(cmd_set_tray_icon, clock_window_ref(), arg_byteset(nullptr));
}

HandlerResult on_clock_created(std::span<const std::int32_t>) {
    put_tray_icon();
    // Show a face at once rather than after the first tick.
    draw_face();
    return std::nullopt;
}

HandlerResult on_clock_tick(std::span<const std::int32_t>) {
    draw_face();
    return std::nullopt;
}

HandlerResult on_clock_tray_event(std::span<const std::int32_t> args) {
    if (!args.empty() && args[0] == kTrayRightClick)
        call(cmd_popup_menu_from_tray, clock_window_ref(),
             arg_unit(ids::kClockWindow, ids::k右键, TAG_UNIT_MENU));
    return std::nullopt;
}

}  // namespace vel
