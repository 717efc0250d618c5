// One clock-face frame as the tick draws it, the clock advancing a second per
// frame, beside the same frame drawn in full. Runs the real clock window on
// Qt's offscreen platform; with QT_SCALE_FACTOR=2 in the environment, as on a
// high-density screen (the "ratio" counter says which one ran).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/clock_app.h"
#include "app/clock_externals.h"
#include "app/face/face_draw.h"
#include "app/handlers/handler_table.h"
#include "forms/pictures/picture.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/startup.h"
#include "library/memory.h"
#include "platform/window_system.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace {

bool start_clock_window() {
    static const bool ok = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // As the program does: the embedded media are constant, decoded once.
        for (const vel::EmbeddedBlob& blob : vel::embedded_blobs()) {
            if (!blob.name) break;
            vel::register_static_range(blob.block, blob.end);
        }
        vel::add_embedded_double_sizes();
        vel::initialise_runtime(vel::embedded_bytes("forms.bin"), vel::clock_handler_table(),
                                vel::clock_external_declarations());
        return vel::FormRuntime::instance().load_window(vel::ui::clock::kWindow, 0, false);
    }();
    return ok;
}

// The clock advances one second per frame, as it does when running: each
// frame's hands differ from the last one's. `full` draws every step instead
// of keeping the background and dial.
void face_frames(benchmark::State& state, bool full) {
    if (!start_clock_window()) {
        state.SkipWithError("clock window not created");
        return;
    }
    vel::FacePainter painter(vel::ui::clock::kWindow, vel::ui::clock::画板1, vel::ui::clock::画板2);
    int t = 10 * 3600;
    for (auto _ : state) {
        painter.draw(t / 3600 % 24, t / 60 % 60, t % 60, full);
        ++t;
    }
    state.counters["ratio"] = plat::device_ratio(
        vel::FormRuntime::instance().unit_widget(vel::ui::clock::kWindow, vel::ui::clock::画板2));
    plat::process_pending_events();
}
void BM_FaceFrame(benchmark::State& state) {
    face_frames(state, false);
}
void BM_FaceFrameFull(benchmark::State& state) {
    face_frames(state, true);
}
BENCHMARK(BM_FaceFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FaceFrameFull)->Unit(benchmark::kMicrosecond);

// The two decodes alone, the part of the frame that does not depend on Qt.
void BM_FacePictureDecode(benchmark::State& state) {
    const auto dial = vel::embedded_bytes("dial.gif");
    const auto butterfly = vel::embedded_bytes("butterfly.gif");
    for (auto _ : state) {
        benchmark::DoNotOptimize(vel::decode_picture(dial));
        benchmark::DoNotOptimize(vel::decode_picture(butterfly));
    }
}
BENCHMARK(BM_FacePictureDecode)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
