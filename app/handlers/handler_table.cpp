// Binds the handler names of the form description to the app's routines.
#include "app/handlers/handler_table.h"

namespace vel {
namespace {

HandlerResult nothing(std::span<const std::int32_t>) {
    return std::nullopt;
}

std::array<HandlerFn, kHandlerCount> make_table() {
    std::array<HandlerFn, kHandlerCount> table{};
    table.fill(nothing);
    const HandlerBinder bind(table);
    bind_window_handlers(bind);
    bind_alarm_handlers(bind);
    bind_background_handlers(bind);
    return table;
}

}  // namespace

std::span<const HandlerFn> clock_handler_table() {
    static const std::array<HandlerFn, kHandlerCount> table = make_table();
    return table;
}

}  // namespace vel
