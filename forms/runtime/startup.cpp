// The runtime's start-up steps.
#include "forms/runtime/startup.h"

#include <cstdlib>
#include <utility>

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/runtime_texts.h"
#include "library/call.h"
#include "library/commands/run_directory.h"
#include "library/runtime_errors.h"
#include "platform/fs/paths.h"
#include "platform/system_routines.h"
#include "platform/window_system.h"

namespace vel {

void initialise_runtime(std::span<const std::uint8_t> form_resource,
                        std::span<const HandlerFn> handlers,
                        std::vector<ExternalDeclaration> externals) {
    if (plat::init_window_system()) {
        set_fatal_presenter([](const std::string& text, const std::string& caption) {
            plat::show_error_box(text, caption);
        });
        // A logout or kill asks politely: end as "关闭程序" does.
        plat::on_end_request([] { end_program(0); });
        // The display went away (the X server of a closed session died),
        // perhaps while a window was being made: end at once, leaving the
        // windows alone, as destroying them would talk to the lost display.
        plat::on_display_lost([] {
            FormRuntime::instance().abandon_windows();
            end_program(1);
        });
    }
    // The run directory becomes the current one, as relative paths expect.
    // Failing is harmless: every path the program builds is absolute.
    if (!run_directory().empty()) plat::fs::set_current_directory(run_directory());
    FormRuntime::instance().load(load_form_resource(form_resource), handlers);
    plat::register_system_libraries();
    external_routines().declare(std::move(externals));
}

void redraw_often(WindowId id) {
    FormRuntime::instance().redraw_often(id);
}

void load_start_window(WindowId id) {
    if (!FormRuntime::instance().load_window(id, 0, false, true))
        fatal_runtime_error(0, runtime_text::kStartWindowFailed);
}

int run_message_loop() {
    // The window system may end the process with exit() itself (the display
    // went away). Registered last, this runs before any static destructor:
    // the program ends its own way, and nothing already destroyed is touched.
    // The program's own ends leave by _Exit, so only that path comes here; the
    // windows are not destroyed then, as that would talk to the lost display.
    static bool registered = false;
    if (!registered)
        registered = std::atexit([] {
                         FormRuntime::instance().abandon_windows();
                         end_program(1);
                     }) == 0;
    return FormRuntime::instance().run_message_loop();
}

}  // namespace vel
