#include "app/window/clock_window.h"

#include "forms/runtime/unit_methods.h"
#include "library/call.h"

namespace vel::clock_window {

bool checked(UnitId item) {
    return menu_item(item).get_flag(prop::kMenuChecked);
}

void set_checked(UnitId item, bool on) {
    menu_item(item).set_flag(prop::kMenuChecked, on);
}

std::int64_t handle() {
    // The handle is a 32-bit window id; keep it unsigned on the way out.
    return static_cast<std::uint32_t>(call(cmd_get_window_handle, kWindow.arg()).as_int());
}

}  // namespace vel::clock_window
