#pragma once
// The start-up entry steps of the runtime, in the order the program's entry
// calls them: initialise_runtime, (the logic's own initialisation),
// register_cleanup, load_start_window, run_message_loop.
#include <cstdint>
#include <span>
#include <vector>

#include "forms/runtime/event_record.h"
#include "library/call.h"

namespace vel {

// The window system, the run directory (made current), the fatal-error box,
// the form resource with the logic's handler table, and the logic's external
// routine declarations. A resource that cannot be read is a fatal runtime
// error.
void initialise_runtime(std::span<const std::uint8_t> form_resource,
                        std::span<const HandlerFn> handlers,
                        std::vector<ExternalDeclaration> externals);
// Marks a window as redrawn often (every second, say), before it is loaded:
// where the window system can, its panels' pixels then go to the screen
// directly. Such a window holds only panels and units that never show.
void redraw_often(WindowId id);
// The start window, non-modal and without parent; the fatal error
// "载入启动窗口失败" when it cannot be created.
void load_start_window(WindowId id);
// Runs the loop while a window exists; returns when the last one is gone.
int run_message_loop();

}  // namespace vel
