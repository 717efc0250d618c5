// Choosing a picture background, from the click to the next face frame on
// the visible panel; and the tick over a picture background against the tick
// over a plain colour, the clock advancing a second per tick. The pictures
// are the supplied ones beside the build (build/image).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/backgrounds/catalogue.h"
#include "app/face/face_draw.h"
#include "bench_clock_app.h"
#include "resources/form_ids.h"

namespace {

using namespace vel;
namespace fs = std::filesystem;

// The supplied pictures copied into the temporary run directory, once.
bool supply_pictures() {
    static const bool ok = [] {
        const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
        const fs::path image = bench::settings_folder().parent_path() / "image";
        std::error_code error;
        fs::copy(build / "image", image, fs::copy_options::recursive, error);
        bench::write_alarm_file("");
        return !error && fs::exists(image / "泰山.jpg");
    }();
    return ok;
}

void click(UnitId item) {
    EventRecord r;
    r.window = ui::clock::kWindow;
    r.unit = item;
    FormRuntime::instance().raise_event(r);
}

// 泰山 and 鼠 in turn, so that every click changes the picture.
void BM_ChoosePictureToFrame(benchmark::State& state) {
    if (!bench::start_clock() || !supply_pictures()) {
        state.SkipWithError("clock window or pictures missing");
        return;
    }
    const UnitId pictures[] = {ui::clock::pictures[16], ui::clock::pictures[0]};
    int n = 0;
    for (auto _ : state) {
        click(pictures[n++ % 2]);
        draw_face();
        bench::g_fake_ms += 1000;
    }
}
BENCHMARK(BM_ChoosePictureToFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void tick_over(benchmark::State& state, UnitId background) {
    if (!bench::start_clock() || !supply_pictures()) {
        state.SkipWithError("clock window or pictures missing");
        return;
    }
    click(background);
    for (auto _ : state) {
        on_clock_tick({});
        bench::g_fake_ms += 1000;
    }
}
void BM_TickOverPicture(benchmark::State& state) {
    tick_over(state, ui::clock::pictures[16]);  // 泰山
}
void BM_TickOverColour(benchmark::State& state) {
    tick_over(state, backgrounds::kColours[2].item);  // 红色
}
BENCHMARK(BM_TickOverPicture)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TickOverColour)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    vel::bench::remove_run_directory();
    return 0;
}
