#include "app/common/message.h"

#include <string>

#include "app/editor/editor_units.h"
#include "app/window/clock_window.h"
#include "forms/runtime/property_numbers.h"
#include "library/call.h"
#include "library/commands/system.h"
#include "resources/form_ids.h"

namespace vel::clock {
namespace {

void set_on_top(const UnitRef& window, bool on) {
    if (window.window_loaded()) window.set_flag(prop::kWindowAlwaysOnTop, on);
}

// Whether the menu item "置于顶层" is checked.
bool keep_on_top_checked() {
    return clock_window::kWindow.window_loaded() && clock_window::checked(ui::clock::置于顶层);
}

}  // namespace

int show_message(std::string_view text, std::string_view caption, int flags,
                 const std::function<void()>& before_restore) {
    set_on_top(clock_window::kWindow, false);
    set_on_top(editor::kWindow, false);
    // The command reads zero-terminated texts.
    const std::string t(text), c(caption);
    const int answer =
        call(cmd_message_box, arg_text(t.c_str()), arg_int(flags), arg_text(c.c_str())).as_int();
    if (before_restore) before_restore();
    if (keep_on_top_checked()) set_on_top(clock_window::kWindow, true);
    // The editor's own form keeps it on top whatever the menu says.
    set_on_top(editor::kWindow, true);
    return answer;
}

}  // namespace vel::clock
