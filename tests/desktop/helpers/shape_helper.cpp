// The real clock, started the way velclock starts it (the embedded forms,
// the clock's handler table, the same run directory), with the outline of
// its window driven from outside, because the clock's own outline menu does
// not exist yet.
//
//   shape_helper SHAPE [SHAPE ...]
//
// Before the clock window, a window of a plain colour (magenta) covering the
// screen is shown, so the clock is mapped above it and whatever the clock's
// outline leaves out shows that colour. Once the clock window is visible the
// first SHAPE is written to the window's shape property;
// every SIGUSR1 moves on to the next one. Each applied shape is announced
// on standard output as "shape N" (the window has been repainted by then).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/clock_externals.h"
#include "app/handlers/handler_table.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/startup.h"
#include "library/memory.h"
#include "library/runtime_errors.h"
#include "platform/window_system.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace {

constexpr std::uint32_t kUnderColour = 0x00FF00FF;  // 0x00BBGGRR: magenta

volatile std::sig_atomic_t g_advance = 0;

void on_signal(int) {
    g_advance = g_advance + 1;
}

void announce(const char* line, int value) {
    std::printf("%s %d\n", line, value);
    std::fflush(stdout);
}

// Mapped before the clock, so the window manager stacks the clock above it.
void show_backdrop() {
    const plat::Size screen = plat::screen_size();
    plat::Widget* under = plat::create_window({});
    plat::set_background_colour(under, kUnderColour);
    plat::set_geometry(under, {0, 0, screen.width, screen.height});
    plat::set_visible(under, true);
    plat::process_pending_events();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> shapes;
    for (int i = 1; i < argc; ++i) shapes.push_back(std::atoi(argv[i]));
    if (shapes.empty()) {
        std::fprintf(stderr, "usage: shape_helper SHAPE [SHAPE ...]\n");
        return 2;
    }
    std::signal(SIGUSR1, on_signal);

    // As the clock's own entry does.
    for (const vel::EmbeddedBlob& blob : vel::embedded_blobs()) {
        if (!blob.name) break;
        vel::register_static_range(blob.block, blob.end);
    }
    vel::initialise_runtime(vel::embedded_bytes("forms.bin"), vel::clock_handler_table(),
                            vel::clock_external_declarations());
    vel::register_cleanup([] {});
    show_backdrop();
    vel::redraw_often(vel::ui::clock::kWindow);
    vel::load_start_window(vel::ui::clock::kWindow);

    std::size_t next = 0;
    int seen_signals = 0;
    bool raised = false;
    plat::start_timer(50, [&] {
        vel::FormRuntime& rt = vel::FormRuntime::instance();
        plat::Widget* clock = rt.window_widget(vel::ui::clock::kWindow);
        if (!clock || !plat::is_visible(clock)) return;
        if (!raised) {
            // The backdrop's map request may reach the window manager after
            // the clock's: put the clock back on top before any outline.
            plat::activate_window(clock);
            raised = true;
            return;
        }
        const bool first = next == 0;
        if (!first && seen_signals == g_advance) return;
        seen_signals = g_advance;
        if (next >= shapes.size()) return;
        const int shape = shapes[next++];
        rt.set_property(vel::ui::clock::kWindow, vel::ui::clock::kWindowUnit,
                        vel::prop::kWindowShape, -1,
                        vel::Value{static_cast<std::uint32_t>(shape), vel::TAG_INT});
        plat::process_pending_events();
        announce("shape", shape);
    });
    vel::run_message_loop();
    vel::end_program(0);
}
