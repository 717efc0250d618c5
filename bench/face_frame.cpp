// One clock-face frame as the tick draws it: both GIFs decoded, the frame
// composed on the hidden buffer panel and copied to the shown one. Runs the
// real clock window on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/face/face_draw.h"
#include "app/handlers/clock_ids.h"
#include "app/handlers/handler_table.h"
#include "forms/pictures/picture.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/startup.h"
#include "platform/window_system.h"
#include "resources/embedded.h"

namespace {

bool start_clock_window() {
    static const bool ok = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        vel::initialise_runtime(vel::embedded_bytes("forms.bin"), vel::clock_handler_table());
        return vel::FormRuntime::instance().load_window(vel::ids::kClockWindow, 0, false);
    }();
    return ok;
}

void BM_FaceFrame(benchmark::State& state) {
    if (!start_clock_window()) {
        state.SkipWithError("clock window not created");
        return;
    }
    for (auto _ : state) vel::draw_face();
    plat::process_pending_events();
}
BENCHMARK(BM_FaceFrame)->Unit(benchmark::kMicrosecond);

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
