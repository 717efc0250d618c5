// The tick with its chime and alarm check, and the alarm editor.
#include "app/handlers/handler_table.h"

namespace vel {

void bind_alarm_handlers(const HandlerBinder& bind) {
    bind(HandlerIndex::clock_tick, on_clock_tick);
    bind(HandlerIndex::menu_set_alarms, on_menu_set_alarms);
    bind(HandlerIndex::alarm_close, on_alarm_close);
}

}  // namespace vel
