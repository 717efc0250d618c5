// The tick as the timer runs it, the clock advancing a second per tick with
// a 20-line bell.vel and no alarm due; and the alarm check alone over 20 and
// 10,000 lines and 1 MB of lines, in a second with no minute start (the
// file is not read) and in one with a minute start that no line has (the
// file is read and split, and every line taken apart).
#include <benchmark/benchmark.h>

#include "app/alarms/alarm_check.h"
#include "bench_clock_app.h"

namespace {

using namespace vel;

void BM_Tick(benchmark::State& state) {
    if (!bench::start_clock()) {
        state.SkipWithError("clock window not created");
        return;
    }
    // Hours past 23: read and taken apart at each minute start, but never
    // due.
    std::string file;
    for (int i = 0; i < 20; ++i)
        file += "n" + std::to_string(i) + "\xA3\xBA" + std::to_string(24 + i) + ":" +
                std::to_string(i) + "/VEL\r\n";
    bench::write_alarm_file(file);
    for (auto _ : state) {
        on_clock_tick({});
        bench::g_fake_ms += 1000;
    }
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void alarm_check(benchmark::State& state, const std::string& file, bool minute_start) {
    if (!bench::start_clock()) {
        state.SkipWithError("clock window not created");
        return;
    }
    bench::write_alarm_file(file);
    // 10:59:00, a minute start no line has.
    const clock::WallMs due[] = {(20'429LL * 86'400 + 10 * 3600 + 59 * 60) * 1000};
    const std::span<const clock::WallMs> minutes =
        minute_start ? std::span<const clock::WallMs>(due) : std::span<const clock::WallMs>();
    for (auto _ : state) clock::check_alarms(minutes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_AlarmCheck(benchmark::State& state) {
    alarm_check(state, bench::alarm_lines(static_cast<int>(state.range(0))), state.range(1) != 0);
}
BENCHMARK(BM_AlarmCheck)
    ->ArgsProduct({{0, 20, 10'000}, {0, 1}})
    ->ArgNames({"lines", "minute_start"})
    ->Unit(benchmark::kMicrosecond);

void BM_AlarmCheck1MB(benchmark::State& state) {
    const std::string file = bench::alarm_lines(bench::lines_in(1 << 20));
    alarm_check(state, file, state.range(0) != 0);
    state.counters["lines"] = bench::lines_in(1 << 20);
}
BENCHMARK(BM_AlarmCheck1MB)->Arg(0)->Arg(1)->ArgName("minute_start")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    vel::bench::remove_run_directory();
    return 0;
}
