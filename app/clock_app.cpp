#include "app/clock_app.h"

#include <utility>
#include <vector>

#include "app/clock_externals.h"
#include "app/clock_globals.h"
#include "app/handlers/handler_table.h"
#include "forms/pictures/double_size.h"
#include "forms/runtime/startup.h"
#include "library/memory.h"
#include "library/runtime_errors.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel {

void add_embedded_double_sizes() {
    static constexpr std::pair<const char*, const char*> kPairs[] = {
        {"dial.gif", "dial@2x.gif"}, {"butterfly.gif", "butterfly@2x.gif"}};
    for (const auto& [one, two] : kPairs) {
        const auto partner = embedded_bytes(two);
        if (embedded_bytes(one).empty() || partner.empty()) continue;
        // Constant data: the reader copies it only while it is decoded.
        add_double_size(embedded_bytes(one), [partner](std::span<const std::uint8_t>) {
            return std::vector<std::uint8_t>(partner.begin(), partner.end());
        });
    }
}

int run_clock(int, char**) {
    // The embedded media are constant data: release() must never free them.
    for (const EmbeddedBlob& blob : embedded_blobs()) {
        if (!blob.name) break;
        register_static_range(blob.block, blob.end);
    }
    add_embedded_double_sizes();
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
