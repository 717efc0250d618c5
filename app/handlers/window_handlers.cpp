// The clock window's pop-up menu and closing the program.
#include "app/handlers/handler_table.h"
#include "app/window/clock_window.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/runtime_errors.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

// At the mouse position offset by (+3, +3).
void show_popup_menu() {
    call(cmd_popup_menu, clock_window::kWindow.arg(),
         clock_window::menu_item(ui::clock::右键).arg());
}

}  // namespace

HandlerResult on_clock_right_pressed(std::span<const std::int32_t>) {
    show_popup_menu();
    return std::nullopt;
}

HandlerResult on_panel_right_pressed(std::span<const std::int32_t>) {
    show_popup_menu();
    return std::nullopt;
}

void close_program() {
    remove_tray_icon();
    end_program(0);
}

HandlerResult on_menu_close_program(std::span<const std::int32_t>) {
    close_program();
}

}  // namespace vel
