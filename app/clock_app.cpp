#include "app/clock_app.h"

#include "app/clock_externals.h"
#include "app/clock_globals.h"
#include "app/handlers/handler_table.h"
#include "forms/runtime/startup.h"
#include "library/memory.h"
#include "library/runtime_errors.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel {

int run_clock(int, char**) {
    // The embedded media are constant data: release() must never free them.
    for (const EmbeddedBlob& blob : embedded_blobs()) {
        if (!blob.name) break;
        register_static_range(blob.block, blob.end);
    }
    initialise_runtime(embedded_bytes("forms.bin"), clock_handler_table(),
                       clock_external_declarations());
    // The logic's own globals and cleanup routine.
    register_cleanup([] { clock::release_globals(); });
    // Its face changes every second.
    redraw_often(ui::clock::kWindow);
    load_start_window(ui::clock::kWindow);
    run_message_loop();
    // The last window is gone: end as "关闭程序" does, cleanup included.
    end_program(0);
}

}  // namespace vel
