#include "app/about/messages.h"

#include "app/handlers/clock_ids.h"
#include "forms/runtime/form_runtime.h"
#include "library/call.h"
#include "library/commands/system.h"

namespace vel {
namespace {

constexpr UnitId k置于顶层 = 0x26010015;
constexpr int kAlwaysOnTop = 29;
constexpr int kChecked = 1;

void set_on_top(bool on) {
    FormRuntime::instance().set_property(ids::kClockWindow, ids::kClockWindowUnit, kAlwaysOnTop, -1,
                                         Value{on ? 1u : 0u, TAG_LOGICAL});
}

}  // namespace

void show_message(const char* text, const char* caption) {
    set_on_top(false);
    call(cmd_message_box, arg_text(text), arg_int(0), arg_text(caption));
    const Value keep = FormRuntime::instance().get_property(ids::kClockWindow, k置于顶层, kChecked);
    if ((keep.payload & 0xFFFFFFFFu) != 0) set_on_top(true);
}

}  // namespace vel
