// The clock window's created event and its tray icon.
#include "app/backgrounds/backgrounds.h"
#include "app/face/face_draw.h"
#include "app/handlers/handler_table.h"
#include "app/settings/toggles.h"
#include "app/tick/tick.h"
#include "app/window/clock_window.h"
#include "app/window/place.h"
#include "app/window/single_copy.h"
#include "forms/appearance/tray_command.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

namespace cw = clock_window;

constexpr int kTrayDoubleClick = 2;
constexpr int kTrayRightClick = 3;

}  // namespace

void put_tray_icon() {
    const unsigned char* icon = embedded_byteset("clock.ico");
    if (!icon) return;
    // The tip is the program's file name, without its folder.
    call(cmd_set_tray_icon, cw::kWindow.arg(), arg_byteset(icon),
         arg_text(executable_file_name().c_str()));
}

void remove_tray_icon() {
    call(cmd_set_tray_icon, cw::kWindow.arg(), arg_byteset(nullptr));
}

HandlerResult on_clock_created(std::span<const std::int32_t>) {
    // A second copy ends here, before it has saved, applied or shown
    // anything: a posted close would still let its moved event write its
    // own centred place over the running copy's.
    if (another_copy_running()) close_program();
    restore_place();
    put_tray_icon();
    restore_settings();
    restore_background();
    call(cmd_close_all_files);
    // Show a face at once rather than after the first tick.
    const CivilTime now = current_civil_time();
    draw_face(now);
    clock::start_tick(now);
    return std::nullopt;
}

HandlerResult on_clock_tray_event(std::span<const std::int32_t> args) {
    const int kind = args.empty() ? 0 : args[0];
    if (kind == kTrayRightClick) {
        call(cmd_popup_menu_from_tray, cw::kWindow.arg(), cw::menu_item(ui::clock::右键).arg());
    } else if (kind == kTrayDoubleClick && !cw::checked(ui::clock::嵌入桌面)) {
        cw::kWindow.set_flag(cw::kVisible, !cw::kWindow.get_int(cw::kVisible));
    }
    return std::nullopt;
}

}  // namespace vel
