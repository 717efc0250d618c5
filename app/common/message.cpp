#include "app/common/message.h"

#include <string>

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "library/call.h"
#include "library/commands/system.h"
#include "resources/form_ids.h"

namespace vel::clock {
namespace {

void set_on_top(WindowId window, UnitId unit, bool on) {
    FormRuntime& rt = FormRuntime::instance();
    if (!rt.window_exists(window)) return;
    rt.set_property(window, unit, prop::kWindowAlwaysOnTop, -1, Value{on ? 1u : 0u, TAG_LOGICAL});
}

}  // namespace

bool keep_on_top_checked() {
    FormRuntime& rt = FormRuntime::instance();
    if (!rt.window_exists(ui::clock::kWindow)) return false;
    return (rt.get_property(ui::clock::kWindow, ui::clock::置于顶层, prop::kMenuChecked).payload &
            1) != 0;
}

int show_message(std::string_view text, std::string_view caption, int flags,
                 const std::function<void()>& before_restore) {
    set_on_top(ui::clock::kWindow, ui::clock::kWindowUnit, false);
    set_on_top(ui::editor::kWindow, ui::editor::kWindowUnit, false);
    // The command reads zero-terminated texts.
    const std::string t(text), c(caption);
    const int answer =
        call(cmd_message_box, arg_text(t.c_str()), arg_int(flags), arg_text(c.c_str())).as_int();
    if (before_restore) before_restore();
    if (keep_on_top_checked()) set_on_top(ui::clock::kWindow, ui::clock::kWindowUnit, true);
    // The editor's own form keeps it on top whatever the menu says.
    set_on_top(ui::editor::kWindow, ui::editor::kWindowUnit, true);
    return answer;
}

}  // namespace vel::clock
