// The tick with its chime and alarm check, and the alarm editor.
#include "app/handlers/handler_table.h"

namespace vel {

void bind_alarm_handlers(const HandlerBinder& bind) {
    bind(HandlerIndex::clock_tick, on_clock_tick);
    bind(HandlerIndex::menu_set_alarms, on_menu_set_alarms);
    bind(HandlerIndex::alarm_editor_created, on_alarm_editor_created);
    bind(HandlerIndex::alarm_name_changed, on_alarm_name_changed);
    bind(HandlerIndex::alarm_hour_changed, on_alarm_hour_changed);
    bind(HandlerIndex::alarm_minute_changed, on_alarm_minute_changed);
    bind(HandlerIndex::alarm_list_selected, on_alarm_list_selected);
    bind(HandlerIndex::alarm_add, on_alarm_add);
    bind(HandlerIndex::alarm_modify, on_alarm_modify);
    bind(HandlerIndex::alarm_delete, on_alarm_delete);
    bind(HandlerIndex::alarm_close, on_alarm_close);
}

}  // namespace vel
